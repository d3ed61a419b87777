// A receipt can be filed and trusted: its number is given once a year whatever two workstations
// do, its date lies in its archive's year, what goes on paper is what the archive holds, and its
// amount is typed the Italian way. Driven on the receipt editor's controls; checked on the
// messages, the focus, the printouts handed to the desktop and the archive's bytes.
#include "receipts/TfrmRicevuta.h"
#include "shell/PictureButton.h"
#include "storage/Archives.h"
#include "storage/RecordFile.h"
#include "storage/RecordLayout.h"
#include "storage/TSchedaRicevuta.h"
#include "support/FakePlatform.h"
#include "support/Screens.h"

#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <functional>
#include <utility>

using namespace tavorel;
using tavorel::test::FakePlatform;

namespace {

const QString kInserita = QStringLiteral("La scheda corrente è stata inserita in archivio.");
const QString kDataInesistente = QStringLiteral(
    "Attenzione: la data indicata non esiste.\n\r\n\rPer poter salvare la scheda è necessario indicare una "
    "data valida nel formato gg/mm/anno.");

QString giaAssegnato(const QString& n, const QString& date, const QString& payer)
{
    return QStringLiteral("Attenzione: il numero %1 è già stato assegnato alla ricevuta del %2 intestata a %3.")
        .arg(n, date, payer);
}

// A complete receipt of the 2026 archive with that number, told apart by its payer.
TSchedaRicevuta ricevuta(const QString& numero, const QString& pagatore = QStringLiteral("Verdi Anna"))
{
    TSchedaRicevuta r;
    r.NumRic = numero;
    r.Data = QStringLiteral("02/03/2026");
    r.Importo = QStringLiteral("35");
    r.Cents = r.CentLettere = QStringLiteral("00");
    r.Intero = QStringLiteral("35,00");
    r.ImpLettere = QStringLiteral("TRENTACINQUE");
    r.Pagatore = pagatore;
    r.CodFisc = QStringLiteral("VRDNNA80A41H501Q");
    r.Sport = QStringLiteral("Nuoto");
    r.Dal = QStringLiteral("01/03/2026");
    r.Al = QStringLiteral("31/03/2026");
    return r;
}

QByteArray archivio(const QStringList& numeri)
{
    QByteArray bytes;
    for (const QString& n : numeri)
        bytes += encodeRecord(ricevuta(n));
    return bytes;
}

// The desktop of this workstation; `beforeAnswer` runs once, when the next question is asked
// (what another workstation does while this one waits on the user).
struct Desktop : FakePlatform {
    std::function<void()> beforeAnswer;
    Answer message(QWidget* parent, MessageKind kind, const QString& text) override
    {
        if (auto act = std::exchange(beforeAnswer, {}))
            act();
        return FakePlatform::message(parent, kind, text);
    }
};

struct Editor {
    Desktop fake;
    struct Install {
        explicit Install(Platform* p) { setPlatform(p); }
        ~Install() { setPlatform(nullptr); }
    } install{&fake};
    TfrmRicevuta w;
    QString path;

    explicit Editor(const QString& year = QStringLiteral("2026")) : path(receiptArchivePath(fake.folder, year))
    {
        w.apriArchivio(path, QStringLiteral(" Tavorel - Archivio ricevute anno ") + year);
    }

