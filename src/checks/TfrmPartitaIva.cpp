#include "checks/TfrmPartitaIva.h"

#include "checks/CheckWindowLayout.h"
#include "rules/TextRules.h"
#include "rules/VatNumber.h"
#include "shell/FieldKeys.h"
#include "shell/Platform.h"
#include "storage/Messages.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace tavorel {

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

void TfrmPartitaIva::loadText(const QString& text)
{
    CheckWindowLayout::loadWhole(txtPartitaIva, text);
}

void TfrmPartitaIva::btnControllaClick()
{
    const QString number = MaiuscoleAZ(txtPartitaIva->text());
    if (number.size() != 11) {
        platform().message(this, MessageKind::Warning, kMsgPartitaIvaLunghezza);
        txtPartitaIva->setFocus(Qt::OtherFocusReason);
        return;
    }
    if (PartitaIvaValida(number)) {
        const QString office = UfficioIva(number.mid(7, 3));
        platform().message(this, MessageKind::Information,
                           kMsgPartitaIvaValida + (office.isEmpty() ? kMsgUfficioIvaSconosciuto : office) +
                               QLatin1Char('.'));
    } else {
        platform().message(this, MessageKind::Warning, kMsgPartitaIvaErrata);
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
