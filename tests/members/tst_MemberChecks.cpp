// What cannot be right is not saved in the member archive without a word: a sex other than M or F,
// a date of birth that does not exist, the fiscal code or card number of another member, and the
// fee typed from the numeric keypad. Driven on the member editor's controls; checked on the
// messages, the focus and the archive's records.
#include "members/TfrmTiratori.h"
#include "shell/PictureButton.h"
#include "storage/Archives.h"
#include "storage/RecordLayout.h"
#include "storage/TSchedaIscritto.h"
#include "support/FakePlatform.h"
#include "support/Screens.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QTest>

using namespace tavorel;
using tavorel::test::FakePlatformScope;

namespace {

const QString kInserita = QStringLiteral("La scheda corrente è stata inserita in archivio.");
const QString kModificata =
    QStringLiteral("Le modifiche apportate alla scheda corrente sono state salvate in archivio.");

// A member the save takes as it is: every required field, a code that agrees with the data.
TSchedaIscritto iscritto(const QString& nome, const QString& codFisc, const QString& tessera)
{
    TSchedaIscritto m;
    m.Tiratore = nome;
    m.CodFisc = codFisc;
    m.Tessera = tessera;
    m.Studio = QStringLiteral("15/05/2027");
    m.Ente = QStringLiteral("Tiro a volo");
    m.Quota = QStringLiteral("35,00");
    m.InizioTes = QStringLiteral("01/09/2026");
    m.FineTes = QStringLiteral("31/08/2027");
    return m;
}

struct Editor {
    FakePlatformScope scope;
    test::FakePlatform& fake = scope.fake;
    TfrmTiratori w;
    QString path = memberArchivePath(fake.folder);

    QLineEdit* edit(const char* name) { return test::child<QLineEdit>(&w, name); }
    void click(const char* name) { test::child<PictureButton>(&w, name)->click(); }
    void write(const QList<TSchedaIscritto>& members)
    {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        for (const TSchedaIscritto& m : members)
            f.write(encodeRecord(m));
    }
    QList<TSchedaIscritto> records()
    {
        QFile f(path);
        QList<TSchedaIscritto> out;
        if (!f.open(QIODevice::ReadOnly))
            return out;
        const QByteArray b = f.readAll();
        for (qsizetype at = 0; at + TSchedaIscritto::RecordSize <= b.size(); at += TSchedaIscritto::RecordSize)
            out.append(decodeRecord<TSchedaIscritto>(b.mid(at, TSchedaIscritto::RecordSize)));
        return out;
    }
    void showActive()
    {
        test::showActive(w);
        fake.messages.clear();
    }
};

} // namespace

class tst_MemberChecks : public QObject {
    Q_OBJECT
private slots:
    void sexTypedAndSaved_data();
    void sexTypedAndSaved();
    void birthDateOnSave_data();
    void birthDateOnSave();
    void duplicatesAreAskedAbout_data();
    void duplicatesAreAskedAbout();
    void feeFromTheKeypad_data();
    void feeFromTheKeypad();
};

void tst_MemberChecks::sexTypedAndSaved_data()
{
    QTest::addColumn<QString>("keys"); // typed into the field; "=" first: put there as stored
    QTest::addColumn<QString>("shown");
    QTest::addColumn<bool>("saved");

    QTest::newRow("m typed") << "m"
                             << "M" << true;
    QTest::newRow("F typed") << "F"
                             << "F" << true;
    QTest::newRow("other letters type nothing") << "zx1 "
                                                << "" << true;
    QTest::newRow("letter after a valid one") << "fm"
                                              << "F" << true;
    QTest::newRow("stored from before as Z") << "=Z"
                                             << "Z" << false;
}

