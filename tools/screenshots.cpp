// Developer tool: lays out every screen of the program with sample data and saves a picture of
// each, at the window size of a given screen, so the look can be checked without clicking through.
//   tavorel-screenshots OUTPUT_FOLDER [WIDTH HEIGHT]
// Runs on any Qt platform; with QT_QPA_PLATFORM=offscreen it needs no display.
#include "checks/TfrmCodFisc.h"
#include "checks/TfrmPartitaIva.h"
#include "help/TfrmGuida.h"
#include "help/TfrmInfo.h"
#include "help/TfrmSplash.h"
#include "login/TfrmCambiaPassword.h"
#include "login/TfrmPassword.h"
#include "members/TfrmExpTiratori.h"
#include "receipts/TfrmAnteprimaRic.h"
#include "receipts/TfrmExpRic.h"
#include "receipts/TfrmLogo.h"
#include "receipts/TfrmMenuRicevute.h"
#include "receipts/TfrmNumerazione.h"
#include "receipts/TfrmRicevuta.h"
#include "receipts/TfrmStampaRic.h"
#include "rules/AmountInWords.h"
#include "shell/ProcessFormats.h"
#include "shell/QtPlatform.h"
#include "shell/TfrmAvvio.h"
#include "shell/TfrmCalendario.h"
#include "storage/Archives.h"
#include "storage/RecordFile.h"
#include "storage/TSchedaIscritto.h"
#include "support/FakePlatform.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>

using namespace tavorel;

