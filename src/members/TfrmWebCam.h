#pragma once

#include "shell/FixedWindow.h"

#include <QImage>

#include <memory>

class QLabel;
class QPushButton;

namespace tavorel {

class Camera;
class PhotoView;

// Takes a member's photo with the default camera: the live box shows the latest frame, "Cattura
// foto" freezes a copy in the captured box, which can be saved to a file or imported into the
// member's photo box. Without a camera the live box keeps its drawing and nothing is captured.
class TfrmWebCam : public FixedDialog {
    Q_OBJECT
public:
    // The caller tag of the member editor's photo box.
    static inline const QString kModeScheda = QStringLiteral("euro_01");
    static constexpr QSize kBoxSize{366, 274};

    explicit TfrmWebCam(QWidget* owner);
    ~TfrmWebCam() override;

    void setMode(const QString& tag);
    bool cameraRunning() const;
    // What "Importa foto in scheda" handed over; null until then.
    QImage importedPicture() const { return imported_; }

    void btnAccendiClick();
    void btnSpegniClick();
    void btnCatturaClick();
    void btnSalvaFotogrammaClick();
    void btnImportaFotoClick();
    void btnCloseClick();

    void done(int result) override;

private:
    void frameArrived(const QImage& frame);
    void stopCamera();

    std::unique_ptr<Camera> camera_;
    bool hasFrame_ = false;
    bool hasCapture_ = false;
    QImage imported_;

    QLabel* lblMemory; // hidden: the caller tag
    QLabel* imgBianco; // hidden: the drawing of the live box, this window's placeholder
    PhotoView* imgCamera;
    PhotoView* imgTarget;
    QPushButton* btnAccendi;
    QPushButton* btnSpegni;
    QPushButton* btnCattura;
    QPushButton* btnSalvaFotogramma;
    QPushButton* btnImportaFoto;
    QPushButton* btnClose;
};

} // namespace tavorel
