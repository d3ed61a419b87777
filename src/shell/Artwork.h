#pragma once

#include <QImage>
#include <QSize>
#include <QString>

namespace tavorel {

// Renders one of the program's SVG pictures into an opaque image of that size on a white ground;
// a null image when the picture cannot be read.
QImage renderArtwork(const QString& resource, const QSize& size);

// The stand-by picture: a large blue euro sign on white, 297 x 184. The receipt prints it when
// "Logo.bmp" is missing or unreadable; the member sheet when the photo cannot be taken.
QImage defaultLogo();

} // namespace tavorel
