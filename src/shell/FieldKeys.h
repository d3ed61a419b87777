#pragma once

#include <QList>
#include <QObject>
#include <QPointer>

#include <functional>

class QKeyEvent;
class QLineEdit;
class QWidget;

namespace tavorel {

// Which keys an edit field lets through.
enum class KeyFilter {
    None,        // any text up to the maximum length
    Digits,      // 0-9, Backspace, Delete, Left, Right
    DigitsComma, // as Digits, plus the comma
    PickOnly,    // Left, Right; Backspace or Delete empties the field; nothing else
    DatePicker,  // read-only; Backspace or Delete empties it; any other key opens the picker
};

// How a field's text is rewritten after every change the user types.
enum class ForcedText { None, UpperTrimmed, Trimmed };

// The keyboard behaviour of one edit field: Enter, key filter, forced text. Enter is handled
// before the filter, so it also works in filtered fields. Created on demand with of(); for an
// editable drop-down list, give it the list's edit (QComboBox::lineEdit()).
class FieldKeys : public QObject {
    Q_OBJECT
public:
    static FieldKeys* of(QLineEdit* field);

    // Enter moves the focus to `next` (a field or a button) without pressing it.
    void setEnterTarget(QWidget* next);
    // Enter runs `action` instead (the login screen's OK).
    void setEnterAction(std::function<void()> action);
    // For DatePicker, `openPicker` is called for every key but Enter, Backspace and Delete.
    void setFilter(KeyFilter filter, std::function<void()> openPicker = {});
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
    void onTextEdited(const QString& text);

    QLineEdit* field_;
    QWidget* keysFrom_ = nullptr; // the drop-down list whose edit this is
    QPointer<QWidget> enterTarget_;
    std::function<void()> enterAction_;
    KeyFilter filter_ = KeyFilter::None;
    std::function<void()> openPicker_;
    ForcedText forced_ = ForcedText::None;
};

// Enter in each field moves to the next one; with `closed`, the last leads back to the first.
void setEnterChain(const QList<QLineEdit*>& chain, bool closed = true);

} // namespace tavorel
