#include "members/TfrmStampaTiratori.h"

#include "storage/Messages.h"

namespace tavorel {

TfrmStampaTiratori::TfrmStampaTiratori(QWidget* owner, const TSchedaIscritto& fields, const QImage& photo)
    : MemberSheetDialog(owner, Output::Print,
                        Texts{QStringLiteral("frmStampaTiratori"), QStringLiteral(" Stampa scheda"),
                              QStringLiteral("Stampa scheda"),
                              QStringLiteral("La scheda corrente verrà stampata con i dati immessi.\n"
                                             "Fare clic su Stampa per avviare la stampa oppure su Annulla per "
                                             "annullare l'operazione."),
                              QStringLiteral("Stampa"), kMsgSchedaStampa, QStringLiteral(":/assets/stampa_scheda.svg")},
                        fields, photo)
{
}

} // namespace tavorel
