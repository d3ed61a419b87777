#include "shell/TextGuard.h"

#include "shell/InfoBar.h"
#include "storage/Cp1252.h"
#include "storage/Messages.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>
#include <QToolTip>

namespace tavorel {

namespace {

bool isLineBreak(QChar c)
{
    return c == QLatin1Char('\n') || c == QLatin1Char('\r') || c == QChar::LineSeparator ||
           c == QChar::ParagraphSeparator;
}

// What a paste may bring that a field cannot show as a character: the control codes and the
// line and paragraph separators. The five codes Windows-1252 leaves unassigned read back from the
// files as control codes of the same value; they never come from a paste.
bool isControl(QChar c)
{
    return c.category() == QChar::Other_Control || c == QChar::LineSeparator || c == QChar::ParagraphSeparator;
}

} // namespace

TextGuard::TextGuard(QObject* field) : QObject(field)
{
    setObjectName(QStringLiteral("textGuard"));
}

TextGuard* TextGuard::install(QLineEdit* field, bool cleansEdits)
{
    if (auto* existing = field->findChild<TextGuard*>(QStringLiteral("textGuard"), Qt::FindDirectChildrenOnly))
        return existing;
    auto* guard = new TextGuard(field);
    guard->line_ = field;
    if (!field->validator())
        field->setValidator(new StorableTextValidator(field));
    if (cleansEdits) {
        guard->previous_ = field->text();
        connect(field, &QLineEdit::textEdited, guard, &TextGuard::lineEdited);
        connect(field, &QLineEdit::textChanged, guard, [guard](const QString& text) {
            if (!guard->busy_)
                guard->previous_ = text;
        });
    }
    return guard;
}

TextGuard* TextGuard::install(QPlainTextEdit* field, bool multiLine)
{
    if (auto* existing = field->findChild<TextGuard*>(QStringLiteral("textGuard"), Qt::FindDirectChildrenOnly))
        return existing;
    auto* guard = new TextGuard(field);
    guard->plain_ = field;
    guard->multiLine_ = multiLine;
    guard->previous_ = field->toPlainText();
    connect(field, &QPlainTextEdit::textChanged, guard, &TextGuard::plainChanged);
    return guard;
}

void TextGuard::setText(QPlainTextEdit* field, const QString& text)
{
    TextGuard* guard = install(field);
    guard->busy_ = true;
    field->setPlainText(text);
    guard->previous_ = field->toPlainText();
    guard->busy_ = false;
}

QString TextGuard::blankNewControls(const QString& before, const QString& after, bool keepLineBreaks)
{
    // The edit put in what lies between the part both texts begin with and the part both end with.
    const qsizetype most = std::min(before.size(), after.size());
    qsizetype head = 0;
    while (head < most && before[head] == after[head])
        ++head;
    qsizetype tail = 0;
    while (tail < most - head && before[before.size() - 1 - tail] == after[after.size() - 1 - tail])
        ++tail;
    QString out = after;
    for (qsizetype i = head; i < after.size() - tail; ++i) {
        if (keepLineBreaks && isLineBreak(out[i]))
            out[i] = QLatin1Char('\n');
        else if (isControl(out[i]))
            out[i] = QLatin1Char(' ');
    }
    // A CR LF pair pasted into a multi-line field is one line break.
    if (keepLineBreaks)
        for (qsizetype i = head; i + 1 < out.size() - tail; ++i)
            if (after[i] == QLatin1Char('\r') && after[i + 1] == QLatin1Char('\n'))
                out[i] = QChar(0xFFFF); // removed below
    out.remove(QChar(0xFFFF));
    return out;
}

QString TextGuard::codeOf(char32_t character)
{
    return QStringLiteral("U+%1").arg(QString::number(uint(character), 16).toUpper(), 4, QLatin1Char('0'));
}

QString TextGuard::hintFor(char32_t character)
{
    return msgCarattereNonAmmesso(QString::fromUcs4(&character, 1), codeOf(character));
}

void TextGuard::showHint(QWidget* field, char32_t character)
{
    const QString hint = hintFor(character);
    if (auto* bar = field->window()->findChild<InfoBar*>()) {
        bar->setText(hint);
        return;
    }
    QToolTip::showText(field->mapToGlobal(QPoint(0, field->height())), hint, field);
}

void TextGuard::lineEdited(const QString& text)
{
    const QString clean = blankNewControls(previous_, text);
    if (clean == text)
        return;
    const int cursor = line_->cursorPosition();
    line_->setText(clean);
    line_->setCursorPosition(cursor);
}

void TextGuard::plainChanged()
{
    if (busy_)
        return;
    const QString text = plain_->toPlainText();
    QTextCursor cursor = plain_->textCursor();
    const int position = cursor.position();
    busy_ = true;
    if (const std::optional<char32_t> refused = firstOutsideCp1252(blankNewControls(previous_, text, multiLine_))) {
        // Refused whole: the field goes back to the text it had, with the caret where the edit began.
        plain_->setPlainText(previous_);
        QTextCursor back = plain_->textCursor();
        back.setPosition(std::min<int>(position, int(previous_.size())));
        plain_->setTextCursor(back);
        showHint(plain_, *refused);
    } else if (const QString clean = blankNewControls(previous_, text, multiLine_); clean != text) {
        plain_->setPlainText(clean);
        QTextCursor at = plain_->textCursor();
        at.setPosition(std::min<int>(position, int(clean.size())));
        plain_->setTextCursor(at);
        previous_ = clean;
    } else {
        previous_ = text;
    }
    busy_ = false;
}

StorableTextValidator::StorableTextValidator(QLineEdit* field) : QValidator(field), field_(field)
{
}

QValidator::State StorableTextValidator::validate(QString& input, int& pos) const
{
    Q_UNUSED(pos)
    if (const std::optional<char32_t> refused = firstOutsideCp1252(input)) {
        TextGuard::showHint(field_, *refused);
        return Invalid;
    }
    return Acceptable;
}

} // namespace tavorel
