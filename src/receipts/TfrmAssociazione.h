#pragma once

#include "shell/FixedWindow.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tavorel {

// "Dati fiscali": the club's status for stamp duty and VAT, its fiscal code and the wordings its
// receipts print, as the club's accountant wants them. Opened from the year screen; read from and
// written to the settings file of the receipts each time.
class TfrmAssociazione : public FixedDialog {
    Q_OBJECT
public:
    explicit TfrmAssociazione(QWidget* owner);

    void FormShow() override;
    void btnSalvaClick();

private:
    QLabel* lblIstruzioni;
    QComboBox* cboRegime;
    QLineEdit* txtCodFiscAss;
    QLineEdit* txtDicituraIva;
    QLineEdit* txtEsenteQuota;
    QLineEdit* txtEsenteCorso;
    QPushButton* btnSalva;
    QPushButton* btnAnnulla;
};

} // namespace tavorel
