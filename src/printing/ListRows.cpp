#include "ListRows.h"

#include "rules/TextRules.h"

#include <algorithm>
#include <initializer_list>
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

template <class Record>
QString buildRow(const Record& record, std::initializer_list<RowPart<Record>> parts)
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

QString ListRows::receiptRow(const TSchedaRicevuta& r)
{
    return buildRow<R>(r, {
                              label<R>(u"Ric. n. "),
                              field(&R::NumRic, 12),
                              label<R>(u"  Data: "),
                              field(&R::Data, 10),
                              label<R>(u"  "),
                              field(&R::Pagatore, 26),
                              label<R>(u"  Sport: "),
                              field(&R::Sport, 30),
                              label<R>(u"  Dal "),
                              field(&R::Dal, 10),
                              label<R>(u"  Al "),
                              field(&R::Al, 10),
                              label<R>(u"  Tot. € "),
                              field(&R::Intero, kLast),
                          });
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
