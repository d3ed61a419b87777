// Which receipts the income summary lists and what they add up to, on small archives written
// record by record.
#include "income/IncomeSelection.h"
#include "lists/ListRows.h"
#include "storage/PaymentArchive.h"
#include "storage/RecordLayout.h"
#include "storage/TSchedaRicevuta.h"
#include "support/RowOracle.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

using namespace tavorel;

namespace {

struct Ric {
    QString num;
    QString data;
    QString intero;
    QString pagatore = QStringLiteral("Rossi Marco");
    QString sport = QStringLiteral("Nuoto");
};

QByteArray stored(const Ric& r)
{
    TSchedaRicevuta rec;
    rec.NumRic = r.num;
    rec.Data = r.data;
    rec.Intero = r.intero;
    rec.Pagatore = r.pagatore;
    rec.Sport = r.sport;
    rec.Dal = QStringLiteral("01/09/2024");
    rec.Al = QStringLiteral("30/06/2025");
    return encodeRecord(rec);
}

void writeArchive(const QString& path, const QList<Ric>& receipts)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    for (const Ric& r : receipts)
        f.write(stored(r));
}

QDate d(const char* text)
{
    return QDate::fromString(QString::fromLatin1(text), QStringLiteral("dd/MM/yyyy"));
}

} // namespace

Q_DECLARE_METATYPE(QList<Ric>)

class tst_IncomeSelection : public QObject {
    Q_OBJECT
private slots:
    void selection_data();
    void selection();
    void rowsAreTheReceiptRowsOfTheListedRecords();
    void bigYearListsInFileOrder();
    void totalsByWayOfPayment();
    void missingArchiveIsCreatedEmpty();
    void archiveThatCannotBeOpenedIsAFailure();
    void leggiImporto_data();
    void leggiImporto();
    void formattaTotale_data();
    void formattaTotale();
};

