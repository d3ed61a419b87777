// Every printout filled with the longest values its fields can hold, written to PDF and read back
// word by word (pdftotext -bbox): each word the PDF holds lies inside the box of the object whose
// text it is, so that nothing printed runs past its box into the next one.
#include "lists/ListRows.h"
#include "members/MemberSheetTemplate.h"
#include "printing/ListTemplate.h"
#include "printing/ReportLayout.h"
#include "printing/ReportPainter.h"
#include "receipts/ReceiptTemplate.h"
#include "storage/RecordLayout.h"
#include "storage/TSchedaIscritto.h"
#include "storage/TSchedaRicevuta.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

using namespace tavorel;

namespace {

const QDateTime kNow(QDate(2026, 12, 10), QTime(9, 30, 0));

struct Word {
    int page = 0;
    QRectF box; // pt, from the page's top-left corner
    QString text;
};

QString unescaped(QString s)
{
    s.replace(QStringLiteral("&lt;"), QStringLiteral("<"));
    s.replace(QStringLiteral("&gt;"), QStringLiteral(">"));
    s.replace(QStringLiteral("&quot;"), QStringLiteral("\""));
    s.replace(QStringLiteral("&#39;"), QStringLiteral("'"));
    s.replace(QStringLiteral("&apos;"), QStringLiteral("'"));
    s.replace(QStringLiteral("&amp;"), QStringLiteral("&"));
    // The PDF's ligatures ("fi" as one glyph) read back as one character.
    return s.normalized(QString::NormalizationForm_KC);
}

// The words of a PDF with their boxes, page by page.
QList<Word> pdfWords(const QString& path)
{
    QProcess tool;
    tool.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), path, QStringLiteral("-")});
    if (!tool.waitForFinished(60000) || tool.exitCode() != 0)
        return {};
    const QString html = QString::fromUtf8(tool.readAllStandardOutput());
    static const QRegularExpression pageOrWord(
        QStringLiteral("<page |<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"([0-9.]+)\" "
                       "yMax=\"([0-9.]+)\">([^<]*)</word>"));
    QList<Word> words;
    int page = -1;
    for (const QRegularExpressionMatch& m : pageOrWord.globalMatch(html)) {
        if (m.captured(0).startsWith(QStringLiteral("<page"))) {
            ++page;
            continue;
        }
        words.append({page,
                      QRectF(QPointF(m.captured(1).toDouble(), m.captured(2).toDouble()),
                             QPointF(m.captured(3).toDouble(), m.captured(4).toDouble())),
                      unescaped(m.captured(5))});
    }
    return words;
}

// A value of the field's whole length, of wide letters, its own for each field (so that a word
// found in another object's box is seen to be out of place). With `blanks` it is made of words.
QString longest(int capacity, int field, bool blanks)
{
    const QString unit =
        QStringLiteral("W") + QChar(u'A' + field % 26) + (field >= 26 ? QStringLiteral("M") : QString());
    QString value;
    while (value.size() < capacity) {
        if (blanks && value.size() % 8 == 7)
            value += QLatin1Char(' ');
        else
            value += unit[value.size() % unit.size()];
    }
    return value.left(capacity);
}

template <typename Record>
Record fullRecord(bool blanks)
{
    Record r;
    int i = 0;
    for (const auto& field : Record::fields())
        r.*field.member = longest(field.capacity, i++, blanks);
    return r;
}

QImage picture(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::gray);
    return image;
}

Report listReport(ListKind kind, const QString& title, const QStringList& rows, const QStringList& extra = {})
{
    Report report = ListTemplate::create(kind);
    fillListReport(report, title, rows, extra);
    return report;
}

} // namespace

class tst_PrintoutBoxes : public QObject {
    Q_OBJECT
private slots:
    void everyWordLiesInItsBox_data();
    void everyWordLiesInItsBox();
};

