#include "printing/ReportLayout.h"
#include "printing/ReportPainter.h"
#include "receipts/ReceiptArtwork.h"
#include "receipts/ReceiptTemplate.h"
#include "storage/Messages.h"
#include "support/SampleReceipts.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

using namespace tavorel;

namespace {

const QDateTime kNow(QDate(2024, 3, 5), QTime(10, 0, 0));
const QColor kAliceBlue(0xF0, 0xF8, 0xFF);
const QColor kSnow(0xFF, 0xFA, 0xFA);

bool nearRect(const QRectF& a, const QRectF& b)
{
    const double t = 0.01;
    return std::abs(a.left() - b.left()) < t && std::abs(a.top() - b.top()) < t &&
           std::abs(a.width() - b.width()) < t && std::abs(a.height() - b.height()) < t;
}

// Padded where the printout must trim.
TSchedaRicevuta sample()
{
    TSchedaRicevuta r = test::sampleReceipt(QStringLiteral("Rossi Mario\t"));
    r.NumRic = QStringLiteral(" 15 ");
    return r;
}

PreparedPage preparedPage(const Report& report)
{
    const PreparedReport prepared = ReportLayout::prepare(report, kNow);
    return prepared.pages.size() == 1 ? prepared.pages[0] : PreparedPage();
}

} // namespace

class tst_ReceiptTemplate : public QObject {
    Q_OBJECT
private slots:
    void artworkSizes();
    void objectsLieWhereTheTableSays_data();
    void objectsLieWhereTheTableSays();
    void fixedTextsOfBothCopies_data();
    void fixedTextsOfBothCopies();
    void fillGoesIntoBothCopies_data();
    void fillGoesIntoBothCopies();
    void logoInBothCopies();
    void longValuesAreCutAtTheBoxEdge();
    void pdfReadsBack();
    void fiscalTexts_data();
    void fiscalTexts();
    void fiscalTextsOverlapNothing();
};

void tst_ReceiptTemplate::artworkSizes()
{
    const ReceiptPictures pictures = receiptPictures();
    QCOMPARE(pictures.euro.size(), QSize(48, 49));
    QCOMPARE(pictures.comma.size(), QSize(8, 13));
    QCOMPARE(pictures.scissors.size(), QSize(276, 159));
    const QImage logo = defaultLogo();
    QCOMPARE(logo.size(), QSize(297, 184));
    // A blue euro sign on white: white corners, blue ink in the middle.
    QCOMPARE(logo.pixelColor(2, 2), QColor(Qt::white));
    int blue = 0;
    for (int y = 0; y < logo.height(); y += 3)
        for (int x = 0; x < logo.width(); x += 3) {
            const QColor c = logo.pixelColor(x, y);
            blue += c.blue() > c.red() + 60;
        }
    QVERIFY(blue > 200);
}

void tst_ReceiptTemplate::objectsLieWhereTheTableSays_data()
{
    QTest::addColumn<QString>("object");
    QTest::addColumn<QRectF>("rect"); // mm from the sheet's corner
    QTest::addColumn<QColor>("fill"); // shapes only

    const QColor none;
    QTest::newRow("number box, upper") << "shpNumFatt" << QRectF(144, 14, 52, 9) << kAliceBlue;
    QTest::newRow("number box, lower") << "Shape6" << QRectF(144, 169, 52, 9) << kSnow;
    QTest::newRow("number") << "txtNumRic" << QRectF(146, 16, 49, 5) << none;
    QTest::newRow("number, lower") << "txtNumRic_B" << QRectF(146, 171, 49, 5) << none;
    QTest::newRow("date, lower is 6 mm high") << "txtData_B" << QRectF(146, 184, 49, 6) << none;
    QTest::newRow("date box, lower") << "Shape13" << QRectF(144, 182, 52, 9) << kSnow;
    QTest::newRow("words, upper") << "txtImpLettere" << QRectF(26.2, 54, 167, 4) << none;
    QTest::newRow("words, lower 156 mm down") << "txtImpLettere_B" << QRectF(26, 210, 167, 4) << none;
    QTest::newRow("words caption, lower") << "Memo23" << QRectF(25, 216, 169, 3.4) << none;
    QTest::newRow("stamp text, lower 0.5 mm right") << "Memo18" << QRectF(15.5, 251.4, 53, 5) << none;
    QTest::newRow("stamp box, lower") << "Shape8" << QRectF(14, 236, 55, 40) << QColor(Qt::white);
    QTest::newRow("euros") << "txtImporto_B" << QRectF(132, 244.4, 49, 7) << none;
    QTest::newRow("cents box") << "Shape3" << QRectF(185, 88, 11, 9) << kAliceBlue;
    QTest::newRow("copy band, lower") << "Shape5" << QRectF(10, 280, 190, 6) << kSnow;
    QTest::newRow("copy name, lower") << "Memo15" << QRectF(11.5, 281, 187, 4.4) << none;
    QTest::newRow("cut line") << "Memo1" << QRectF(16, 143.2, 185, 8) << none;
    QTest::newRow("scissors") << "Picture3" << QRectF(10, 144.6, 9.4, 9) << none;
    QTest::newRow("euro by the total, lower 0.5 mm right") << "Picture5" << QRectF(119.5, 243, 9.4, 9) << none;
    QTest::newRow("comma") << "Picture6" << QRectF(182.8, 249, 1.4, 3) << none;
    QTest::newRow("logo, lower") << "imgLogo_B" << QRectF(14, 169, 39.4, 22) << none;
    QTest::newRow("frame left edge, lower") << "Line2" << QRectF(10, 165, 0, 115) << none;
    QTest::newRow("signature line") << "lineFirma" << QRectF(99, 116, 90, 0) << none;
}

