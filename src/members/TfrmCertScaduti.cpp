#include "members/TfrmCertScaduti.h"

#include "printing/ListRows.h"
#include "printing/ListTemplate.h"

namespace tavorel {

namespace {
// The days left go right after the certificate's expiry date, the row's last value: it starts at
// index 144 and takes ten characters.
constexpr int kGiorniAt = 144 + 10;
} // namespace

TfrmCertScaduti::TfrmCertScaduti(QWidget* owner, CaricaIscritto carica)
    : ExpiredList(owner,
                  {QStringLiteral("frmCertScaduti"), QStringLiteral(" Riepilogo certificati medici scaduti"),
                   QStringLiteral("CERTIFICATI MEDICI SCADUTI"), kTitoloCertificatiScaduti, &TSchedaIscritto::Studio,
                   &ListRows::writeCertificateRow, kGiorniAt, true},
                  std::move(carica))
{
}

} // namespace tavorel