    QLineEdit* edit(const char* name) { return test::child<QLineEdit>(&w, name); }
    void click(const char* name) { test::child<PictureButton>(&w, name)->click(); }
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
    QList<TSchedaRicevuta> records()
    {
        QList<TSchedaRicevuta> out;
        const QByteArray b = bytes();
        for (qsizetype at = 0; at + TSchedaRicevuta::RecordSize <= b.size(); at += TSchedaRicevuta::RecordSize)
            out.append(decodeRecord<TSchedaRicevuta>(b.mid(at, TSchedaRicevuta::RecordSize)));
        return out;
    }
    // What another workstation saves while this one is busy.
    void appendElsewhere(const TSchedaRicevuta& r)
    {
        RecordFile other;
        QVERIFY(OpenReceiptArchive(path, other));
        QVERIFY(other.append(encodeRecord(r)) > 0);
    }
    void setStart(const QString& start)
    {
        QFile f(QDir(fake.folder).filePath(QStringLiteral("Ricevute_Generiche.ini")));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("[Numerazione Ricevute]\r\nInizio=" + start.toLatin1() + "\r\n");
    }
    void showActive()
    {
        test::showActive(w);
        fake.messages.clear();
    }
    // Everything a save asks for but the number.
    void fill()
    {
        edit("txtData")->setText(QStringLiteral("05/03/2026"));
        edit("txtPagatore")->setText(QStringLiteral("Rossi Mario"));
        edit("txtCodFisc")->setText(QStringLiteral("RSSMRA80A01H501U"));
        edit("txtSport")->setText(QStringLiteral("Nuoto"));
        edit("txtDal")->setText(QStringLiteral("01/03/2026"));
        edit("txtAl")->setText(QStringLiteral("31/03/2026"));
    }
    // Types into whichever field has the focus, as a keyboard does.
    void type(const QString& text, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        for (QChar c : text)
            QTest::keyClick(QApplication::focusWidget(), c.toLatin1(), modifiers);
    }
};

} // namespace

class tst_FiledReceipts : public QObject {
    Q_OBJECT
private slots:
    void nuovoAndDuplicaProposeAFreeNumber_data();
    void nuovoAndDuplicaProposeAFreeNumber();
    void numberGivenOnceAYear_data();
    void numberGivenOnceAYear();
    void secondWorkstationIsOfferedTheNextNumber_data();
    void secondWorkstationIsOfferedTheNextNumber();
    void dateOfANewReceipt_data();
    void dateOfANewReceipt();
    void datesRefusedOnSave_data();
    void datesRefusedOnSave();
    void printoutIsOfTheArchivedReceipt_data();
    void printoutIsOfTheArchivedReceipt();
    void amountKeys_data();
    void amountKeys();
    void amountPasted_data();
    void amountPasted();
};

void tst_FiledReceipts::nuovoAndDuplicaProposeAFreeNumber_data()
{
    QTest::addColumn<QString>("start");
    QTest::addColumn<QStringList>("onFile");
    QTest::addColumn<QString>("proposed");

    QTest::newRow("numbered from the start") << "1" << QStringList{"1", "2", "3"} << "4";
    QTest::newRow("a number typed by hand") << "1" << QStringList{"1", "2", "10"} << "11";
    QTest::newRow("start lowered after use") << "1" << QStringList{"100", "101"} << "102";
    QTest::newRow("start raised") << "50" << QStringList{"1", "2"} << "52";
    QTest::newRow("numbers that are not whole numbers") << "1" << QStringList{"12/A", "B"} << "3";
    QTest::newRow("leading zeros") << "1" << QStringList{"007", "2"} << "8";
}

void tst_FiledReceipts::nuovoAndDuplicaProposeAFreeNumber()
{
    QFETCH(QString, start);
    QFETCH(QStringList, onFile);
    QFETCH(QString, proposed);

    Editor e;
    e.setStart(start);
    e.write(archivio(onFile));
    e.showActive();

    e.click("cmdNuovo");
    QCOMPARE(e.edit("txtNumRic")->text(), proposed);

    e.click("cmdUltimo");
    e.click("cmdDuplica");
    QCOMPARE(e.edit("txtNumRic")->text(), proposed);
    QCOMPARE(e.edit("txtPagatore")->text(), QStringLiteral("Verdi Anna"));
    // Saved as proposed, the next proposal moves on.
    e.click("cmdSalva");
    QCOMPARE(e.records().size(), onFile.size() + 1);
    e.click("cmdDuplica");
    QCOMPARE(e.edit("txtNumRic")->text(), QString::number(proposed.toInt() + 1));
    QVERIFY(e.fake.verifyConsumed());
}

