// The member sheet: its boxes where the layout puts them, each text read back from the PDF inside
// its own box, the photo fitted into its area, and the print and preview windows with their warnings.
#include "members/MemberSheetTemplate.h"
#include "members/PhotoStore.h"
#include "members/TfrmAnteprimaTiratori.h"
#include "members/TfrmStampaTiratori.h"
#include "printing/ReportLayout.h"
#include "printing/ReportPainter.h"
#include "shell/Artwork.h"
#include "storage/Messages.h"
#include "storage/TSchedaIscritto.h"
#include "support/FakePlatform.h"
#include "support/Screens.h"

#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace tavorel;
using tavorel::test::child;
using tavorel::test::FakePlatformScope;

namespace {

const QDateTime kNow(QDate(2026, 12, 10), QTime(9, 30));

// A member whose every field holds a word of its own, short enough for the narrowest box.
TSchedaIscritto distinctMember()
{
    TSchedaIscritto r;
    const auto& fields = TSchedaIscritto::fields();
    for (size_t i = 0; i < fields.size(); ++i)
        r.*(fields[i].member) = QStringLiteral("Q%1").arg(i + 1);
    r.Sesso = QStringLiteral("F");
    return r;
}

struct PdfWord {
    QString text;
    QRectF box; // points, from the top-left of the sheet
};

// The words of a one-page PDF with their boxes, as poppler reads them back.
QList<PdfWord> pdfWords(const QString& path)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), path, QStringLiteral("-")});
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return {};
    const QString html = QString::fromUtf8(process.readAllStandardOutput());
    static const QRegularExpression word(QString::fromLatin1(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re"));
    QList<PdfWord> words;
    for (auto it = word.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        words.append({m.captured(5), QRectF(QPointF(m.captured(1).toDouble(), m.captured(2).toDouble()),
                                            QPointF(m.captured(3).toDouble(), m.captured(4).toDouble()))});
    }
    return words;
}

// A memo's rectangle on the sheet in points (the template measures from inside the 10 mm margins).
QRectF sheetPoints(const QRectF& px)
{
    const double k = 72.0 / 96.0;
    const double margin = 10.0 * 72.0 / 25.4;
    return QRectF(px.x() * k + margin, px.y() * k + margin, px.width() * k, px.height() * k);
}

QString unescape(QString s)
{
    return s.replace(QStringLiteral("&apos;"), QStringLiteral("'"))
        .replace(QStringLiteral("&amp;"), QStringLiteral("&"));
}

std::unique_ptr<MemberSheetDialog> makeDialog(bool preview, const TSchedaIscritto& r, const QImage& photo)
{
    if (preview)
        return std::make_unique<TfrmAnteprimaTiratori>(nullptr, r, photo);
    return std::make_unique<TfrmStampaTiratori>(nullptr, r, photo);
}

} // namespace

class tst_MemberSheet : public QObject {
    Q_OBJECT
private slots:
    void boxesFollowTheLayout_data();
    void boxesFollowTheLayout();
    void boxesStayApartAndOnThePage();
    void textsReadBackInTheirBoxes();
    void photoFillsItsAreaKeepingProportions();
    void windowsOutputTheSheet_data();
    void windowsOutputTheSheet();
    void rendererFailureIsWarned_data();
    void rendererFailureIsWarned();
    void annullaOutputsNothing();
};

void tst_MemberSheet::boxesFollowTheLayout_data()
{
    QTest::addColumn<QString>("object");
    QTest::addColumn<QRectF>("mm");
    QTest::newRow("title bar") << QStringLiteral("shpTitolo") << QRectF(1.0, 1.0, 188.0, 8.0);
    QTest::newRow("name") << QStringLiteral("txtTiratore") << QRectF(2.0, 2.2, 186.0, 6.0);
    QTest::newRow("photo") << QStringLiteral("imgLogo") << QRectF(1.0, 11.0, 188.0, 140.0);
    QTest::newRow("caption by the rule") << QStringLiteral("titCodFisc") << QRectF(143.0, 168.0, 45.0, 3.6);
    QTest::newRow("value by the rule") << QStringLiteral("txtCodFisc") << QRectF(143.0, 173.4, 45.0, 4.0);
    QTest::newRow("value box") << QStringLiteral("shpCodFisc") << QRectF(142.0, 172.0, 47.0, 6.0);
    QTest::newRow("caption PROFESSIONE") << QStringLiteral("titProfessione") << QRectF(2.0, 196.0, 89.8, 3.6);
    QTest::newRow("value txtProfessione") << QStringLiteral("txtProfessione") << QRectF(2.0, 201.0, 89.9, 4.0);
    QTest::newRow("caption PRATICANTE") << QStringLiteral("titArmi") << QRectF(2.0, 238.0, 89.8, 3.6);
    QTest::newRow("caption NOTE") << QStringLiteral("titRaccomandazioni") << QRectF(2.0, 265.6, 185.8, 3.6);
    QTest::newRow("value txtNote") << QStringLiteral("txtNote") << QRectF(2.0, 271.0, 186.0, 4.0);
    QTest::newRow("last box ends at 276") << QStringLiteral("shpNote") << QRectF(1.0, 270.0, 188.0, 6.0);
}

