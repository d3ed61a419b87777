#include "receipts/TfrmAnteprimaRic.h"

#include "shell/Platform.h"

namespace tavorel {

TfrmAnteprimaRic::TfrmAnteprimaRic(QWidget* owner, TSchedaRicevuta receipt)
    : ReceiptPrintDialog(owner, QStringLiteral("frmAnteprimaRic"), QStringLiteral(" Anteprima di stampa"),
                         QStringLiteral("Anteprima di stampa"),
                         QStringLiteral("I dati della ricevuta corrente verranno visualizzati così come "
                                        "appariranno in stampa.\nFare clic su Mostra anteprima per "
                                        "visualizzare il documento sullo schermo."),
                         QStringLiteral("Mostra anteprima"), std::move(receipt))
{
}

void TfrmAnteprimaRic::output(const Report& report)
{
    platform().preview(report, this);
}

} // namespace tavorel