void tst_IncomeSelection::selection_data()
{
    QTest::addColumn<QList<Ric>>("archive");
    QTest::addColumn<QString>("pagatore");
    QTest::addColumn<QString>("sport");
    QTest::addColumn<QDate>("inizio");
    QTest::addColumn<QDate>("fine");
    QTest::addColumn<QStringList>("listed"); // receipt numbers, in archive order
    QTest::addColumn<QString>("total");
    QTest::addColumn<int>("unreadable");

    const QList<Ric> march{
        {"1", "09/03/2024", "10,00"}, {"2", "10/03/2024", "20,00"}, {"3", "15/03/2024", "30,00"},
        {"4", "20/03/2024", "40,00"}, {"5", "21/03/2024", "50,00"},
    };
    QTest::newRow("both ends included") << march << ""
                                        << "" << d("10/03/2024") << d("20/03/2024") << QStringList{"2", "3", "4"}
                                        << "90,00" << 0;
    QTest::newRow("one day") << march << ""
                             << "" << d("15/03/2024") << d("15/03/2024") << QStringList{"3"} << "30,00" << 0;
    QTest::newRow("nothing in the interval")
        << march << ""
        << "" << d("01/04/2024") << d("30/04/2024") << QStringList{} << "0,00" << 0;
    QTest::newRow("cents add up exactly")
        << QList<Ric>{{"1", "01/03/2024", "0,10"}, {"2", "02/03/2024", "0,20"}} << ""
        << "" << d("01/03/2024") << d("31/03/2024") << QStringList{"1", "2"} << "0,30" << 0;
    QTest::newRow("empty amount never listed")
        << QList<Ric>{{"1", "05/03/2024", ""}, {"2", "05/03/2024", "  "}, {"3", "05/03/2024", "7,50"}} << ""
        << "" << d("01/03/2024") << d("31/03/2024") << QStringList{"3"} << "7,50" << 0;

    // Filters: contained text, letters A to Z in any case, accented letters exactly.
    const QList<Ric> payers{
        {"1", "05/03/2024", "1,00", "Abc Xyz"},      {"2", "05/03/2024", "2,00", "Xyzabc Def"},
        {"3", "05/03/2024", "4,00", "Ab c"},         {"4", "05/03/2024", "8,00", "De Rossi Anna"},
        {"5", "05/03/2024", "16,00", "Rossi Marco"}, {"6", "05/03/2024", "32,00", "Bianchi Niccolò"},
    };
    QTest::newRow("payer in any case") << payers << "ABC"
                                       << "" << d("01/03/2024") << d("31/03/2024") << QStringList{"1", "2"} << "3,00"
                                       << 0;
    QTest::newRow("blanks only is no filter")
        << payers << "   "
        << " " << d("01/03/2024") << d("31/03/2024") << QStringList{"1", "2", "3", "4", "5", "6"} << "63,00" << 0;
    QTest::newRow("leading blank is part of the text")
        << payers << " Rossi"
        << "" << d("01/03/2024") << d("31/03/2024") << QStringList{"4"} << "8,00" << 0;
    QTest::newRow("accented capital is not folded")
        << payers << "NICCOLÒ"
        << "" << d("01/03/2024") << d("31/03/2024") << QStringList{} << "0,00" << 0;
    QTest::newRow("accented letter as stored")
        << payers << "niccolò"
        << "" << d("01/03/2024") << d("31/03/2024") << QStringList{"6"} << "32,00" << 0;
    QTest::newRow("text no record can hold")
        << payers << "Ł"
        << "" << d("01/03/2024") << d("31/03/2024") << QStringList{} << "0,00" << 0;
    QTest::newRow("payer and sport together")
        << QList<Ric>{{"1", "05/03/2024", "1,00", "Rossi Marco", "Nuoto"},
                      {"2", "05/03/2024", "2,00", "Rossi Marco", "Judo"},
                      {"3", "05/03/2024", "4,00", "Bianchi Anna", "Nuoto libero"}}
        << "rossi"
        << "NUOTO" << d("01/03/2024") << d("31/03/2024") << QStringList{"1"} << "1,00" << 0;

    // A record whose date or amount cannot be read is left out; the records after it are listed.
    QTest::newRow("unreadable date and amount skipped")
        << QList<Ric>{{"1", "05/03/2024", "10,00"}, {"2", "5 marzo", "20,00"},       {"3", "31/02/2024", "40,00"},
                      {"4", "06/03/2024", "12,5x"}, {"5", "07/03/2024", "1.000,00"}, {"6", "08/03/2024", "0,05"}}
        << ""
        << "" << d("01/03/2024") << d("31/03/2024") << QStringList{"1", "6"} << "10,05" << 4;
    QTest::newRow("unreadable record the filter leaves out is not counted")
        << QList<Ric>{{"1", "bad", "10,00", "Verdi Anna"}, {"2", "05/03/2024", "20,00", "Rossi Marco"}} << "Rossi"
        << "" << d("01/03/2024") << d("31/03/2024") << QStringList{"2"} << "20,00" << 0;
}

void tst_IncomeSelection::selection()
{
    QFETCH(QList<Ric>, archive);
    QFETCH(QString, pagatore);
    QFETCH(QString, sport);
    QFETCH(QDate, inizio);
    QFETCH(QDate, fine);
    QFETCH(QStringList, listed);
    QFETCH(QString, total);
    QFETCH(int, unreadable);

    QTemporaryDir dir;
    const QString path = dir.filePath("2024.ric");
    writeArchive(path, archive);

    const IncomeSelection::Result r = IncomeSelection(pagatore, sport, inizio, fine).esegui(path);
    QVERIFY(r.ok);
    QStringList numbers;
    for (const QString& row : r.rows.toStringList())
        numbers.append(row.mid(8, 12).trimmed());
    QCOMPARE(numbers, listed);
    QCOMPARE(IncomeSelection::formattaTotale(r.total), total);
    QCOMPARE(r.unreadable, qint64(unreadable));
}

