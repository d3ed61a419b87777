#pragma once

#include <QByteArray>
#include <QImage>
#include <QRect>
#include <QSize>
#include <QString>

namespace tavorel {

// Member photos live beside the archive, one JPEG per record number: the photo is tied to the
// number only, nothing in the record refers to it.
inline const QString kPhotoFolderName = QStringLiteral("Anagrafica");

// Pictures are decoded with room for camera photos (a 100-megapixel bitmap fits) and held at most
// this many pixels on their longer side: larger ones are reduced while they are read, which is what
// lets a very large JPEG be shown at all. The files themselves are never reduced.
constexpr int kPictureAllocationMb = 1024;
constexpr int kPictureMaxSide = 2560;
// A file larger than this is not taken as a picture.
constexpr qint64 kPictureMaxFileSize = 256LL * 1024 * 1024;

// programFolder/Anagrafica
QString photoFolder(const QString& programFolder);
// programFolder/Anagrafica/Scheda_Iscritto_<k>.jpg
QString photoPath(const QString& programFolder, int recordNo);

// The picture in these bytes, whatever a file name says of them; a null image when they are not a
// picture this program can decode. `maxSide` > 0 reduces a larger picture while it is decoded.
// `format` gets what the content is ("jpeg", "bmp"...).
QImage decodePicture(const QByteArray& bytes, int maxSide = kPictureMaxSide, QByteArray* format = nullptr);
// The picture in a file (a regular file only); a null image when the file is missing, unreadable
// or not a picture.
QImage readPicture(const QString& path);
// The picture as JPEG bytes at its own pixel size (transparent parts white); empty on failure.
QByteArray encodeJpeg(const QImage& picture);
// Writes the picture as JPEG at its own pixel size, replacing the file only once the new one is
// complete; false when it could not be written (the old file, if any, is left as it was).
bool writeJpeg(const QString& path, const QImage& picture);

// A picture chosen for the photo box, as the photo file will hold it: the chosen file's own bytes
// when it is a JPEG, otherwise encoded once as JPEG.
struct ChosenPicture {
    QImage picture; // null when the file is not a picture that can be shown
    QByteArray jpeg;
};
ChosenPicture choosePicture(const QString& path);

// The photo file of a member as it was read.
struct StoredPhoto {
    bool exists = false; // some file is there (it may still not be a picture)
    QByteArray bytes;    // its content, kept so that it can be written back as it was
    QImage picture;      // null when it cannot be shown
    QByteArray stamp;    // the file's size and time (fileStamp), "-" when there is none
};

// The photo of record k (making the photo folder first).
StoredPhoto readMemberPhoto(const QString& programFolder, int recordNo);
// The photo of record k as a picture; null when there is none or it cannot be shown.
QImage loadMemberPhoto(const QString& programFolder, int recordNo);
// The stamp of record k's photo file now.
QByteArray memberPhotoStamp(const QString& programFolder, int recordNo);
// Writes these JPEG bytes as the photo of record k (making the photo folder first). Never through
// a link: a photo folder or photo file that is a link is refused.
bool writeMemberPhoto(const QString& programFolder, int recordNo, const QByteArray& jpeg);
// The same for a picture, encoded as JPEG.
bool saveMemberPhoto(const QString& programFolder, int recordNo, const QImage& picture);

// Where a picture is drawn in an area: reduced by the larger of the two ratios when it is wider or
// taller than the area, at its own size otherwise (never enlarged), centred, edges on whole pixels.
QRect displayRect(const QSize& picture, const QSize& area);

// The stand-in for a missing photo: a head-and-shoulders silhouette, 307 x 394.
QImage placeholderPhoto();

} // namespace tavorel
