// The help, information and credits screens: their links hand the right command to the desktop and
// change colour while pressed, and say so when no program of the computer can open it (or the
// manual is not there); the help screen shows the topic it was given.
#include "help/TfrmGuida.h"
#include "help/TfrmInfo.h"
#include "help/TfrmSplash.h"
#include "storage/Messages.h"
#include "support/FakePlatform.h"

#include <QDir>
#include <QFile>
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
    QTest::addColumn<QString>("command");     // {folder}: the program folder
    QTest::addColumn<bool>("manualPresent");
    QTest::addColumn<QString>("cannotOpen");  // what the user reads when no program opens it
    const QString manual = "\"{folder}/Guida.pdf\"";
    const QString mail = "\"mailto:assistenza@tavorel.it?subject=Software Tavorel&body=Salve, desidererei avere le "
                         "seguenti informazioni sul software in oggetto:\"";
    const QString noViewer = kMsgNessunProgrammaFile.arg("Guida.pdf");
    const QString noMail = kMsgNessunProgrammaPosta.arg("assistenza@tavorel.it");
    const QString noBrowser = kMsgNessunProgrammaSito.arg("http://www.tavorel.it");
    QTest::newRow("help: manual link") << "guida" << "lnkWeb" << manual << true << noViewer;
    QTest::newRow("help: manual icon") << "guida" << "imgPDF" << manual << true << noViewer;
    QTest::newRow("help: manual missing") << "guida" << "lnkWeb" << QString() << false
                                          << kMsgFileNonTrovato.arg("Guida.pdf", "{folder}");
    QTest::newRow("information: mail link") << "info" << "lnkWeb" << mail << false << noMail;
    QTest::newRow("information: mail icon") << "info" << "imgEmail" << mail << false << noMail;
    QTest::newRow("credits: web link") << "splash" << "lnkWeb" << "http://www.tavorel.it" << false << noBrowser;
    QTest::newRow("credits: web icon") << "splash" << "imgWeb" << "http://www.tavorel.it" << false << noBrowser;
    // clang-format on
}

void tst_HelpScreens::links()
{
    QFETCH(QString, screen);
    QFETCH(QString, control);
    QFETCH(QString, command);
    QFETCH(bool, manualPresent);
    QFETCH(QString, cannotOpen);
    FakePlatformScope scope;
    // A folder with a blank in its name, as a program folder often is.
    const QString folder = scope.fake.folder + QStringLiteral("/Programma Tavorel");
    QVERIFY(QDir().mkpath(folder));
    scope.fake.folder = folder;
    const QString native = QDir::toNativeSeparators(folder);
    command.replace(QStringLiteral("{folder}"), native);
    cannotOpen.replace(QStringLiteral("{folder}"), native);
    if (manualPresent) {
        QFile pdf(folder + QStringLiteral("/Guida.pdf"));
        QVERIFY(pdf.open(QIODevice::WriteOnly));
        pdf.write("%PDF-1.4");
    }
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
    if (command.isEmpty()) {
        // A missing manual is said as such, and nothing goes to the desktop.
        QVERIFY(scope.fake.opened.isEmpty());
        QCOMPARE(scope.fake.messages.size(), 1);
        QCOMPARE(scope.fake.lastMessage(), cannotOpen);
    } else {
        QCOMPARE(scope.fake.opened, QStringList{command});
        QVERIFY(scope.fake.messages.isEmpty());
        // The desktop has no program for it: the user reads why nothing opened.
        scope.fake.openAnswer = false;
        QTest::mouseClick(pressed, Qt::LeftButton);
        QCOMPARE(scope.fake.opened.size(), 2);
        QCOMPARE(scope.fake.messages.size(), 1);
        QCOMPARE(scope.fake.messages[0].kind, MessageKind::Warning);
        QCOMPARE(scope.fake.lastMessage(), cannotOpen);
    }
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
