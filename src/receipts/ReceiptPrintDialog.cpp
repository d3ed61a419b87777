#include "receipts/ReceiptPrintDialog.h"

#include "printing/Report.h"
#include "receipts/AssociationSettings.h"
#include "receipts/ReceiptArtwork.h"
#include "receipts/ReceiptSettings.h"
#include "receipts/ReceiptTemplate.h"
#include "shell/Platform.h"
#include "storage/Messages.h"

#include <QLabel>
#include <QPixmap>

namespace tavorel {

ReceiptPrintDialog::ReceiptPrintDialog(QWidget* owner, Output output, const QString& name, const QString& caption,
                                       const QString& title, const QString& explanation, const QString& actionText,
                                       TSchedaRicevuta receipt, TSchedaPagamento pagamento)
    : ReportDialog(owner, output,
                   Texts{name, caption, title, explanation, actionText, kMsgRicevutaAnteprima,
                         // the printer with its receipt from the main menu
                         QStringLiteral(":/assets/avvio_ricevute.svg")}),
      receipt_(std::move(receipt)), pagamento_(std::move(pagamento))
{
    imgLogo = new QLabel(this);
    imgLogo->setObjectName(QStringLiteral("imgLogo"));
    imgLogo->hide();
    imgTemp = new QLabel(this);
    imgTemp->setObjectName(QStringLiteral("imgTemp"));
    imgTemp->setPixmap(QPixmap::fromImage(defaultLogo()));
    imgTemp->hide();
}

void ReceiptPrintDialog::FormShow()
{
    // A missing or unreadable "Logo.bmp" is no failure: the default logo is printed.
    logo_ = ReceiptSettings::caricaLogo(platform().programFolder());
    imgLogo->setPixmap(QPixmap::fromImage(logo_));
}

Report ReceiptPrintDialog::makeReport()
{
    if (logo_.isNull())
        FormShow();
    Report report = ReceiptTemplate::create();
    ReceiptTemplate::fill(report, receipt_, logo_, pagamento_, AssociationSettings::leggi(platform().programFolder()));
    return report;
}

} // namespace tavorel
