#include "receipts/TfrmAnteprimaRic.h"

namespace tavorel {

TfrmAnteprimaRic::TfrmAnteprimaRic(QWidget* owner, TSchedaRicevuta receipt, TSchedaPagamento pagamento)
    : ReceiptPrintDialog(owner, Output::Preview, QStringLiteral("frmAnteprimaRic"),
                         QStringLiteral(" Anteprima di stampa"), QStringLiteral("Anteprima di stampa"),
                         QStringLiteral("I dati della ricevuta corrente verranno visualizzati così come "
                                        "appariranno in stampa.\nFare clic su Mostra anteprima per "
                                        "visualizzare il documento sullo schermo."),
                         QStringLiteral("Mostra anteprima"), std::move(receipt), std::move(pagamento))
{
}

} // namespace tavorel
