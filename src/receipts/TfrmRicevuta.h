#pragma once

#include "receipts/ReceiptEditorRules.h"
#include "receipts/ReceiptPrintData.h"
#include "shell/Platform.h"
#include "shell/WorkspaceScreen.h"
#include "storage/TSchedaRicevuta.h"

#include <QHash>

class QFrame;
class QLabel;
class QLineEdit;

namespace tavorel {

class InfoBar;
class PictureButton;

// The receipt editor: one receipt at a time, written, numbered, saved into the archive of the
// year opened on the year selection, browsed, duplicated. Long-lived: shown and hidden, never
// re-created. lblFile holds the archive's path, lblPosizione the record number of the receipt on
// screen (empty while it is not saved yet); every archive action opens the file, works and closes
// it again.
class TfrmRicevuta : public WorkspaceScreen {
    Q_OBJECT
public:
    TfrmRicevuta();

    // Set by the year selection before it shows the editor.
    void apriArchivio(const QString& archivePath, const QString& caption);

    // The receipt on screen as a record, the way "Salva" stores it (fields as they are now).
    TSchedaRicevuta scheda() const;
    // Puts a record on screen as record number k (browsing, the receipt search).
    void mostraScheda(const TSchedaRicevuta& record, qint64 k);
    // The texts the printout takes, as they stand on screen (saved or not).
    ReceiptPrintData datiDiStampa() const;

    // Edit fields, in tab and Enter order.
    QLineEdit* txtRicevente01;
    QLineEdit* txtRicevente02;
    QLineEdit* txtRicevente03;
    QLineEdit* txtRicevente04;
    QLineEdit* txtNumRic;
    QLineEdit* txtData;
    QLineEdit* txtPagatore;
    QLineEdit* txtCodFisc;
    QLineEdit* txtSport;
    QLineEdit* txtDal;
    QLineEdit* txtAl;
    QLineEdit* txtPraticante;
    QLineEdit* txtLuogoNasc;
    QLineEdit* txtDataNasc;
    QLineEdit* txtIndirizzo;
    QLineEdit* txtImporto;
    QLineEdit* txtCents;

    // Computed values and hidden state.
    QFrame* bkgLettere;
    QLabel* txtImpLettere;
    QLabel* txtCentLettere;
    QLabel* txtIntero;
    QLabel* lblPosizione;
    QLabel* lblFile;
    QLabel* lblInizio;

    // Commands.
    PictureButton* cmdNuovo;
    PictureButton* cmdDuplica;
    PictureButton* cmdSalva;
    PictureButton* cmdTrova;
    PictureButton* cmdAnteprima;
    PictureButton* cmdStampa;
    PictureButton* cmdPrimo;
    PictureButton* cmdIndietro;
    PictureButton* cmdAvanti;
    PictureButton* cmdUltimo;
    PictureButton* cmdEsporta;
    PictureButton* cmdNumerazione;
    PictureButton* cmdGuida;
    PictureButton* cmdEsci;
    PictureButton* cmdLogo;
    PictureButton* impPagatore;
    PictureButton* btnCodFisc;

    InfoBar* panInfo;

    // Handlers.
    void FormShow() override;
    void cmdNuovoClick();
    void cmdDuplicaClick();
    void cmdSalvaClick();
    void cmdAnteprimaClick();
    void cmdStampaClick();
    void cmdPrimoClick();
    void cmdIndietroClick();
    void cmdAvantiClick();
    void cmdUltimoClick();
    void cmdNumerazioneClick();
    void cmdLogoClick();
    void cmdEsciClick();
    void btnCodFiscClick();
    void txtImportoKeyUp();
    void txtCentsKeyUp();
    void txtCentsExit();
    void txtImpLettereClick();

signals:
    // The editor was closed; the main menu takes over.
    void chiuso();
    void apriGuida();
    void apriTrova();
    void apriEsporta();
    void apriImporta();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildFields();
    void buildCommands();
    void buildLayout();
    QLabel* titoloDi(QLineEdit* field) const { return titoli_.value(field); }
    void sfoglia(BrowseCommand command, MessageKind failureKind);
    void apriCalendario(const QString& tag);
    void accessoNegato(MessageKind kind);
    void avvisa(MessageKind kind, const QString& text);

    QHash<QLineEdit*, QLabel*> titoli_;
    // The payee lines could not be written to the settings when the editor was last closed: the
    // next showing keeps them on the screen instead of reading the old ones, and closing tries again.
    bool riceventiDaSalvare_ = false;
};

} // namespace tavorel
