#include "shell/PictureButton.h"

#include "shell/Colors.h"
#include <QKeyEvent>
#include <QPainter>
#include <QSvgRenderer>

namespace tavorel {

PictureButton::PictureButton(const QString& name, const QString& svgResource, QWidget* parent)
    : QAbstractButton(parent), renderer_(new QSvgRenderer(this))
{
    setObjectName(name);
    setCursor(Qt::PointingHandCursor);
    // Reached with Tab after a screen's fields, never taken by a click: a click on a command
    // leaves the focus in the field being typed into.
    setFocusPolicy(Qt::TabFocus);
    setPicture(svgResource);
}

void PictureButton::setPicture(const QString& svgResource)
{
    renderer_->load(svgResource);
    update();
}

void PictureButton::setCaption(const QString& caption, int pointSize)
{
    caption_ = caption;
    captionPoints_ = pointSize;
    setText(caption);
    update();
}

QSize PictureButton::sizeHint() const
{
    return renderer_->isValid() ? renderer_->defaultSize() : QSize(32, 32);
}

void PictureButton::keyPressEvent(QKeyEvent* event)
{
    // Enter presses a focused button as Space does.
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && event->modifiers() == Qt::NoModifier) {
        click();
        return;
    }
    QAbstractButton::keyPressEvent(event);
}

void PictureButton::enterEvent(QEnterEvent* event)
{
    hovered_ = true;
    update();
    QAbstractButton::enterEvent(event);
}

void PictureButton::leaveEvent(QEvent* event)
{
    hovered_ = false;
    update();
    QAbstractButton::leaveEvent(event);
}

void PictureButton::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    QRectF area = rect();
    if (isDown())
        area.translate(1, 1);
    if (renderer_->isValid()) {
        // Keep the picture's proportions, centred in the button.
        QSizeF s = renderer_->defaultSize();
        s.scale(area.size(), Qt::KeepAspectRatio);
        QRectF target(QPointF(0, 0), s);
        target.moveCenter(area.center());
        renderer_->render(&p, target);
    }
    if (!caption_.isEmpty()) {
        QFont f(QStringLiteral("Verdana"));
        f.setPointSize(captionPoints_);
        f.setBold(true);
        p.setFont(f);
        p.setPen(isEnabled() ? colors::kWhite : colors::kCaptionDisabled);
        p.drawText(area, Qt::AlignCenter, caption_);
    }
    if (hovered_ && isEnabled()) {
        p.setPen(Qt::NoPen);
        p.setBrush(colors::kHoverOverlay);
        p.drawRoundedRect(rect().adjusted(1, 1, -1, -1), 6, 6);
    }
    if (isDown()) {
        p.setPen(Qt::NoPen);
        p.setBrush(colors::kPressOverlay);
        p.drawRoundedRect(rect().adjusted(1, 1, -1, -1), 6, 6);
    }
    if (hasFocus()) {
        p.setPen(QPen(colors::kSkyBlue, 2));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(QRectF(rect()).adjusted(1, 1, -1, -1), 6, 6);
    }
}

} // namespace tavorel
