#include "members/TfrmCertScaduti.h"

#include "lists/ListRows.h"
#include "printing/ListTemplate.h"

namespace tavorel {

TfrmCertScaduti::TfrmCertScaduti(QWidget* owner, CaricaIscritto carica)
    : ExpiredList(owner,
                  {QStringLiteral("frmCertScaduti"), QStringLiteral(" Riepilogo certificati medici scaduti"),
                   QStringLiteral("CERTIFICATI MEDICI SCADUTI"), kTitoloCertificatiScaduti, &TSchedaIscritto::Studio,
                   &ListRows::writeCertificateRow},
                  std::move(carica))
{
}

} // namespace tavorel
