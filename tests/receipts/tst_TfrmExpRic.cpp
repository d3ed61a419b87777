// The receipt export: the grid filled from the year's archive, cells typed over, the questions, the
// file "Ricevute.xls" byte for byte, and what a failed export leaves.
#include "receipts/TfrmExpRic.h"
#include "shell/PictureButton.h"
#include "storage/Archives.h"
#include "storage/Messages.h"
#include "storage/RecordFile.h"
#include "storage/TSchedaRicevuta.h"
#include "support/FakePlatform.h"
#include "support/Screens.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

using namespace tavorel;
using tavorel::test::child;
using tavorel::test::FakePlatform;
using tavorel::test::FakePlatformScope;

namespace {

const QByteArray kHead =
    "<html xmlns:o=\"urn:schemas-microsoft-com:office:office\" xmlns:x=\"urn:schemas-microsoft-com:office:excel\" "
    "xmlns=\"http://www.w3.org/TR/REC-html40\"><head>"
    "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">"
    "<style>.testo{mso-number-format:\"\\@\";}</style>"
    "<!--[if gte mso 9]><xml><x:ExcelWorkbook><x:ExcelWorksheets><x:ExcelWorksheet>"
    "<x:Name>Riepilogo Ricevute</x:Name><x:WorksheetOptions><x:Selected/><x:Panes><x:Pane>"
    "<x:Number>1</x:Number><x:ActiveRow>3</x:ActiveRow></x:Pane></x:Panes>"
    "<x:ProtectContents>False</x:ProtectContents><x:ProtectObjects>False</x:ProtectObjects>"
    "<x:ProtectScenarios>False</x:ProtectScenarios></x:WorksheetOptions></x:ExcelWorksheet>"
    "</x:ExcelWorksheets></x:ExcelWorkbook></xml><![endif]--></head><body><table x:str>";
const QByteArray kTail = "</table></body></html>";

QByteArray headerRow()
{
    const QList<QPair<QByteArray, int>> titles = {{"Ricevuta n.", 200},
                                                  {"Data emissione", 200},
                                                  {"Pagatore", 300},
                                                  {"Codice fiscale", 200},
                                                  {"Attivit\xe0 sportiva", 400},
                                                  {"Inizio periodo", 200},
                                                  {"Fine periodo", 200},
                                                  {"Praticante", 300},
                                                  {"Luogo di nascita", 350},
                                                  {"Data di nascita", 200},
                                                  {"Indirizzo di residenza", 400},
                                                  {"Totale: \x80", 200}};
    QByteArray row = "<tr>";
    for (const auto& [title, width] : titles)
        row += "<td style=\"text-align: left; font-weight: bold;\" width=" + QByteArray::number(width) + ">" + title +
               "</td>";
    return row + "</tr>";
}

QByteArray dataRow(const QList<QByteArray>& cells)
{
    QByteArray row = "<tr>";
    for (const QByteArray& c : cells)
        row += "<td class=\"testo\" style=\"text-align: left;\">" + c + "</td>";
    return row + "</tr>";
}

TSchedaRicevuta receipt(const QString& num, const QString& payer, const QString& sport, const QString& address,
                        const QString& total)
{
    TSchedaRicevuta r;
    r.NumRic = num;
    r.Data = QStringLiteral("05/01/2026");
    r.Pagatore = payer;
    r.CodFisc = QStringLiteral("RSSMRA80A01H501U");
    r.Sport = sport;
    r.Dal = QStringLiteral("01/01/2026");
    r.Al = QStringLiteral("31/12/2026");
    r.LuogoNasc = QStringLiteral("Forlì");
    r.Indirizzo = address;
    r.Intero = total;
    r.ImpLettere = QStringLiteral("CENTOCINQUANTA"); // neither shown nor exported
    return r;
}

QString archivePath(const FakePlatform& fake)
{
    return receiptArchivePath(fake.folder, QStringLiteral("2026"));
}

void writeArchive(const QString& path, const QList<TSchedaRicevuta>& receipts)
{
    RecordFile f;
    QVERIFY(OpenReceiptArchive(path, f));
    for (const TSchedaRicevuta& r : receipts)
        QVERIFY(appendRecord(f, r) > 0);
}

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(missing)");
}

// Opens the export the way the receipt editor does and runs `script` while it is shown.
void runExport(FakePlatform& fake, const std::function<void(TfrmExpRic*)>& script)
{
    QWidget owner;
    auto* dialog = new TfrmExpRic(&owner, archivePath(fake));
    fake.dialogScripts.append([script](QDialog* d) {
        script(static_cast<TfrmExpRic*>(d));
        return d->result();
    });
    platform().runModal(dialog);
    delete dialog;
}

