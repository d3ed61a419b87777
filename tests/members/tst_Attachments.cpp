// Attached documents: the copy into the attachments folder with its overwrite question, opening a
// document only inside that folder, and the six values going back to the record.
#include "members/Attachments.h"
#include "members/AttachmentsPanel.h"
#include "members/TfrmAllegaCartella.h"
#include "shell/PictureButton.h"
#include "storage/Messages.h"
#include "storage/TSchedaIscritto.h"
#include "support/FakePlatform.h"
#include "support/Screens.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace tavorel;
using tavorel::test::child;
using tavorel::test::FakePlatformScope;

namespace {

void writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

} // namespace

class tst_Attachments : public QObject {
    Q_OBJECT
private slots:
    void storedNameIsOnlyAFileName_data();
    void storedNameIsOnlyAFileName();
    void browseCopiesIntoTheFolder_data();
    void browseCopiesIntoTheFolder();
    void cancelledChoiceDoesNothing();
    void copyFailureIsToldAndTheSlotKeepsItsName();
    void openEnablingAndOpening();
    void panelRoundTripThroughTheWindow_data();
    void panelRoundTripThroughTheWindow();
};

void tst_Attachments::storedNameIsOnlyAFileName_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("name");
    QTest::newRow("plain name") << QStringLiteral("tessera.pdf") << QStringLiteral("tessera.pdf");
    QTest::newRow("blanks around") << QStringLiteral("  tessera.pdf ") << QStringLiteral("tessera.pdf");
    QTest::newRow("climbing out") << QStringLiteral("../../etc/passwd") << QStringLiteral("passwd");
    QTest::newRow("absolute") << QStringLiteral("/home/club/x.pdf") << QStringLiteral("x.pdf");
    QTest::newRow("drive letter") << QStringLiteral("C:\\Documenti\\certificato.jpg")
                                  << QStringLiteral("certificato.jpg");
    QTest::newRow("drive relative") << QStringLiteral("D:certificato.jpg") << QStringLiteral("certificato.jpg");
    QTest::newRow("network share") << QStringLiteral("\\\\server\\share\\doc.odt") << QStringLiteral("doc.odt");
    QTest::newRow("parent only") << QStringLiteral("..") << QString();
    QTest::newRow("folder only") << QStringLiteral("docs/") << QString();
}

void tst_Attachments::storedNameIsOnlyAFileName()
{
    QFETCH(QString, stored);
    QFETCH(QString, name);
    QCOMPARE(attachmentFileName(stored), name);
    const QString path = attachmentPath(QStringLiteral("/prog"), stored);
    QCOMPARE(path, name.isEmpty() ? QString() : QStringLiteral("/prog/Documenti_Allegati/") + name);
}

void tst_Attachments::browseCopiesIntoTheFolder_data()
{
    QTest::addColumn<bool>("existing");
    QTest::addColumn<int>("answer"); // Answer
    QTest::addColumn<QByteArray>("inFolder");
    QTest::addColumn<bool>("asked");
    QTest::newRow("new name: copied without a question")
        << false << int(Answer::Yes) << QByteArray("B's card") << false;
    QTest::newRow("same name, Yes: replaced") << true << int(Answer::Yes) << QByteArray("B's card") << true;
    QTest::newRow("same name, No: the old one stays") << true << int(Answer::No) << QByteArray("A's card") << true;
}

