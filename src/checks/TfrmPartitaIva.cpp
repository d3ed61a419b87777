#include "checks/TfrmPartitaIva.h"

#include "rules/TextRules.h"
#include "rules/VatNumber.h"
#include "checks/CheckWindowLayout.h"
#include "shell/FieldKeys.h"
#include "shell/Platform.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace tavorel {

namespace {

const QString kMsgLunghezza =
    QStringLiteral("Attenzione: la partita IVA deve essere composta da 11 caratteri numerici.");
const QString kMsgValido = QStringLiteral("Il numero di partita IVA digitato risulta VALIDO.\r\n\r\n"
                                          "E' stato rilasciato dall'Ufficio IVA del Comune di ");
const QString kMsgErrato = QStringLiteral("Attenzione: il numero di partita IVA digitato risulta ERRATO!\r\n\r\n"
                                          "Non è quindi possibile fornire informazioni relative all'Ufficio IVA "
                                          "che lo ha rilasciato.");
// Said in place of the office's name when its code is not in the office table.
const QString kUfficioSconosciuto = QStringLiteral("(ufficio non presente in tabella)");

} // namespace

TfrmPartitaIva::TfrmPartitaIva(QWidget* owner)
    : FixedDialog(owner, QStringLiteral("frmPartitaIva"), QStringLiteral(" Controllo partita IVA"), QSize(560, 330),
                  /*centreOnOwner*/ false)
{
    const CheckWindowLayout c = CheckWindowLayout::build(
        this, QStringLiteral(":/assets/controllo_iva.svg"),
        QStringLiteral("Immettere il numero di partita IVA e premere il pulsante di controllo."),
        QStringLiteral("txtPartitaIva"), 11);
    imgLogo = c.picture;
    lblTitolo = c.title;
    txtPartitaIva = c.field;
    btnControlla = c.check;
    btnChiudi = c.close;

    FieldKeys* keys = FieldKeys::of(txtPartitaIva);
    keys->setFilter(KeyFilter::Digits);
    keys->setEnterTarget(btnControlla);

    connect(btnControlla, &QPushButton::clicked, this, &TfrmPartitaIva::btnControllaClick);
    connect(btnChiudi, &QPushButton::clicked, this, &TfrmPartitaIva::btnChiudiClick);
}

void TfrmPartitaIva::btnControllaClick()
{
    const QString number = MaiuscoleAZ(txtPartitaIva->text());
    if (number.size() != 11) {
        platform().message(this, MessageKind::Warning, kMsgLunghezza);
        txtPartitaIva->setFocus(Qt::OtherFocusReason);
        return;
    }
    if (PartitaIvaValida(number)) {
        const QString office = UfficioIva(number.mid(7, 3));
        platform().message(this, MessageKind::Information,
                           kMsgValido + (office.isEmpty() ? kUfficioSconosciuto : office) + QLatin1Char('.'));
    } else {
        platform().message(this, MessageKind::Warning, kMsgErrato);
    }
    accept();
}

void TfrmPartitaIva::btnChiudiClick()
{
    reject();
}

void TfrmPartitaIva::FormShow()
{
    txtPartitaIva->setFocus(Qt::OtherFocusReason);
}

} // namespace tavorel
