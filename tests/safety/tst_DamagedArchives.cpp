// Archives that are not what the program wrote: lengths past their fields, a record cut short,
// random bytes, an empty file, a folder where the file should be, a file that cannot be read. The
// program never crashes on them, never writes into a file it could not read, and says which file
// (and which record) is damaged. The lists built from an archive show what can be read and say
// once how many records they left out.
#include "income/TfrmMenuRiepCosti.h"
#include "income/TfrmRiepCosti.h"
#include "lists/ListRows.h"
#include "members/TfrmCertScaduti.h"
#include "members/TfrmTessereScadute.h"
#include "members/TfrmTiratori.h"
#include "members/TfrmTrovaTiratori.h"
#include "receipts/TfrmRicevuta.h"
#include "receipts/TfrmTrovaRic.h"
#include "shell/ListPanel.h"
#include "storage/Archives.h"
#include "storage/Messages.h"
#include "storage/RecordFile.h"
#include "storage/RecordLayout.h"
#include "storage/TSchedaIscritto.h"
#include "storage/TSchedaRicevuta.h"
#include "support/FakePlatform.h"
#include "support/FaultInjector.h"
#include "support/Folders.h"
#include "support/RowOracle.h"
#include "support/Screens.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTest>

#include <unistd.h>

using namespace tavorel;
using tavorel::test::child;
using tavorel::test::FakePlatform;
using tavorel::test::FakePlatformScope;
using tavorel::test::pickFromList;
using tavorel::test::showActive;

Q_DECLARE_METATYPE(tavorel::MessageKind)

namespace {

constexpr int kRic = TSchedaRicevuta::RecordSize;

const QString kVuoto = QStringLiteral("L'archivio non contiene nessuna ricevuta.");

TSchedaRicevuta ricevuta(int n)
{
    TSchedaRicevuta r;
    for (const auto& f : TSchedaRicevuta::fields())
        r.*f.member = QStringLiteral("%1 %2").arg(QLatin1StringView(f.name)).arg(n).left(f.capacity).trimmed();
    return r;
}

QByteArray archivio(int records)
{
    QByteArray bytes;
    for (int i = 1; i <= records; ++i)
        bytes += encodeRecord(ricevuta(i));
    return bytes;
}

// Record k's length bytes all set past their fields.
QByteArray lengthsBeyondFields(QByteArray bytes, int k)
{
    int offset = (k - 1) * kRic;
    for (const auto& f : TSchedaRicevuta::fields()) {
        bytes[offset] = char(0xFF);
        offset += f.capacity + 1;
    }
    return bytes;
}

QByteArray randomBytes(int size)
{
    QRandomGenerator rng(1307);
    QByteArray bytes(size, Qt::Uninitialized);
    for (char& c : bytes)
        c = char(rng.bounded(256));
    return bytes;
}

void click(QWidget* screen, const char* name)
{
    auto* button = screen->findChild<QAbstractButton*>(QLatin1StringView(name));
    QVERIFY2(button && button->isVisible(), name);
    QTest::mouseClick(button, Qt::LeftButton);
}

// `record` stored with the length byte of field `field` one past its capacity, or with every
// length byte past its field when `field` is negative.
template <typename T>
QByteArray notWhole(const T& record, int field = -1)
{
    QByteArray bytes = encodeRecord(record);
    int offset = 0;
    int i = 0;
    for (const auto& f : T::fields()) {
        if (field < 0 || i == field)
            bytes[offset] = char(field < 0 ? 0xFF : f.capacity + 1);
        offset += f.capacity + 1;
        ++i;
    }
    return bytes;
}

TSchedaRicevuta incasso(const QString& num, const QString& data, const QString& intero)
{
    TSchedaRicevuta r;
    r.NumRic = num;
    r.Data = data;
    r.Intero = intero;
    r.Pagatore = QStringLiteral("Pagatore ") + num;
    r.Sport = QStringLiteral("Nuoto");
    return r;
}

TSchedaIscritto socio(const QString& nome, const QString& fineTes, const QString& studio)
{
    TSchedaIscritto m;
    m.Tiratore = nome;
    m.FineTes = fineTes;
    m.Studio = studio;
    m.Ente = QStringLiteral("Tiro a segno");
    m.Tessera = nome.left(3);
    return m;
}

// The rows a list screen shows for the archive in the fake's folder, driven as the user does.
QStringList listed(const QString& screen, test::FakePlatform& fake)
{
    QStringList rows;
    if (screen == QLatin1String("receipt search")) {
        TfrmTrovaRic w(nullptr, QDir(fake.folder).filePath(QStringLiteral("2026.ric")), {});
        showActive(w);
        QTest::mouseClick(child<QPushButton>(&w, "btnCerca"), Qt::LeftButton);
        rows = child<ListPanel>(&w, "panElenco")->rows();
    } else if (screen == QLatin1String("member search")) {
        TfrmTrovaTiratori w(nullptr, {}, {});
        showActive(w);
        QTest::mouseClick(child<QPushButton>(&w, "btnCerca"), Qt::LeftButton);
        rows = child<ListPanel>(&w, "panElenco")->rows();
    } else if (screen == QLatin1String("expired cards")) {
        TfrmTessereScadute w(nullptr, {});
        showActive(w);
        rows = test::child<ListPanel>(&w, "panElenco")->rows();
    } else if (screen == QLatin1String("expired certificates")) {
        TfrmCertScaduti w(nullptr, {});
        showActive(w);
        rows = test::child<ListPanel>(&w, "panElenco")->rows();
    } else {
        TfrmMenuRiepCosti q;
        showActive(q);
        pickFromList(child<QComboBox>(&q, "txtGiornoInizio"), QStringLiteral("01"));
        pickFromList(child<QComboBox>(&q, "txtMeseInizio"), QStringLiteral("Marzo"));
        pickFromList(child<QComboBox>(&q, "txtGiornoFine"), QStringLiteral("31"));
        pickFromList(child<QComboBox>(&q, "txtMeseFine"), QStringLiteral("Marzo"));
        fake.dialogScripts << [&](QDialog* d) {
            rows = child<ListPanel>(d, "panElenco")->rows();
            return int(QDialog::Rejected);
        };
        QTest::mouseClick(child<QPushButton>(&q, "btnVisualizza"), Qt::LeftButton);
    }
    return rows;
}

} // namespace

