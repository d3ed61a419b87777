#include "printing/ListTemplate.h"
#include "printing/ReportOutput.h"
#include "printing/ReportPageView.h"
#include "printing/ReportPainter.h"
#include "printing/ReportPreview.h"

#include <QApplication>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

using namespace tavorel;

namespace {

const QDateTime kNow(QDate(2024, 3, 5), QTime(9, 7, 3));

Report listOf(int rows)
{
    Report r = ListTemplate::create(ListKind::Data);
    QStringList lines;
    for (int i = 1; i <= rows; ++i)
        lines.append(QStringLiteral("Riga%1 Rossi Mario").arg(i, 3, 10, QLatin1Char('0')));
    fillListReport(r, kTitoloSchedeIscritti, lines);
    return r;
}

// The text of a PDF, page by page, as poppler reads it back.
QStringList pdfPages(const QString& path)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return {};
    QStringList pages = QString::fromUtf8(process.readAllStandardOutput()).split(QLatin1Char('\f'));
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
        pages.removeLast();
    return pages;
}

} // namespace

#define REQUIRE_PDFTOTEXT()                                                                                            \
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())                                         \
    QSKIP("pdftotext (poppler-utils) is not installed")

class tst_ReportOutput : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void pdfCarriesTheTextOfEveryPage();
    void printerHonoursThePageRange_data();
    void printerHonoursThePageRange();
    void printerThatCannotStartRaisesReportError();
    void pictureAndClipReachThePaper();
    void previewWindow();
    void showPreviewOpensMaximisedAndReturnsOnClose();

private:
    QTemporaryDir dir_;
};

void tst_ReportOutput::initTestCase()
{
    QVERIFY(dir_.isValid());
}

void tst_ReportOutput::pdfCarriesTheTextOfEveryPage()
{
    REQUIRE_PDFTOTEXT();
    const QString path = dir_.filePath(QStringLiteral("lista.pdf"));
    QVERIFY(exportPdf(listOf(120), path, kNow));
    const QStringList pages = pdfPages(path);
    QCOMPARE(pages.size(), 3);
    QVERIFY(pages[0].contains(kTitoloSchedeIscritti));
    QVERIFY(!pages[1].contains(kTitoloSchedeIscritti));
    QVERIFY(pages[0].contains(QStringLiteral("Riga001 Rossi Mario")));
    QVERIFY(pages[2].contains(QStringLiteral("Riga120 Rossi Mario")));
    QVERIFY(pages[2].contains(QStringLiteral("Stampa eseguita in data 05/03/2024")));
    for (int i = 1; i <= 120; ++i) {
        const QString row = QStringLiteral("Riga%1").arg(i, 3, 10, QLatin1Char('0'));
        int seen = 0;
        for (const QString& page : pages)
            seen += int(page.count(row));
        QVERIFY2(seen == 1, qPrintable(row));
    }
    QTest::ignoreMessage(QtWarningMsg, "QPainter::begin(): Returned false");
    QVERIFY(!exportPdf(listOf(1), dir_.filePath(QStringLiteral("manca/lista.pdf")), kNow));
}

void tst_ReportOutput::printerHonoursThePageRange_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<QList<int>>("printed"); // indexes of the prepared pages that reach the paper

    QTest::newRow("all pages") << 0 << 0 << QList<int>{0, 1, 2};
    QTest::newRow("page 2 only") << 2 << 2 << QList<int>{1};
    QTest::newRow("pages 2 to 3") << 2 << 3 << QList<int>{1, 2};
}

void tst_ReportOutput::printerHonoursThePageRange()
{
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(QList<int>, printed);
    REQUIRE_PDFTOTEXT();

    const PreparedReport prepared = ReportLayout::prepare(listOf(120), kNow);
    QStringList expectedFirst;
    for (const PreparedPage& page : prepared.pages)
        expectedFirst.append(page.texts(QStringLiteral("txtRiepilogo")).front()->text.left(7));
    QCOMPARE(expectedFirst.size(), 3);

    const QString path = dir_.filePath(QStringLiteral("range-%1-%2.pdf").arg(from).arg(to));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    ReportPainter::setUpPage(printer, prepared.page);
    if (from > 0) {
        printer.setPrintRange(QPrinter::PageRange);
        printer.setFromTo(from, to);
    }
    printPrepared(printer, prepared);

    const QStringList pages = pdfPages(path);
    QCOMPARE(pages.size(), printed.size());
    for (int i = 0; i < pages.size(); ++i) {
        const QString first = expectedFirst[printed[i]];
        QCOMPARE(pages[i].indexOf(QRegularExpression(QStringLiteral("Riga\\d{3}"))), pages[i].indexOf(first));
    }
}

