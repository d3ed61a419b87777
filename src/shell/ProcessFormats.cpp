#include "shell/ProcessFormats.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace tavorel {

namespace {

// The texts of Qt's print and file dialogs that Qt's Italian translation leaves in English, found
// by opening the dialogs with every lookup logged. Keyed on the English text alone: the dialogs
// ask for them under several contexts of their own.
struct Missing {
    const char* english;
    const char* italian;
};
constexpr Missing kMissing[] = {
    {"Pages", "Pagine"},
    {"Specify pages or ranges separated by commas. Ranges are specified by two numbers separated by a hyphen. "
     "E.g: 3,5-7,9 prints pages 3, 5, 6, 7 and 9.",
     "Indicare le pagine o gli intervalli separati da virgole; un intervallo è dato da due numeri separati da un "
     "trattino. Ad esempio 3,5-7,9 stampa le pagine 3, 5, 6, 7 e 9."},
    {"Double Sided Printing", "Stampa fronte/retro"},
    {"Off", "Disattivata"},
    {"Long side binding", "Rilegatura sul lato lungo"},
    {"Short side binding", "Rilegatura sul lato corto"},
    {"Advanced", "Avanzate"},
    {"There are conflicts in some options. Please fix them.", "Alcune opzioni sono in conflitto: correggerle."},
    {"Page Setup Conflicts", "Conflitti nell'impostazione della pagina"},
    {"There are conflicts in page setup options. Do you want to fix them?",
     "Alcune opzioni di impostazione della pagina sono in conflitto. Correggerle?"},
    {"Advanced Option Conflicts", "Conflitti nelle opzioni avanzate"},
    {"There are conflicts in some advanced options. Do you want to fix them?",
     "Alcune opzioni avanzate sono in conflitto. Correggerle?"},
    {"Duplex Settings Conflicts", "Conflitti nelle impostazioni fronte/retro"},
    {"There are conflicts in duplex settings. Do you want to fix them?",
     "Le impostazioni fronte/retro sono in conflitto. Correggerle?"},
    {"Folder", "Cartella"},
    {"Drive", "Unità"},
};

bool isDialogContext(QLatin1StringView context)
{
    return context.startsWith(QLatin1StringView("QPrint")) || context.startsWith(QLatin1StringView("QPageSetup")) ||
           context.startsWith(QLatin1StringView("QCups")) || context.startsWith(QLatin1StringView("QUnixPrint")) ||
           context == QLatin1StringView("QAbstractFileIconProvider") ||
           context == QLatin1StringView("QFileSystemModel") || context == QLatin1StringView("QFileDialog");
}

// Installed before Qt's own translation, so it is asked only for what that one lacks.
class MissingQtTexts : public QTranslator {
public:
    using QTranslator::QTranslator;
    bool isEmpty() const override { return false; }
    QString translate(const char* context, const char* sourceText, const char*, int) const override
    {
        if (!context || !sourceText || !isDialogContext(QLatin1StringView(context)))
            return {};
        for (const Missing& m : kMissing)
            if (qstrcmp(m.english, sourceText) == 0)
                return QString::fromUtf8(m.italian);
        return {};
    }
};

} // namespace

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
    QCoreApplication::installTranslator(new MissingQtTexts(QCoreApplication::instance()));
    auto* qtbase = new QTranslator(QCoreApplication::instance());
    if (qtbase->load(QLocale(QLocale::Italian, QLocale::Italy), QStringLiteral("qtbase"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(qtbase);
    else
        delete qtbase;
}

} // namespace tavorel
