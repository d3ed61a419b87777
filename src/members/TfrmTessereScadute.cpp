#include "members/TfrmTessereScadute.h"

#include "lists/ListRows.h"
#include "printing/ListTemplate.h"

namespace tavorel {

namespace {
// With the days left the card number (index 89, 24 characters) keeps 14 characters, and the days
// follow the card's expiry date, before "  Quota: € " (then at index 121).
constexpr int kStrettoAt = 89 + 14;
constexpr int kStrettoDi = 10;
constexpr int kGiorniAt = 121;
} // namespace

TfrmTessereScadute::TfrmTessereScadute(QWidget* owner, CaricaIscritto carica)
    : ExpiredList(owner,
                  {QStringLiteral("frmTessereScadute"), QStringLiteral(" Riepilogo tessere scadute"),
                   QStringLiteral("RIEPILOGO TESSERE SCADUTE"), kTitoloTessereScadute, &TSchedaIscritto::FineTes,
                   &ListRows::writeMemberRow, kStrettoAt, kStrettoDi, kGiorniAt, false},
                  std::move(carica))
{
}

} // namespace tavorel
