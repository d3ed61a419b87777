// Developer tool: lays out every screen of the program with sample data and saves a picture of
// each, at the window size of a given screen, so the look can be checked without clicking through.
//   tavorel-screenshots OUTPUT_FOLDER [WIDTH HEIGHT]
//   tavorel-screenshots OUTPUT_FOLDER WIDTH HEIGHT DATA_FOLDER
// With a folder holding a 2026.ric and an Archivio_Iscritti.pro, the
// search and list screens are shown with its rows, and each list is also printed to a PDF.
// Runs on any Qt platform; with QT_QPA_PLATFORM=offscreen it needs no display.
#include "checks/TfrmCodFisc.h"
#include "checks/TfrmPartitaIva.h"
#include "help/TfrmGuida.h"
#include "help/TfrmInfo.h"
#include "help/TfrmSplash.h"
#include "income/TfrmMenuRiepCosti.h"
#include "income/TfrmRiepCosti.h"
#include "login/TfrmCambiaPassword.h"
#include "login/TfrmPassword.h"
#include "maintenance/TfrmBackup.h"
#include "members/MemberSheetTemplate.h"
#include "members/PhotoPanel.h"
#include "members/PhotoStore.h"
#include "members/PhotoView.h"
#include "members/TfrmAllegaCartella.h"
#include "members/TfrmAnteprimaTiratori.h"
#include "members/TfrmCertScaduti.h"
#include "members/TfrmExpTiratori.h"
#include "members/TfrmStampaTiratori.h"
#include "members/TfrmTessereScadute.h"
#include "members/TfrmTiratori.h"
#include "members/TfrmTrovaTiratori.h"
#include "members/TfrmWebCam.h"
#include "members/TfrmZoom.h"
#include "printing/ReportPainter.h"
#include "receipts/ReceiptSettings.h"
#include "receipts/ReceiptTemplate.h"
#include "receipts/TfrmAnteprimaRic.h"
#include "receipts/TfrmAssociazione.h"
#include "receipts/TfrmExpRic.h"
#include "receipts/TfrmLogo.h"
#include "receipts/TfrmMenuRicevute.h"
#include "receipts/TfrmNumerazione.h"
#include "receipts/TfrmRicevuta.h"
#include "receipts/TfrmStampaRic.h"
#include "receipts/TfrmTrovaRic.h"
#include "rules/AmountInWords.h"
#include "shell/ListPanel.h"
#include "shell/PictureButton.h"
#include "shell/ProcessFormats.h"
#include "shell/QtPlatform.h"
#include "shell/TfrmAvvio.h"
#include "shell/TfrmCalendario.h"
#include "storage/Archives.h"
#include "storage/Messages.h"
#include "storage/RecordFile.h"
#include "storage/TSchedaIscritto.h"
#include "support/FakePlatform.h"
#include "support/Screens.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

using namespace tavorel;
using tavorel::test::child;

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

