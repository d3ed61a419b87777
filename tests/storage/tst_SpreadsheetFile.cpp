// The spreadsheet file of the exports, byte for byte on a buffer.
#include "storage/SpreadsheetFile.h"

#include <QBuffer>
#include <QTest>

using namespace tavorel;

namespace {

// Everything before the header row and after the last data row, as the file holds it.
const QByteArray kHead =
    "<html xmlns:o=\"urn:schemas-microsoft-com:office:office\" xmlns:x=\"urn:schemas-microsoft-com:office:excel\" "
    "xmlns=\"http://www.w3.org/TR/REC-html40\"><head>"
    "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">"
    "<style>.testo{mso-number-format:\"\\@\";}</style>"
    "<!--[if gte mso 9]><xml><x:ExcelWorkbook><x:ExcelWorksheets><x:ExcelWorksheet>"
    "<x:Name>Riepilogo Prove</x:Name><x:WorksheetOptions><x:Selected/><x:Panes><x:Pane>"
    "<x:Number>1</x:Number><x:ActiveRow>3</x:ActiveRow></x:Pane></x:Panes>"
    "<x:ProtectContents>False</x:ProtectContents><x:ProtectObjects>False</x:ProtectObjects>"
    "<x:ProtectScenarios>False</x:ProtectScenarios></x:WorksheetOptions></x:ExcelWorksheet>"
    "</x:ExcelWorksheets></x:ExcelWorkbook></xml><![endif]--></head><body><table x:str>";
const QByteArray kTail = "</table></body></html>";

const QByteArray kHeaderRow = "<tr><td style=\"text-align: left; font-weight: bold;\" width=200>Citt\xe0</td>"
                              "<td style=\"text-align: left; font-weight: bold;\" width=150>Totale: \x80</td></tr>";

QByteArray dataCell(const QByteArray& text)
{
    return "<td class=\"testo\" style=\"text-align: left;\">" + text + "</td>";
}

QByteArray write(const QList<QStringList>& rows)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    SpreadsheetWriter w(buffer, QStringLiteral("Riepilogo Prove"),
                        {{QStringLiteral("Città"), 200}, {QStringLiteral("Totale: €"), 150}});
    for (const QStringList& row : rows)
        w.writeRow(row);
    if (!w.finish())
        return "failed";
    return buffer.data();
}

} // namespace

class tst_SpreadsheetFile : public QObject {
    Q_OBJECT
private slots:
    void noRows();
    void cells_data();
    void cells();
    void rowsInOrderOnOneLine();
    void largeFileWrittenWhole();
    void failedDeviceIsReported();
};

void tst_SpreadsheetFile::noRows()
{
    QCOMPARE(write({}), kHead + kHeaderRow + kTail);
}

void tst_SpreadsheetFile::cells_data()
{
    // clang-format off
    QTest::addColumn<QString>("cell");
    QTest::addColumn<QByteArray>("written");
    QTest::newRow("plain") << "Rossi Mario" << QByteArray("Rossi Mario");
    QTest::newRow("empty") << "" << QByteArray();
    QTest::newRow("leading zeros kept as typed") << "00100" << QByteArray("00100");
    QTest::newRow("blanks and controls at the ends") << " \t Forlì \r\n" << QByteArray("Forl\xec");
    QTest::newRow("line break inside becomes a blank") << "Via Roma\r\n7" << QByteArray("Via Roma &#32;7");
    QTest::newRow("a run of blanks is kept") << "Via  Roma   7" << QByteArray("Via &#32;Roma &#32;&#32;7");
    QTest::newRow("HTML-special characters") << "<b>Tom & Jerry</b>" << QByteArray("&lt;b&gt;Tom &amp; Jerry&lt;/b&gt;");
    QTest::newRow("entity-looking text stays text") << "&lt;" << QByteArray("&amp;lt;");
    QTest::newRow("Windows-1252 letters") << "Niccolò € “x”" << QByteArray("Niccol\xf2 \x80 \x93x\x94");
    QTest::newRow("outside the code page") << "Łukasz 😀" << QByteArray("&#321;ukasz &#128512;");
    // clang-format on
}

void tst_SpreadsheetFile::cells()
{
    QFETCH(QString, cell);
    QFETCH(QByteArray, written);
    QCOMPARE(write({{cell, QStringLiteral("1")}}),
             kHead + kHeaderRow + "<tr>" + dataCell(written) + dataCell("1") + "</tr>" + kTail);
}

void tst_SpreadsheetFile::rowsInOrderOnOneLine()
{
    // A short row gets empty cells; extra cells are not written.
    const QByteArray file = write({{QStringLiteral("a"), QStringLiteral("b")},
                                   {QStringLiteral("c")},
                                   {QStringLiteral("d"), QStringLiteral("e"), QStringLiteral("f")}});
    QCOMPARE(file, kHead + kHeaderRow + "<tr>" + dataCell("a") + dataCell("b") + "</tr><tr>" + dataCell("c") +
                       dataCell("") + "</tr><tr>" + dataCell("d") + dataCell("e") + "</tr>" + kTail);
    QVERIFY(!file.contains('\n'));
    QVERIFY(!file.contains('\r'));
}

void tst_SpreadsheetFile::largeFileWrittenWhole()
{
    // Many rows cross the writer's block size several times; nothing is lost or doubled at a seam.
    QList<QStringList> rows;
    QByteArray expected = kHead + kHeaderRow;
    for (int i = 0; i < 5000; ++i) {
        rows.append({QString::number(i), QStringLiteral("x")});
        expected += "<tr>" + dataCell(QByteArray::number(i)) + dataCell("x") + "</tr>";
    }
    QCOMPARE(write(rows), expected + kTail);
}

void tst_SpreadsheetFile::failedDeviceIsReported()
{
    QBuffer buffer;
    buffer.open(QIODevice::ReadOnly);
    SpreadsheetWriter w(buffer, QStringLiteral("x"), {{QStringLiteral("a"), 1}});
    w.writeRow(QStringList{QStringLiteral("1")});
    QVERIFY(!w.finish());
}

QTEST_GUILESS_MAIN(tst_SpreadsheetFile)
#include "tst_SpreadsheetFile.moc"
