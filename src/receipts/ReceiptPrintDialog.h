#pragma once

#include "shell/FixedWindow.h"
#include "storage/TSchedaRicevuta.h"

#include <QImage>

class QLabel;
class QPushButton;

namespace tavorel {

// What the receipt's preview dialog and print dialog share: the explanation, the logo loaded when
// the dialog is shown, and the filling of the receipt template from the editor's texts. The two
// dialogs differ only in what they do with the filled receipt.
class ReceiptPrintDialog : public FixedDialog {
    Q_OBJECT
public:
    QLabel* imgLogo01;
    QPushButton* btnAnnulla;
    QPushButton* btnStampa;
    QLabel* imgLogo; // hidden: the logo loaded when the dialog is shown
    QLabel* imgTemp; // hidden: the default logo

    void FormShow() override;
    void btnStampaClick();
    void btnAnnullaClick();

    // The logo the receipt will carry.
    QImage logo() const { return logo_; }

protected:
    ReceiptPrintDialog(QWidget* owner, const QString& name, const QString& caption, const QString& title,
                       const QString& explanation, const QString& actionText, TSchedaRicevuta receipt);
    // Hands the filled receipt to the renderer; throws ReportError on failure.
    virtual void output(const class Report& report) = 0;

private:
    TSchedaRicevuta receipt_;
    QImage logo_;
};

} // namespace tavorel
