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

// The same row from the stored bytes, appended to `out` as bytes: each field is found in place,
// cut or padded to its column, and copied; the row's length is known before it is written, so a
// row costs at most one growth of `out`.
template <class Record>
void writeRow(QByteArrayView stored, const std::vector<RowPart<Record>>& parts, QByteArray& out)
{
    QByteArrayView pieces[16];
    const std::size_t n = std::min(parts.size(), std::size(pieces));
    qsizetype length = 0;
    for (std::size_t p = 0; p < n; ++p) {
        const RowPart<Record>& part = parts[p];
        if (!part.field) {
            pieces[p] = part.label;
            length += part.label.size();
            continue;
        }
        QByteArrayView text = storedField(stored, part.stored.offset, part.stored.capacity);
        if (part.width != kLast)
            text = text.first(std::min<qsizetype>(text.size(), part.width));
        pieces[p] = text;
        length += part.width == kLast ? text.size() : part.width;
    }
    const qsizetype at = out.size();
    out.resize(at + length);
    char* dst = out.data() + at;
    for (std::size_t p = 0; p < n; ++p) {
        const QByteArrayView text = pieces[p];
        std::memcpy(dst, text.data(), std::size_t(text.size()));
        dst += text.size();
        for (qsizetype pad = text.size(); pad < parts[p].width; ++pad)
            *dst++ = ' ';
    }
}

template <class Record>
QString textRow(QByteArrayView stored, const std::vector<RowPart<Record>>& parts)
{
    QByteArray bytes;
    writeRow<Record>(stored, parts, bytes);
    return fromCp1252(bytes);
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

void ListRows::writeReceiptRow(QByteArrayView stored, QByteArray& out)
{
    writeRow<R>(stored, receiptParts(), out);
}

QString ListRows::receiptRow(QByteArrayView stored)
{
    return textRow<R>(stored, receiptParts());
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

void ListRows::writeMemberRow(QByteArrayView stored, QByteArray& out)
{
    writeRow<I>(stored, memberParts(), out);
}

QString ListRows::memberRow(QByteArrayView stored)
{
    return textRow<I>(stored, memberParts());
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

void ListRows::writeCertificateRow(QByteArrayView stored, QByteArray& out)
{
    writeRow<I>(stored, certificateParts(), out);
}

QString ListRows::certificateRow(QByteArrayView stored)
{
    return textRow<I>(stored, certificateParts());
}

bool ListRows::sortsBefore(const QString& a, const QString& b)
{
    return ConfrontaAZ(a, b) < 0;
}

} // namespace tavorel