void tst_PrintoutBoxes::everyWordLiesInItsBox_data()
{
    QTest::addColumn<std::function<Report()>>("make");
    for (const bool blanks : {false, true}) {
        const char* how = blanks ? "words" : "one word";
        const TSchedaRicevuta receipt = fullRecord<TSchedaRicevuta>(blanks);
        const TSchedaIscritto member = fullRecord<TSchedaIscritto>(blanks);
        const QString receiptRow = ListRows::receiptRow(encodeRecord(receipt));
        const QString memberRow = ListRows::memberRow(encodeRecord(member));
        const QString certificateRow = ListRows::certificateRow(encodeRecord(member));
        QTest::addRow("receipt, %s", how) << std::function<Report()>([receipt] {
            Report r = ReceiptTemplate::create();
            ReceiptTemplate::fill(r, receipt, picture(297, 184));
            return r;
        });
        QTest::addRow("member sheet, %s", how) << std::function<Report()>([member] {
            Report r = MemberSheetTemplate::create();
            MemberSheetTemplate::fill(r, member, picture(300, 400));
            return r;
        });
        QTest::addRow("receipts list, %s", how) << std::function<Report()>([receiptRow] {
            return listReport(ListKind::Data, kTitoloRicevuteEmesse, {receiptRow, receiptRow});
        });
        QTest::addRow("members list, %s", how) << std::function<Report()>([memberRow] {
            return listReport(ListKind::Data, kTitoloTessereScadute, {memberRow, memberRow});
        });
        QTest::addRow("certificates list, %s", how) << std::function<Report()>(
            [certificateRow] { return listReport(ListKind::Data, kTitoloCertificatiScaduti, {certificateRow}); });
        QTest::addRow("income summary, %s", how) << std::function<Report()>([receiptRow, receipt] {
            return listReport(ListKind::Income, kTitoloIncassi, {receiptRow},
                              ListTemplate::incomeSummaryLines(QStringLiteral("dal 01/01/2026 al 31/12/2026"),
                                                               QStringLiteral("99.999.999.999,99 ") + receipt.Intero));
        });
    }
}

void tst_PrintoutBoxes::everyWordLiesInItsBox()
{
    QFETCH(std::function<Report()>, make);
    QVERIFY2(!QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty(),
             "pdftotext (poppler-utils, installed by scripts/bootstrap) is needed");
    const Report report = make();
    QTemporaryDir dir;
    // TAVOREL_PRINTOUTS names a folder to keep the PDFs in, for a look at them.
    const QString keep = qEnvironmentVariable("TAVOREL_PRINTOUTS");
    const QString path =
        keep.isEmpty() ? dir.filePath(QStringLiteral("stampa.pdf"))
                       : QDir(keep).filePath(QString::fromLatin1(QTest::currentDataTag()) + QStringLiteral(".pdf"));
    QVERIFY(exportPdf(report, path, kNow));
    const PreparedReport prepared = ReportLayout::prepare(report, kNow);
    const QList<Word> words = pdfWords(path);
    QVERIFY(!words.isEmpty());

    constexpr double kPt = 72.0 / 96.0; // report px to PDF points
    constexpr double kTolerance = 0.3;  // pt: rounding of the PDF's coordinates
    int cut = 0;
    for (const Word& word : words) {
        QVERIFY(word.page >= 0 && size_t(word.page) < prepared.pages.size());
        // The lines whose box the word starts in and whose text holds it.
        const QPointF start(word.box.left() + 0.5, word.box.center().y());
        const PreparedText* home = nullptr;
        for (const PreparedText* t : prepared.pages[size_t(word.page)].texts()) {
            const QRectF memo(QPointF(t->clip.left(), t->clip.top()), QPointF(t->rect.right() + 2.0, t->clip.bottom()));
            const QRectF pt(memo.topLeft() * kPt, memo.bottomRight() * kPt);
            if (pt.contains(start) && t->text.contains(word.text)) {
                home = t;
                if (word.box.right() <= t->clip.right() * kPt + kTolerance)
                    break;
            }
        }
        QVERIFY2(home, qPrintable(QStringLiteral("\"%1\" at %2,%3 lies in no box that prints it")
                                      .arg(word.text)
                                      .arg(word.box.left())
                                      .arg(word.box.top())));
        const double right = home->clip.right() * kPt;
        QVERIFY2(word.box.right() <= right + kTolerance,
                 qPrintable(QStringLiteral("\"%1\" of %2 ends at %3 pt, past its box's %4 pt")
                                .arg(word.text, home->object)
                                .arg(word.box.right())
                                .arg(right)));
        QVERIFY2(word.box.left() >= home->clip.left() * kPt - kTolerance, qPrintable(word.text));
        if (home->clip.right() < home->rect.right() + 2.0 - 1.0)
            ++cut;
    }
    // The longest values do not all fit: the check saw texts cut at the edge of their box.
    QVERIFY(cut > 0);
}

QTEST_MAIN(tst_PrintoutBoxes)
#include "tst_PrintoutBoxes.moc"
