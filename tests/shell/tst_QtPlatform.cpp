// The real message boxes: the five kinds, their buttons in Italian, and the program's text kept
// exactly as given.
#include "shell/ProcessFormats.h"
#include "shell/QtPlatform.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QTest>
#include <QUrl>

using namespace tavorel;

class tst_QtPlatform : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { installItalianTranslations(); }
    void messageBoxes_data();
    void messageBoxes();
    void shellUrls_data();
    void shellUrls();
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

QTEST_MAIN(tst_QtPlatform)
#include "tst_QtPlatform.moc"
