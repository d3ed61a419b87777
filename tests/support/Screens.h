#pragma once

#include <QString>

class QWidget;

namespace tavorel::test {

// The top-level screen with that object name (frmAvvio, frmRicevuta...), or null.
QWidget* topLevelScreen(const QString& name);

} // namespace tavorel::test
