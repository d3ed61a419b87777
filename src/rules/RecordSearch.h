#pragma once

#include "storage/RecordLayout.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QDate>
#include <QString>

#include <vector>

namespace tavorel {

// The date a stored field holds, read as DataDaTesto reads it ("dd/mm/yyyy", day and month of one
// or two digits), straight from the bytes; invalid when the field holds no such date. The one
// reading of a stored date: the lists and the income summary test dates this way.
QDate storedDate(QByteArrayView record, StoredField field);

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
        const StoredField field = storedFieldOf<T>(member);
        add(field.offset, field.capacity, criterion);
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