void tst_MemberChecks::sexTypedAndSaved()
{
    QFETCH(QString, keys);
    QFETCH(QString, shown);
    QFETCH(bool, saved);

    Editor e;
    e.showActive();
    e.w.mostraScheda(iscritto(QStringLiteral("Rossi Anna"), QString(), QStringLiteral("1")), 0);
    QLineEdit* sesso = e.edit("txtSesso");
    if (keys.startsWith(u'=')) {
        sesso->setText(keys.mid(1));
    } else {
        sesso->setFocus();
        QTest::keyClicks(sesso, keys);
    }
    QCOMPARE(sesso->text(), shown);
    e.edit("txtNote")->setFocus();

    e.click("cmdSalva");

    QCOMPARE(e.fake.messages.size(), 1);
    if (saved) {
        QCOMPARE(e.fake.messages[0].text, kInserita);
        QCOMPARE(e.records().at(0).Sesso, shown);
    } else {
        QCOMPARE(e.fake.messages[0].kind, MessageKind::Warning);
        QCOMPARE(
            e.fake.messages[0].text,
            QStringLiteral(
                "Attenzione: il sesso dell'iscritto va indicato con la lettera M (maschile) oppure F (femminile)."));
        QTRY_COMPARE(QApplication::focusWidget(), sesso);
        QVERIFY(e.records().isEmpty());
    }
}

void tst_MemberChecks::birthDateOnSave_data()
{
    QTest::addColumn<QString>("date");
    QTest::addColumn<bool>("saved");

    QTest::newRow("empty") << "" << true;
    QTest::newRow("a real date") << "29/02/2016" << true;
    QTest::newRow("31 February") << "31/02/2015" << false;
    QTest::newRow("not a date") << "ciao" << false;
}

void tst_MemberChecks::birthDateOnSave()
{
    QFETCH(QString, date);
    QFETCH(bool, saved);

    Editor e;
    e.showActive();
    e.w.mostraScheda(iscritto(QStringLiteral("Rossi Anna"), QString(), QStringLiteral("1")), 0);
    e.edit("txtDataNasc")->setText(date);
    e.edit("txtNote")->setFocus();

    e.click("cmdSalva");

    QCOMPARE(e.fake.messages.size(), 1);
    QCOMPARE(e.records().size(), saved ? 1 : 0);
    if (!saved) {
        QCOMPARE(e.fake.messages[0].text,
                 QStringLiteral("Attenzione: la data indicata non esiste.\n\r\n\rPer poter salvare la scheda è "
                                "necessario indicare una data valida nel formato gg/mm/anno."));
        QTRY_COMPARE(QApplication::focusWidget(), e.edit("txtDataNasc"));
    }
}

void tst_MemberChecks::duplicatesAreAskedAbout_data()
{
    // clang-format off
    QTest::addColumn<int>("position");  // the member on screen: 0 a new one, else that record
    QTest::addColumn<QString>("codFisc");
    QTest::addColumn<QString>("tessera");
    QTest::addColumn<QStringList>("questions");
    QTest::addColumn<QList<Answer>>("answers");
    QTest::addColumn<QString>("focus"); // empty: saved

    const QString cf = QStringLiteral("Attenzione: il codice fiscale %1 è già indicato nella scheda n. %2 "
                                      "dell'iscritto %3.\n\r\n\rSalvare comunque questa scheda?");
    const QString tes = QStringLiteral("Attenzione: la tessera n. %1 è già indicata nella scheda n. %2 "
                                       "dell'iscritto %3.\n\r\n\rSalvare comunque questa scheda?");
    const QString cfBianchi = cf.arg("BNCLCU70A01H501W", "2", "Bianchi Luca");
    const QString tesNeri = tes.arg("T-7", "3", "Neri Ada");
    QTest::newRow("new, nobody else") << 0 << "" << "T-9" << QStringList{} << QList<Answer>{} << "";
    QTest::newRow("new, code of another, saved")
        << 0 << "BNCLCU70A01H501W" << "T-9" << QStringList{cfBianchi} << QList<Answer>{Answer::Yes} << "";
    QTest::newRow("new, code of another, back")
        << 0 << "BNCLCU70A01H501W" << "T-9" << QStringList{cfBianchi} << QList<Answer>{Answer::No} << "txtCodFisc";
    QTest::newRow("new, card of another in other case, back")
        << 0 << "" << "t-7" << QStringList{tes.arg("t-7", "3", "Neri Ada")} << QList<Answer>{Answer::No}
        << "txtTessera";
    QTest::newRow("both, one after the other")
        << 0 << "BNCLCU70A01H501W" << "T-7" << QStringList{cfBianchi, tesNeri}
        << QList<Answer>{Answer::Yes, Answer::No} << "txtTessera";
    QTest::newRow("own code saved again") << 2 << "BNCLCU70A01H501W" << "T-5" << QStringList{}
                                          << QList<Answer>{} << "";
    QTest::newRow("changed to the card of another")
        << 2 << "BNCLCU70A01H501W" << "T-7" << QStringList{tesNeri} << QList<Answer>{Answer::Yes} << "";
    // clang-format on
}

