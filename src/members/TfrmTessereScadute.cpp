#include "members/TfrmTessereScadute.h"

#include "lists/ListRows.h"
#include "printing/ListTemplate.h"

namespace tavorel {

TfrmTessereScadute::TfrmTessereScadute(QWidget* owner, CaricaIscritto carica)
    : ExpiredList(owner,
                  {QStringLiteral("frmTessereScadute"), QStringLiteral(" Riepilogo tessere scadute"),
                   QStringLiteral("RIEPILOGO TESSERE SCADUTE"), kTitoloTessereScadute, &TSchedaIscritto::FineTes,
                   &ListRows::writeMemberRow},
                  std::move(carica))
{
}

} // namespace tavorel
