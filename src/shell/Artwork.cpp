#include "shell/Artwork.h"

#include <QPainter>
#include <QSvgRenderer>

namespace tavorel {

QImage renderArtwork(const QString& resource, const QSize& size)
{
    QSvgRenderer renderer(resource);
    if (!renderer.isValid())
        return QImage();
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    painter.end();
    return image;
}

QImage defaultLogo()
{
    return renderArtwork(QStringLiteral(":/assets/logo_default.svg"), QSize(297, 184));
}

} // namespace tavorel
