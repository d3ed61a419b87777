#pragma once

#include "shell/RecordEditor.h"
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
// re-created; every showing starts on an empty new member. Every archive action opens
// "Archivio_Iscritti.pro", works and closes it again.
//
// What it shares with the receipt editor is the record editor's; this is its field table (the 26
// edit fields), its layout and two panels that keep what is not typed: the photo panel (tied to
// the record number) and the attachments panel (the six hidden values). Those two are the only
// places besides the table where a record meets the screen.
class TfrmTiratori : public RecordEditor<TSchedaIscritto> {
    Q_OBJECT
public:
    TfrmTiratori();

    // The picture of the photo box: the member's photo or the placeholder.
    QImage foto() const;

    void FormShow() override;

protected:
    bool apriArchivio(RecordFile& file) const override;
    QString nomeArchivio() const override;
    QLineEdit* campoCodiceFiscale() const override;
    bool preparaNuova() override;
    bool controllaSalvataggio() override;
    bool dopoScrittura(qint64 k) override;
    bool altreModifiche() const override;
    QByteArray altriFileMostrati() const override;
    QByteArray altriFileOra() const override;
    void confermaAltriFile(const QByteArray& stamp) override;
    bool preparaDuplicato() override;
    void completaScheda(TSchedaIscritto& record) const override;
    void dopoMostra(const TSchedaIscritto& record, qint64 k) override;

private:
    void buildCommands();
    void buildLayout();

    void cmdFileClick();
    void cmdAnteprimaClick();
    void cmdStampaClick();
    void cmdScadCertClick();
    void cmdScaduteClick();
    void cmdTrovaClick();
    void btnEmailClick();
    void btnCalcolaCFClick();
    void txtQuotaExit();
    // Another member with this fiscal code or card number: the user is asked, naming that member.
    // False when the user goes back to the field.
    bool controllaDoppioni();
    // A member picked in a search or a list: shown once the member on screen may be left.
    void mostraScelto(const TSchedaIscritto& member, qint64 k);

    // The fiscal code and card number of the member on screen as the archive holds them (empty
    // for a new member): a save asks about a duplicate only for a value that is new.
    QString codFiscRegistrato_;
    QString tesseraRegistrata_;

    PhotoPanel* foto_;
    AttachmentsPanel* allegati_;

    PictureButton* cmdFile;
    PictureButton* cmdScadCert;
    PictureButton* cmdScadute;
    PictureButton* btnEmail;
    PictureButton* btnCalcolaCF;
};

} // namespace tavorel
