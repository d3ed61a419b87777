// Every character the archives can hold (each byte value 1 to 255 of Windows-1252, control
// characters included), pasted into every text field of the receipt editor, survives the save, the
// reload from the archive and the printout, exactly as the field showed it.
//
// An attachment name stored in the member archive is a name inside Documenti_Allegati and nothing
// else: one written by hand to point elsewhere ("../", an absolute path, a drive letter, a UNC path)
// is never handed to the desktop to open, and nothing outside the program folder is written.
// (Photos are not named in the record: a member's photo is found by its record number.)
#include "members/Attachments.h"
#include "members/TfrmExpTiratori.h"
#include "members/TfrmTiratori.h"
#include "receipts/TfrmRicevuta.h"
#include "storage/Archives.h"
#include "storage/Cp1252.h"
#include "storage/RecordLayout.h"
#include "storage/TSchedaIscritto.h"
#include "storage/TSchedaRicevuta.h"
#include "support/FakePlatform.h"
#include "support/Folders.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTest>

using namespace tavorel;
using tavorel::test::FakePlatform;
using tavorel::test::FakePlatformScope;

namespace {

// The free-text fields; the amounts take digits only, the dates come from the picker and the
// practitioner's date of birth is a date or nothing.
const QList<std::pair<const char*, int>> kTextFields{
    {"txtRicevente01", 50}, {"txtRicevente02", 50}, {"txtRicevente03", 50}, {"txtRicevente04", 50},
    {"txtNumRic", 30},      {"txtPagatore", 50},    {"txtCodFisc", 16},     {"txtSport", 120},
    {"txtPraticante", 50},  {"txtLuogoNasc", 50},   {"txtIndirizzo", 250}};

void click(QWidget* screen, const char* name)
{
    auto* button = screen->findChild<QAbstractButton*>(QLatin1StringView(name));
    QVERIFY2(button && button->isVisible(), name);
    QTest::mouseClick(button, Qt::LeftButton);
}

// The 255 characters, each byte value 1 to 255 of Windows-1252 once.
QString everyCharacter()
{
    QString all;
    for (int b = 1; b <= 255; ++b)
        all += fromCp1252(QByteArray(1, char(b)));
    return all;
}

// The data cells of a spreadsheet export, row by row, read back as a spreadsheet program reads
// them: the references turned back into characters.
QList<QStringList> exportedRows(const QByteArray& file)
{
    static const QRegularExpression row(QStringLiteral("<tr>(.*?)</tr>"));
    static const QRegularExpression cell(QStringLiteral("<td class=\"testo\"[^>]*>(.*?)</td>"));
    static const QRegularExpression reference(QStringLiteral("&#(\\d+);"));
    QList<QStringList> rows;
    const QString text = fromCp1252(file);
    for (auto r = row.globalMatch(text); r.hasNext();) {
        QStringList cells;
        const QString inside = r.next().captured(1);
        for (auto c = cell.globalMatch(inside); c.hasNext();) {
            QString value = c.next().captured(1);
            QString plain;
            qsizetype from = 0;
            for (auto m = reference.globalMatch(value); m.hasNext();) {
                const auto found = m.next();
                plain += value.mid(from, found.capturedStart() - from);
                plain += QChar::fromUcs4(found.captured(1).toUInt());
                from = found.capturedEnd();
            }
            plain += value.mid(from);
            plain.replace(QStringLiteral("&lt;"), QStringLiteral("<"))
                .replace(QStringLiteral("&gt;"), QStringLiteral(">"))
                .replace(QStringLiteral("&amp;"), QStringLiteral("&"));
            cells.append(plain);
        }
        if (!cells.isEmpty())
            rows.append(cells);
    }
    return rows;
}

} // namespace

class tst_HostileText : public QObject {
    Q_OBJECT
private slots:
    void everyByteSurvives_data();
    void everyByteSurvives();
    void memberEveryByteSurvives_data();
    void memberEveryByteSurvives();
    void attachmentNamesStayInside_data();
    void attachmentNamesStayInside();
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
        // As the program puts a stored text in the field (a paste blanks the control characters:
        // tst_TypedText).
        target->setText(piece);
        const QString shown = target->text();
        if (field != QLatin1String("txtCodFisc"))
            QCOMPARE(shown, piece);

        fake.messages.clear();
        click(&w, "cmdSalva");
        QCOMPARE(fake.messages.size(), 1);
        QCOMPARE(fake.messages[0].kind, MessageKind::Information);
        ++saves;

