#include "shell/FocusHighlight.h"

#include "shell/Colors.h"

#include <QEvent>
#include <QFocusEvent>
#include <QFrame>
#include <QLineEdit>

namespace tavorel {

namespace {
const char* kFillProperty = "tavorelFill";
}

FocusHighlight::FocusHighlight(QLineEdit* field, Style style, const QColor& resting, QFrame* halo)
    : QObject(field), field_(field), style_(style), resting_(resting), halo_(halo)
{
    field->installEventFilter(this);
}

void FocusHighlight::applyStyleA(QLineEdit* field, const QColor& resting)
{
    auto* h = new FocusHighlight(field, Style::A, resting, nullptr);
    h->paintA(field->hasFocus());
}

QFrame* FocusHighlight::applyStyleB(QLineEdit* field, const QString& effName)
{
    auto* halo = new QFrame(field->parentWidget());
    halo->setObjectName(effName);
    halo->setAttribute(Qt::WA_TransparentForMouseEvents);
    halo->setStyleSheet(
        QStringLiteral("QFrame#%1 { background: %2; border-radius: 3px;"
                       " border: 2px solid qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 %2, stop:1 %3); }")
            .arg(effName, colors::kYellow.name(), colors::kWhite.name()));
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
            if (style_ == Style::A)
                paintA(true);
            else if (halo_) {
                placeHalo();
                halo_->show();
            }
            break;
        case QEvent::FocusOut:
            // Another window or a menu taking the keyboard is not leaving the field: the field
            // keeps its look and gets the focus back with it.
            if (const auto reason = static_cast<QFocusEvent*>(event)->reason();
                reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason)
                break;
            if (style_ == Style::A)
                paintA(false);
            else if (halo_)
                halo_->hide();
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
