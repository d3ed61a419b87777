#include "shell/WindowHabits.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QEvent>
#include <QHash>
#include <QKeyEvent>
#include <QPointer>
#include <QRadioButton>
#include <QSet>
#include <QWidget>

namespace tavorel {

namespace {

class WindowHabits : public QObject {
public:
    using QObject::QObject;

    // Windows left for another since they were last shown, and the widget that had their focus.
    QHash<const QWidget*, QPointer<QWidget>> left_;
    QSet<const QWidget*> watched_; // windows whose end is watched, to drop them from left_

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::KeyPress:
            return pressFocusedButton(watched, static_cast<QKeyEvent*>(event));
        case QEvent::WindowDeactivate:
            if (auto* w = qobject_cast<QWidget*>(watched); w && w->isWindow() && w->isVisible()) {
                if (!watched_.contains(w)) {
                    watched_.insert(w);
                    connect(w, &QObject::destroyed, this, [this, w] {
                        left_.remove(w);
                        watched_.remove(w);
                    });
                }
                left_.insert(w, w->focusWidget());
            }
            return false;
        case QEvent::Hide:
            // Shown again, the window is a first visit (coming back from the task bar is not).
            if (auto* w = qobject_cast<QWidget*>(watched); w && w->isWindow() && !event->spontaneous())
                left_.remove(w);
            return false;
        default:
            return false;
        }
    }

private:
    static bool pressFocusedButton(QObject* watched, QKeyEvent* e)
    {
        if (e->key() != Qt::Key_Return && e->key() != Qt::Key_Enter)
            return false;
        if ((e->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
            return false;
        auto* button = qobject_cast<QAbstractButton*>(watched);
        // A tick box or a choice is not a command: Enter there goes on to the window as before.
        if (!button || qobject_cast<QCheckBox*>(button) || qobject_cast<QRadioButton*>(button) || !button->hasFocus())
            return false;
        // Pressed once per press of the key, not again while it is held down; never passed on
        // to a dialog's default button as well.
        if (!e->isAutoRepeat() && button->isEnabled())
            button->click();
        return true;
    }
};

QPointer<WindowHabits>& installed()
{
    static QPointer<WindowHabits> habits;
    return habits;
}

} // namespace

void installWindowHabits()
{
    if (installed() || !qApp)
        return;
    installed() = new WindowHabits(qApp);
    qApp->installEventFilter(installed());
}

bool focusComesBack(const QWidget* widget)
{
    if (!installed() || !widget)
        return false;
    const auto it = installed()->left_.constFind(widget->window());
    return it != installed()->left_.constEnd() && (it->isNull() || it->data() == widget);
}

} // namespace tavorel
