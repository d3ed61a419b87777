#pragma once

#include <QColor>
#include <QImage>
#include <QWidget>

namespace tavorel {

// A picture box: holds one picture at its own pixel size and draws it by the display rule of the
// photo (reduced to fit, never enlarged, centred). The photo box, the zoom window and the webcam
// boxes are all one of these.
class PhotoView : public QWidget {
    Q_OBJECT
public:
    PhotoView(const QString& name, const QSize& size, QWidget* parent);

    void setPicture(const QImage& picture);
    const QImage& picture() const { return picture_; }
    void setBackground(const QColor& colour);
    // Where the picture is drawn, in the box's own coordinates.
    QRect pictureRect() const;

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    QImage picture_;
    QColor background_;
};

} // namespace tavorel
