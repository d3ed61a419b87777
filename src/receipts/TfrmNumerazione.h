#pragma once

#include "shell/FixedWindow.h"

class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tavorel {

// The numbering start of the receipts: the number "Nuovo" proposes for the first receipt of a
// year. Opened by the receipt editor with the tag "ricevute" (setMode); only with that tag does
// it read and write the setting.
class TfrmNumerazione : public FixedDialog {
    Q_OBJECT
public:
    explicit TfrmNumerazione(QWidget* owner);

    // The caller tag set by the screen that opens this one ("ricevute" for the receipt editor).
    void setMode(const QString& tag);

    void FormShow() override;
    void txtInizioExit();
    void btnApplicaClick();
    void btnAnnullaClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLabel* imgLogo;
    QWidget* icoMano; // a pointing hand
    QGroupBox* grpNumerazione;
    QLineEdit* txtInizio;
    QFrame* effInizio;
    QPushButton* btnAnnulla;
    QPushButton* btnApplica;
    QLabel* lblMemory;
};

} // namespace tavorel
