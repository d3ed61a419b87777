// Every character the archives can hold (each byte value 1 to 255 of Windows-1252, control
// characters included), pasted into every text field of the receipt editor, survives the save, the
// reload from the archive and the printout, exactly as the field showed it.
//
// The member editor's fields, the exports, and the attachment and photo names stored in the member
// archive (a name that points outside the program folder: "../", an absolute path, a drive letter,
// a UNC path is never opened nor written) join here with the member archive's photo store.
#include "receipts/TfrmRicevuta.h"
#include "storage/Cp1252.h"
#include "storage/RecordLayout.h"
#include "storage/TSchedaRicevuta.h"
#include "support/FakePlatform.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

using namespace tavorel;
using tavorel::test::FakePlatform;
using tavorel::test::FakePlatformScope;

namespace {

// The free-text fields; the amounts take digits only and the dates come from the picker.
const QList<std::pair<const char*, int>> kTextFields{
    {"txtRicevente01", 50}, {"txtRicevente02", 50}, {"txtRicevente03", 50}, {"txtRicevente04", 50},
    {"txtNumRic", 30},      {"txtPagatore", 50},    {"txtCodFisc", 16},     {"txtSport", 120},
    {"txtPraticante", 50},  {"txtLuogoNasc", 50},   {"txtDataNasc", 10},    {"txtIndirizzo", 250}};

void click(QWidget* screen, const char* name)
{
    auto* button = screen->findChild<QAbstractButton*>(QLatin1StringView(name));
    QVERIFY2(button && button->isVisible(), name);
    QTest::mouseClick(button, Qt::LeftButton);
}

} // namespace

class tst_HostileText : public QObject {
    Q_OBJECT
private slots:
    void everyByteSurvives_data();
    void everyByteSurvives();
};

void tst_HostileText::everyByteSurvives_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<int>("width");
    for (const auto& [name, width] : kTextFields)
        QTest::newRow(name) << QString::fromLatin1(name) << width;
}

void tst_HostileText::everyByteSurvives()
{
    QFETCH(QString, field);
    QFETCH(int, width);
    FakePlatformScope scope;
    FakePlatform& fake = scope.fake;
    TfrmRicevuta w;
    w.apriArchivio(QDir(fake.folder).filePath(QStringLiteral("2026.ric")), QStringLiteral(" Tavorel"));
    w.show();
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    auto edit = [&](const char* name) { return w.findChild<QLineEdit*>(QLatin1StringView(name)); };
    const QList<std::pair<const char*, QString>> required{
        {"txtNumRic", QStringLiteral("1")},       {"txtPagatore", QStringLiteral("Rossi")},
        {"txtCodFisc", QStringLiteral("X")},      {"txtSport", QStringLiteral("Nuoto")},
        {"txtDal", QStringLiteral("01/01/2026")}, {"txtAl", QStringLiteral("31/01/2026")}};
    for (const auto& [name, text] : required)
        edit(name)->setText(text);
    QLineEdit* target = edit(field.toLatin1().constData());
    QVERIFY(target);

    // The 255 characters in pieces that fit the field, each between two letters so that blanks
    // and control characters are inside the text, where trimming leaves them.
    QString all;
    for (int b = 1; b <= 255; ++b)
        all += fromCp1252(QByteArray(1, char(b)));
    QCOMPARE(all.size(), 255);
    int saves = 0;
    for (qsizetype at = 0; at < all.size(); at += width - 2) {
        const QString piece = QLatin1Char('a') + all.mid(at, width - 2) + QLatin1Char('z');
        target->setFocus();
        target->selectAll();
        target->insert(piece); // as a paste does: the field's own rules (capitals) apply
        const QString shown = target->text();
        if (field != QLatin1String("txtCodFisc"))
            QCOMPARE(shown, piece);

        fake.messages.clear();
        click(&w, "cmdSalva");
        QCOMPARE(fake.messages.size(), 1);
        QCOMPARE(fake.messages[0].kind, MessageKind::Information);
        ++saves;

        // Reloaded from the archive, the field shows what it showed when saved.
        target->clear();
        click(&w, "cmdPrimo");
        QCOMPARE(w.findChild<QLabel*>(QStringLiteral("lblPosizione"))->text(), QStringLiteral("1"));
        QCOMPARE(target->text(), shown);

        // And both copies of the printout carry it.
        fake.dialogScripts.append([](QDialog* d) {
            click(d, "btnStampa");
            return int(QDialog::Accepted);
        });
        click(&w, "cmdAnteprima");
        QCOMPARE(fake.previewed.size(), saves);
        const Report& report = fake.previewed.last();
        // On its one line: a line break prints as a blank.
        const QString prefix = field == QLatin1String("txtNumRic") ? QStringLiteral("Ricevuta n. ") : QString();
        QString printed = shown;
        printed.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
        for (const QString& memo : {field, field + QStringLiteral("_B")}) {
            const ReportMemo* m = report.findMemo(memo);
            QVERIFY(m);
            QCOMPARE(m->lines, QStringList{prefix + printed});
        }
    }
    QVERIFY(fake.verifyConsumed());
}

QTEST_MAIN(tst_HostileText)
#include "tst_HostileText.moc"
