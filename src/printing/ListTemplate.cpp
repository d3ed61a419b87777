#include "ListTemplate.h"

#include "rules/TextRules.h"

namespace tavorel {

namespace {

const QColor kSlateGrey(0x70, 0x80, 0x90);

struct ListObjectRow {
    BandKind band;
    const char* bandName;
    double bandHeightMm;
    const char* name;
    double left, top, width, height; // mm, relative to the band
    bool filled;                     // slate grey, else transparent
    const char* family;
    double points;
    FontStyle style;
    QColor colour;
    HAlign hAlign;
    VAlign vAlign;
    bool wordWrap;
};

// Band by band, top to bottom; the body's heights are set again at every print.
const ListObjectRow kListObjects[] = {
    {BandKind::ReportTitle, "ReportTitle", 8.0, "txtTitolo", 2.0, 1.0, 273.0, 5.0, true, "Verdana", 9.0,
     FontStyle::Bold, Qt::white, HAlign::Center, VAlign::Center, true},
    {BandKind::MasterData, "MasterData", 28.0, "txtRiepilogo", 3.0, 0.0, 273.0, 27.0, false, "Courier New", 8.0,
     FontStyle::None, Qt::black, HAlign::Left, VAlign::Top, false},
    {BandKind::Footer, "Footer", 8.0, "txtPagina", 3.0, 2.0, 272.0, 5.0, true, "Verdana", 8.0, FontStyle::Bold,
     Qt::white, HAlign::Center, VAlign::Center, true},
};

QString storedText(const QString& name, ListKind kind)
{
    if (name == QLatin1String("txtTitolo"))
        return QStringLiteral("Riepilogo");
    if (name == QLatin1String("txtPagina"))
        return kind == ListKind::Income ? QStringLiteral("Stampa eseguita in data [DATE] alle ore [TIME]")
                                        : QStringLiteral("Stampa eseguita in data [DATE]");
    return QString();
}

} // namespace

Report ListTemplate::create(ListKind kind)
{
    Report report(kind == ListKind::Income ? QStringLiteral("Riepilogo incassi") : QStringLiteral("Riepilogo dati"));
    ReportPage& page = report.page();
    page.paperWidthMm = 210.0;
    page.paperHeightMm = 297.0;
    page.paperSize = kPaperA4;
    page.orientation = Orientation::Landscape;
    page.leftMarginMm = page.topMarginMm = page.rightMarginMm = page.bottomMarginMm = 10.0;

    for (const ListObjectRow& row : kListObjects) {
        ReportBand band;
        band.name = QLatin1String(row.bandName);
        band.kind = row.band;
        band.height = mmToPx(row.bandHeightMm);
        band.allowSplit = row.band == BandKind::MasterData;
        band.rowCount = 1;

        ReportMemo memo;
        memo.name = QLatin1String(row.name);
        memo.rect = mmRect(row.left, row.top, row.width, row.height);
        memo.font = ReportFont::points(QLatin1String(row.family), row.points, row.style, row.colour);
        if (row.filled)
            memo.fill = kSlateGrey;
        memo.hAlign = row.hAlign;
        memo.vAlign = row.vAlign;
        memo.wordWrap = row.wordWrap;
        memo.allowExpressions = true;
        if (row.band == BandKind::MasterData)
            memo.linePitch = kLinePitchPx;
        memo.setText(storedText(memo.name, kind));
        band.add(std::move(memo));
        report.addBand(std::move(band));
    }
    return report;
}

QStringList ListTemplate::incomeSummaryLines(const QString& interval, const QString& total)
{
    return {
        QStringLiteral("- - - - - - - - - - - - - - - -"),
        QStringLiteral("INTERVALLO SELEZIONATO:    ") + TrimSpazi(interval),
        QStringLiteral("TOTALE IMPORTI INCASSATI:  € ") + TrimSpazi(total),
    };
}

void fillListReport(Report& report, const QString& title, const QStringList& rows, const QStringList& extraLines)
{
    report.findMemo(QStringLiteral("txtTitolo"))->setText(title);
    ReportMemo* body = report.findMemo(QStringLiteral("txtRiepilogo"));
    body->clearLines();
    for (const QString& row : rows)
        body->addLine(row);
    for (const QString& line : extraLines)
        body->addLine(line);
    body->setHeight(body->lineCount() * ListTemplate::kLinePitchPx);
    report.findBand(QStringLiteral("MasterData"))->setHeight(body->rect.height() + ListTemplate::kBandExtraPx);
}

} // namespace tavorel
