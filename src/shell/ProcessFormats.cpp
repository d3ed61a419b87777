#include "shell/ProcessFormats.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace tavorel {

void applyProcessFormats()
{
    QLocale italian(QLocale::Italian, QLocale::Italy);
    italian.setNumberOptions(QLocale::OmitGroupSeparator);
    QLocale::setDefault(italian);
}

void installItalianTranslations()
{
    static bool done = false;
    if (done || !QCoreApplication::instance())
        return;
    done = true;
    auto* qtbase = new QTranslator(QCoreApplication::instance());
    if (qtbase->load(QLocale(QLocale::Italian, QLocale::Italy), QStringLiteral("qtbase"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(qtbase);
    else
        delete qtbase;
}

} // namespace tavorel
