#include "help/TfrmSplash.h"

#include "help/HelpLink.h"
#include "help/TMisc.h"
#include "shell/PictureButton.h"
#include "shell/ScreenLook.h"
#include "shell/TfrmAvvio.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSvgWidget>

namespace tavorel {

const QString TfrmSplash::kCrediti = QStringLiteral("versione 1.0, © 2026 Tavorel, tutti i diritti riservati");

TfrmSplash::TfrmSplash(QWidget* owner)
    : FixedDialog(owner, QStringLiteral("frmSplash"), QStringLiteral(" Tavorel - ") + kCrediti, QSize(470, 340), true)
{
    imgLogo = new QSvgWidget(QStringLiteral(":/help/assets/crediti.svg"), this);
    imgLogo->setObjectName(QStringLiteral("imgLogo"));
    imgLogo->setFixedSize(420, 200);
    imgWeb = new PictureButton(QStringLiteral("imgWeb"), QStringLiteral(":/help/assets/web.svg"), this);
    imgWeb->setFixedSize(32, 32);
    lnkWeb = HelpLink::makeText(this, QStringLiteral("lnkWeb"), QString(kSitoWeb).remove(QStringLiteral("http://")));
    auto* link = new HelpLink(lnkWeb, imgWeb);
    connect(link, &HelpLink::clicked, this,
            [this](QWidget* source) { source == imgWeb ? imgWebClick() : lnkWebClick(); });

    auto* web = new QWidget(this);
    auto* row = new QHBoxLayout(web);
    row->setContentsMargins(0, 0, 0, 0);
    row->addStretch();
    row->addWidget(imgWeb);
    row->addWidget(lnkWeb);
    row->addStretch();

    btnChiudi = look::button(this, QStringLiteral("btnChiudi"), QStringLiteral("Chiudi"));
    connect(btnChiudi, &QPushButton::clicked, this, &TfrmSplash::btnChiudiClick);
    look::stackWindow(this, {imgLogo, web}, {}, {btnChiudi});
}

void TfrmSplash::lnkWebClick()
{
    TMisc::Open(this, kSitoWeb);
}

void TfrmSplash::imgWebClick()
{
    lnkWebClick();
}

void TfrmSplash::btnChiudiClick()
{
    accept();
}

} // namespace tavorel
