#pragma once

#include "storage/RecordLayout.h"

#include <QString>

#include <array>

namespace tavorel {

// How one receipt was paid, stored beside the year's archive in "yyyy.pag": record k belongs to
// receipt k of "yyyy.ric". The receipt archive itself keeps its format; a receipt with no record
// here (an older one, or a side file that is missing or shorter) was paid in a way not stated.
// Each member is named after the editor control that fills it.
struct TSchedaPagamento {
    QString Causale;   // the reason, as the drop-down lists it, or empty
    QString Pagamento; // the way it was paid, as the drop-down lists it, or empty
    QString DataPag;   // dd/mm/yyyy, empty for the receipt's own date
    QString RifPag;    // the transfer's CRO/TRN, the cheque's number...

    static constexpr int RecordSize = 129;

    bool operator==(const TSchedaPagamento&) const = default;
    bool vuoto() const { return Causale.isEmpty() && Pagamento.isEmpty() && DataPag.isEmpty() && RifPag.isEmpty(); }

    static constexpr const std::array<RecordField<TSchedaPagamento>, 4>& fields();
};

inline constexpr std::array<RecordField<TSchedaPagamento>, 4> kTSchedaPagamentoFields{{
    {"Causale", &TSchedaPagamento::Causale, 40},
    {"Pagamento", &TSchedaPagamento::Pagamento, 40},
    {"DataPag", &TSchedaPagamento::DataPag, 10},
    {"RifPag", &TSchedaPagamento::RifPag, 35},
}};

constexpr const std::array<RecordField<TSchedaPagamento>, 4>& TSchedaPagamento::fields()
{
    return kTSchedaPagamentoFields;
}

static_assert(recordSizeOf(TSchedaPagamento::fields()) == TSchedaPagamento::RecordSize);
static_assert(capacitiesFit(TSchedaPagamento::fields()));

} // namespace tavorel
