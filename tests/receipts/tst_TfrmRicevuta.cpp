// The receipt editor driven as a user drives it: fields by name, the command handlers, the keys;
// checked on the widgets, the recorded messages and dialogs, and the bytes of the year's archive.
#include "receipts/ReceiptSettings.h"
#include "receipts/TfrmRicevuta.h"
#include "shell/Colors.h"
#include "shell/FocusHighlight.h"
#include "shell/InfoBar.h"
#include "shell/PictureButton.h"
#include "storage/Cp1252.h"
#include "storage/Messages.h"
#include "storage/RecordLayout.h"
#include "storage/TSchedaRicevuta.h"
#include "support/FakePlatform.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

using namespace tavorel;
using tavorel::test::FakePlatform;
using tavorel::test::FakePlatformScope;

namespace {

const QString kAccesso =
    QStringLiteral("Attenzione: il sistema non permette di accedere all'archivio.\n\r\n\r"
                   "Accertarsi di possedere i privilegi di scrittura nella cartella di installazione del programma.");
const QString kVuoto = QStringLiteral("L'archivio non contiene nessuna ricevuta.");
const QString kInserita = QStringLiteral("La scheda corrente è stata inserita in archivio.");
const QString kModificata =
    QStringLiteral("Le modifiche apportate alla scheda corrente sono state salvate in archivio.");

// The fields in tab and Enter order.
const QStringList kChain{"txtRicevente01", "txtRicevente02", "txtRicevente03", "txtRicevente04", "txtNumRic",
                         "txtData",        "txtPagatore",    "txtCodFisc",     "txtSport",       "txtDal",
                         "txtAl",          "txtPraticante",  "txtLuogoNasc",   "txtDataNasc",    "txtIndirizzo",
                         "txtImporto",     "txtCents"};

// A receipt with every field filled and told apart by `n`.
TSchedaRicevuta ricevuta(int n)
{
    TSchedaRicevuta r;
    for (const auto& f : TSchedaRicevuta::fields())
        r.*f.member = QStringLiteral("%1 %2").arg(QLatin1StringView(f.name)).arg(n).left(f.capacity);
    r.NumRic = QString::number(n);
    r.Data = QStringLiteral("0%1/03/2026").arg(n);
    r.Importo = QString::number(10 * n);
    r.Cents = QStringLiteral("0%1").arg(n);
    r.CentLettere = r.Cents;
    r.Intero = r.Importo + QLatin1Char(',') + r.Cents;
    r.DataNasc = QStringLiteral("0%1/05/2010").arg(n);
    return r;
}

QByteArray archivio(int records)
{
    QByteArray bytes;
    for (int i = 1; i <= records; ++i)
        bytes += encodeRecord(ricevuta(i));
    return bytes;
}

// One length-prefixed field of record k, as stored.
QByteArray campo(const QByteArray& file, int k, const char* name)
{
    const auto& fields = TSchedaRicevuta::fields();
    int offset = (k - 1) * TSchedaRicevuta::RecordSize;
    for (const auto& f : fields) {
        if (qstrcmp(f.name, name) == 0)
            return file.mid(offset + 1, quint8(file.at(offset)));
        offset += f.capacity + 1;
    }
    return {};
}

struct Editor {
    FakePlatformScope scope;
    FakePlatform& fake = scope.fake;
    TfrmRicevuta w;
    QString path = QDir(fake.folder).filePath(QStringLiteral("2026.ric"));

    Editor() { w.apriArchivio(path, QStringLiteral(" Tavorel - Archivio ricevute anno 2026")); }

