#pragma once

class QWidget;

namespace tavorel {

// On leaving the program from the main menu: the day's automatic copy, when one is due (see
// automaticCopyDue). A failure is told over `parent` and never keeps the program from closing.
void copiaAutomaticaInUscita(QWidget* parent);

} // namespace tavorel
