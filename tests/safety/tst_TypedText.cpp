// What a field takes is what its file can hold. The archives and the settings are written in
// Windows-1252: a character outside it, typed, composed or pasted, is refused as it comes, with a
// hint in the info bar naming it; the control characters of a paste become blanks; nothing is ever
// stored as "?".
#include "members/TfrmTiratori.h"
#include "receipts/TfrmRicevuta.h"
#include "shell/InfoBar.h"
#include "shell/TextGuard.h"
#include "storage/Messages.h"
#include "storage/RecordFile.h"
#include "storage/RecordLayout.h"
#include "storage/TSchedaRicevuta.h"
#include "support/FakePlatform.h"
#include "support/Folders.h"
#include "support/Screens.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>

#include <memory>

using namespace tavorel;
using tavorel::test::FakePlatform;
using tavorel::test::FakePlatformScope;

namespace {

// Each character (code point) as one key press that types it, as a keyboard layout does.
void typeKeys(QWidget* field, const QString& text)
{
    for (const char32_t c : text.toUcs4()) {
        const QString one = QString::fromUcs4(&c, 1);
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, one);
        QApplication::sendEvent(field, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, one);
        QApplication::sendEvent(field, &release);
    }
}

// The whole text committed at once by an input method (Chinese, Japanese...).
void compose(QWidget* field, const QString& text)
{
    QInputMethodEvent event;
    event.setCommitString(text);
    QApplication::sendEvent(field, &event);
}

void paste(QWidget* field, const QString& text)
{
    QGuiApplication::clipboard()->setText(text);
    QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
}

void enter(QWidget* field, const QString& how, const QString& text)
{
    if (how == QLatin1String("typed"))
        typeKeys(field, text);
    else if (how == QLatin1String("composed"))
        compose(field, text);
    else
        paste(field, text);
}

void click(QWidget* screen, const char* name)
{
    auto* button = screen->findChild<QAbstractButton*>(QLatin1StringView(name));
    QVERIFY2(button && button->isVisible(), name);
    QTest::mouseClick(button, Qt::LeftButton);
}

std::unique_ptr<QWidget> openScreen(const QString& screen, const QString& folder)
{
    if (screen == QLatin1String("receipts")) {
        auto w = std::make_unique<TfrmRicevuta>();
        w->apriArchivio(QDir(folder).filePath(QStringLiteral("2026.ric")), QStringLiteral(" Tavorel"));
        return w;
    }
    return std::make_unique<TfrmTiratori>();
}

QString hint(const QString& character, const QString& code)
{
    return msgCarattereNonAmmesso(character, code);
}

} // namespace

class tst_TypedText : public QObject {
    Q_OBJECT

private slots:
    void fieldsTakeWhatTheFilesHold_data();
    void fieldsTakeWhatTheFilesHold();
    void savedBytesAreWhatWasShown();
    void aCharacterThatGotThereIsNotSaved();
    void multiLineFieldKeepsLineBreaks();
};