    QLineEdit* edit(const QString& name) { return w.findChild<QLineEdit*>(name); }
    // The receipt on screen becomes record `position` ("" for one not saved yet), as if browsed to.
    void at(const QString& position) { w.mostraScheda(w.scheda(), position.toLongLong()); }
    QLabel* label(const QString& name) { return w.findChild<QLabel*>(name); }
    PictureButton* button(const QString& name) { return w.findChild<PictureButton*>(name); }
    InfoBar* info() { return w.findChild<InfoBar*>(); }
    void click(const QString& name) { button(name)->click(); }
    void write(const QByteArray& bytes)
    {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QByteArray bytes()
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    void showActive()
    {
        w.show();
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
    }
    // Everything a save asks for.
    void fillValid()
    {
        edit("txtNumRic")->setText(QStringLiteral("7"));
        edit("txtData")->setText(QStringLiteral("05/03/2026"));
        edit("txtPagatore")->setText(QStringLiteral("Rossi Mario"));
        edit("txtCodFisc")->setText(QStringLiteral("RSSMRA80A01H501U"));
        edit("txtSport")->setText(QStringLiteral("Nuoto"));
        edit("txtDal")->setText(QStringLiteral("01/03/2026"));
        edit("txtAl")->setText(QStringLiteral("31/03/2026"));
    }
    QList<MessageKind> kinds() const
    {
        QList<MessageKind> k;
        for (const auto& m : fake.messages)
            k.append(m.kind);
        return k;
    }
};

} // namespace

Q_DECLARE_METATYPE(MessageKind)

class tst_TfrmRicevuta : public QObject {
    Q_OBJECT
private slots:
    void showingStartsAnEmptyReceipt();
    void browse_data();
    void browse();
    void browseFillsEveryField();
    void nuovoProposesStartPlusCount_data();
    void nuovoProposesStartPlusCount();
    void saveChecksInOrder_data();
    void saveChecksInOrder();
    void saveAppendsThenOverwrites();
    void saveCompletesTheAmount_data();
    void saveCompletesTheAmount();
    void wordsFollowTheEuros();
    void centsCopyAndCompletion_data();
    void centsCopyAndCompletion();
    void clickOnTheWordsGuidesToTheTotal_data();
    void clickOnTheWordsGuidesToTheTotal();
    void duplica();
    void accentedTextRoundTrips();
    void payeeLinesPersistAcrossAClose();
    void dateFieldsOpenThePickerWithTheirTag_data();
    void dateFieldsOpenThePickerWithTheirTag();
    void dateFieldsEmptyWithDelete();
    void styleAOneYellowAtATime();
    void enterLoopClosesOnTheFirstField();
    void checkDispatch_data();
    void checkDispatch();
    void unreadableArchive_data();
    void unreadableArchive();
    void numberingStartSetFromTheEditor();
    void printoutTakesTheScreen_data();
    void printoutTakesTheScreen();
    void commandsHaveHints();
    void typedReceiptIsSavedAsTyped_data();
    void typedReceiptIsSavedAsTyped();
    void browsedTextsShowTheirBeginning();
    void payeeLinesThatCannotBeWrittenKeepTheEditorOpen();
};

void tst_TfrmRicevuta::showingStartsAnEmptyReceipt()
{
    Editor e;
    QFile ini(QDir(e.fake.folder).filePath(QStringLiteral("Ricevute_Generiche.ini")));
    QVERIFY(ini.open(QIODevice::WriteOnly));
    ini.write("[Ricevente]\r\nRigo 1=A.S.D. Delfini\r\nRigo 3=Via del Porto 3\r\n");
    ini.close();
    e.edit("txtNumRic")->setText(QStringLiteral("99"));
    e.edit("txtCents")->setText(QStringLiteral("45"));
    e.at(QStringLiteral("4"));
    QCOMPARE(e.info()->text(), QStringLiteral("Pronto per archiviare una nuova ricevuta..."));

    e.showActive();

    QCOMPARE(e.edit("txtRicevente01")->text(), QStringLiteral("A.S.D. Delfini"));
    QCOMPARE(e.edit("txtRicevente02")->text(), QString());
    QCOMPARE(e.edit("txtRicevente03")->text(), QStringLiteral("Via del Porto 3"));
    QCOMPARE(e.edit("txtNumRic")->text(), QString());
    QCOMPARE(e.edit("txtData")->text(), QStringLiteral("10/12/2026"));
    QCOMPARE(e.edit("txtCents")->text(), QStringLiteral("00"));
    QCOMPARE(e.label("txtCentLettere")->text(), QStringLiteral("00"));
    QCOMPARE(e.label("lblPosizione")->text(), QString());
    QCOMPARE(e.label("lblInizio")->text(), QStringLiteral("1"));
    QTRY_COMPARE(QApplication::focusWidget(), e.edit("txtPagatore"));
    QCOMPARE(e.w.windowTitle(), QStringLiteral(" Tavorel - Archivio ricevute anno 2026"));
    QVERIFY(!QFile::exists(e.path)); // showing does not touch the archive
    QVERIFY(e.fake.verifyConsumed());
}

void tst_TfrmRicevuta::browse_data()
{
    // clang-format off
    QTest::addColumn<int>("records");
    QTest::addColumn<QString>("position");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("expectedPosition"); // "-" for "screen unchanged"
    QTest::addColumn<bool>("emptyMessage");

    QTest::newRow("empty: Primo") << 0 << "2" << "cmdPrimo" << "-" << true;
    QTest::newRow("empty: Ultimo") << 0 << "2" << "cmdUltimo" << "-" << true;
    QTest::newRow("empty: Indietro unsaved") << 0 << "" << "cmdIndietro" << "-" << true;
    QTest::newRow("empty: Indietro at 1 does nothing") << 0 << "1" << "cmdIndietro" << "-" << false;
    QTest::newRow("empty: Avanti empties the position") << 0 << "2" << "cmdAvanti" << "" << true;

    QTest::newRow("Primo") << 3 << "2" << "cmdPrimo" << "1" << false;
    QTest::newRow("Ultimo") << 3 << "" << "cmdUltimo" << "3" << false;
    QTest::newRow("Avanti from unsaved") << 3 << "" << "cmdAvanti" << "1" << false;
    QTest::newRow("Avanti") << 3 << "2" << "cmdAvanti" << "3" << false;
    QTest::newRow("Avanti at the last") << 3 << "3" << "cmdAvanti" << "-" << false;
    QTest::newRow("Indietro from unsaved") << 3 << "" << "cmdIndietro" << "1" << false;
    QTest::newRow("Indietro") << 3 << "3" << "cmdIndietro" << "2" << false;
    QTest::newRow("Indietro at the first") << 3 << "1" << "cmdIndietro" << "-" << false;
    // clang-format on
}

void tst_TfrmRicevuta::browse()
{
    QFETCH(int, records);
    QFETCH(QString, position);
    QFETCH(QString, button);
    QFETCH(QString, expectedPosition);
    QFETCH(bool, emptyMessage);

    Editor e;
    if (records > 0)
        e.write(archivio(records));
    e.edit("txtPagatore")->setText(QStringLiteral("sullo schermo"));
    e.at(position);

    e.w.findChild<PictureButton*>(button)->click();

    if (expectedPosition == QLatin1String("-")) {
        QCOMPARE(e.label("lblPosizione")->text(), position);
        QCOMPARE(e.edit("txtPagatore")->text(), QStringLiteral("sullo schermo"));
    } else if (expectedPosition.isEmpty()) {
        QCOMPARE(e.label("lblPosizione")->text(), QString());
        QCOMPARE(e.edit("txtPagatore")->text(), QStringLiteral("sullo schermo"));
    } else {
        QCOMPARE(e.label("lblPosizione")->text(), expectedPosition);
        QCOMPARE(e.edit("txtPagatore")->text(), ricevuta(expectedPosition.toInt()).Pagatore);
    }
    if (emptyMessage) {
        QCOMPARE(e.fake.messages.size(), 1);
        QCOMPARE(e.fake.messages[0].kind, MessageKind::Information);
        QCOMPARE(e.fake.messages[0].text, kVuoto);
        // The archive of a year opened for the first time is created empty.
        QVERIFY(QFile::exists(e.path));
        QCOMPARE(QFileInfo(e.path).size(), 0);
    } else {
        QCOMPARE(e.fake.messages.size(), 0);
    }
    QCOMPARE(e.bytes(), archivio(records));
    QVERIFY(e.fake.verifyConsumed());
}

void tst_TfrmRicevuta::browseFillsEveryField()
{
    Editor e;
    e.write(archivio(2));
    e.click("cmdUltimo");
    const TSchedaRicevuta r = ricevuta(2);
    // Every record field is named after the control that shows it.
    for (const auto& f : TSchedaRicevuta::fields()) {
        const QString control = QStringLiteral("txt") + QLatin1StringView(f.name);
        QObject* o = e.w.findChild<QObject*>(control);
        QVERIFY2(o, qPrintable(control));
        QCOMPARE(o->property("text").toString(), r.*f.member);
    }
    QCOMPARE(e.label("lblPosizione")->text(), QStringLiteral("2"));
}

void tst_TfrmRicevuta::nuovoProposesStartPlusCount_data()
{
    QTest::addColumn<QByteArray>("ini"); // empty: no settings file
    QTest::addColumn<int>("records");
    QTest::addColumn<QString>("number"); // empty: the start is refused

    QTest::newRow("first run") << QByteArray() << 0 << "1";
    QTest::newRow("default start, 10 receipts") << QByteArray() << 10 << "11";
    QTest::newRow("start 100, 3 receipts") << QByteArray("[Numerazione Ricevute]\r\nInizio=100\r\n") << 3 << "103";
    QTest::newRow("start left empty") << QByteArray("[Numerazione Ricevute]\r\nInizio=\r\n") << 2 << "3";
    QTest::newRow("start not a number") << QByteArray("[Numerazione Ricevute]\r\nInizio=dieci\r\n") << 3 << "";
    QTest::newRow("start with decimals") << QByteArray("[Numerazione Ricevute]\r\nInizio=1,5\r\n") << 0 << "";
}

void tst_TfrmRicevuta::nuovoProposesStartPlusCount()
{
    QFETCH(QByteArray, ini);
    QFETCH(int, records);
    QFETCH(QString, number);

    Editor e;
    if (!ini.isEmpty()) {
        QFile f(QDir(e.fake.folder).filePath(QStringLiteral("Ricevute_Generiche.ini")));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(ini);
    }
    e.write(archivio(records));
    e.showActive();
    e.w.mostraScheda(ricevuta(9), 9); // a saved receipt on screen, payee lines included

    e.click("cmdNuovo");

    // The receipt is cleared whatever the outcome; the payee lines stay.
    QCOMPARE(e.label("lblPosizione")->text(), QString());
    QCOMPARE(e.edit("txtPagatore")->text(), QString());
    QCOMPARE(e.edit("txtImporto")->text(), QString());
    QCOMPARE(e.edit("txtCents")->text(), QStringLiteral("00"));
    QCOMPARE(e.label("txtIntero")->text(), QStringLiteral("0,00"));
    QCOMPARE(e.label("txtImpLettere")->text(), QString());
    QCOMPARE(e.edit("txtData")->text(), QStringLiteral("10/12/2026"));
    QCOMPARE(e.edit("txtRicevente01")->text(), ricevuta(9).Ricevente01);
    QCOMPARE(e.edit("txtNumRic")->text(), number);
    if (number.isEmpty()) {
        QCOMPARE(e.fake.messages.size(), 1);
        QCOMPARE(e.fake.messages[0].kind, MessageKind::Error);
        QCOMPARE(e.fake.messages[0].text, kAccesso);
    } else {
        QCOMPARE(e.fake.messages.size(), 0);
        QCOMPARE(e.label("lblInizio")->text(), ini.contains("100") ? QStringLiteral("100") : QStringLiteral("1"));
        QTRY_COMPARE(QApplication::focusWidget(), e.edit("txtPagatore"));
    }
    QCOMPARE(e.bytes(), archivio(records));
    QVERIFY(e.fake.verifyConsumed());
}

void tst_TfrmRicevuta::saveChecksInOrder_data()
{
    // clang-format off
    QTest::addColumn<QStringList>("blank"); // fields emptied on a receipt otherwise complete
    QTest::addColumn<QString>("date");      // txtData, when not blanked
    QTest::addColumn<QString>("warning");
    QTest::addColumn<QString>("focus");

    const QString dataInesistente = QStringLiteral(
        "Attenzione: la data indicata non esiste.\n\r\n\rPer poter salvare la scheda è necessario indicare una "
        "data valida nel formato gg/mm/anno.");
    QTest::newRow("number") << QStringList{"txtNumRic", "txtPagatore", "txtAl"} << "05/03/2026"
                            << "Attenzione: per salvare la scheda è necessario indicare il numero progressivo della "
                               "ricevuta." << "txtNumRic";
    QTest::newRow("date") << QStringList{"txtData", "txtPagatore"} << ""
                          << "Attenzione: per salvare la scheda è necessario indicare la data di emissione della "
                             "ricevuta." << "txtData";
    QTest::newRow("date that does not exist")
        << QStringList{"txtPagatore"} << "31/04/2026" << dataInesistente << "txtData";
    QTest::newRow("29 February of a common year") << QStringList{} << "29/02/2026" << dataInesistente << "txtData";
    QTest::newRow("payer") << QStringList{"txtPagatore", "txtCodFisc", "txtSport"} << "29/02/2028"
                           << "Attenzione: per salvare la scheda è necessario indicare il nome del pagatore."
                           << "txtPagatore";
    QTest::newRow("fiscal code") << QStringList{"txtCodFisc", "txtDal"} << "05/03/2026"
                                 << "Attenzione: per salvare la scheda è necessario indicare il codice fiscale del "
                                    "pagatore." << "txtCodFisc";
    QTest::newRow("sport") << QStringList{"txtSport", "txtAl"} << "05/03/2026"
                           << "Attenzione: per salvare la scheda è necessario indicare l'attività sportiva praticata."
                           << "txtSport";
    QTest::newRow("period start") << QStringList{"txtDal", "txtAl"} << "05/03/2026"
                                  << "Attenzione: per salvare la scheda è necessario indicare la data di inizio del "
                                     "periodo a cui il pagamento si riferisce." << "txtDal";
    QTest::newRow("period end") << QStringList{"txtAl"} << "05/03/2026"
                                << "Attenzione: per salvare la scheda è necessario indicare la data di scadenza del "
                                   "periodo a cui il pagamento si riferisce." << "txtAl";
    // clang-format on
}

void tst_TfrmRicevuta::saveChecksInOrder()
{
    QFETCH(QStringList, blank);
    QFETCH(QString, date);
    QFETCH(QString, warning);
    QFETCH(QString, focus);

    Editor e;
    e.showActive();
    e.fillValid();
    e.edit("txtData")->setText(date);
    for (const QString& name : blank)
        e.edit(name)->setText(QStringLiteral("   ")); // blanks count as empty
    e.edit("txtIndirizzo")->setFocus();

    e.click("cmdSalva");

    QCOMPARE(e.fake.messages.size(), 1);
    QCOMPARE(e.fake.messages[0].kind, MessageKind::Warning);
    QCOMPARE(e.fake.messages[0].text, warning);
    QTRY_COMPARE(QApplication::focusWidget(), e.edit(focus));
    QCOMPARE(e.label("lblPosizione")->text(), QString());
    QVERIFY(!QFile::exists(e.path));
    QVERIFY(e.fake.verifyConsumed());
}

void tst_TfrmRicevuta::saveAppendsThenOverwrites()
{
    Editor e;
    e.write(archivio(2));
    e.fillValid();

    e.click("cmdSalva");
    QCOMPARE(e.label("lblPosizione")->text(), QStringLiteral("3"));
    QCOMPARE(e.fake.messages.size(), 1);
    QCOMPARE(e.fake.messages[0].kind, MessageKind::Information);
    QCOMPARE(e.fake.messages[0].text, kInserita);

    e.edit("txtPagatore")->setText(QStringLiteral("Rossi Maria"));
    e.click("cmdSalva");
    QCOMPARE(e.label("lblPosizione")->text(), QStringLiteral("3"));
    QCOMPARE(e.fake.messages.size(), 2);
    QCOMPARE(e.fake.messages[1].kind, MessageKind::Information);
    QCOMPARE(e.fake.messages[1].text, kModificata);

    const QByteArray file = e.bytes();
    QCOMPARE(file.size(), 3 * TSchedaRicevuta::RecordSize);
    QCOMPARE(file.left(2 * TSchedaRicevuta::RecordSize), archivio(2));
    QCOMPARE(campo(file, 3, "Pagatore"), QByteArray("Rossi Maria"));
    QCOMPARE(campo(file, 3, "NumRic"), QByteArray("7"));
    QCOMPARE(campo(file, 3, "Dal"), QByteArray("01/03/2026"));
    QCOMPARE(campo(file, 3, "Al"), QByteArray("31/03/2026"));
    QVERIFY(e.fake.verifyConsumed());
}

void tst_TfrmRicevuta::saveCompletesTheAmount_data()
{
    // clang-format off
    QTest::addColumn<QString>("euro");
    QTest::addColumn<QString>("cents");
    QTest::addColumn<QByteArray>("storedEuro");
    QTest::addColumn<QByteArray>("storedCents");
    QTest::addColumn<QByteArray>("storedIntero");

    QTest::newRow("both empty") << "" << "" << QByteArray("0") << QByteArray("00") << QByteArray("0,00");
    QTest::newRow("cents 5 are 50") << "150" << "5" << QByteArray("150") << QByteArray("50") << QByteArray("150,50");
    // Set without a key release (pasted with the mouse): the words' cents follow all the same.
    QTest::newRow("cents 05 stay") << "007" << "05" << QByteArray("007") << QByteArray("05") << QByteArray("007,05");
    // clang-format on
}

void tst_TfrmRicevuta::saveCompletesTheAmount()
{
    QFETCH(QString, euro);
    QFETCH(QString, cents);
    QFETCH(QByteArray, storedEuro);
    QFETCH(QByteArray, storedCents);
    QFETCH(QByteArray, storedIntero);

    Editor e;
    e.fillValid();
    e.edit("txtImporto")->setText(euro);
    e.edit("txtCents")->setText(cents);

    e.click("cmdSalva");

    const QByteArray file = e.bytes();
    QCOMPARE(campo(file, 1, "Importo"), storedEuro);
    QCOMPARE(campo(file, 1, "Cents"), storedCents);
    QCOMPARE(campo(file, 1, "CentLettere"), storedCents);
    QCOMPARE(campo(file, 1, "Intero"), storedIntero);
    QCOMPARE(e.edit("txtCents")->text(), QString::fromLatin1(storedCents));
    QCOMPARE(e.label("txtCentLettere")->text(), QString::fromLatin1(storedCents));
    QCOMPARE(e.label("txtIntero")->text(), QString::fromLatin1(storedIntero));
    QVERIFY(e.fake.verifyConsumed());
}

void tst_TfrmRicevuta::wordsFollowTheEuros()
{
    Editor e;
    e.showActive();
    e.edit("txtImporto")->setFocus();
    QTest::keyClicks(e.edit("txtImporto"), QStringLiteral("15a0-"));
    QCOMPARE(e.edit("txtImporto")->text(), QStringLiteral("150"));
    QCOMPARE(e.label("txtImpLettere")->text(), QStringLiteral("CENTOCINQUANTA"));

    // Text set by the program is not put into words.
    e.edit("txtImporto")->setText(QStringLiteral("2"));
    QCOMPARE(e.label("txtImpLettere")->text(), QStringLiteral("CENTOCINQUANTA"));

    QTest::keyClick(e.edit("txtImporto"), Qt::Key_End);
    QTest::keyClick(e.edit("txtImporto"), Qt::Key_Backspace);
    QCOMPARE(e.edit("txtImporto")->text(), QString());
    QCOMPARE(e.label("txtImpLettere")->text(), QString());

    // The words saved are those on screen when saving.
    QTest::keyClicks(e.edit("txtImporto"), QStringLiteral("21000"));
    e.fillValid();
    e.click("cmdSalva");
    QCOMPARE(campo(e.bytes(), 1, "ImpLettere"), QByteArray("VENTUNOMILA"));
    QVERIFY(e.fake.verifyConsumed());
}

void tst_TfrmRicevuta::centsCopyAndCompletion_data()
{
    // clang-format off
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("copied");
    QTest::addColumn<QString>("completed");

    QTest::newRow("one digit") << "7" << "7" << "70";
    QTest::newRow("two digits") << "05" << "05" << "05";
    QTest::newRow("emptied") << "" << "" << "00";
    // clang-format on
}

void tst_TfrmRicevuta::centsCopyAndCompletion()
{
    QFETCH(QString, typed);
    QFETCH(QString, copied);
    QFETCH(QString, completed);

    Editor e;
    e.showActive();
    e.edit("txtCents")->setFocus();
    QTest::keyClick(e.edit("txtCents"), Qt::Key_End);
    QTest::keyClick(e.edit("txtCents"), Qt::Key_Backspace);
    QTest::keyClick(e.edit("txtCents"), Qt::Key_Backspace);
    QTest::keyClicks(e.edit("txtCents"), typed);
    QCOMPARE(e.label("txtCentLettere")->text(), copied);

    // Another window taking the focus does not leave the field.
    QWidget other;
    other.show();
    other.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&other));
    QVERIFY(!e.edit("txtCents")->hasFocus());
    QCOMPARE(e.edit("txtCents")->text(), typed);
    QCOMPARE(e.label("txtCentLettere")->text(), copied);
    other.hide();
    e.showActive();
    QTRY_VERIFY(e.edit("txtCents")->hasFocus());

    e.edit("txtImporto")->setFocus();
    QTRY_COMPARE(e.edit("txtCents")->text(), completed);
    QCOMPARE(e.label("txtCentLettere")->text(), completed);
    QVERIFY(e.fake.verifyConsumed());
}

