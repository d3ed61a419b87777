#pragma once

#include "shell/ReportDialog.h"
#include "storage/TSchedaPagamento.h"
#include "storage/TSchedaRicevuta.h"

#include <QImage>

class QLabel;

namespace tavorel {

// What the receipt's preview dialog and print dialog share: the logo loaded when the dialog is
// shown, and the filling of the receipt template from the editor's texts, how the receipt was paid
// and the club's fiscal data as the settings hold them when it is printed. The two dialogs differ
// only in what they do with the filled receipt.
class ReceiptPrintDialog : public ReportDialog {
    Q_OBJECT
public:
    void FormShow() override;

    // The logo the receipt will carry.
    QImage logo() const { return logo_; }

protected:
    ReceiptPrintDialog(QWidget* owner, Output output, const QString& name, const QString& caption, const QString& title,
                       const QString& explanation, const QString& actionText, TSchedaRicevuta receipt,
                       TSchedaPagamento pagamento);
    Report makeReport() override;

private:
    TSchedaRicevuta receipt_;
    TSchedaPagamento pagamento_;
    QImage logo_;

    QLabel* imgLogo; // hidden: the logo loaded when the dialog is shown
    QLabel* imgTemp; // hidden: the default logo
};

} // namespace tavorel