void tst_ReceiptTemplate::objectsLieWhereTheTableSays()
{
    QFETCH(QString, object);
    QFETCH(QRectF, rect);
    QFETCH(QColor, fill);
    Report report = ReceiptTemplate::create();
    ReceiptTemplate::fill(report, sample(), defaultLogo());
    QCOMPARE(report.page().paperSize, kPaperCustom);
    const PreparedPage page = preparedPage(report);
    QVERIFY(!page.items.empty());

    const QRectF want = mmRect(rect.left(), rect.top(), rect.width(), rect.height());
    QRectF got;
    if (const PreparedRect* r = page.rect(object)) {
        got = r->rect;
        QCOMPARE(r->fill, fill);
        QCOMPARE(r->frame, QColor(Qt::black));
    } else if (const PreparedLine* l = page.line(object)) {
        got = QRectF(l->line.p1(), l->line.p2());
    } else if (const PreparedImage* i = page.image(object)) {
        got = i->box;
        QVERIFY(!i->image.isNull());
    } else if (const ReportMemo* m = report.findMemo(object)) {
        got = m->rect; // a memo with no text has no line on the page
        const auto lines = page.texts(object);
        // A text longer than its box (the cut line's hyphens) is cut 1 mm inside its right edge.
        if (!lines.empty())
            QVERIFY(nearRect(lines.front()->clip, want) ||
                    nearRect(lines.front()->clip, want.adjusted(0, 0, -mmToPx(1.0), 0)));
    }
    QVERIFY2(nearRect(got, want), qPrintable(object));
}

void tst_ReceiptTemplate::fixedTextsOfBothCopies_data()
{
    // clang-format off
    QTest::addColumn<QString>("upper");
    QTest::addColumn<QString>("lower");
    QTest::addColumn<QString>("upperText");
    QTest::addColumn<QString>("lowerText");

    QTest::newRow("stamp") << "titBollo" << "Memo18" << "BOLLO VIGENTE" << "BOLLO APPOSTO SULL'ORIGINALE";
    QTest::newRow("stamp note") << "Memo11" << "Memo22" << "(OVE RICHIESTO)" << "(OVE RICHIESTO)";
    QTest::newRow("copy") << "Memo13" << "Memo15" << "COPIA PER IL PAGATORE" << "COPIA PER IL RICEVENTE";
    QTest::newRow("sport caption") << "Memo2" << "Memo31" << "per l'attività sportiva" << "per l'attività sportiva";
    QTest::newRow("total") << "Memo7" << "Memo8" << "TOTALE :" << "TOTALE :";
    QTest::newRow("cut line: 100 hyphens") << "Memo1"
        << "Memo1" << QString(100, QLatin1Char('-')) << QString(100, QLatin1Char('-'));
    // clang-format on
}

void tst_ReceiptTemplate::fixedTextsOfBothCopies()
{
    QFETCH(QString, upper);
    QFETCH(QString, lower);
    QFETCH(QString, upperText);
    QFETCH(QString, lowerText);
    const PreparedPage page = preparedPage(ReceiptTemplate::create());
    QCOMPARE(page.textLines(upper), QStringList{upperText});
    QCOMPARE(page.textLines(lower), QStringList{lowerText});
}

