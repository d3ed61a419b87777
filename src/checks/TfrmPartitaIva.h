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

    // The number the window opens with, whole even when longer than a number.
    void loadText(const QString& text);

    void btnControllaClick();
    void btnChiudiClick();
    void FormShow() override;

private:
    QSvgWidget* imgLogo;
    QLabel* lblTitolo;
    QLineEdit* txtPartitaIva;
    QPushButton* btnControlla;
    QPushButton* btnChiudi;
};

} // namespace tavorel