void tst_TypedText::fieldsTakeWhatTheFilesHold_data()
{
    QTest::addColumn<QString>("screen");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("how");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("hint"); // empty: the info bar is left alone

    const QString r = QStringLiteral("receipts");
    const QString m = QStringLiteral("members");
    // clang-format off
    QTest::newRow("receipt: Ș typed, the rest taken")
        << r << "txtPagatore" << "typed" << QStringLiteral(u"\u0218tefan") << "tefan" << hint(QStringLiteral(u"\u0218"), "U+0218");
    QTest::newRow("receipt: Ω typed after a word")
        << r << "txtSport" << "typed" << QStringLiteral(u"Nuoto \u03A9") << "Nuoto " << hint(QStringLiteral(u"\u03A9"), "U+03A9");
    QTest::newRow("receipt: every Windows-1252 letter typed is taken")
        << r << "txtIndirizzo" << "typed" << QStringLiteral(u"Via Ç € Œ ž 1") << QStringLiteral(u"Via Ç € Œ ž 1") << "";
    QTest::newRow("receipt: a payee line pasted with Ș is refused whole")
        << r << "txtRicevente01" << "pasted" << QStringLiteral(u"A.S.D. \u0218tefan") << "" << hint(QStringLiteral(u"\u0218"), "U+0218");
    QTest::newRow("receipt: Tab, CR, LF and Esc pasted become blanks")
        << r << "txtPraticante" << "pasted" << QStringLiteral("Rossi\tMario\r\nJr\x1b") << "Rossi Mario  Jr " << "";
    QTest::newRow("member: Chinese composed")
        << m << "txtTiratore" << "composed" << QStringLiteral(u"\u5F20\u4F1F") << "" << hint(QStringLiteral(u"\u5F20"), "U+5F20");
    QTest::newRow("member: an emoji typed")
        << m << "txtNote" << "typed" << QStringLiteral(u"Ok \U0001F600") << "Ok " << hint(QStringLiteral(u"\U0001F600"), "U+1F600");
    QTest::newRow("member: a note pasted over two lines is one line")
        << m << "txtNote" << "pasted" << QStringLiteral("riga 1\r\nriga\t2") << "riga 1  riga 2" << "";
    QTest::newRow("member: a trimmed field trims what the paste blanked")
        << m << "txtEmail" << "pasted" << QStringLiteral("\tmario@esempio.it\r\n") << "mario@esempio.it" << "";
    QTest::newRow("member: a capitals field refuses ω")
        << m << "txtCodFisc" << "typed" << QStringLiteral(u"\u03C9") << "" << hint(QStringLiteral(u"\u03C9"), "U+03C9");
    // clang-format on
}

void tst_TypedText::fieldsTakeWhatTheFilesHold()
{
    QFETCH(QString, screen);
    QFETCH(QString, field);
    QFETCH(QString, how);
    QFETCH(QString, input);
    QFETCH(QString, shown);
    QFETCH(QString, hint);
    FakePlatformScope scope;
    const std::unique_ptr<QWidget> w = openScreen(screen, scope.fake.folder);
    test::showActive(*w);
    auto* edit = test::child<QLineEdit>(w.get(), field);
    auto* bar = w->findChild<InfoBar*>();
    QVERIFY(bar);
    bar->setText(QStringLiteral("prima"));
    edit->setFocus(Qt::TabFocusReason);
    edit->clear();

    enter(edit, how, input);

    QCOMPARE(edit->text(), shown);
    QCOMPARE(bar->text(), hint.isEmpty() ? QStringLiteral("prima") : hint);
    QVERIFY(scope.fake.messages.isEmpty());
}

// A receipt saved after typing and pasting holds in its file the bytes of what the fields showed.
void tst_TypedText::savedBytesAreWhatWasShown()
{
    FakePlatformScope scope;
    FakePlatform& fake = scope.fake;
    const QString path = QDir(fake.folder).filePath(QStringLiteral("2026.ric"));
    TfrmRicevuta w;
    w.apriArchivio(path, QStringLiteral(" Tavorel"));
    test::showActive(w);
    auto edit = [&](const char* name) { return test::child<QLineEdit>(&w, name); };
    for (const auto& [name, text] : QList<std::pair<const char*, QString>>{{"txtNumRic", QStringLiteral("1")},
                                                                           {"txtDal", QStringLiteral("01/01/2026")},
                                                                           {"txtAl", QStringLiteral("31/01/2026")}})
        edit(name)->setText(text);
    edit("txtPagatore")->setFocus(Qt::TabFocusReason);
    paste(edit("txtPagatore"), QStringLiteral(u"Dvo\u0159\u00E1k")); // ř: refused whole
    paste(edit("txtPagatore"), QStringLiteral("Rossi\tMario\x1b"));  // Tab, Esc: blanks
    edit("txtCodFisc")->setFocus(Qt::TabFocusReason);
    typeKeys(edit("txtCodFisc"), QStringLiteral("RSSMRA80A01H501U"));
    edit("txtSport")->setFocus(Qt::TabFocusReason);
    typeKeys(edit("txtSport"), QStringLiteral(u"Scherma \u2013 fioretto \u2014 \u20AC 5 \u03A9")); // Ω refused
    QCOMPARE(edit("txtPagatore")->text(), QStringLiteral("Rossi Mario "));

    click(&w, "cmdSalva");
    QVERIFY(!fake.messages.isEmpty());
    QCOMPARE(fake.messages.last().kind, MessageKind::Information);

    const QByteArray record = test::readFile(path);
    QCOMPARE(record.size(), TSchedaRicevuta::RecordSize);
    QCOMPARE(storedField(record, storedFieldOf(&TSchedaRicevuta::Pagatore)).toByteArray(), QByteArray("Rossi Mario"));
    QCOMPARE(storedField(record, storedFieldOf(&TSchedaRicevuta::Sport)).toByteArray(),
             QByteArray("Scherma \x96 fioretto \x97 \x80 5"));
    QVERIFY(!record.contains('?'));
    QVERIFY(fake.verifyConsumed());
}