void tst_ReceiptTemplate::fillGoesIntoBothCopies_data()
{
    // clang-format off
    QTest::addColumn<QString>("euros");
    QTest::addColumn<QString>("words");
    QTest::addColumn<QString>("memo");
    QTest::addColumn<QString>("printed");

    QTest::newRow("words and cents") << "150" << "CENTOCINQUANTA" << "txtImpLettere" << "CENTOCINQUANTA/00";
    QTest::newRow("euros box") << "150" << "CENTOCINQUANTA" << "txtImporto" << "150";
    QTest::newRow("cents box") << "150" << "CENTOCINQUANTA" << "txtCents" << "00";
    QTest::newRow("no amount: words line") << "" << "" << "txtImpLettere" << "/00";
    QTest::newRow("number prefix, trimmed") << "150" << "X" << "txtNumRic" << "Ricevuta n. 15";
    QTest::newRow("date prefix, two blanks") << "150" << "X" << "txtData" << "Data:  05/03/2024";
    QTest::newRow("payer trimmed") << "150" << "X" << "txtPagatore" << "Rossi Mario";
    QTest::newRow("payee line") << "150" << "X" << "txtRicevente01" << "A.S.D. Circolo Sportivo";
    // clang-format on
}

void tst_ReceiptTemplate::fillGoesIntoBothCopies()
{
    QFETCH(QString, euros);
    QFETCH(QString, words);
    QFETCH(QString, memo);
    QFETCH(QString, printed);
    TSchedaRicevuta data = sample();
    data.Importo = euros;
    data.ImpLettere = words;
    Report report = ReceiptTemplate::create();
    report.setOrientation(Orientation::Landscape); // fill puts the page back to portrait
    ReceiptTemplate::fill(report, data, defaultLogo());
    QCOMPARE(report.page().orientation, Orientation::Portrait);
    const PreparedPage page = preparedPage(report);
    QCOMPARE(page.textLines(memo), QStringList{printed});
    QCOMPARE(page.textLines(memo + QStringLiteral("_B")), QStringList{printed});
}

void tst_ReceiptTemplate::logoInBothCopies()
{
    QImage white(297, 184, QImage::Format_RGB32);
    white.fill(Qt::white);
    for (const QImage& logo : {defaultLogo(), white}) {
        Report report = ReceiptTemplate::create();
        ReceiptTemplate::fill(report, sample(), logo);
        const PreparedPage page = preparedPage(report);
        for (const char* name : {"imgLogo", "imgLogo_B"}) {
            const PreparedImage* image = page.image(QLatin1String(name));
            QVERIFY(image);
            QCOMPARE(image->image, logo);
            // Scaled to the box's 22 mm height, keeping its proportions, from the box's corner.
            QVERIFY(std::abs(image->target.height() - mmToPx(22)) < 0.01);
            QVERIFY(std::abs(image->target.width() - mmToPx(22) * 297 / 184) < 0.01);
            QCOMPARE(image->target.topLeft(), image->box.topLeft());
        }
    }
}

void tst_ReceiptTemplate::longValuesAreCutAtTheBoxEdge()
{
    TSchedaRicevuta data = sample();
    data.Ricevente01 = QString(50, QLatin1Char('W'));
    data.Indirizzo = QString(250, QLatin1Char('x'));
    Report report = ReceiptTemplate::create();
    ReceiptTemplate::fill(report, data, defaultLogo());
    const PreparedPage page = preparedPage(report);
    for (const char* name : {"txtRicevente01", "txtIndirizzo_B"}) {
        const auto lines = page.texts(QLatin1String(name));
        QCOMPARE(lines.size(), size_t(1));
        // The box keeps its place; the cut comes 1 mm inside its right edge, clear of the next box.
        const QRectF box = report.findMemo(QLatin1String(name))->rect;
        QCOMPARE(lines[0]->clip, box.adjusted(0, 0, -mmToPx(1.0), 0));
    }
}

