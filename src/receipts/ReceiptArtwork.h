#pragma once

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

// Renders one of the program's SVG pictures into an opaque image of that size on a white ground;
// a null image when the picture cannot be read.
QImage renderArtwork(const QString& resource, const QSize& size);

// The built-in logo used when "Logo.bmp" is missing or unreadable: a blue euro sign on white,
// 297 x 184.
QImage defaultLogo();

ReceiptPictures receiptPictures();

} // namespace tavorel
