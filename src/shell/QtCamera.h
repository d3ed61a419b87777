#pragma once

#include "shell/Camera.h"

#include <QCamera>
#include <QMediaCaptureSession>
#include <QVideoSink>

#include <memory>

namespace tavorel {

// The system's default video input through Qt Multimedia.
class QtCamera : public Camera {
    Q_OBJECT
public:
    // nullptr when the system has no video input.
    static std::unique_ptr<Camera> openDefault();

    explicit QtCamera(const QCameraDevice& device);
    ~QtCamera() override;

    void start() override;
    void stop() override;
    bool isActive() const override;

private:
    QCamera camera_;
    QMediaCaptureSession session_;
    QVideoSink sink_;
};

} // namespace tavorel
