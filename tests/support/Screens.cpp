#include "support/Screens.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QTest>
#include <QWidget>

namespace tavorel::test {

void noSuchControl(const QObject* parent, const char* type, QAnyStringView name)
{
    qFatal("%s has no %s named %s", qPrintable(parent->objectName()), type, qPrintable(name.toString()));
}

QWidget* topLevelScreen(const QString& name)
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == name)
            return w;
    return nullptr;
}

void showActive(QWidget& window)
{
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
}

void pickFromList(QComboBox* list, const QString& entry)
{
    const int i = list->findText(entry);
    QVERIFY2(i >= 0, qPrintable(entry));
    list->showPopup();
    QAbstractItemView* view = list->view();
    QVERIFY(QTest::qWaitForWindowExposed(view->window()));
    view->scrollTo(view->model()->index(i, 0));
    const QRect r = view->visualRect(view->model()->index(i, 0));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, r.center());
    QTRY_VERIFY(!view->window()->isVisible());
    QCOMPARE(list->currentText(), entry);
}

} // namespace tavorel::test