void tst_FiledReceipts::numberGivenOnceAYear_data()
{
    // clang-format off
    QTest::addColumn<QStringList>("onFile");
    QTest::addColumn<int>("position"); // the receipt on screen: 0 a new one, else that record
    QTest::addColumn<QString>("number");
    QTest::addColumn<QString>("taken"); // the number as the receipt that has it shows it; empty: saved

    QTest::newRow("typed, taken") << QStringList{"1", "2", "3"} << 0 << "2" << "2";
    QTest::newRow("typed with zeros, taken") << QStringList{"1", "2", "3"} << 0 << " 002" << "002";
    QTest::newRow("letters in another case") << QStringList{"12/A"} << 0 << "12/a" << "12/a";
    QTest::newRow("typed, free") << QStringList{"1", "2", "3"} << 0 << "9" << "";
    QTest::newRow("saved again with its number") << QStringList{"1", "2", "3"} << 2 << "2" << "";
    QTest::newRow("changed to a number taken") << QStringList{"1", "2", "3"} << 2 << "3" << "3";
    QTest::newRow("changed to a free number") << QStringList{"1", "2", "3"} << 2 << "4" << "";
    QTest::newRow("two alike from before, one mended") << QStringList{"5", "5"} << 1 << "5" << "";
    // clang-format on
}

void tst_FiledReceipts::numberGivenOnceAYear()
{
    QFETCH(QStringList, onFile);
    QFETCH(int, position);
    QFETCH(QString, number);
    QFETCH(QString, taken);

    Editor e;
    e.write(archivio(onFile));
    e.showActive();
    if (position > 0)
        e.w.mostraScheda(e.records().at(position - 1), position);
    else
        e.fill();
    e.edit("txtNumRic")->setText(number);
    e.edit("txtSport")->setText(QStringLiteral("Tennis"));
    e.edit("txtIndirizzo")->setFocus();

    e.click("cmdSalva");

    if (taken.isEmpty()) {
        QCOMPARE(e.fake.messages.size(), 1);
        QCOMPARE(e.fake.messages[0].kind, MessageKind::Information);
        QCOMPARE(e.records().size(), onFile.size() + (position == 0 ? 1 : 0));
        QCOMPARE(e.records().at(position > 0 ? position - 1 : onFile.size()).NumRic, number);
    } else {
        QCOMPARE(e.fake.messages.size(), 1);
        QCOMPARE(e.fake.messages[0].kind, MessageKind::Warning);
        QCOMPARE(e.fake.messages[0].text, giaAssegnato(number.trimmed(), "02/03/2026", "Verdi Anna"));
        QTRY_COMPARE(QApplication::focusWidget(), e.edit("txtNumRic"));
        QCOMPARE(e.bytes(), archivio(onFile));
        QCOMPARE(e.w.posizione(), position);
    }
    QVERIFY(e.fake.verifyConsumed());
}

void tst_FiledReceipts::secondWorkstationIsOfferedTheNextNumber_data()
{
    QTest::addColumn<bool>("duringQuestion"); // the other save comes while the payer's code is asked about
    QTest::addColumn<Answer>("answer");

    QTest::newRow("before Salva, next number taken") << false << Answer::Yes;
    QTest::newRow("before Salva, back to the number") << false << Answer::No;
    QTest::newRow("between the checks and the write") << true << Answer::Yes;
}

