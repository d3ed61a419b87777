#include "members/TfrmAnteprimaTiratori.h"

#include "storage/Messages.h"

namespace tavorel {

TfrmAnteprimaTiratori::TfrmAnteprimaTiratori(QWidget* owner, const TSchedaIscritto& fields, const QImage& photo)
    : MemberSheetDialog(owner, Output::Preview,
                        Texts{QStringLiteral("frmAnteprimaTiratori"), QStringLiteral(" Anteprima di stampa"),
                              QStringLiteral("Anteprima di stampa"),
                              QStringLiteral("I dati della scheda corrente verranno visualizzati così come "
                                             "appariranno in stampa.\nFare clic su Mostra anteprima per "
                                             "visualizzare il documento sullo schermo."),
                              QStringLiteral("Mostra anteprima"), kMsgSchedaAnteprima, QString()},
                        fields, photo)
{
}

} // namespace tavorel
