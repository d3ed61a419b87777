#pragma once

#include "shell/FixedWindow.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QSvgWidget;

namespace tavorel {

// The VAT number check window: tests the check digit and, for a valid number, names the VAT
// office that issued it.
class TfrmPartitaIva : public FixedDialog {
    Q_OBJECT
public:
    explicit TfrmPartitaIva(QWidget* owner);

    QSvgWidget* imgLogo;
    QLabel* lblTitolo;
    QLineEdit* txtPartitaIva;
    QPushButton* btnControlla;
    QPushButton* btnChiudi;

    void btnControllaClick();
    void btnChiudiClick();
    void FormShow() override;

protected:
};

} // namespace tavorel