void tst_MemberSheet::boxesFollowTheLayout()
{
    QFETCH(QString, object);
    QFETCH(QRectF, mm);
    const Report report = MemberSheetTemplate::create();
    const ReportObject* o = report.findObject(object);
    QVERIFY2(o, qPrintable(object));
    const QRectF expected = mmRect(mm.x(), mm.y(), mm.width(), mm.height());
    QVERIFY2(std::abs(o->rect.x() - expected.x()) < 0.01 && std::abs(o->rect.y() - expected.y()) < 0.01 &&
                 std::abs(o->rect.width() - expected.width()) < 0.01 &&
                 std::abs(o->rect.height() - expected.height()) < 0.01,
             qPrintable(object));
}

void tst_MemberSheet::boxesStayApartAndOnThePage()
{
    const Report report = MemberSheetTemplate::create();
    QCOMPARE(report.name(), QStringLiteral("Scheda Iscritto"));
    QCOMPARE(report.page().paperSize, kPaperA4);
    QCOMPARE(report.page().topMarginMm, 10.0);
    const QRectF printable(0, 0, mmToPx(190.0), mmToPx(277.0));
    QList<QRectF> valueBoxes;
    const auto& fields = TSchedaIscritto::fields();
    for (size_t i = 1; i < 26; ++i) { // the 25 boxes; field 1 is the title
        const QString base = QLatin1String(fields[i].name);
        const ReportShape* box = report.findShape(QStringLiteral("shp") + base);
        const ReportMemo* value = report.findMemo(QStringLiteral("txt") + base);
        QVERIFY2(box && value, qPrintable(base));
        QVERIFY2(printable.contains(box->rect), qPrintable(base));
        QVERIFY2(box->rect.contains(value->rect), qPrintable(base));
        QVERIFY(!value->wordWrap && !value->allowExpressions);
        QCOMPARE(value->hAlign, base == QLatin1String("Sesso") ? HAlign::Center : HAlign::Left);
        for (const QRectF& other : valueBoxes)
            QVERIFY2(!other.intersects(box->rect), qPrintable(base));
        valueBoxes.append(box->rect);
    }
}

void tst_MemberSheet::textsReadBackInTheirBoxes()
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        QSKIP("pdftotext (poppler-utils) is not installed");
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("scheda.pdf"));
    TSchedaIscritto member = distinctMember();
    member.Note = QStringLiteral("[DATE]"); // printed as it stands
    Report report = MemberSheetTemplate::create();
    MemberSheetTemplate::fill(report, member, placeholderPhoto());
    QVERIFY(exportPdf(report, path, kNow));
    const QList<PdfWord> words = pdfWords(path);
    QVERIFY(!words.isEmpty());

    const auto& fields = TSchedaIscritto::fields();
    for (size_t i = 0; i < 26; ++i) {
        const QString memo = QStringLiteral("txt") + QLatin1String(fields[i].name);
        const QString text = member.*(fields[i].member);
        const QRectF box = sheetPoints(report.findMemo(memo)->rect).adjusted(-1, -1, 1, 1);
        int found = 0;
        for (const PdfWord& w : words)
            if (unescape(w.text) == text) {
                ++found;
                QVERIFY2(box.contains(w.box), qPrintable(memo + QStringLiteral(" outside its box")));
            }
        QVERIFY2(found == 1, qPrintable(memo + QStringLiteral(" read back %1 times").arg(found)));
    }
    // The captions, each inside its bar.
    for (const auto& [object, caption] : {std::pair{"titQuota", "QUOTA:"}, std::pair{"titRaccomandazioni", "NOTE"},
                                          std::pair{"titSesso", "SESSO"}, std::pair{"titEnte", "ATTIVITA'"}}) {
        const QRectF bar = sheetPoints(report.findMemo(QLatin1String(object))->rect).adjusted(-1, -1, 1, 1);
        bool inside = false;
        for (const PdfWord& w : words)
            inside = inside || (unescape(w.text) == QLatin1String(caption) && bar.contains(w.box));
        QVERIFY2(inside, object);
    }
    // The attachments are not printed.
    for (const PdfWord& w : words)
        QVERIFY(w.text != QStringLiteral("Q27") && w.text != QStringLiteral("Q32"));
}

