// The screen conventions every editor and dialog builds on: focus highlight, Enter chains, key
// filters, forced text, the info bar and the date picker.
#include "shell/Colors.h"
#include "shell/FieldKeys.h"
#include "shell/FocusHighlight.h"
#include "shell/InfoBar.h"
#include "shell/ScreenLook.h"
#include "shell/TfrmCalendario.h"
#include "support/FakePlatform.h"

#include <QCalendarWidget>
#include <QClipboard>
#include <QFrame>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>

using namespace tavorel;
using namespace Qt::StringLiterals;
using tavorel::test::FakePlatformScope;

namespace {

struct Form {
    QWidget window;
    QList<QLineEdit*> fields;

    explicit Form(int n)
    {
        auto* layout = new QVBoxLayout(&window);
        for (int i = 0; i < n; ++i) {
            auto* e = new QLineEdit(&window);
            e->setObjectName(QStringLiteral("txt%1").arg(i));
            layout->addWidget(e);
            fields.append(e);
        }
    }
    void showActive()
    {
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
    }
};

// keyClicks only takes ASCII; accented letters go through as key events carrying their text.
void typeText(QWidget* w, const QString& text)
{
    for (QChar c : text) {
        if (c.unicode() < 128)
            QTest::keyClick(w, c.toLatin1());
        else
            QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

int yellowCount(const QList<QLineEdit*>& fields)
{
    int n = 0;
    for (auto* f : fields)
        n += FocusHighlight::fill(f) == colors::kYellow;
    return n;
}

} // namespace

class tst_Conventions : public QObject {
    Q_OBJECT
private slots:
    void styleAOneYellowAtATime();
    void styleBHaloOnlyWhileFocused();
    void boxesPaintTheirFillAndBorder_data();
    void boxesPaintTheirFillAndBorder();
    void enterChainClosesTheLoop();
    void enterReachesButtonWithoutPressingIt();
    void styleBHaloGoesWithItsWindowWhileFocused();
    void keyFilters_data();
    void keyFilters();
    void euroSeparatorMovesToTheCents_data();
    void euroSeparatorMovesToTheCents();
    void enteringAFieldSelectsItsText_data();
    void enteringAFieldSelectsItsText();
    void programTextShowsItsBeginning();
    void datePickerKeys_data();
    void datePickerKeys();
    void forcedText_data();
    void forcedText();
    void infoBarFollowsTheMouse();
    void datePickerWritesTheTaggedField_data();
    void datePickerWritesTheTaggedField();
    // Last: QTest's double click leaves its mouse state behind for the tests that follow.
    void datePickerOpensOnDoubleClick();
};

void tst_Conventions::styleAOneYellowAtATime()
{
    Form form(3);
    FocusHighlight::applyStyleA(form.fields[0], colors::kAliceBlue);
    FocusHighlight::applyStyleA(form.fields[1], colors::kWhite);
    FocusHighlight::applyStyleA(form.fields[2], colors::kAliceBlue);
    form.showActive();
    for (int i : {0, 1, 2, 1, 0}) {
        form.fields[i]->setFocus();
        QTRY_COMPARE(FocusHighlight::fill(form.fields[i]), colors::kYellow);
        QCOMPARE(yellowCount(form.fields), 1);
    }
    form.fields[2]->setFocus();
    QTRY_COMPARE(FocusHighlight::fill(form.fields[0]), colors::kAliceBlue);
    QCOMPARE(FocusHighlight::fill(form.fields[1]), colors::kWhite);

    // Another window taking the keyboard (a dialog, the date picker) does not leave the field.
    QWidget other;
    other.show();
    other.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&other));
    QCOMPARE(FocusHighlight::fill(form.fields[2]), colors::kYellow);
    QCOMPARE(yellowCount(form.fields), 1);
}

void tst_Conventions::styleBHaloOnlyWhileFocused()
{
    Form form(2);
    QFrame* a = FocusHighlight::applyStyleB(form.fields[0], QStringLiteral("eff0"));
    QFrame* b = FocusHighlight::applyStyleB(form.fields[1], QStringLiteral("eff1"));
    form.showActive();
    form.fields[0]->setFocus();
    QTRY_VERIFY(a->isVisible());
    QVERIFY(!b->isVisible());
    QCOMPARE(a->geometry(), form.fields[0]->geometry().adjusted(-4, -4, 4, 4));
    form.fields[1]->setFocus();
    QTRY_VERIFY(b->isVisible());
    QVERIFY(!a->isVisible());
}

