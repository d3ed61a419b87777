#include "receipts/TfrmStampaRic.h"

#include "shell/Platform.h"

namespace tavorel {

TfrmStampaRic::TfrmStampaRic(QWidget* owner, TSchedaRicevuta receipt)
    : ReceiptPrintDialog(owner, QStringLiteral("frmStampaRic"), QStringLiteral(" Stampa ricevuta"),
                         QStringLiteral("Stampa scheda"),
                         QStringLiteral("La ricevuta corrente verrà stampata con i dati immessi.\n"
                                        "Fare clic su Stampa per avviare la stampa oppure su Annulla per "
                                        "annullare l'operazione."),
                         QStringLiteral("Stampa"), std::move(receipt))
{
}

void TfrmStampaRic::output(const Report& report)
{
    platform().print(report, this);
}

} // namespace tavorel
