#include "shell/FieldKeys.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>

namespace tavorel {

FieldKeys::FieldKeys(QLineEdit* field) : QObject(field), field_(field)
{
    setObjectName(QStringLiteral("fieldKeys"));
    field->installEventFilter(this);
    // The edit of an editable drop-down list has the list box as its focus proxy: the keys reach the
    // list box, which hands them to the edit directly, past any filter on the edit.
    if (auto* combo = qobject_cast<QComboBox*>(field->parentWidget()); combo && combo->lineEdit() == field) {
        keysFrom_ = combo;
        combo->installEventFilter(this);
    }
    connect(field, &QLineEdit::textEdited, this, &FieldKeys::onTextEdited);
}

FieldKeys* FieldKeys::of(QLineEdit* field)
{
    if (auto* existing = field->findChild<FieldKeys*>(QStringLiteral("fieldKeys"), Qt::FindDirectChildrenOnly))
        return existing;
    return new FieldKeys(field);
}

void FieldKeys::setEnterTarget(QWidget* next)
{
    enterTarget_ = next;
    // A button reached with Enter is pressed by the next Enter, as users expect.
    if (auto* button = qobject_cast<QPushButton*>(next))
        button->setAutoDefault(true);
}

void FieldKeys::setEnterAction(std::function<void()> action)
{
    enterAction_ = std::move(action);
}

void FieldKeys::setFilter(KeyFilter filter, std::function<void()> openPicker)
{
    filter_ = filter;
    openPicker_ = std::move(openPicker);
    // Pasted text goes past the key filter; the validator keeps it to what could have been typed.
    if (filter == KeyFilter::Digits)
        field_->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), field_));
    else if (filter == KeyFilter::DigitsComma)
        field_->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9,]*")), field_));
    if (filter == KeyFilter::DatePicker) {
        field_->setReadOnly(true);
        // A read-only field still shows its caret, so the user sees where the focus is.
        field_->setCursor(Qt::PointingHandCursor);
    }
}

void FieldKeys::setForced(ForcedText forced)
{
    forced_ = forced;
}

void FieldKeys::onTextEdited(const QString& text)
{
    QString forced;
    switch (forced_) {
    case ForcedText::None:
        return;
    case ForcedText::UpperTrimmed:
        forced = text.trimmed();
        // Only a to z change case: accented letters stay as typed.
        for (QChar& c : forced)
            if (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
                c = QChar(c.unicode() - 32);
        break;
    case ForcedText::Trimmed:
        forced = text.trimmed();
        break;
    }
    if (forced != text) {
        int lead = 0;
        while (lead < text.size() && text[lead].isSpace())
            ++lead;
        const int cursor = field_->cursorPosition();
        field_->setText(forced);
        field_->setCursorPosition(qBound(0, cursor - qMin(cursor, lead), int(forced.size())));
    }
}

namespace {

bool isEnter(const QKeyEvent* e)
{
    return e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter;
}

bool isEditKey(const QKeyEvent* e)
{
    switch (e->key()) {
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
    case Qt::Key_Left:
    case Qt::Key_Right:
        return true;
    default:
        return false;
    }
}

bool isFocusKey(const QKeyEvent* e)
{
    return e->key() == Qt::Key_Tab || e->key() == Qt::Key_Backtab;
}

bool typesDigit(const QKeyEvent* e)
{
    const QString t = e->text();
    return t.size() == 1 && t[0] >= QLatin1Char('0') && t[0] <= QLatin1Char('9') &&
           !(e->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
}

} // namespace

bool FieldKeys::handleKeyPress(QKeyEvent* e)
{
    if (isEnter(e)) {
        if (enterAction_)
            enterAction_();
        else if (enterTarget_)
            enterTarget_->setFocus(Qt::OtherFocusReason);
        return true; // Enter never reaches the field or the dialog's default button
    }
    if (isFocusKey(e))
        return false;

    switch (filter_) {
    case KeyFilter::None:
        return false;
    case KeyFilter::Digits:
        return !(typesDigit(e) || isEditKey(e));
    case KeyFilter::DigitsComma:
        return !(typesDigit(e) || isEditKey(e) ||
                 (e->text() == QStringLiteral(",") && !(e->modifiers() & Qt::ControlModifier)));
    case KeyFilter::PickOnly:
        if (e->key() == Qt::Key_Backspace || e->key() == Qt::Key_Delete) {
            field_->clear();
            return true;
        }
        return !(e->key() == Qt::Key_Left || e->key() == Qt::Key_Right);
    case KeyFilter::DatePicker:
        if (e->key() == Qt::Key_Backspace || e->key() == Qt::Key_Delete) {
            field_->clear();
            return true;
        }
        if (openPicker_)
            openPicker_();
        return true;
    }
    return false;
}

bool FieldKeys::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != field_ && watched != keysFrom_)
        return false;
    switch (event->type()) {
    case QEvent::ShortcutOverride: {
        // Keep Enter and the filtered keys away from window shortcuts and default buttons.
        auto* e = static_cast<QKeyEvent*>(event);
        if (isEnter(e)) {
            e->accept();
            return true;
        }
        return false;
    }
    case QEvent::KeyPress:
        return handleKeyPress(static_cast<QKeyEvent*>(event));
    case QEvent::KeyRelease:
        emit keyReleased();
        return false;
    case QEvent::InputMethod:
        // Composed text bypasses key presses: only let it through where any text is allowed.
        return filter_ != KeyFilter::None;
    default:
        return false;
    }
}

void setEnterChain(const QList<QLineEdit*>& chain, bool closed)
{
    for (int i = 0; i < chain.size(); ++i) {
        if (i + 1 < chain.size())
            FieldKeys::of(chain[i])->setEnterTarget(chain[i + 1]);
        else if (closed && chain.size() > 1)
            FieldKeys::of(chain[i])->setEnterTarget(chain.first());
    }
}

} // namespace tavorel