void tst_Conventions::boxesPaintTheirFillAndBorder_data()
{
    // The colours drawn halfway along each outer edge and in the middle of a box 120 x 40.
    QTest::addColumn<QString>("box");
    QTest::addColumn<QColor>("top");
    QTest::addColumn<QColor>("bottom");
    QTest::addColumn<QColor>("side");
    QTest::addColumn<QColor>("middle");

    QTest::newRow("card") << u"card"_s << colors::kPanelBorder << colors::kPanelBorder << colors::kPanelBorder
                          << colors::kWhite;
    QTest::newRow("card under the mouse")
        << u"highlighted"_s << colors::kSteelBlue << colors::kSteelBlue << colors::kSteelBlue << colors::kWhite;
    QTest::newRow("framed box") << u"framed"_s << colors::kSteelBlue << colors::kSteelBlue << colors::kSteelBlue
                                << colors::kBoxFill;
    // The halo's border fades from yellow to white across the top and bottom bands, and down the
    // sides: a quarter, three quarters and half the way to white.
    QTest::newRow("focus halo") << u"halo"_s << QColor(255, 255, 64) << QColor(255, 255, 191) << QColor(255, 255, 128)
                                << colors::kYellow;
}

void tst_Conventions::boxesPaintTheirFillAndBorder()
{
    QFETCH(QString, box);
    QFETCH(QColor, top);
    QFETCH(QColor, bottom);
    QFETCH(QColor, side);
    QFETCH(QColor, middle);

    QWidget window;
    QFrame* f = nullptr;
    if (box == u"halo"_s) {
        auto* field = new QLineEdit(&window);
        field->setGeometry(24, 24, 112, 32);
        f = FocusHighlight::applyStyleB(field, u"effField"_s);
    } else if (box == u"framed"_s) {
        f = look::framedBox(&window, u"shpBox"_s);
    } else {
        f = look::card(&window, u"panCard"_s);
        if (box == u"highlighted"_s)
            look::setCardBorder(f, colors::kSteelBlue);
    }
    f->setGeometry(20, 20, 120, 40);
    const QImage image = f->grab().toImage();
    const int w = image.width();
    const int h = image.height();
    QCOMPARE(QSize(w, h), QSize(120, 40));

    auto near = [](const QColor& a, const QColor& b) {
        return qAbs(a.red() - b.red()) <= 8 && qAbs(a.green() - b.green()) <= 8 && qAbs(a.blue() - b.blue()) <= 8;
    };
    const struct {
        const char* where;
        QPoint at;
        QColor expected;
    } points[] = {
        {"top", {w / 2, 0}, top},        {"bottom", {w / 2, h - 1}, bottom}, {"left", {0, h / 2}, side},
        {"right", {w - 1, h / 2}, side}, {"middle", {w / 2, h / 2}, middle},
    };
    for (const auto& p : points)
        QVERIFY2(near(image.pixelColor(p.at), p.expected),
                 qPrintable(u"%1: %2, expected %3"_s.arg(QLatin1String(p.where), image.pixelColor(p.at).name(),
                                                         p.expected.name())));
}

void tst_Conventions::styleBHaloGoesWithItsWindowWhileFocused()
{
    // The halo is stacked under its field, so it is destroyed first; the field's last focus-out
    // comes after (the sanitizer build reports a use of freed memory if the halo is still touched).
    auto* window = new QWidget;
    auto* layout = new QVBoxLayout(window);
    auto* first = new QLineEdit(window);
    auto* second = new QLineEdit(window);
    layout->addWidget(first);
    layout->addWidget(second);
    FocusHighlight::applyStyleB(first, QStringLiteral("effFirst"));
    QFrame* effSecond = FocusHighlight::applyStyleB(second, QStringLiteral("effSecond"));
    window->show();
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));
    second->setFocus();
    QTRY_VERIFY(second->hasFocus());

    // A halo that goes before its field: the field's next focus changes find it gone.
    delete effSecond;
    first->setFocus();
    QTRY_VERIFY(first->hasFocus());
    second->setFocus();
    QTRY_VERIFY(second->hasFocus());

    delete window;
}

void tst_Conventions::enterChainClosesTheLoop()
{
    Form form(3);
    setEnterChain(form.fields);
    form.showActive();
    form.fields[0]->setFocus();
    for (int expected : {1, 2, 0}) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QTRY_COMPARE(QApplication::focusWidget(), form.fields[expected]);
    }
}