void tst_ReceiptTemplate::pdfReadsBack()
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        QSKIP("pdftotext (poppler-utils) is not installed");
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("ricevuta.pdf"));
    Report report = ReceiptTemplate::create();
    ReceiptTemplate::fill(report, sample(), defaultLogo());
    QVERIFY(exportPdf(report, path, kNow));
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"), {path, QStringLiteral("-")});
    QVERIFY(pdftotext.waitForFinished(30000));
    const QString text = QString::fromUtf8(pdftotext.readAllStandardOutput());
    QCOMPARE(text.count(QLatin1Char('\f')), 1); // one page
    QCOMPARE(text.count(QStringLiteral("CENTOCINQUANTA/00")), 2);
    QCOMPARE(text.count(QStringLiteral("Ricevuta n. 15")), 2);
    QVERIFY(text.contains(QStringLiteral("BOLLO APPOSTO SULL'ORIGINALE")));
    QVERIFY(text.contains(QStringLiteral("per l'attività sportiva")));
}

// The stamp box and the payment lines by the club's status, the reason and the amount, read back
// from the PDF (each copy carries them) and from the memos they went into.
void tst_ReceiptTemplate::fiscalTexts_data()
{
    QTest::addColumn<int>("regime");
    QTest::addColumn<QString>("causale");
    QTest::addColumn<QString>("euro");
    QTest::addColumn<QString>("cents");
    QTest::addColumn<QString>("bollo");     // upper copy's title; "" as today
    QTest::addColumn<QString>("sotto");     // the line under it, or the wrapped exemption
    QTest::addColumn<QString>("pagamento"); // the payment line, "" when none

    const int none = int(Regime::NonIndicato), asd = int(Regime::Asd), altro = int(Regime::AltroEnte);
    const QString riga = QStringLiteral("Pagamento: Bonifico bancario o postale del 02/03/2026 rif. TRN77");
    QTest::newRow("not set, nothing stated") << none << QString() << "150"
                                             << "00" << QString() << QString() << QString();
    QTest::newRow("not set, paid by transfer")
        << none << kCausaleCorso << "150"
        << "00" << QString() << QString() << QStringLiteral("Causale: ") + kCausaleCorso + " - " + riga;
    QTest::newRow("asd, membership fee") << asd << kCausaleQuota << "150"
                                         << "00" << kBolloEsente << kEsenteQuotaPredefinita
                                         << QStringLiteral("Causale: ") + kCausaleQuota + " - " + riga;
    QTest::newRow("asd, course") << asd << kCausaleCorso << "20"
                                 << "00" << kBolloEsente << kEsenteCorsoPredefinita
                                 << QStringLiteral("Causale: ") + kCausaleCorso + " - " + riga;
    QTest::newRow("other body, 77,47") << altro << kCausaleCorso << "77"
                                       << "47" << kBolloNonDovuto << kBolloSottoSoglia
                                       << QStringLiteral("Causale: ") + kCausaleCorso + " - " + riga;
    QTest::newRow("other body, 77,48") << altro << kCausaleCorso << "77"
                                       << "48" << QString() << QString()
                                       << QStringLiteral("Causale: ") + kCausaleCorso + " - " + riga;
}

