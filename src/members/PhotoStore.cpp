#include "members/PhotoStore.h"

#include "members/SourceFile.h"
#include "shell/Artwork.h"
#include "storage/LinkGuard.h"
#include "storage/SafeFile.h"

#include <QBuffer>
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

QImage decodePicture(const QByteArray& bytes, int maxSide, QByteArray* format)
{
    if (format)
        format->clear();
    QByteArray data = bytes; // shared, not copied
    QBuffer buffer(&data);
    if (!buffer.open(QIODevice::ReadOnly))
        return QImage();
    QImageReader reader(&buffer);
    reader.setDecideFormatFromContent(true);
    reader.setAutoTransform(true);
    reader.setAllocationLimit(kPictureAllocationMb);
    if (format)
        *format = reader.format();
    // The size from the header: a large picture is reduced by the decoder itself (a JPEG decodes
    // straight at a fraction of its size), so that its full size is never held.
    const QSize size = reader.size();
    if (maxSide > 0 && size.isValid() && (size.width() > maxSide || size.height() > maxSide))
        reader.setScaledSize(size.scaled(maxSide, maxSide, Qt::KeepAspectRatio).expandedTo(QSize(1, 1)));
    return reader.read();
}

QImage readPicture(const QString& path)
{
    const RegularFileRead file = readRegularFile(path, kPictureMaxFileSize);
    if (file.outcome != RegularFileRead::Outcome::Read)
        return QImage();
    return decodePicture(file.bytes);
}

QByteArray encodeJpeg(const QImage& picture)
{
    if (picture.isNull())
        return QByteArray();
    // JPEG has no transparency: transparent parts become white, as they look on screen.
    QImage opaque = picture;
    if (picture.hasAlphaChannel()) {
        opaque = QImage(picture.size(), QImage::Format_RGB32);
        opaque.fill(Qt::white);
        QPainter p(&opaque);
        p.drawImage(0, 0, picture);
    }
    QByteArray jpeg;
    QBuffer out(&jpeg);
    out.open(QIODevice::WriteOnly);
    QImageWriter writer(&out, "jpg");
    if (!writer.write(opaque))
        return QByteArray();
    return jpeg;
}

bool writeJpeg(const QString& path, const QImage& picture)
{
    const QByteArray jpeg = encodeJpeg(picture);
    return !jpeg.isEmpty() && replaceFileContents(path, jpeg);
}

ChosenPicture choosePicture(const QString& path)
{
    ChosenPicture chosen;
    const RegularFileRead file = readRegularFile(path, kPictureMaxFileSize);
    if (file.outcome != RegularFileRead::Outcome::Read)
        return chosen;
    QByteArray format;
    chosen.picture = decodePicture(file.bytes, kPictureMaxSide, &format);
    if (chosen.picture.isNull())
        return chosen;
    if (format == "jpeg" || format == "jpg") {
        // Stored as chosen: no second compression.
        chosen.jpeg = file.bytes;
    } else {
        // Encoded once, at the picture's own size when it can be held whole.
        const QImage whole = decodePicture(file.bytes, 0);
        chosen.jpeg = encodeJpeg(whole.isNull() ? chosen.picture : whole);
        if (chosen.jpeg.isEmpty())
            chosen.picture = QImage();
    }
    return chosen;
}

StoredPhoto readMemberPhoto(const QString& programFolder, int recordNo)
{
    StoredPhoto photo;
    photo.stamp = QByteArrayLiteral("-");
    QDir().mkpath(photoFolder(programFolder));
    if (recordNo <= 0)
        return photo;
    const QString path = photoPath(programFolder, recordNo);
    const RegularFileRead file = readRegularFile(path, kPictureMaxFileSize);
    switch (file.outcome) {
    case RegularFileRead::Outcome::Missing:
        return photo;
    case RegularFileRead::Outcome::Read:
        photo.exists = true;
        photo.bytes = file.bytes;
        photo.stamp = file.stamp;
        photo.picture = decodePicture(file.bytes);
        return photo;
    default:
        // Something is there that cannot be read now: it is kept, never written over unasked.
        photo.exists = true;
        photo.stamp = fileStamp(path);
        return photo;
    }
}

QImage loadMemberPhoto(const QString& programFolder, int recordNo)
{
    return readMemberPhoto(programFolder, recordNo).picture;
}

QByteArray memberPhotoStamp(const QString& programFolder, int recordNo)
{
    return fileStamp(photoPath(programFolder, recordNo));
}

bool writeMemberPhoto(const QString& programFolder, int recordNo, const QByteArray& jpeg)
{
    if (recordNo <= 0 || jpeg.isEmpty())
        return false;
    const QString path = photoPath(programFolder, recordNo);
    if (passesThroughLink(programFolder, path) || !QDir().mkpath(photoFolder(programFolder)) ||
        passesThroughLink(programFolder, path))
        return false;
    return replaceFileContents(path, jpeg);
}

bool saveMemberPhoto(const QString& programFolder, int recordNo, const QImage& picture)
{
    return writeMemberPhoto(programFolder, recordNo, encodeJpeg(picture));
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
