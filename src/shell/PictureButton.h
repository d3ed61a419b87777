#pragma once

#include <QAbstractButton>

class QSvgRenderer;

namespace tavorel {

// A clickable picture: an SVG drawn to the button's size, optionally with a caption drawn over it
// (the pill buttons). Hand pointer, a lighter look under the mouse and a pressed look.
class PictureButton : public QAbstractButton {
    Q_OBJECT
public:
    PictureButton(const QString& name, const QString& svgResource, QWidget* parent);

    void setPicture(const QString& svgResource);
    void setCaption(const QString& caption, int pointSize = 11);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    QSvgRenderer* renderer_;
    QString caption_;
    int captionPoints_ = 11;
    bool hovered_ = false;
};

} // namespace tavorel
