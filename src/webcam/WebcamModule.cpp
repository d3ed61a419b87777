// The webcam module: the system's default video input through Qt Multimedia, behind VideoInput.
// Loaded by the program on first use (see shell/ModuleCamera).
#include "shell/VideoInput.h"

#include <QCamera>
#include <QMediaCaptureSession>
#include <QMediaDevices>
#include <QVideoFrame>
#include <QVideoSink>

namespace tavorel {
namespace {

class Webcam final : public VideoInput {
public:
    explicit Webcam(const QCameraDevice& device) : camera_(device)
    {
        session_.setCamera(&camera_);
        session_.setVideoSink(&sink_);
        // The sink may signal from the capture thread; the receiver lives on the user-interface
        // thread, so each frame is queued to it and converted there.
        QObject::connect(
            &sink_, &QVideoSink::videoFrameChanged, &receiver_,
            [this](const QVideoFrame& frame) {
                if (!camera_.isActive() || !onFrame_)
                    return;
                const QImage image = frame.toImage();
                if (!image.isNull())
                    onFrame_(image);
            },
            Qt::QueuedConnection);
    }
    ~Webcam() override { camera_.stop(); }

    void start() override { camera_.start(); }
    void stop() override { camera_.stop(); }
    bool isActive() const override { return camera_.isActive(); }
    void setFrameSink(std::function<void(const QImage&)> sink) override { onFrame_ = std::move(sink); }

private:
    QCamera camera_;
    QMediaCaptureSession session_;
    QVideoSink sink_;
    std::function<void(const QImage&)> onFrame_;
    QObject receiver_; // destroyed first: no queued frame reaches a half-destroyed camera
};

} // namespace
} // namespace tavorel

extern "C" Q_DECL_EXPORT tavorel::VideoInput* tavorelOpenVideoInput()
{
    const QCameraDevice device = QMediaDevices::defaultVideoInput();
    if (device.isNull())
        return nullptr;
    return new tavorel::Webcam(device);
}
