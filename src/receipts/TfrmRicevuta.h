#pragma once

#include "receipts/ReceiptEditorRules.h"
#include "shell/FieldTable.h"
#include "shell/Platform.h"
#include "shell/WorkspaceScreen.h"
#include "storage/TSchedaRicevuta.h"

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
// it again. Its controls are its own: other screens go through its record, tests through the
// controls' object names.
class TfrmRicevuta : public WorkspaceScreen {
    Q_OBJECT
public:
    TfrmRicevuta();

    // Set by the year selection before it shows the editor.
    void apriArchivio(const QString& archivePath, const QString& caption);

    // The receipt on screen as a record, the way "Salva" stores it (fields as they are now). The
    // printout takes it as it stands, saved or not.
    TSchedaRicevuta scheda() const;
    // Puts a record on screen as record number k (browsing, the receipt search).
    void mostraScheda(const TSchedaRicevuta& record, qint64 k);
    // Puts the payer and practitioner of `from` on screen (the member import) and leaves every
    // other field and the record number as they are.
    void mostraPagatore(const TSchedaRicevuta& from);
    // The archive the editor works on: the year file opened on the year selection.
    QString archivio() const;

    void FormShow() override;

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
    void cmdEsciClick();
    void cmdLogoClick();
    void btnCodFiscClick();
    void txtImportoKeyUp();
    void txtCentsKeyUp();
    void txtCentsExit();
    void txtImpLettereClick();

    void sfoglia(BrowseCommand command, MessageKind failureKind);
    void accessoNegato(MessageKind kind);
    void avvisa(MessageKind kind, const QString& text);
    QLineEdit* campo(QString TSchedaRicevuta::*member) const { return campi_.field(member); }
    QLabel* etichetta(QString TSchedaRicevuta::*member) const { return campi_.label(member); }

    // The 17 edit fields and the three labels of computed values, mapped onto the record.
    FieldTable<TSchedaRicevuta> campi_;

    QFrame* bkgLettere;
    QLabel* lblPosizione;
    QLabel* lblFile;
    QLabel* lblInizio;
    InfoBar* panInfo;

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
    // The payee lines could not be written to the settings when the editor was last closed: the
    // next showing keeps them on the screen instead of reading the old ones, and closing tries again.
    bool riceventiDaSalvare_ = false;
};

} // namespace tavorel
