#include "lists/ListFind.h"
#include "lists/ListRows.h"
#include "lists/RowTable.h"
#include "rules/TextRules.h"
#include "storage/Cp1252.h"
#include "support/RowOracle.h"
#include "support/SampleReceipts.h"

#include <QtTest>

using namespace tavorel;

namespace {

TSchedaIscritto member(const QString& name, const QString& mobile)
{
    TSchedaIscritto m;
    m.Tiratore = name;
    m.Tel = QStringLiteral("0612345678");
    m.Cel = mobile;
    m.Tessera = QStringLiteral("A-2024-17");
    m.FineTes = QStringLiteral("31/12/2024");
    m.Quota = QStringLiteral("35,00");
    m.CodFisc = QStringLiteral("RSSMRA80A01H501U");
    m.Ente = QStringLiteral("Tiro a volo");
    m.Studio = QStringLiteral("15/09/2024");
    return m;
}

// The rows the lists write from a record as the program stores it.
QString storedReceiptRow(const TSchedaRicevuta& r)
{
    return ListRows::receiptRow(encodeRecord(r));
}
QString storedMemberRow(const TSchedaIscritto& m)
{
    return ListRows::memberRow(encodeRecord(m));
}
QString storedCertificateRow(const TSchedaIscritto& m)
{
    return ListRows::certificateRow(encodeRecord(m));
}

// 1-based position of `label` in `row`, as the columns are counted on paper.
int position(const QString& row, const QString& label)
{
    return int(row.indexOf(label)) + 1;
}

} // namespace

class tst_ListRows : public QObject {
    Q_OBJECT
private slots:
    void columnsStartAtFixedPositions_data();
    void columnsStartAtFixedPositions();
    void valuesAreTrimmedCutAndPadded_data();
    void valuesAreTrimmedCutAndPadded();
    void sortedOrder_data();
    void sortedOrder();
    void sortAgreesWithComparingWholeKeys();
    void rowTableKeepsEveryByte();
    void rowTablesJoinInOrder();
    void rowsSurviveGrowth();
    void find_data();
    void find();
    void findOnAnEmptyList();
    void rowsFromStoredRecords();
};

void tst_ListRows::columnsStartAtFixedPositions_data()
{
    QTest::addColumn<QString>("row");
    QTest::addColumn<QString>("label");
    QTest::addColumn<int>("labelAt");
    QTest::addColumn<QString>("value");
    QTest::addColumn<int>("valueAt");

    const QString longPayer = QStringLiteral("Bianchi Rossi Verdi Esposito Mario Luigi"); // 40
    const QString row = storedReceiptRow(test::sampleReceipt(longPayer));
    QTest::newRow("40-char payer keeps 26") << row << "  Sport: " << 67 << longPayer.left(26) << 41;
    QTest::newRow("receipt total") << row << "  Tot. € " << 137 << "150,00" << 146;
    QTest::newRow("short payer, same columns")
        << storedReceiptRow(test::sampleReceipt(QStringLiteral("Neri"))) << "  Sport: " << 67 << "Nuoto" << 76;
    QTest::newRow("member fee") << storedMemberRow(member(QStringLiteral("Rossi Mario"), QStringLiteral("3331234567")))
                                << "  Quota: € " << 132 << "35,00" << 143;
    QTest::newRow("certificate date") << storedCertificateRow(
                                             member(QStringLiteral("Rossi Mario"), QStringLiteral("3331234567")))
                                      << "  Scad. certificato: " << 124 << "15/09/2024" << 145;
}

void tst_ListRows::columnsStartAtFixedPositions()
{
    QFETCH(QString, row);
    QFETCH(QString, label);
    QFETCH(int, labelAt);
    QFETCH(QString, value);
    QFETCH(int, valueAt);
    QCOMPARE(position(row, label), labelAt);
    QCOMPARE(row.mid(valueAt - 1, value.size()), value);
    QVERIFY(row.endsWith(row.mid(valueAt - 1)));
}