void tst_Conventions::enterReachesButtonWithoutPressingIt()
{
    Form form(1);
    auto* button = new QPushButton(QStringLiteral("Apri"), &form.window);
    form.window.layout()->addWidget(button);
    int pressed = 0;
    connect(button, &QPushButton::clicked, [&] { ++pressed; });
    FieldKeys::of(form.fields[0])->setFilter(KeyFilter::Digits);
    FieldKeys::of(form.fields[0])->setEnterTarget(button);
    form.showActive();
    form.fields[0]->setFocus();
    QTest::keyClick(form.fields[0], Qt::Key_Enter);
    QTRY_COMPARE(QApplication::focusWidget(), button);
    QCOMPARE(pressed, 0);
}

void tst_Conventions::keyFilters_data()
{
    // clang-format off
    QTest::addColumn<int>("filter");
    QTest::addColumn<QString>("start");
    // typed text; {L} Left, {R} Right, {B} Backspace, {D} Delete, {H} Home, {E} End, {S} Shift+Home,
    // {A} Ctrl+A, {X} Ctrl+X, {V} Ctrl+V, {Z} Ctrl+Z
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<QString>("expected");
    // The caret starts at the end of the text.
    QTest::newRow("digits ignore letters, signs, comma, blank") << int(KeyFilter::Digits) << "" << "1a-,2 x3" << "" << "123";
    QTest::newRow("digits: Left, Backspace, Delete, Right work") << int(KeyFilter::Digits) << "1234"
                                                                 << "{L}{L}{B}{R}{D}{L}5" << "" << "153";
    QTest::newRow("digits: Home and End move the caret") << int(KeyFilter::Digits) << "12" << "{H}9{R}{E}8" << "" << "9128";
    QTest::newRow("digits: Shift+Home selects") << int(KeyFilter::Digits) << "0" << "{S}150" << "" << "150";
    QTest::newRow("digits: Ctrl+A selects all") << int(KeyFilter::Digits) << "999" << "{A}42" << "" << "42";
    QTest::newRow("digits: Ctrl+X cuts, Ctrl+Z undoes") << int(KeyFilter::Digits) << "77" << "{A}{X}{Z}" << "" << "77";
    QTest::newRow("digits: pasted digits, blanks around") << int(KeyFilter::Digits) << "1" << "{V}" << " 250\n" << "1250";
    QTest::newRow("digits: a paste with other signs is refused") << int(KeyFilter::Digits) << "1" << "{V}" << "12,50" << "1";
    QTest::newRow("digits and comma") << int(KeyFilter::DigitsComma) << "" << "35,5a0" << "" << "35,50";
    QTest::newRow("digits and comma: the same keys") << int(KeyFilter::DigitsComma) << "35,5" << "{B}{L}{D},0" << "" << "35,0";
    QTest::newRow("digits and comma: pasted amount") << int(KeyFilter::DigitsComma) << "" << "{V}" << "12,50" << "12,50";
    QTest::newRow("pick only ignores typing") << int(KeyFilter::PickOnly) << "12" << "3a" << "" << "12";
    QTest::newRow("pick only: Backspace empties") << int(KeyFilter::PickOnly) << "12" << "{L}{B}" << "" << "";
    QTest::newRow("pick only: Delete empties") << int(KeyFilter::PickOnly) << "12" << "{L}{L}{D}" << "" << "";
    QTest::newRow("no filter takes anything") << int(KeyFilter::None) << "" << "Aé 1," << "" << "Aé 1,";
    // clang-format on
}