void tst_TfrmRicevuta::clickOnTheWordsGuidesToTheTotal_data()
{
    QTest::addColumn<QString>("target");
    QTest::newRow("words") << "txtImpLettere";
    QTest::newRow("their box") << "bkgLettere";
}

void tst_TfrmRicevuta::clickOnTheWordsGuidesToTheTotal()
{
    QFETCH(QString, target);
    Editor e;
    e.showActive();
    auto* w = e.w.findChild<QWidget*>(target);
    QVERIFY(w);
    QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(4, 4));
    QCOMPARE(e.fake.messages.size(), 1);
    QCOMPARE(e.fake.messages[0].kind, MessageKind::Information);
    QCOMPARE(e.fake.messages[0].text, QStringLiteral("Digitare l'importo in cifre nella casella del Totale.\n\r\n\r"
                                                     "L'importo in lettere apparirà in automatico."));
    QTRY_COMPARE(QApplication::focusWidget(), e.edit("txtImporto"));
    QVERIFY(e.fake.verifyConsumed());
}

void tst_TfrmRicevuta::duplica()
{
    Editor e;
    e.write(archivio(1));
    e.showActive();
    e.fillValid();

    // Unsaved: only the warning.
    e.click("cmdDuplica");
    QCOMPARE(e.fake.messages.size(), 1);
    QCOMPARE(e.fake.messages[0].kind, MessageKind::Warning);
    QCOMPARE(e.fake.messages[0].text,
             QStringLiteral("Attenzione: questa funzione serve a duplicare una ricevuta che è già stata salvata in "
                            "archivio.\n\r\n\rVisualizzare la ricevuta da duplicare e fare clic sul pulsante "
                            "Duplica."));
    QCOMPARE(e.edit("txtNumRic")->text(), QStringLiteral("7"));

    // Saved: a copy with the next number, dated today, that the next save appends. The receipt typed
    // before is left without saving it.
    e.fake.answers << Answer::No;
    e.click("cmdPrimo");
    QCOMPARE(e.fake.messages.size(), 2);
    QCOMPARE(e.fake.messages[1].kind, MessageKind::Question);
    QCOMPARE(e.fake.messages[1].text, QStringLiteral("Salvare le modifiche apportate alla scheda corrente?"));
    e.click("cmdDuplica");
    QCOMPARE(e.fake.messages.size(), 3);
    QCOMPARE(e.fake.messages[2].kind, MessageKind::Information);
    QCOMPARE(e.fake.messages[2].text,
             QStringLiteral("E' ora possibile apportare le proprie modifiche alla ricevuta corrente.\n\r\n\r"
                            "Al termine premere Salva per registrare i dati in archivio."));
    QCOMPARE(e.label("lblPosizione")->text(), QString());
    QCOMPARE(e.edit("txtNumRic")->text(), QStringLiteral("2"));
    QCOMPARE(e.edit("txtData")->text(), QStringLiteral("10/12/2026"));
    QCOMPARE(e.edit("txtPagatore")->text(), ricevuta(1).Pagatore);
    QTRY_COMPARE(QApplication::focusWidget(), e.edit("txtNumRic"));

    e.edit("txtNumRic")->setText(QStringLiteral("2"));
    e.click("cmdSalva");
    QCOMPARE(e.label("lblPosizione")->text(), QStringLiteral("2"));
    const QByteArray file = e.bytes();
    QCOMPARE(file.size(), 2 * TSchedaRicevuta::RecordSize);
    QCOMPARE(file.left(TSchedaRicevuta::RecordSize), archivio(1));
    QCOMPARE(campo(file, 2, "NumRic"), QByteArray("2"));
    QCOMPARE(campo(file, 2, "Pagatore"), ricevuta(1).Pagatore.toLatin1());
    QCOMPARE(campo(file, 2, "Data"), QByteArray("10/12/2026"));
    QVERIFY(e.fake.verifyConsumed());
}