void tst_ReportOutput::printerThatCannotStartRaisesReportError()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir_.filePath(QStringLiteral("manca/stampa.pdf")));
    QTest::ignoreMessage(QtWarningMsg, "QPainter::begin(): Returned false");
    QVERIFY_THROWS_EXCEPTION(ReportError, printPrepared(printer, ReportLayout::prepare(listOf(3), kNow)));
}

void tst_ReportOutput::pictureAndClipReachThePaper()
{
    // A red picture box and a memo whose text runs far past its right edge.
    Report r(QStringLiteral("Prova"));
    ReportPicture picture;
    picture.name = QStringLiteral("imgLogo");
    picture.rect = mmRect(10, 10, 40, 20);
    QImage red(100, 50, QImage::Format_RGB32);
    red.fill(Qt::red);
    picture.setPicture(red);
    r.add(picture);
    ReportMemo memo;
    memo.name = QStringLiteral("txtLungo");
    memo.rect = mmRect(10, 40, 30, 10);
    memo.font = ReportFont::points(QStringLiteral("Courier New"), 18, FontStyle::Bold);
    memo.wordWrap = false;
    memo.setText(QString(60, QLatin1Char('M')));
    r.add(memo);

    const QImage page = ReportPainter::renderPage(ReportLayout::prepare(r, kNow).pages.at(0), 96);
    QCOMPARE(page.pixelColor(int(mmToPx(30)), int(mmToPx(20))), QColor(Qt::red));
    const auto inkBetween = [&page](double x0, double x1) {
        for (int x = int(mmToPx(x0)); x < int(mmToPx(x1)); ++x)
            for (int y = int(mmToPx(40)); y < int(mmToPx(50)); ++y)
                if (page.pixelColor(x, y).lightness() < 128)
                    return true;
        return false;
    };
    QVERIFY(inkBetween(11, 39));
    QVERIFY(!inkBetween(41, 200)); // cut at the memo's edge, nothing wraps below either
}

void tst_ReportOutput::previewWindow()
{
    ReportPreview preview(listOf(120), kNow);
    QCOMPARE(preview.windowTitle(), QStringLiteral("Riepilogo dati"));
    QStringList buttons;
    for (const QPushButton* b : preview.findChildren<QPushButton*>())
        buttons.append(b->text());
    buttons.sort();
    QCOMPARE(buttons, (QStringList{"Chiudi", "Schermo intero", "Stampa", "Zoom"}));
    QCOMPARE(preview.zoom(), 1.0);
    QCOMPARE(preview.prepared().pages.size(), size_t(3));

    // Pages lie one below the other, each drawn at real size.
    auto* view = preview.findChild<ReportPageView*>(QStringLiteral("imgPagine"));
    QVERIFY(view);
    const double perPx = view->logicalDpiX() / 96.0;
    QCOMPARE(view->pageRect(0).width(), qRound(mmToPx(297) * perPx));
    QVERIFY(view->pageRect(1).top() > view->pageRect(0).bottom());
    preview.setZoom(0.5);
    QCOMPARE(view->pageRect(0).width(), qRound(mmToPx(297) * perPx * 0.5));

    // What the view paints is the paper with its text.
    preview.resize(1200, 900);
    preview.show();
    QVERIFY(QTest::qWaitForWindowExposed(&preview));
    const QImage shot = view->grab(view->pageRect(0)).toImage();
    int ink = 0;
    for (int y = 0; y < shot.height(); y += 2)
        for (int x = 0; x < shot.width(); x += 2)
            ink += shot.pixelColor(x, y).lightness() < 200;
    QVERIFY(ink > 50);

    preview.findChild<QPushButton*>(QStringLiteral("btnChiudi"))->click();
    QVERIFY(!preview.isVisible());
    QCOMPARE(preview.result(), int(QDialog::Rejected));
}

void tst_ReportOutput::showPreviewOpensMaximisedAndReturnsOnClose()
{
    bool maximised = false;
    bool closed = false;
    QTimer::singleShot(0, this, [&] {
        auto* preview = qobject_cast<ReportPreview*>(QApplication::activeModalWidget());
        if (!preview)
            return;
        maximised = preview->windowState().testFlag(Qt::WindowMaximized);
        closed = true;
        preview->findChild<QPushButton*>(QStringLiteral("btnChiudi"))->click();
    });
    QTimer watchdog; // never leave a modal loop running if the window did not appear
    watchdog.setSingleShot(true);
    connect(&watchdog, &QTimer::timeout, this, [] {
        if (QWidget* w = QApplication::activeModalWidget())
            w->close();
    });
    watchdog.start(10000);
    showReportPreview(listOf(5), nullptr, kNow);
    QVERIFY(closed);
    QVERIFY(maximised);
}

QTEST_MAIN(tst_ReportOutput)
#include "tst_ReportOutput.moc"
