#pragma once

#include "printing/Report.h"
#include "receipts/ReceiptArtwork.h"
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
};

} // namespace tavorel
