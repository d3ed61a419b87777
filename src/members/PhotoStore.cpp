#include "members/PhotoStore.h"

#include "shell/Artwork.h"
#include "storage/SafeFile.h"

#include <QDir>
#include <QImageReader>
#include <QImageWriter>
#include <QPainter>

#include <cmath>

namespace tavorel {

QString photoFolder(const QString& programFolder)
{
    return QDir(programFolder).filePath(kPhotoFolderName);
}

QString photoPath(const QString& programFolder, int recordNo)
{
    return QDir(photoFolder(programFolder)).filePath(QStringLiteral("Scheda_Iscritto_%1.jpg").arg(recordNo));
}

QImage readPicture(const QString& path)
{
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    reader.setAutoTransform(true);
    return reader.read();
}

bool writeJpeg(const QString& path, const QImage& picture)
{
    if (picture.isNull())
        return false;
    // JPEG has no transparency: transparent parts become white, as they look on screen.
    QImage opaque = picture;
    if (picture.hasAlphaChannel()) {
        opaque = QImage(picture.size(), QImage::Format_RGB32);
        opaque.fill(Qt::white);
        QPainter p(&opaque);
        p.drawImage(0, 0, picture);
    }
    return replaceFileContents(path, [&](QIODevice& out) {
        QImageWriter writer(&out, "jpg");
        return writer.write(opaque);
    });
}

QImage loadMemberPhoto(const QString& programFolder, int recordNo)
{
    QDir().mkpath(photoFolder(programFolder));
    if (recordNo <= 0)
        return QImage();
    return readPicture(photoPath(programFolder, recordNo));
}

bool saveMemberPhoto(const QString& programFolder, int recordNo, const QImage& picture)
{
    if (recordNo <= 0 || !QDir().mkpath(photoFolder(programFolder)))
        return false;
    return writeJpeg(photoPath(programFolder, recordNo), picture);
}

QRect displayRect(const QSize& picture, const QSize& area)
{
    if (picture.isEmpty() || area.isEmpty())
        return QRect();
    double w = picture.width();
    double h = picture.height();
    if (w > area.width() || h > area.height()) {
        const double ratio = std::max(w / area.width(), h / area.height());
        w /= ratio;
        h /= ratio;
    }
    const double left = (area.width() - w) / 2.0;
    const double top = (area.height() - h) / 2.0;
    const int l = int(std::lround(left));
    const int t = int(std::lround(top));
    return QRect(QPoint(l, t), QPoint(int(std::lround(left + w)) - 1, int(std::lround(top + h)) - 1));
}

QImage placeholderPhoto()
{
    return renderArtwork(QStringLiteral(":/assets/foto_sagoma.svg"), QSize(307, 394));
}

} // namespace tavorel
