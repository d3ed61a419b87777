// The help, information and credits screens: their links hand the right command to the desktop and
// change colour while pressed; the help screen shows the topic it was given.
#include "help/TfrmGuida.h"
#include "help/TfrmInfo.h"
#include "help/TfrmSplash.h"
#include "support/FakePlatform.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

using namespace tavorel;
using tavorel::test::FakePlatformScope;

namespace {

QDialog* makeScreen(const QString& which, QWidget* owner)
{
    if (which == QLatin1String("guida"))
        return new TfrmGuida(owner);
    if (which == QLatin1String("info"))
        return new TfrmInfo(owner);
    return new TfrmSplash(owner);
}

QColor textColour(QLabel* link)
{
    return link->palette().color(QPalette::WindowText);
}

} // namespace

class tst_HelpScreens : public QObject {
    Q_OBJECT
private slots:
    void links_data();
    void links();
    void helpScreenShowsItsTopic();
};

void tst_HelpScreens::links_data()
{
    // clang-format off
    QTest::addColumn<QString>("screen");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("command");
    const QString manual = "\"/srv/club/Programma Tavorel/Guida.pdf\"";
    const QString mail = "\"mailto:assistenza@tavorel.it?subject=Software Tavorel&body=Salve, desidererei avere le "
                         "seguenti informazioni sul software in oggetto:\"";
    QTest::newRow("help: manual link") << "guida" << "lnkWeb" << manual;
    QTest::newRow("help: manual icon") << "guida" << "imgPDF" << manual;
    QTest::newRow("information: mail link") << "info" << "lnkWeb" << mail;
    QTest::newRow("information: mail icon") << "info" << "imgEmail" << mail;
    QTest::newRow("credits: web link") << "splash" << "lnkWeb" << "http://www.tavorel.it";
    QTest::newRow("credits: web icon") << "splash" << "imgWeb" << "http://www.tavorel.it";
    // clang-format on
}

void tst_HelpScreens::links()
{
    QFETCH(QString, screen);
    QFETCH(QString, control);
    QFETCH(QString, command);
    FakePlatformScope scope;
    scope.fake.folder = QStringLiteral("/srv/club/Programma Tavorel");
    QWidget owner;
    QDialog* dialog = makeScreen(screen, &owner);
    dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(dialog));
    auto* link = dialog->findChild<QLabel*>(QStringLiteral("lnkWeb"));
    auto* pressed = dialog->findChild<QWidget*>(control);
    QVERIFY(link && pressed);

    const QColor darkBlue = QColor::fromRgba(0xFF00008B);
    QCOMPARE(textColour(link), darkBlue);
    QTest::mousePress(pressed, Qt::LeftButton);
    QCOMPARE(textColour(link), QColor::fromRgba(0xFFFFA500));
    QVERIFY(scope.fake.opened.isEmpty());
    QTest::mouseRelease(pressed, Qt::LeftButton);
    QCOMPARE(textColour(link), darkBlue);
    QCOMPARE(scope.fake.opened, QStringList{command});
    // The screen stays open; "Chiudi" closes it.
    QVERIFY(dialog->isVisible());
    QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("btnChiudi")), Qt::LeftButton);
    QVERIFY(!dialog->isVisible());
    delete dialog;
}

void tst_HelpScreens::helpScreenShowsItsTopic()
{
    FakePlatformScope scope;
    QString title;
    QString text;
    scope.fake.dialogScripts.append([&](QDialog* d) {
        title = d->findChild<QLabel*>(QStringLiteral("lblTitolo"))->text();
        text = d->findChild<QPlainTextEdit*>(QStringLiteral("txtGuida"))->toPlainText();
        return d->result();
    });
    QWidget owner;
    mostraGuida(&owner, HelpTopic::EsportaIscritti);
    QCOMPARE(scope.fake.dialogsRun, QStringList{QStringLiteral("frmGuida")});
    QCOMPARE(title, helpTitle(HelpTopic::EsportaIscritti));
    QCOMPARE(text, helpParagraphs(HelpTopic::EsportaIscritti).join(QStringLiteral("\n\n")));
    QVERIFY(scope.fake.verifyConsumed());
}

QTEST_MAIN(tst_HelpScreens)
#include "tst_HelpScreens.moc"
