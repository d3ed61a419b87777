#include "ListRows.h"

#include "rules/RecordSearch.h"
#include "rules/TextRules.h"
#include "storage/Cp1252.h"

#include <algorithm>
#include <cstring>
#include <initializer_list>
#include <iterator>
#include <vector>

namespace tavorel {

namespace {

constexpr int kLast = -1;

// One piece of a row: a literal label, or a record field in a column of some width (kLast: the
// value that ends the row, neither cut nor padded).
// Where a field lies in the stored record, and a label's bytes, are worked out once, when the
// row's parts are made, not again for every row.
template <class Record>
struct RowPart {
    QByteArray label; // Windows-1252; empty for a field
    QString Record::*field;
    int width;
    StoredField stored; // where the field lies in the stored record
};

template <class Record>
RowPart<Record> label(const char16_t* text)
{
    return {toCp1252(QString::fromUtf16(text)), nullptr, 0, {}};
}
template <class Record>
RowPart<Record> field(QString Record::*member, int width)
{
    return {{}, member, width, storedFieldOf<Record>(member)};
}

template <class Record>
QString buildRow(const Record& record, const std::vector<RowPart<Record>>& parts)
{
    QString row;
    for (const RowPart<Record>& part : parts) {
        if (!part.field)
            row += fromCp1252(part.label);
        else if (part.width == kLast)
            row += ListRows::value(record.*part.field);
        else
            row += ListRows::column(record.*part.field, part.width);
    }
    return row;
}

// The same row from the stored bytes, laid out once: every part but a last field of no fixed
// width has a fixed place and width, so a row is a copy of the laid-out labels and blanks with
// each field's text copied over its column, and the last field after them.
struct StoredRowShape {
    struct Column {
        StoredField stored;
        int at;    // where the column begins in `fixed`
        int width; // the text is cut to this; the rest of the column stays blank
    };
    QByteArray fixed; // the labels in their places, blanks in the columns
    std::vector<Column> columns;
    StoredField last; // offset -1: none // the field that ends the row, or offset -1
};

template <class Record>
StoredRowShape shapeOf(const std::vector<RowPart<Record>>& parts)
{
    StoredRowShape shape;
    for (const RowPart<Record>& part : parts) {
        if (!part.field) {
            shape.fixed += part.label;
        } else if (part.width == kLast) {
            // Only the last part may be of no fixed width: a part after it would have no place.
            Q_ASSERT(&part == &parts.back());
            shape.last = part.stored;
        } else {
            shape.columns.push_back({part.stored, int(shape.fixed.size()), part.width});
            shape.fixed += QByteArray(part.width, ' ');
        }
    }
    return shape;
}

// Appends the row to `out` as bytes, each field found in place, cut or padded to its column; the
// row's length is known before it is written, so a row costs at most one growth of `out`.
void writeShapedRow(QByteArrayView stored, const StoredRowShape& shape, QByteArray& out)
{
    const QByteArrayView last =
        shape.last.offset < 0 ? QByteArrayView() : storedField(stored, shape.last.offset, shape.last.capacity);
    const qsizetype at = out.size();
    out.resize(at + shape.fixed.size() + last.size());
    char* row = out.data() + at;
    std::memcpy(row, shape.fixed.constData(), std::size_t(shape.fixed.size()));
    for (const StoredRowShape::Column& c : shape.columns) {
        const QByteArrayView text = storedField(stored, c.stored.offset, c.stored.capacity);
        if (!text.isEmpty())
            std::memcpy(row + c.at, text.data(), std::size_t(std::min<qsizetype>(text.size(), c.width)));
    }
    if (!last.isEmpty())
        std::memcpy(row + shape.fixed.size(), last.data(), std::size_t(last.size()));
}

QString textRow(QByteArrayView stored, const StoredRowShape& shape)
{
    QByteArray bytes;
    writeShapedRow(stored, shape, bytes);
    return fromCp1252(bytes);
}

// A list's row: its parts, for rows made from decoded records, and their layout, for rows
// written from stored bytes; both made once, the first time the list's rows are asked for.
template <class Record>
struct RowKind {
    RowKind(std::initializer_list<RowPart<Record>> p) : parts(p), shape(shapeOf(parts)) {}
    std::vector<RowPart<Record>> parts;
    StoredRowShape shape;
};

using R = TSchedaRicevuta;
using I = TSchedaIscritto;

} // namespace

QString ListRows::value(const QString& fieldText)
{
    return TrimSpazi(fieldText);
}

QString ListRows::column(const QString& fieldText, int width)
{
    return value(fieldText).left(width).leftJustified(width, QLatin1Char(' '));
}

static const RowKind<R>& receiptList()
{
    static const RowKind<R> kind{
        label<R>(u"Ric. n. "),  field(&R::NumRic, 12),    label<R>(u"  Data: "),  field(&R::Data, 10),
        label<R>(u"  "),        field(&R::Pagatore, 26),  label<R>(u"  Sport: "), field(&R::Sport, 30),
        label<R>(u"  Dal "),    field(&R::Dal, 10),       label<R>(u"  Al "),     field(&R::Al, 10),
        label<R>(u"  Tot. € "), field(&R::Intero, kLast),
    };
    return kind;
}

QString ListRows::receiptRow(const TSchedaRicevuta& r)
{
    return buildRow<R>(r, receiptList().parts);
}

void ListRows::writeReceiptRow(QByteArrayView stored, QByteArray& out)
{
    writeShapedRow(stored, receiptList().shape, out);
}

QString ListRows::receiptRow(QByteArrayView stored)
{
    return textRow(stored, receiptList().shape);
}

static const RowKind<I>& memberList()
{
    static const RowKind<I> kind{
        field(&I::Tiratore, 30), label<I>(u"  Tel. "),       field(&I::Tel, 16),      label<I>(u"  Cel. "),
        field(&I::Cel, 16),      label<I>(u"  Tessera n. "), field(&I::Tessera, 24),  label<I>(u"  Scad. "),
        field(&I::FineTes, 10),  label<I>(u"  Quota: € "),   field(&I::Quota, kLast),
    };
    return kind;
}

QString ListRows::memberRow(const TSchedaIscritto& m)
{
    return buildRow<I>(m, memberList().parts);
}

void ListRows::writeMemberRow(QByteArrayView stored, QByteArray& out)
{
    writeShapedRow(stored, memberList().shape, out);
}

QString ListRows::memberRow(QByteArrayView stored)
{
    return textRow(stored, memberList().shape);
}

static const RowKind<I>& certificateList()
{
    static const RowKind<I> kind{
        field(&I::Tiratore, 32),  label<I>(u"  Cel. "),   field(&I::Cel, 20),  label<I>(u"  C.F. "),
        field(&I::CodFisc, 16),   label<I>(u"  Sport: "), field(&I::Ente, 32), label<I>(u"  Scad. certificato: "),
        field(&I::Studio, kLast),
    };
    return kind;
}

QString ListRows::certificateRow(const TSchedaIscritto& m)
{
    return buildRow<I>(m, certificateList().parts);
}

void ListRows::writeCertificateRow(QByteArrayView stored, QByteArray& out)
{
    writeShapedRow(stored, certificateList().shape, out);
}

QString ListRows::certificateRow(QByteArrayView stored)
{
    return textRow(stored, certificateList().shape);
}

bool ListRows::sortsBefore(const QString& a, const QString& b)
{
    return ConfrontaAZ(a, b) < 0;
}

} // namespace tavorel
