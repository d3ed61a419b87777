#pragma once

#include <QObject>
#include <QString>
#include <QValidator>

class QLineEdit;
class QPlainTextEdit;
class QWidget;

namespace tavorel {

// Keeps a text field to what the archives and the settings can hold. They are written in
// Windows-1252: a character outside it ("Ș", "Ω", Chinese, an emoji), typed or pasted, is refused
// as it comes, and a short hint naming it appears in the window's info bar (or, in a window
// without one, beside the field). Control characters that come with a paste (Tab, CR, LF, Esc...)
// become blanks; a multi-line field keeps its line breaks. Texts the program puts in a field are
// left as they are: they come from the files and already are what the files hold.
//
// Every field made by FieldKeys::of (so every field of a field table) has one; a screen installs
// it on its other fields that write to a file.
class TextGuard : public QObject {
    Q_OBJECT
public:
    // `cleansEdits`: the guard blanks the control characters of each edit itself; false where
    // FieldKeys does it along with its own rewriting of the typed text.
    static TextGuard* install(QLineEdit* field, bool cleansEdits = true);
    static TextGuard* install(QPlainTextEdit* field, bool multiLine = true);
    // Puts the program's text in a guarded multi-line field (a plain text edit cannot tell the
    // program's changes from the user's).
    static void setText(QPlainTextEdit* field, const QString& text);

    // `after` with the control characters blanked in the part that is not in `before` (the text an
    // edit put in); line breaks stay when `keepLineBreaks`.
    static QString blankNewControls(const QString& before, const QString& after, bool keepLineBreaks = false);

    // "U+0218": how a character is named beside itself (an emoji may not show).
    static QString codeOf(char32_t character);
    // The hint for a refused character.
    static QString hintFor(char32_t character);
    // Shows it where the user of `field` reads it.
    static void showHint(QWidget* field, char32_t character);

private:
    explicit TextGuard(QObject* field);
    void lineEdited(const QString& text);
    void plainChanged();

    QLineEdit* line_ = nullptr;
    QPlainTextEdit* plain_ = nullptr;
    bool multiLine_ = false;
    bool busy_ = false;
    QString previous_; // the field's text before the current change
};

// The validator a TextGuard puts on a line edit: refuses a text with a character outside
// Windows-1252 and names it.
class StorableTextValidator : public QValidator {
    Q_OBJECT
public:
    explicit StorableTextValidator(QLineEdit* field);
    State validate(QString& input, int& pos) const override;

private:
    QLineEdit* field_;
};

} // namespace tavorel