void tst_MemberSheet::photoFillsItsAreaKeepingProportions()
{
    Report report = MemberSheetTemplate::create();
    MemberSheetTemplate::fill(report, TSchedaIscritto{}, placeholderPhoto());
    const PreparedReport prepared = ReportLayout::prepare(report, kNow);
    QCOMPARE(prepared.pages.size(), size_t(1));
    const PreparedImage* photo = prepared.pages[0].image(QStringLiteral("imgLogo"));
    QVERIFY(photo);
    // 307 x 394 enlarged to 140 mm high, about 109 mm wide, in the middle of the area.
    QCOMPARE(qRound(pxToMm(photo->target.height()) * 10), 1400);
    QCOMPARE(qRound(pxToMm(photo->target.width())), 109);
    QVERIFY(std::abs(photo->target.center().x() - photo->box.center().x()) < 0.5);
}

void tst_MemberSheet::windowsOutputTheSheet_data()
{
    QTest::addColumn<bool>("preview");
    QTest::addColumn<bool>("withPhoto");
    QTest::newRow("Mostra anteprima, photo") << true << true;
    QTest::newRow("Stampa, photo") << false << true;
    QTest::newRow("Stampa, no picture from the editor") << false << false;
}

void tst_MemberSheet::windowsOutputTheSheet()
{
    QFETCH(bool, preview);
    QFETCH(bool, withPhoto);
    FakePlatformScope scope;
    // A cleared editor: empty fields, "0,00" as fee; unsaved text is what prints.
    TSchedaIscritto cleared;
    cleared.Quota = QStringLiteral("0,00");
    cleared.Tiratore = QStringLiteral("  Rossi Maria  ");
    QImage photo = withPhoto ? placeholderPhoto() : QImage();
    auto dialog = makeDialog(preview, cleared, photo);
    auto* btnStampa = child<QPushButton>(dialog.get(), "btnStampa");
    QCOMPARE(btnStampa->text(), preview ? QStringLiteral("Mostra anteprima") : QStringLiteral("Stampa"));
    dialog->show();
    btnStampa->click();
    const QList<Report>& out = preview ? scope.fake.previewed : scope.fake.printed;
    QCOMPARE(out.size(), 1);
    QCOMPARE((preview ? scope.fake.printed : scope.fake.previewed).size(), 0);
    const Report& r = out.first();
    QCOMPARE(r.name(), QStringLiteral("Scheda Iscritto"));
    QCOMPARE(r.page().orientation, Orientation::Portrait);
    QCOMPARE(r.findMemo(QStringLiteral("txtTiratore"))->text(), QStringLiteral("Rossi Maria"));
    QCOMPARE(r.findMemo(QStringLiteral("txtQuota"))->text(), QStringLiteral("0,00"));
    QCOMPARE(r.findMemo(QStringLiteral("txtNote"))->text(), QString());
    QCOMPARE(r.findPicture(QStringLiteral("imgLogo"))->picture, withPhoto ? placeholderPhoto() : defaultLogo());
    QVERIFY(scope.fake.messages.isEmpty());
    QVERIFY(!dialog->isVisible());
    QCOMPARE(dialog->result(), int(QDialog::Accepted));
}

void tst_MemberSheet::rendererFailureIsWarned_data()
{
    QTest::addColumn<bool>("preview");
    QTest::addColumn<QString>("warning");
    QTest::newRow("Mostra anteprima") << true << kMsgSchedaAnteprima;
    QTest::newRow("Stampa") << false << kMsgSchedaStampa;
}

void tst_MemberSheet::rendererFailureIsWarned()
{
    QFETCH(bool, preview);
    QFETCH(QString, warning);
    FakePlatformScope scope;
    scope.fake.printFailure = QStringLiteral("picture too large");
    scope.fake.answers << Answer::Cancel; // the answer changes nothing
    auto dialog = makeDialog(preview, distinctMember(), placeholderPhoto());
    dialog->show();
    child<QPushButton>(dialog.get(), "btnStampa")->click();
    QCOMPARE(scope.fake.messages.size(), 1);
    QCOMPARE(scope.fake.messages[0].kind, MessageKind::Warning);
    QCOMPARE(scope.fake.messages[0].text, warning);
    QVERIFY(!dialog->isVisible());
    QVERIFY(scope.fake.verifyConsumed());
}

void tst_MemberSheet::annullaOutputsNothing()
{
    FakePlatformScope scope;
    TfrmStampaTiratori dialog(nullptr, distinctMember(), placeholderPhoto());
    dialog.show();
    child<QPushButton>(&dialog, "btnAnnulla")->click();
    QVERIFY(scope.fake.printed.isEmpty());
    QVERIFY(scope.fake.messages.isEmpty());
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
}

QTEST_MAIN(tst_MemberSheet)
#include "tst_MemberSheet.moc"
