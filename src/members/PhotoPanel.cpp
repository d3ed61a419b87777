#include "members/PhotoPanel.h"

#include "members/PhotoStore.h"
#include "members/PhotoView.h"
#include "members/TfrmWebCam.h"
#include "members/TfrmZoom.h"
#include "shell/InfoBar.h"
#include "shell/PictureButton.h"
#include "shell/Platform.h"
#include "storage/LinkGuard.h"
#include "storage/Messages.h"
#include "storage/SafeFile.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QVBoxLayout>

#include <memory>

namespace tavorel {

namespace {

const QColor kPhotoFrame{0xE0, 0xE9, 0xF1};

// The export dialog of the photo box and of the webcam window: the chosen file as JPEG, ".jpg"
// added to a name typed without an extension. Empty when the user cancels.
QString chooseJpegFile(QWidget* parent)
{
    QString path = platform().chooseSaveFile(
        parent, QStringLiteral("Selezionare la cartella in cui si desidera salvare il file Jpeg."),
        QStringLiteral("File Jpeg (*.jpg)"), QStringLiteral("Foto.jpg"));
    if (!path.isEmpty() && QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".jpg");
    return path;
}

} // namespace

bool exportPicture(QWidget* parent, const QImage& picture, const QByteArray& bytes)
{
    const QString path = chooseJpegFile(parent);
    if (path.isEmpty())
        return true;
    if (!passesThroughLink(platform().programFolder(), path) &&
        (bytes.isEmpty() ? writeJpeg(path, picture) : replaceFileContents(path, bytes)))
        return true;
    platform().message(parent, MessageKind::Warning, kMsgFotoNonEsportata);
    return false;
}

PhotoPanel::PhotoPanel(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("panFoto"));
    frame_ = new QWidget(this);
    frame_->setObjectName(QStringLiteral("shpFoto"));
    frame_->setAttribute(Qt::WA_StyledBackground);
    frame_->setStyleSheet(
        QStringLiteral("QWidget#shpFoto { background: %1; border-radius: 6px; }").arg(kPhotoFrame.name()));

    imgFoto = new PhotoView(QStringLiteral("imgFoto"), kBoxSize, frame_);
    imgFoto->setBackground(Qt::white);
    imgBianco = new QLabel(this);
    imgBianco->setObjectName(QStringLiteral("imgBianco"));
    placeholder_ = placeholderPhoto();
    imgBianco->setPixmap(QPixmap::fromImage(placeholder_));
    imgBianco->hide();

    // The notice lies across the lower part of the box, over the silhouette's shoulders.
    lblFotoNonVisualizzabile = new QLabel(kMsgFotoNonVisualizzabile, imgFoto);
    lblFotoNonVisualizzabile->setObjectName(QStringLiteral("lblFotoNonVisualizzabile"));
    lblFotoNonVisualizzabile->setWordWrap(true);
    lblFotoNonVisualizzabile->setAlignment(Qt::AlignCenter);
    lblFotoNonVisualizzabile->setStyleSheet(QStringLiteral(
        "QLabel { background: rgba(255, 255, 255, 225); color: #8B0000; font-weight: bold; padding: 8px; }"));
    lblFotoNonVisualizzabile->setGeometry(0, kBoxSize.height() - 110, kBoxSize.width(), 80);
    lblFotoNonVisualizzabile->hide();

