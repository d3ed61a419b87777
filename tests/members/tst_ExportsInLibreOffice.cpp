// Both exports opened by a real spreadsheet program: LibreOffice converts the two files to CSV and
// every cell must read back exactly as the grid held it, leading zeros, dates, amounts,
// formula-looking text and HTML-special characters included. One conversion for both files, since
// starting LibreOffice takes seconds.
#include "members/TfrmExpTiratori.h"
#include "receipts/TfrmExpRic.h"
#include "shell/PictureButton.h"
#include "storage/Archives.h"
#include "storage/RecordFile.h"
#include "storage/TSchedaIscritto.h"
#include "storage/TSchedaRicevuta.h"
#include "support/FakePlatform.h"
#include "support/Screens.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace tavorel;
using tavorel::test::child;
using tavorel::test::FakePlatform;
using tavorel::test::FakePlatformScope;

namespace {

using Table = QList<QStringList>;

// Texts a spreadsheet is tempted to read as something else.
const QStringList kTricky = {
    QStringLiteral("00100"),      QStringLiteral("007"),
    QStringLiteral("01/02/2026"), QStringLiteral("150,00"),
    QStringLiteral("1e5"),        QStringLiteral("=1+1"),
    QStringLiteral("<b>x</b>"),   QStringLiteral("Tom & Jerry"),
    QStringLiteral("&amp;"),      QStringLiteral("Niccolò Forlì"),
    QStringLiteral("Totale: €"),  QStringLiteral("Žofia Œ"),
    QStringLiteral("-5"),         QStringLiteral("12:30"),
    QStringLiteral("3%"),         QStringLiteral("VERO"),
    QStringLiteral("\"citato\""), QStringLiteral("0039 333 1234567"),
    QStringLiteral("Via  Roma"),
};

QString tricky(int i)
{
    return kTricky[i % kTricky.size()];
}

// RFC 4180 fields: quoted fields may hold commas, quotes (doubled) and line breaks.
Table parseCsv(const QString& csv)
{
    Table rows;
    QStringList row;
    QString field;
    bool quoted = false;
    for (qsizetype i = 0; i < csv.size(); ++i) {
        const QChar c = csv[i];
        if (quoted) {
            if (c == QLatin1Char('"') && i + 1 < csv.size() && csv[i + 1] == QLatin1Char('"')) {
                field += c;
                ++i;
            } else if (c == QLatin1Char('"')) {
                quoted = false;
            } else {
                field += c;
            }
        } else if (c == QLatin1Char('"')) {
            quoted = true;
        } else if (c == QLatin1Char(',')) {
            row.append(field);
            field.clear();
        } else if (c == QLatin1Char('\n')) {
            row.append(field);
            field.clear();
            rows.append(row);
            row.clear();
        } else if (c != QLatin1Char('\r')) {
            field += c;
        }
    }
    if (!field.isEmpty() || !row.isEmpty()) {
        row.append(field);
        rows.append(row);
    }
    return rows;
}

// The sheet a user should see: the file's header titles, then the grid's exported cells.
template <typename Screen>
Table exportThrough(FakePlatform& fake, Screen* screen, const QStringList& titles)
{
    Table expected{titles};
    fake.answers += {Answer::Yes, Answer::No};
    fake.dialogScripts.append([&](QDialog* d) {
        auto* s = static_cast<Screen*>(d);
        for (int r = 0; r < s->righe(); ++r) {
            QStringList row;
            for (int c = 1; c <= titles.size(); ++c)
                row.append(s->cella(r, c));
            expected.append(row);
        }
        child<PictureButton>(s, "cmdEsporta")->click();
        return d->result();
    });
    platform().runModal(screen);
    delete screen;
    return expected;
}

} // namespace

class tst_ExportsInLibreOffice : public QObject {
    Q_OBJECT
private slots:
    void everyCellReadsBackAsTyped();
};

