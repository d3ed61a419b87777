#include "members/TfrmZoom.h"

#include "members/PhotoView.h"
#include "shell/ScreenLook.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

namespace tavorel {

TfrmZoom::TfrmZoom(QWidget* owner, const QImage& picture) : QDialog(owner)
{
    setObjectName(QStringLiteral("frmZoom"));
    setWindowTitle(QStringLiteral(" Fai clic sulla foto per chiudere questa finestra"));
    setModal(true);
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    QScreen* screen = owner && owner->screen() ? owner->screen() : QGuiApplication::primaryScreen();
    imgFoto = new PhotoView(QStringLiteral("imgFoto"), pictureArea(screen ? screen->size() : QSize(1024, 768)), this);
    imgFoto->setPicture(picture);
    imgFoto->setCursor(Qt::PointingHandCursor);
    connect(imgFoto, &PhotoView::clicked, this, &QDialog::accept);
    setWindowState(Qt::WindowMaximized);
}

QSize TfrmZoom::pictureArea(const QSize& screen)
{
    return QSize(std::max(1, screen.width() - 60), std::max(1, screen.height() - 90));
}

void TfrmZoom::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    look::paintGradient(p, rect());
}

void TfrmZoom::showEvent(QShowEvent* event)
{
    // The screen the window opens on decides the area.
    if (QScreen* s = screen())
        imgFoto->setFixedSize(pictureArea(s->size()));
    placeArea();
    QDialog::showEvent(event);
}

void TfrmZoom::resizeEvent(QResizeEvent* event)
{
    placeArea();
    QDialog::resizeEvent(event);
}

void TfrmZoom::mousePressEvent(QMouseEvent* event)
{
    // The gradient around the area closes the window as well: the caption promises a click closes it.
    accept();
    QDialog::mousePressEvent(event);
}

void TfrmZoom::placeArea()
{
    imgFoto->move(std::max(0, (width() - imgFoto->width()) / 2), std::max(0, (height() - imgFoto->height()) / 2));
}

} // namespace tavorel
