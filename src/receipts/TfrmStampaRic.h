#pragma once

#include "receipts/ReceiptPrintDialog.h"

namespace tavorel {

// Prints the receipt, both copies on one A4 sheet, through the print dialog.
class TfrmStampaRic : public ReceiptPrintDialog {
    Q_OBJECT
public:
    TfrmStampaRic(QWidget* owner, TSchedaRicevuta receipt, TSchedaPagamento pagamento = {});
};

} // namespace tavorel
