// Every window whose fields show the focus with a halo, destroyed while such a field has the focus:
// the halo goes first (it lies under the field), and the field's last focus-out must not reach it.
// Meant for the sanitizer build, where touching the freed halo stops the test.
#include "login/TfrmCambiaPassword.h"
#include "login/TfrmPassword.h"
#include "receipts/TfrmNumerazione.h"
#include "support/FakePlatform.h"

#include <QFrame>
#include <QLineEdit>
#include <QPointer>
#include <QTest>

#include <functional>

using namespace tavorel;
using tavorel::test::FakePlatformScope;

using Factory = std::function<QWidget*()>;
Q_DECLARE_METATYPE(Factory)

class tst_FocusedWindowsClose : public QObject {
    Q_OBJECT
private slots:
    void destroyedWithTheFocusInAHaloField_data();
    void destroyedWithTheFocusInAHaloField();
};

void tst_FocusedWindowsClose::destroyedWithTheFocusInAHaloField_data()
{
    QTest::addColumn<Factory>("make");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("halo");

    const Factory login = [] { return new TfrmPassword; };
    const Factory change = [] { return new TfrmCambiaPassword; };
    const Factory numbering = [] { return new TfrmNumerazione(nullptr); };
    QTest::newRow("login") << login << "txtPassword"
                           << "effPassword";
    QTest::newRow("password change, old") << change << "txtPasswordOld"
                                          << "effPasswordOld";
    QTest::newRow("password change, new") << change << "txtPasswordNew"
                                          << "effPasswordNew";
    QTest::newRow("password change, confirmation") << change << "txtConferma"
                                                   << "effConferma";
    QTest::newRow("numbering start") << numbering << "txtInizio"
                                     << "effInizio";
}

void tst_FocusedWindowsClose::destroyedWithTheFocusInAHaloField()
{
    QFETCH(Factory, make);
    QFETCH(QString, field);
    QFETCH(QString, halo);

    FakePlatformScope scope;
    QWidget* window = make();
    window->show();
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));
    auto* edit = window->findChild<QLineEdit*>(field);
    QVERIFY(edit);
    edit->setFocus();
    QTRY_VERIFY(edit->hasFocus());
    QPointer<QFrame> eff = window->findChild<QFrame*>(halo);
    QVERIFY(eff);
    QTRY_VERIFY(eff->isVisible());

    delete window;

    QVERIFY(!eff);
}

QTEST_MAIN(tst_FocusedWindowsClose)
#include "tst_FocusedWindowsClose.moc"
