#include "shell/FixedWindow.h"

#include "shell/ScreenLook.h"
#include "shell/WindowHabits.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QShowEvent>

namespace tavorel {

void centreWindow(QWidget* window, QWidget* over)
{
    QRect area;
    if (over && over->isVisible())
        area = over->frameGeometry();
    else if (QScreen* s = window->screen() ? window->screen() : QGuiApplication::primaryScreen())
        area = s->availableGeometry();
    if (area.isValid()) {
        QRect r(QPoint(0, 0), window->size());
        r.moveCenter(area.center());
        window->move(r.topLeft());
    }
}

FixedWindow::FixedWindow(const QString& name, const QString& caption, const QSize& size)
    : QWidget(nullptr, look::fixedWindowFlags(false))
{
    installWindowHabits();
    setObjectName(name);
    setWindowTitle(caption);
    setFixedSize(size);
}

void FixedWindow::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    look::paintGradient(p, rect());
}

void FixedWindow::showEvent(QShowEvent* event)
{
    centreWindow(this, nullptr);
    QWidget::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

FixedDialog::FixedDialog(QWidget* owner, const QString& name, const QString& caption, const QSize& size,
                         bool centreOnOwner)
    : QDialog(owner, look::fixedWindowFlags(true)), centreOnOwner_(centreOnOwner)
{
    installWindowHabits();
    setObjectName(name);
    setWindowTitle(caption);
    setFixedSize(size);
    setModal(true);
}

void FixedDialog::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    look::paintGradient(p, rect());
}

void FixedDialog::showEvent(QShowEvent* event)
{
    centreWindow(this, centreOnOwner_ ? parentWidget() : nullptr);
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

} // namespace tavorel
