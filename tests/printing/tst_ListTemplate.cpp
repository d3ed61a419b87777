#include "printing/ListTemplate.h"
#include "printing/ReportLayout.h"

#include <QtTest>

using namespace tavorel;

namespace {

const QDateTime kNow(QDate(2024, 3, 5), QTime(9, 7, 3));

QStringList numberedRows(int n)
{
    QStringList rows;
    for (int i = 1; i <= n; ++i)
        rows.append(QStringLiteral("Ric. n. %1").arg(i, -12) + QStringLiteral("  Data: 05/03/2024"));
    return rows;
}

} // namespace

class tst_ListTemplate : public QObject {
    Q_OBJECT
private slots:
    void templateIsLandscapeA4WithTenMillimetreMargins();
    void fillSizesTheBodyFromItsLines();
    void bodyRunsOverPages_data();
    void bodyRunsOverPages();
    void footerReadsThePrintDate_data();
    void footerReadsThePrintDate();
    void incomeSummaryLines();
};

void tst_ListTemplate::templateIsLandscapeA4WithTenMillimetreMargins()
{
    const Report r = ListTemplate::create(ListKind::Data);
    QCOMPARE(r.name(), QStringLiteral("Riepilogo dati"));
    QCOMPARE(ListTemplate::create(ListKind::Income).name(), QStringLiteral("Riepilogo incassi"));
    QCOMPARE(r.page().paperSize, kPaperA4);
    QCOMPARE(r.page().printedWidthMm(), 297.0);
    QCOMPARE(r.page().printedHeightMm(), 210.0);
    QCOMPARE(pxToMm(r.page().printableRectPx().width()), 277.0);
    const ReportBand* body = r.findBand(QStringLiteral("MasterData"));
    QVERIFY(body && body->allowSplit && body->rowCount == 1);
    QCOMPARE(r.findMemo(QStringLiteral("txtTitolo"))->text(), QStringLiteral("Riepilogo"));
    QVERIFY(!r.findMemo(QStringLiteral("txtRiepilogo"))->wordWrap);
}

void tst_ListTemplate::fillSizesTheBodyFromItsLines()
{
    Report r = ListTemplate::create(ListKind::Income);
    fillListReport(r, kTitoloIncassi, numberedRows(3),
                   ListTemplate::incomeSummaryLines(QStringLiteral("x"), QStringLiteral("y")));
    const ReportMemo* body = r.findMemo(QStringLiteral("txtRiepilogo"));
    QCOMPARE(body->lineCount(), 6);
    QVERIFY(qFuzzyCompare(body->rect.height(), 6 * 12.822));
    QVERIFY(qFuzzyCompare(r.findBand(QStringLiteral("MasterData"))->height, 6 * 12.822 + 10));
    QCOMPARE(r.findMemo(QStringLiteral("txtTitolo"))->text(), QStringLiteral("Riepilogo incassi"));

    // A second print starts from the lines of the first.
    fillListReport(r, kTitoloIncassi, numberedRows(1));
    QCOMPARE(r.findMemo(QStringLiteral("txtRiepilogo"))->lineCount(), 1);
}

void tst_ListTemplate::bodyRunsOverPages_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("pages");

    QTest::newRow("empty list: title, empty body, footer") << 0 << 1;
    QTest::newRow("one row") << 1 << 1;
    QTest::newRow("120 rows, about 407 mm") << 120 << 3;
}

