#include "members/PhotoView.h"

#include "members/PhotoStore.h"

#include <QMouseEvent>
#include <QPainter>

namespace tavorel {

PhotoView::PhotoView(const QString& name, const QSize& size, QWidget* parent) : QWidget(parent)
{
    setObjectName(name);
    setFixedSize(size);
}

void PhotoView::setPicture(const QImage& picture)
{
    picture_ = picture;
    update();
}

void PhotoView::setBackground(const QColor& colour)
{
    background_ = colour;
    update();
}

QRect PhotoView::pictureRect() const
{
    return displayRect(picture_.size(), size());
}

void PhotoView::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    if (background_.isValid())
        p.fillRect(rect(), background_);
    if (picture_.isNull())
        return;
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(pictureRect(), picture_);
}

void PhotoView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        emit clicked();
    QWidget::mousePressEvent(event);
}

} // namespace tavorel
