#pragma once

#include "shell/FixedWindow.h"

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QSvgWidget;

namespace tavorel {

// The password change screen, shown in place of the login screen. It rewrites the store's key only
// after the old password has been given and the new one confirmed.
class TfrmCambiaPassword : public FixedWindow {
    Q_OBJECT
public:
    TfrmCambiaPassword();

    void cmdOKClick();
    void cmdEsciClick();
    void FormShow() override;

signals:
    // The screen has closed (Chiudi, a completed change, or the window closed): the login returns.
    void chiuso();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void aggiornaOK();
    void chiudi();

    QSvgWidget* imgLogo;
    QLabel* lblPasswordOld;
    QLabel* lblPasswordNew;
    QLabel* lblConferma;
    QLineEdit* txtPasswordOld;
    QLineEdit* txtPasswordNew;
    QLineEdit* txtConferma;
    QFrame* effPasswordOld;
    QFrame* effPasswordNew;
    QFrame* effConferma;
    QPushButton* cmdEsci;
    QPushButton* cmdOK;
};

} // namespace tavorel
