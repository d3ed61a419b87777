#include "lists/ListRows.h"

#include "storage/Cp1252.h"
#include "storage/RecordLayout.h"
#include "storage/TSchedaIscritto.h"
#include "storage/TSchedaRicevuta.h"

#include <algorithm>
#include <cstring>
#include <initializer_list>
#include <vector>

namespace tavorel {

namespace {

constexpr int kLast = -1;

// One piece of a row: a literal label, or a record field in a column of some width (kLast: the
// value that ends the row, neither cut nor padded).
struct RowPart {
    const char16_t* label; // nullptr for a field
    StoredField field;
    int width;
};

template <class Record>
RowPart field(QString Record::*member, int width)
{
    return {nullptr, storedFieldOf<Record>(member), width};
}

// A list's row laid out once: every part but a last field of no fixed width has a fixed place and
// width, so a row is a copy of the laid-out labels and blanks with each field's text copied over
// its column, and the last field after them.
class RowShape {
public:
    RowShape(std::initializer_list<RowPart> parts)
    {
        for (const RowPart& part : parts) {
            if (part.label) {
                fixed_ += toCp1252(QString::fromUtf16(part.label));
            } else if (part.width == kLast) {
                // Only the last part may be of no fixed width: a part after it would have no place.
                Q_ASSERT(&part == parts.end() - 1);
                last_ = part.field;
            } else {
                columns_.push_back({part.field, int(fixed_.size()), part.width});
                fixed_ += QByteArray(part.width, ' ');
            }
        }
    }

    // Appends the row to `out`; its length is known before it is written, so a row costs at most
    // one growth of `out`.
    void write(QByteArrayView stored, QByteArray& out) const
    {
        const QByteArrayView last = last_.offset < 0 ? QByteArrayView() : storedField(stored, last_);
        const qsizetype at = out.size();
        out.resize(at + fixed_.size() + last.size());
        char* row = out.data() + at;
        std::memcpy(row, fixed_.constData(), std::size_t(fixed_.size()));
        for (const Column& c : columns_) {
            const QByteArrayView text = storedField(stored, c.field);
            if (!text.isEmpty())
                std::memcpy(row + c.at, text.data(), std::size_t(std::min<qsizetype>(text.size(), c.width)));
        }
        if (!last.isEmpty())
            std::memcpy(row + fixed_.size(), last.data(), std::size_t(last.size()));
    }

    QString text(QByteArrayView stored) const
    {
        QByteArray bytes;
        write(stored, bytes);
        return fromCp1252(bytes);
    }

private:
    struct Column {
        StoredField field;
        int at;    // where the column begins in `fixed_`
        int width; // the text is cut to this; the rest of the column stays blank
    };
    QByteArray fixed_; // the labels in their places, blanks in the columns
    std::vector<Column> columns_;
    StoredField last_; // the field that ends the row, or offset -1
};

using R = TSchedaRicevuta;
using I = TSchedaIscritto;

// Each list's shape is made the first time its rows are asked for.
const RowShape& receiptShape()
{
    static const RowShape shape{
        {u"Ric. n. ", {}, 0},  field(&R::NumRic, 12),    {u"  Data: ", {}, 0},  field(&R::Data, 10),
        {u"  ", {}, 0},        field(&R::Pagatore, 26),  {u"  Sport: ", {}, 0}, field(&R::Sport, 30),
        {u"  Dal ", {}, 0},    field(&R::Dal, 10),       {u"  Al ", {}, 0},     field(&R::Al, 10),
        {u"  Tot. € ", {}, 0}, field(&R::Intero, kLast),
    };
    return shape;
}

const RowShape& memberShape()
{
    static const RowShape shape{
        field(&I::Tiratore, 30), {u"  Tel. ", {}, 0},       field(&I::Tel, 16),      {u"  Cel. ", {}, 0},
        field(&I::Cel, 16),      {u"  Tessera n. ", {}, 0}, field(&I::Tessera, 24),  {u"  Scad. ", {}, 0},
        field(&I::FineTes, 10),  {u"  Quota: € ", {}, 0},   field(&I::Quota, kLast),
    };
    return shape;
}

const RowShape& certificateShape()
{
    static const RowShape shape{
        field(&I::Tiratore, 32),  {u"  Cel. ", {}, 0},   field(&I::Cel, 20),  {u"  C.F. ", {}, 0},
        field(&I::CodFisc, 16),   {u"  Sport: ", {}, 0}, field(&I::Ente, 32), {u"  Scad. certificato: ", {}, 0},
        field(&I::Studio, kLast),
    };
    return shape;
}

} // namespace

void ListRows::writeReceiptRow(QByteArrayView stored, QByteArray& out)
{
    receiptShape().write(stored, out);
}

void ListRows::writeMemberRow(QByteArrayView stored, QByteArray& out)
{
    memberShape().write(stored, out);
}

void ListRows::writeCertificateRow(QByteArrayView stored, QByteArray& out)
{
    certificateShape().write(stored, out);
}

QString ListRows::receiptRow(QByteArrayView stored)
{
    return receiptShape().text(stored);
}

QString ListRows::memberRow(QByteArrayView stored)
{
    return memberShape().text(stored);
}

QString ListRows::certificateRow(QByteArrayView stored)
{
    return certificateShape().text(stored);
}

} // namespace tavorel
