// Who must renew: which dates an expiry list takes, the count behind the main menu's notice and
// the notice's words.
#include "rules/Expiry.h"
#include "storage/Archives.h"
#include "storage/RecordFile.h"
#include "storage/TSchedaIscritto.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace tavorel;

Q_DECLARE_METATYPE(tavorel::ConteggioScadenze)

namespace {

const QDate kOggi(2026, 12, 10);

TSchedaIscritto iscritto(const QString& studio, const QString& fineTes)
{
    TSchedaIscritto m;
    m.Tiratore = QStringLiteral("Socio");
    m.Studio = studio;
    m.FineTes = fineTes;
    return m;
}

ConteggioScadenze conteggio(qint64 cs, qint64 ci, qint64 ts, qint64 ti)
{
    return {cs, ci, ts, ti};
}

} // namespace

class tst_Expiry : public QObject {
    Q_OBJECT
private slots:
    void listedDates_data();
    void listedDates();
    void countsTheArchive();
    void archiveMissingOrUnreadable();
    void noticeNamesWhatIsNotZero_data();
    void noticeNamesWhatIsNotZero();
};

void tst_Expiry::listedDates_data()
{
    QTest::addColumn<QDate>("expiry");
    QTest::addColumn<int>("giorni");
    QTest::addColumn<bool>("listed");
    QTest::addColumn<int>("daysLeft");
    // clang-format off
    QTest::newRow("yesterday, ended only")   << kOggi.addDays(-1) << 0  << true  << -1;
    QTest::newRow("today, ended only")       << kOggi             << 0  << false << 0;
    QTest::newRow("yesterday, looking ahead")<< kOggi.addDays(-1) << 30 << true  << -1;
    QTest::newRow("today, looking ahead")    << kOggi             << 30 << true  << 0;
    QTest::newRow("today + N")               << kOggi.addDays(30) << 30 << true  << 30;
    QTest::newRow("today + N + 1")           << kOggi.addDays(31) << 30 << false << 31;
    QTest::newRow("a year ahead, N = 366")   << kOggi.addDays(366)<< 366<< true  << 366;
    QTest::newRow("over the year's end")     << QDate(2027, 1, 9) << 30 << true  << 30;
    QTest::newRow("ten years ago")           << QDate(2016, 12, 10) << 30 << true << -3652;
    QTest::newRow("no date")                 << QDate()           << 30 << false << 0;
    // clang-format on
}

void tst_Expiry::listedDates()
{
    QFETCH(QDate, expiry);
    QFETCH(int, giorni);
    QFETCH(bool, listed);
    QFETCH(int, daysLeft);
    QCOMPARE(scadenzaInElenco(expiry, kOggi, giorni), listed);
    if (expiry.isValid())
        QCOMPARE(giorniAllaScadenza(expiry, kOggi), daysLeft);
}

void tst_Expiry::countsTheArchive()
{
    QTemporaryDir dir;
    RecordFile f;
    QVERIFY(OpenMemberArchive(dir.path(), f));
    const QList<TSchedaIscritto> members{
        iscritto(QStringLiteral("09/12/2026"), QStringLiteral("01/01/2030")), // certificate ended yesterday
        iscritto(QStringLiteral("10/12/2026"), QStringLiteral("9/1/2027")),   // both end within 30 days
        iscritto(QStringLiteral("10/01/2027"), QStringLiteral("1/1/2020")),   // certificate in 31 days; card ended
        iscritto(QString(), QStringLiteral("31/02/2026")),                    // no date that reads
        iscritto(QStringLiteral("01/12/2026"), QStringLiteral("11/12/2026")),
    };
    for (const TSchedaIscritto& m : members)
        QVERIFY(appendRecord(f, m) > 0);
    // A record that is not whole is not counted, whatever its dates seem to say.
    QByteArray damaged = encodeRecord(iscritto(QStringLiteral("01/01/2020"), QStringLiteral("01/01/2020")));
    damaged[0] = char(200);
    QVERIFY(f.append(damaged) > 0);

    ConteggioScadenze c;
    QVERIFY(contaScadenze(f, kOggi, 30, c));
    QCOMPARE(c, conteggio(2, 1, 1, 2));
    QVERIFY(contaScadenze(f, kOggi, 1, c));
    QCOMPARE(c, conteggio(2, 1, 1, 1));
}

void tst_Expiry::archiveMissingOrUnreadable()
{
    QTemporaryDir dir;
    ConteggioScadenze c{1, 1, 1, 1};
    // No archive yet: nobody to count, and no archive made by counting.
    QVERIFY(contaScadenzeArchivio(dir.path(), kOggi, 30, c));
    QCOMPARE(c, ConteggioScadenze{});
    QVERIFY(!QFile::exists(memberArchivePath(dir.path())));
    // A folder where the archive should be cannot be read.
    QVERIFY(QDir(dir.path()).mkdir(kMemberArchiveName));
    QVERIFY(!contaScadenzeArchivio(dir.path(), kOggi, 30, c));
}

void tst_Expiry::noticeNamesWhatIsNotZero_data()
{
    QTest::addColumn<ConteggioScadenze>("counted");
    QTest::addColumn<QString>("notice");
    // clang-format off
    QTest::newRow("nobody")           << conteggio(0, 0, 0, 0) << QString();
    QTest::newRow("the example")      << conteggio(2, 3, 1, 0)
        << QStringLiteral("Certificati medici: 2 scaduti, 3 in scadenza entro 30 giorni · Tessere: 1 scaduta");
    QTest::newRow("one certificate")  << conteggio(1, 0, 0, 0) << QStringLiteral("Certificati medici: 1 scaduto");
    QTest::newRow("only expiring")    << conteggio(0, 1, 0, 4)
        << QStringLiteral("Certificati medici: 1 in scadenza entro 30 giorni · Tessere: 4 in scadenza entro 30 giorni");
    QTest::newRow("only cards")       << conteggio(0, 0, 2, 5)
        << QStringLiteral("Tessere: 2 scadute, 5 in scadenza entro 30 giorni");
    // clang-format on
}

void tst_Expiry::noticeNamesWhatIsNotZero()
{
    QFETCH(ConteggioScadenze, counted);
    QFETCH(QString, notice);
    QCOMPARE(avvisoScadenze(counted, 30), notice);
}

QTEST_GUILESS_MAIN(tst_Expiry)
#include "tst_Expiry.moc"