void tst_Conventions::keyFilters()
{
    QFETCH(int, filter);
    QFETCH(QString, start);
    QFETCH(QString, keys);
    QFETCH(QString, clipboard);
    QFETCH(QString, expected);
    Form form(1);
    QLineEdit* e = form.fields[0];
    e->setText(start);
    FieldKeys::of(e)->setFilter(KeyFilter(filter));
    QGuiApplication::clipboard()->setText(clipboard);
    form.showActive();
    e->setFocus();
    e->end(false);
    struct Key {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers = Qt::NoModifier;
    };
    const QHash<QString, Key> named{{"{L}", {Qt::Key_Left}},
                                    {"{R}", {Qt::Key_Right}},
                                    {"{B}", {Qt::Key_Backspace}},
                                    {"{D}", {Qt::Key_Delete}},
                                    {"{H}", {Qt::Key_Home}},
                                    {"{E}", {Qt::Key_End}},
                                    {"{S}", {Qt::Key_Home, Qt::ShiftModifier}},
                                    {"{A}", {Qt::Key_A, Qt::ControlModifier}},
                                    {"{X}", {Qt::Key_X, Qt::ControlModifier}},
                                    {"{V}", {Qt::Key_V, Qt::ControlModifier}},
                                    {"{Z}", {Qt::Key_Z, Qt::ControlModifier}}};
    for (int i = 0; i < keys.size();) {
        const QString token = keys.mid(i, 3);
        if (named.contains(token)) {
            QTest::keyClick(e, named.value(token).key, named.value(token).modifiers);
            i += 3;
        } else {
            typeText(e, keys.mid(i, 1));
            ++i;
        }
    }
    QCOMPARE(e->text(), expected);
}

void tst_Conventions::euroSeparatorMovesToTheCents_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("euros");
    QTest::addColumn<QString>("cents");
    QTest::newRow("comma") << "1234,5"
                           << "1234"
                           << "5";
    QTest::newRow("the full stop separates thousands and types nothing") << "1.234,50"
                                                                         << "1234"
                                                                         << "50";
    QTest::newRow("a second separator in the cents is ignored") << "3,,1"
                                                                << "3"
                                                                << "1";
}

void tst_Conventions::euroSeparatorMovesToTheCents()
{
    QFETCH(QString, typed);
    QFETCH(QString, euros);
    QFETCH(QString, cents);
    Form form(2);
    FieldKeys::of(form.fields[0])->setFilter(KeyFilter::Digits);
    FieldKeys::of(form.fields[0])->setDecimalTarget(form.fields[1]);
    FieldKeys::of(form.fields[1])->setFilter(KeyFilter::Digits);
    form.fields[1]->setMaxLength(2);
    form.fields[1]->setText(QStringLiteral("00"));
    form.showActive();
    form.fields[0]->setFocus();
    for (QChar c : typed)
        QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
    QCOMPARE(form.fields[0]->text(), euros);
    QCOMPARE(form.fields[1]->text(), cents);
}

void tst_Conventions::enteringAFieldSelectsItsText_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<QString>("expected"); // after typing 7 into the second field, which holds "00"
    QTest::newRow("Enter") << "enter"
                           << "7";
    QTest::newRow("Tab") << "tab"
                         << "7";
    QTest::newRow("Shift+Tab") << "backtab"
                               << "7";
    QTest::newRow("the program") << "program"
                                 << "7";
    QTest::newRow("back from another window") << "window"
                                              << "070"; // caret left where it was
    QTest::newRow("a click places the caret") << "click"
                                              << "700";
}

void tst_Conventions::enteringAFieldSelectsItsText()
{
    QFETCH(QString, how);
    QFETCH(QString, expected);
    Form form(3);
    for (QLineEdit* f : form.fields)
        f->setText(QStringLiteral("00"));
    setEnterChain(form.fields);
    QLineEdit* target = form.fields[1];
    target->setMaxLength(3);
    form.showActive();
    form.fields[how == QLatin1String("backtab") ? 2 : 0]->setFocus();
    QTRY_VERIFY(QApplication::focusWidget());
    if (how == QLatin1String("enter")) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    } else if (how == QLatin1String("tab")) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    } else if (how == QLatin1String("backtab")) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
    } else if (how == QLatin1String("program")) {
        target->setFocus();
    } else if (how == QLatin1String("window")) {
        target->setFocus();
        QTRY_VERIFY(target->hasFocus());
        target->setCursorPosition(1);
        QWidget other;
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        other.hide();
        form.showActive();
    } else {
        QTest::mouseClick(target, Qt::LeftButton, Qt::NoModifier, QPoint(2, target->height() / 2));
    }
    QTRY_VERIFY(target->hasFocus());
    QTest::keyClick(target, Qt::Key_7);
    QCOMPARE(target->text(), expected);
}

