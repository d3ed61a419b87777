#include "checks/TfrmCodFisc.h"

#include "checks/CheckWindowLayout.h"
#include "checks/TfrmPartitaIva.h"
#include "rules/FieldRules.h"
#include "rules/FiscalCode.h"
#include "rules/TextRules.h"
#include "shell/FieldKeys.h"
#include "shell/Platform.h"
#include "storage/Messages.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace tavorel {

TfrmCodFisc::TfrmCodFisc(QWidget* owner)
    : FixedDialog(owner, QStringLiteral("frmCodFisc"), QStringLiteral(" Controllo codice fiscale"), QSize(560, 330),
                  /*centreOnOwner*/ false)
{
    const CheckWindowLayout c =
        CheckWindowLayout::build(this, QStringLiteral(":/assets/controllo_cf.svg"),
                                 QStringLiteral("Immettere il codice fiscale e premere il pulsante di controllo."),
                                 QStringLiteral("txtCodFisc"), 16);
    imgLogo = c.picture;
    lblTitolo = c.title;
    txtCodFisc = c.field;
    btnControlla = c.check;
    btnChiudi = c.close;

    FieldKeys* keys = FieldKeys::of(txtCodFisc);
    keys->setForced(ForcedText::UpperTrimmed);
    keys->setEnterTarget(btnControlla);

    connect(btnControlla, &QPushButton::clicked, this, &TfrmCodFisc::btnControllaClick);
    connect(btnChiudi, &QPushButton::clicked, this, &TfrmCodFisc::btnChiudiClick);
}

void TfrmCodFisc::btnControllaClick()
{
    // Not trimmed here: typing already trims, and a caller's text with blanks must not pass.
    const QString code = MaiuscoleAZ(txtCodFisc->text());
    if (code.size() != 16) {
        platform().message(this, MessageKind::Warning, kMsgCodFiscLunghezza);
        txtCodFisc->setFocus(Qt::OtherFocusReason);
        return;
    }
    if (CodiceFiscaleValido(code))
        platform().message(this, MessageKind::Information, kMsgCodFiscValido);
    else
        platform().message(this, MessageKind::Warning, kMsgCodFiscErrato);
    accept();
}

void TfrmCodFisc::btnChiudiClick()
{
    reject();
}

void TfrmCodFisc::FormShow()
{
    txtCodFisc->setFocus(Qt::OtherFocusReason);
}

void TfrmCodFisc::loadText(const QString& text)
{
    CheckWindowLayout::loadWhole(txtCodFisc, text);
}

void TfrmCodFisc::apriControllo(QWidget* owner, const QString& codFiscText)
{
    const QString text = TrimSpazi(codFiscText);
    QDialog* check;
    if (!text.isEmpty() && SoloCifre(text)) {
        auto* vat = new TfrmPartitaIva(owner);
        vat->loadText(text);
        check = vat;
    } else {
        auto* code = new TfrmCodFisc(owner);
        code->loadText(text);
        check = code;
    }
    platform().runModal(check);
    delete check;
}

} // namespace tavorel
