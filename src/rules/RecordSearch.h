#pragma once

#include "storage/RecordLayout.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QDate>
#include <QString>

#include <vector>

namespace tavorel {

// The text of one field straight from a record's stored bytes: the length byte (clamped to the
// capacity) and the Windows-1252 text, trimmed of blanks and control characters at both ends,
// exactly as decoding and trimming would leave it, but without making a string.
QByteArrayView storedField(QByteArrayView record, int offset, int capacity);

// The date a stored field holds, read as DataDaTesto reads it ("dd/mm/yyyy", day and month of one
// or two digits), straight from the bytes; invalid when the field holds no such date.
QDate storedDate(QByteArrayView record, int offset, int capacity);

// The criteria of a search screen, tested on stored records without decoding them: a year's
// archive holds a hundred thousand receipts, and only the few found are turned into text. A
// criterion is in use when it is not blank (CriterioInUso); a record passes when every criterion in
// use, as typed, is contained in its field with the letters A to Z folded on both sides
// (CriterioSoddisfatto), which on Windows-1252 bytes is the same folding as on the decoded text.
class StoredCriteria {
public:
    // Adds the criterion for the field at `offset` of `capacity` bytes; one not in use is left out.
    void add(int offset, int capacity, const QString& criterion);
    // The same, naming the field by the record's member.
    template <typename T>
    void add(QString T::*member, const QString& criterion)
    {
        const auto& fields = T::fields();
        for (std::size_t i = 0; i < fields.size(); ++i) {
            if (fields[i].member == member) {
                add(fieldOffset(fields, i), fields[i].capacity, criterion);
                return;
            }
        }
    }

    // How many criteria are in use.
    int inUse() const { return int(criteria_.size()); }
    // True when the stored record satisfies every criterion in use (always, with none).
    bool matches(QByteArrayView record) const;

private:
    struct Criterion {
        int offset;
        int capacity;
        QByteArray key;  // the criterion in Windows-1252, A-Z folded to a-z
        bool impossible; // it holds a character no stored text can hold
    };
    std::vector<Criterion> criteria_;
};

} // namespace tavorel