void tst_Conventions::programTextShowsItsBeginning()
{
    Form form(2);
    QLineEdit* e = form.fields[0];
    FieldKeys::of(e)->setForced(ForcedText::UpperTrimmed);
    FieldKeys::of(form.fields[1]);
    e->setFixedWidth(60);
    form.showActive();
    const QString longText = QStringLiteral("Via Giuseppe Garibaldi 12, 10122 Torino");

    // Not focused: the caret waits at the start, so the start is what shows.
    form.fields[1]->setFocus();
    QTRY_VERIFY(form.fields[1]->hasFocus());
    e->setText(longText);
    QCOMPARE(e->cursorPosition(), 0);
    QVERIFY(!e->hasSelectedText());

    // Typing goes on at the caret, forced text included.
    e->setFocus();
    QTRY_VERIFY(e->hasFocus());
    e->end(false);
    QTest::keyClicks(e, QStringLiteral("x"));
    QCOMPARE(e->text(), longText.toUpper() + QStringLiteral("X"));
    QCOMPARE(e->cursorPosition(), e->text().size());

    // In the field being typed into, a text the program puts there is selected from the start:
    // typing replaces it.
    form.fields[1]->setFocus();
    QTRY_VERIFY(form.fields[1]->hasFocus());
    form.fields[1]->setText(QStringLiteral("0"));
    QCOMPARE(form.fields[1]->cursorPosition(), 0);
    QTest::keyClicks(form.fields[1], QStringLiteral("150"));
    QCOMPARE(form.fields[1]->text(), QStringLiteral("150"));
}

void tst_Conventions::datePickerKeys_data()
{
    // clang-format off
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<bool>("opens");
    QTest::addColumn<QString>("text"); // the field's text afterwards
    const QString date = QStringLiteral("05/03/2024");
    QTest::newRow("a letter") << int(Qt::Key_A) << 0 << true << date;
    QTest::newRow("a capital") << int(Qt::Key_A) << int(Qt::ShiftModifier) << true << date;
    QTest::newRow("a digit") << int(Qt::Key_5) << 0 << true << date;
    QTest::newRow("an arrow") << int(Qt::Key_Left) << 0 << true << date;
    QTest::newRow("space") << int(Qt::Key_Space) << 0 << true << date;
    QTest::newRow("F4") << int(Qt::Key_F4) << 0 << true << date;
    QTest::newRow("Alt+F4 closes the window instead") << int(Qt::Key_F4) << int(Qt::AltModifier) << false << date;
    QTest::newRow("Ctrl+C copies") << int(Qt::Key_C) << int(Qt::ControlModifier) << false << date;
    QTest::newRow("Alt+a letter") << int(Qt::Key_S) << int(Qt::AltModifier) << false << date;
    QTest::newRow("F1") << int(Qt::Key_F1) << 0 << false << date;
    QTest::newRow("Esc") << int(Qt::Key_Escape) << 0 << false << date;
    QTest::newRow("Shift alone") << int(Qt::Key_Shift) << int(Qt::ShiftModifier) << false << date;
    QTest::newRow("Ctrl alone") << int(Qt::Key_Control) << int(Qt::ControlModifier) << false << date;
    QTest::newRow("Alt alone") << int(Qt::Key_Alt) << int(Qt::AltModifier) << false << date;
    QTest::newRow("Delete empties") << int(Qt::Key_Delete) << 0 << false << "";
    QTest::newRow("Backspace empties") << int(Qt::Key_Backspace) << 0 << false << "";
    // clang-format on
}

void tst_Conventions::datePickerKeys()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(bool, opens);
    QFETCH(QString, text);
    Form form(2);
    QLineEdit* e = form.fields[0];
    int opened = 0;
    FieldKeys::of(e)->setFilter(KeyFilter::DatePicker, [&] { ++opened; });
    FieldKeys::of(e)->setEnterTarget(form.fields[1]);
    e->setText(QStringLiteral("05/03/2024"));
    form.showActive();
    e->setFocus();
    QTRY_VERIFY(e->hasFocus());
    QVERIFY(e->isReadOnly());
    e->setCursorPosition(3);
    QTest::keyClick(e, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(opened, opens ? 1 : 0);
    QCOMPARE(e->text(), text);
    QTest::keyClick(e, Qt::Key_Return);
    QTRY_COMPARE(QApplication::focusWidget(), form.fields[1]);
    QCOMPARE(opened, opens ? 1 : 0);
}

void tst_Conventions::datePickerOpensOnDoubleClick()
{
    Form form(1);
    QLineEdit* e = form.fields[0];
    int opened = 0;
    FieldKeys::of(e)->setFilter(KeyFilter::DatePicker, [&] { ++opened; });
    form.showActive();
    QTest::mouseClick(e, Qt::LeftButton);
    QCOMPARE(opened, 0);
    QTest::mouseDClick(e, Qt::LeftButton);
    QCOMPARE(opened, 1);
}

