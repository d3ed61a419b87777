#pragma once

#include <QImage>

#include <functional>

namespace tavorel {

// The webcam as the webcam module hands it to the program. Capturing needs Qt Multimedia and the
// sound and video libraries behind it, which nothing else uses; they live in the module
// "tavorel_webcam", loaded beside the program when the user first switches the camera on, so the
// program starts without them.
//
// The module and the program are built together, from this header, with the same compiler.
class VideoInput {
public:
    virtual ~VideoInput() = default;

    virtual void start() = 0;
    virtual void stop() = 0;
    virtual bool isActive() const = 0;
    // Called on the user-interface thread with each frame taken while the input runs, at the
    // frame's own pixel size.
    virtual void setFrameSink(std::function<void(const QImage&)> sink) = 0;
};

// The module's one entry point: the system's default video input, not yet started, or nullptr
// when the system has none. The caller owns it.
using OpenVideoInput = VideoInput* (*)();
inline constexpr char kOpenVideoInputSymbol[] = "tavorelOpenVideoInput";

} // namespace tavorel