    btnCaricaFoto =
        new PictureButton(QStringLiteral("btnCaricaFoto"), QStringLiteral(":/assets/foto_carica.svg"), frame_);
    btnWebcam = new PictureButton(QStringLiteral("btnWebcam"), QStringLiteral(":/assets/foto_webcam.svg"), frame_);
    btnSalvaFoto = new PictureButton(QStringLiteral("btnSalvaFoto"), QStringLiteral(":/assets/salva.svg"), frame_);
    btnCancFoto =
        new PictureButton(QStringLiteral("btnCancFoto"), QStringLiteral(":/assets/foto_cancella.svg"), frame_);
    btnZoomFoto = new PictureButton(QStringLiteral("btnZoomFoto"), QStringLiteral(":/assets/foto_zoom.svg"), frame_);
    btnCaricaFoto->setFixedSize(112, 40);
    for (PictureButton* b : {btnWebcam, btnSalvaFoto, btnCancFoto, btnZoomFoto})
        b->setFixedSize(40, 40);

    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(8);
    buttons->addWidget(btnCaricaFoto);
    buttons->addStretch();
    for (PictureButton* b : {btnWebcam, btnSalvaFoto, btnCancFoto, btnZoomFoto})
        buttons->addWidget(b);
    auto* inner = new QVBoxLayout(frame_);
    inner->setContentsMargins(8, 8, 8, 8);
    inner->setSpacing(8);
    inner->addWidget(imgFoto);
    inner->addLayout(buttons);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(frame_);

    connect(btnCaricaFoto, &PictureButton::clicked, this, &PhotoPanel::btnCaricaFotoClick);
    connect(btnWebcam, &PictureButton::clicked, this, &PhotoPanel::btnWebcamClick);
    connect(btnSalvaFoto, &PictureButton::clicked, this, &PhotoPanel::btnSalvaFotoClick);
    connect(btnCancFoto, &PictureButton::clicked, this, &PhotoPanel::btnCancFotoClick);
    connect(btnZoomFoto, &PictureButton::clicked, this, &PhotoPanel::btnZoomFotoClick);

    clear();
}

QImage PhotoPanel::picture() const
{
    return imgFoto->picture();
}

void PhotoPanel::display(const QImage& picture, bool notice)
{
    imgFoto->setPicture(picture.isNull() ? placeholder_ : picture);
    lblFotoNonVisualizzabile->setVisible(notice);
}

void PhotoPanel::replace(const QImage& picture, const QByteArray& jpeg)
{
    display(picture, false);
    changed_ = true;
    newJpeg_ = jpeg;
}

void PhotoPanel::setPicture(const QImage& picture)
{
    const QImage shown = picture.isNull() ? placeholder_ : picture;
    replace(shown, encodeJpeg(shown));
}

void PhotoPanel::clear()
{
    display(QImage(), false);
    origin_ = Origin::None;
    recordNo_ = 0;
    storedBytes_.clear();
    storedIsJpeg_ = false;
    shownStamp_.clear();
    confirmedStamp_.clear();
    changed_ = false;
    newJpeg_.clear();
}

bool PhotoPanel::showsPlaceholder() const
{
    return picture() == placeholder_;
}

bool PhotoPanel::showsNotice() const
{
    return !lblFotoNonVisualizzabile->isHidden();
}

void PhotoPanel::load(int recordNo)
{
    clear();
    const StoredPhoto photo = readMemberPhoto(platform().programFolder(), recordNo);
    recordNo_ = recordNo > 0 ? recordNo : 0;
    shownStamp_ = photo.stamp;
    if (!photo.exists)
        return;
    storedBytes_ = photo.bytes;
    storedIsJpeg_ = !photo.picture.isNull() && photo.bytes.startsWith("\xFF\xD8");
    origin_ = photo.picture.isNull() ? Origin::Unshowable : Origin::Stored;
    display(photo.picture, origin_ == Origin::Unshowable);
}

QByteArray PhotoPanel::stampNow() const
{
    return recordNo_ > 0 ? memberPhotoStamp(platform().programFolder(), recordNo_) : QByteArray();
}

