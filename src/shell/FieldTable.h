#pragma once

#include "shell/FieldKeys.h"

#include <QLabel>
#include <QLineEdit>
#include <QList>
#include <QString>
#include <QStringView>

#include <initializer_list>
#include <optional>
#include <span>

class QWidget;

namespace tavorel {

// The colour a field rests on while it does not have the focus (focus highlight, style A).
enum class Resting { AliceBlue, Beige, White };

// One edit field of a record editor. A screen lists its fields in tab and Enter order, written with
// designated initialisers: the control's name and the record field it shows are always given, the
// rest only where the field differs from a plain text field.
//
//     {.name = u"txtData", .member = &TSchedaRicevuta::Data, .label = u"Data:",
//      .required = &kMsgRicMancaData, .existingDate = true,
//      .filter = KeyFilter::DatePicker, .pickerTag = u"data", .alignment = Qt::AlignCenter},
//
// The field's maximum length is the capacity of its record field.
template <typename Record>
struct FieldRow {
    QStringView name;                  // the control's object name
    QString Record::*member;           // the record field it shows and is saved into
    QStringView label = {};            // the words naming it on screen, in a label "tit" + name without "txt"
    const QString* required = nullptr; // warning shown when it is saved blank (Messages.h); none: may be left empty
    bool existingDate = false;         // when saved, a text in it must be a date of the calendar
    Resting resting = Resting::AliceBlue;
    KeyFilter filter = KeyFilter::None;
    QStringView pickerTag = {}; // the date picker's tag, for a DatePicker field
    ForcedText forced = ForcedText::None;
    bool readOnly = false; // shown but not typed into (a DatePicker field is read-only anyway)
    QStringView next = {}; // where Enter goes; none: the next row, and from the last row the first
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter;
    QStringView initial = {}; // the text of a cleared screen
    // Whole euros: where a comma or a full stop moves on to (the cents), with its text selected.
    QStringView decimalNext = {};
    int width = 0;  // a fixed width in pixels; none: the layout shares out the width
    int points = 0; // the font's size when it is not the table's (Verdana bold)
    int height = 0; // the least height when it is not the table's
};

// A label that shows a record field the program computes or keeps out of sight.
template <typename Record>
struct LabelRow {
    QStringView name;
    QString Record::*member;
    QStringView initial = {};
    bool hidden = false;
};

// What the table keeps of a label row, whatever the record.
struct BuiltLabel {
    QStringView name;
    QStringView initial;
    bool hidden;
};

// The font of a table's fields and their height.
struct FieldLook {
    int points = 10; // Verdana bold
    int minimumHeight = 28;
};

// The first field that stops a save, and what the user is told.
struct MissingField {
    QLineEdit* field;
    QString warning;
};

// What the table knows of one row once it is built, whatever the record.
struct BuiltRow {
    QStringView name;
    QStringView label;
    const QString* required;
    bool existingDate;
    Resting resting;
    KeyFilter filter;
    QStringView pickerTag;
    ForcedText forced;
    bool readOnly;
    QStringView next;
    Qt::Alignment alignment;
    QStringView initial;
    QStringView decimalNext;
    int width;
    int points;
    int height;
    int maxLength;
};

// The part of a field table that does not depend on the record: building the widgets, the Enter
// chain, the colours, the keys, the date picker, clearing and the required-field check.
class FieldTableBase {
public:
    FieldTableBase(const FieldTableBase&) = delete;
    FieldTableBase& operator=(const FieldTableBase&) = delete;

    QList<QLineEdit*> fields() const { return fields_; }
    QList<QLabel*> labels() const { return labels_; }
    // The field or label of that object name, or null.
    QLineEdit* field(QStringView name) const;
    QLabel* label(QStringView name) const;
    // The words beside a field, or null when its row has none.
    QLabel* titleOf(const QLineEdit* field) const;

    // The first field, in table order, that is required and blank, holds a text that should be a
    // date and is not one, or holds a character its file cannot hold.
    std::optional<MissingField> firstMissing() const;

protected:
    FieldTableBase(QWidget* panel, QList<BuiltRow> rows, QList<BuiltLabel> labels, const FieldLook& look);
    // Every field and label back to its initial text, except those at the `keep` indexes.
    void clearExcept(const QList<int>& keepFields, const QList<int>& keepLabels);