        // Reloaded from the archive, the field shows what it showed when saved.
        // Emptied on screen and left without saving: the record comes back as stored.
        target->clear();
        fake.answers << Answer::No;
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

void tst_HostileText::memberEveryByteSurvives_data()
{
    // The free-text fields of the member editor; the sex, the fee and the three picked dates take
    // what their keys allow, the date of birth is a date or nothing.
    QTest::addColumn<QString>("field");
    for (const auto& f : TSchedaIscritto::fields()) {
        const QString name = QLatin1String(f.name);
        static const QStringList notFree{QStringLiteral("Sesso"),   QStringLiteral("Quota"),
                                         QStringLiteral("Studio"),  QStringLiteral("InizioTes"),
                                         QStringLiteral("FineTes"), QStringLiteral("DataNasc")};
        if (name.startsWith(QLatin1String("File")) || name.startsWith(QLatin1String("Desc")) || notFree.contains(name))
            continue;
        QTest::newRow(f.name) << name;
    }
}

// Pasted into a member editor field in pieces, every character survives the save, the reload, the
// export grid and file, and the member sheet, as the field showed it. In the export file and on the
// sheet, blanks and control characters inside a text are blanks, one for one (a line break cannot
// break the file's line nor push a value out of its box).
void tst_HostileText::memberEveryByteSurvives()
{
    QFETCH(QString, field);
    FakePlatformScope scope;
    FakePlatform& fake = scope.fake;
    TfrmTiratori w;
    w.show();
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    auto edit = [&](const QString& name) { return w.findChild<QLineEdit*>(QStringLiteral("txt") + name); };
    const QList<std::pair<QString, QString>> required{{QStringLiteral("Tiratore"), QStringLiteral("Rossi")},
                                                      {QStringLiteral("Studio"), QStringLiteral("01/01/2027")},
                                                      {QStringLiteral("Ente"), QStringLiteral("Nuoto")},
                                                      {QStringLiteral("Tessera"), QStringLiteral("1")},
                                                      {QStringLiteral("Quota"), QStringLiteral("10,00")},
                                                      {QStringLiteral("InizioTes"), QStringLiteral("01/01/2026")},
                                                      {QStringLiteral("FineTes"), QStringLiteral("31/12/2026")}};
    for (const auto& [name, text] : required)
        edit(name)->setText(text);
    QLineEdit* target = edit(field);
    QVERIFY(target);
    const auto* stored = findField<TSchedaIscritto>(field);
    QVERIFY(stored);
    const int width = stored->capacity;
    // The record's fields in order, the export's columns in order: all but the sex.
    int column = 0;
    for (const auto& f : TSchedaIscritto::fields()) {
        if (QLatin1String(f.name) == field)
            break;
        if (QLatin1String(f.name) != QLatin1String("Sesso"))
            ++column;
    }

    const QString all = everyCharacter();
    int saves = 0;
    for (qsizetype at = 0; at < all.size(); at += width - 2) {
        const QString piece = QLatin1Char('a') + all.mid(at, width - 2) + QLatin1Char('z');
        target->setFocus();
        target->selectAll();
        // As the program puts a stored text in the field (a paste blanks the control characters:
        // tst_TypedText).
        target->setText(piece);
        const QString shown = target->text();
        if (field != QLatin1String("CodFisc"))
            QCOMPARE(shown, piece);

        fake.messages.clear();
        click(&w, "cmdSalva");
        QCOMPARE(fake.messages.size(), 1);
        QCOMPARE(fake.messages[0].kind, MessageKind::Information);
        ++saves;

        // Emptied on screen and left without saving: the record comes back as stored.
        target->clear();
        fake.answers << Answer::No;
        click(&w, "cmdPrimo");
        QCOMPARE(w.findChild<QLabel*>(QStringLiteral("lblPosizione"))->text(), QStringLiteral("1"));
        QCOMPARE(target->text(), shown);

        QString blanked = shown;
        for (QChar& c : blanked) {
            if (c.unicode() <= 0x20 || (c.unicode() >= 0x7F && c.unicode() <= 0x9F))
                c = QLatin1Char(' ');
        }

        // The export: the grid shows it as the editor did, the file holds it with blanks.
        {
            TfrmExpTiratori exporter(&w);
            exporter.show();
            QCOMPARE(exporter.righe(), 1);
            QCOMPARE(exporter.cella(0, column + 1), shown);
            fake.answers = {Answer::Yes, Answer::No};
            exporter.cmdEsportaClick();
            const QList<QStringList> rows = exportedRows(test::readFile(exporter.filePath()));
            QCOMPARE(rows.size(), 1);
            QCOMPARE(rows[0].value(column), blanked);
        }

        // The member sheet, on its one line in its box.
        fake.dialogScripts.append([](QDialog* d) {
            click(d, "btnStampa");
            return int(QDialog::Accepted);
        });
        click(&w, "cmdAnteprima");
        QCOMPARE(fake.previewed.size(), saves);
        QString printed = shown;
        printed.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
        const ReportMemo* m = fake.previewed.last().findMemo(QStringLiteral("txt") + field);
        QVERIFY(m);
        QCOMPARE(m->lines, QStringList{printed});
    }
    QVERIFY(fake.verifyConsumed());
}

void tst_HostileText::attachmentNamesStayInside_data()
{
    // The name stored in slot 1, and the document it may open: the one of that name in the
    // attachments folder, or none.
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("opens");
    QTest::newRow("plain name") << "tessera.pdf"
                                << "tessera.pdf";
    QTest::newRow("parent folder") << "../fuori.txt"
                                   << "fuori.txt";
    QTest::newRow("two levels up") << "../../fuori.txt"
                                   << "fuori.txt";
    QTest::newRow("backslashes up") << "..\\..\\fuori.txt"
                                    << "fuori.txt";
    QTest::newRow("absolute") << "<outside>/fuori.txt"
                              << "fuori.txt";
    QTest::newRow("drive letter") << "C:\\fuori.txt"
                                  << "fuori.txt";
    QTest::newRow("drive, no slash") << "C:fuori.txt"
                                     << "fuori.txt";
    QTest::newRow("UNC") << "\\\\server\\share\\fuori.txt"
                         << "fuori.txt";
    QTest::newRow("the folder above") << ".."
                                      << "";
    QTest::newRow("a folder") << "sub/"
                              << "";
}

// The member with the hostile name is browsed to, its attachments window opened, every enabled
// "Apri" pressed, "Sfoglia..." cancelled, the window applied and the member saved.
void tst_HostileText::attachmentNamesStayInside()
{
    QFETCH(QString, stored);
    QFETCH(QString, opens);
    FakePlatformScope scope;
    FakePlatform& fake = scope.fake;
    const QString outside = fake.folder;
    stored.replace(QStringLiteral("<outside>"), outside);
    fake.folder = QDir(outside).filePath(QStringLiteral("programma"));
    const QString allegati = attachmentFolder(fake.folder);
    QVERIFY(QDir().mkpath(allegati));
    // Documents of that name outside the attachments folder, and the ones inside it.
    for (const QString& dir : {outside, fake.folder, QDir(outside).filePath(QStringLiteral("share"))}) {
        QVERIFY(QDir().mkpath(dir));
        QVERIFY(test::writeFile(QDir(dir).filePath(QStringLiteral("fuori.txt")), "non aprire"));
    }
    QVERIFY(test::writeFile(QDir(allegati).filePath(QStringLiteral("fuori.txt")), "allegato"));
    QVERIFY(test::writeFile(QDir(allegati).filePath(QStringLiteral("tessera.pdf")), "allegato"));

    TSchedaIscritto member;
    member.Tiratore = QStringLiteral("Rossi Mario");
    member.Studio = member.InizioTes = member.FineTes = QStringLiteral("01/01/2027");
    member.Ente = QStringLiteral("Nuoto");
    member.Tessera = QStringLiteral("1");
    member.Quota = QStringLiteral("10,00");
    member.File01 = member.File03 = stored;
    member.Desc01 = QStringLiteral("Documento");
    QVERIFY(test::writeFile(memberArchivePath(fake.folder), encodeRecord(member)));

    auto untouched = [&] {
        QMap<QString, QByteArray> files;
        const QMap<QString, QByteArray> all = test::snapshot(outside);
        for (auto it = all.cbegin(); it != all.cend(); ++it) {
            if (!it.key().startsWith(QLatin1String("programma/")) || it.key() == QLatin1String("programma/fuori.txt"))
                files.insert(it.key(), it.value());
        }
        return files;
    };
    const QMap<QString, QByteArray> before = untouched();

    TfrmTiratori w;
    w.show();
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    click(&w, "cmdPrimo");
    fake.openFileAnswers.append(QString()); // "Sfoglia..." cancelled
    fake.dialogScripts.append([](QDialog* d) {
        for (const char* apri : {"btnApri01", "btnApri02", "btnApri03"}) {
            auto* b = d->findChild<QAbstractButton*>(QLatin1StringView(apri));
            if (b && b->isEnabled())
                QTest::mouseClick(b, Qt::LeftButton);
        }
        click(d, "btnSfoglia01");
        click(d, "btnApplica");
        return d->result();
    });
    click(&w, "cmdFile");
    click(&w, "cmdSalva");
    QCOMPARE(fake.messages.size(), 1);
    QCOMPARE(fake.messages[0].kind, MessageKind::Information);

    // Only documents of the attachments folder were handed over, slot 1 and slot 3 alike.
    const QStringList expected =
        opens.isEmpty() ? QStringList{} : QStringList(2, QDir::toNativeSeparators(QDir(allegati).filePath(opens)));
    QCOMPARE(fake.opened, expected);
    QCOMPARE(untouched(), before);
    // What the member keeps is the name alone.
    const auto saved = decodeRecord<TSchedaIscritto>(test::readFile(memberArchivePath(fake.folder)));
    QCOMPARE(saved.File01, opens);
    QCOMPARE(saved.Desc01, QStringLiteral("Documento"));
    QVERIFY(fake.verifyConsumed());
}

QTEST_MAIN(tst_HostileText)
#include "tst_HostileText.moc"