void tst_TfrmRicevuta::accentedTextRoundTrips()
{
    Editor e;
    e.fillValid();
    const QString payer = QStringLiteral("Niccolò Città Ł");
    const QString sport = QStringLiteral("attività è ì ù €");
    e.edit("txtPagatore")->setText(payer);
    e.edit("txtSport")->setText(sport);
    // Ł has no byte in the archive's code page: the save stops and names it, nothing is written.
    e.click("cmdSalva");
    QCOMPARE(e.fake.lastMessage(), msgCarattereNonRegistrabile(QStringLiteral("Ł"), QStringLiteral("U+0141")));
    QVERIFY(e.bytes().isEmpty());
    e.edit("txtPagatore")->setText(QStringLiteral("Niccolò Città L"));
    e.click("cmdSalva");

    const QByteArray file = e.bytes();
    QCOMPARE(campo(file, 1, "Pagatore"), QByteArray("Niccol\xF2 Citt\xE0 L"));
    QCOMPARE(campo(file, 1, "Sport"), QByteArray("attivit\xE0 \xE8 \xEC \xF9 \x80"));

    e.w.FormShow();
    QCOMPARE(e.edit("txtPagatore")->text(), QString());
    e.click("cmdPrimo");
    QCOMPARE(e.edit("txtPagatore")->text(), QStringLiteral("Niccolò Città L"));
    QCOMPARE(e.edit("txtSport")->text(), sport);
    QVERIFY(e.fake.verifyConsumed());
}