// A dialog as the user first sees it: the active window, its first field holding the keyboard (and
// showing its focus halo).
void saveActive(QWidget* w, const QString& name)
{
    w->show();
    w->activateWindow();
    (void)QTest::qWaitForWindowActive(w);
    save(w, name, false);
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
        (void)QTest::qWaitForWindowActive(&d);
        child<QLineEdit>(&d, "txtPagatore")->setText(QStringLiteral("ro"));
        child<QLineEdit>(&d, "txtData")->setText(QStringLiteral("/03/"));
        child<QLineEdit>(&d, "txtPagatore")->setFocus();
        save(&d, QStringLiteral("trova_ricevute_criteri"), false);
        // The results of the whole archive: a few hundred rows.
        child<QLineEdit>(&d, "txtPagatore")->clear();
        child<QLineEdit>(&d, "txtData")->clear();
        d.btnCercaClick();
        auto* lstRecords = child<QListView>(&d, "lstRecords");
        lstRecords->setCurrentIndex(lstRecords->model()->index(2, 0));
        save(&d, QStringLiteral("trova_ricevute_risultati"), false);
        child<QPushButton>(&d, "btnStampa")->click();
        savePdf(fake, QStringLiteral("trova_ricevute"));
    }
    {
        TfrmTrovaTiratori d(nullptr, {}, {});
        d.setMode(QStringLiteral("tiratori"));
        d.show();
        d.activateWindow();
        (void)QTest::qWaitForWindowActive(&d);
        child<QLineEdit>(&d, "txtEnte")->setText(QStringLiteral("nuoto"));
        child<QLineEdit>(&d, "txtEnte")->setFocus();
        save(&d, QStringLiteral("trova_iscritti_criteri"), false);
        child<QLineEdit>(&d, "txtEnte")->clear();
        d.btnCercaClick();
        save(&d, QStringLiteral("trova_iscritti_risultati"), false);
        child<QPushButton>(&d, "btnStampa")->click();
        savePdf(fake, QStringLiteral("trova_iscritti"));
    }
    {
        TfrmTessereScadute d(nullptr, {});
        save(&d, QStringLiteral("tessere_scadute"), false);
        child<QPushButton>(&d, "btnStampa")->click();
        savePdf(fake, QStringLiteral("tessere_scadute"));
    }
    {
        TfrmCertScaduti d(nullptr, {});
        save(&d, QStringLiteral("certificati_scaduti"), false);
        child<QPushButton>(&d, "btnStampa")->click();
        savePdf(fake, QStringLiteral("certificati_scaduti"));
    }
    // The generated archives' dates lie in 2030-2032: a day among them shows both ended and
    // expiring cards and certificates.
    const QDate today = fake.todayValue;
    fake.todayValue = QDate(2031, 7, 1);
    {
        TfrmCertScaduti d(nullptr, {});
        d.mostraAncheInScadenza();
        save(&d, QStringLiteral("certificati_in_scadenza"), false);
        child<QPushButton>(&d, "btnStampa")->click();
        savePdf(fake, QStringLiteral("certificati_in_scadenza"));
    }
    {
        TfrmTessereScadute d(nullptr, {});
        d.mostraAncheInScadenza();
        save(&d, QStringLiteral("tessere_in_scadenza"), false);
    }
    {
        // The main menu with its notice, once worked out.
        TfrmAvvio w;
        QSignalSpy counted(&w, &TfrmAvvio::scadenzeAggiornate);
        save(&w, QStringLiteral("avvio_scadenze"), true);
        if (counted.isEmpty())
            counted.wait(10000);
        save(&w, QStringLiteral("avvio_scadenze"), true);
    }
    fake.todayValue = today;
}

// A stand-in for a portrait photo: a head and shoulders on a studio background, w x h.
QImage samplePortrait(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient bg(0, 0, 0, h);
    bg.setColorAt(0, QColor(0x9F, 0xB8, 0xC9));
    bg.setColorAt(1, QColor(0x4E, 0x6A, 0x80));
    p.fillRect(image.rect(), bg);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x2F, 0x3E, 0x5C));
    p.drawEllipse(QRectF(w * 0.12, h * 0.68, w * 0.76, h * 0.6));
    p.setBrush(QColor(0xE8, 0xC3, 0xA4));
    p.drawEllipse(QRectF(w * 0.3, h * 0.2, w * 0.4, h * 0.5 * w / h * 1.35));
    return image;
}

TSchedaIscritto sampleMember()
{
    TSchedaIscritto m;
    m.Tiratore = QStringLiteral("Bianchi Niccolò");
    m.Sesso = QStringLiteral("M");
    m.DataNasc = QStringLiteral("01/01/1980");
    m.Cittadinanza = QStringLiteral("Italiana");
    m.LuogoNasc = QStringLiteral("Forlì");
    m.Indirizzo = QStringLiteral("Via Roma 7");
    m.Citta = QStringLiteral("Torino");
    m.Cap = QStringLiteral("10122");
    m.Nazione = QStringLiteral("Italia");
    m.CodFisc = QStringLiteral("BNCNCL80A01D704X");
    m.Gruppo = QStringLiteral("A Rh+");
    m.Professione = QStringLiteral("Insegnante di educazione fisica nelle scuole secondarie di primo grado");
    m.Studio = QStringLiteral("30/09/2027");
    m.Ente = QStringLiteral("Nuoto - corso annuale");
    m.Email = QStringLiteral("niccolo.bianchi@example.it");
    m.Tel = QStringLiteral("011 123456");
    m.Cel = QStringLiteral("333 1234567");
    m.Tessera = QStringLiteral("2026/0145");
    m.Quota = QStringLiteral("35,00");
    m.InizioTes = QStringLiteral("01/09/2026");
    m.FineTes = QStringLiteral("31/08/2027");
    m.Armi = QStringLiteral("Bianchi Luca");
    m.Porto = QStringLiteral("Torino");
    m.InizioPor = QStringLiteral("14/05/2015");
    m.FinePor = QStringLiteral("Via Roma 7, 10122 Torino");
    m.Note = QStringLiteral("Certificato consegnato in segreteria [copia]");
    return m;
}

