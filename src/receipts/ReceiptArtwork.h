#pragma once

#include "shell/Artwork.h"

#include <QImage>
#include <QSize>
#include <QString>

namespace tavorel {

// The pictures the receipt template carries besides the logo.
struct ReceiptPictures {
    QImage euro;     // 48 x 49, beside the words line and the total
    QImage comma;    // 8 x 13, between the euros and the cents boxes
    QImage scissors; // 276 x 159, at the start of the cut line
};

ReceiptPictures receiptPictures();

} // namespace tavorel