class tst_DamagedArchives : public QObject {
    Q_OBJECT
private slots:
    void scanSkipsWhatIsNotWhole_data();
    void scanSkipsWhatIsNotWhole();
    void receiptEditor_data();
    void receiptEditor();
    void listsTellWhatTheySkipped_data();
    void listsTellWhatTheySkipped();
    void listsTellWhenTheArchiveCannotBeRead_data();
    void listsTellWhenTheArchiveCannotBeRead();
    void memberEditor();
    void damagedCopyIsNeverLoaded();
};

void tst_DamagedArchives::scanSkipsWhatIsNotWhole_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QList<qint64>>("shown"); // record numbers visited
    QTest::addColumn<qint64>("unreadable");
    QTest::addColumn<bool>("tornTail");
    QTest::newRow("undamaged") << archivio(3) << QList<qint64>{1, 2, 3} << qint64(0) << false;
    QTest::newRow("zero-byte file") << QByteArray() << QList<qint64>{} << qint64(0) << false;
    QTest::newRow("lengths beyond their field")
        << lengthsBeyondFields(archivio(3), 2) << QList<qint64>{1, 3} << qint64(1) << false;
    QTest::newRow("a record cut short") << archivio(3).left(2 * kRic + 500) << QList<qint64>{1, 2} << qint64(0) << true;
    QTest::newRow("random bytes") << randomBytes(4 * kRic + 10) << QList<qint64>{} << qint64(4) << true;
}

// What the searches, expiry lists and the income summary will scan through: whole records are
// visited as they are, the rest is counted so that it can be told.
void tst_DamagedArchives::scanSkipsWhatIsNotWhole()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QList<qint64>, shown);
    QFETCH(qint64, unreadable);
    QFETCH(bool, tornTail);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("2026.ric"));
    QVERIFY(test::writeFile(path, bytes));

    RecordFile file;
    QVERIFY(file.open(path, kRic));
    QList<qint64> visited;
    ScanDamage damage;
    QVERIFY(forEachReadableRecord<TSchedaRicevuta>(
        file,
        [&](qint64 k, const TSchedaRicevuta& r) {
            visited.append(k);
            return r == ricevuta(int(k)) || (qWarning("record %lld is not what was saved", k), false);
        },
        damage));
    QCOMPARE(visited, shown);
    QCOMPARE(damage.unreadable, unreadable);
    QCOMPARE(damage.tornTail, tornTail);
    file.close();
    QCOMPARE(test::readFile(path), bytes);
}

