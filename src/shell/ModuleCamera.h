#pragma once

#include "shell/Camera.h"
#include "shell/VideoInput.h"

#include <QString>

#include <memory>

namespace tavorel {

// The webcam module beside the program, loaded once, on first use, and kept loaded.
class WebcamModule {
public:
    // The module's file beside the executable, without the system's suffix.
    static QString defaultPath();
    // The module's entry point, or nullptr with the reason in `error` when the file is missing or
    // is not the webcam module.
    static OpenVideoInput load(const QString& path, QString* error);
};

// A Camera over a VideoInput of the webcam module.
class ModuleCamera : public Camera {
    Q_OBJECT
public:
    explicit ModuleCamera(std::unique_ptr<VideoInput> input);
    ~ModuleCamera() override;

    // The default video input through the module at `path`; nullptr when the module cannot be
    // loaded (the reason goes to the log) or the system has no video input.
    static std::unique_ptr<Camera> openDefault(const QString& path = WebcamModule::defaultPath());

    void start() override;
    void stop() override;
    bool isActive() const override;

private:
    std::unique_ptr<VideoInput> input_;
};

} // namespace tavorel
