#pragma once

#include <QImage>
#include <QObject>

namespace tavorel {

// A video capture device as the webcam window sees it: started and stopped by the user, it hands
// each frame it takes to the user-interface thread. Frames arrive only while it runs.
class Camera : public QObject {
    Q_OBJECT
public:
    ~Camera() override = default;

    virtual void start() = 0;
    virtual void stop() = 0;
    virtual bool isActive() const = 0;

signals:
    // On the user-interface thread; the image is the frame at its own pixel size.
    void frameArrived(const QImage& frame);
};

} // namespace tavorel
