#pragma once

#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QPointer>

#include <functional>

class QComboBox;
class QKeyEvent;
class QLineEdit;
class QWidget;

namespace tavorel {

// Which keys an edit field lets through.
enum class KeyFilter {
    None,        // any text up to the maximum length
    Digits,      // types 0-9 only; keys that type nothing (moves, selection, copy, undo) still work
    DigitsComma, // as Digits, plus the comma
    PickOnly,    // Left, Right; Backspace or Delete empties the field; nothing else. In a drop-down's
                 // edit the list's keys also pick: F4 and Alt+Down open it, the arrows, Home, End,
                 // Page Up and Page Down move along it, typing finds the entry that starts so
    DatePicker,  // read-only; Backspace or Delete empties it; a typing key or a double click opens the picker
};

// How a field's text is rewritten after every change the user types.
enum class ForcedText { None, UpperTrimmed, Trimmed };

// The keyboard behaviour of one edit field: Enter, key filter, forced text. Enter is handled
// before the filter, so it also works in filtered fields. Created on demand with of(); for an
// editable drop-down list, give it the list's edit (QComboBox::lineEdit()).
//
// Two habits of the edit fields of the desktop come with it, for every field that has one:
//  - entering the field from the keyboard or by the program (Enter, Tab, a check putting the focus
//    back, a window's first field) selects its whole text, so what is typed replaces it; a mouse
//    click places the caret where it points;
//  - a text the program puts in the field (browsing, a search, the picker) shows its beginning.
class FieldKeys : public QObject {
    Q_OBJECT
public:
    static FieldKeys* of(QLineEdit* field);

    // Enter moves the focus to `next` (a field or a button) without pressing it.
    void setEnterTarget(QWidget* next);
    // Enter runs `action` instead (the login screen's OK).
    void setEnterAction(std::function<void()> action);
    // For DatePicker, `openPicker` is called for a double click and for the keys that ask for a date:
    // not for Enter, Backspace and Delete, nor for Tab, Esc, function keys but F4, modifiers pressed
    // alone or keys held with Alt or Ctrl (Alt+F4 closes the window).
    void setFilter(KeyFilter filter, std::function<void()> openPicker = {});
    // In a whole-euros field: the comma or the numeric keypad's decimal key moves on to the cents
    // (`next`), the way the amount is written on paper; the full stop, the thousands separator, types
    // nothing; a pasted "1.234,56" fills both boxes.
    void setDecimalTarget(QWidget* next);
    void setForced(ForcedText forced);

    KeyFilter filter() const { return filter_; }

signals:
    // A key was released in the field (after the key was handled).
    void keyReleased();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit FieldKeys(QLineEdit* field);
    bool handleKeyPress(QKeyEvent* e);
    bool handleDateKey(QKeyEvent* e);
    bool pickFromList(QComboBox* list, QKeyEvent* e);
    void pasteDigits();
    void onFocusIn(Qt::FocusReason reason);
    void onTextEdited(const QString& edited);
    void onTextChanged();

    QLineEdit* field_;
    QWidget* keysFrom_ = nullptr; // the drop-down list whose edit this is
    QPointer<QWidget> enterTarget_;
    std::function<void()> enterAction_;
    KeyFilter filter_ = KeyFilter::None;
    std::function<void()> openPicker_;
    ForcedText forced_ = ForcedText::None;
    QPointer<QWidget> decimalTarget_;
    // What was typed in a drop-down in quick succession, to find the entry that starts so.
    QString search_;
    QElapsedTimer searchTimer_;
    // Set when the window, not the user, took the focus away: coming back keeps caret and selection.
    bool leftWithWindow_ = false;
    // The text as the user last left it by typing; any other change of text is the program's.
    QString typed_;
    // The text before the change being handled: what an edit put in is what differs from it.
    QString shown_;
};

// Enter in each field moves to the next one; with `closed`, the last leads back to the first.
void setEnterChain(const QList<QLineEdit*>& chain, bool closed = true);

} // namespace tavorel
