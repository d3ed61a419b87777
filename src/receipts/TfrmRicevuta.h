#pragma once

#include "receipts/ReceiptEditorRules.h"

#include "shell/RecordEditor.h"
#include "storage/TSchedaPagamento.h"
#include "storage/TSchedaRicevuta.h"

#include <QMap>

#include <optional>

class QFrame;
class QLabel;
class QLineEdit;

namespace tavorel {

class InfoBar;
class PaymentFields;
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
    // Why and how the receipt on screen was paid (kept beside the archive, see PaymentArchive).
    TSchedaPagamento pagamento() const;

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
    bool controllaInArchivio(RecordFile& file, qint64 k) override;
    bool risolviConflitto() override;
    bool dopoScrittura(qint64 k) override;
    void dopoMostra(const TSchedaRicevuta& record, qint64 k) override;
    bool preparaDuplicato() override;
    bool primaDiChiudere() override;
    bool altreModifiche() const override;

private:
    // The date a new receipt starts with: today in the archive of this year, none in another.
    QString dataProposta() const;
    // The number "Nuovo" and "Duplica" propose, empty when the numbering start is not a number;
    // none when the archive cannot be read. Either failure is told.
    std::optional<QString> numeroProposto();
    // The receipt as it is in the archive, the screen saved first when it differs (the user is
    // asked); none when it is not saved.
    std::optional<TSchedaRicevuta> ricevutaArchiviata();

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
    // The questions before a cash receipt is saved (the children's sport deduction, the cash limit).
    bool avvisiContanti();

    QString archivio_;   // the year's archive, also shown (hidden) by lblFile
    int anno_ = 0;       // the archive's year, 0 when its name does not say
    QString proposto_;   // the number "Nuovo" or "Duplica" proposed, as long as it is not typed over
    QString registrato_; // the number of the receipt on screen as the archive holds it
    // What the last check of the number against the archive found.
    bool numeroIllegibile_ = false;
    NumeriInArchivio numeri_;
    // The payee lines the user changed since the editor was shown (index 0-3: the text as left).
    QMap<int, QString> riceventiModificati_;
    QStringList riceventiLetti_; // the lines the settings held when the editor was shown
    QFrame* bkgLettere;
    QLabel* lblFile;
    QLabel* lblInizio; // the numbering start the last "Nuovo" used
    PictureButton* cmdNumerazione;
    PictureButton* cmdLogo;
    PictureButton* impPagatore;
    PaymentFields* pagamento_;
};

} // namespace tavorel
