#include "ListRows.h"

#include "rules/RecordSearch.h"
#include "rules/TextRules.h"
#include "storage/Cp1252.h"

#include <algorithm>
#include <initializer_list>
#include <string>
#include <vector>

namespace tavorel {

namespace {

constexpr int kLast = -1;

// One piece of a row: a literal label, or a record field in a column of some width (kLast: the
// value that ends the row, neither cut nor padded).
template <class Record>
struct RowPart {
    const char16_t* label;
    QString Record::*field;
    int width;
};

template <class Record>
RowPart<Record> label(const char16_t* text)
{
    return {text, nullptr, 0};
}
template <class Record>
RowPart<Record> field(QString Record::*member, int width)
{
    return {nullptr, member, width};
}

template <class Record, class Parts>
QString buildRow(const Record& record, const Parts& parts)
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

template <class Record>
QString buildRow(const Record& record, std::initializer_list<RowPart<Record>> parts)
{
    return buildRow<Record, std::initializer_list<RowPart<Record>>>(record, parts);
}

using R = TSchedaRicevuta;
using I = TSchedaIscritto;

constexpr RowPart<R> kReceiptRow[] = {
    {u"Ric. n. ", nullptr, 0},  {nullptr, &R::NumRic, 12},    {u"  Data: ", nullptr, 0},  {nullptr, &R::Data, 10},
    {u"  ", nullptr, 0},        {nullptr, &R::Pagatore, 26},  {u"  Sport: ", nullptr, 0}, {nullptr, &R::Sport, 30},
    {u"  Dal ", nullptr, 0},    {nullptr, &R::Dal, 10},       {u"  Al ", nullptr, 0},     {nullptr, &R::Al, 10},
    {u"  Tot. € ", nullptr, 0}, {nullptr, &R::Intero, kLast},
};

// The longest row the parts can make: labels, columns, and the whole capacity of the last value.
template <class Record, std::size_t N>
constexpr int longestRow(const RowPart<Record> (&parts)[N])
{
    int length = 0;
    for (const RowPart<Record>& part : parts) {
        if (part.label)
            length += int(std::char_traits<char16_t>::length(part.label));
        else if (part.width != kLast)
            length += part.width;
        else
            length += storedFieldOf<Record>(part.field).capacity;
    }
    return length;
}

} // namespace

QString ListRows::value(const QString& fieldText)
{
    return TrimSpazi(fieldText);
}

QString ListRows::column(const QString& fieldText, int width)
{
    return value(fieldText).left(width).leftJustified(width, QLatin1Char(' '));
}

QString ListRows::receiptRow(const TSchedaRicevuta& r)
{
    return buildRow(r, kReceiptRow);
}

QString ListRows::storedReceiptRow(QByteArrayView stored)
{
    // One allocation per row: every value goes from its stored bytes straight into the row.
    static constexpr int kLongest = longestRow(kReceiptRow);
    QString row(kLongest, Qt::Uninitialized);
    QChar* out = row.data();
    for (const RowPart<R>& part : kReceiptRow) {
        if (part.label) {
            for (const char16_t* c = part.label; *c; ++c)
                *out++ = QChar(*c);
            continue;
        }
        const StoredField f = storedFieldOf<R>(part.field);
        QByteArrayView text = storedField(stored, f.offset, f.capacity);
        if (part.width != kLast)
            text = text.first(qMin<qsizetype>(text.size(), part.width));
        fromCp1252(text, out);
        out += text.size();
        for (qsizetype pad = text.size(); pad < part.width; ++pad)
            *out++ = QLatin1Char(' ');
    }
    row.truncate(out - row.constData());
    return row;
}

QString ListRows::memberRow(const TSchedaIscritto& m)
{
    return buildRow<I>(m, {
                              field(&I::Tiratore, 30),
                              label<I>(u"  Tel. "),
                              field(&I::Tel, 16),
                              label<I>(u"  Cel. "),
                              field(&I::Cel, 16),
                              label<I>(u"  Tessera n. "),
                              field(&I::Tessera, 24),
                              label<I>(u"  Scad. "),
                              field(&I::FineTes, 10),
                              label<I>(u"  Quota: € "),
                              field(&I::Quota, kLast),
                          });
}

QString ListRows::certificateRow(const TSchedaIscritto& m)
{
    return buildRow<I>(m, {
                              field(&I::Tiratore, 32),
                              label<I>(u"  Cel. "),
                              field(&I::Cel, 20),
                              label<I>(u"  C.F. "),
                              field(&I::CodFisc, 16),
                              label<I>(u"  Sport: "),
                              field(&I::Ente, 32),
                              label<I>(u"  Scad. certificato: "),
                              field(&I::Studio, kLast),
                          });
}

bool ListRows::sortsBefore(const QString& a, const QString& b)
{
    return ConfrontaAZ(a, b) < 0;
}

void ListRows::sort(QStringList& rows)
{
    // Each row's key is made once, not at every comparison.
    std::vector<std::pair<QByteArray, QString>> keyed;
    keyed.reserve(size_t(rows.size()));
    for (QString& row : rows)
        keyed.emplace_back(ChiaveAZ(row), std::move(row));
    std::stable_sort(keyed.begin(), keyed.end(),
                     [](const auto& a, const auto& b) { return ConfrontaChiavi(a.first, b.first) < 0; });
    for (qsizetype i = 0; i < rows.size(); ++i)
        rows[i] = std::move(keyed[size_t(i)].second);
}

} // namespace tavorel
