#include "support/RowOracle.h"

#include "storage/Trim.h"

#include <initializer_list>

namespace tavorel::test {

namespace {

constexpr int kLast = -1;

// A literal label (no field), or a field's value in a column of some width (kLast: the value that
// ends the row, neither cut nor padded).
template <class Record>
struct Part {
    const char16_t* label;
    QString Record::*field;
    int width;
};

template <class Record>
QString rowOf(const Record& record, std::initializer_list<Part<Record>> parts)
{
    QString row;
    for (const Part<Record>& part : parts) {
        if (!part.field) {
            row += QString::fromUtf16(part.label);
            continue;
        }
        const QString value = TrimSpazi(record.*part.field);
        row += part.width == kLast ? value : value.left(part.width).leftJustified(part.width, QLatin1Char(' '));
    }
    return row;
}

using R = TSchedaRicevuta;
using I = TSchedaIscritto;

} // namespace

QString receiptRow(const TSchedaRicevuta& r)
{
    return rowOf<R>(r, {
                           {u"Ric. n. ", nullptr, 0},
                           {nullptr, &R::NumRic, 12},
                           {u"  Data: ", nullptr, 0},
                           {nullptr, &R::Data, 10},
                           {u"  ", nullptr, 0},
                           {nullptr, &R::Pagatore, 26},
                           {u"  Sport: ", nullptr, 0},
                           {nullptr, &R::Sport, 30},
                           {u"  Dal ", nullptr, 0},
                           {nullptr, &R::Dal, 10},
                           {u"  Al ", nullptr, 0},
                           {nullptr, &R::Al, 10},
                           {u"  Tot. € ", nullptr, 0},
                           {nullptr, &R::Intero, kLast},
                       });
}

QString memberRow(const TSchedaIscritto& m)
{
    return rowOf<I>(m, {
                           {nullptr, &I::Tiratore, 30},
                           {u"  Tel. ", nullptr, 0},
                           {nullptr, &I::Tel, 16},
                           {u"  Cel. ", nullptr, 0},
                           {nullptr, &I::Cel, 16},
                           {u"  Tessera n. ", nullptr, 0},
                           {nullptr, &I::Tessera, 24},
                           {u"  Scad. ", nullptr, 0},
                           {nullptr, &I::FineTes, 10},
                           {u"  Quota: € ", nullptr, 0},
                           {nullptr, &I::Quota, kLast},
                       });
}

QString certificateRow(const TSchedaIscritto& m)
{
    return rowOf<I>(m, {
                           {nullptr, &I::Tiratore, 32},
                           {u"  Cel. ", nullptr, 0},
                           {nullptr, &I::Cel, 20},
                           {u"  C.F. ", nullptr, 0},
                           {nullptr, &I::CodFisc, 16},
                           {u"  Sport: ", nullptr, 0},
                           {nullptr, &I::Ente, 32},
                           {u"  Scad. certificato: ", nullptr, 0},
                           {nullptr, &I::Studio, kLast},
                       });
}

} // namespace tavorel::test
