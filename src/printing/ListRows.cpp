#include "ListRows.h"

#include "rules/RecordSearch.h"
#include "rules/TextRules.h"
#include "storage/Cp1252.h"

#include <algorithm>
#include <cstring>
#include <initializer_list>
#include <iterator>
#include <string>
#include <vector>

namespace tavorel {

namespace {

constexpr int kLast = -1;

// One piece of a row: a literal label, or a record field in a column of some width (kLast: the
// value that ends the row, neither cut nor padded).
// Where a field lies in the stored record and how long a label is are worked out once, when the
// row's parts are made, not again for every row.
template <class Record>
struct RowPart {
    const char16_t* label;
    QString Record::*field;
    int width;
    int offset = 0;      // the field's length byte in the stored record
    int capacity = 0;    // the field's capacity; 0 for a label
    int labelLength = 0; // the label's characters
};

template <class Record>
RowPart<Record> label(const char16_t* text)
{
    return {text, nullptr, 0, 0, 0, int(std::char_traits<char16_t>::length(text))};
}
template <class Record>
RowPart<Record> field(QString Record::*member, int width)
{
    RowPart<Record> part{nullptr, member, width};
    const auto& fields = Record::fields();
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (fields[i].member == member) {
            part.offset = fieldOffset(fields, i);
            part.capacity = fields[i].capacity;
        }
    }
    return part;
}

template <class Record>
QString buildRow(const Record& record, const std::vector<RowPart<Record>>& parts)
{
    QString row;
    for (const RowPart<Record>& part : parts) {
        if (part.label)
            row += QString::fromUtf16(part.label);
        else if (part.width == kLast)
            row += ListRows::value(record.*part.field);
        else
            row += ListRows::column(record.*part.field, part.width);
    }
    return row;
}

// The same row from the stored bytes: each field's text is found in place and only it is decoded,
// straight into the row, so a row costs one allocation however many fields it shows.
template <class Record>
QString buildRow(QByteArrayView stored, const std::vector<RowPart<Record>>& parts)
{
    struct Piece {
        QByteArrayView text; // empty for a label
        const RowPart<Record>* part;
    };
    Piece pieces[16];
    std::size_t n = 0;
    qsizetype length = 0;
    for (const RowPart<Record>& part : parts) {
        if (n == std::size(pieces))
            break;
        Piece& piece = pieces[n++];
        piece.part = &part;
        if (part.label) {
            length += part.labelLength;
            continue;
        }
        if (part.capacity > 0)
            piece.text = storedField(stored, part.offset, part.capacity);
        if (part.width != kLast)
            piece.text = piece.text.first(std::min<qsizetype>(piece.text.size(), part.width));
        length += part.width == kLast ? piece.text.size() : part.width;
    }
    QString row(length, Qt::Uninitialized);
    QChar* out = row.data();
    for (std::size_t p = 0; p < n; ++p) {
        const RowPart<Record>& part = *pieces[p].part;
        if (part.label) {
            for (const char16_t* c = part.label; *c; ++c)
                *out++ = QChar(*c);
            continue;
        }
        fromCp1252(pieces[p].text, out);
        out += pieces[p].text.size();
        for (qsizetype pad = pieces[p].text.size(); pad < part.width; ++pad)
            *out++ = QLatin1Char(' ');
    }
    return row;
}

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

static const std::vector<RowPart<R>>& receiptParts()
{
    static const std::vector<RowPart<R>> parts{
        label<R>(u"Ric. n. "),  field(&R::NumRic, 12),    label<R>(u"  Data: "),  field(&R::Data, 10),
        label<R>(u"  "),        field(&R::Pagatore, 26),  label<R>(u"  Sport: "), field(&R::Sport, 30),
        label<R>(u"  Dal "),    field(&R::Dal, 10),       label<R>(u"  Al "),     field(&R::Al, 10),
        label<R>(u"  Tot. € "), field(&R::Intero, kLast),
    };
    return parts;
}

QString ListRows::receiptRow(const TSchedaRicevuta& r)
{
    return buildRow<R>(r, receiptParts());
}

QString ListRows::receiptRow(QByteArrayView stored)
{
    return buildRow<R>(stored, receiptParts());
}

static const std::vector<RowPart<I>>& memberParts()
{
    static const std::vector<RowPart<I>> parts{
        field(&I::Tiratore, 30), label<I>(u"  Tel. "),       field(&I::Tel, 16),      label<I>(u"  Cel. "),
        field(&I::Cel, 16),      label<I>(u"  Tessera n. "), field(&I::Tessera, 24),  label<I>(u"  Scad. "),
        field(&I::FineTes, 10),  label<I>(u"  Quota: € "),   field(&I::Quota, kLast),
    };
    return parts;
}

QString ListRows::memberRow(const TSchedaIscritto& m)
{
    return buildRow<I>(m, memberParts());
}

QString ListRows::memberRow(QByteArrayView stored)
{
    return buildRow<I>(stored, memberParts());
}

static const std::vector<RowPart<I>>& certificateParts()
{
    static const std::vector<RowPart<I>> parts{
        field(&I::Tiratore, 32),  label<I>(u"  Cel. "),   field(&I::Cel, 20),  label<I>(u"  C.F. "),
        field(&I::CodFisc, 16),   label<I>(u"  Sport: "), field(&I::Ente, 32), label<I>(u"  Scad. certificato: "),
        field(&I::Studio, kLast),
    };
    return parts;
}

QString ListRows::certificateRow(const TSchedaIscritto& m)
{
    return buildRow<I>(m, certificateParts());
}

QString ListRows::certificateRow(QByteArrayView stored)
{
    return buildRow<I>(stored, certificateParts());
}

bool ListRows::sortsBefore(const QString& a, const QString& b)
{
    return ConfrontaAZ(a, b) < 0;
}

namespace {

// The byte a character has in a sort key: its Windows-1252 code, a to z taken as A to Z, "?" for a
// character the code page lacks (as ChiaveAZ makes it, without a text per row).
inline uchar keyByte(char16_t c)
{
    if (c < 0x80)
        return uchar((c >= u'a' && c <= u'z') ? c - (u'a' - u'A') : c);
    if (c >= 0xA0 && c <= 0xFF)
        return uchar(c);
    const int b = cp1252Byte(c);
    return b < 0 ? uchar('?') : uchar(b);
}

} // namespace

void ListRows::sort(QStringList& rows)
{
    // Every row's key is made once, into one buffer; a row is then ordered by the first eight bytes
    // of its key, read as one number, and only rows that share those compare the rest. Ties keep
    // the rows' order (the sort is stable), as when the keys were compared whole.
    struct Entry {
        quint64 head; // the first 8 key bytes, big-endian, zero-padded
        quint32 at;   // the key in `keys`
        quint32 size;
        quint32 index; // the row's place before sorting
    };
    std::vector<uchar> keys;
    std::vector<Entry> entries;
    entries.reserve(size_t(rows.size()));
    qsizetype total = 0;
    for (const QString& row : rows)
        total += row.size();
    keys.resize(size_t(total)); // a key has at most a byte per character of its row
    uchar* out = keys.data();
    for (qsizetype i = 0; i < rows.size(); ++i) {
        const QString& row = rows.at(i);
        Entry e{0, quint32(out - keys.data()), 0, quint32(i)};
        const char16_t* text = reinterpret_cast<const char16_t*>(row.constData());
        const qsizetype n = row.size();
        for (qsizetype j = 0; j < n; ++j) {
            const char16_t c = text[j];
            if (c < 0x80) {
                *out++ = uchar((c >= u'a' && c <= u'z') ? c - (u'a' - u'A') : c);
                continue;
            }
            // A surrogate pair is one character outside the code page.
            if (QChar::isHighSurrogate(c) && j + 1 < n && QChar::isLowSurrogate(text[j + 1]))
                ++j;
            *out++ = QChar::isSurrogate(c) ? uchar('?') : keyByte(c);
        }
        e.size = quint32(out - keys.data()) - e.at;
        for (quint32 b = 0; b < 8; ++b)
            e.head = (e.head << 8) | (b < e.size ? keys[e.at + b] : 0);
        entries.push_back(e);
    }
    const uchar* base = keys.data();
    std::sort(entries.begin(), entries.end(), [base](const Entry& a, const Entry& b) {
        if (a.head != b.head)
            return a.head < b.head;
        // The same first eight bytes, or the same shorter key padded with zeros: compare whole.
        const quint32 n = std::min(a.size, b.size);
        if (const int c = n > 0 ? std::memcmp(base + a.at, base + b.at, n) : 0)
            return c < 0;
        if (a.size != b.size)
            return a.size < b.size;
        return a.index < b.index;
    });
    QStringList sorted;
    sorted.reserve(rows.size());
    for (const Entry& e : entries)
        sorted.append(std::move(rows[e.index]));
    rows = std::move(sorted);
}

} // namespace tavorel
