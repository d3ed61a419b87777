// The real message boxes: the five kinds, their buttons in Italian, and the program's text kept
// exactly as given; Qt's own dialogs in Italian, dates included.
#include "shell/FileDialogFormats.h"
#include "shell/ProcessFormats.h"
#include "shell/QtPlatform.h"
#include "storage/Messages.h"
#include "support/FakePlatform.h"

#include <QAbstractButton>
#include <QDir>
#include <QFile>
#include <QFileSystemModel>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

using namespace tavorel;

class tst_QtPlatform : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        applyProcessFormats();
        installItalianTranslations();
    }
    void messageBoxes_data();
    void messageBoxes();
    void qtDialogTexts_data();
    void qtDialogTexts();
    void fileListDatesAndSizes();
    void shellUrls_data();
    void shellUrls();
    void openOnDesktopSaysWhatCannotBeOpened_data();
    void openOnDesktopSaysWhatCannotBeOpened();
};

void tst_QtPlatform::messageBoxes_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("icon");
    QTest::addColumn<QStringList>("buttons");
    QTest::newRow("warning") << int(MessageKind::Warning) << int(QMessageBox::Warning) << QStringList{"OK", "Annulla"};
    QTest::newRow("error") << int(MessageKind::Error) << int(QMessageBox::Critical) << QStringList{"OK", "Annulla"};
    QTest::newRow("information") << int(MessageKind::Information) << int(QMessageBox::Information)
                                 << QStringList{"OK", "Annulla"};
    QTest::newRow("confirmation") << int(MessageKind::Confirmation) << int(QMessageBox::Question)
                                  << QStringList{"Sì", "No"};
    QTest::newRow("plain") << int(MessageKind::Plain) << int(QMessageBox::NoIcon) << QStringList{"OK"};
}

void tst_QtPlatform::messageBoxes()
{
    QFETCH(int, kind);
    QFETCH(int, icon);
    QFETCH(QStringList, buttons);
    const QString text = QStringLiteral("Attenzione: primo paragrafo.\n\r\n\rSecondo paragrafo, è così.");
    QMessageBox box;
    QtPlatform::prepareMessageBox(box, MessageKind(kind), text);
    QCOMPARE(box.text(), text);
    QCOMPARE(int(box.icon()), icon);
    QStringList shown;
    for (QAbstractButton* b : box.buttons())
        shown.append(b->text().remove(QLatin1Char('&')));
    shown.sort();
    buttons.sort();
    QCOMPARE(shown, buttons);
}

void tst_QtPlatform::qtDialogTexts_data()
{
    QTest::addColumn<QString>("context");
    QTest::addColumn<QString>("english");
    QTest::addColumn<QString>("italian");
    // Missing from Qt's Italian translation: the program's own text.
    QTest::newRow("print range") << "QPrintSettingsOutput"
                                 << "Pages"
                                 << "Pagine";
    QTest::newRow("duplex") << "QPrintSettingsOutput"
                            << "Long side binding"
                            << "Rilegatura sul lato lungo";
    QTest::newRow("file type") << "QAbstractFileIconProvider"
                               << "Folder"
                               << "Cartella";
    // Present there: Qt's own text still wins.
    QTest::newRow("copies") << "QPrintSettingsOutput"
                            << "Copies:"
                            << "Copie:";
    // Other windows' words are not touched.
    QTest::newRow("elsewhere") << "QLineEdit"
                               << "Pages"
                               << "Pages";
}

void tst_QtPlatform::qtDialogTexts()
{
    QFETCH(QString, context);
    QFETCH(QString, english);
    QFETCH(QString, italian);
    QCOMPARE(QCoreApplication::translate(context.toLatin1().constData(), english.toLatin1().constData()), italian);
}

void tst_QtPlatform::fileListDatesAndSizes()
{
    QTemporaryDir dir;
    QFile f(dir.filePath(QStringLiteral("Logo.bmp")));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(1536, 'x'));
    QVERIFY(f.flush());
    QVERIFY(f.setFileTime(QDateTime(QDate(2026, 3, 5), QTime(10, 7)), QFileDevice::FileModificationTime));
    f.close();
    QFileSystemModel files;
    FileDialogFormats formats;
    formats.setSourceModel(&files);
    files.setRootPath(dir.path());
    const QModelIndex file = files.index(f.fileName());
    QVERIFY(file.isValid());
    QTRY_COMPARE(formats.mapFromSource(file.siblingAtColumn(3)).data().toString(), QStringLiteral("05/03/2026 10:07"));
    QCOMPARE(formats.mapFromSource(file.siblingAtColumn(1)).data().toString(), QStringLiteral("1,5 kB"));
    QCOMPARE(formats.mapFromSource(file).data().toString(), QStringLiteral("Logo.bmp"));
}

