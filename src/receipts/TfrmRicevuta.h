#pragma once

#include <QMap>

#include "shell/RecordEditor.h"
#include "storage/TSchedaRicevuta.h"

class QFrame;
class QLabel;
class QLineEdit;

namespace tavorel {

class InfoBar;
class PictureButton;

// The receipt editor: one receipt at a time, written, numbered, saved into the archive of the
// year opened on the year selection, browsed, duplicated. Long-lived: shown and hidden, never
// re-created; every archive action opens the file, works and closes it again. What it shares with
// the member editor is the record editor's; this is its table, its layout and what only receipts
// have: the amount and its words, the numbering and the payee lines.
class TfrmRicevuta : public RecordEditor<TSchedaRicevuta> {
    Q_OBJECT
public:
    TfrmRicevuta();

    // Set by the year selection before it shows the editor.
    void apriArchivio(const QString& archivePath, const QString& caption);
    // Puts the payer and practitioner of `from` on screen (the member import) and leaves every
    // other field and the record number as they are.
    void mostraPagatore(const TSchedaRicevuta& from);
    // The archive the editor works on: the year file opened on the year selection.
    QString archivio() const;

    void FormShow() override;

signals:
    void apriTrova();
    void apriImporta();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

    bool apriArchivio(RecordFile& file) const override;
    QString nomeArchivio() const override;
    QLineEdit* campoCodiceFiscale() const override;
    QByteArray confronto() const override;
    bool preparaNuova() override;
    bool preparaSalvataggio() override;
    bool controllaSalvataggio() override;
    bool preparaDuplicato() override;
    bool primaDiChiudere() override;

private:
    void buildFields();
    void buildCommands();
    void buildLayout();

    void cmdAnteprimaClick();
    void cmdStampaClick();
    void cmdNumerazioneClick();
    void cmdLogoClick();
    void txtImportoKeyUp();
    void txtCentsKeyUp();
    void txtCentsExit();
    void txtImpLettereClick();

    QString archivio_; // the year's archive, also shown (hidden) by lblFile
    // The payee lines the user changed since the editor was shown (index 0-3: the text as left).
    QMap<int, QString> riceventiModificati_;
    QStringList riceventiLetti_; // the lines the settings held when the editor was shown
    QFrame* bkgLettere;
    QLabel* lblFile;
    QLabel* lblInizio; // the numbering start the last "Nuovo" used
    PictureButton* cmdNumerazione;
    PictureButton* cmdLogo;
    PictureButton* impPagatore;
};

} // namespace tavorel
