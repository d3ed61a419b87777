#pragma once

#include <QString>

namespace tavorel {

// Where the copies by hand go and whether the automatic copy is on, in "Copie_di_sicurezza.ini" in
// the program folder. The file belongs to this computer, not to the club's data: a copy does not
// hold it and a restore does not change it, so restoring an old copy neither sends the next copies
// to a drive that is gone nor switches the automatic copy back on or off.
class BackupSettings {
public:
    static QString fileName();

    // The last folder the user chose for the copies, or the program's own copies folder.
    static QString folder(const QString& programFolder);
    static bool setFolder(const QString& programFolder, const QString& folder);

    // On unless the user turned it off.
    static bool automatic(const QString& programFolder);
    static bool setAutomatic(const QString& programFolder, bool on);
};

} // namespace tavorel