void tst_TfrmRicevuta::payeeLinesPersistAcrossAClose()
{
    Editor e;
    e.showActive();
    QSignalSpy closed(&e.w, &TfrmRicevuta::chiuso);
    // Typed by the user: a line the program puts there (a receipt browsed to) is not stored.
    auto retype = [&](const char* name, const QString& text) {
        e.edit(QLatin1StringView(name))->selectAll();
        QTest::keyClicks(e.edit(QLatin1StringView(name)), text);
    };
    retype("txtRicevente01", QStringLiteral("  A.S.D. Gabbiani  "));
    retype("txtRicevente02", QStringLiteral("Via Verdi 1"));
    retype("txtRicevente04", QStringLiteral("P.IVA 01234567890 "));
    e.edit("txtPagatore")->setText(QStringLiteral("non salvato"));

    e.fake.answers << Answer::No; // the receipt is left unsaved
    e.click("cmdEsci");

    QCOMPARE(closed.count(), 1);
    QVERIFY(!e.w.isVisible());
    QVERIFY(!QFile::exists(e.path)); // the receipt on screen is not saved
    QFile ini(QDir(e.fake.folder).filePath(QStringLiteral("Ricevute_Generiche.ini")));
    QVERIFY(ini.open(QIODevice::ReadOnly));
    const QByteArray content = ini.readAll();
    QVERIFY(content.contains("[Ricevente]"));
    QVERIFY(content.contains("Rigo 1=A.S.D. Gabbiani\r\n"));
    QVERIFY(content.contains("Rigo 2=Via Verdi 1\r\n"));
    QVERIFY(!content.contains("Rigo 3")); // not changed: not written
    QVERIFY(content.contains("Rigo 4=P.IVA 01234567890\r\n"));

    e.edit("txtRicevente01")->clear();
    e.edit("txtRicevente02")->setText(QStringLiteral("altro"));
    e.showActive();
    QCOMPARE(e.edit("txtRicevente01")->text(), QStringLiteral("A.S.D. Gabbiani"));
    QCOMPARE(e.edit("txtRicevente02")->text(), QStringLiteral("Via Verdi 1"));
    QCOMPARE(e.edit("txtRicevente03")->text(), QString());
    QCOMPARE(e.edit("txtPagatore")->text(), QString());

    // The window's own close box does the same.
    retype("txtRicevente03", QStringLiteral("Tel. 0123"));
    e.w.close();
    QCOMPARE(closed.count(), 2);
    QVERIFY(!e.w.isVisible());
    QFile again(ini.fileName());
    QVERIFY(again.open(QIODevice::ReadOnly));
    QVERIFY(again.readAll().contains("Rigo 3=Tel. 0123\r\n"));
    QVERIFY(e.fake.verifyConsumed());
}

void tst_TfrmRicevuta::dateFieldsOpenThePickerWithTheirTag_data()
{
    // clang-format off
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("tag");
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("import");

    QTest::newRow("data, a letter, Importa") << "txtData" << "data" << int(Qt::Key_A) << true;
    QTest::newRow("dal, a digit, Importa") << "txtDal" << "dal" << int(Qt::Key_5) << true;
    QTest::newRow("Al, an arrow, Importa") << "txtAl" << "Al" << int(Qt::Key_Down) << true;
    QTest::newRow("data, Annulla") << "txtData" << "data" << int(Qt::Key_Space) << false;
    QTest::newRow("Al, Annulla") << "txtAl" << "Al" << int(Qt::Key_X) << false;
    // clang-format on
}

void tst_TfrmRicevuta::dateFieldsOpenThePickerWithTheirTag()
{
    QFETCH(QString, field);
    QFETCH(QString, tag);
    QFETCH(int, key);
    QFETCH(bool, import);

    Editor e;
    e.showActive();
    const QString before = QStringLiteral("01/01/2020");
    for (QLineEdit* f : {e.edit("txtData"), e.edit("txtDal"), e.edit("txtAl")})
        f->setText(before);
    QString seenTag;
    e.fake.dialogScripts.append([&](QDialog* d) {
        seenTag = d->findChild<QLabel*>(QStringLiteral("lblMemory"))->text();
        d->findChild<QPushButton*>(import ? QStringLiteral("btnImportaData") : QStringLiteral("btnAnnulla"))->click();
        return d->result();
    });

    QLineEdit* target = e.edit(field);
    target->setFocus();
    QTest::keyClick(target, Qt::Key(key));

    QCOMPARE(e.fake.dialogsRun, QStringList{QStringLiteral("frmCalendario")});
    QCOMPARE(seenTag, tag);
    QCOMPARE(target->text(), import ? QStringLiteral("10/12/2026") : before);
    for (QLineEdit* other : {e.edit("txtData"), e.edit("txtDal"), e.edit("txtAl")}) {
        if (other != target)
            QCOMPARE(other->text(), before);
    }
    QVERIFY(e.fake.verifyConsumed());
}