void tst_Conventions::forcedText_data()
{
    // clang-format off
    QTest::addColumn<int>("forced");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("expected");
    QTest::newRow("capitals") << int(ForcedText::UpperTrimmed) << "rssmra80a01h501u" << "RSSMRA80A01H501U";
    QTest::newRow("blank at either end cannot be typed") << int(ForcedText::UpperTrimmed) << " ab c " << "ABC";
    QTest::newRow("only a to z change case") << int(ForcedText::UpperTrimmed) << "àb" << "àB";
    QTest::newRow("trimmed keeps case") << int(ForcedText::Trimmed) << " Mario@Club.it " << "Mario@Club.it";
    // clang-format on
}

void tst_Conventions::forcedText()
{
    QFETCH(int, forced);
    QFETCH(QString, typed);
    QFETCH(QString, expected);
    Form form(1);
    QLineEdit* e = form.fields[0];
    FieldKeys::of(e)->setForced(ForcedText(forced));
    form.showActive();
    e->setFocus();
    typeText(e, typed);
    QCOMPARE(e->text(), expected);
}

void tst_Conventions::infoBarFollowsTheMouse()
{
    QWidget window;
    window.resize(400, 200);
    auto* button = new QPushButton(QStringLiteral("Salva"), &window);
    button->setGeometry(10, 10, 100, 30);
    auto* bar = new InfoBar(&window, colors::kInfoBand);
    bar->setGeometry(0, 170, 400, 30);
    bar->setText(QStringLiteral("Pronto"));
    bar->addHint(button, QStringLiteral("Salva o aggiorna la ricevuta corrente."));
    bar->addBackground(&window);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTest::mouseMove(button, QPoint(50, 15));
    QTRY_COMPARE(bar->text(), QStringLiteral("Salva o aggiorna la ricevuta corrente."));
    QTest::mouseMove(&window, QPoint(300, 100));
    QTRY_COMPARE(bar->text(), QString());
}

void tst_Conventions::datePickerWritesTheTaggedField_data()
{
    QTest::addColumn<QString>("tag");
    QTest::addColumn<bool>("importa");
    QTest::addColumn<QStringList>("expected"); // texts of data, dal, Al afterwards
    const QString today = QStringLiteral("10/12/2026");
    QTest::newRow("data") << "data" << true << QStringList{today, "", "31/12/2026"};
    QTest::newRow("dal") << "dal" << true << QStringList{"", today, "31/12/2026"};
    QTest::newRow("Al replaces the whole text") << "Al" << true << QStringList{"", "", today};
    QTest::newRow("tags compare exactly") << "al" << true << QStringList{"", "", "31/12/2026"};
    QTest::newRow("Annulla leaves the field") << "Al" << false << QStringList{"", "", "31/12/2026"};
}

void tst_Conventions::datePickerWritesTheTaggedField()
{
    QFETCH(QString, tag);
    QFETCH(bool, importa);
    QFETCH(QStringList, expected);
    FakePlatformScope scope;
    Form form(3);
    form.fields[2]->setText(QStringLiteral("31/12/2026"));
    QDate shownOnOpen;
    scope.fake.dialogScripts.append([&](QDialog* d) {
        auto* cal = d->findChild<QCalendarWidget*>(QStringLiteral("calAppuntamenti"));
        shownOnOpen = cal->selectedDate();
        d->findChild<QPushButton*>(importa ? QStringLiteral("btnImportaData") : QStringLiteral("btnAnnulla"))->click();
        return d->result();
    });
    TfrmCalendario::open(&form.window, tag,
                         {{QStringLiteral("data"), form.fields[0]},
                          {QStringLiteral("dal"), form.fields[1]},
                          {QStringLiteral("Al"), form.fields[2]}});
    QCOMPARE(scope.fake.dialogsRun, QStringList{QStringLiteral("frmCalendario")});
    QCOMPARE(shownOnOpen, scope.fake.todayValue);
    QCOMPARE((QStringList{form.fields[0]->text(), form.fields[1]->text(), form.fields[2]->text()}), expected);
    QVERIFY(scope.fake.verifyConsumed());
}

QTEST_MAIN(tst_Conventions)
#include "tst_Conventions.moc"
