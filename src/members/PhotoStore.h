#pragma once

#include <QImage>
#include <QRect>
#include <QSize>
#include <QString>

namespace tavorel {

// Member photos live beside the archive, one JPEG per record number: the photo is tied to the
// number only, nothing in the record refers to it.
inline const QString kPhotoFolderName = QStringLiteral("Anagrafica");

// programFolder/Anagrafica
QString photoFolder(const QString& programFolder);
// programFolder/Anagrafica/Scheda_Iscritto_<k>.jpg
QString photoPath(const QString& programFolder, int recordNo);

// The picture in a file, whatever its extension says; a null image when the file is missing,
// unreadable or not a picture.
QImage readPicture(const QString& path);
// Writes the picture as JPEG at its own pixel size, replacing the file only once the new one is
// complete; false when it could not be written (the old file, if any, is left as it was).
bool writeJpeg(const QString& path, const QImage& picture);

// The photo of record k (making the photo folder first); a null image when there is none.
QImage loadMemberPhoto(const QString& programFolder, int recordNo);
// Writes the photo of record k (making the photo folder first).
bool saveMemberPhoto(const QString& programFolder, int recordNo, const QImage& picture);

// Where a picture is drawn in an area: reduced by the larger of the two ratios when it is wider or
// taller than the area, at its own size otherwise (never enlarged), centred, edges on whole pixels.
QRect displayRect(const QSize& picture, const QSize& area);

// The stand-in for a missing photo: a head-and-shoulders silhouette, 307 x 394.
QImage placeholderPhoto();

} // namespace tavorel