void memberScreens(test::FakePlatform& fake)
{
    QWidget host;
    host.setObjectName(QStringLiteral("host"));
    auto* panel = new PhotoPanel(&host);
    host.resize(panel->sizeHint());
    save(&host, QStringLiteral("foto_segnaposto"), false);
    panel->setPicture(samplePortrait(2000, 3000));
    save(&host, QStringLiteral("foto_2000x3000"), false);
    panel->setPicture(samplePortrait(100, 100));
    save(&host, QStringLiteral("foto_100x100"), false);
    {
        TfrmZoom z(nullptr, samplePortrait(600, 800));
        z.resize(screenSize.width(), screenSize.height() - 40);
        save(&z, QStringLiteral("zoom"), false);
    }
    {
        TfrmWebCam w(nullptr);
        save(&w, QStringLiteral("webcam_spenta"), false);
        child<QPushButton>(&w, "btnAccendi")->click();
        fake.lastCamera->deliver(samplePortrait(1280, 720));
        child<QPushButton>(&w, "btnCattura")->click();
        fake.lastCamera->deliver(samplePortrait(1280, 720).mirrored(true, false));
        save(&w, QStringLiteral("webcam_fotogrammi"), false);
    }
    {
        TfrmAllegaCartella a(nullptr);
        AttachmentSlots v;
        v.files[0] = QStringLiteral("carta_identita_bianchi.pdf");
        v.descriptions[0] = QStringLiteral("Carta d'identità (fronte e retro)");
        v.files[1] = QStringLiteral("certificato_medico_2026.jpg");
        v.descriptions[1] = QStringLiteral("Certificato medico sportivo agonistico");
        v.descriptions[2] = QStringLiteral("Modulo privacy (da consegnare)");
        a.setValues(v);
        save(&a, QStringLiteral("allegati"), false);
    }
    {
        TfrmStampaTiratori d(nullptr, sampleMember(), samplePortrait(600, 800));
        save(&d, QStringLiteral("stampa_scheda"), false);
        TfrmAnteprimaTiratori p(nullptr, sampleMember(), samplePortrait(600, 800));
        save(&p, QStringLiteral("anteprima_scheda"), false);
    }
    TSchedaIscritto cleared; // what a cleared editor prints
    cleared.Quota = QStringLiteral("0,00");
    for (const auto& [name, member, photo] : {std::tuple{"scheda_iscritto", sampleMember(), samplePortrait(600, 800)},
                                              std::tuple{"scheda_vuota", cleared, placeholderPhoto()}}) {
        Report r = MemberSheetTemplate::create();
        MemberSheetTemplate::fill(r, member, photo);
        exportPdf(r, outDir + QLatin1Char('/') + QLatin1String(name) + QStringLiteral(".pdf"), fake.now());
    }
}

