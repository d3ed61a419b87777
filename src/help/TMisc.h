#pragma once

#include <QString>

namespace tavorel {

// Hands a document path, a web address or a "mailto:" address to the desktop, which opens it with
// its default program. Nothing is checked or reported: a missing file or program shows only what
// the desktop itself shows.
class TMisc {
public:
    static void Open(const QString& command);
};

} // namespace tavorel