void tst_ListTemplate::bodyRunsOverPages()
{
    QFETCH(int, rows);
    QFETCH(int, pages);
    Report r = ListTemplate::create(ListKind::Data);
    const QStringList lines = numberedRows(rows);
    fillListReport(r, kTitoloTessereScadute, lines);
    const PreparedReport prepared = ReportLayout::prepare(r, kNow);
    QCOMPARE(int(prepared.pages.size()), pages);

    const QRectF area = r.page().printableRectPx();
    QStringList printed;
    for (size_t p = 0; p < prepared.pages.size(); ++p) {
        const PreparedPage& page = prepared.pages[p];
        QCOMPARE(page.textLines(QStringLiteral("txtTitolo")),
                 p == 0 ? QStringList{kTitoloTessereScadute} : QStringList());
        const auto body = page.texts(QStringLiteral("txtRiepilogo"));
        for (size_t i = 0; i < body.size(); ++i) {
            QVERIFY(body[i]->rect.bottom() <= area.bottom());
            QVERIFY(body[i]->clip.contains(body[i]->rect.adjusted(0.1, 0.1, -0.1, -0.1).topLeft()));
            if (i > 0)
                QVERIFY(qAbs(body[i]->rect.top() - body[i - 1]->rect.top() - 12.822) < 1e-6);
            printed.append(body[i]->text);
        }
        if (p > 0) // a continued body starts at the top of the page
            QVERIFY(qAbs(body.front()->rect.top() - area.top()) < 1e-6);
        QCOMPARE(page.textLines(QStringLiteral("txtPagina")).size(), qsizetype(p + 1 == prepared.pages.size() ? 1 : 0));
    }
    QCOMPARE(printed, lines);

    // The footer follows the end of the body band on the last page.
    const PreparedPage& last = prepared.pages.back();
    const PreparedText* footer = last.texts(QStringLiteral("txtPagina")).front();
    if (rows > 0) {
        const PreparedText* lastLine = last.texts(QStringLiteral("txtRiepilogo")).back();
        // last line's slot ends 1 px before the memo, the band 10 px after it, the footer memo is 2 mm in
        const double bandEnd = lastLine->rect.top() - 1 + 12.822 + 10;
        QVERIFY(qAbs(footer->clip.top() - (bandEnd + mmToPx(2))) < 1e-6);
    } else {
        QVERIFY(qAbs(footer->clip.top() - (area.top() + mmToPx(8) + 10 + mmToPx(2))) < 1e-6);
    }
}

void tst_ListTemplate::footerReadsThePrintDate_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("footer");
    QTest::newRow("lists") << int(ListKind::Data) << "Stampa eseguita in data 05/03/2024";
    QTest::newRow("income summary") << int(ListKind::Income) << "Stampa eseguita in data 05/03/2024 alle ore 09:07:03";
}

void tst_ListTemplate::footerReadsThePrintDate()
{
    QFETCH(int, kind);
    QFETCH(QString, footer);
    Report r = ListTemplate::create(ListKind(kind));
    // Brackets in the data are printed as they are.
    fillListReport(r, kTitoloRicevuteEmesse, {QStringLiteral("Rossi [socio] [DATA]")});
    const PreparedPage page = ReportLayout::prepare(r, kNow).pages.at(0);
    QCOMPARE(page.textLines(QStringLiteral("txtPagina")), QStringList{footer});
    QCOMPARE(page.textLines(QStringLiteral("txtRiepilogo")), QStringList{QStringLiteral("Rossi [socio] [DATA]")});
}

void tst_ListTemplate::incomeSummaryLines()
{
    const QStringList lines = ListTemplate::incomeSummaryLines(QStringLiteral("  dal 01/01/2024 al 31/03/2024 "),
                                                               QStringLiteral(" 1250,00\t"));
    QCOMPARE(lines.size(), 3);
    QCOMPARE(lines[0].count(QLatin1Char('-')), 16);
    QCOMPARE(lines[0], QStringList(16, QStringLiteral("-")).join(QLatin1Char(' ')));
    QCOMPARE(lines[1], QStringLiteral("INTERVALLO SELEZIONATO:    dal 01/01/2024 al 31/03/2024"));
    QCOMPARE(lines[2], QStringLiteral("TOTALE IMPORTI INCASSATI:  € 1250,00"));
}

QTEST_MAIN(tst_ListTemplate)
#include "tst_ListTemplate.moc"
