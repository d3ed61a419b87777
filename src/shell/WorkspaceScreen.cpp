#include "shell/WorkspaceScreen.h"

#include "shell/ScreenLook.h"

#include <QPainter>

namespace tavorel {

WorkspaceScreen::WorkspaceScreen(const QString& name, const QString& caption)
    : QWidget(nullptr), panel_(new QWidget(this))
{
    setObjectName(name);
    setWindowTitle(caption);
    panel_->setObjectName(QStringLiteral("panContenitore"));
    panel_->setFixedSize(kPanelWidth, kPanelHeight);
    setMinimumSize(kPanelWidth, kPanelHeight);
    resize(1280, 760);
    setWindowState(Qt::WindowMaximized);
}

void WorkspaceScreen::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    look::paintGradient(p, rect());
}

void WorkspaceScreen::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    panel_->move(qMax(0, (width() - kPanelWidth) / 2), qMax(0, (height() - kPanelHeight) / 2));
}

} // namespace tavorel
