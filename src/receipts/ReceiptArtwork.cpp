#include "receipts/ReceiptArtwork.h"

namespace tavorel {

ReceiptPictures receiptPictures()
{
    return ReceiptPictures{
        renderArtwork(QStringLiteral(":/assets/euro.svg"), QSize(48, 49)),
        renderArtwork(QStringLiteral(":/assets/virgola.svg"), QSize(8, 13)),
        renderArtwork(QStringLiteral(":/assets/forbici.svg"), QSize(276, 159)),
    };
}

} // namespace tavorel