    QList<QLineEdit*> fields_;
    QList<QLabel*> labels_;

private:
    QList<BuiltRow> rows_;
    QList<BuiltLabel> labelRows_;
    QList<QLabel*> titles_;
};

// A record editor's fields, built from its table and mapped onto its record. The rows are read
// where they stand, so a table is a constant array that outlives the screen.
template <typename Record>
class FieldTable : public FieldTableBase {
public:
    FieldTable(QWidget* panel, std::span<const FieldRow<Record>> rows, std::span<const LabelRow<Record>> labels = {},
               const FieldLook& look = {})
        : FieldTableBase(panel, built(rows), built(labels), look)
    {
        for (const auto& r : rows)
            fieldMembers_.append(r.member);
        for (const auto& l : labels)
            labelMembers_.append(l.member);
    }

    QLineEdit* field(QString Record::*member) const { return fields_.value(fieldMembers_.indexOf(member)); }
    QLabel* label(QString Record::*member) const { return labels_.value(labelMembers_.indexOf(member)); }
    using FieldTableBase::field;
    using FieldTableBase::label;

    // The record as the screen holds it now (texts as they are; storing trims them).
    Record record() const
    {
        Record r;
        for (qsizetype i = 0; i < fields_.size(); ++i)
            r.*fieldMembers_[i] = fields_[i]->text();
        for (qsizetype i = 0; i < labels_.size(); ++i)
            r.*labelMembers_[i] = labels_[i]->text();
        return r;
    }

    void show(const Record& r)
    {
        for (qsizetype i = 0; i < fields_.size(); ++i)
            fields_[i]->setText(r.*fieldMembers_[i]);
        for (qsizetype i = 0; i < labels_.size(); ++i)
            labels_[i]->setText(r.*labelMembers_[i]);
    }

    // Every field and label back to its initial text, except those that show the `keep` members.
    void clear(std::initializer_list<QString Record::*> keep = {})
    {
        QList<int> keepFields, keepLabels;
        for (auto m : keep) {
            if (const qsizetype i = fieldMembers_.indexOf(m); i >= 0)
                keepFields.append(int(i));
            if (const qsizetype i = labelMembers_.indexOf(m); i >= 0)
                keepLabels.append(int(i));
        }
        clearExcept(keepFields, keepLabels);
    }

    // A table that maps every record field exactly once, whose Enter and decimal targets are rows of the table
    // and whose date-picker fields, and only those, carry a tag. `elsewhere` are the record fields
    // that a panel of the screen maps instead of the table. Meant for a static_assert beside the
    // table.
    static constexpr bool fits(std::span<const FieldRow<Record>> rows, std::span<const LabelRow<Record>> labels = {},
                               std::span<QString Record::*const> elsewhere = {})
    {
        for (const auto& f : Record::fields()) {
            int uses = 0;
            for (const auto& r : rows)
                uses += r.member == f.member;
            for (const auto& l : labels)
                uses += l.member == f.member;
            for (const auto m : elsewhere)
                uses += m == f.member;
            if (uses != 1)
                return false;
        }
        for (const auto& r : rows) {
            if ((r.filter == KeyFilter::DatePicker) == r.pickerTag.isEmpty())
                return false;
            for (QStringView target : {r.next, r.decimalNext}) {
                if (target.isEmpty())
                    continue;
                bool found = false;
                for (const auto& other : rows)
                    found = found || same(other.name, target);
                if (!found)
                    return false;
            }
        }
        return rows.size() + labels.size() + elsewhere.size() == Record::fields().size();
    }

private:
    static constexpr bool same(QStringView a, QStringView b)
    {
        if (a.size() != b.size())
            return false;
        for (qsizetype i = 0; i < a.size(); ++i)
            if (a.utf16()[i] != b.utf16()[i])
                return false;
        return true;
    }

    static int capacityOf(QString Record::*member)
    {
        for (const auto& f : Record::fields())
            if (f.member == member)
                return f.capacity;
        return 0;
    }

    static QList<BuiltRow> built(std::span<const FieldRow<Record>> rows)
    {
        QList<BuiltRow> out;
        for (const auto& r : rows)
            out.append({r.name, r.label, r.required, r.existingDate, r.resting, r.filter, r.pickerTag, r.forced,
                        r.readOnly, r.next, r.alignment, r.initial, r.decimalNext, r.width, r.points, r.height,
                        capacityOf(r.member)});
        return out;
    }
    static QList<BuiltLabel> built(std::span<const LabelRow<Record>> labels)
    {
        QList<BuiltLabel> out;
        for (const auto& l : labels)
            out.append({l.name, l.initial, l.hidden});
        return out;
    }

    QList<QString Record::*> fieldMembers_;
    QList<QString Record::*> labelMembers_;
};

} // namespace tavorel
