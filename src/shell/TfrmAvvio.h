#pragma once

#include "rules/Expiry.h"
#include "shell/WorkspaceScreen.h"

#include <QDateTime>
#include <QFutureWatcher>
#include <QHash>
#include <QIcon>

class QCloseEvent;
class QFrame;
class QLabel;
class QSvgWidget;

namespace tavorel {

class PictureButton;

// The maker's web site, opened from the main menu's banner and from the credits screen.
inline const QString kSitoWeb = QStringLiteral("http://www.tavorel.it");

// The main menu, shown after a successful login: the three apps, the information, credits and help
// screens, the maker's web site and the way out of the program. It only announces what the user
// picked; Application, which knows every screen, shows the chosen one. Closing it ends the program.
class TfrmAvvio : public WorkspaceScreen {
    Q_OBJECT
public:
    TfrmAvvio();
    ~TfrmAvvio() override;

    // The program icon at the usual window and task-bar sizes, drawn from the same artwork.
    static QIcon programIcon();

    void imgApp01Click();
    void btnApp01Click();
    void imgApp02Click();
    void btnApp02Click();
    void imgApp03Click();
    void btnApp03Click();
    void imgInfoClick();
    void imgCopyrightClick();
    void imgGuidaClick();
    void imgSitoClick();
    void imgEsciClick();
    void btnBackupClick();
    void FormClose();
    void FormShow() override;
    void lblScadenzeClick();

    // Counts again, off the screen's thread, who must renew and tells it under the apps. Done
    // each time the menu is shown (coming back from the member editor, the only one that saves
    // the member archive) and when it becomes the active window again with the archive changed
    // (another workstation saved) or another day begun.
    void aggiornaScadenze();

signals:
    void apriArchivioIscritti();
    void apriStampaRicevute();
    void apriRiepilogoIncassi();
    void apriInfo();
    void apriCrediti();
    void apriGuida();
    // The notice was clicked: the member editor's list of certificates (or, when only cards are
    // due, of cards) with the expiring ones shown too.
    void apriScadenze(bool certificati);
    // The notice was worked out again (tests wait for it).
    void scadenzeAggiornate();
    void apriCopieSicurezza();
    // The user is leaving the program from the menu; whoever listens (the day's automatic copy)
    // runs before the program ends.
    void uscitaRichiesta();

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The two ways out: the listeners of uscitaRichiesta run, then the program ends.
    void esci();
    // Leaving for an app: the menu steps aside, then says which app to show.
    void enterApp(void (TfrmAvvio::*announce)());
    // An app's panel takes the accent colour while the mouse is on its picture or its button.
    void highlightPanel(QFrame* panel, bool on);

    QHash<QObject*, QFrame*> panelOf_;

    // The notice of who must renew, and the count behind it.
    struct Scadenze {
        enum class Esito { Contate, Invariate, Illeggibili };
        Esito esito = Esito::Illeggibili;
        ConteggioScadenze conteggio;
        // What the archive and the day were when counted: an archive that has not changed on the
        // same day need not be read again.
        qint64 size = -1;
        QDateTime modified;
        QDate today;
    };
    static Scadenze contaScadenze(const QString& folder, const QDate& today, const Scadenze& last, bool always);
    void avviaConteggio(bool always);
    void scadenzeContate();

    // Title block
    PictureButton* imgInfo;
    QSvgWidget* icoIcona;
    QLabel* icoTitoloApp;
    PictureButton* imgGuida;
    PictureButton* btnBackup; // the copies of the data, beside the help
    QLabel* imgSottotitolo;

    // The three apps: a picture and a pill button each, both doing the same thing
    PictureButton* imgApp01;
    PictureButton* btnApp01;
    PictureButton* imgApp02;
    PictureButton* btnApp02;
    PictureButton* imgApp03;
    PictureButton* btnApp03;

    // Footer
    PictureButton* imgSito;
    PictureButton* imgCopyright;
    PictureButton* imgEsci;
    QLabel* lblScadenze;
    QFutureWatcher<Scadenze> conteggio_;
    Scadenze scadenze_;
    // Asked again while a count runs: counted once more when it ends.
    bool ancora_ = false;
    bool ancoraSempre_ = false;
};

} // namespace tavorel
