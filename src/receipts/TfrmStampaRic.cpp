#include "receipts/TfrmStampaRic.h"

namespace tavorel {

TfrmStampaRic::TfrmStampaRic(QWidget* owner, TSchedaRicevuta receipt, TSchedaPagamento pagamento)
    : ReceiptPrintDialog(owner, Output::Print, QStringLiteral("frmStampaRic"), QStringLiteral(" Stampa ricevuta"),
                         QStringLiteral("Stampa scheda"),
                         QStringLiteral("La ricevuta corrente verrà stampata con i dati immessi.\n"
                                        "Fare clic su Stampa per avviare la stampa oppure su Annulla per "
                                        "annullare l'operazione."),
                         QStringLiteral("Stampa"), std::move(receipt), std::move(pagamento))
{
}

} // namespace tavorel
