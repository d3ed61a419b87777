#include "shell/WorkspaceScreen.h"

#include "shell/ScreenLook.h"
#include "shell/WindowHabits.h"

#include <QEvent>
#include <QPainter>
#include <QScrollArea>
#include <QShowEvent>

namespace tavorel {

WorkspaceScreen::WorkspaceScreen(const QString& name, const QString& caption)
    : QWidget(nullptr), scroll_(new QScrollArea(this)), stage_(new QWidget), panel_(new QWidget(stage_))
{
    installWindowHabits();
    setObjectName(name);
    setWindowTitle(caption);
    panel_->setObjectName(QStringLiteral("panContenitore"));
    panel_->setFixedSize(kPanelWidth, kPanelHeight);

    // The scroll area lets the window's gradient show through; it only scrolls when the window is
    // smaller than the panel.
    scroll_->setObjectName(QStringLiteral("scrSchermo"));
    // A click on a command picture must leave the keyboard in the field being typed into; a scroll
    // area takes the focus by default, and the typing would then go nowhere.
    scroll_->setFocusPolicy(Qt::NoFocus);
    scroll_->setFrameShape(QFrame::NoFrame);
    scroll_->setWidgetResizable(true);
    scroll_->setAutoFillBackground(false);
    scroll_->viewport()->setAutoFillBackground(false);
    stage_->setObjectName(QStringLiteral("panSfondo"));
    stage_->setMinimumSize(kPanelWidth, kPanelHeight);
    stage_->installEventFilter(this);
    scroll_->setWidget(stage_);
    stage_->setAutoFillBackground(false); // setWidget turned it on

    resize(1280, 760);
    setWindowState(Qt::WindowMaximized);
}

QList<QWidget*> WorkspaceScreen::backgroundAreas() const
{
    return {const_cast<WorkspaceScreen*>(this), scroll_->viewport(), stage_};
}

void WorkspaceScreen::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    look::paintGradient(p, rect());
}

void WorkspaceScreen::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // A window coming back from the task bar is not shown anew.
    if (!event->spontaneous())
        FormShow();
}

void WorkspaceScreen::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    scroll_->setGeometry(rect());
}

bool WorkspaceScreen::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == stage_ && event->type() == QEvent::Resize)
        panel_->move(qMax(0, (stage_->width() - kPanelWidth) / 2), qMax(0, (stage_->height() - kPanelHeight) / 2));
    return QWidget::eventFilter(watched, event);
}

} // namespace tavorel
