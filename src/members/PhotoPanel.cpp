#include "members/PhotoPanel.h"

#include "members/PhotoStore.h"
#include "members/PhotoView.h"
#include "members/TfrmWebCam.h"
#include "members/TfrmZoom.h"
#include "shell/InfoBar.h"
#include "shell/PictureButton.h"
#include "shell/Platform.h"
#include "storage/Messages.h"

#include <QFileInfo>
#include <QHBoxLayout>
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

bool exportPicture(QWidget* parent, const QImage& picture)
{
    const QString path = chooseJpegFile(parent);
    if (path.isEmpty())
        return true;
    if (writeJpeg(path, picture))
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

void PhotoPanel::setPicture(const QImage& picture)
{
    imgFoto->setPicture(picture.isNull() ? placeholder_ : picture);
}

void PhotoPanel::clear()
{
    setPicture(QImage());
}

bool PhotoPanel::showsPlaceholder() const
{
    return picture() == placeholder_;
}

void PhotoPanel::load(int recordNo)
{
    setPicture(loadMemberPhoto(platform().programFolder(), recordNo));
}

bool PhotoPanel::save(int recordNo)
{
    if (saveMemberPhoto(platform().programFolder(), recordNo, picture()))
        return true;
    platform().message(window(), MessageKind::Warning, kMsgFotoNonSalvata);
    return false;
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
    // The new photo reaches the photo folder only when the record is saved.
    setPicture(readPicture(path));
}

void PhotoPanel::btnWebcamClick()
{
    auto webcam = std::make_unique<TfrmWebCam>(window());
    webcam->setMode(TfrmWebCam::kModeScheda);
    if (platform().runModal(webcam.get()) == QDialog::Accepted && !webcam->importedPicture().isNull())
        setPicture(webcam->importedPicture());
}

void PhotoPanel::btnSalvaFotoClick()
{
    // The box keeps its picture whatever happens to the file: a failed export can be retried.
    exportPicture(window(), picture());
}

void PhotoPanel::btnCancFotoClick()
{
    // No file is deleted: the placeholder replaces the photo file at the record's next save.
    clear();
}

void PhotoPanel::btnZoomFotoClick()
{
    auto zoom = std::make_unique<TfrmZoom>(window(), picture());
    platform().runModal(zoom.get());
}

} // namespace tavorel