namespace {

QString outDir;
QSize screenSize(1366, 768);

void save(QWidget* w, const QString& name, bool workspace)
{
    if (workspace) {
        // What a maximised window gets on that screen, less a title bar and a task bar.
        w->setWindowState(Qt::WindowNoState);
        w->resize(screenSize.width(), screenSize.height() - 70);
    }
    w->show();
    QApplication::processEvents();
    QTest::qWait(50);
    w->grab().save(outDir + QLatin1Char('/') + name + QStringLiteral(".png"));
}

// A receipt as it stands after browsing to it in the archive.
void fillReceipt(TfrmRicevuta& w)
{
    TSchedaRicevuta r = w.scheda();
    r.Ricevente01 = QStringLiteral("A.S.D. POLISPORTIVA CITTÀ APERTA");
    r.Ricevente02 = QStringLiteral("Via Garibaldi 12 - 10122 Torino");
    r.Ricevente03 = QStringLiteral("C.F. 97612345678");
    r.Ricevente04 = QStringLiteral("Tel. 011 123456");
    r.NumRic = QStringLiteral("103");
    r.Pagatore = QStringLiteral("Bianchi Niccolò");
    r.CodFisc = QStringLiteral("BNCNCL80A01L219X");
    r.Sport = QStringLiteral("Nuoto - corso annuale");
    r.Dal = QStringLiteral("01/09/2026");
    r.Al = QStringLiteral("30/06/2027");
    r.Praticante = QStringLiteral("Bianchi Luca");
    r.LuogoNasc = QStringLiteral("Forlì");
    r.DataNasc = QStringLiteral("14/05/2015");
    r.Indirizzo = QStringLiteral("Via Roma 7, 10122 Torino");
    r.Importo = QStringLiteral("150");
    r.ImpLettere = ImportoInLettere(1500000);
    r.Intero = QStringLiteral("150,00");
    w.mostraScheda(r, 3);
}

// A few receipts and members, so the export grids show what a club's archives look like.
void fillArchives(const QString& folder)
{
    const QStringList names = {QStringLiteral("Rossi Mario"),   QStringLiteral("Bianchi Niccolò"),
                               QStringLiteral("Esposito Anna"), QStringLiteral("Colombo Luca"),
                               QStringLiteral("Ricci Giulia"),  QStringLiteral("D'Angelo Marco")};
    const QStringList sports = {QStringLiteral("Nuoto - corso annuale"), QStringLiteral("Pallavolo under 14"),
                                QStringLiteral("Ginnastica artistica"), QStringLiteral("Tennis")};
    RecordFile receipts;
    if (OpenReceiptArchive(receiptArchivePath(folder, QStringLiteral("2026")), receipts)) {
        for (int i = 0; i < 12; ++i) {
            TSchedaRicevuta r;
            r.NumRic = QString::number(i + 1);
            r.Data = QStringLiteral("%1/0%2/2026").arg(10 + i).arg(1 + i % 9);
            r.Pagatore = names[i % names.size()];
            r.CodFisc = QStringLiteral("RSSMRA80A01H501U");
            r.Sport = sports[i % sports.size()];
            r.Dal = QStringLiteral("01/09/2026");
            r.Al = QStringLiteral("30/06/2027");
            r.Praticante = names[(i + 2) % names.size()];
            r.LuogoNasc = QStringLiteral("Forlì");
            r.DataNasc = QStringLiteral("14/05/2015");
            r.Indirizzo = QStringLiteral("Via Roma %1, 10122 Torino").arg(i + 3);
            r.Intero = QStringLiteral("%1,00").arg(35 + 5 * i);
            appendRecord(receipts, r);
        }
    }
    RecordFile members;
    if (OpenMemberArchive(folder, members)) {
        for (int i = 0; i < names.size(); ++i) {
            TSchedaIscritto m;
            m.Tiratore = names[i];
            m.DataNasc = QStringLiteral("0%1/03/198%1").arg(i + 1);
            m.Cittadinanza = QStringLiteral("Italiana");
            m.LuogoNasc = QStringLiteral("Torino");
            m.Indirizzo = QStringLiteral("Via Po %1").arg(i + 10);
            m.Citta = QStringLiteral("Roma");
            m.Cap = QStringLiteral("00100");
            m.Nazione = QStringLiteral("Italia");
            m.CodFisc = QStringLiteral("RSSMRA80A01H501U");
            m.Ente = sports[i % sports.size()];
            m.Tessera = QStringLiteral("00%1").arg(i + 1);
            m.Quota = QStringLiteral("35,00");
            m.Note = QStringLiteral("Certificato consegnato");
            appendRecord(members, m);
        }
    }
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    if (argc < 2) {
        fprintf(stderr, "usage: tavorel-screenshots OUTPUT_FOLDER [WIDTH HEIGHT]\n");
        return 2;
    }
    outDir = QString::fromLocal8Bit(argv[1]);
    if (argc >= 4)
        screenSize = QSize(atoi(argv[2]), atoi(argv[3]));
    QDir().mkpath(outDir);
    test::FakePlatformScope scope;
    applyProcessFormats();
    installItalianTranslations();

    {
        TfrmPassword w;
        save(&w, QStringLiteral("login"), false);
    }
    {
        TfrmCambiaPassword w;
        save(&w, QStringLiteral("cambia_password"), false);
    }
    {
        TfrmAvvio w;
        save(&w, QStringLiteral("avvio"), true);
    }
    {
        TfrmMenuRicevute w;
        save(&w, QStringLiteral("menu_ricevute"), true);
    }
    {
        TfrmRicevuta w;
        w.apriArchivio(scope.fake.folder + QStringLiteral("/2026.ric"),
                       QStringLiteral(" Tavorel - Archivio ricevute anno 2026"));
        save(&w, QStringLiteral("ricevuta_vuota"), true);
        fillReceipt(w);
        save(&w, QStringLiteral("ricevuta_compilata"), true);
        {
            TfrmNumerazione d(&w);
            save(&d, QStringLiteral("numerazione"), false);
        }
        {
            TfrmLogo d(&w);
            save(&d, QStringLiteral("logo"), false);
        }
        {
            TfrmCalendario d(&w, {});
            save(&d, QStringLiteral("calendario"), false);
        }
        {
            TfrmAnteprimaRic d(&w, w.scheda());
            save(&d, QStringLiteral("anteprima_ricevuta"), false);
        }
        {
            TfrmStampaRic d(&w, w.scheda());
            save(&d, QStringLiteral("stampa_ricevuta"), false);
        }
    }
    fillArchives(scope.fake.folder);
    {
        TfrmExpRic d(nullptr, receiptArchivePath(scope.fake.folder, QStringLiteral("2026")));
        save(&d, QStringLiteral("esporta_ricevute"), false);
        TfrmExpTiratori m(nullptr);
        save(&m, QStringLiteral("esporta_iscritti"), false);
        // The two spreadsheet files beside the pictures, to open in a spreadsheet program.
        d.scriviFile(outDir + QStringLiteral("/Ricevute.xls"));
        m.scriviFile(outDir + QStringLiteral("/Archivio_Iscritti.xls"));
    }
    {
        TfrmGuida d(nullptr);
        d.impostaArgomento(helpTitle(HelpTopic::StampaRicevute), helpText(HelpTopic::StampaRicevute));
        save(&d, QStringLiteral("guida"), false);
        TfrmInfo i(nullptr);
        save(&i, QStringLiteral("info"), false);
        TfrmSplash c(nullptr);
        save(&c, QStringLiteral("crediti"), false);
    }
    {
        TfrmCodFisc d(nullptr);
        d.txtCodFisc->setText(QStringLiteral("RSSMRA80A01H501U"));
        save(&d, QStringLiteral("codice_fiscale"), false);
    }
    {
        TfrmPartitaIva d(nullptr);
        d.txtPartitaIva->setText(QStringLiteral("12345678903"));
        save(&d, QStringLiteral("partita_iva"), false);
    }
    {
        QMessageBox box;
        QtPlatform::prepareMessageBox(
            box, MessageKind::Warning,
            QStringLiteral("Attenzione: la data indicata non esiste.\n\r\n\rPer poter salvare la "
                           "scheda è necessario indicare una data valida nel formato gg/mm/anno."));
        save(&box, QStringLiteral("messaggio_avviso"), false);
        QMessageBox question;
        QtPlatform::prepareMessageBox(question, MessageKind::Confirmation,
                                      QStringLiteral("Si vuole stampare il presente riepilogo?"));
        save(&question, QStringLiteral("messaggio_conferma"), false);
    }
    return 0;
}