// The income summary query filled in, then the summary of a sport over the year, printed.
void incomeScreens(test::FakePlatform& fake, const QString& data)
{
    fake.folder = data;
    TfrmMenuRiepCosti w;
    save(&w, QStringLiteral("menu_riepilogo_incassi"), true);
    child<QLineEdit>(&w, "txtCCP")->setText(QStringLiteral("nuoto"));
    child<QComboBox>(&w, "txtGiornoInizio")->setCurrentText(QStringLiteral("01"));
    child<QComboBox>(&w, "txtMeseInizio")->setCurrentText(QStringLiteral("Marzo"));
    child<QComboBox>(&w, "txtGiornoFine")->setCurrentText(QStringLiteral("31"));
    child<QComboBox>(&w, "txtMeseFine")->setCurrentText(QStringLiteral("Marzo"));
    save(&w, QStringLiteral("menu_riepilogo_incassi_compilato"), true);
    TfrmRiepCosti d(&w, {QString(), QStringLiteral("nuoto"), QStringLiteral("01/03/2026"), QStringLiteral("31/03/2026"),
                         data + QStringLiteral("/2026.ric")});
    d.carica();
    child<QLineEdit>(&d, "txtTrova")->setText(QStringLiteral("rossi"));
    child<QPushButton>(&d, "btnTrova")->click();
    save(&d, QStringLiteral("riepilogo_incassi"), true);
    fake.answers << Answer::Yes;
    child<QPushButton>(&d, "btnStampa")->click();
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
        saveActive(&w, QStringLiteral("login"));
    }
    {
        TfrmCambiaPassword w;
        saveActive(&w, QStringLiteral("cambia_password"));
    }
    {
        TfrmAvvio w;
        save(&w, QStringLiteral("avvio"), true);
        // The mouse over an app's picture: its panel's border turns steel blue.
        QEvent enter(QEvent::Enter);
        QApplication::sendEvent(child<PictureButton>(&w, "imgApp02"), &enter);
        save(&w, QStringLiteral("avvio_mouse_su_ricevute"), true);
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
            saveActive(&d, QStringLiteral("numerazione"));
        }
        {
            TfrmLogo d(&w);
            save(&d, QStringLiteral("logo"), false);
        }
        {
            TfrmAssociazione d(&w);
            saveActive(&d, QStringLiteral("dati_fiscali"));
        }
        // The receipt of a registered club, paid by transfer.
        for (const Regime regime : {Regime::Asd, Regime::AltroEnte}) {
            DatiFiscali dati = DatiFiscali::predefiniti();
            dati.regime = regime;
            const TSchedaPagamento paid{kCausaleCorso, kPagamentoBonifico, QStringLiteral("02/03/2026"),
                                        QStringLiteral("TRN 0306-7781")};
            Report r = ReceiptTemplate::create();
            TSchedaRicevuta receipt = w.scheda();
            if (regime == Regime::AltroEnte) {
                receipt.Importo = QStringLiteral("50");
                receipt.ImpLettere = QStringLiteral("CINQUANTA");
            }
            ReceiptTemplate::fill(r, receipt, ReceiptSettings::caricaLogo(scope.fake.folder), paid, dati);
            exportPdf(r,
                      outDir + (regime == Regime::Asd ? QStringLiteral("/ricevuta_asd.pdf")
                                                      : QStringLiteral("/ricevuta_altro_ente.pdf")),
                      scope.fake.now());
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
        // The copies screen after a check of the archives.
        TfrmBackup b(nullptr);
        b.show();
        b.findChild<QAbstractButton*>(QStringLiteral("btnVerifica"))->click();
        save(&b, QStringLiteral("copie_sicurezza"), false);
    }
    {
        TfrmCodFisc d(nullptr);
        child<QLineEdit>(&d, "txtCodFisc")->setText(QStringLiteral("RSSMRA80A01H501U"));
        save(&d, QStringLiteral("codice_fiscale"), false);
    }
    {
        TfrmPartitaIva d(nullptr);
        child<QLineEdit>(&d, "txtPartitaIva")->setText(QStringLiteral("12345678903"));
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
    memberScreens(scope.fake);
    {
        TfrmTiratori w;
        save(&w, QStringLiteral("tiratori_vuota"), true);
        saveMemberPhoto(scope.fake.folder, 7, samplePortrait(600, 800));
        w.mostraScheda(sampleMember(), 7);
        save(&w, QStringLiteral("tiratori_compilata"), true);
    }
    if (argc >= 5) {
        searchScreens(scope.fake, QString::fromLocal8Bit(argv[4]));
        incomeScreens(scope.fake, QString::fromLocal8Bit(argv[4]));
    }
    return 0;
}
