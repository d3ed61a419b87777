// Search criteria tested on stored records must give what testing the decoded fields gives.
#include "rules/FieldRules.h"
#include "rules/RecordSearch.h"
#include "rules/TextRules.h"
#include "storage/TSchedaRicevuta.h"

#include <QTest>

using namespace tavorel;

class tst_RecordSearch : public QObject {
    Q_OBJECT
private slots:
    void criteriaOnStoredBytes_data();
    void criteriaOnStoredBytes();
    void damagedLengthStaysInItsField();
    void storedDatesReadAsTyped_data();
    void storedDatesReadAsTyped();
};

void tst_RecordSearch::criteriaOnStoredBytes_data()
{
    QTest::addColumn<QString>("payer");
    QTest::addColumn<QString>("date");
    QTest::addColumn<QString>("payerCriterion");
    QTest::addColumn<QString>("dateCriterion");
    QTest::addColumn<bool>("found");
    QTest::addColumn<int>("inUse");
    // clang-format off
    QTest::newRow("any letter case") << "Rossi Mario" << "03/03/2026" << "rOSSI" << "" << true << 1;
    QTest::newRow("both criteria") << "Rossi Mario" << "03/03/2026" << "mario" << "/03/" << true << 2;
    QTest::newRow("one criterion fails") << "Rossi Mario" << "03/04/2026" << "mario" << "/03/" << false << 2;
    QTest::newRow("blanks only ignored") << "Rossi Mario" << "03/04/2026" << "   " << "\t" << true << 0;
    QTest::newRow("leading blank, inside") << "Xyz Abc" << "" << " abc" << "" << true << 1;
    QTest::newRow("leading blank, at start") << "Abc Xyz" << "" << " abc" << "" << false << 1;
    QTest::newRow("trailing blank kept") << "Abc Xyz" << "" << "abc " << "" << true << 1;
    QTest::newRow("accents not folded") << "NICCOLÒ" << "" << "niccolò" << "" << false << 1;
    QTest::newRow("accents exact") << "Niccolò" << "" << "NICCOLò" << "" << true << 1;
    QTest::newRow("no Windows-1252 form") << "Rossi ?" << "" << "ł" << "" << false << 1;
    QTest::newRow("longer than the field") << "Ab" << "" << "abc" << "" << false << 1;
    QTest::newRow("no criterion") << "" << "" << "" << "" << true << 0;
    // clang-format on
}

void tst_RecordSearch::criteriaOnStoredBytes()
{
    QFETCH(QString, payer);
    QFETCH(QString, date);
    QFETCH(QString, payerCriterion);
    QFETCH(QString, dateCriterion);
    QFETCH(bool, found);
    QFETCH(int, inUse);
    TSchedaRicevuta r;
    r.Pagatore = payer;
    r.Data = date;
    r.Sport = QStringLiteral("ROSSI"); // the next field: a match must not run into it
    const QByteArray stored = encodeRecord(r);

    StoredCriteria criteria;
    criteria.add(&TSchedaRicevuta::Pagatore, payerCriterion);
    criteria.add(&TSchedaRicevuta::Data, dateCriterion);
    QCOMPARE(criteria.inUse(), inUse);
    QCOMPARE(criteria.matches(stored), found);
    // The same answer as testing the decoded record.
    const TSchedaRicevuta decoded = decodeRecord<TSchedaRicevuta>(stored);
    QCOMPARE(CriterioSoddisfatto(decoded.Pagatore, payerCriterion) && CriterioSoddisfatto(decoded.Data, dateCriterion),
             found);
}

void tst_RecordSearch::damagedLengthStaysInItsField()
{
    TSchedaRicevuta r;
    r.NumRic = QStringLiteral("12");
    r.Data = QStringLiteral("01/02/2026");
    QByteArray stored = encodeRecord(r);
    stored[0] = char(200); // NumRic holds 30 bytes: the length is clamped, the date is not read as its text
    StoredCriteria criteria;
    criteria.add(&TSchedaRicevuta::NumRic, QStringLiteral("02/2026"));
    QVERIFY(!criteria.matches(stored));
    QCOMPARE(storedField(stored, 0, 30), QByteArrayView("12"));
}

void tst_RecordSearch::storedDatesReadAsTyped_data()
{
    QTest::addColumn<QString>("text");
    for (const char* t : {"09/04/2024", "1/2/2020", " 01/01/2030 ", "31/02/2024", "01/13/2024", "1/1/20", "01/01/02024",
                          "a1/01/2024", "01/01/2024/", "01-01-2024", "", "00/00/0000", "29/02/2024"})
        QTest::newRow(t) << QString::fromLatin1(t);
}

// The same dates as the program's date rule reads from the decoded text.
void tst_RecordSearch::storedDatesReadAsTyped()
{
    QFETCH(QString, text);
    TSchedaRicevuta r;
    r.Data = text;
    const QByteArray stored = encodeRecord(r);
    QCOMPARE(storedDate(stored, storedFieldOf<TSchedaRicevuta>(&TSchedaRicevuta::Data)),
             DataDaTesto(decodeRecord<TSchedaRicevuta>(stored).Data));
}

QTEST_APPLESS_MAIN(tst_RecordSearch)
#include "tst_RecordSearch.moc"
