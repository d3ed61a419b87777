#include "members/TfrmCertScaduti.h"

#include "lists/ListRows.h"
#include "printing/ListTemplate.h"

namespace tavorel {

namespace {
// With the days left the sport (index 91, 32 characters) keeps 20 characters, and the days follow
// the expiry date, the row's last value, which then starts at index 132 and takes ten characters.
constexpr int kStrettoAt = 91 + 20;
constexpr int kStrettoDi = 12;
constexpr int kGiorniAt = 132 + 10;
} // namespace

TfrmCertScaduti::TfrmCertScaduti(QWidget* owner, CaricaIscritto carica)
    : ExpiredList(owner,
                  {QStringLiteral("frmCertScaduti"), QStringLiteral(" Riepilogo certificati medici scaduti"),
                   QStringLiteral("CERTIFICATI MEDICI SCADUTI"), kTitoloCertificatiScaduti, &TSchedaIscritto::Studio,
                   &ListRows::writeCertificateRow, kStrettoAt, kStrettoDi, kGiorniAt, true},
                  std::move(carica))
{
}

} // namespace tavorel
