#pragma once

#include "shell/FixedWindow.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QSvgWidget;

namespace tavorel {

// The fiscal code check window: tells whether the code's check character is right. It changes
// nothing in the screen that opened it.
class TfrmCodFisc : public FixedDialog {
    Q_OBJECT
public:
    explicit TfrmCodFisc(QWidget* owner);

    // The code the window opens with, whole even when longer than a code.
    void loadText(const QString& text);

    void btnControllaClick();
    void btnChiudiClick();
    void FormShow() override;

    // What the editors' check button does with the text of their fiscal code field: a number made
    // of digits only goes to the VAT number check, anything else (or nothing) to this window.
    // Each check is a fresh window, run modally and deleted after.
    static void apriControllo(QWidget* owner, const QString& codFiscText);

private:
    QSvgWidget* imgLogo;
    QLabel* lblTitolo;
    QLineEdit* txtCodFisc;
    QPushButton* btnControlla;
    QPushButton* btnChiudi;
};

} // namespace tavorel
