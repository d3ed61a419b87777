#include "help/HelpLink.h"

#include <QAbstractButton>
#include <QLabel>
#include <QMouseEvent>

namespace tavorel {

namespace {

const QColor kDarkBlue = QColor::fromRgba(0xFF00008B);
const QColor kOrange = QColor::fromRgba(0xFFFFA500);

} // namespace

HelpLink::HelpLink(QLabel* text, QWidget* icon) : QObject(text), text_(text), icon_(icon)
{
    text_->installEventFilter(this);
    icon_->installEventFilter(this);
    icon_->setCursor(Qt::PointingHandCursor);
    // The icon says where it leads, and as a button it is pressed with the mouse, Enter or Space.
    icon_->setToolTip(text_->text());
    if (auto* button = qobject_cast<QAbstractButton*>(icon_))
        connect(button, &QAbstractButton::clicked, this, [this] { emit clicked(icon_); });
    colour(false);
}

QLabel* HelpLink::makeText(QWidget* parent, const QString& name, const QString& text)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    QFont f(QStringLiteral("Tahoma"));
    f.setPointSize(14);
    f.setUnderline(true);
    label->setFont(f);
    label->setCursor(Qt::PointingHandCursor);
    return label;
}

void HelpLink::colour(bool pressed)
{
    QPalette p = text_->palette();
    p.setColor(QPalette::WindowText, pressed ? kOrange : kDarkBlue);
    text_->setPalette(p);
}

bool HelpLink::eventFilter(QObject* watched, QEvent* event)
{
    auto* widget = qobject_cast<QWidget*>(watched);
    if (event->type() == QEvent::MouseButtonPress) {
        colour(true);
    } else if (event->type() == QEvent::MouseButtonRelease) {
        colour(false);
        const QPoint pos = static_cast<QMouseEvent*>(event)->position().toPoint();
        // A button icon tells its own clicks, the keyboard's too.
        if (widget && widget->rect().contains(pos) && !qobject_cast<QAbstractButton*>(widget))
            emit clicked(widget);
    }
    return false;
}

} // namespace tavorel