void tst_IncomeSelection::rowsAreTheReceiptRowsOfTheListedRecords()
{
    // Written from the stored bytes, the row is the one the receipt search shows for that receipt,
    // an accented payer and the euro sign included.
    TSchedaRicevuta rec;
    rec.NumRic = "2024/117";
    rec.Data = "05/03/2024";
    rec.Intero = "150,00";
    rec.Pagatore = "Della Rovere Bartolomeo Niccolò Maria"; // longer than its column
    rec.Sport = "Ginnastica artistica";
    rec.Dal = "01/09/2024";
    rec.Al = "30/06/2025";
    rec.Praticante = "Della Rovere Luca";
    QTemporaryDir dir;
    const QString path = dir.filePath("2024.ric");
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(encodeRecord(rec));
    f.close();
    const IncomeSelection::Result r = IncomeSelection({}, {}, d("01/01/2024"), d("31/12/2024")).esegui(path);
    QCOMPARE(r.rows.size(), 1);
    const QString row = r.rows.at(0);
    QCOMPARE(row, test::receiptRow(rec));
    QCOMPARE(row.indexOf("Tot. \u20ac 150,00"), 138);
}

// A year of several thousand receipts is selected a run at a time (238 receipts): the rows still
// come in file order, the total is exact, and unreadable records in any part of the file, on both
// sides of a run's end, are counted once.
void tst_IncomeSelection::bigYearListsInFileOrder()
{
    const int count = 4000;
    const QSet<int> unreadable{1, 238, 239, 476, 2500, count};
    QList<Ric> year;
    QStringList listed;
    qint64 cents = 0;
    for (int k = 1; k <= count; ++k) {
        const QString num = QString::number(k);
        const QString amount = QStringLiteral("%1,%2").arg(k / 100).arg(k % 100, 2, 10, QLatin1Char('0'));
        const bool bad = unreadable.contains(k);
        year.append({num, bad ? QStringLiteral("32/01/2024") : QStringLiteral("%1/03/2024").arg(k % 28 + 1), amount});
        if (!bad) {
            listed.append(num);
            cents += k;
        }
    }
    QTemporaryDir dir;
    const QString path = dir.filePath("2024.ric");
    writeArchive(path, year);

    const IncomeSelection::Result r = IncomeSelection({}, {}, d("01/03/2024"), d("31/03/2024")).esegui(path);
    QVERIFY(r.ok);
    QStringList numbers;
    for (qsizetype i = 0; i < r.rows.size(); ++i)
        numbers.append(r.rows.at(i).mid(8, 12).trimmed());
    QCOMPARE(numbers, listed);
    QCOMPARE(r.total, cents * (IncomeSelection::kUnit / 100));
    QCOMPARE(r.unreadable, qint64(unreadable.size()));
}

// The totals by way of payment add up the listed receipts only, each by the payment recorded beside
// the archive: no side record (an older receipt, a shorter side file) or a damaged one is "not stated".
void tst_IncomeSelection::totalsByWayOfPayment()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("2024.ric");
    writeArchive(path, {{"1", "05/03/2024", "10,00"},
                        {"2", "06/03/2024", "20,50"},
                        {"3", "07/03/2024", "40,00"},
                        {"4", "08/04/2024", "80,00"}, // outside the interval
                        {"5", "09/03/2024", "160,00"},
                        {"6", "10/03/2024", "320,00"}});
    const auto pagato = [](const char* way) { return TSchedaPagamento{{}, QString::fromUtf8(way), {}, {}}; };
    QVERIFY(PaymentArchive::scrivi(path, 1, pagato("Contanti")));
    QVERIFY(PaymentArchive::scrivi(path, 2, pagato("Bonifico bancario o postale")));
    // 3 blank, then 4 and 5.
    QVERIFY(PaymentArchive::scrivi(path, 4, pagato("Contanti")));
    QVERIFY(PaymentArchive::scrivi(path, 5, pagato("PagoPA o altro sistema tracciabile")));
    // Receipt 5's record damaged; receipt 6 has none.
    QFile side(PaymentArchive::percorso(path));
    QVERIFY(side.open(QIODevice::ReadWrite));
    QVERIFY(side.seek(4 * TSchedaPagamento::RecordSize));
    side.write("\xff");
    side.close();

    const IncomeSelection::Result r = IncomeSelection({}, {}, d("01/03/2024"), d("31/03/2024")).esegui(path);
    QVERIFY(r.ok);
    const qint64 u = IncomeSelection::kUnit;
    QCOMPARE(r.contanti, 10 * u);
    QCOMPARE(r.tracciabili, 20 * u + u / 2);
    QCOMPARE(r.nonIndicato, (40 + 160 + 320) * u);
    QCOMPARE(r.contanti + r.tracciabili + r.nonIndicato, r.total);
}

