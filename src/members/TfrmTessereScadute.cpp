#include "members/TfrmTessereScadute.h"

#include "printing/ListRows.h"
#include "printing/ListTemplate.h"

namespace tavorel {

namespace {
// The days left go right after the card's expiry date, before "  Quota: € " (index 131).
constexpr int kGiorniAt = 131;
} // namespace

TfrmTessereScadute::TfrmTessereScadute(QWidget* owner, CaricaIscritto carica)
    : ExpiredList(owner,
                  {QStringLiteral("frmTessereScadute"), QStringLiteral(" Riepilogo tessere scadute"),
                   QStringLiteral("RIEPILOGO TESSERE SCADUTE"), kTitoloTessereScadute, &TSchedaIscritto::FineTes,
                   &ListRows::writeMemberRow, kGiorniAt, false},
                  std::move(carica))
{
}

} // namespace tavorel