void tst_ExportsInLibreOffice::everyCellReadsBackAsTyped()
{
    const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    QVERIFY2(!soffice.isEmpty(), "LibreOffice (libreoffice-calc-nogui) is installed by scripts/bootstrap");

    FakePlatformScope scope;
    FakePlatform& fake = scope.fake;
    int n = 0;
    {
        RecordFile f;
        QVERIFY(OpenReceiptArchive(receiptArchivePath(fake.folder, QStringLiteral("2026")), f));
        for (int k = 0; k < 3; ++k) {
            TSchedaRicevuta r;
            for (const auto& field : TSchedaRicevuta::fields())
                r.*field.member = tricky(n++).left(field.capacity);
            QVERIFY(appendRecord(f, r) > 0);
        }
    }
    {
        RecordFile f;
        QVERIFY(OpenMemberArchive(fake.folder, f));
        for (int k = 0; k < 2; ++k) {
            TSchedaIscritto m;
            for (const auto& field : TSchedaIscritto::fields())
                m.*field.member = tricky(n++).left(field.capacity);
            QVERIFY(appendRecord(f, m) > 0);
        }
        QVERIFY(appendRecord(f, TSchedaIscritto{}) > 0);
    }

    QWidget owner;
    const Table receipts = exportThrough(
        fake, new TfrmExpRic(&owner, receiptArchivePath(fake.folder, QStringLiteral("2026"))),
        {"Ricevuta n.", "Data emissione", "Pagatore", "Codice fiscale", "Attività sportiva", "Inizio periodo",
         "Fine periodo", "Praticante", "Luogo di nascita", "Data di nascita", "Indirizzo di residenza", "Totale: €"});
    const Table members = exportThrough(fake, new TfrmExpTiratori(&owner),
                                        {"Cognome e nome",
                                         "Data di nascita",
                                         "Cittadinanza",
                                         "Luogo di nascita",
                                         "Indirizzo di residenza",
                                         "Città",
                                         "CAP",
                                         "Nazione",
                                         "Codice fiscale",
                                         "Gruppo sanguigno",
                                         "Professione",
                                         "Scad. certificato medico",
                                         "Attività sportiva",
                                         "E-mail",
                                         "Tel. casa",
                                         "Tel. cellulare",
                                         "Tessera n.",
                                         "Quota",
                                         "Data di rilascio",
                                         "Data di scadenza",
                                         "Praticante",
                                         "Luogo di nascita",
                                         "Data di nascita",
                                         "Indirizzo",
                                         "Note"});
    QCOMPARE(receipts.size(), 4);
    QCOMPARE(members.size(), 4);
    QVERIFY(fake.verifyConsumed());

    QTemporaryDir work;
    QProcess lo;
    lo.setProcessChannelMode(QProcess::MergedChannels);
    // A profile of its own, so the test neither needs nor touches the user's LibreOffice settings.
    lo.start(soffice, {QStringLiteral("-env:UserInstallation=") +
                           QUrl::fromLocalFile(work.filePath(QStringLiteral("profile"))).toString(),
                       QStringLiteral("--headless"), QStringLiteral("--convert-to"),
                       QStringLiteral("csv:Text - txt - csv (StarCalc):44,34,76"), QStringLiteral("--outdir"),
                       work.path(), QDir(fake.folder).filePath(QStringLiteral("Ricevute.xls")),
                       QDir(fake.folder).filePath(QStringLiteral("Archivio_Iscritti.xls"))});
    QVERIFY(lo.waitForFinished(240000));
    const QByteArray log = lo.readAll();
    QVERIFY2(lo.exitCode() == 0, log.constData());

    for (const auto& [name, expected] : {std::pair{QStringLiteral("Ricevute.csv"), receipts},
                                         std::pair{QStringLiteral("Archivio_Iscritti.csv"), members}}) {
        QFile csv(work.filePath(name));
        QVERIFY2(csv.open(QIODevice::ReadOnly), qPrintable(name + QLatin1Char(' ') + QString::fromLocal8Bit(log)));
        const Table sheet = parseCsv(QString::fromUtf8(csv.readAll()));
        // CSV leaves out the empty rows at the end of a sheet.
        Table shown = expected;
        while (!shown.isEmpty() && shown.last().join(QString()).isEmpty())
            shown.removeLast();
        QCOMPARE(sheet.size(), shown.size());
        for (int r = 0; r < shown.size(); ++r)
            QCOMPARE(sheet[r], shown[r]);
    }
}

QTEST_MAIN(tst_ExportsInLibreOffice)
#include "tst_ExportsInLibreOffice.moc"