void tst_FiledReceipts::secondWorkstationIsOfferedTheNextNumber()
{
    QFETCH(bool, duringQuestion);
    QFETCH(Answer, answer);

    Editor e;
    e.write(archivio({"1", "2", "3"}));
    e.showActive();
    e.click("cmdNuovo");
    QCOMPARE(e.edit("txtNumRic")->text(), QStringLiteral("4"));
    e.fill();

    const TSchedaRicevuta altra = ricevuta(QStringLiteral("4"), QStringLiteral("Neri Luca"));
    if (duringQuestion) {
        // A payer whose name the code does not match: the save asks, and meanwhile the other
        // workstation saves number 4.
        e.edit("txtPagatore")->setText(QStringLiteral("Bianchi Carla"));
        e.fake.answers << Answer::Yes;
        e.fake.beforeAnswer = [&] { e.appendElsewhere(altra); };
    } else {
        e.appendElsewhere(altra);
    }
    e.fake.answers << answer;

    e.click("cmdSalva");

    const qsizetype question = duringQuestion ? 1 : 0;
    QCOMPARE(e.fake.messages[question].kind, MessageKind::Confirmation);
    QCOMPARE(e.fake.messages[question].text,
             giaAssegnato("4", "02/03/2026", "Neri Luca").chopped(1) +
                 QStringLiteral(", salvata nel frattempo da un'altra postazione.\n\r\n\r"
                                "Assegnare a questa ricevuta il primo numero libero, 5, e salvarla?"));
    const QList<TSchedaRicevuta> saved = e.records();
    if (answer == Answer::Yes) {
        QCOMPARE(saved.size(), 5);
        QCOMPARE(saved[4].NumRic, QStringLiteral("5"));
        QCOMPARE(e.edit("txtNumRic")->text(), QStringLiteral("5"));
        QCOMPARE(e.w.posizione(), 5);
        QCOMPARE(e.fake.lastMessage(), kInserita);
    } else {
        QCOMPARE(saved.size(), 4);
        QCOMPARE(e.fake.messages.size(), question + 1);
        QCOMPARE(e.edit("txtNumRic")->text(), QStringLiteral("4"));
        QTRY_COMPARE(QApplication::focusWidget(), e.edit("txtNumRic"));
    }
    QCOMPARE(saved[3], altra);
    QVERIFY(e.fake.verifyConsumed());
}

void tst_FiledReceipts::dateOfANewReceipt_data()
{
    QTest::addColumn<QString>("year");
    QTest::addColumn<QString>("date");

    QTest::newRow("this year") << "2026"
                               << "10/12/2026";
    QTest::newRow("last year") << "2025"
                               << "";
    QTest::newRow("next year") << "2027"
                               << "";
}

void tst_FiledReceipts::dateOfANewReceipt()
{
    QFETCH(QString, year);
    QFETCH(QString, date);

    Editor e(year);
    e.write(archivio({"1"}));
    e.showActive();
    QCOMPARE(e.edit("txtData")->text(), date);
    e.edit("txtData")->setText(QStringLiteral("01/01/2000"));
    e.fake.answers << Answer::No;
    e.click("cmdNuovo");
    QCOMPARE(e.edit("txtData")->text(), date);
    e.click("cmdPrimo");
    e.click("cmdDuplica");
    QCOMPARE(e.edit("txtData")->text(), date);
    QVERIFY(e.fake.verifyConsumed());
}

void tst_FiledReceipts::datesRefusedOnSave_data()
{
    // clang-format off
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("warning"); // empty: saved

    const QString fuoriAnno = QStringLiteral(
        "Attenzione: la data della ricevuta (%1) non appartiene all'anno 2026 dell'archivio aperto.\n\r\n\r"
        "Per salvare la ricevuta è necessario indicare una data del 2026; una ricevuta di un altro anno va "
        "emessa nell'archivio di quell'anno.");
    QTest::newRow("first day of the year") << "txtData" << "01/01/2026" << "";
    QTest::newRow("last day of the year") << "txtData" << "31/12/2026" << "";
    QTest::newRow("last year") << "txtData" << "31/12/2025" << fuoriAnno.arg("31/12/2025");
    QTest::newRow("next year") << "txtData" << "01/01/2027" << fuoriAnno.arg("01/01/2027");
    QTest::newRow("birth date left empty") << "txtDataNasc" << "" << "";
    QTest::newRow("birth date") << "txtDataNasc" << "28/02/2015" << "";
    QTest::newRow("birth date that does not exist") << "txtDataNasc" << "31/02/2015" << kDataInesistente;
    QTest::newRow("birth date that is not a date") << "txtDataNasc" << "ciao" << kDataInesistente;
    // clang-format on
}