void tst_TfrmRicevuta::dateFieldsEmptyWithDelete()
{
    Editor e;
    e.showActive();
    for (QLineEdit* f : {e.edit("txtData"), e.edit("txtDal"), e.edit("txtAl")}) {
        f->setText(QStringLiteral("01/01/2020"));
        f->setFocus();
        f->setCursorPosition(3);
        QTest::keyClick(f, f == e.edit("txtDal") ? Qt::Key_Backspace : Qt::Key_Delete);
        QCOMPARE(f->text(), QString());
        QVERIFY(f->isReadOnly());
    }
    QVERIFY(e.fake.dialogsRun.isEmpty());
    QVERIFY(e.fake.verifyConsumed());
}

void tst_TfrmRicevuta::styleAOneYellowAtATime()
{
    Editor e;
    e.showActive();
    QList<QLineEdit*> fields;
    for (const QString& name : kChain)
        fields.append(e.edit(name));
    for (QLineEdit* f : fields) {
        f->setFocus();
        QTRY_COMPARE(FocusHighlight::fill(f), colors::kYellow);
        for (QLineEdit* other : fields) {
            if (other == f)
                continue;
            const bool amount = other == e.edit("txtImporto") || other == e.edit("txtCents");
            QCOMPARE(FocusHighlight::fill(other), amount ? colors::kWhite : colors::kAliceBlue);
        }
    }
    e.edit("txtRicevente01")->setFocus();
    QTRY_COMPARE(FocusHighlight::fill(e.edit("txtCents")), colors::kWhite);
}

void tst_TfrmRicevuta::enterLoopClosesOnTheFirstField()
{
    Editor e;
    e.showActive();
    e.edit("txtRicevente01")->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), e.edit("txtRicevente01"));
    // The payment row (two drop-downs and two fields) comes after the period's last date.
    QStringList chain = kChain;
    qsizetype at = chain.indexOf(QStringLiteral("txtAl"));
    for (const char* name : {"cboCausale", "cboPagamento", "txtDataPag", "txtRifPag"})
        chain.insert(++at, QLatin1String(name));
    QStringList visited;
    for (int i = 0; i < chain.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        visited.append(QApplication::focusWidget()->objectName());
    }
    QCOMPARE(visited, chain.mid(1) + QStringList{chain.first()});
    QVERIFY(e.fake.dialogsRun.isEmpty()); // Enter in a date field moves on, it does not pick
}

void tst_TfrmRicevuta::checkDispatch_data()
{
    // clang-format off
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("dialog");
    QTest::addColumn<QString>("dialogField");
    QTest::addColumn<QString>("handed");

    QTest::newRow("eleven digits") << "01234567890" << "frmPartitaIva" << "txtPartitaIva" << "01234567890";
    QTest::newRow("fiscal code") << "RSSMRA80A01H501U" << "frmCodFisc" << "txtCodFisc" << "RSSMRA80A01H501U";
    QTest::newRow("digits and a letter") << "0123456789X" << "frmCodFisc" << "txtCodFisc" << "0123456789X";
    QTest::newRow("empty") << "" << "frmCodFisc" << "txtCodFisc" << "";
    // clang-format on
}

void tst_TfrmRicevuta::checkDispatch()
{
    QFETCH(QString, text);
    QFETCH(QString, dialog);
    QFETCH(QString, dialogField);
    QFETCH(QString, handed);

    Editor e;
    e.showActive();
    e.edit("txtCodFisc")->setText(text);
    QString seen;
    e.fake.dialogScripts.append([&](QDialog* d) {
        seen = d->findChild<QLineEdit*>(dialogField)->text();
        return d->result();
    });

    e.click("btnCodFisc");

    QCOMPARE(e.fake.dialogsRun, QStringList{dialog});
    QCOMPARE(seen, handed);
    QCOMPARE(e.edit("txtCodFisc")->text(), text);
    QVERIFY(e.fake.verifyConsumed());
}

void tst_TfrmRicevuta::unreadableArchive_data()
{
    // clang-format off
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("position");
    QTest::addColumn<MessageKind>("kind");

    QTest::newRow("Nuovo") << "cmdNuovo" << "" << MessageKind::Error;
    QTest::newRow("Duplica") << "cmdDuplica" << "2" << MessageKind::Error;
    QTest::newRow("Avanti") << "cmdAvanti" << "2" << MessageKind::Error;
    QTest::newRow("Indietro") << "cmdIndietro" << "2" << MessageKind::Error;
    QTest::newRow("Ultimo") << "cmdUltimo" << "" << MessageKind::Error;
    QTest::newRow("Primo") << "cmdPrimo" << "" << MessageKind::Warning;
    QTest::newRow("Salva, new") << "cmdSalva" << "" << MessageKind::Warning;
    QTest::newRow("Salva, saved") << "cmdSalva" << "2" << MessageKind::Warning;
    // clang-format on
}

void tst_TfrmRicevuta::unreadableArchive()
{
    QFETCH(QString, button);
    QFETCH(QString, position);
    QFETCH(MessageKind, kind);

    Editor e;
    // Something at the archive's path that exists but cannot be opened as a file.
    QVERIFY(QDir(e.fake.folder).mkdir(QStringLiteral("2026.ric")));
    QFile inside(QDir(e.path).filePath(QStringLiteral("dentro.txt")));
    QVERIFY(inside.open(QIODevice::WriteOnly));
    inside.write("x");
    inside.close();
    e.fillValid();
    e.at(position);

    e.w.findChild<PictureButton*>(button)->click();

    QCOMPARE(e.fake.messages.size(), 1);
    QCOMPARE(e.fake.messages[0].kind, kind);
    QCOMPARE(e.fake.messages[0].text, kAccesso);
    QVERIFY(QFileInfo(e.path).isDir());
    QCOMPARE(QDir(e.path).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList{"dentro.txt"});
    QCOMPARE(QFileInfo(inside.fileName()).size(), 1);
    QVERIFY(e.fake.verifyConsumed());
}

void tst_TfrmRicevuta::numberingStartSetFromTheEditor()
{
    Editor e;
    e.write(archivio(3));
    QString caption;
    e.fake.dialogScripts.append([&](QDialog* d) {
        caption = d->windowTitle();
        auto* start = d->findChild<QLineEdit*>(QStringLiteral("txtInizio"));
        start->setText(QStringLiteral("100"));
        d->findChild<QPushButton*>(QStringLiteral("btnApplica"))->click();
        return d->result();
    });

    e.click("cmdNumerazione");
    e.click("cmdNuovo");

    QCOMPARE(e.fake.dialogsRun, QStringList{QStringLiteral("frmNumerazione")});
    QCOMPARE(caption, QStringLiteral(" Impostazione inizio numerazione ricevute"));
    QCOMPARE(e.edit("txtNumRic")->text(), QStringLiteral("103"));
    QVERIFY(e.fake.messages.isEmpty());
    QVERIFY(e.fake.verifyConsumed());
}