// A character put in a field past the field's guard (as a screen could) stops the save with a
// message naming it: the archive is not touched. The storage layer refuses such a record too.
void tst_TypedText::aCharacterThatGotThereIsNotSaved()
{
    FakePlatformScope scope;
    FakePlatform& fake = scope.fake;
    const QString path = QDir(fake.folder).filePath(QStringLiteral("2026.ric"));
    TfrmRicevuta w;
    w.apriArchivio(path, QStringLiteral(" Tavorel"));
    test::showActive(w);
    for (const auto& [name, text] :
         QList<std::pair<const char*, QString>>{{"txtNumRic", QStringLiteral("1")},
                                                {"txtPagatore", QStringLiteral(u"Stefan \u0218erban")},
                                                {"txtCodFisc", QStringLiteral("X")},
                                                {"txtSport", QStringLiteral("Nuoto")},
                                                {"txtDal", QStringLiteral("01/01/2026")},
                                                {"txtAl", QStringLiteral("31/01/2026")}})
        test::child<QLineEdit>(&w, name)->setText(text);
    click(&w, "cmdSalva");
    QCOMPARE(fake.messages.size(), 1);
    QCOMPARE(fake.messages[0].kind, MessageKind::Warning);
    QCOMPARE(fake.messages[0].text, msgCarattereNonRegistrabile(QStringLiteral(u"\u0218"), QStringLiteral("U+0218")));
    QVERIFY(test::child<QLineEdit>(&w, "txtPagatore")->hasFocus());
    QVERIFY(!QFile::exists(path));

    TSchedaRicevuta r;
    r.Pagatore = QStringLiteral(u"\u5F20");
    RecordFile file;
    QVERIFY(file.open(path, TSchedaRicevuta::RecordSize));
    QCOMPARE(appendRecord(file, r), qint64(-1));
    file.close();
    QCOMPARE(test::readFile(path), QByteArray());
    QVERIFY(fake.verifyConsumed());
}

// A multi-line field keeps the line breaks of a paste, blanks its other control characters and
// refuses what its file cannot hold, as a one-line field does.
void tst_TypedText::multiLineFieldKeepsLineBreaks()
{
    QPlainTextEdit note;
    TextGuard::install(&note);
    TextGuard::setText(&note, QStringLiteral("prima\x01riga")); // the program's text stays as it is
    note.show();
    note.setFocus();
    note.moveCursor(QTextCursor::End);
    paste(&note, QStringLiteral("\r\nseconda\triga\x1b\r\nterza"));
    QCOMPARE(note.toPlainText(), QStringLiteral("prima\x01riga\nseconda riga \nterza"));
    paste(&note, QStringLiteral(u" \u03A9"));
    QCOMPARE(note.toPlainText(), QStringLiteral("prima\x01riga\nseconda riga \nterza"));
    typeKeys(&note, QStringLiteral(u"!\u5F20"));
    QCOMPARE(note.toPlainText(), QStringLiteral("prima\x01riga\nseconda riga \nterza!"));
}

QTEST_MAIN(tst_TypedText)
#include "tst_TypedText.moc"
