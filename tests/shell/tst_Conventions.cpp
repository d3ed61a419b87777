// The screen conventions every editor and dialog builds on: focus highlight, Enter chains, key
// filters, forced text, the info bar and the date picker.
#include "shell/Colors.h"
#include "shell/FieldKeys.h"
#include "shell/FocusHighlight.h"
#include "shell/InfoBar.h"
#include "shell/TfrmCalendario.h"
#include "support/FakePlatform.h"

#include <QCalendarWidget>
#include <QFrame>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>

using namespace tavorel;
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
    void enterChainClosesTheLoop();
    void enterReachesButtonWithoutPressingIt();
    void keyFilters_data();
    void keyFilters();
    void datePickerFieldOpensPickerForAnyOtherKey();
    void forcedText_data();
    void forcedText();
    void infoBarFollowsTheMouse();
    void datePickerWritesTheTaggedField_data();
    void datePickerWritesTheTaggedField();
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
    QTest::addColumn<QString>("keys"); // typed text; {L} Left, {R} Right, {B} Backspace, {D} Delete, {H} Home, {E} End
    QTest::addColumn<QString>("expected");
    // The caret starts at the end of the text.
    QTest::newRow("digits ignore letters, signs, comma, blank") << int(KeyFilter::Digits) << "" << "1a-,2 x3" << "123";
    QTest::newRow("digits: Left, Backspace, Delete, Right work") << int(KeyFilter::Digits) << "1234"
                                                                 << "{L}{L}{B}{R}{D}{L}5" << "153";
    QTest::newRow("digits: Home and End are discarded") << int(KeyFilter::Digits) << "12" << "{H}9{L}{E}8" << "1289";
    QTest::newRow("digits and comma") << int(KeyFilter::DigitsComma) << "" << "35,5a0" << "35,50";
    QTest::newRow("digits and comma: the same keys") << int(KeyFilter::DigitsComma) << "35,5" << "{B}{L}{D},0" << "35,0";
    QTest::newRow("pick only ignores typing") << int(KeyFilter::PickOnly) << "12" << "3a" << "12";
    QTest::newRow("pick only: Backspace empties") << int(KeyFilter::PickOnly) << "12" << "{L}{B}" << "";
    QTest::newRow("pick only: Delete empties") << int(KeyFilter::PickOnly) << "12" << "{L}{L}{D}" << "";
    QTest::newRow("no filter takes anything") << int(KeyFilter::None) << "" << "Aé 1," << "Aé 1,";
    // clang-format on
}

void tst_Conventions::keyFilters()
{
    QFETCH(int, filter);
    QFETCH(QString, start);
    QFETCH(QString, keys);
    QFETCH(QString, expected);
    Form form(1);
    QLineEdit* e = form.fields[0];
    e->setText(start);
    FieldKeys::of(e)->setFilter(KeyFilter(filter));
    form.showActive();
    e->setFocus();
    e->end(false);
    const QHash<QString, Qt::Key> named{{"{L}", Qt::Key_Left},   {"{R}", Qt::Key_Right}, {"{B}", Qt::Key_Backspace},
                                        {"{D}", Qt::Key_Delete}, {"{H}", Qt::Key_Home},  {"{E}", Qt::Key_End}};
    for (int i = 0; i < keys.size();) {
        const QString token = keys.mid(i, 3);
        if (named.contains(token)) {
            QTest::keyClick(e, named.value(token));
            i += 3;
        } else {
            typeText(e, keys.mid(i, 1));
            ++i;
        }
    }
    QCOMPARE(e->text(), expected);
}

void tst_Conventions::datePickerFieldOpensPickerForAnyOtherKey()
{
    Form form(2);
    QLineEdit* e = form.fields[0];
    int opened = 0;
    FieldKeys::of(e)->setFilter(KeyFilter::DatePicker, [&] { ++opened; });
    FieldKeys::of(e)->setEnterTarget(form.fields[1]);
    e->setText(QStringLiteral("05/03/2024"));
    form.showActive();
    e->setFocus();
    QVERIFY(e->isReadOnly());
    QTest::keyClick(e, Qt::Key_A);
    QTest::keyClick(e, Qt::Key_Left);
    QTest::keyClick(e, Qt::Key_Shift);
    QCOMPARE(opened, 3);
    QCOMPARE(e->text(), QStringLiteral("05/03/2024"));
    e->setCursorPosition(3);
    QTest::keyClick(e, Qt::Key_Delete);
    QCOMPARE(e->text(), QString());
    QCOMPARE(opened, 3);
    QTest::keyClick(e, Qt::Key_Return);
    QTRY_COMPARE(QApplication::focusWidget(), form.fields[1]);
    QCOMPARE(opened, 3);
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
