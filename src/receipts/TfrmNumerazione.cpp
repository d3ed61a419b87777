#include "receipts/TfrmNumerazione.h"

#include "receipts/ReceiptSettings.h"
#include "shell/Colors.h"
#include "shell/FieldKeys.h"
#include "shell/FocusHighlight.h"
#include "shell/Platform.h"
#include "shell/ScreenLook.h"
#include "storage/Messages.h"
#include "storage/Trim.h"

#include <QFocusEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSvgWidget>

namespace tavorel {

namespace {

const QString kTagRicevute = QStringLiteral("ricevute");

} // namespace

TfrmNumerazione::TfrmNumerazione(QWidget* owner)
    : FixedDialog(owner, QStringLiteral("frmNumerazione"), QStringLiteral("Impostazione inizio numerazione"),
                  QSize(470, 282))
{
    QFrame* istruzioni = look::card(this, QStringLiteral("panIstruzioni"));
    istruzioni->setGeometry(12, 12, 446, 104);

    icoMano = new QSvgWidget(QStringLiteral(":/assets/mano.svg"), istruzioni);
    icoMano->setObjectName(QStringLiteral("icoMano"));
    icoMano->setGeometry(14, 14, 56, 56);

    imgLogo = look::label(istruzioni,
                          QStringLiteral("<p style='margin:0 0 8px 0'>&#8226; Questa funzione permette di far "
                                         "iniziare la numerazione automatica delle ricevute da un numero "
                                         "maggiore di 1.</p>"
                                         "<p style='margin:0'>&#8226; Per utilizzare la numerazione automatica "
                                         "premere il pulsante <b>Nuovo</b> prima di compilare una ricevuta.</p>"),
                          9, false, QStringLiteral("imgLogo"));
    imgLogo->setTextFormat(Qt::RichText);
    imgLogo->setWordWrap(true);
    imgLogo->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    imgLogo->setGeometry(82, 14, 350, 80);

    grpNumerazione = new QGroupBox(QStringLiteral(" Inizia numerazione da: "), this);
    grpNumerazione->setObjectName(QStringLiteral("grpNumerazione"));
    QFont gruppo(QStringLiteral("Verdana"));
    gruppo.setPointSize(9);
    grpNumerazione->setFont(gruppo);
    grpNumerazione->setGeometry(12, 124, 446, 96);
    grpNumerazione->setStyleSheet(
        QStringLiteral("QGroupBox { background: %1; border: 1px solid %2; border-radius: 6px; margin-top: 10px; }"
                       "QGroupBox::title { subcontrol-origin: margin; left: 10px; padding: 0 2px; color: %3; }")
            .arg(colors::kWhite.name(), colors::kPanelBorder.name(), colors::kGroupTitle.name()));

    txtInizio = new QLineEdit(grpNumerazione);
    txtInizio->setObjectName(QStringLiteral("txtInizio"));
    QFont inizioFont(QStringLiteral("Verdana"));
    inizioFont.setPointSize(12);
    inizioFont.setBold(true);
    txtInizio->setFont(inizioFont);
    txtInizio->setAlignment(Qt::AlignCenter);
    txtInizio->setMaxLength(5);
    txtInizio->setGeometry(163, 36, 120, 34);
    effInizio = FocusHighlight::applyStyleB(txtInizio, QStringLiteral("effInizio"));

    btnAnnulla = look::button(this, QStringLiteral("btnAnnulla"), QStringLiteral("Annulla"));
    btnApplica = look::button(this, QStringLiteral("btnApplica"), QStringLiteral("Applica e chiudi"));
    btnAnnulla->setGeometry(210, 236, 100, 32);
    btnApplica->setGeometry(318, 236, 140, 32);

    lblMemory = new QLabel(this);
    lblMemory->setObjectName(QStringLiteral("lblMemory"));
    lblMemory->hide();

    FieldKeys::of(txtInizio)->setFilter(KeyFilter::Digits);
    FieldKeys::of(txtInizio)->setEnterTarget(btnApplica);
    txtInizio->installEventFilter(this);

    connect(btnAnnulla, &QPushButton::clicked, this, &TfrmNumerazione::btnAnnullaClick);
    connect(btnApplica, &QPushButton::clicked, this, &TfrmNumerazione::btnApplicaClick);

    setTabOrder(txtInizio, btnAnnulla);
    setTabOrder(btnAnnulla, btnApplica);
}

void TfrmNumerazione::setMode(const QString& tag)
{
    lblMemory->setText(tag);
}

void TfrmNumerazione::FormShow()
{
    if (lblMemory->text() == kTagRicevute)
        txtInizio->setText(ReceiptSettings::leggiInizio(platform().programFolder()));
    if (TrimSpazi(txtInizio->text()).isEmpty())
        txtInizio->setText(QStringLiteral("1"));
    txtInizio->setFocus();
    txtInizio->selectAll();
}

bool TfrmNumerazione::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == txtInizio && event->type() == QEvent::FocusOut) {
        // Only a move to another control leaves the field; switching windows does not.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            txtInizioExit();
    }
    return FixedDialog::eventFilter(watched, event);
}

void TfrmNumerazione::txtInizioExit()
{
    txtInizio->setText(ReceiptSettings::normalizzaInizio(txtInizio->text()));
}

void TfrmNumerazione::btnApplicaClick()
{
    btnApplica->setFocus();
    // The field is normalised on leaving it; a click that did not move the focus (or a window
    // that is not active) must not write the text as typed.
    txtInizioExit();
    if (lblMemory->text() == kTagRicevute &&
        !ReceiptSettings::scriviInizio(platform().programFolder(), TrimSpazi(txtInizio->text()))) {
        platform().message(this, MessageKind::Error, kMsgAccessoArchivio);
        return;
    }
    accept();
}

void TfrmNumerazione::btnAnnullaClick()
{
    reject();
}

} // namespace tavorel
