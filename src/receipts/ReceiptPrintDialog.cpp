#include "receipts/ReceiptPrintDialog.h"

#include "printing/Report.h"
#include "receipts/ReceiptArtwork.h"
#include "receipts/ReceiptSettings.h"
#include "receipts/ReceiptTemplate.h"
#include "shell/Platform.h"
#include "shell/ScreenLook.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace tavorel {

namespace {
const QString kAvvisoAnteprima =
    QStringLiteral("Attenzione: la visualizzazione dell'anteprima di stampa non è andata a buon fine.\n\r\n\r"
                   "Accertarsi che la stampante sia configurata correttamente.");
}

ReceiptPrintDialog::ReceiptPrintDialog(QWidget* owner, const QString& name, const QString& caption,
                                       const QString& title, const QString& explanation, const QString& actionText,
                                       TSchedaRicevuta receipt)
    : FixedDialog(owner, name, caption, QSize(470, 250)), receipt_(std::move(receipt))
{
    // The explanation of the operation, as text on a white card.
    auto* card = look::card(this, QStringLiteral("panSpiegazione"));
    imgLogo01 = new QLabel(card);
    imgLogo01->setObjectName(QStringLiteral("imgLogo01"));
    imgLogo01->setWordWrap(true);
    imgLogo01->setTextFormat(Qt::RichText);
    imgLogo01->setText(QStringLiteral("<div style='font-family:Verdana'>"
                                      "<p style='font-size:14pt; font-weight:bold; color:#4682B4'>%1</p>"
                                      "<p style='font-size:10pt'>%2</p></div>")
                           .arg(title.toHtmlEscaped(),
                                explanation.toHtmlEscaped().replace(QLatin1Char('\n'), QStringLiteral("<br>"))));
    auto* icon = new QLabel(card);
    icon->setObjectName(QStringLiteral("icoStampa"));
    // The printer with its receipt from the main menu, at the artwork's own 29:32 proportions.
    icon->setPixmap(QPixmap::fromImage(renderArtwork(QStringLiteral(":/assets/avvio_ricevute.svg"), QSize(87, 96))));
    icon->setAlignment(Qt::AlignTop);
    auto* cardLayout = new QHBoxLayout(card);
    cardLayout->setContentsMargins(14, 10, 14, 10);
    cardLayout->setSpacing(14);
    cardLayout->addWidget(icon);
    cardLayout->addWidget(imgLogo01, 1);

    imgLogo = new QLabel(this);
    imgLogo->setObjectName(QStringLiteral("imgLogo"));
    imgLogo->hide();
    imgTemp = new QLabel(this);
    imgTemp->setObjectName(QStringLiteral("imgTemp"));
    imgTemp->setPixmap(QPixmap::fromImage(defaultLogo()));
    imgTemp->hide();

    btnAnnulla = look::button(this, QStringLiteral("btnAnnulla"), QStringLiteral("Annulla"));
    btnStampa = look::button(this, QStringLiteral("btnStampa"), actionText);
    btnStampa->setMinimumWidth(140);
    btnStampa->setDefault(true);
    connect(btnAnnulla, &QPushButton::clicked, this, &ReceiptPrintDialog::btnAnnullaClick);
    connect(btnStampa, &QPushButton::clicked, this, &ReceiptPrintDialog::btnStampaClick);

    look::stackWindow(this, {card}, {}, {btnAnnulla, btnStampa});
}

void ReceiptPrintDialog::FormShow()
{
    // A missing or unreadable "Logo.bmp" is no failure: the default logo is printed.
    logo_ = ReceiptSettings::caricaLogo(platform().programFolder());
    imgLogo->setPixmap(QPixmap::fromImage(logo_));
}

void ReceiptPrintDialog::btnStampaClick()
{
    if (logo_.isNull())
        FormShow();
    try {
        Report report = ReceiptTemplate::create();
        ReceiptTemplate::fill(report, receipt_, logo_);
        output(report);
    } catch (const std::exception&) {
        platform().message(this, MessageKind::Warning, kAvvisoAnteprima);
    }
    accept();
}

void ReceiptPrintDialog::btnAnnullaClick()
{
    reject();
}

} // namespace tavorel
