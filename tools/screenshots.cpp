// Developer tool: lays out every screen of the program with sample data and saves a picture of
// each, at the window size of a given screen, so the look can be checked without clicking through.
//   tavorel-screenshots OUTPUT_FOLDER [WIDTH HEIGHT]
//   tavorel-screenshots OUTPUT_FOLDER WIDTH HEIGHT DATA_FOLDER
// With a folder holding a 2026.ric and an Archivio_Iscritti.pro (gen_archives.py --year 2026), the
// search and list screens are shown with its rows, and each list is also printed to a PDF.
// Runs on any Qt platform; with QT_QPA_PLATFORM=offscreen it needs no display.
#include "checks/TfrmCodFisc.h"
#include "checks/TfrmPartitaIva.h"
#include "income/TfrmMenuRiepCosti.h"
#include "income/TfrmRiepCosti.h"
#include "login/TfrmCambiaPassword.h"
#include "login/TfrmPassword.h"
#include "members/TfrmCertScaduti.h"
#include "members/TfrmTessereScadute.h"
#include "members/TfrmTrovaTiratori.h"
#include "printing/ReportPainter.h"
#include "receipts/TfrmAnteprimaRic.h"
#include "receipts/TfrmLogo.h"
#include "receipts/TfrmMenuRicevute.h"
#include "receipts/TfrmNumerazione.h"
#include "receipts/TfrmRicevuta.h"
#include "receipts/TfrmStampaRic.h"
#include "receipts/TfrmTrovaRic.h"
#include "rules/AmountInWords.h"
#include "shell/ListPanel.h"
#include "shell/ProcessFormats.h"
#include "shell/QtPlatform.h"
#include "shell/TfrmAvvio.h"
#include "shell/TfrmCalendario.h"
#include "support/FakePlatform.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QPushButton>
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

// The report the list screen printed last, as a PDF.
void savePdf(const test::FakePlatform& fake, const QString& name)
{
    if (fake.printed.isEmpty())
        return;
    exportPdf(fake.printed.last(), outDir + QLatin1Char('/') + name + QStringLiteral(".pdf"), fake.nowValue);
}

// The search screens with a few criteria typed, then their results, printed.
void searchScreens(test::FakePlatform& fake, const QString& data)
{
    fake.folder = data;
    {
        TfrmTrovaRic d(nullptr, data + QStringLiteral("/2026.ric"), {});
        d.setMode(QStringLiteral("ricevuta"));
        d.show();
        d.activateWindow();
        QTest::qWaitForWindowActive(&d);
        d.txtPagatore->setText(QStringLiteral("ro"));
        d.txtData->setText(QStringLiteral("/03/"));
        d.txtPagatore->setFocus();
        save(&d, QStringLiteral("trova_ricevute_criteri"), false);
        // The results of the whole archive: a few hundred rows.
        d.txtPagatore->clear();
        d.txtData->clear();
        d.btnCercaClick();
        d.elenco->lstRecords->setCurrentIndex(d.elenco->model->index(2, 0));
        save(&d, QStringLiteral("trova_ricevute_risultati"), false);
        d.btnStampa->click();
        savePdf(fake, QStringLiteral("trova_ricevute"));
    }
    {
        TfrmTrovaTiratori d(nullptr, {}, {});
        d.setMode(QStringLiteral("tiratori"));
        d.show();
        d.activateWindow();
        QTest::qWaitForWindowActive(&d);
        d.txtEnte->setText(QStringLiteral("nuoto"));
        d.txtEnte->setFocus();
        save(&d, QStringLiteral("trova_iscritti_criteri"), false);
        d.txtEnte->clear();
        d.btnCercaClick();
        save(&d, QStringLiteral("trova_iscritti_risultati"), false);
        d.btnStampa->click();
        savePdf(fake, QStringLiteral("trova_iscritti"));
    }
    {
        TfrmTessereScadute d(nullptr, {});
        save(&d, QStringLiteral("tessere_scadute"), false);
        d.btnStampa->click();
        savePdf(fake, QStringLiteral("tessere_scadute"));
    }
    {
        TfrmCertScaduti d(nullptr, {});
        save(&d, QStringLiteral("certificati_scaduti"), false);
        d.btnStampa->click();
        savePdf(fake, QStringLiteral("certificati_scaduti"));
    }
}

// The income summary query filled in, then the summary of a sport over the year, printed.
void incomeScreens(test::FakePlatform& fake, const QString& data)
{
    fake.folder = data;
    TfrmMenuRiepCosti w;
    save(&w, QStringLiteral("menu_riepilogo_incassi"), true);
    w.txtCCP->setText(QStringLiteral("nuoto"));
    w.txtGiornoInizio->setCurrentText(QStringLiteral("01"));
    w.txtMeseInizio->setCurrentText(QStringLiteral("Marzo"));
    w.txtGiornoFine->setCurrentText(QStringLiteral("31"));
    w.txtMeseFine->setCurrentText(QStringLiteral("Marzo"));
    save(&w, QStringLiteral("menu_riepilogo_incassi_compilato"), true);
    TfrmRiepCosti d(&w, {QString(), QStringLiteral("nuoto"), QStringLiteral("01/03/2026"), QStringLiteral("31/03/2026"),
                         data + QStringLiteral("/2026.ric")});
    d.carica();
    d.elenco->txtTrova->setText(QStringLiteral("rossi"));
    d.elenco->btnTrova->click();
    save(&d, QStringLiteral("riepilogo_incassi"), true);
    fake.answers << Answer::Yes;
    d.btnStampa->click();
    savePdf(fake, QStringLiteral("riepilogo_incassi"));
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
    if (argc >= 5) {
        searchScreens(scope.fake, QString::fromLocal8Bit(argv[4]));
        incomeScreens(scope.fake, QString::fromLocal8Bit(argv[4]));
    }
    return 0;
}
