#include "shell/QtCamera.h"

#include <QMediaDevices>
#include <QVideoFrame>

namespace tavorel {

std::unique_ptr<Camera> QtCamera::openDefault()
{
    const QCameraDevice device = QMediaDevices::defaultVideoInput();
    if (device.isNull())
        return nullptr;
    return std::make_unique<QtCamera>(device);
}

QtCamera::QtCamera(const QCameraDevice& device) : camera_(device)
{
    session_.setCamera(&camera_);
    session_.setVideoSink(&sink_);
    // The sink may signal from the capture thread; the receiver lives on the user-interface
    // thread, so each frame is queued to it and converted there.
    connect(
        &sink_, &QVideoSink::videoFrameChanged, this,
        [this](const QVideoFrame& frame) {
            if (!camera_.isActive())
                return;
            const QImage image = frame.toImage();
            if (!image.isNull())
                emit frameArrived(image);
        },
        Qt::QueuedConnection);
}

QtCamera::~QtCamera()
{
    camera_.stop();
}

void QtCamera::start()
{
    camera_.start();
}

void QtCamera::stop()
{
    camera_.stop();
}

bool QtCamera::isActive() const
{
    return camera_.isActive();
}

} // namespace tavorel
