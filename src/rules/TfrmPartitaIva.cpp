#include "rules/TfrmPartitaIva.h"

#include "rules/TextRules.h"
#include "rules/VatNumber.h"
#include "shell/FieldKeys.h"
#include "shell/Platform.h"
#include "shell/ScreenLook.h"

#include <QBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QSvgWidget>

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
    auto* card = look::card(this, QStringLiteral("panControllo"));

    imgLogo = new QSvgWidget(QStringLiteral(":/assets/controllo_iva.svg"), card);
    imgLogo->setObjectName(QStringLiteral("imgLogo"));
    imgLogo->setFixedSize(120, 80);

    lblTitolo =
        new QLabel(QStringLiteral("Immettere il numero di partita IVA e premere il pulsante di controllo."), card);
    lblTitolo->setObjectName(QStringLiteral("lblTitolo"));
    lblTitolo->setFont(QFont(QStringLiteral("Arial"), 12));
    lblTitolo->setAlignment(Qt::AlignCenter);
    lblTitolo->setWordWrap(true);

    txtPartitaIva = new QLineEdit(card);
    txtPartitaIva->setObjectName(QStringLiteral("txtPartitaIva"));
    QFont fixed(QStringLiteral("Courier New"), 20);
    fixed.setBold(true);
    fixed.setStyleHint(QFont::Monospace);
    txtPartitaIva->setFont(fixed);
    txtPartitaIva->setMaxLength(11);

    btnControlla = look::button(card, QStringLiteral("btnControlla"), QStringLiteral("Controlla"));
    btnControlla->setMinimumHeight(txtPartitaIva->sizeHint().height());
    btnChiudi = look::button(this, QStringLiteral("btnChiudi"), QStringLiteral("Chiudi"));

    auto* entry = new QHBoxLayout;
    entry->setSpacing(10);
    entry->addWidget(txtPartitaIva, 1);
    entry->addWidget(btnControlla);

    auto* inCard = new QVBoxLayout(card);
    inCard->setContentsMargins(24, 16, 24, 18);
    inCard->setSpacing(12);
    inCard->addWidget(imgLogo, 0, Qt::AlignHCenter);
    inCard->addWidget(lblTitolo);
    inCard->addLayout(entry);

    auto* main = new QVBoxLayout(this);
    main->setContentsMargins(16, 16, 16, 14);
    main->setSpacing(14);
    main->addWidget(card, 1);
    main->addWidget(btnChiudi, 0, Qt::AlignHCenter);

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

void TfrmPartitaIva::showEvent(QShowEvent* event)
{
    FixedDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

} // namespace tavorel
