#pragma once

#include "receipts/ReceiptPrintDialog.h"

namespace tavorel {

// Shows the receipt on screen as it will be printed, both copies; it can be printed from there.
class TfrmAnteprimaRic : public ReceiptPrintDialog {
    Q_OBJECT
public:
    TfrmAnteprimaRic(QWidget* owner, TSchedaRicevuta receipt, TSchedaPagamento pagamento = {});
};

} // namespace tavorel
