// The keyboard the way a secretary uses it, over the real screens: Enter and Space press the
// focused button in every kind of window; the focus that comes back after a message box keeps the
// caret where it was, selects nothing and leaves no other field yellow; the income summary's
// drop-downs open with F4 and Alt+Down and take the arrows and typing.
#include "income/TfrmMenuRiepCosti.h"
#include "login/TfrmCambiaPassword.h"
#include "receipts/TfrmNumerazione.h"
#include "receipts/TfrmRicevuta.h"
#include "receipts/TfrmStampaRic.h"
#include "shell/Colors.h"
#include "shell/FocusHighlight.h"
#include "shell/TfrmAvvio.h"
#include "storage/Messages.h"
#include "support/FakePlatform.h"
#include "support/Screens.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>

#include <functional>
#include <memory>

using namespace tavorel;
using tavorel::test::child;
using tavorel::test::FakePlatformScope;
using tavorel::test::showActive;

namespace {

using MakeWindow = std::function<QWidget*(QWidget* owner)>;

// The style-A fields of a window that show the focus colour.
QStringList yellowFields(QWidget* w)
{
    QStringList names;
    for (QLineEdit* e : w->findChildren<QLineEdit*>())
        if (FocusHighlight::fill(e) == colors::kYellow)
            names.append(e->objectName());
    return names;
}

struct ReceiptEditor {
    FakePlatformScope scope;
    TfrmRicevuta w;
    ReceiptEditor()
    {
        w.apriArchivio(QDir(scope.fake.folder).filePath(QStringLiteral("2026.ric")),
                       QStringLiteral(" Tavorel - Archivio ricevute anno 2026"));
        showActive(w);
    }
    QLineEdit* edit(const char* name) { return child<QLineEdit>(&w, name); }
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
};

} // namespace

Q_DECLARE_METATYPE(MakeWindow)

class tst_KeyboardEverywhere : public QObject {
    Q_OBJECT
private slots:
    void enterAndSpacePressTheFocusedButton_data();
    void enterAndSpacePressTheFocusedButton();
    void focusBackFromAMessageBoxSelectsNothing_data();
    void focusBackFromAMessageBoxSelectsNothing();
    void noFieldStaysYellowWhenTheFocusMovedMeanwhile();
    void dropDownKeys_data();
    void dropDownKeys();
};

void tst_KeyboardEverywhere::enterAndSpacePressTheFocusedButton_data()
{
    QTest::addColumn<MakeWindow>("make");
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("key");
    const MakeWindow password = [](QWidget*) {
        auto* w = new TfrmCambiaPassword;
        w->show();
        // OK is enabled once the three fields hold something.
        for (const char* name : {"txtPasswordOld", "txtPasswordNew", "txtConferma"})
            QTest::keyClicks(child<QLineEdit>(w, name), QStringLiteral("abc"));
        return w;
    };
    const MakeWindow numbering = [](QWidget* owner) { return new TfrmNumerazione(owner); };
    const MakeWindow print = [](QWidget* owner) { return new TfrmStampaRic(owner, TSchedaRicevuta{}); };
    const MakeWindow menu = [](QWidget*) { return new TfrmAvvio; };
    const MakeWindow income = [](QWidget*) { return new TfrmMenuRiepCosti; };
    const MakeWindow receipts = [](QWidget*) { return new TfrmRicevuta; };
    for (const auto& [name, key] : {std::pair{"Enter", int(Qt::Key_Return)}, std::pair{"Space", int(Qt::Key_Space)}}) {
        QTest::addRow("%s: password change, OK", name) << password << "cmdOK" << key;
        QTest::addRow("%s: password change, Esci", name) << password << "cmdEsci" << key;
        QTest::addRow("%s: numbering dialog, Annulla", name) << numbering << "btnAnnulla" << key;
        QTest::addRow("%s: numbering dialog, Applica", name) << numbering << "btnApplica" << key;
        QTest::addRow("%s: print dialog, Annulla beside the default Stampa", name) << print << "btnAnnulla" << key;
        QTest::addRow("%s: main menu, Archivio iscritti", name) << menu << "btnApp01" << key;
        QTest::addRow("%s: income summary, Visualizza", name) << income << "btnVisualizza" << key;
        QTest::addRow("%s: receipt editor, Salva", name) << receipts << "cmdSalva" << key;
    }
    // The numeric keypad's Enter is Enter too.
    QTest::newRow("keypad Enter: password change, OK") << password << "cmdOK" << int(Qt::Key_Enter);
    QTest::newRow("keypad Enter: print dialog, Annulla") << print << "btnAnnulla" << int(Qt::Key_Enter);
}