bool PhotoPanel::save(int recordNo)
{
    const QString folder = platform().programFolder();
    // Whether the file is as this screen last knew it, or as the user chose to overwrite it.
    const bool sameRecord = recordNo == recordNo_;
    const QByteArray now = memberPhotoStamp(folder, recordNo);
    const bool overwriteConfirmed = sameRecord && !confirmedStamp_.isEmpty() && now == confirmedStamp_;
    const bool asShown = !sameRecord || now == shownStamp_;

    QByteArray jpeg;
    if (changed_) {
        jpeg = newJpeg_;
    } else if (origin_ == Origin::None) {
        // A member without a photo file gets the silhouette as his file; a file that appeared
        // meanwhile (another workstation) is left alone unless the user chose to overwrite it.
        if (asShown || overwriteConfirmed)
            jpeg = encodeJpeg(placeholder_);
    } else if (!sameRecord) {
        // The record was saved under another number (it was no longer in the archive): its photo
        // goes with it, as it was read.
        jpeg = storedBytes_;
    } else if (overwriteConfirmed && now != shownStamp_ && !storedBytes_.isEmpty()) {
        // Another workstation's photo, which the user chose to overwrite: the file shown here is
        // put back exactly as it was read.
        jpeg = storedBytes_;
    }
    confirmedStamp_.clear();
    if (jpeg.isEmpty()) {
        if (!sameRecord) {
            recordNo_ = recordNo;
            shownStamp_ = now;
        }
        return true;
    }
    if (!writeMemberPhoto(folder, recordNo, jpeg)) {
        platform().message(window(), MessageKind::Warning, kMsgFotoNonSalvata);
        return false;
    }
    recordNo_ = recordNo;
    shownStamp_ = memberPhotoStamp(folder, recordNo);
    storedBytes_ = jpeg;
    storedIsJpeg_ = true;
    origin_ = Origin::Stored;
    changed_ = false;
    newJpeg_.clear();
    lblFotoNonVisualizzabile->hide();
    return true;
}

void PhotoPanel::attachInfoBar(InfoBar* bar)
{
    bar->addHint(btnCaricaFoto, QStringLiteral("Carica una foto esistente."));
    bar->addHint(btnWebcam, QStringLiteral("Cattura la foto con una webcam."));
    bar->addHint(btnSalvaFoto, QStringLiteral("Salva la foto su disco."));
    bar->addHint(btnCancFoto, QStringLiteral("Cancella la foto."));
    bar->addHint(btnZoomFoto, QStringLiteral("Visualizza la foto nelle sue dimensioni reali."));
    bar->addBackground(frame_);
}

void PhotoPanel::btnCaricaFotoClick()
{
    const QString path = platform().chooseOpenFile(
        window(), QStringLiteral("Selezionare un file di immagine in formato Jpeg o Bitmap."),
        {QStringLiteral("Immagine JPEG (*.jpg *.jpeg)"), QStringLiteral("Immagine Bitmap (*.bmp)")});
    if (path.isEmpty())
        return;
    const ChosenPicture chosen = choosePicture(path);
    if (chosen.picture.isNull()) {
        // The photo in the box, and its file, stay as they were.
        platform().message(window(), MessageKind::Warning, kMsgFotoNonCaricata);
        return;
    }
    // The new photo reaches the photo folder only when the record is saved.
    replace(chosen.picture, chosen.jpeg);
}

void PhotoPanel::btnWebcamClick()
{
    auto webcam = std::make_unique<TfrmWebCam>(window());
    webcam->setMode(TfrmWebCam::kModeScheda);
    if (platform().runModal(webcam.get()) == QDialog::Accepted && !webcam->importedPicture().isNull())
        setPicture(webcam->importedPicture());
}

QByteArray PhotoPanel::exportBytes() const
{
    if (changed_)
        return newJpeg_;
    // A photo file that cannot be shown can still be taken out as it is.
    if (origin_ == Origin::Unshowable || (origin_ == Origin::Stored && storedIsJpeg_))
        return storedBytes_;
    return QByteArray();
}

void PhotoPanel::btnSalvaFotoClick()
{
    // The box keeps its picture whatever happens to the file: a failed export can be retried.
    exportPicture(window(), picture(), exportBytes());
}

void PhotoPanel::btnCancFotoClick()
{
    // No file is deleted: the placeholder replaces the photo file at the record's next save.
    if (origin_ == Origin::None && !changed_)
        return;
    replace(placeholder_, encodeJpeg(placeholder_));
}

void PhotoPanel::btnZoomFotoClick()
{
    auto zoom = std::make_unique<TfrmZoom>(window(), picture());
    platform().runModal(zoom.get());
}

} // namespace tavorel