void tst_TfrmRicevuta::printoutTakesTheScreen_data()
{
    // clang-format off
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("dialog");
    QTest::addColumn<bool>("preview");

    QTest::newRow("Anteprima") << "cmdAnteprima" << "frmAnteprimaRic" << true;
    QTest::newRow("Stampa") << "cmdStampa" << "frmStampaRic" << false;
    // clang-format on
}

void tst_TfrmRicevuta::printoutTakesTheScreen()
{
    QFETCH(QString, button);
    QFETCH(QString, dialog);
    QFETCH(bool, preview);

    Editor e;
    e.fillValid();
    e.edit("txtImporto")->setText(QStringLiteral("35"));
    e.fake.dialogScripts.append([](QDialog* d) {
        d->findChild<QPushButton*>(QStringLiteral("btnStampa"))->click();
        return d->result();
    });

    e.w.findChild<PictureButton*>(button)->click();

    QCOMPARE(e.fake.dialogsRun, QStringList{dialog});
    const QList<Report>& out = preview ? e.fake.previewed : e.fake.printed;
    QCOMPARE(out.size(), 1);
    QCOMPARE(out[0].findMemo(QStringLiteral("txtPagatore"))->text(), QStringLiteral("Rossi Mario"));
    QCOMPARE(out[0].findMemo(QStringLiteral("txtImporto"))->text(), QStringLiteral("35"));
    // A new receipt is saved before it is printed (the user said yes), and printed as saved.
    QCOMPARE(campo(e.bytes(), 1, "Pagatore"), QByteArray("Rossi Mario"));
    QCOMPARE(campo(e.bytes(), 1, "Importo"), QByteArray("35"));
    QVERIFY(e.fake.verifyConsumed());
}

void tst_TfrmRicevuta::commandsHaveHints()
{
    Editor e;
    const QStringList commands{"cmdNuovo", "cmdDuplica",  "cmdSalva",  "cmdTrova",    "cmdAnteprima", "cmdStampa",
                               "cmdPrimo", "cmdIndietro", "cmdAvanti", "cmdUltimo",   "cmdEsporta",   "cmdNumerazione",
                               "cmdGuida", "cmdEsci",     "cmdLogo",   "impPagatore", "btnCodFisc"};
    for (const QString& name : commands) {
        auto* b = e.w.findChild<PictureButton*>(name);
        QVERIFY2(b, qPrintable(name));
        QVERIFY2(!e.info()->hintOf(b).isEmpty(), qPrintable(name));
        QVERIFY2(b->sizeHint() != QSize(32, 32), qPrintable(name)); // its picture was found
    }
    QCOMPARE(e.info()->hintOf(e.button("cmdSalva")), QStringLiteral("Salva o aggiorna la ricevuta corrente."));
    QCOMPARE(e.info()->hintOf(e.button("btnCodFisc")), QStringLiteral("Controlla il codice fiscale."));

    // The commands whose screens come later only announce themselves.
    QSignalSpy trova(&e.w, &TfrmRicevuta::apriTrova);
    QSignalSpy importa(&e.w, &TfrmRicevuta::apriImporta);
    e.click("cmdTrova");
    e.click("impPagatore");
    QCOMPARE(trova.count(), 1);
    QCOMPARE(importa.count(), 1);
    QVERIFY(e.fake.messages.isEmpty());
    QVERIFY(e.fake.dialogsRun.isEmpty());
}

void tst_TfrmRicevuta::typedReceiptIsSavedAsTyped_data()
{
    // Keys as a secretary types them, from "Nuovo" on: plain characters are typed into the field
    // that has the focus; {Enter}, {Tab}, {BackTab}, {Home}, {End}, {ShiftHome}, {CtrlA} are keys;
    // {Pick} is a key in a date field (the picker opens and its "Importa" takes today);
    // {Click:name} clicks a field at its right end, {DblClick:name} double-clicks it;
    // {AltF4} is Alt+F4; {Salva} clicks the save button. A row ends with a click on "Salva".
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QStringList>("stored"); // record fields as stored: "Field=bytes"

    // Payer, fiscal code, sport, the two period dates, through the payment row (four Enters), then
    // four Enters to the euros.
    const QString toEuros =
        QStringLiteral("Rossi Mario{Enter}rssmra80a01h501u{Enter}Nuoto{Enter}{Pick}{Enter}{Pick}{Enter}"
                       "{Enter}{Enter}{Enter}{Enter}{Enter}{Enter}{Enter}{Enter}");
    // clang-format off
    QTest::newRow("the whole receipt by Enter")
        << toEuros + "25{Enter}50"
        << QStringList{"NumRic=1", "Data=10/12/2026", "Pagatore=Rossi Mario", "CodFisc=RSSMRA80A01H501U",
                       "Sport=Nuoto", "Dal=10/12/2026", "Al=10/12/2026", "Importo=25", "Cents=50",
                       "CentLettere=50", "Intero=25,50", "ImpLettere=VENTICINQUE"};
    QTest::newRow("Tab to the cents") << toEuros + "25{Tab}50" << QStringList{"Importo=25", "Cents=50", "Intero=25,50"};
    QTest::newRow("comma moves on to the cents") << toEuros + "1234,5"
        << QStringList{"Importo=1234", "Cents=50", "Intero=1234,50", "ImpLettere=MILLEDUECENTOTRENTAQUATTRO"};
    QTest::newRow("full stop between thousands") << toEuros + "1.234,05"
        << QStringList{"Importo=1234", "Cents=05", "Intero=1234,05"};
    QTest::newRow("letters and signs are not typed") << toEuros + "1a2-b{Enter}x5"
        << QStringList{"Importo=12", "Cents=50", "Intero=12,50"};
    QTest::newRow("back from the cents retypes the euros") << toEuros + "25{Tab}50{BackTab}30"
        << QStringList{"Importo=30", "Cents=50", "Intero=30,50"};
    QTest::newRow("Home and End move the caret") << toEuros + "234{Home}1{End}0"
        << QStringList{"Importo=12340", "Intero=12340,00"};
    QTest::newRow("Ctrl+A selects the euros") << toEuros + "999{CtrlA}150" << QStringList{"Importo=150"};
    QTest::newRow("Shift+Home selects the euros") << toEuros + "999{ShiftHome}42" << QStringList{"Importo=42"};
    QTest::newRow("saved empty, then the euros by Enter") << toEuros + "{Salva}{Click:txtIndirizzo}{Enter}150"
        << QStringList{"Importo=150", "Cents=00", "Intero=150,00"};
    QTest::newRow("saved empty, euros still focused") << toEuros + "{Salva}150"
        << QStringList{"Importo=150", "Intero=150,00"};
    QTest::newRow("saved empty, clicked, Ctrl+A") << toEuros + "{Salva}{Click:txtImporto}{CtrlA}1234"
        << QStringList{"Importo=1234", "Intero=1234,00"};
    QTest::newRow("the cents clicked, then Ctrl+A") << toEuros + "25{Click:txtCents}{CtrlA}7"
        << QStringList{"Importo=25", "Cents=70", "Intero=25,70"};
    QTest::newRow("a number retyped over the proposed one") << "{Click:txtNumRic}{CtrlA}12/B{Enter}{Enter}" + toEuros
        << QStringList{"NumRic=12/B", "Importo=0", "Cents=00", "Intero=0,00"};
    QTest::newRow("the date by double click, Alt+F4 picks nothing")
        << "{Click:txtAl}{AltF4}{Click:txtPagatore}" + toEuros.left(toEuros.indexOf("{Pick}")) + "{DblClick:txtDal}{Enter}{Pick}"
        << QStringList{"Dal=10/12/2026", "Al=10/12/2026", "Importo=0"};
    // clang-format on
}