void tst_ListRows::valuesAreTrimmedCutAndPadded_data()
{
    // clang-format off
    QTest::addColumn<QString>("row");
    QTest::addColumn<QString>("expected");

    const auto blanks = [](int n) { return QString(n, QLatin1Char(' ')); };
    QTest::newRow("member without mobile: 16 blanks")
        << storedMemberRow(member(QStringLiteral("Rossi Mario"), QString()))
        << QStringLiteral("Rossi Mario") + blanks(19) + QStringLiteral("  Tel. 0612345678") + blanks(6) +
               QStringLiteral("  Cel. ") + blanks(16) + QStringLiteral("  Tessera n. A-2024-17") + blanks(15) +
               QStringLiteral("  Scad. 31/12/2024  Quota: € 35,00");
    TSchedaRicevuta r = test::sampleReceipt(QStringLiteral(" \t Neri\r\n"));
    r.NumRic = QStringLiteral("\x01") + QStringLiteral("2024/0001-ABCDEFG "); // 17 characters and controls
    r.Intero = QStringLiteral("  1234567,89 "); // the whole field, trimmed, past any column
    QTest::newRow("trimmed controls, cut number, last value whole") << storedReceiptRow(r)
        << QStringLiteral("Ric. n. 2024/0001-AB  Data: 05/03/2024  Neri") + blanks(22) +
               QStringLiteral("  Sport: Nuoto") + blanks(25) +
               QStringLiteral("  Dal 01/03/2024  Al 31/03/2024  Tot. € 1234567,89");
    QTest::newRow("empty certificate row keeps its columns") << storedCertificateRow(TSchedaIscritto())
        << blanks(32) + QStringLiteral("  Cel. ") + blanks(20) + QStringLiteral("  C.F. ") + blanks(16) +
               QStringLiteral("  Sport: ") + blanks(32) + QStringLiteral("  Scad. certificato: ");
    // clang-format on
}

void tst_ListRows::valuesAreTrimmedCutAndPadded()
{
    QFETCH(QString, row);
    QFETCH(QString, expected);
    QCOMPARE(row, expected);
}

void tst_ListRows::sortedOrder_data()
{
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<QStringList>("sorted");

    QTest::newRow("a-z folded") << QStringList{"rossi", "Bianchi", "ROSSA", "bianco"}
                                << QStringList{"Bianchi", "bianco", "ROSSA", "rossi"};
    QTest::newRow("prefix first") << QStringList{"Rossi Mario", "Rossi", "Ross"}
                                  << QStringList{"Ross", "Rossi", "Rossi Mario"};
    // Not folded: É (201) and é (233) come after every unaccented letter, É before é.
    QTest::newRow("accents by code") << QStringList{"éra", "Zeta", "Éra", "era"}
                                     << QStringList{"era", "Zeta", "Éra", "éra"};
    QTest::newRow("blank before letters")
        << QStringList{"Rossi Mario", "RossiA"} << QStringList{"Rossi Mario", "RossiA"};
}

void tst_ListRows::sortedOrder()
{
    QFETCH(QStringList, rows);
    QFETCH(QStringList, sorted);
    RowTable table = RowTable::fromStringList(rows);
    table.sort();
    QCOMPARE(table.toStringList(), sorted);
    QCOMPARE(table.longest(), int(std::max_element(sorted.begin(), sorted.end(), [](auto& a, auto& b) {
                                      return a.size() < b.size();
                                  })->size()));
}

// Rows drawn from few characters, so that many share long beginnings, differ only in case or are
// equal, with the characters on either side of A-Z and a-z, accents, a euro sign, a byte the code
// page leaves unassigned, a character it lacks and a surrogate pair (both kept as "?"): the list
// order must be the stable order of ConfrontaAZ over the rows as the list shows them.
void tst_ListRows::sortAgreesWithComparingWholeKeys()
{
    const QString alphabet = QStringLiteral("aAbBzZ@[`{ \u00e1\u00c1\u00fa\u00e9\u00c9\u20ac\u0081\u0100") +
                             QString::fromUcs4(U"\U0001F600");
    QRandomGenerator random(20261210);
    QStringList rows;
    for (int i = 0; i < 3000; ++i) {
        QString row = i % 3 ? QStringLiteral("Rossi Mario ") : QString();
        const int length = random.bounded(0, 14);
        for (int j = 0; j < length; ++j) {
            const qsizetype at = random.bounded(qsizetype(alphabet.size() - 1));
            row += QChar::isHighSurrogate(alphabet[at].unicode()) ? alphabet.sliced(at, 2) : QString(alphabet[at]);
        }
        rows.append(row);
    }
    RowTable table = RowTable::fromStringList(rows);
    QStringList expected = table.toStringList();
    QVERIFY(expected.join(QString()).contains(QLatin1Char('?')));
    std::stable_sort(expected.begin(), expected.end(),
                     [](const QString& a, const QString& b) { return ConfrontaAZ(a, b) < 0; });
    table.sort();
    QCOMPARE(table.toStringList(), expected);
}

