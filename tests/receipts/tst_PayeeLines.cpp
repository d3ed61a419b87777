// The payee lines of the receipt editor go to the settings file only when the user changed them in
// the editor, and then only the lines changed, each written over the file as it is at that moment:
// browsing to an older receipt and closing writes nothing, and another workstation's change to
// the other lines stays.
#include "receipts/ReceiptSettings.h"
#include "receipts/TfrmRicevuta.h"
#include "storage/Archives.h"
#include "storage/RecordFile.h"
#include "support/FakePlatform.h"
#include "support/Folders.h"
#include "support/SampleReceipts.h"
#include "support/Screens.h"

#include <QAbstractButton>
#include <QDir>
#include <QLineEdit>
#include <QTest>

#include <memory>

using namespace tavorel;
using tavorel::test::FakePlatformScope;

namespace {

const QByteArray kSettings = "; impostazioni\r\n[Ricevente]\r\nRigo 1 = A.S.D. Uno\r\nRigo 2=Via Due\r\n"
                             "Rigo 3=Citt\xE0 Tre\r\nRigo 4=\r\n[Numerazione Ricevute]\r\nInizio=1\r\n";

QByteArray withLine(QByteArray settings, const QByteArray& from, const QByteArray& to)
{
    return settings.replace(from, to);
}

class Editor {
public:
    explicit Editor(const QString& folder)
    {
        w_.apriArchivio(QDir(folder).filePath(QStringLiteral("2026.ric")), QStringLiteral(" Tavorel"));
        test::showActive(w_);
    }
    void retype(const char* line, const QString& text)
    {
        auto* edit = test::child<QLineEdit>(&w_, line);
        edit->setFocus(Qt::TabFocusReason);
        edit->selectAll();
        if (text.isEmpty())
            QTest::keyClick(edit, Qt::Key_Delete);
        for (const QChar c : text) // key by key; QTest::keyClicks takes ASCII only
            QTest::sendKeyEvent(QTest::Click, edit,
                                c.unicode() < 128 ? QTest::asciiToKey(char(c.unicode())) : Qt::Key_unknown, QString(c),
                                Qt::NoModifier);
        QCOMPARE(edit->text(), text);
    }
    void click(const char* name)
    {
        auto* button = w_.findChild<QAbstractButton*>(QLatin1StringView(name));
        QVERIFY2(button && button->isVisible(), name);
        QTest::mouseClick(button, Qt::LeftButton);
    }
    QString line(const char* name) { return test::child<QLineEdit>(&w_, name)->text(); }
    bool isVisible() const { return w_.isVisible(); }

private:
    TfrmRicevuta w_;
};

enum class Script { Untouched, BrowsedBack, TypedBack, ChangedElsewhereMeanwhile, TwoEditors, BrowsedThenTyped };

} // namespace

class tst_PayeeLines : public QObject {
    Q_OBJECT

private slots:
    void onlyChangedLinesAreWritten_data();
    void onlyChangedLinesAreWritten();
};

void tst_PayeeLines::onlyChangedLinesAreWritten_data()
{
    QTest::addColumn<Script>("script");
    QTest::addColumn<QByteArray>("after");

    QTest::newRow("closed without a change: not rewritten") << Script::Untouched << kSettings;
    QTest::newRow("an older receipt browsed to and closed") << Script::BrowsedBack << kSettings;
    QTest::newRow("a line typed and typed back") << Script::TypedBack << kSettings;
    QTest::newRow("line 1 typed, line 2 changed by another workstation meanwhile")
        << Script::ChangedElsewhereMeanwhile
        << withLine(withLine(kSettings, "Rigo 1 = A.S.D. Uno", "Rigo 1=A.S.D. Nuova"), "Via Due", "Via Altra");
    QTest::newRow("two editors on one folder, each changing its own line")
        << Script::TwoEditors
        << withLine(withLine(kSettings, "Rigo 1 = A.S.D. Uno", "Rigo 1=Prima"), "Rigo 4=", "Rigo 4=Quarta");
    QTest::newRow("an older receipt browsed to, then one line typed")
        << Script::BrowsedThenTyped << withLine(kSettings, "Rigo 4=", "Rigo 4=Nuova 4");
}

void tst_PayeeLines::onlyChangedLinesAreWritten()
{
    QFETCH(Script, script);
    QFETCH(QByteArray, after);
    FakePlatformScope scope;
    const QString folder = scope.fake.folder;
    const QString ini = ReceiptSettings::percorsoIni(folder);
    QVERIFY(test::writeFile(ini, kSettings));
    // A receipt of last week, made with other payee lines.
    TSchedaRicevuta old = test::sampleReceipt();
    old.Ricevente01 = QStringLiteral("Vecchio Uno");
    old.Ricevente02 = QStringLiteral("Vecchio Due");
    old.Ricevente03 = QStringLiteral("Vecchio Tre");
    old.Ricevente04 = QStringLiteral("Vecchio Quattro");
    {
        RecordFile file;
        QVERIFY(OpenReceiptArchive(QDir(folder).filePath(QStringLiteral("2026.ric")), file));
        QCOMPARE(appendRecord(file, old), qint64(1));
    }

    auto a = std::make_unique<Editor>(folder);
    QCOMPARE(a->line("txtRicevente01"), QStringLiteral("A.S.D. Uno"));
    switch (script) {
    case Script::Untouched:
        break;
    case Script::BrowsedBack:
        a->click("cmdPrimo");
        QCOMPARE(a->line("txtRicevente01"), QStringLiteral("Vecchio Uno"));
        break;
    case Script::TypedBack:
        a->retype("txtRicevente03", QStringLiteral("Altra"));
        a->retype("txtRicevente03", QStringLiteral(u"Città Tre"));
        break;
    case Script::ChangedElsewhereMeanwhile:
        a->retype("txtRicevente01", QStringLiteral("A.S.D. Nuova"));
        QVERIFY(test::writeFile(ini, withLine(kSettings, "Via Due", "Via Altra")));
        break;
    case Script::TwoEditors: {
        Editor b(folder);
        a->retype("txtRicevente01", QStringLiteral("Prima"));
        b.retype("txtRicevente04", QStringLiteral("Quarta"));
        b.click("cmdEsci");
        QVERIFY(!b.isVisible());
        break;
    }
    case Script::BrowsedThenTyped:
        a->click("cmdPrimo");
        a->retype("txtRicevente04", QStringLiteral("Nuova 4"));
        // A saved receipt changed: the editor asks before it is left, and it is left unsaved.
        scope.fake.answers << Answer::No;
        break;
    }
    a->click("cmdEsci");
    QVERIFY(!a->isVisible());
    QCOMPARE(test::readFile(ini), after);
    for (const auto& m : scope.fake.messages)
        QCOMPARE(m.kind, MessageKind::Question);
    QVERIFY(scope.fake.verifyConsumed());
}

QTEST_MAIN(tst_PayeeLines)
#include "tst_PayeeLines.moc"