void tst_TfrmRicevuta::typedReceiptIsSavedAsTyped()
{
    QFETCH(QString, keys);
    QFETCH(QStringList, stored);

    Editor e;
    e.showActive();
    const auto importa = [](QDialog* d) {
        d->findChild<QPushButton*>(QStringLiteral("btnImportaData"))->click();
        return d->result();
    };
    const auto clickButton = [](QWidget* w) { QTest::mouseClick(w, Qt::LeftButton, {}, w->rect().center()); };
    clickButton(e.button("cmdNuovo"));
    QTRY_COMPARE(QApplication::focusWidget(), e.edit("txtPagatore"));

    int pickers = 0;
    auto key = [](Qt::Key k, Qt::KeyboardModifiers m = {}) { QTest::keyClick(QApplication::focusWidget(), k, m); };
    for (int i = 0; i < keys.size();) {
        if (keys[i] != QLatin1Char('{')) {
            QTest::keyClick(QApplication::focusWidget(), keys[i].toLatin1());
            ++i;
            continue;
        }
        const int end = keys.indexOf(QLatin1Char('}'), i);
        const QString token = keys.mid(i + 1, end - i - 1);
        i = end + 1;
        const QString target = token.section(QLatin1Char(':'), 1);
        if (token == QLatin1String("Enter"))
            key(Qt::Key_Return);
        else if (token == QLatin1String("Tab"))
            key(Qt::Key_Tab);
        else if (token == QLatin1String("BackTab"))
            key(Qt::Key_Backtab, Qt::ShiftModifier);
        else if (token == QLatin1String("Home"))
            key(Qt::Key_Home);
        else if (token == QLatin1String("End"))
            key(Qt::Key_End);
        else if (token == QLatin1String("ShiftHome"))
            key(Qt::Key_Home, Qt::ShiftModifier);
        else if (token == QLatin1String("CtrlA"))
            key(Qt::Key_A, Qt::ControlModifier);
        else if (token == QLatin1String("AltF4"))
            key(Qt::Key_F4, Qt::AltModifier);
        else if (token == QLatin1String("Pick")) {
            e.fake.dialogScripts.append(importa);
            ++pickers;
            key(Qt::Key_D);
            e.showActive(); // the desktop gives the editor back its keyboard when the picker closes
        } else if (token == QLatin1String("Salva"))
            clickButton(e.button("cmdSalva"));
        else if (token.startsWith(QLatin1String("Click:"))) {
            QLineEdit* f = e.edit(target);
            QTest::mouseClick(f, Qt::LeftButton, {}, QPoint(f->width() - 3, f->height() / 2));
            QTRY_COMPARE(QApplication::focusWidget(), f);
        } else if (token.startsWith(QLatin1String("DblClick:"))) {
            e.fake.dialogScripts.append(importa);
            ++pickers;
            QTest::mouseDClick(e.edit(target), Qt::LeftButton);
            e.showActive();
        } else {
            QFAIL(qPrintable(QStringLiteral("unknown token ") + token));
        }
    }
    clickButton(e.button("cmdSalva"));

    QCOMPARE(e.fake.dialogsRun.size(), pickers); // the picker and nothing else
    for (const auto& m : e.fake.messages)
        QCOMPARE(m.kind, MessageKind::Information); // saved, never warned
    const QByteArray file = e.bytes();
    QCOMPARE(file.size(), TSchedaRicevuta::RecordSize);
    for (const QString& pair : stored) {
        const QByteArray name = pair.section(QLatin1Char('='), 0, 0).toLatin1();
        QCOMPARE(campo(file, 1, name.constData()), pair.section(QLatin1Char('='), 1).toLatin1());
    }
    QVERIFY(e.fake.verifyConsumed());
}

void tst_TfrmRicevuta::browsedTextsShowTheirBeginning()
{
    Editor e;
    TSchedaRicevuta r = ricevuta(1);
    r.Sport = QStringLiteral("Corso annuale di nuoto agonistico e preagonistico presso la piscina comunale a Torino");
    r.Indirizzo = QStringLiteral("Via Giuseppe Garibaldi 112, scala B, interno 7, 10122 Torino");
    e.write(encodeRecord(r));
    e.showActive();
    e.edit("txtIndirizzo")->setFocus();
    QTRY_VERIFY(e.edit("txtIndirizzo")->hasFocus());

    e.click("cmdPrimo");

    for (const QString& name : kChain)
        QVERIFY2(e.edit(name)->cursorPosition() == 0, qPrintable(name));
    QCOMPARE(e.edit("txtSport")->text(), r.Sport);
    // The field being typed into takes the new text selected: typing replaces it.
    QCOMPARE(e.edit("txtIndirizzo")->selectedText(), r.Indirizzo);
}

void tst_TfrmRicevuta::payeeLinesThatCannotBeWrittenKeepTheEditorOpen()
{
    Editor e;
    // The settings cannot be written (nor read): a folder stands where the file should be.
    const QString ini = QDir(e.fake.folder).filePath(QStringLiteral("Ricevute_Generiche.ini"));
    QVERIFY(QDir().mkdir(ini));
    // Shown: the lines cannot be read, and the user is told.
    e.showActive();
    QSignalSpy closed(&e.w, &TfrmRicevuta::chiuso);
    QCOMPARE(e.fake.messages.size(), 1);
    QCOMPARE(e.fake.messages[0].text, kAccesso);
    e.fake.messages.clear();

    // Lines not changed here: nothing is lost, the editor closes.
    e.click("cmdEsci");
    QCOMPARE(closed.count(), 1);
    QVERIFY(e.fake.messages.isEmpty());

    // Edited lines: the access message, and the editor stays open with them.
    e.showActive();
    e.fake.messages.clear();
    e.edit("txtRicevente02")->selectAll();
    QTest::keyClicks(e.edit("txtRicevente02"), QStringLiteral("Via del Porto 3"));
    e.click("cmdEsci");
    QCOMPARE(closed.count(), 1);
    QVERIFY(e.w.isVisible());
    QCOMPARE(e.fake.messages.size(), 1);
    QCOMPARE(e.fake.messages[0].kind, MessageKind::Error);
    QCOMPARE(e.fake.messages[0].text, kAccesso);
    QCOMPARE(e.edit("txtRicevente02")->text(), QStringLiteral("Via del Porto 3"));

    // Once the file can be written, the lines are kept and the editor closes.
    QVERIFY(QDir().rmdir(ini));
    e.click("cmdEsci");
    QCOMPARE(closed.count(), 2);
    QCOMPARE(ReceiptSettings::leggiRiceventi(e.fake.folder).value(1), QStringLiteral("Via del Porto 3"));
    QVERIFY(e.fake.verifyConsumed());
}

QTEST_MAIN(tst_TfrmRicevuta)
#include "tst_TfrmRicevuta.moc"
