#pragma once

#include "Report.h"

#include <QString>
#include <QStringList>

namespace tavorel {

// Titles printed by the five list screens.
inline const QString kTitoloRicevuteEmesse = QStringLiteral("Riepilogo ricevute emesse");
inline const QString kTitoloIncassi = QStringLiteral("Riepilogo incassi");
inline const QString kTitoloSchedeIscritti = QStringLiteral("Riepilogo schede iscritti");
inline const QString kTitoloTessereScadute = QStringLiteral("Riepilogo tessere scadute");
inline const QString kTitoloCertificatiScaduti = QStringLiteral("Riepilogo certificati medici scaduti");

enum class ListKind {
    Data,   // "Riepilogo dati": receipt search, member search, expiry lists
    Income, // "Riepilogo incassi": the income summary, whose footer also gives the time
};

// The landscape list template shared by the list screens, and how it is filled for printing.
class ListTemplate {
public:
    // Height of one body line, 3.3925 mm; the body is set at exactly this pitch.
    static constexpr double kLinePitchPx = 12.822;
    // What the body band adds below its memo.
    static constexpr double kBandExtraPx = 10.0;

    static Report create(ListKind kind);

    // The three lines the income summary adds below its rows.
    static QStringList incomeSummaryLines(const QString& interval, const QString& total);
};

// Puts the title, the rows and any extra lines into the template and sizes the body to its lines,
// so that it runs over as many pages as it needs.
void fillListReport(Report& report, const QString& title, const QStringList& rows,
                    const QStringList& extraLines = QStringList());

} // namespace tavorel