void tst_KeyboardEverywhere::enterAndSpacePressTheFocusedButton()
{
    QFETCH(MakeWindow, make);
    QFETCH(QString, button);
    QFETCH(int, key);
    FakePlatformScope scope;
    QWidget owner;
    showActive(owner);
    std::unique_ptr<QWidget> w(make(&owner));
    showActive(*w);
    // Every button of the window counts its presses: only the focused one may be pressed.
    QList<std::pair<QAbstractButton*, std::shared_ptr<QSignalSpy>>> spies;
    for (QAbstractButton* b : w->findChildren<QAbstractButton*>())
        spies.append({b, std::make_shared<QSignalSpy>(b, &QAbstractButton::clicked)});
    auto* target = child<QAbstractButton>(w.get(), button);
    QVERIFY(target->isEnabled());
    target->setFocus(Qt::TabFocusReason);
    QTRY_VERIFY(target->hasFocus());

    QTest::keyClick(target, Qt::Key(key), key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);

    for (const auto& [b, spy] : spies)
        QVERIFY2(spy->count() == (b == target ? 1 : 0), qPrintable(b->objectName()));
}

void tst_KeyboardEverywhere::focusBackFromAMessageBoxSelectsNothing_data()
{
    QTest::addColumn<QString>("focused"); // where the focus is when the message comes
    QTest::addColumn<bool>("byKeyboard"); // "Salva" pressed with Ctrl+S, else clicked
    QTest::newRow("payer, Ctrl+S") << "txtPagatore" << true;
    QTest::newRow("payer, click on Salva") << "txtPagatore" << false;
    QTest::newRow("first payee line, click on Salva") << "txtRicevente01" << false;
    QTest::newRow("Salva reached with Tab, Enter") << "cmdSalva" << true;
    // The window falls back on its first field, the club's name: it must not come back selected.
    QTest::newRow("nothing focused, click on Salva") << "" << false;
}

void tst_KeyboardEverywhere::focusBackFromAMessageBoxSelectsNothing()
{
    QFETCH(QString, focused);
    QFETCH(bool, byKeyboard);
    ReceiptEditor e;
    e.scope.fake.modalMessages = true;
    e.edit("txtRicevente01")->setText(QStringLiteral("A.S.D. Circolo Tiro a Volo"));
    e.fillValid();
    QWidget* start = focused.isEmpty() ? e.edit("txtPagatore") : child<QWidget>(&e.w, focused);
    start->setFocus(Qt::TabFocusReason);
    QTRY_VERIFY(start->hasFocus());
    if (focused.isEmpty()) {
        start->clearFocus();
        start = nullptr;
    }
    // The caret somewhere inside, nothing selected: as after typing.
    if (auto* field = qobject_cast<QLineEdit*>(start))
        field->setCursorPosition(3);

    if (focused == QLatin1String("cmdSalva"))
        QTest::keyClick(start, Qt::Key_Return);
    else if (!start)
        QTest::mouseClick(child<QWidget>(&e.w, "cmdSalva"), Qt::LeftButton);
    else if (byKeyboard)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_S, Qt::ControlModifier);
    else
        QTest::mouseClick(child<QWidget>(&e.w, "cmdSalva"), Qt::LeftButton);

    QCOMPARE(e.scope.fake.messages.size(), 1);
    QCOMPARE(e.scope.fake.messages[0].text, kMsgSchedaInserita);
    QTRY_VERIFY(e.w.isActiveWindow());
    if (start)
        QTRY_COMPARE(QApplication::focusWidget(), start);
    for (QLineEdit* f : e.w.findChildren<QLineEdit*>())
        QVERIFY2(!f->hasSelectedText(), qPrintable(f->objectName()));
    if (auto* field = qobject_cast<QLineEdit*>(start)) {
        QCOMPARE(field->cursorPosition(), 3);
        QCOMPARE(yellowFields(&e.w), QStringList{focused});
    } else if (start) {
        QCOMPARE(yellowFields(&e.w), QStringList());
    }
    // A key typed now goes in at the caret: the club's name is not replaced.
    const QString clubName = e.edit("txtRicevente01")->text();
    if (QApplication::focusWidget())
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_X);
    QVERIFY(e.edit("txtRicevente01")->text().size() >= clubName.size());
}