void tst_Attachments::browseCopiesIntoTheFolder()
{
    QFETCH(bool, existing);
    QFETCH(int, answer);
    QFETCH(QByteArray, inFolder);
    QFETCH(bool, asked);
    FakePlatformScope scope;
    QTemporaryDir elsewhere;
    const QString source = elsewhere.filePath(QStringLiteral("tessera.pdf"));
    writeFile(source, "B's card");
    const QString copy = scope.fake.folder + QStringLiteral("/Documenti_Allegati/tessera.pdf");
    if (existing)
        writeFile(copy, "A's card");
    if (asked)
        scope.fake.answers << Answer(answer);
    scope.fake.openFileAnswers << source;

    TfrmAllegaCartella w(nullptr);
    auto* btnApri02 = child<QPushButton>(&w, "btnApri02");
    if (existing) {
        // The member's own document: only that one is replaced after a question.
        AttachmentSlots v;
        v.files[1] = QStringLiteral("tessera.pdf");
        w.setValues(v);
    }
    w.show();
    QCOMPARE(btnApri02->isEnabled(), existing);
    QTest::mouseClick(child<QPushButton>(&w, "btnSfoglia02"), Qt::LeftButton);
    QCOMPARE(scope.fake.fileDialogTitles, QStringList{QStringLiteral("Selezionare il file da allegare:")});
    // Either way the slot names the document in the folder.
    QCOMPARE(child<QLineEdit>(&w, "txtFile02")->text(), QStringLiteral("tessera.pdf"));
    QVERIFY(btnApri02->isEnabled());
    QCOMPARE(readFile(copy), inFolder);
    QCOMPARE(readFile(source), QByteArray("B's card"));
    QCOMPARE(scope.fake.messages.size(), asked ? 1 : 0);
    if (asked) {
        QCOMPARE(scope.fake.messages[0].kind, MessageKind::Confirmation);
        QCOMPARE(scope.fake.messages[0].text, kMsgAllegatoSovrascrivi);
    }
    // "Apri" opens the copy, not the chosen file.
    QTest::mouseClick(btnApri02, Qt::LeftButton);
    QCOMPARE(scope.fake.opened, QStringList{QDir::toNativeSeparators(copy)});
    QVERIFY(scope.fake.verifyConsumed());
}

void tst_Attachments::cancelledChoiceDoesNothing()
{
    FakePlatformScope scope;
    writeFile(scope.fake.folder + QStringLiteral("/Documenti_Allegati/referto.pdf"), "old");
    TfrmAllegaCartella w(nullptr);
    AttachmentSlots v;
    v.files[0] = QStringLiteral("referto.pdf");
    w.setValues(v);
    w.show();
    scope.fake.openFileAnswers << QString();
    QTest::mouseClick(child<QPushButton>(&w, "btnSfoglia01"), Qt::LeftButton);
    QCOMPARE(child<QLineEdit>(&w, "txtFile01")->text(), QStringLiteral("referto.pdf"));
    QVERIFY(scope.fake.messages.isEmpty()); // no overwrite question for the name already there
    QCOMPARE(readFile(scope.fake.folder + QStringLiteral("/Documenti_Allegati/referto.pdf")), QByteArray("old"));
    QVERIFY(scope.fake.verifyConsumed());
}

void tst_Attachments::copyFailureIsToldAndTheSlotKeepsItsName()
{
    FakePlatformScope scope;
    QTemporaryDir elsewhere;
    const QString source = elsewhere.filePath(QStringLiteral("nuovo.pdf"));
    writeFile(source, "new");
    // A file where the attachments folder should be: nothing can be copied there.
    writeFile(scope.fake.folder + QStringLiteral("/Documenti_Allegati"), "x");
    TfrmAllegaCartella w(nullptr);
    AttachmentSlots v;
    v.files[2] = QStringLiteral("vecchio.pdf");
    w.setValues(v);
    w.show();
    scope.fake.openFileAnswers << source;
    QTest::mouseClick(child<QPushButton>(&w, "btnSfoglia03"), Qt::LeftButton);
    QCOMPARE(child<QLineEdit>(&w, "txtFile03")->text(), QStringLiteral("vecchio.pdf"));
    QCOMPARE(scope.fake.messages.size(), 1);
    QCOMPARE(scope.fake.lastMessage(), kMsgAllegatoNonCopiato);
    QVERIFY(scope.fake.verifyConsumed());
}

