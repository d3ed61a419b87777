#pragma once

#include "printing/Report.h"
#include "receipts/ReceiptArtwork.h"
#include "rules/ReceiptFiscal.h"
#include "storage/TSchedaPagamento.h"
#include "storage/TSchedaRicevuta.h"

#include <QImage>

namespace tavorel {

// The receipt printout "Ricevuta di Pagamento": two copies of the same receipt on one A4 sheet, the
// payer's above and the association's below, separated by a cut line with scissors.
class ReceiptTemplate {
public:
    // The template with the program's own pictures.
    static Report create();
    static Report create(const ReceiptPictures& pictures);

    // Portrait, the logo in both copies, and the receipt's texts (trimmed) into both copies. The
    // receipt is the editor's record as it stands on screen, saved or not: the words of the amount
    // are those it shows, not computed again.
    static void fill(Report& report, const TSchedaRicevuta& receipt, const QImage& logo);
    // The same with how the receipt was paid and the club's fiscal data: the payment line and the
    // VAT wording under the amount, and the stamp box by the club's status. With the status not set
    // and the payment blank, the receipt prints as fill() above prints it.
    static void fill(Report& report, const TSchedaRicevuta& receipt, const QImage& logo,
                     const TSchedaPagamento& pagamento, const DatiFiscali& dati);
};

} // namespace tavorel
