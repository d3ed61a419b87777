#pragma once

#include "rules/RecordBrowse.h"
#include "shell/FieldTable.h"
#include "shell/Platform.h"
#include "shell/WorkspaceScreen.h"
#include "storage/TSchedaIscritto.h"

#include <QImage>

class QLabel;
class QLineEdit;
class QPushButton;

namespace tavorel {

class AttachmentsPanel;
class InfoBar;
class PhotoPanel;
class PictureButton;

// The member editor: one member at a time, typed in, saved as a new record or over the record it
// came from, browsed, duplicated for a family member. Long-lived: shown and hidden, never
// re-created; every showing starts on an empty new member. lblPosizione holds the record number
// of the member on screen (empty while it is not in the archive yet); every archive action opens
// "Archivio_Iscritti.pro", works and closes it again.
//
// The screen is its field table (the 26 edit fields) plus two panels that keep what is not typed:
// the photo panel (tied to the record number) and the attachments panel (the six hidden values).
// Those two are the only places besides the table where a record meets the screen.
class TfrmTiratori : public WorkspaceScreen {
    Q_OBJECT
public:
    TfrmTiratori();

    // Puts a member on screen as record number k with its photo: browsing here, and the member
    // search and expiry lists when the user picks a member there.
    void ShowMemberRecord(const TSchedaIscritto& record, qint64 k);

    // The member on screen as a record, the way "Salva" stores it (texts as they are now); the
    // member sheet prints it as it stands, saved or not.
    TSchedaIscritto scheda() const;
    // The picture of the photo box: the member's photo or the placeholder.
    QImage foto() const;

    void FormShow() override;

signals:
    // The editor was closed; the main menu takes over.
    void chiuso();
    void apriGuida();
    void apriEsporta();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildCommands();
    void buildLayout();

    void cmdNuovoClick();
    void cmdDuplicaClick();
    void cmdSalvaClick();
    void cmdTrovaClick();
    void cmdFileClick();
    void cmdAnteprimaClick();
    void cmdStampaClick();
    void cmdScadCertClick();
    void cmdScaduteClick();
    void btnCodFiscClick();
    void btnEmailClick();
    void cmdPrimoClick();
    void cmdIndietroClick();
    void cmdAvantiClick();
    void cmdUltimoClick();
    void cmdEsciClick();
    void txtQuotaExit();

    void sfoglia(BrowseCommand command);
    void avvisa(MessageKind kind, const QString& text);
    QLineEdit* campo(QString TSchedaIscritto::*member) const { return campi_.field(member); }

    // The 26 edit fields, mapped onto the record.
    FieldTable<TSchedaIscritto> campi_;
    PhotoPanel* foto_;
    AttachmentsPanel* allegati_;

    QLabel* lblPosizione;
    QPushButton* btnFocus; // takes the focus at a save, so that the field being edited is left first
    InfoBar* panInfo;

    PictureButton* cmdNuovo;
    PictureButton* cmdDuplica;
    PictureButton* cmdSalva;
    PictureButton* cmdTrova;
    PictureButton* cmdFile;
    PictureButton* cmdAnteprima;
    PictureButton* cmdStampa;
    PictureButton* cmdPrimo;
    PictureButton* cmdIndietro;
    PictureButton* cmdAvanti;
    PictureButton* cmdUltimo;
    PictureButton* cmdScadCert;
    PictureButton* cmdScadute;
    PictureButton* cmdEsporta;
    PictureButton* cmdGuida;
    PictureButton* cmdEsci;
    PictureButton* btnCodFisc;
    PictureButton* btnEmail;
};

} // namespace tavorel