// A list keeps its rows as Windows-1252 bytes: every byte comes back as it went in, and as the
// character the archives mean by it; a text row keeps what the code page can hold.
void tst_ListRows::rowTableKeepsEveryByte()
{
    QByteArray every;
    for (int b = 0; b < 256; ++b)
        every.append(char(b));
    RowTable table;
    table.append(QByteArrayView(every));
    table.append(QStringLiteral("Niccol\u00f2 \u20ac \u0100"));
    table.appendWith([](QByteArray& text) { text.append("abc"); });
    QCOMPARE(table.size(), 3);
    QCOMPARE(table.bytesAt(0), QByteArrayView(every));
    QCOMPARE(table.at(0), fromCp1252(every));
    QCOMPARE(table.at(1), QStringLiteral("Niccol\u00f2 \u20ac ?"));
    QCOMPARE(table.at(2), QStringLiteral("abc"));
    QCOMPARE(table.longest(), 256);
    QCOMPARE(RowTable::fromStringList(table.toStringList()).toStringList(), table.toStringList());
}

// A scan's tables of a run each are joined into the list: rows keep their order and bytes, and the
// sort of the joined table is the sort of the rows, equal rows in the order they were joined.
void tst_ListRows::rowTablesJoinInOrder()
{
    RowTable joined;
    RowTable first = RowTable::fromStringList({"beta", "alfa", "same"});
    RowTable empty;
    RowTable second = RowTable::fromStringList({"same", "a much longer row than the others", "Alfa"});
    joined.appendRows(std::move(first));
    joined.appendRows(std::move(empty));
    joined.appendRows(std::move(second));
    QVERIFY(first.isEmpty());
    QVERIFY(second.isEmpty());
    const QStringList rows{"beta", "alfa", "same", "same", "a much longer row than the others", "Alfa"};
    QCOMPARE(joined.toStringList(), rows);
    QCOMPARE(joined.longest(), 33);
    QCOMPARE(joined.bytesAt(3).data(), joined.bytesAt(2).data() + 4);
    joined.sort();
    QCOMPARE(joined.toStringList(),
             QStringList({"a much longer row than the others", "alfa", "Alfa", "beta", "same", "same"}));
    QCOMPARE(joined.bytesAt(4).data() < joined.bytesAt(5).data(), true); // stable
}

// A table's rows survive its growth, whichever way they came (written in place or joined from a
// run's table) and however long they are.
void tst_ListRows::rowsSurviveGrowth()
{
    auto rowOf = [](int list, int i, int width) {
        return QByteArray::number(list) + ':' + QByteArray::number(i).rightJustified(width, char('a' + list));
    };
    struct Case {
        int rows;
        int width;
    };
    // Bigger than a run's buffer, then smaller and bigger again, then rows longer than a row's room.
    const Case cases[] = {{30000, 60}, {500, 40}, {20000, 30}, {50000, 100}, {40, 9000}, {3000, 20}};
    for (int list = 0; list < int(std::size(cases)); ++list) {
        const Case c = cases[list];
        RowTable table;
        RowTable run;
        for (int i = 0; i < c.rows; ++i) {
            // Half the rows written in place, half joined from a run's table.
            if (i < c.rows / 2) {
                table.appendWith([&](QByteArray& text) { text.append(rowOf(list, i, c.width)); });
            } else {
                run.append(QByteArrayView(rowOf(list, i, c.width)));
                if (run.size() == 1000 || i == c.rows - 1)
                    table.appendRows(std::move(run));
            }
        }
        QCOMPARE(table.size(), c.rows);
        for (int i = 0; i < c.rows; ++i) {
            if (table.bytesAt(i) != rowOf(list, i, c.width))
                QFAIL(qPrintable(QStringLiteral("list %1, row %2: %3").arg(list).arg(i).arg(table.at(i))));
        }
        if (list % 2)
            table.clear();
        QVERIFY(list % 2 == 0 || table.isEmpty());
    }
}

