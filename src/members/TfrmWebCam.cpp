#include "members/TfrmWebCam.h"

#include "members/PhotoPanel.h"
#include "members/PhotoView.h"
#include "shell/Artwork.h"
#include "shell/Camera.h"
#include "shell/Colors.h"
#include "shell/Platform.h"
#include "shell/ScreenLook.h"
#include "storage/Messages.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

namespace tavorel {

TfrmWebCam::TfrmWebCam(QWidget* owner)
    : FixedDialog(owner, QStringLiteral("frmWebCam"), QStringLiteral(" Cattura foto con webcam"), QSize(820, 400))
{
    lblMemory = new QLabel(this);
    lblMemory->setObjectName(QStringLiteral("lblMemory"));
    lblMemory->hide();
    const QImage liveDrawing = renderArtwork(QStringLiteral(":/assets/webcam_live.svg"), kBoxSize);
    imgBianco = new QLabel(this);
    imgBianco->setObjectName(QStringLiteral("imgBianco"));
    imgBianco->setPixmap(QPixmap::fromImage(liveDrawing));
    imgBianco->hide();

    auto* left = look::card(this, QStringLiteral("panCamera"));
    imgCamera = new PhotoView(QStringLiteral("imgCamera"), kBoxSize, left);
    imgCamera->setBackground(colors::kCameraBack);
    imgCamera->setPicture(liveDrawing);
    btnAccendi = look::button(left, QStringLiteral("btnAccendi"), QStringLiteral("Accendi webcam"));
    btnSpegni = look::button(left, QStringLiteral("btnSpegni"), QStringLiteral("Spegni webcam"));
    auto* leftButtons = new QHBoxLayout;
    leftButtons->addWidget(btnAccendi);
    leftButtons->addWidget(btnSpegni);
    auto* leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(10, 10, 10, 10);
    leftLayout->addWidget(imgCamera);
    leftLayout->addLayout(leftButtons);
    leftLayout->addStretch();

    auto* right = look::card(this, QStringLiteral("panTarget"));
    imgTarget = new PhotoView(QStringLiteral("imgTarget"), kBoxSize, right);
    imgTarget->setBackground(colors::kCameraBack);
    imgTarget->setPicture(renderArtwork(QStringLiteral(":/assets/webcam_foto.svg"), kBoxSize));
    btnCattura = look::button(right, QStringLiteral("btnCattura"), QStringLiteral("Cattura foto"));
    btnSalvaFotogramma =
        look::button(right, QStringLiteral("btnSalvaFotogramma"), QStringLiteral("Salva foto su disco"));
    btnImportaFoto = look::button(right, QStringLiteral("btnImportaFoto"), QStringLiteral("Importa foto in scheda"));
    btnClose = look::button(right, QStringLiteral("btnClose"), QStringLiteral("Annulla"));
    auto* rightButtons = new QGridLayout;
    rightButtons->addWidget(btnCattura, 0, 0);
    rightButtons->addWidget(btnSalvaFotogramma, 0, 1);
    rightButtons->addWidget(btnImportaFoto, 1, 0);
    rightButtons->addWidget(btnClose, 1, 1);
    auto* rightLayout = new QVBoxLayout(right);
    rightLayout->setContentsMargins(10, 10, 10, 10);
    rightLayout->addWidget(imgTarget);
    rightLayout->addLayout(rightButtons);

    auto* main = new QHBoxLayout(this);
    main->setContentsMargins(16, 16, 16, 16);
    main->setSpacing(16);
    main->addWidget(left);
    main->addWidget(right);

    connect(btnAccendi, &QPushButton::clicked, this, &TfrmWebCam::btnAccendiClick);
    connect(btnSpegni, &QPushButton::clicked, this, &TfrmWebCam::btnSpegniClick);
    connect(btnCattura, &QPushButton::clicked, this, &TfrmWebCam::btnCatturaClick);
    connect(btnSalvaFotogramma, &QPushButton::clicked, this, &TfrmWebCam::btnSalvaFotogrammaClick);
    connect(btnImportaFoto, &QPushButton::clicked, this, &TfrmWebCam::btnImportaFotoClick);
    connect(btnClose, &QPushButton::clicked, this, &TfrmWebCam::btnCloseClick);
}

TfrmWebCam::~TfrmWebCam()
{
    stopCamera();
}

void TfrmWebCam::setMode(const QString& tag)
{
    lblMemory->setText(tag);
}

bool TfrmWebCam::cameraRunning() const
{
    return camera_ && camera_->isActive();
}

void TfrmWebCam::btnAccendiClick()
{
    // A camera plugged in after the window opened is found at the next press.
    if (!camera_) {
        camera_ = platform().camera();
        if (!camera_) {
            platform().message(this, MessageKind::Warning, kMsgNessunaWebcam);
            return;
        }
        connect(camera_.get(), &Camera::frameArrived, this, &TfrmWebCam::frameArrived);
    }
    camera_->start();
}

void TfrmWebCam::btnSpegniClick()
{
    stopCamera();
}

void TfrmWebCam::frameArrived(const QImage& frame)
{
    imgCamera->setPicture(frame.copy());
    hasFrame_ = true;
}

void TfrmWebCam::btnCatturaClick()
{
    // Only a frame the camera delivered is a photo; the drawing of the live box is not.
    if (!hasFrame_)
        return;
    imgTarget->setPicture(imgCamera->picture().copy());
    hasCapture_ = true;
}

void TfrmWebCam::btnSalvaFotogrammaClick()
{
    if (!hasCapture_)
        return;
    // The captured box keeps its photo if the file cannot be written, so the user can try another.
    exportPicture(this, imgTarget->picture());
}

void TfrmWebCam::btnImportaFotoClick()
{
    // Nothing captured: nothing to import, and the member keeps the photo he has.
    if (!hasCapture_)
        return;
    stopCamera();
    if (lblMemory->text() != kModeScheda)
        return;
    imported_ = imgTarget->picture();
    accept();
}

void TfrmWebCam::btnCloseClick()
{
    stopCamera();
    reject();
}

void TfrmWebCam::done(int result)
{
    stopCamera();
    FixedDialog::done(result);
}

void TfrmWebCam::stopCamera()
{
    if (camera_)
        camera_->stop();
}

} // namespace tavorel
