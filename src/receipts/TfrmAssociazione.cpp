#include "receipts/TfrmAssociazione.h"

#include "receipts/AssociationSettings.h"
#include "shell/FieldKeys.h"
#include "shell/Platform.h"
#include "shell/ScreenLook.h"
#include "storage/Messages.h"
#include "storage/Trim.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace tavorel {

namespace {

// The wordings are printed on one line of the receipt (about 124 mm at 8 pt): longer ones are cut
// there, so the fields stop a little beyond.
constexpr int kLunghezzaDicitura = 120;

QLineEdit* campo(QWidget* parent, const QString& name, int maxLength)
{
    auto* field = new QLineEdit(parent);
    field->setObjectName(name);
    field->setMaxLength(maxLength);
    field->setFont(look::font(QStringLiteral("Verdana"), 9, false));
    return field;
}

} // namespace

TfrmAssociazione::TfrmAssociazione(QWidget* owner)
    : FixedDialog(owner, QStringLiteral("frmAssociazione"), QStringLiteral(" Tavorel - Dati fiscali dell'associazione"),
                  QSize(720, 318))
{
    QFrame* scheda = look::card(this, QStringLiteral("panDatiFiscali"));
    lblIstruzioni = look::label(scheda,
                                QStringLiteral("Questi dati compaiono sulle ricevute: la posizione dell'associazione "
                                               "ai fini dell'imposta di bollo e dell'IVA e le diciture stampate. "
                                               "Con \"Non indicato\" le ricevute restano come sempre."),
                                9, false, QStringLiteral("lblIstruzioni"));
    lblIstruzioni->setWordWrap(true);

    cboRegime = new QComboBox(scheda);
    cboRegime->setObjectName(QStringLiteral("cboRegime"));
    cboRegime->addItems(regimi());
    cboRegime->setFont(look::font(QStringLiteral("Verdana"), 9, false));
    // The long caption of the registered clubs must show whole in the closed drop-down too.
    cboRegime->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    cboRegime->setMinimumContentsLength(40);
    txtCodFiscAss = campo(scheda, QStringLiteral("txtCodFiscAss"), 16);
    txtCodFiscAss->setFont(look::font(QStringLiteral("Courier New"), 11, true));
    txtCodFiscAss->setFixedWidth(220);
    FieldKeys::of(txtCodFiscAss)->setForced(ForcedText::UpperTrimmed);
    txtDicituraIva = campo(scheda, QStringLiteral("txtDicituraIva"), kLunghezzaDicitura);
    txtEsenteQuota = campo(scheda, QStringLiteral("txtEsenteQuota"), kLunghezzaDicitura);
    txtEsenteCorso = campo(scheda, QStringLiteral("txtEsenteCorso"), kLunghezzaDicitura);

    auto* form = new QFormLayout;
    form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    form->setVerticalSpacing(10);
    const auto riga = [&](const QString& text, QWidget* field) {
        form->addRow(look::label(scheda, text, 9, true, field->objectName() + QStringLiteral("Testo")), field);
    };
    riga(QStringLiteral("Posizione:"), cboRegime);
    riga(QStringLiteral("Codice fiscale:"), txtCodFiscAss);
    riga(QStringLiteral("Dicitura IVA:"), txtDicituraIva);
    riga(QStringLiteral("Bollo, quota associativa:"), txtEsenteQuota);
    riga(QStringLiteral("Bollo, corsi e altro:"), txtEsenteCorso);
    auto* colonna = new QVBoxLayout(scheda);
    colonna->setContentsMargins(16, 14, 16, 14);
    colonna->setSpacing(14);
    colonna->addWidget(lblIstruzioni);
    colonna->addLayout(form);
    colonna->addStretch(1);

    btnAnnulla = look::button(this, QStringLiteral("btnAnnulla"), QStringLiteral("Annulla"));
    btnSalva = look::button(this, QStringLiteral("btnSalva"), QStringLiteral("Salva"));
    look::stackWindow(this, {scheda}, {}, {btnAnnulla, btnSalva});

    // Enter goes down the fields, and from the last one to "Salva".
    FieldKeys::of(txtCodFiscAss)->setEnterTarget(txtDicituraIva);
    FieldKeys::of(txtDicituraIva)->setEnterTarget(txtEsenteQuota);
    FieldKeys::of(txtEsenteQuota)->setEnterTarget(txtEsenteCorso);
    FieldKeys::of(txtEsenteCorso)->setEnterTarget(btnSalva);
    setTabOrder(cboRegime, txtCodFiscAss);
    setTabOrder(txtCodFiscAss, txtDicituraIva);
    setTabOrder(txtDicituraIva, txtEsenteQuota);
    setTabOrder(txtEsenteQuota, txtEsenteCorso);
    setTabOrder(txtEsenteCorso, btnAnnulla);
    setTabOrder(btnAnnulla, btnSalva);

    connect(btnSalva, &QPushButton::clicked, this, &TfrmAssociazione::btnSalvaClick);
    connect(btnAnnulla, &QPushButton::clicked, this, &QDialog::reject);
}

void TfrmAssociazione::FormShow()
{
    const DatiFiscali dati = AssociationSettings::leggi(platform().programFolder());
    cboRegime->setCurrentIndex(int(dati.regime));
    txtCodFiscAss->setText(dati.codFisc);
    txtDicituraIva->setText(dati.dicituraIva);
    txtEsenteQuota->setText(dati.esenteQuota);
    txtEsenteCorso->setText(dati.esenteCorso);
    cboRegime->setFocus();
}

void TfrmAssociazione::btnSalvaClick()
{
    DatiFiscali dati;
    dati.regime = Regime(qBound(0, cboRegime->currentIndex(), 2));
    dati.codFisc = TrimSpazi(txtCodFiscAss->text()).toUpper();
    dati.dicituraIva = TrimSpazi(txtDicituraIva->text());
    dati.esenteQuota = TrimSpazi(txtEsenteQuota->text());
    dati.esenteCorso = TrimSpazi(txtEsenteCorso->text());
    if (!codiceAssociazioneValido(dati.codFisc)) {
        platform().message(this, MessageKind::Warning, kMsgCodFiscAssociazione);
        txtCodFiscAss->setFocus();
        txtCodFiscAss->selectAll();
        return;
    }
    if (!AssociationSettings::scrivi(platform().programFolder(), dati)) {
        platform().message(this, MessageKind::Error, kMsgAccessoArchivio);
        return;
    }
    accept();
}

} // namespace tavorel