// Types into a grid cell the way a user does: a click on the cell, the text, Enter.
void typeInto(QTableView* grid, int row, int column, const QString& text)
{
    const QModelIndex index = grid->model()->index(row, column);
    grid->scrollTo(index);
    QApplication::processEvents();
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(index).center());
    QCOMPARE(grid->currentIndex(), index);
    // The first key opens the cell's editor, which takes the rest.
    QTest::keyClicks(grid, text.left(1));
    QWidget* editor = QApplication::focusWidget();
    QVERIFY(editor);
    QTest::keyClicks(editor, text.mid(1));
    QTest::keyClick(editor, Qt::Key_Return);
    QApplication::processEvents(); // the grid takes the typed text after the key
}

} // namespace

class tst_TfrmExpRic : public QObject {
    Q_OBJECT
private slots:
    void gridTypedOverAndExported();
    void answers_data();
    void answers();
    void emptyArchive();
    void fileThatCannotBeReplaced();
    void linkInItsNameIsNotFollowed();
};

void tst_TfrmExpRic::gridTypedOverAndExported()
{
    FakePlatformScope scope;
    FakePlatform& fake = scope.fake;
    writeArchive(archivePath(fake),
                 {receipt(QStringLiteral("1"), QStringLiteral("Rossi Mario"), QStringLiteral("Nuoto <b>"),
                          QStringLiteral("Via Po 1 & 2"), QStringLiteral("150,00")),
                  receipt(QStringLiteral("007"), QStringLiteral("Bianchi Niccolò"), QStringLiteral("Tennis"), QString(),
                          QStringLiteral("35,50"))});
    const QByteArray archiveBefore = readAll(archivePath(fake));
    // An export of another year, replaced whole.
    QFile old(QDir(fake.folder).filePath(QStringLiteral("Ricevute.xls")));
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write(QByteArray(100000, 'x'));
    old.close();

    runExport(fake, [](TfrmExpRic* d) {
        auto* grdRecords = child<QTableView>(d, "grdRecords");
        QVERIFY(QTest::qWaitForWindowActive(d));
        QCOMPARE(d->windowTitle(), QStringLiteral(" Esporta archivio ricevute in Microsoft Excel"));
        QCOMPARE(d->righe(), 2);
        QCOMPARE(d->cella(0, 0), QStringLiteral("1"));
        QCOMPARE(d->cella(1, 0), QStringLiteral("2"));
        QCOMPARE(d->cella(1, 1), QStringLiteral("007"));
        QCOMPARE(d->cella(1, 3), QStringLiteral("Bianchi Niccolò"));
        QCOMPARE(d->cella(0, 12), QStringLiteral("150,00"));
        // The sport can be typed over; the payer cannot.
        typeInto(grdRecords, 1, 5, QStringLiteral("Tennis ridotto"));
        typeInto(grdRecords, 1, 3, QStringLiteral("Verdi"));
        QCOMPARE(d->cella(1, 5), QStringLiteral("Tennis ridotto"));
        QCOMPARE(d->cella(1, 3), QStringLiteral("Bianchi Niccolò"));
        child<PictureButton>(d, "cmdEsporta")->click();
    });

    const QString xls = QDir(fake.folder).filePath(QStringLiteral("Ricevute.xls"));
    const QByteArray file = readAll(xls);
    QCOMPARE(file, kHead + headerRow() +
                       dataRow({"1", "05/01/2026", "Rossi Mario", "RSSMRA80A01H501U", "Nuoto &lt;b&gt;", "01/01/2026",
                                "31/12/2026", "", "Forl\xec", "", "Via Po 1 &amp; 2", "150,00"}) +
                       dataRow({"007", "05/01/2026", "Bianchi Niccol\xf2", "RSSMRA80A01H501U", "Tennis ridotto",
                                "01/01/2026", "31/12/2026", "", "Forl\xec", "", "", "35,50"}) +
                       kTail);
    QCOMPARE(fake.messages.size(), 2);
    QCOMPARE(fake.messages[0].kind, MessageKind::Confirmation);
    QCOMPARE(fake.messages[0].text, kMsgEsportaDomanda);
    QCOMPARE(fake.messages[1].text, kMsgEsportaRiuscita);
    QCOMPARE(fake.opened, QStringList{QLatin1Char('"') + QDir::toNativeSeparators(xls) + QLatin1Char('"')});
    // Typing in the grid never reaches the archive.
    QCOMPARE(readAll(archivePath(fake)), archiveBefore);
    QVERIFY(fake.verifyConsumed());
}

void tst_TfrmExpRic::answers_data()
{
    // clang-format off
    QTest::addColumn<QList<Answer>>("answers");
    QTest::addColumn<int>("questions");
    QTest::addColumn<bool>("written");
    QTest::addColumn<bool>("opened");
    QTest::addColumn<bool>("viewer"); // the computer has a program for spreadsheets
    QTest::newRow("no to exporting") << QList<Answer>{Answer::No} << 1 << false << false << true;
    QTest::newRow("no to opening") << QList<Answer>{Answer::Yes, Answer::No} << 2 << true << false << true;
    QTest::newRow("yes to both") << QList<Answer>{Answer::Yes, Answer::Yes} << 2 << true << true << true;
    // Nothing opens the file: the user is told so, by the file's name.
    QTest::newRow("no spreadsheet program") << QList<Answer>{Answer::Yes, Answer::Yes} << 3 << true << true << false;
    // clang-format on
}