void tst_FiledReceipts::datesRefusedOnSave()
{
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(QString, warning);

    Editor e;
    e.showActive();
    e.fill();
    e.edit("txtNumRic")->setText(QStringLiteral("1"));
    QLineEdit* f = e.edit(field.toLatin1().constData());
    f->setText(text);
    e.edit("txtIndirizzo")->setFocus();

    e.click("cmdSalva");

    QCOMPARE(e.fake.messages.size(), 1);
    if (warning.isEmpty()) {
        QCOMPARE(e.fake.messages[0].text, kInserita);
        QCOMPARE(e.records().size(), 1);
    } else {
        QCOMPARE(e.fake.messages[0].kind, MessageKind::Warning);
        QCOMPARE(e.fake.messages[0].text, warning);
        QTRY_COMPARE(QApplication::focusWidget(), f);
        QVERIFY(e.records().isEmpty());
    }
    QVERIFY(e.fake.verifyConsumed());
}

void tst_FiledReceipts::printoutIsOfTheArchivedReceipt_data()
{
    // clang-format off
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("receipt");  // "new", "saved", "changed", "incomplete" (no fiscal code)
    QTest::addColumn<Answer>("answer");    // to the question whether to save first
    QTest::addColumn<QString>("payer");    // on the printout; empty: nothing printed
    QTest::addColumn<int>("records");

    for (const char* b : {"cmdAnteprima", "cmdStampa"}) {
        const QString n = QLatin1StringView(b) + u' ';
        QTest::newRow(qPrintable(n + "new, saved first")) << b << "new" << Answer::Yes << "Rossi Mario" << 2;
        QTest::newRow(qPrintable(n + "new, not saved")) << b << "new" << Answer::No << "" << 1;
        QTest::newRow(qPrintable(n + "saved, unchanged")) << b << "saved" << Answer::Ok << "Verdi Anna" << 1;
        QTest::newRow(qPrintable(n + "changed, saved first")) << b << "changed" << Answer::Yes << "Gialli Ugo" << 1;
        QTest::newRow(qPrintable(n + "changed, not saved")) << b << "changed" << Answer::No << "" << 1;
        QTest::newRow(qPrintable(n + "incomplete")) << b << "incomplete" << Answer::Yes << "" << 1;
    }
    // clang-format on
}

void tst_FiledReceipts::printoutIsOfTheArchivedReceipt()
{
    QFETCH(QString, button);
    QFETCH(QString, receipt);
    QFETCH(Answer, answer);
    QFETCH(QString, payer);
    QFETCH(int, records);

    Editor e;
    e.write(archivio({"1"}));
    e.showActive();
    if (receipt == "saved" || receipt == "changed") {
        e.click("cmdPrimo");
        if (receipt == "changed")
            e.edit("txtPagatore")->setText(QStringLiteral("Gialli Ugo"));
    } else {
        e.click("cmdNuovo");
        e.fill();
        if (receipt == "incomplete")
            e.edit("txtCodFisc")->clear();
    }
    const bool asked = receipt != "saved";
    if (asked)
        e.fake.answers << answer;
    e.fake.dialogScripts.append([](QDialog* d) {
        d->findChild<QPushButton*>(QStringLiteral("btnStampa"))->click();
        return d->result();
    });
    const qsizetype before = e.fake.messages.size();

    e.click(button.toLatin1().constData());

    if (asked) {
        QCOMPARE(e.fake.messages.at(before).kind, MessageKind::Confirmation);
        QCOMPARE(e.fake.messages.at(before).text,
                 QStringLiteral("La ricevuta non è ancora salvata in archivio così come appare sullo schermo.\n\r\n\r"
                                "Per stampare una ricevuta è necessario prima salvarla in archivio: salvarla ora?"));
    } else {
        QCOMPARE(e.fake.messages.size(), before);
    }
    const QList<Report>& out = button == "cmdAnteprima" ? e.fake.previewed : e.fake.printed;
    QCOMPARE(e.records().size(), records);
    if (payer.isEmpty()) {
        QVERIFY(out.isEmpty());
        QVERIFY(e.fake.dialogsRun.isEmpty());
        e.fake.dialogScripts.clear();
    } else {
        QCOMPARE(out.size(), 1);
        QCOMPARE(out[0].findMemo(QStringLiteral("txtPagatore"))->text(), payer);
        // The printed number is the archived one.
        QCOMPARE(out[0].findMemo(QStringLiteral("txtNumRic"))->text(),
                 QStringLiteral("Ricevuta n. ") + e.records().at(e.w.posizione() - 1).NumRic);
        QCOMPARE(e.records().at(e.w.posizione() - 1).Pagatore, payer);
    }
    QVERIFY(e.fake.verifyConsumed());
}