void tst_KeyboardEverywhere::noFieldStaysYellowWhenTheFocusMovedMeanwhile()
{
    // The focus moves while another window is active (a search or an import filling the editor,
    // the editor shown again for another year): only the field that has it is yellow afterwards.
    ReceiptEditor e;
    e.edit("txtSport")->setFocus(Qt::TabFocusReason);
    QTRY_VERIFY(e.edit("txtSport")->hasFocus());
    QWidget other;
    showActive(other);
    QCOMPARE(yellowFields(&e.w), QStringList{QStringLiteral("txtSport")}); // the window only lost the keyboard
    e.edit("txtPagatore")->setFocus();
    e.edit("txtSport")->setText(QStringLiteral("Nuoto"));
    other.hide();
    showActive(e.w);
    QTRY_COMPARE(QApplication::focusWidget(), e.edit("txtPagatore"));
    QCOMPARE(yellowFields(&e.w), QStringList{QStringLiteral("txtPagatore")});

    // Closed (the menu takes over) and opened again on another year, the focus in the payer again:
    // one yellow field.
    e.edit("txtAl")->setFocus(Qt::TabFocusReason);
    QTRY_VERIFY(e.edit("txtAl")->hasFocus());
    e.w.hide();
    QWidget menu;
    showActive(menu);
    e.w.apriArchivio(QDir(e.scope.fake.folder).filePath(QStringLiteral("2025.ric")),
                     QStringLiteral(" Tavorel - Archivio ricevute anno 2025"));
    showActive(e.w);
    menu.hide();
    QTRY_VERIFY(QApplication::focusWidget() && QApplication::focusWidget()->window() == &e.w);
    const QStringList yellow = yellowFields(&e.w);
    QCOMPARE(yellow.size(), 1);
    QCOMPARE(yellow.first(), QApplication::focusWidget()->objectName());
}

