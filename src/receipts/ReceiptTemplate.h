#pragma once

#include "printing/Report.h"
#include "receipts/ReceiptArtwork.h"
#include "receipts/ReceiptPrintData.h"

#include <QImage>

namespace tavorel {

// The receipt printout "Ricevuta di Pagamento": two copies of the same receipt on one A4 sheet, the
// payer's above and the association's below, separated by a cut line with scissors.
class ReceiptTemplate {
public:
    // The template with the program's own pictures.
    static Report create();
    static Report create(const ReceiptPictures& pictures);

    // Portrait, the logo in both copies, and the editor's texts (trimmed) into both copies.
    static void fill(Report& report, const ReceiptPrintData& data, const QImage& logo);
};

} // namespace tavorel
