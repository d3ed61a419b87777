#include "shell/InfoBar.h"

#include "shell/Colors.h"
#include "shell/WorkspaceScreen.h"

#include <QEvent>
#include <QMouseEvent>

namespace tavorel {

InfoBar::InfoBar(QWidget* parent, const QColor& band) : QLabel(parent)
{
    setObjectName(QStringLiteral("panInfo"));
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, band);
    p.setColor(QPalette::WindowText, colors::kWhite);
    setPalette(p);
    QFont f(QStringLiteral("Tahoma"));
    f.setPointSize(12);
    setFont(f);
    setContentsMargins(10, 0, 10, 0);
    setFixedHeight(28);
}

void InfoBar::addHint(QWidget* control, const QString& hint)
{
    hints_.insert(control, hint);
    // The same words as a tooltip, for whoever reads the control rather than the bar.
    control->setToolTip(hint);
    control->setMouseTracking(true);
    control->installEventFilter(this);
}

void InfoBar::addBackground(QWidget* area)
{
    // A workspace screen's background is the window and the surface its panel sits on.
    if (auto* screen = qobject_cast<WorkspaceScreen*>(area)) {
        for (QWidget* w : screen->backgroundAreas())
            if (w != area)
                addBackground(w);
    }
    backgrounds_.append(area);
    area->setMouseTracking(true);
    area->installEventFilter(this);
}

// A move that a child ignored reaches its parent too: only a move over the area itself (or over
// another background area) empties the bar.
bool InfoBar::overBackground(QWidget* area, QEvent* event) const
{
    // A window that opens under a still mouse keeps its text: only a real move empties the bar.
    if (event->type() != QEvent::MouseMove)
        return false;
    const QPoint pos = static_cast<QMouseEvent*>(event)->position().toPoint();
    QWidget* child = area->childAt(pos);
    return child == nullptr || backgrounds_.contains(child);
}

bool InfoBar::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseMove || event->type() == QEvent::Enter) {
        auto hint = hints_.constFind(watched);
        if (hint != hints_.constEnd())
            setText(*hint);
        else if (backgrounds_.contains(watched) && overBackground(static_cast<QWidget*>(watched), event))
            clear();
    }
    return false;
}

} // namespace tavorel
