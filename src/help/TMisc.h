#pragma once

#include <QString>

class QWidget;

namespace tavorel {

// Hands a document path, a web address or a "mailto:" address to the desktop, which opens it with
// its default program; a missing file, or no program to open it, is told to the user over `parent`.
class TMisc {
public:
    static bool Open(QWidget* parent, const QString& command);
};

} // namespace tavorel
