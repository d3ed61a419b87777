#include "shell/FieldKeys.h"

#include "rules/FieldRules.h"
#include "shell/Platform.h"
#include "shell/TextGuard.h"
#include "shell/WindowHabits.h"
#include "storage/Messages.h"
#include "storage/Trim.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFocusEvent>
#include <QGuiApplication>
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
    // Only what the files can hold; the control characters of a paste are blanked below, with
    // the rest of what this does to a typed text.
    TextGuard::install(field, false);
    shown_ = field->text();
    connect(field, &QLineEdit::textEdited, this, &FieldKeys::onTextEdited);
    connect(field, &QLineEdit::textChanged, this, &FieldKeys::onTextChanged);
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

void FieldKeys::setDecimalTarget(QWidget* next)
{
    decimalTarget_ = next;
}

void FieldKeys::setForced(ForcedText forced)
{
    forced_ = forced;
}

void FieldKeys::onTextEdited(const QString& edited)
{
    QString text = edited;
    if (const QString clean = TextGuard::blankNewControls(shown_, edited); clean != edited) {
        typed_ = clean;
        const int cursor = field_->cursorPosition();
        field_->setText(clean);
        field_->setCursorPosition(cursor);
        text = clean;
    }
    typed_ = text;
    QString forced;
    switch (forced_) {
    case ForcedText::None:
        return;
    case ForcedText::UpperTrimmed:
        forced = TrimSpazi(text);
        // Only a to z change case: accented letters stay as typed.
        for (QChar& c : forced)
            if (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
                c = QChar(c.unicode() - 32);
        break;
    case ForcedText::Trimmed:
        forced = TrimSpazi(text);
        break;
    }
    if (forced != text) {
        typed_ = forced;
        int lead = 0;
        while (lead < text.size() && text[lead].isSpace())
            ++lead;
        const int cursor = field_->cursorPosition();
        field_->setText(forced);
        field_->setCursorPosition(qBound(0, cursor - qMin(cursor, lead), int(forced.size())));
    }
}

void FieldKeys::onTextChanged()
{
    shown_ = field_->text();
    if (!typed_.isNull() && field_->text() == typed_)
        return;
    // Put there by the program: a long text shows its beginning, not its end; in the field being
    // typed into it is selected, so that what is typed next replaces it rather than joins it.
    typed_ = QString();
    if (field_->hasFocus())
        field_->setSelection(int(field_->text().size()), -int(field_->text().size()));
    else
        field_->setCursorPosition(0);
}

void FieldKeys::onFocusIn(Qt::FocusReason reason)
{
    // Back from a message box, a dialog, a menu or another program: the caret and any selection are
    // as the user left them, in this field or in the one the window falls back on when nothing had
    // the focus; a selection made here would let the next key press replace a text nobody meant to
    // retype. A field the program moved the focus to meanwhile is entered as by any move.
    const bool returning = (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason) &&
                           (leftWithWindow_ || focusComesBack(field_));
    leftWithWindow_ = false;
    if (reason == Qt::MouseFocusReason || returning)
        return;
    // Everything selected, the caret at the start so that a long text shows its beginning; what is
    // typed next replaces the whole text.
    field_->setSelection(int(field_->text().size()), -int(field_->text().size()));
}

namespace {

bool isEnter(const QKeyEvent* e)
{
    return e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter;
}

// The text a key would type into a line edit; empty for a key that types nothing (a move, a
// selection, a shortcut such as Ctrl+C or Ctrl+Z, Esc).
QString typedText(const QKeyEvent* e)
{
    const QString t = e->text();
    if (t.isEmpty())
        return {};
    const Qt::KeyboardModifiers mods = e->modifiers() & ~Qt::KeypadModifier;
    if (mods == Qt::ControlModifier || mods == (Qt::ControlModifier | Qt::ShiftModifier))
        return {};
    const QChar c = t.front();
    if (c.isPrint() || c.category() == QChar::Other_Format || c.category() == QChar::Other_PrivateUse)
        return t;
    return {};
}

bool onlyOf(const QString& text, bool comma)
{
    for (QChar c : text)
        if (!(c >= QLatin1Char('0') && c <= QLatin1Char('9')) && !(comma && c == QLatin1Char(',')))
            return false;
    return true;
}

// The numeric keypad's decimal key, which types a full stop or a comma as the keyboard layout has it.
bool isKeypadDecimal(const QKeyEvent* e)
{
    return (e->modifiers() & Qt::KeypadModifier) && !(e->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) &&
           (e->text() == QStringLiteral(",") || e->text() == QStringLiteral("."));
}

// The comma, or the keypad's decimal key. The main keyboard's full stop is the Italian thousands
// separator ("1.234,56"): in a whole-euros field it types nothing.
bool isDecimalSeparator(const QKeyEvent* e)
{
    return isKeypadDecimal(e) ||
           (!(e->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) && e->text() == QStringLiteral(","));
}

// Keys that never ask for a date: modifiers pressed alone, and keys that belong to the window
// or the desktop.
bool leavesDateAlone(const QKeyEvent* e)
{
    if (e->modifiers() & (Qt::AltModifier | Qt::ControlModifier | Qt::MetaModifier))
        return true;
    const int key = e->key();
    if (key >= Qt::Key_F1 && key <= Qt::Key_F35)
        return key != Qt::Key_F4; // F4 opens a drop-down, here the calendar
    switch (key) {
    case Qt::Key_Escape:
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
    case Qt::Key_Meta:
    case Qt::Key_Super_L:
    case Qt::Key_Super_R:
    case Qt::Key_Hyper_L:
    case Qt::Key_Hyper_R:
    case Qt::Key_CapsLock:
    case Qt::Key_NumLock:
    case Qt::Key_ScrollLock:
    case Qt::Key_Menu:
    case Qt::Key_unknown:
        return true;
    default:
        return false;
    }
}

bool isFocusKey(const QKeyEvent* e)
{
    return e->key() == Qt::Key_Tab || e->key() == Qt::Key_Backtab;
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
    case KeyFilter::DigitsComma: {
        if (decimalTarget_ && isDecimalSeparator(e)) {
            decimalTarget_->setFocus(Qt::TabFocusReason);
            return true;
        }
        if (e->matches(QKeySequence::Paste)) {
            pasteDigits();
            return true;
        }
        // In a field that takes the decimal comma the keypad's decimal key types it, whatever the
        // keyboard layout makes of that key.
        if (filter_ == KeyFilter::DigitsComma && isKeypadDecimal(e)) {
            field_->insert(QStringLiteral(","));
            return true;
        }
        const QString typed = typedText(e);
        // A key that types nothing goes to the field: Home, End, Shift with the arrows, Ctrl+A,
        // Ctrl+C, Ctrl+X, Ctrl+Z, and Esc on to the dialog.
        return !typed.isEmpty() && !onlyOf(typed, filter_ == KeyFilter::DigitsComma);
    }
    case KeyFilter::PickOnly:
        if (auto* list = qobject_cast<QComboBox*>(keysFrom_))
            return pickFromList(list, e);
        if (e->key() == Qt::Key_Backspace || e->key() == Qt::Key_Delete) {
            field_->clear();
            return true;
        }
        return !(e->key() == Qt::Key_Left || e->key() == Qt::Key_Right);
    case KeyFilter::DatePicker:
        return handleDateKey(e);
    }
    return false;
}

bool FieldKeys::pickFromList(QComboBox* list, QKeyEvent* e)
{
    // A drop-down's field holds only what its list holds: the keys of a list pick, nothing is typed.
    const int last = list->count() - 1;
    const int at = list->findText(field_->text(), Qt::MatchFixedString);
    auto pick = [&](int i) {
        if (last < 0)
            return;
        i = qBound(0, i, last);
        list->setCurrentIndex(i);
        list->setEditText(list->itemText(i)); // also when the list had it marked already
    };
    const bool alt = e->modifiers() & Qt::AltModifier;
    switch (e->key()) {
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
        field_->clear();
        return true;
    case Qt::Key_F4:
    case Qt::Key_Escape:
    case Qt::Key_Left:
    case Qt::Key_Right:
        return false; // F4 opens the list (the list box's own key), Esc goes on to the window
    case Qt::Key_Down:
    case Qt::Key_Up:
        if (alt)
            return false; // Alt+Down opens the list, Alt+Up closes it
        pick(at < 0 ? (e->key() == Qt::Key_Down ? 0 : last) : at + (e->key() == Qt::Key_Down ? 1 : -1));
        return true;
    case Qt::Key_Home:
    case Qt::Key_PageUp:
        pick(0);
        return true;
    case Qt::Key_End:
    case Qt::Key_PageDown:
        pick(last);
        return true;
    default:
        break;
    }
    const QString typed = typedText(e);
    if (typed.isEmpty())
        return !e->matches(QKeySequence::Copy); // no paste, cut or undo into the field
    // Typing finds the first entry that starts with what was typed in quick succession ("mag" for
    // Maggio, "1" "2" for 12), as in any list; a day typed without its zero ("5") finds "05".
    if (!searchTimer_.isValid() || searchTimer_.elapsed() > QApplication::keyboardInputInterval())
        search_.clear();
    searchTimer_.start();
    auto find = [list](const QString& start) {
        int i = list->findText(start, Qt::MatchStartsWith);
        if (i < 0)
            i = list->findText(QLatin1Char('0') + start, Qt::MatchStartsWith);
        return i;
    };
    int i = find(search_ + typed);
    if (i >= 0)
        search_ += typed;
    else if (i = find(typed); i >= 0)
        search_ = typed;
    if (i >= 0)
        pick(i);
    return true;
}

bool FieldKeys::handleDateKey(QKeyEvent* e)
{
    if (leavesDateAlone(e))
        return false; // the read-only field ignores it and the window gets it
    if (e->key() == Qt::Key_Backspace || e->key() == Qt::Key_Delete) {
        field_->clear();
        return true;
    }
    if (openPicker_)
        openPicker_();
    return true;
}

void FieldKeys::pasteDigits()
{
    // Copied figures often come with blanks or a line end around them; anything else in them
    // refuses the whole paste rather than joining the digits into another number.
    const QString text = TrimSpazi(QGuiApplication::clipboard()->text());
    if (decimalTarget_) {
        // Whole euros: an amount copied from elsewhere ("1.234,56") puts the euros here and the
        // cents in the cents box.
        if (const std::optional<ImportoIncollato> importo = LeggiImportoIncollato(text)) {
            field_->insert(importo->euro);
            if (auto* cents = qobject_cast<QLineEdit*>(decimalTarget_.data()); cents && !importo->cents.isEmpty())
                cents->setText(importo->cents);
        } else if (!text.isEmpty()) {
            // "12.5" could be twelve euros fifty or a hundred and twenty-five: nothing is guessed.
            platform().message(field_->window(), MessageKind::Warning, kMsgImportoIncollatoIllegibile.arg(text));
        }
        return;
    }
    if (!text.isEmpty() && onlyOf(text, filter_ == KeyFilter::DigitsComma))
        field_->insert(text);
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
    case QEvent::FocusIn:
        onFocusIn(static_cast<QFocusEvent*>(event)->reason());
        return false;
    case QEvent::FocusOut: {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        leftWithWindow_ = reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason;
        return false;
    }
    case QEvent::Hide:
        leftWithWindow_ = false; // shown again, the window starts afresh
        return false;
    case QEvent::MouseButtonDblClick:
        if (filter_ == KeyFilter::DatePicker && openPicker_) {
            openPicker_();
            return true;
        }
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