void tst_FiledReceipts::amountKeys_data()
{
    // clang-format off
    QTest::addColumn<QString>("keys");
    QTest::addColumn<bool>("keypad");
    QTest::addColumn<QString>("euro");
    QTest::addColumn<QString>("cents");

    QTest::newRow("Italian thousands and comma") << "1.234,56" << false << "1234" << "56";
    QTest::newRow("full stop is not the decimal point") << "12.50" << false << "1250" << "00";
    QTest::newRow("keypad decimal as a full stop") << "1234.5" << true << "1234" << "5";
    QTest::newRow("keypad decimal as a comma") << "35,07" << true << "35" << "07";
    QTest::newRow("letters type nothing") << "3a5" << false << "35" << "00";
    // clang-format on
}

void tst_FiledReceipts::amountKeys()
{
    QFETCH(QString, keys);
    QFETCH(bool, keypad);
    QFETCH(QString, euro);
    QFETCH(QString, cents);

    Editor e;
    e.showActive();
    e.edit("txtImporto")->setFocus();
    e.type(keys, keypad ? Qt::KeypadModifier : Qt::NoModifier);

    QCOMPARE(e.edit("txtImporto")->text(), euro);
    QCOMPARE(e.edit("txtCents")->text(), cents);
    QCOMPARE(QApplication::focusWidget(), e.edit(cents == "00" ? "txtImporto" : "txtCents"));
}

void tst_FiledReceipts::amountPasted_data()
{
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<QString>("euro");
    QTest::addColumn<QString>("cents");
    QTest::addColumn<QString>("words");

    QTest::newRow("euros and cents") << "1.234,56"
                                     << "1234"
                                     << "56"
                                     << "MILLEDUECENTOTRENTAQUATTRO";
    QTest::newRow("euros with the sign") << "€ 35,5"
                                         << "35"
                                         << "50"
                                         << "TRENTACINQUE";
    QTest::newRow("thousands only") << " 12.000 "
                                    << "12000"
                                    << "00"
                                    << "DODICIMILA";
    QTest::newRow("a full stop as the decimal point") << "12.5"
                                                      << ""
                                                      << "00"
                                                      << "";
    QTest::newRow("three cents digits") << "12,345"
                                        << ""
                                        << "00"
                                        << "";
}

void tst_FiledReceipts::amountPasted()
{
    QFETCH(QString, clipboard);
    QFETCH(QString, euro);
    QFETCH(QString, cents);
    QFETCH(QString, words);

    Editor e;
    e.showActive();
    QApplication::clipboard()->setText(clipboard);
    e.edit("txtImporto")->setFocus();
    QTest::keySequence(e.edit("txtImporto"), QKeySequence::Paste);

    QCOMPARE(e.edit("txtImporto")->text(), euro);
    QCOMPARE(e.edit("txtCents")->text(), cents);
    QCOMPARE(test::child<QLabel>(&e.w, "txtImpLettere")->text(), words);
    QCOMPARE(test::child<QLabel>(&e.w, "txtCentLettere")->text(), cents);
    // What is not taken is said, not dropped without a word.
    if (euro.isEmpty()) {
        QCOMPARE(e.fake.messages.size(), 1);
        QCOMPARE(e.fake.messages[0].kind, MessageKind::Warning);
        QVERIFY(e.fake.messages[0].text.contains(u'(' + clipboard + u')'));
    } else {
        QVERIFY(e.fake.messages.isEmpty());
    }
}

QTEST_MAIN(tst_FiledReceipts)
#include "tst_FiledReceipts.moc"