void tst_Attachments::openEnablingAndOpening()
{
    FakePlatformScope scope;
    TfrmAllegaCartella w(nullptr);
    auto* btnApri02 = child<QPushButton>(&w, "btnApri02");
    auto* txtFile02 = child<QLineEdit>(&w, "txtFile02");
    AttachmentSlots v;
    v.files[1] = QStringLiteral("..\\..\\Windows\\system.ini"); // made by hand in the archive
    w.setValues(v);
    w.show();
    QCOMPARE(child<QPushButton>(&w, "btnApri01")->isEnabled(), false);
    QCOMPARE(btnApri02->isEnabled(), true);
    QCOMPARE(child<QPushButton>(&w, "btnApri03")->isEnabled(), false);
    QCOMPARE(txtFile02->text(), QStringLiteral("system.ini"));
    // Not in the attachments folder: the user is told, and nothing goes to the desktop.
    const QString inside = scope.fake.folder + QStringLiteral("/Documenti_Allegati/system.ini");
    QTest::mouseClick(btnApri02, Qt::LeftButton);
    QVERIFY(scope.fake.opened.isEmpty());
    QCOMPARE(scope.fake.messages.size(), 1);
    QCOMPARE(scope.fake.lastMessage(),
             kMsgFileNonTrovato.arg(QStringLiteral("system.ini"), QDir::toNativeSeparators(QFileInfo(inside).path())));
    scope.fake.messages.clear();
    QVERIFY(QDir().mkpath(QFileInfo(inside).path()));
    writeFile(inside, "[boot]");
    QTest::mouseClick(btnApri02, Qt::LeftButton);
    QCOMPARE(scope.fake.opened, QStringList{QDir::toNativeSeparators(inside)});
    // The eraser empties the name and disables "Apri"; the description stays.
    child<QLineEdit>(&w, "txtDesc02")->setText(QStringLiteral("certificato"));
    QTest::mouseClick(child<PictureButton>(&w, "imgCancella02"), Qt::LeftButton);
    QCOMPARE(txtFile02->text(), QString());
    QVERIFY(!btnApri02->isEnabled());
    QCOMPARE(w.values().descriptions[1], QStringLiteral("certificato"));
    QVERIFY(scope.fake.messages.isEmpty());
}

void tst_Attachments::panelRoundTripThroughTheWindow_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<bool>("applied");
    QTest::newRow("Applica e chiudi") << QStringLiteral("btnApplica") << true;
    QTest::newRow("Annulla") << QStringLiteral("btnAnnulla") << false;
}

void tst_Attachments::panelRoundTripThroughTheWindow()
{
    QFETCH(QString, button);
    QFETCH(bool, applied);
    FakePlatformScope scope;
    QWidget host;
    auto* panel = new AttachmentsPanel(&host);
    host.show();
    TSchedaIscritto record;
    record.File02 = QStringLiteral("tessera.pdf");
    record.Desc02 = QStringLiteral("  tessera 2026 ");
    record.Desc03 = QStringLiteral("senza file");
    panel->load(record);
    QVERIFY(!panel->isVisible());

    QString shownName;
    scope.fake.dialogScripts << [&](QDialog* d) {
        auto* w = qobject_cast<TfrmAllegaCartella*>(d);
        shownName = child<QLineEdit>(w, "txtFile02")->text();
        child<QLineEdit>(w, "txtDesc01")->setText(QStringLiteral(" documento d'identità "));
        child<PictureButton>(w, "imgCancella02")->click();
        QTest::mouseClick(d->findChild<QPushButton*>(button), Qt::LeftButton);
        return d->result();
    };
    panel->open(0);
    QCOMPARE(shownName, QStringLiteral("tessera.pdf"));

    TSchedaIscritto out = record;
    out.File02 = QStringLiteral("overwritten by store");
    panel->store(out);
    TSchedaIscritto expected = record;
    expected.Desc02 = QStringLiteral("tessera 2026");
    if (applied) {
        expected.Desc01 = QStringLiteral("documento d'identità");
        expected.File02.clear();
    }
    QCOMPARE(out, expected);
    panel->clear();
    panel->store(out);
    QCOMPARE(AttachmentSlots::of(out), AttachmentSlots{});
    QVERIFY(scope.fake.verifyConsumed());
}

QTEST_MAIN(tst_Attachments)
#include "tst_Attachments.moc"