void tst_KeyboardEverywhere::dropDownKeys_data()
{
    QTest::addColumn<QString>("list");
    QTest::addColumn<QString>("before"); // picked first ("" for nothing)
    QTest::addColumn<QString>("keys");   // typed, or {down} {up} {home} {end} {pgdn} {pgup}
    QTest::addColumn<QString>("after");
    QTest::newRow("Down from nothing") << "txtGiornoInizio"
                                       << ""
                                       << "{down}"
                                       << "01";
    QTest::newRow("Down, Down") << "txtGiornoInizio"
                                << ""
                                << "{down}{down}"
                                << "02";
    QTest::newRow("Down from a day") << "txtGiornoFine"
                                     << "05"
                                     << "{down}"
                                     << "06";
    QTest::newRow("Up from a month") << "txtMeseInizio"
                                     << "Marzo"
                                     << "{up}"
                                     << "Febbraio";
    QTest::newRow("Up at the first stays") << "txtMeseInizio"
                                           << "Gennaio"
                                           << "{up}"
                                           << "Gennaio";
    QTest::newRow("Down at the last stays") << "txtMeseFine"
                                            << "Dicembre"
                                            << "{down}"
                                            << "Dicembre";
    QTest::newRow("End") << "txtGiornoInizio"
                         << "05"
                         << "{end}"
                         << "31";
    QTest::newRow("Home") << "txtMeseFine"
                          << "Luglio"
                          << "{home}"
                          << "Gennaio";
    QTest::newRow("typing a month") << "txtMeseInizio"
                                    << ""
                                    << "mag"
                                    << "Maggio";
    QTest::newRow("typing its first letter") << "txtMeseFine"
                                             << ""
                                             << "m"
                                             << "Marzo";
    QTest::newRow("typing a day") << "txtGiornoInizio"
                                  << ""
                                  << "12"
                                  << "12";
    QTest::newRow("a day without its zero") << "txtGiornoFine"
                                            << ""
                                            << "5"
                                            << "05";
    QTest::newRow("what no entry starts with changes nothing") << "txtMeseInizio"
                                                               << "Aprile"
                                                               << "x"
                                                               << "Aprile";
    QTest::newRow("paste changes nothing") << "txtMeseInizio"
                                           << "Aprile"
                                           << "{paste}"
                                           << "Aprile";
    QTest::newRow("Delete empties") << "txtGiornoInizio"
                                    << "05"
                                    << "{del}"
                                    << "";
}

void tst_KeyboardEverywhere::dropDownKeys()
{
    QFETCH(QString, list);
    QFETCH(QString, before);
    QFETCH(QString, keys);
    QFETCH(QString, after);
    FakePlatformScope scope;
    TfrmMenuRiepCosti q;
    showActive(q);
    auto* combo = child<QComboBox>(&q, list);
    if (!before.isEmpty())
        test::pickFromList(combo, before);
    combo->setFocus(Qt::TabFocusReason);
    QTRY_VERIFY(combo->hasFocus());
    static const QRegularExpression token(QStringLiteral("\\{(\\w+)\\}|."));
    for (const QRegularExpressionMatch& m : token.globalMatch(keys)) {
        const QString name = m.captured(1);
        if (name.isEmpty())
            QTest::keyClicks(combo, m.captured(0));
        else if (name == QLatin1String("down"))
            QTest::keyClick(combo, Qt::Key_Down);
        else if (name == QLatin1String("up"))
            QTest::keyClick(combo, Qt::Key_Up);
        else if (name == QLatin1String("home"))
            QTest::keyClick(combo, Qt::Key_Home);
        else if (name == QLatin1String("end"))
            QTest::keyClick(combo, Qt::Key_End);
        else if (name == QLatin1String("del"))
            QTest::keyClick(combo, Qt::Key_Delete);
        else if (name == QLatin1String("paste")) {
            QApplication::clipboard()->setText(QStringLiteral("Ottobre"));
            QTest::keyClick(combo, Qt::Key_V, Qt::ControlModifier);
        }
    }
    QCOMPARE(combo->currentText(), after);
    // What the keys picked stays when the field is left.
    child<QLineEdit>(&q, "txtCCP")->setFocus(Qt::TabFocusReason);
    QCOMPARE(combo->currentText(), after);

    // F4 and Alt+Down open the list; Esc closes it and the field keeps its entry.
    for (const auto& [key, mods] : {std::pair{Qt::Key_F4, Qt::NoModifier}, std::pair{Qt::Key_Down, Qt::AltModifier}}) {
        combo->setFocus(Qt::TabFocusReason);
        QTRY_VERIFY(combo->hasFocus());
        QTest::keyClick(combo, key, mods);
        QTRY_VERIFY(combo->view()->isVisible());
        QTest::keyClick(combo->view(), Qt::Key_Escape);
        QTRY_VERIFY(!combo->view()->isVisible());
        QCOMPARE(combo->currentText(), after);
    }
}

QTEST_MAIN(tst_KeyboardEverywhere)
#include "tst_KeyboardEverywhere.moc"
