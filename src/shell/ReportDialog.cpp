#include "shell/ReportDialog.h"

#include "printing/Report.h"
#include "shell/Artwork.h"
#include "shell/Colors.h"
#include "shell/Platform.h"
#include "shell/ScreenLook.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>

namespace tavorel {

ReportDialog::ReportDialog(QWidget* owner, Output output, const Texts& texts)
    : FixedDialog(owner, texts.name, texts.caption, QSize(470, 250)), output_(output), failure_(texts.failure)
{
    auto* card = look::card(this, QStringLiteral("panSpiegazione"));
    imgLogo01 = new QLabel(card);
    imgLogo01->setObjectName(QStringLiteral("imgLogo01"));
    imgLogo01->setWordWrap(true);
    imgLogo01->setTextFormat(Qt::RichText);
    imgLogo01->setText(QStringLiteral("<div style='font-family:Verdana'>"
                                      "<p style='font-size:14pt; font-weight:bold; color:%3'>%1</p>"
                                      "<p style='font-size:10pt'>%2</p></div>")
                           .arg(texts.title.toHtmlEscaped(),
                                texts.explanation.toHtmlEscaped().replace(QLatin1Char('\n'), QStringLiteral("<br>")),
                                colors::kSteelBlue.name()));
    auto* cardLayout = new QHBoxLayout(card);
    cardLayout->setContentsMargins(14, 10, 14, 10);
    cardLayout->setSpacing(14);
    if (!texts.illustration.isEmpty()) {
        auto* icon = new QLabel(card);
        icon->setObjectName(QStringLiteral("icoStampa"));
        // The illustrations are drawn at 29:32.
        icon->setPixmap(QPixmap::fromImage(renderArtwork(texts.illustration, QSize(87, 96))));
        icon->setAlignment(Qt::AlignTop);
        cardLayout->addWidget(icon);
    }
    cardLayout->addWidget(imgLogo01, 1);

    btnAnnulla = look::button(this, QStringLiteral("btnAnnulla"), QStringLiteral("Annulla"));
    btnStampa = look::button(this, QStringLiteral("btnStampa"), texts.actionText);
    btnStampa->setMinimumWidth(140);
    btnStampa->setDefault(true);
    connect(btnAnnulla, &QPushButton::clicked, this, &ReportDialog::btnAnnullaClick);
    connect(btnStampa, &QPushButton::clicked, this, &ReportDialog::btnStampaClick);

    look::stackWindow(this, {card}, {}, {btnAnnulla, btnStampa});
}

void ReportDialog::btnStampaClick()
{
    try {
        const Report report = makeReport();
        if (output_ == Output::Print)
            platform().print(report, this);
        else
            platform().preview(report, this);
    } catch (const std::exception&) {
        // The answer to the warning changes nothing: the window closes either way.
        platform().message(this, MessageKind::Warning, failure_);
    }
    accept();
}

void ReportDialog::btnAnnullaClick()
{
    reject();
}

} // namespace tavorel
