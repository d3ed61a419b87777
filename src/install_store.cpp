// Installation step: writes the first-access password store into a program folder that has none.
#include "access/PasswordStore.h"

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream err(stderr);
    if (argc != 2) {
        err << "usage: tavorel-install-store FOLDER\n";
        return 2;
    }
    if (!tavorel::InstallaArchivioPassword(QString::fromLocal8Bit(argv[1]),
                                           QString::fromLatin1(tavorel::kPasswordPrimoAccesso))) {
        err << "cannot write the password store in " << argv[1] << "\n";
        return 1;
    }
    return 0;
}
