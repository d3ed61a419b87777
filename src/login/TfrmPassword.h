#pragma once

#include "shell/FixedWindow.h"

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QSvgWidget;

namespace tavorel {

// The login screen: the program's main window. A correct password hides it and hands over to
// the main menu; "Cambia password" hides it and hands over to the password change screen.
class TfrmPassword : public FixedWindow {
    Q_OBJECT
public:
    TfrmPassword();

    void cmdOKClick();
    void cmdEsciClick();
    void btnCambiaPasswordClick();
    void FormShow() override;

    // Back from the password change screen: an empty field, the screen shown, the focus in it.
    void tornaDaCambioPassword();

    // A masked password field as both access screens use it: bold 14 pt, and only what the
    // password store can hold back (at most 255 characters, codes below 256).
    static void preparaCampoPassword(QLineEdit* field);

signals:
    void accessoRiuscito();
    void cambiaPasswordRichiesto();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void aggiornaOK();

    QSvgWidget* imgLogo;
    QLabel* lblRigo05;
    QLineEdit* txtPassword;
    QFrame* effPassword;
    QPushButton* cmdOK;
    QPushButton* cmdEsci;
    QPushButton* btnCambiaPassword;
    QLabel* lblMemory;
};

} // namespace tavorel