void tst_DamagedArchives::receiptEditor_data()
{
    QTest::addColumn<QString>("situation");
    QTest::addColumn<QStringList>("clicks");
    // Messages, in order; "damaged N" is the damaged-record warning for record N of 2026.ric.
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<QString>("position");

    const QString accesso = QStringLiteral("access");
    QTest::newRow("lengths beyond their field")
        << "lengths" << QStringList{"cmdPrimo", "cmdAvanti", "cmdAvanti"} << QStringList{"damaged 2"} << "3";
    QTest::newRow("a record cut short: not shown")
        << "cut" << QStringList{"cmdUltimo", "cmdAvanti"} << QStringList{} << "2";
    QTest::newRow("random bytes") << "random" << QStringList{"cmdPrimo", "cmdAvanti", "cmdUltimo"}
                                  << QStringList{"damaged 1", "damaged 2", "damaged 4"} << "4";
    QTest::newRow("zero-byte file") << "empty" << QStringList{"cmdPrimo", "cmdUltimo"} << QStringList{kVuoto, kVuoto}
                                    << "";
    QTest::newRow("a folder in place of the file")
        << "folder" << QStringList{"cmdPrimo", "cmdNuovo", "cmdSalva"} << QStringList{accesso, accesso, accesso} << "";
    QTest::newRow("no read permission") << "unreadable" << QStringList{"cmdPrimo", "cmdSalva"}
                                        << QStringList{accesso, accesso} << "";
    QTest::newRow("the system refuses to open it")
        << "refused" << QStringList{"cmdPrimo", "cmdSalva"} << QStringList{accesso, accesso} << "";
}

