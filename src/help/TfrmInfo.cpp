#include "help/TfrmInfo.h"

#include "help/HelpLink.h"
#include "help/TMisc.h"
#include "shell/PictureButton.h"
#include "shell/ScreenLook.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSvgWidget>
#include <QVBoxLayout>

namespace tavorel {

const QString TfrmInfo::kEmailAssistenza = QStringLiteral("assistenza@tavorel.it");

TfrmInfo::TfrmInfo(QWidget* owner)
    : FixedDialog(owner, QStringLiteral("frmInfo"), QStringLiteral(" Informazioni su Tavorel"), QSize(460, 300), false)
{
    QFrame* card = look::card(this, QStringLiteral("bkgInfo"));
    imgLogo = new QSvgWidget(QStringLiteral(":/help/assets/logo_tavorel.svg"), card);
    imgLogo->setObjectName(QStringLiteral("imgLogo"));
    imgLogo->setFixedSize(300, 80);
    imgEmail = new PictureButton(QStringLiteral("imgEmail"), QStringLiteral(":/help/assets/email.svg"), card);
    imgEmail->setFixedSize(32, 32);
    lnkWeb = HelpLink::makeText(card, QStringLiteral("lnkWeb"), kEmailAssistenza);
    auto* link = new HelpLink(lnkWeb, imgEmail);
    connect(link, &HelpLink::clicked, this,
            [this](QWidget* source) { source == imgEmail ? imgEmailClick() : lnkWebClick(); });

    auto* column = new QVBoxLayout(card);
    column->setContentsMargins(20, 20, 20, 20);
    column->setSpacing(18);
    column->addWidget(imgLogo, 0, Qt::AlignHCenter);
    auto* mail = new QHBoxLayout;
    mail->addStretch();
    mail->addWidget(imgEmail);
    mail->addWidget(lnkWeb);
    mail->addStretch();
    column->addLayout(mail);
    column->addStretch();

    btnChiudi = look::button(this, QStringLiteral("btnChiudi"), QStringLiteral("Chiudi"));
    connect(btnChiudi, &QPushButton::clicked, this, &TfrmInfo::btnChiudiClick);
    look::stackWindow(this, {card}, {}, {btnChiudi});
}

// A new message with subject and first line filled in; the text goes as it is, without encoding
// its blanks or accented letters, and the mail program takes it so.
void TfrmInfo::lnkWebClick()
{
    TMisc::Open(this, QStringLiteral("\"mailto:") + kEmailAssistenza + QStringLiteral("?subject=") +
                          QStringLiteral("Software Tavorel") + QStringLiteral("&body=") +
                          QStringLiteral("Salve, desidererei avere le seguenti informazioni sul software in oggetto:") +
                          QLatin1Char('"'));
}

void TfrmInfo::imgEmailClick()
{
    lnkWebClick();
}

void TfrmInfo::btnChiudiClick()
{
    accept();
}

} // namespace tavorel
