#include "shell/FocusHighlight.h"

#include "shell/Colors.h"
#include "shell/ScreenLook.h"

#include <QApplication>
#include <QEvent>
#include <QFocusEvent>
#include <QFrame>
#include <QLineEdit>
#include <QLinearGradient>

namespace tavorel {

namespace {
const char* kFillProperty = "tavorelFill";
}

FocusHighlight::FocusHighlight(QLineEdit* field, Style style, const QColor& resting, QFrame* halo)
    : QObject(field), field_(field), style_(style), resting_(resting), halo_(halo)
{
    field->installEventFilter(this);
    // The focus can move while the window is not the active one (a search or an import filling the
    // editor, a screen shown again): the field that had it gets no focus-out then. When the focus
    // comes back into the window elsewhere, the field takes its resting look.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (now && !field_->hasFocus() && now->window() == field_->window())
            showFocused(false);
    });
}

void FocusHighlight::showFocused(bool focused)
{
    if (style_ == Style::A) {
        if (FocusHighlight::fill(field_) != (focused ? colors::kYellow : resting_))
            paintA(focused);
    } else if (halo_) {
        if (focused)
            placeHalo();
        halo_->setVisible(focused);
    }
}

void FocusHighlight::applyStyleA(QLineEdit* field, const QColor& resting)
{
    auto* h = new FocusHighlight(field, Style::A, resting, nullptr);
    h->paintA(field->hasFocus());
}

QFrame* FocusHighlight::applyStyleB(QLineEdit* field, const QString& effName)
{
    // Yellow, its 2 px border fading from yellow at the top to white at the bottom.
    QLinearGradient fade(0, 0, 0, 1);
    fade.setCoordinateMode(QGradient::ObjectBoundingMode);
    fade.setColorAt(0.0, colors::kYellow);
    fade.setColorAt(1.0, colors::kWhite);
    auto* halo = new look::RoundedBox(field->parentWidget(), effName, colors::kYellow, fade, 2, 3);
    halo->setAttribute(Qt::WA_TransparentForMouseEvents);
    auto* h = new FocusHighlight(field, Style::B, QColor(), halo);
    h->placeHalo();
    halo->setVisible(field->hasFocus());
    return halo;
}

QColor FocusHighlight::fill(const QLineEdit* field)
{
    return field->property(kFillProperty).value<QColor>();
}

void FocusHighlight::paintA(bool focused)
{
    const QColor c = focused ? colors::kYellow : resting_;
    field_->setProperty(kFillProperty, c);
    field_->setStyleSheet(QStringLiteral("QLineEdit { background-color: %1; border: 1px solid %2; }")
                              .arg(c.name(), colors::kSkyBlue.name()));
}

void FocusHighlight::placeHalo()
{
    if (!halo_)
        return;
    halo_->setGeometry(field_->geometry().adjusted(-4, -4, 4, 4));
    halo_->stackUnder(field_);
}

bool FocusHighlight::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == field_) {
        switch (event->type()) {
        case QEvent::FocusIn:
            showFocused(true);
            break;
        case QEvent::FocusOut:
            // Another window or a menu taking the keyboard is not leaving the field: the field
            // keeps its look and gets the focus back with it.
            if (const auto reason = static_cast<QFocusEvent*>(event)->reason();
                reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason)
                break;
            showFocused(false);
            break;
        case QEvent::Move:
        case QEvent::Resize:
            if (style_ == Style::B)
                placeHalo();
            break;
        case QEvent::Hide:
            if (halo_)
                halo_->hide();
            break;
        default:
            break;
        }
    }
    return false;
}

} // namespace tavorel