// The receipt editor on each damaged archive, driven by its buttons: it shows what can be read,
// says which record of which file is damaged, and never writes into a file it could not open.
void tst_DamagedArchives::receiptEditor()
{
    QFETCH(QString, situation);
    QFETCH(QStringList, clicks);
    QFETCH(QStringList, messages);
    QFETCH(QString, position);

    FakePlatformScope scope;
    FakePlatform& fake = scope.fake;
    const QString path = QDir(fake.folder).filePath(QStringLiteral("2026.ric"));
    if (situation == QLatin1String("lengths"))
        QVERIFY(test::writeFile(path, lengthsBeyondFields(archivio(3), 2)));
    else if (situation == QLatin1String("cut"))
        QVERIFY(test::writeFile(path, archivio(3).left(2 * kRic + 700)));
    else if (situation == QLatin1String("random"))
        QVERIFY(test::writeFile(path, randomBytes(4 * kRic + 10)));
    else if (situation == QLatin1String("empty"))
        QVERIFY(test::writeFile(path, QByteArray()));
    else if (situation == QLatin1String("folder"))
        QVERIFY(QDir().mkpath(path + QStringLiteral("/dentro")));
    else
        QVERIFY(test::writeFile(path, archivio(2)));
    if (situation == QLatin1String("unreadable")) {
        if (geteuid() == 0)
            QSKIP("running as root, whom file permissions do not stop; see the refused row");
        QVERIFY(QFile::setPermissions(path, QFileDevice::WriteOwner));
    }
    const auto before = test::snapshot(fake.folder);

    TfrmRicevuta w;
    w.apriArchivio(path, QStringLiteral(" Tavorel - Archivio ricevute anno 2026"));
    w.show();
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    // A receipt ready to save, so that "Salva" gets as far as the archive.
    const QList<std::pair<const char*, QString>> typed{
        {"txtNumRic", QStringLiteral("9")},       {"txtPagatore", QStringLiteral("Rossi")},
        {"txtCodFisc", QStringLiteral("X")},      {"txtSport", QStringLiteral("Nuoto")},
        {"txtDal", QStringLiteral("01/01/2026")}, {"txtAl", QStringLiteral("31/01/2026")}};
    for (const auto& [name, text] : typed)
        w.findChild<QLineEdit*>(QLatin1StringView(name))->setText(text);
    // Taken as the screen's starting point, so that browsing away asks nothing.
    w.mostraScheda(w.scheda(), 0);

    for (const QString& name : clicks) {
        // "refused": every open of a file of the folder for writing is refused, as a lock held by
        // another program or a permission taken away would refuse it.
        std::unique_ptr<test::FaultInjector> refuse;
        if (situation == QLatin1String("refused"))
            refuse = std::make_unique<test::FaultInjector>(fake.folder, 1, EACCES, test::FaultInjector::Open);
        click(&w, name.toLatin1().constData());
    }

    QStringList expected;
    for (const QString& m : messages) {
        if (m == QLatin1String("access"))
            expected.append(kMsgAccessoArchivio);
        else if (m.startsWith(QLatin1String("damaged ")))
            expected.append(msgSchedaDanneggiata(m.mid(8).toLongLong(), QStringLiteral("2026.ric")));
        else
            expected.append(m);
    }
    QStringList shown;
    for (const auto& m : fake.messages)
        shown.append(m.text);
    QCOMPARE(shown, expected);
    QCOMPARE(w.findChild<QLabel*>(QStringLiteral("lblPosizione"))->text(), position);
    // Nothing was written: browsing only reads, and a file that could not be opened is not touched.
    QCOMPARE(test::snapshot(fake.folder), before);
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

void tst_DamagedArchives::listsTellWhatTheySkipped_data()
{
    QTest::addColumn<QString>("screen");
    QTest::addColumn<QByteArray>("archive"); // 2026.ric or the member archive, as the screen reads
    QTest::addColumn<QStringList>("rows");   // in any order: the order is each screen's own business
    QTest::addColumn<qint64>("skipped");     // 0: no message at all

    // Receipts of March 2026 (the income summary asks for March).
    const TSchedaRicevuta r1 = incasso(QStringLiteral("1"), QStringLiteral("02/03/2026"), QStringLiteral("10,00"));
    const TSchedaRicevuta r2 = incasso(QStringLiteral("2"), QStringLiteral("15/03/2026"), QStringLiteral("20,00"));
    const TSchedaRicevuta r3 = incasso(QStringLiteral("3"), QStringLiteral("31/03/2026"), QStringLiteral("30,00"));
    // Whole, but not listed by the summary: its amount is empty (a normal receipt, never listed),
    // or its date does not read (damage, counted).
    const TSchedaRicevuta senzaImporto = incasso(QStringLiteral("4"), QStringLiteral("05/03/2026"), QString());
    const TSchedaRicevuta senzaData =
        incasso(QStringLiteral("5"), QStringLiteral("31/02/2026"), QStringLiteral("5,00"));
    const QByteArray ricevute = encodeRecord(r1) + encodeRecord(r2) + encodeRecord(r3);
    const QByteArray ricevuteDanneggiate = encodeRecord(r1) + notWhole(r2) + encodeRecord(senzaImporto) +
                                           encodeRecord(r2) + notWhole(r3, 19) + encodeRecord(senzaData) +
                                           encodeRecord(r3) + encodeRecord(r1).left(600);
    auto righe = [](const QList<TSchedaRicevuta>& list) {
        QStringList out;
        for (const auto& r : list)
            out << test::receiptRow(r);
        return out;
    };
    QTest::newRow("receipt search, undamaged") << "receipt search" << ricevute << righe({r1, r2, r3}) << qint64(0);
    QTest::newRow("receipt search, damaged")
        << "receipt search" << ricevuteDanneggiate << righe({r1, senzaImporto, r2, senzaData, r3}) << qint64(3);
    QTest::newRow("receipt search, a save cut short")
        << "receipt search" << ricevute + encodeRecord(r1).left(1) << righe({r1, r2, r3}) << qint64(1);
    QTest::newRow("income summary, undamaged") << "income summary" << ricevute << righe({r1, r2, r3}) << qint64(0);
    QTest::newRow("income summary, damaged")
        << "income summary" << ricevuteDanneggiate << righe({r1, r2, r3}) << qint64(4);

    // Members; today is 10/04/2026. Both of Bianchi's dates have passed, neither of Verdi's.
    const TSchedaIscritto bianchi =
        socio(QStringLiteral("Bianchi"), QStringLiteral("01/04/2026"), QStringLiteral("09/04/2026"));
    const TSchedaIscritto rossi =
        socio(QStringLiteral("Rossi"), QStringLiteral("31/12/2025"), QStringLiteral("01/01/2026"));
    const TSchedaIscritto verdi =
        socio(QStringLiteral("Verdi"), QStringLiteral("31/12/2026"), QStringLiteral("10/04/2026"));
    // Whole, but the card's date does not read: what the editor never saves.
    const TSchedaIscritto senzaScadenza =
        socio(QStringLiteral("Neri"), QStringLiteral("1 aprile"), QStringLiteral("01/01/2026"));
    const QByteArray soci = encodeRecord(bianchi) + encodeRecord(rossi) + encodeRecord(verdi);
    const QByteArray sociDanneggiati = encodeRecord(bianchi) + notWhole(verdi) + encodeRecord(senzaScadenza) +
                                       notWhole(bianchi, 31) + encodeRecord(rossi) + encodeRecord(verdi) +
                                       encodeRecord(rossi).left(TSchedaIscritto::RecordSize - 1);
    auto membri = [](const QList<TSchedaIscritto>& list, bool certificates) {
        QStringList out;
        for (const auto& m : list)
            out << (certificates ? test::certificateRow(m) : test::memberRow(m));
        return out;
    };
    QTest::newRow("member search, undamaged")
        << "member search" << soci << membri({bianchi, rossi, verdi}, false) << qint64(0);
    QTest::newRow("member search, damaged")
        << "member search" << sociDanneggiati << membri({bianchi, senzaScadenza, rossi, verdi}, false) << qint64(3);
    QTest::newRow("expired cards, undamaged")
        << "expired cards" << soci << membri({bianchi, rossi}, false) << qint64(0);
    QTest::newRow("expired cards, damaged")
        << "expired cards" << sociDanneggiati << membri({bianchi, rossi}, false) << qint64(4);
    QTest::newRow("expired certificates, undamaged")
        << "expired certificates" << soci << membri({bianchi, rossi}, true) << qint64(0);
    QTest::newRow("expired certificates, damaged")
        << "expired certificates" << sociDanneggiati << membri({bianchi, senzaScadenza, rossi}, true) << qint64(3);
}

// Each list screen over an archive with damaged records between good ones: exactly the rows of
// the records that can be read, and one warning that names the count and the file; over an
// undamaged archive, the rows and no message.
void tst_DamagedArchives::listsTellWhatTheySkipped()
{
    QFETCH(QString, screen);
    QFETCH(QByteArray, archive);
    QFETCH(QStringList, rows);
    QFETCH(qint64, skipped);

    FakePlatformScope scope;
    FakePlatform& fake = scope.fake;
    fake.todayValue = QDate(2026, 4, 10);
    const bool members = screen.startsWith(QLatin1String("member")) || screen.startsWith(QLatin1String("expired"));
    const QString file = members ? kMemberArchiveName : QStringLiteral("2026.ric");
    QVERIFY(test::writeFile(QDir(fake.folder).filePath(file), archive));

    QStringList shown = listed(screen, fake);
    shown.sort();
    rows.sort();
    QCOMPARE(shown, rows);
    QList<FakePlatform::Message> expected;
    if (skipped > 0)
        expected.append({MessageKind::Warning, msgSchedeIlleggibili(skipped, file)});
    QCOMPARE(fake.messages.size(), expected.size());
    for (qsizetype i = 0; i < expected.size(); ++i) {
        QCOMPARE(fake.messages[i].kind, expected[i].kind);
        QCOMPARE(fake.messages[i].text, expected[i].text);
    }
    QVERIFY(fake.verifyConsumed());
    // Only read: the damaged records stay as they are, for whoever can mend them.
    QCOMPARE(test::readFile(QDir(fake.folder).filePath(file)), archive);
}

void tst_DamagedArchives::listsTellWhenTheArchiveCannotBeRead_data()
{
    QTest::addColumn<QString>("screen");
    QTest::addColumn<MessageKind>("kind");
    QTest::addColumn<QString>("text");
    for (const char* screen : {"receipt search", "member search", "expired cards", "expired certificates"})
        QTest::newRow(screen) << QString::fromLatin1(screen) << MessageKind::Error << kMsgAccessoArchivio;
    QTest::newRow("income summary") << QStringLiteral("income summary") << MessageKind::Plain
                                    << kMsgArchivioNonAccessibile;
}

// A folder in place of the archive: no list, and the user is told once that the archive could not
// be read, never shown an empty list as if nothing were there.
void tst_DamagedArchives::listsTellWhenTheArchiveCannotBeRead()
{
    QFETCH(QString, screen);
    QFETCH(MessageKind, kind);
    QFETCH(QString, text);

    FakePlatformScope scope;
    FakePlatform& fake = scope.fake;
    fake.todayValue = QDate(2026, 4, 10);
    const bool members = screen.startsWith(QLatin1String("member")) || screen.startsWith(QLatin1String("expired"));
    const QString path = QDir(fake.folder).filePath(members ? kMemberArchiveName : QStringLiteral("2026.ric"));
    QVERIFY(QDir().mkpath(path));

    QVERIFY(listed(screen, fake).isEmpty());
    fake.dialogScripts.clear(); // the summary's window never opens
    QCOMPARE(fake.messages.size(), 1);
    QCOMPARE(fake.messages[0].kind, kind);
    QCOMPARE(fake.messages[0].text, text);
    QVERIFY(QFileInfo(path).isDir());
}

// Browsing the member archive onto a damaged record shows what it holds and says which record
// of which file it is; the records around it show without a word.
void tst_DamagedArchives::memberEditor()
{
    FakePlatformScope scope;
    FakePlatform& fake = scope.fake;
    const TSchedaIscritto a =
        socio(QStringLiteral("Bianchi"), QStringLiteral("01/04/2026"), QStringLiteral("09/04/2026"));
    const TSchedaIscritto b =
        socio(QStringLiteral("Rossi"), QStringLiteral("31/12/2025"), QStringLiteral("01/01/2026"));
    QVERIFY(test::writeFile(memberArchivePath(fake.folder), encodeRecord(a) + notWhole(b, 25) + encodeRecord(a)));

    TfrmTiratori w;
    showActive(w);
    for (const char* name : {"cmdPrimo", "cmdAvanti"})
        click(&w, name);
    QCOMPARE(w.findChild<QLineEdit*>(QStringLiteral("txtTiratore"))->text(), QStringLiteral("Rossi"));
    click(&w, "cmdAvanti");
    QCOMPARE(w.findChild<QLabel*>(QStringLiteral("lblPosizione"))->text(), QStringLiteral("3"));
    QCOMPARE(fake.messages.size(), 1);
    QCOMPARE(fake.messages[0].kind, MessageKind::Warning);
    QCOMPARE(fake.messages[0].text, msgSchedaDanneggiata(2, QStringLiteral("Archivio_Iscritti.pro")));
}

// A damaged copy of a listed member, later in the file, gives the same row; a double click loads
// the member that can be read, not the copy (the last of identical rows would otherwise win).
void tst_DamagedArchives::damagedCopyIsNeverLoaded()
{
    FakePlatformScope scope;
    FakePlatform& fake = scope.fake;
    fake.todayValue = QDate(2026, 4, 10);
    const TSchedaIscritto a =
        socio(QStringLiteral("Bianchi"), QStringLiteral("01/04/2026"), QStringLiteral("09/04/2026"));
    QVERIFY(test::writeFile(memberArchivePath(fake.folder), encodeRecord(a) + notWhole(a, 25)));
    TSchedaIscritto loaded;
    QList<qint64> numbers;
    TfrmCertScaduti w(nullptr, [&](const TSchedaIscritto& m, qint64 k) {
        loaded = m;
        numbers.append(k);
    });
    showActive(w);
    QCOMPARE(test::child<ListPanel>(&w, "panElenco")->count(), 1);
    const QRect r = test::child<QListView>(&w, "lstRecords")
                        ->visualRect(test::child<QListView>(&w, "lstRecords")->model()->index(0, 0));
    QTest::mouseClick(test::child<QListView>(&w, "lstRecords")->viewport(), Qt::LeftButton, {}, r.center());
    QTest::mouseDClick(test::child<QListView>(&w, "lstRecords")->viewport(), Qt::LeftButton, {}, r.center());
    QCOMPARE(numbers, QList<qint64>{1});
    QCOMPARE(loaded, a);
    QCOMPARE(fake.messages.size(), 1); // the list's count of what it skipped, nothing more
}

QTEST_MAIN(tst_DamagedArchives)
#include "tst_DamagedArchives.moc"