void tst_QtPlatform::shellUrls_data()
{
    // clang-format off
    QTest::addColumn<QString>("command");
    QTest::addColumn<QUrl>("url");
    QTest::newRow("quoted path with blanks") << "\"/home/club/Programma Tavorel/Ricevute.xls\""
                                             << QUrl::fromLocalFile("/home/club/Programma Tavorel/Ricevute.xls");
    QTest::newRow("relative path") << "Guida.pdf" << QUrl::fromLocalFile("/opt/tavorel/Guida.pdf");
    QTest::newRow("web address") << "http://www.tavorel.it" << QUrl("http://www.tavorel.it");
    QTest::newRow("quoted mail with blanks") << "\"mailto:a@b.it?subject=Software Tavorel&body=Salve, così\""
                                             << QUrl("mailto:a@b.it?subject=Software%20Tavorel&body=Salve,%20cos%C3%AC");
    // clang-format on
}

void tst_QtPlatform::shellUrls()
{
    QFETCH(QString, command);
    QFETCH(QUrl, url);
    QCOMPARE(QtPlatform::shellUrl(command, QStringLiteral("/opt/tavorel")), url);
}

void tst_QtPlatform::openOnDesktopSaysWhatCannotBeOpened_data()
{
    QTest::addColumn<QString>("command"); // {folder}: the program folder, which holds Ricevute.xls
    QTest::addColumn<bool>("handedOver");
    QTest::addColumn<QString>("told");
    QTest::newRow("a document") << "\"{folder}/Ricevute.xls\"" << true
                                << kMsgNessunProgrammaFile.arg(QStringLiteral("Ricevute.xls"));
    QTest::newRow("a document by its name alone")
        << "Ricevute.xls" << true << kMsgNessunProgrammaFile.arg(QStringLiteral("Ricevute.xls"));
    QTest::newRow("a document that is not there")
        << "{folder}/Guida.pdf" << false
        << kMsgFileNonTrovato.arg(QStringLiteral("Guida.pdf"), QStringLiteral("{folder}"));
    QTest::newRow("a web address") << "http://www.tavorel.it" << true
                                   << kMsgNessunProgrammaSito.arg(QStringLiteral("http://www.tavorel.it"));
    QTest::newRow("an e-mail address") << "mailto:anna%20maria@club.it" << true
                                       << kMsgNessunProgrammaPosta.arg(QStringLiteral("anna maria@club.it"));
    QTest::newRow("a reminder to many") << "mailto:?bcc=lia@club.it,ugo@club.it&subject=Certificato" << true
                                        << kMsgNessunProgrammaPosta.arg(QStringLiteral("lia@club.it, ugo@club.it"));
}

void tst_QtPlatform::openOnDesktopSaysWhatCannotBeOpened()
{
    QFETCH(QString, command);
    QFETCH(bool, handedOver);
    QFETCH(QString, told);
    test::FakePlatformScope scope;
    const QString folder = QDir::toNativeSeparators(scope.fake.folder);
    QFile xls(QDir(scope.fake.folder).filePath(QStringLiteral("Ricevute.xls")));
    QVERIFY(xls.open(QIODevice::WriteOnly));
    xls.close();
    command.replace(QStringLiteral("{folder}"), scope.fake.folder);
    told.replace(QStringLiteral("{folder}"), folder);

    // A desktop that opens it: nothing said.
    QCOMPARE(openOnDesktop(nullptr, command), handedOver);
    QCOMPARE(scope.fake.messages.isEmpty(), handedOver);
    // A desktop with no program for it: the user reads why nothing opened.
    scope.fake.messages.clear();
    scope.fake.openAnswer = false;
    QVERIFY(!openOnDesktop(nullptr, command));
    QCOMPARE(scope.fake.opened.size(), handedOver ? 2 : 0);
    QCOMPARE(scope.fake.messages.size(), 1);
    QCOMPARE(scope.fake.messages[0].kind, MessageKind::Warning);
    QCOMPARE(scope.fake.lastMessage(), told);
}

QTEST_MAIN(tst_QtPlatform)
#include "tst_QtPlatform.moc"