void tst_IncomeSelection::missingArchiveIsCreatedEmpty()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("2030.ric");
    const IncomeSelection::Result r = IncomeSelection("", "", d("01/01/2030"), d("31/12/2030")).esegui(path);
    QVERIFY(r.ok);
    QVERIFY(r.rows.isEmpty());
    QVERIFY(QFile::exists(path));
    QCOMPARE(QFileInfo(path).size(), 0);
}

void tst_IncomeSelection::archiveThatCannotBeOpenedIsAFailure()
{
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir("2024.ric"));
    const IncomeSelection::Result r =
        IncomeSelection("", "", d("01/01/2024"), d("31/12/2024")).esegui(dir.filePath("2024.ric"));
    QVERIFY(!r.ok);
}

void tst_IncomeSelection::leggiImporto_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<qint64>("amount");
    QTest::newRow("euros and cents") << QByteArray("150,00") << true << qint64(1500000);
    QTest::newRow("one decimal") << QByteArray("7,5") << true << qint64(75000);
    QTest::newRow("whole euros") << QByteArray("35") << true << qint64(350000);
    QTest::newRow("leading zeros") << QByteArray("007,50") << true << qint64(75000);
    QTest::newRow("comma first") << QByteArray(",5") << true << qint64(5000);
    QTest::newRow("fifth decimal rounds half up") << QByteArray("0,00005") << true << qint64(1);
    QTest::newRow("fifth decimal below half") << QByteArray("0,00004") << true << qint64(0);
    QTest::newRow("minus") << QByteArray("-3,25") << true << qint64(-32500);
    QTest::newRow("lone comma") << QByteArray(",") << false << qint64(0);
    QTest::newRow("two commas") << QByteArray("1,2,3") << false << qint64(0);
    QTest::newRow("decimal point") << QByteArray("150.00") << false << qint64(0);
    QTest::newRow("letters") << QByteArray("abc") << false << qint64(0);
    QTest::newRow("inner blank") << QByteArray("1 50,00") << false << qint64(0);
}

void tst_IncomeSelection::leggiImporto()
{
    QFETCH(QByteArray, text);
    QFETCH(bool, ok);
    QFETCH(qint64, amount);
    qint64 got = 0;
    QCOMPARE(IncomeSelection::leggiImporto(text, &got), ok);
    if (ok)
        QCOMPARE(got, amount);
}

void tst_IncomeSelection::formattaTotale_data()
{
    QTest::addColumn<qint64>("total");
    QTest::addColumn<QString>("text");
    QTest::newRow("nothing") << qint64(0) << "0,00";
    QTest::newRow("whole euros") << qint64(1500000) << "150,00";
    QTest::newRow("tenths") << qint64(1505000) << "150,50";
    QTest::newRow("cents") << qint64(2342500) << "234,25";
    QTest::newRow("thousandths") << qint64(1250) << "0,125";
    QTest::newRow("ten-thousandths") << qint64(1) << "0,0001";
    QTest::newRow("no thousands separator") << qint64(123456789000000) << "12345678900,00";
    QTest::newRow("negative") << qint64(-32500) << "-3,25";
}

void tst_IncomeSelection::formattaTotale()
{
    QFETCH(qint64, total);
    QFETCH(QString, text);
    QCOMPARE(IncomeSelection::formattaTotale(total), text);
}

QTEST_APPLESS_MAIN(tst_IncomeSelection)
#include "tst_IncomeSelection.moc"
