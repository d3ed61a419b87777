#include "app/Application.h"

#include "help/HelpTexts.h"
#include "help/TfrmGuida.h"
#include "help/TfrmInfo.h"
#include "help/TfrmSplash.h"
#include "income/TfrmMenuRiepCosti.h"
#include "login/TfrmCambiaPassword.h"
#include "login/TfrmPassword.h"
#include "maintenance/ExitCopy.h"
#include "maintenance/TfrmBackup.h"
#include "members/TfrmCertScaduti.h"
#include "members/TfrmExpTiratori.h"
#include "members/TfrmTessereScadute.h"
#include "members/TfrmTiratori.h"
#include "members/TfrmTrovaTiratori.h"
#include "receipts/TfrmExpRic.h"
#include "receipts/TfrmMenuRicevute.h"
#include "receipts/TfrmRicevuta.h"
#include "receipts/TfrmTrovaRic.h"
#include "shell/Platform.h"
#include "shell/ProcessFormats.h"
#include "shell/TfrmAvvio.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QWindow>

namespace tavorel {

// The long-lived screens, declared in the order they are created; destroyed in reverse.
struct Application::Screens {
    std::unique_ptr<TfrmPassword> password;
    std::unique_ptr<TfrmAvvio> avvio;
    std::unique_ptr<TfrmCambiaPassword> cambiaPassword;
    std::unique_ptr<TfrmMenuRicevute> menuRicevute;
    std::unique_ptr<TfrmRicevuta> ricevuta;
    std::unique_ptr<TfrmTiratori> tiratori;
    std::unique_ptr<TfrmMenuRiepCosti> menuRiepCosti;
};

namespace {

// The receipt export over the receipt editor, on the archive the editor has open.
void apriEsportaRicevute(TfrmRicevuta* ricevuta)
{
    auto* esporta = new TfrmExpRic(ricevuta, ricevuta->archivio());
    QObject::connect(esporta, &ExportScreen::apriGuida, esporta,
                     [esporta] { mostraGuida(esporta, HelpTopic::EsportaRicevute); });
    platform().runModal(esporta);
    delete esporta;
}

// The member export over the member editor.
void apriEsportaIscritti(TfrmTiratori* tiratori)
{
    auto* esporta = new TfrmExpTiratori(tiratori);
    QObject::connect(esporta, &ExportScreen::apriGuida, esporta,
                     [esporta] { mostraGuida(esporta, HelpTopic::EsportaIscritti); });
    platform().runModal(esporta);
    delete esporta;
}

// The main menu's notice of who must renew: the member editor's list of certificates (or cards)
// with the expiring ones shown too, over the editor as its own button opens it, loading the member
// chosen into the editor.
void apriElencoInScadenza(TfrmTiratori* tiratori, bool certificati)
{
    const CaricaIscritto carica = [tiratori](const TSchedaIscritto& m, qint64 k) {
        if (tiratori->lasciaScheda())
            tiratori->mostraScheda(m, k);
    };
    std::unique_ptr<ExpiredList> elenco;
    if (certificati)
        elenco = std::make_unique<TfrmCertScaduti>(tiratori, carica);
    else
        elenco = std::make_unique<TfrmTessereScadute>(tiratori, carica);
    elenco->mostraAncheInScadenza();
    platform().runModal(elenco.get());
}

// The login window is all the user needs at first, so it reaches the screen before the other
// screens are built: the window is shown and the events that map and paint it are handled.
// Keys and clicks wait in the queue until start() returns, when every screen exists, so nothing
// the user does can reach a screen that is not built yet.
void showLoginFirst(QWidget& login)
{
    login.show();
    QElapsedTimer waited;
    waited.start();
    QWindow* window = login.windowHandle();
    do {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 20);
    } while (window && !window->isExposed() && waited.elapsed() < 1000);
    // The first paint after the exposure.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

} // namespace

Application::Application() = default;

Application::~Application() = default;

void Application::start()
{
    applyProcessFormats();
    installItalianTranslations();
    // Screens hand over to each other by hiding and showing; only the explicit exits end the program.
    QApplication::setQuitOnLastWindowClosed(false);

    screens_ = std::make_unique<Screens>();
    Screens& s = *screens_;
    s.password = std::make_unique<TfrmPassword>();
    showLoginFirst(*s.password);
    // The program icon is drawn at seven sizes and handed to the window system with each window;
    // the login window shows without waiting for it and gets it from here, like every later window.
    QApplication::setWindowIcon(TfrmAvvio::programIcon());

    s.avvio = std::make_unique<TfrmAvvio>();
    s.cambiaPassword = std::make_unique<TfrmCambiaPassword>();
    s.menuRicevute = std::make_unique<TfrmMenuRicevute>();
    s.ricevuta = std::make_unique<TfrmRicevuta>();
    s.tiratori = std::make_unique<TfrmTiratori>();
    s.menuRiepCosti = std::make_unique<TfrmMenuRiepCosti>();

    TfrmPassword* password = s.password.get();
    TfrmAvvio* avvio = s.avvio.get();
    TfrmCambiaPassword* cambia = s.cambiaPassword.get();
    TfrmMenuRicevute* menuRicevute = s.menuRicevute.get();
    TfrmRicevuta* ricevuta = s.ricevuta.get();
    TfrmTiratori* tiratori = s.tiratori.get();
    TfrmMenuRiepCosti* menuRiepCosti = s.menuRiepCosti.get();

    // Login
    QObject::connect(password, &TfrmPassword::accessoRiuscito, avvio, [avvio] { avvio->show(); });
    QObject::connect(password, &TfrmPassword::cambiaPasswordRichiesto, cambia, [cambia] { cambia->show(); });
    QObject::connect(cambia, &TfrmCambiaPassword::chiuso, password, [password] { password->tornaDaCambioPassword(); });

    // Main menu → member archive, and back
    QObject::connect(avvio, &TfrmAvvio::apriArchivioIscritti, tiratori, [avvio, tiratori] {
        tiratori->show();
        avvio->hide();
    });
    QObject::connect(tiratori, &TfrmTiratori::chiuso, avvio, [avvio] { avvio->show(); });
    // Main menu's notice → the member editor with its list of who must renew. The list opens once
    // the editor is on screen and the click that asked for it is over.
    QObject::connect(avvio, &TfrmAvvio::apriScadenze, tiratori, [avvio, tiratori](bool certificati) {
        tiratori->show();
        avvio->hide();
        QMetaObject::invokeMethod(
            tiratori, [tiratori, certificati] { apriElencoInScadenza(tiratori, certificati); }, Qt::QueuedConnection);
    });
    QObject::connect(tiratori, &TfrmTiratori::apriEsporta, tiratori, [tiratori] { apriEsportaIscritti(tiratori); });
    QObject::connect(tiratori, &TfrmTiratori::apriGuida, tiratori,
                     [tiratori] { mostraGuida(tiratori, HelpTopic::ArchivioIscritti); });

    // Main menu → receipts
    QObject::connect(avvio, &TfrmAvvio::apriStampaRicevute, menuRicevute, [avvio, menuRicevute] {
        menuRicevute->show();
        avvio->hide();
    });
    QObject::connect(
        menuRicevute, &TfrmMenuRicevute::annoAperto, ricevuta,
        [ricevuta](const QString& path, const QString& caption) { ricevuta->apriArchivio(path, caption); });
    QObject::connect(menuRicevute, &TfrmMenuRicevute::mostraEditor, ricevuta, [ricevuta] { ricevuta->show(); });
    QObject::connect(menuRicevute, &TfrmMenuRicevute::mostraMenu, avvio, [avvio] { avvio->show(); });
    QObject::connect(ricevuta, &TfrmRicevuta::chiuso, avvio, [avvio] { avvio->show(); });

    // Main menu → income summary
    QObject::connect(avvio, &TfrmAvvio::apriRiepilogoIncassi, menuRiepCosti, [avvio, menuRiepCosti] {
        menuRiepCosti->show();
        avvio->hide();
    });
    QObject::connect(menuRiepCosti, &TfrmMenuRiepCosti::mostraMenu, avvio, [avvio] { avvio->show(); });
    // The summary list's help button: the help opens over the list, the modal window on top.
    QObject::connect(menuRiepCosti, &TfrmMenuRiepCosti::apriGuida, menuRiepCosti, [menuRiepCosti] {
        QWidget* top = QApplication::activeModalWidget();
        mostraGuida(top ? top : menuRiepCosti, HelpTopic::RiepilogoIncassi);
    });

    // Receipt editor → receipt search, which loads the receipt chosen into the editor
    QObject::connect(ricevuta, &TfrmRicevuta::apriTrova, ricevuta, [ricevuta] {
        TfrmTrovaRic trova(ricevuta, ricevuta->archivio(), [ricevuta](const TSchedaRicevuta& r, qint64 k) {
            if (ricevuta->lasciaScheda())
                ricevuta->mostraScheda(r, k);
        });
        trova.setMode(QStringLiteral("ricevuta"));
        platform().runModal(&trova);
    });
    // Receipt editor → member search, which copies the payer and practitioner into the receipt
    QObject::connect(ricevuta, &TfrmRicevuta::apriImporta, ricevuta, [ricevuta] {
        TfrmTrovaTiratori trova(ricevuta, {}, [ricevuta](const DatiPagatore& dati) {
            TSchedaRicevuta r = ricevuta->scheda();
            dati.applicaA(r);
            ricevuta->mostraPagatore(r);
        });
        trova.setMode(QStringLiteral("ricevuta"));
        platform().runModal(&trova);
    });

    // Receipt editor → export
    QObject::connect(ricevuta, &TfrmRicevuta::apriEsporta, ricevuta, [ricevuta] { apriEsportaRicevute(ricevuta); });

    // Information, credits and help
    QObject::connect(avvio, &TfrmAvvio::apriInfo, avvio, [avvio] { runDialog<TfrmInfo>(avvio); });
    QObject::connect(avvio, &TfrmAvvio::apriCrediti, avvio, [avvio] { runDialog<TfrmSplash>(avvio); });
    QObject::connect(avvio, &TfrmAvvio::apriGuida, avvio, [avvio] { mostraGuida(avvio, HelpTopic::Panoramica); });

    // Copies of the data; after a restore the user logs in again, on the data restored.
    QObject::connect(avvio, &TfrmAvvio::apriCopieSicurezza, avvio, [avvio, password] {
        TfrmBackup copie(avvio);
        bool restored = false;
        QObject::connect(&copie, &TfrmBackup::ripristinoEseguito, &copie, [&restored] { restored = true; });
        platform().runModal(&copie);
        if (restored) {
            avvio->hide();
            password->tornaDaCambioPassword();
        }
    });
    // Leaving the program from the main menu: the day's automatic copy first.
    QObject::connect(avvio, &TfrmAvvio::uscitaRichiesta, avvio, [avvio] { copiaAutomaticaInUscita(avvio); });
    QObject::connect(menuRicevute, &TfrmMenuRicevute::apriGuida, menuRicevute,
                     [menuRicevute] { mostraGuida(menuRicevute, HelpTopic::StampaRicevute); });
    QObject::connect(ricevuta, &TfrmRicevuta::apriGuida, ricevuta,
                     [ricevuta] { mostraGuida(ricevuta, HelpTopic::StampaRicevute); });
}

} // namespace tavorel