void tst_TfrmExpRic::answers()
{
    QFETCH(QList<Answer>, answers);
    QFETCH(int, questions);
    QFETCH(bool, written);
    QFETCH(bool, opened);
    QFETCH(bool, viewer);
    FakePlatformScope scope;
    FakePlatform& fake = scope.fake;
    fake.openAnswer = viewer;
    writeArchive(archivePath(fake), {receipt(QStringLiteral("1"), QStringLiteral("Rossi"), QStringLiteral("Nuoto"),
                                             QString(), QStringLiteral("1,00"))});
    const QString xls = QDir(fake.folder).filePath(QStringLiteral("Ricevute.xls"));
    QFile old(xls);
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write("earlier export");
    old.close();

    fake.answers = answers;
    runExport(fake, [](TfrmExpRic* d) { child<PictureButton>(d, "cmdEsporta")->click(); });
    QCOMPARE(fake.messages.size(), questions);
    QCOMPARE(readAll(xls) != "earlier export", written);
    QCOMPARE(fake.opened.size(), opened ? 1 : 0);
    if (!viewer)
        QCOMPARE(fake.lastMessage(), kMsgNessunProgrammaFile.arg(QStringLiteral("Ricevute.xls")));
    QVERIFY(fake.verifyConsumed());
}

void tst_TfrmExpRic::emptyArchive()
{
    // A year never opened: the archive is created empty, the grid has no rows, the file only the header.
    FakePlatformScope scope;
    FakePlatform& fake = scope.fake;
    fake.answers = {Answer::Yes, Answer::No};
    runExport(fake, [](TfrmExpRic* d) {
        QCOMPARE(d->righe(), 0);
        child<PictureButton>(d, "cmdEsporta")->click();
    });
    QVERIFY(QFileInfo(archivePath(fake)).isFile());
    QCOMPARE(QFileInfo(archivePath(fake)).size(), 0);
    QCOMPARE(readAll(QDir(fake.folder).filePath(QStringLiteral("Ricevute.xls"))), kHead + headerRow() + kTail);
    QVERIFY(fake.verifyConsumed());
}

void tst_TfrmExpRic::fileThatCannotBeReplaced()
{
    // Something else holds the name (here a folder): the export message, no second question,
    // nothing opened, and what held the name is left alone.
    FakePlatformScope scope;
    FakePlatform& fake = scope.fake;
    writeArchive(archivePath(fake), {receipt(QStringLiteral("1"), QStringLiteral("Rossi"), QStringLiteral("Nuoto"),
                                             QString(), QStringLiteral("1,00"))});
    QDir folder(fake.folder);
    QVERIFY(folder.mkdir(QStringLiteral("Ricevute.xls")));
    runExport(fake, [](TfrmExpRic* d) { child<PictureButton>(d, "cmdEsporta")->click(); });
    QCOMPARE(fake.messages.size(), 2);
    QCOMPARE(fake.messages[1].kind, MessageKind::Error);
    QCOMPARE(fake.messages[1].text, kMsgEsportaNegata);
    QVERIFY(fake.opened.isEmpty());
    QVERIFY(QFileInfo(folder.filePath(QStringLiteral("Ricevute.xls"))).isDir());
    // No temporary file is left behind either.
    QCOMPARE(folder.entryList(QDir::Files), QStringList{QStringLiteral("2026.ric")});
    QVERIFY(fake.verifyConsumed());
}

void tst_TfrmExpRic::linkInItsNameIsNotFollowed()
{
    // A link left in the program folder under the export's name, pointing outside: refused with the
    // export message, and the file it points to keeps its bytes.
    FakePlatformScope scope;
    FakePlatform& fake = scope.fake;
    writeArchive(archivePath(fake), {receipt(QStringLiteral("1"), QStringLiteral("Rossi"), QStringLiteral("Nuoto"),
                                             QString(), QStringLiteral("1,00"))});
    QTemporaryDir outside;
    const QString target = outside.filePath(QStringLiteral("altrove.txt"));
    QFile t(target);
    QVERIFY(t.open(QIODevice::WriteOnly));
    t.write("non toccare");
    t.close();
    QVERIFY(QFile::link(target, QDir(fake.folder).filePath(QStringLiteral("Ricevute.xls"))));
    runExport(fake, [](TfrmExpRic* d) { child<PictureButton>(d, "cmdEsporta")->click(); });
    QCOMPARE(fake.messages.size(), 2);
    QCOMPARE(fake.messages[1].text, kMsgEsportaNegata);
    QCOMPARE(readAll(target), QByteArray("non toccare"));
    QVERIFY(QFileInfo(QDir(fake.folder).filePath(QStringLiteral("Ricevute.xls"))).isSymLink());
    QVERIFY(fake.verifyConsumed());
}

QTEST_MAIN(tst_TfrmExpRic)
#include "tst_TfrmExpRic.moc"