void tst_ReceiptTemplate::fiscalTexts()
{
    QFETCH(int, regime);
    QFETCH(QString, causale);
    QFETCH(QString, euro);
    QFETCH(QString, cents);
    QFETCH(QString, bollo);
    QFETCH(QString, sotto);
    QFETCH(QString, pagamento);
    TSchedaRicevuta data = sample();
    data.Importo = euro;
    data.Cents = cents;
    data.Data = QStringLiteral("02/03/2026");
    const TSchedaPagamento paid = pagamento.isEmpty()
                                      ? TSchedaPagamento{}
                                      : TSchedaPagamento{causale, kPagamentoBonifico, {}, QStringLiteral("TRN77")};
    DatiFiscali dati = DatiFiscali::predefiniti();
    dati.regime = Regime(regime);
    Report report = ReceiptTemplate::create();
    ReceiptTemplate::fill(report, data, defaultLogo(), paid, dati);

    const bool asToday = bollo.isEmpty();
    QCOMPARE(report.findMemo(QStringLiteral("titBollo"))->text(), asToday ? QStringLiteral("BOLLO VIGENTE") : bollo);
    QCOMPARE(report.findMemo(QStringLiteral("Memo18"))->text(),
             asToday ? QStringLiteral("BOLLO APPOSTO SULL'ORIGINALE") : bollo);
    const bool wrapped = regime == int(Regime::Asd);
    for (const char* name : {"Memo11", "Memo22"})
        QCOMPARE(report.findMemo(QLatin1String(name))->text(), asToday   ? QStringLiteral("(OVE RICHIESTO)")
                                                               : wrapped ? QString()
                                                                         : sotto);
    for (const char* name : {"txtEsenzioneBollo", "txtEsenzioneBollo_B"})
        QCOMPARE(report.findMemo(QLatin1String(name))->text(), wrapped ? sotto : QString());
    const QString iva = regime == int(Regime::NonIndicato) ? QString() : kDicituraIvaPredefinita;
    for (const char* suffix : {"", "_B"}) {
        QCOMPARE(report.findMemo(QStringLiteral("txtRigaPagamento") + QLatin1String(suffix))->text(), pagamento);
        QCOMPARE(report.findMemo(QStringLiteral("txtDicituraIva") + QLatin1String(suffix))->text(), iva);
    }

    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        QSKIP("pdftotext (poppler-utils) is not installed");
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("ricevuta.pdf"));
    QVERIFY(exportPdf(report, path, kNow));
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"), {QStringLiteral("-raw"), path, QStringLiteral("-")});
    QVERIFY(pdftotext.waitForFinished(30000));
    const QString text = QString::fromUtf8(pdftotext.readAllStandardOutput()).simplified();
    if (asToday) {
        QCOMPARE(text.count(QStringLiteral("(OVE RICHIESTO)")), 2);
        QCOMPARE(text.count(QStringLiteral("BOLLO VIGENTE")), 1);
    } else {
        QCOMPARE(text.count(bollo), 2);
        QCOMPARE(text.count(sotto.simplified()), 2);
        QCOMPARE(text.count(QStringLiteral("OVE RICHIESTO")), 0);
    }
    if (!pagamento.isEmpty())
        QCOMPARE(text.count(pagamento), 2);
    QCOMPARE(text.count(QStringLiteral("fuori campo IVA")), iva.isEmpty() ? 0 : 2);
}

// With every new text at its longest, nothing it prints reaches another object: the payment lines
// stay between "(IN CIFRE)" and the signature line, right of the stamp box; the exemption stays
// inside the box.
void tst_ReceiptTemplate::fiscalTextsOverlapNothing()
{
    TSchedaRicevuta data = sample();
    const TSchedaPagamento paid{QString(40, QLatin1Char('W')), QString(40, QLatin1Char('W')),
                                QStringLiteral("28/02/2026"), QString(35, QLatin1Char('W'))};
    DatiFiscali dati = DatiFiscali::predefiniti();
    dati.regime = Regime::Asd;
    dati.dicituraIva = QString(120, QLatin1Char('W'));
    dati.esenteCorso = QString(120, QLatin1Char('W'));
    Report report = ReceiptTemplate::create();
    ReceiptTemplate::fill(report, data, defaultLogo(), paid, dati);
    const PreparedPage page = preparedPage(report);
    for (const QString& suffix : {QString(), QStringLiteral("_B")}) {
        const QRectF box = page.rect(suffix.isEmpty() ? QStringLiteral("icoBollo") : QStringLiteral("Shape8"))->rect;
        for (const QString& name : {QStringLiteral("txtRigaPagamento"), QStringLiteral("txtDicituraIva"),
                                    QStringLiteral("txtEsenzioneBollo")}) {
            const auto lines = page.texts(name + suffix);
            QVERIFY2(!lines.empty(), qPrintable(name + suffix));
            for (const PreparedText* line : lines) {
                // What is drawn is the line's box cut by the memo's rectangle.
                const QRectF drawn = line->rect.intersected(line->clip);
                if (name == QLatin1String("txtEsenzioneBollo")) {
                    QVERIFY2(box.contains(drawn), qPrintable(name + suffix));
                    continue;
                }
                for (const PreparedText* other : page.texts()) {
                    if (other->object == line->object || other->text.isEmpty())
                        continue;
                    QVERIFY2(!drawn.intersects(other->rect.intersected(other->clip)),
                             qPrintable(name + suffix + QStringLiteral(" over ") + other->object));
                }
                QVERIFY2(!drawn.intersects(box), qPrintable(name + suffix));
                const QLineF signature =
                    page.line(suffix.isEmpty() ? QStringLiteral("lineFirma") : QStringLiteral("Line4"))->line;
                QVERIFY(drawn.bottom() < signature.y1());
            }
        }
    }
}

QTEST_MAIN(tst_ReceiptTemplate)
#include "tst_ReceiptTemplate.moc"