void tst_MemberChecks::duplicatesAreAskedAbout()
{
    QFETCH(int, position);
    QFETCH(QString, codFisc);
    QFETCH(QString, tessera);
    QFETCH(QStringList, questions);
    QFETCH(QList<Answer>, answers);
    QFETCH(QString, focus);

    Editor e;
    const QList<TSchedaIscritto> before{
        iscritto(QStringLiteral("Rossi Anna"), QString(), QStringLiteral("T-1")),
        iscritto(QStringLiteral("Bianchi Luca"), QStringLiteral("BNCLCU70A01H501W"), QStringLiteral("T-5")),
        iscritto(QStringLiteral("Neri Ada"), QString(), QStringLiteral("T-7")),
    };
    e.write(before);
    e.showActive();
    const TSchedaIscritto base =
        position > 0 ? before[position - 1] : iscritto(QStringLiteral("Bianchi Luca"), QString(), QString());
    e.w.mostraScheda(base, position);
    e.edit("txtCodFisc")->setText(codFisc);
    e.edit("txtTessera")->setText(tessera);
    e.edit("txtNote")->setFocus();
    e.fake.answers = answers;

    e.click("cmdSalva");

    QStringList asked;
    for (const auto& m : e.fake.messages)
        if (m.kind == MessageKind::Confirmation)
            asked.append(m.text);
    QCOMPARE(asked, questions);
    if (focus.isEmpty()) {
        QCOMPARE(e.fake.lastMessage(), position > 0 ? kModificata : kInserita);
        QCOMPARE(e.records().size(), position > 0 ? 3 : 4);
        QCOMPARE(e.records().at(position > 0 ? position - 1 : 3).Tessera, tessera);
    } else {
        QCOMPARE(e.records(), before);
        QTRY_COMPARE(QApplication::focusWidget(), e.edit(focus.toLatin1().constData()));
    }
    QVERIFY(e.fake.verifyConsumed());
}

void tst_MemberChecks::feeFromTheKeypad_data()
{
    QTest::addColumn<bool>("keypad");
    QTest::addColumn<QString>("fee");

    QTest::newRow("keypad decimal key") << true << "35,5";
    QTest::newRow("main keyboard full stop types nothing") << false << "355";
}

void tst_MemberChecks::feeFromTheKeypad()
{
    QFETCH(bool, keypad);
    QFETCH(QString, fee);

    Editor e;
    e.showActive();
    QLineEdit* quota = e.edit("txtQuota");
    quota->setFocus();
    quota->clear();
    const Qt::KeyboardModifiers mods = keypad ? Qt::KeypadModifier : Qt::NoModifier;
    for (char c : {'3', '5', '.', '5'})
        QTest::keyClick(quota, c, mods);
    QCOMPARE(quota->text(), fee);
}

QTEST_MAIN(tst_MemberChecks)
#include "tst_MemberChecks.moc"
