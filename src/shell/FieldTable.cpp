#include "shell/FieldTable.h"

#include "rules/FieldRules.h"
#include "rules/TextRules.h"
#include "shell/Colors.h"
#include "shell/FocusHighlight.h"
#include "shell/ScreenLook.h"
#include "shell/TextGuard.h"
#include "shell/TfrmCalendario.h"
#include "storage/Cp1252.h"
#include "storage/Messages.h"

#include <QLabel>
#include <QLineEdit>

namespace tavorel {

namespace {

const QColor& colourOf(Resting resting)
{
    switch (resting) {
    case Resting::Beige:
        return colors::kBeige;
    case Resting::White:
        return colors::kWhite;
    case Resting::AliceBlue:
        break;
    }
    return colors::kAliceBlue;
}

} // namespace

FieldTableBase::FieldTableBase(QWidget* panel, QList<BuiltRow> rows, QList<BuiltLabel> labels, const FieldLook& look)
    : rows_(std::move(rows)), labelRows_(std::move(labels))
{
    const QFont font = look::font(QStringLiteral("Verdana"), look.points, true);
    for (const BuiltRow& r : rows_) {
        auto* edit = new QLineEdit(panel);
        const QString name = r.name.toString();
        edit->setObjectName(name);
        edit->setMaxLength(r.maxLength);
        edit->setAlignment(r.alignment);
        edit->setFont(r.points > 0 ? look::font(QStringLiteral("Verdana"), r.points, true) : font);
        edit->setMinimumHeight(r.height > 0 ? r.height : look.minimumHeight);
        if (r.width > 0)
            edit->setFixedWidth(r.width);
        edit->setText(r.initial.toString());
        FocusHighlight::applyStyleA(edit, colourOf(r.resting));
        FieldKeys* keys = FieldKeys::of(edit);
        if (r.filter != KeyFilter::DatePicker)
            keys->setFilter(r.filter);
        keys->setForced(r.forced);
        if (r.readOnly)
            edit->setReadOnly(true);
        QLabel* title = nullptr;
        if (!r.label.isEmpty()) {
            title = look::label(panel, r.label.toString(), 10, false, QStringLiteral("tit") + name.mid(3));
            title->setBuddy(edit);
        }
        if (!fields_.isEmpty())
            QWidget::setTabOrder(fields_.last(), edit);
        fields_.append(edit);
        titles_.append(title);
    }
    // A date field opens the picker with its own tag; the picker may write into any date field of
    // the table, each under its tag.
    QList<TfrmCalendario::Target> targets;
    for (qsizetype i = 0; i < fields_.size(); ++i)
        if (rows_[i].filter == KeyFilter::DatePicker)
            targets.append({rows_[i].pickerTag.toString(), fields_[i]});
    for (qsizetype i = 0; i < fields_.size(); ++i) {
        if (rows_[i].filter != KeyFilter::DatePicker)
            continue;
        QLineEdit* edit = fields_[i];
        FieldKeys::of(edit)->setFilter(KeyFilter::DatePicker, [edit, tag = rows_[i].pickerTag.toString(), targets] {
            TfrmCalendario::open(edit->window(), tag, targets);
        });
    }
    // Enter goes to the row's own successor, or along the table, the last row back to the first.
    for (qsizetype i = 0; i < fields_.size(); ++i) {
        QLineEdit* next = rows_[i].next.isEmpty() ? fields_.value(i + 1, fields_.first()) : field(rows_[i].next);
        if (next && next != fields_[i])
            FieldKeys::of(fields_[i])->setEnterTarget(next);
        if (!rows_[i].decimalNext.isEmpty())
            FieldKeys::of(fields_[i])->setDecimalTarget(field(rows_[i].decimalNext));
    }

    for (const BuiltLabel& l : labelRows_) {
        auto* label = new QLabel(l.initial.toString(), panel);
        label->setObjectName(l.name.toString());
        if (l.hidden)
            label->hide();
        labels_.append(label);
    }
}

QLineEdit* FieldTableBase::field(QStringView name) const
{
    for (QLineEdit* f : fields_)
        if (f->objectName() == name)
            return f;
    return nullptr;
}

QLabel* FieldTableBase::label(QStringView name) const
{
    for (QLabel* l : labels_)
        if (l->objectName() == name)
            return l;
    return nullptr;
}

QLabel* FieldTableBase::titleOf(const QLineEdit* field) const
{
    return titles_.value(fields_.indexOf(field));
}

std::optional<MissingField> FieldTableBase::firstMissing() const
{
    for (qsizetype i = 0; i < fields_.size(); ++i) {
        const BuiltRow& r = rows_[i];
        const QString text = fields_[i]->text();
        const bool blank = TrimSpazi(text).isEmpty();
        // The fields refuse such a character as it is typed; one that got there all the same is
        // never saved as "?".
        if (const std::optional<char32_t> c = firstOutsideCp1252(text))
            return MissingField{fields_[i],
                                msgCarattereNonRegistrabile(QString::fromUcs4(&*c, 1), TextGuard::codeOf(*c))};
        if (r.required && blank)
            return MissingField{fields_[i], *r.required};
        if (r.existingDate && !blank && !DataEsiste(text))
            return MissingField{fields_[i], kMsgDataInesistente};
    }
    return std::nullopt;
}

void FieldTableBase::clearExcept(const QList<int>& keepFields, const QList<int>& keepLabels)
{
    for (qsizetype i = 0; i < fields_.size(); ++i)
        if (!keepFields.contains(int(i)))
            fields_[i]->setText(rows_[i].initial.toString());
    for (qsizetype i = 0; i < labels_.size(); ++i)
        if (!keepLabels.contains(int(i)))
            labels_[i]->setText(labelRows_[i].initial.toString());
}

} // namespace tavorel