void tst_ListRows::find_data()
{
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<int>("selected");
    QTest::addColumn<QString>("remembered");
    QTest::addColumn<QStringList>("keys");     // typed at each press of Find, in turn
    QTest::addColumn<QList<int>>("selection"); // the row selected after each

    const QStringList members{"Bianchi Anna", "Abc Rossi", "Verdi", "Neri Abc", "Gialli ABC", "Blu"};
    QTest::newRow("three matches in turn, then wrap")
        << members << -1 << "" << QStringList{"abc", "abc", "abc", "abc"} << QList<int>{1, 3, 4, 1};
    QTest::newRow("a new key restarts from the first row")
        << members << 3 << "verdi" << QStringList{"abc", "abc"} << QList<int>{1, 3};
    QTest::newRow("a new key tests the first row too")
        << QStringList{"Abc Rossi", "Neri Abc"} << 0 << "x" << QStringList{"abc"} << QList<int>{0};
    QTest::newRow("same key as remembered goes on after the selection")
        << members << 1 << "abc" << QStringList{"ABC"} << QList<int>{3};
    QTest::newRow("only the selected row matches: found again after a full turn")
        << members << 2 << "verdi" << QStringList{"verdi"} << QList<int>{2};
    QTest::newRow("no match keeps the selection, none selected becomes the first")
        << members << -1 << "" << QStringList{"zzz"} << QList<int>{0};
    QTest::newRow("empty key matches nothing") << members << 3 << "x" << QStringList{"", ""} << QList<int>{3, 3};
    QTest::newRow("key is not trimmed") << members << -1 << "" << QStringList{" abc"} << QList<int>{3};
    QTest::newRow("é does not find É") << QStringList{"ÉLITE club", "élite club"} << 1 << "" << QStringList{"é"}
                                       << QList<int>{1};
    QTest::newRow("É does not find é") << QStringList{"x", "élite club"} << -1 << "" << QStringList{"É"}
                                       << QList<int>{0};
}

void tst_ListRows::find()
{
    QFETCH(QStringList, rows);
    QFETCH(int, selected);
    QFETCH(QString, remembered);
    QFETCH(QStringList, keys);
    QFETCH(QList<int>, selection);
    for (int i = 0; i < keys.size(); ++i) {
        const ListFind::Result result = ListFind::find(RowTable::fromStringList(rows), selected, keys[i], remembered);
        QVERIFY(!result.emptyList);
        QCOMPARE(result.row, selection[i]);
        QCOMPARE(result.found, rows.at(result.row).toLower().contains(keys[i].toLower()) && !keys[i].isEmpty());
        selected = result.row;
    }
}

void tst_ListRows::findOnAnEmptyList()
{
    QString remembered = QStringLiteral("abc");
    const ListFind::Result result = ListFind::find({}, -1, QStringLiteral("xyz"), remembered);
    QVERIFY(result.emptyList);
    QVERIFY(!result.found);
    QCOMPARE(remembered, QStringLiteral("abc"));
}

// The rows the lists write from stored bytes are the rows made the plain way from the decoded
// records (support/RowOracle.h), whatever the fields hold: long values, blanks and control
// characters around them, accented letters, a damaged length.
void tst_ListRows::rowsFromStoredRecords()
{
    TSchedaRicevuta r;
    r.NumRic = QStringLiteral(" 123456789012345 ");
    r.Data = QStringLiteral("01/03/2026");
    r.Pagatore = QStringLiteral("\tNiccolò Dell'Acqua Bianchi Rossi Verdi");
    r.Sport = QStringLiteral("Attività");
    r.Intero = QStringLiteral("150,00");
    QByteArray stored = encodeRecord(r);
    QCOMPARE(ListRows::receiptRow(stored), test::receiptRow(decodeRecord<TSchedaRicevuta>(stored)));
    stored[0] = char(250); // a damaged length stays within its field
    QCOMPARE(ListRows::receiptRow(stored), test::receiptRow(decodeRecord<TSchedaRicevuta>(stored)));

    TSchedaIscritto m;
    m.Tiratore = QStringLiteral("Élia Neri");
    m.Cel = QStringLiteral("  ");
    m.CodFisc = QStringLiteral("NRELIE80A01L219X");
    m.Ente = QStringLiteral("Nuoto");
    m.Studio = QStringLiteral("09/04/2024");
    m.Quota = QStringLiteral("35,00 €");
    const QByteArray member = encodeRecord(m);
    QCOMPARE(ListRows::memberRow(member), test::memberRow(m));
    QCOMPARE(ListRows::certificateRow(member), test::certificateRow(m));
}

QTEST_MAIN(tst_ListRows)
#include "tst_ListRows.moc"
