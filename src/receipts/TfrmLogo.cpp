#include "receipts/TfrmLogo.h"

#include "receipts/ReceiptArtwork.h"
#include "receipts/ReceiptSettings.h"
#include "shell/Colors.h"
#include "shell/PictureButton.h"
#include "shell/Platform.h"
#include "shell/ScreenLook.h"
#include "storage/Messages.h"
#include "storage/RegularFile.h"

#include <QFile>
#include <QImageReader>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>

namespace tavorel {

TfrmLogo::TfrmLogo(QWidget* owner)
    : FixedDialog(owner, QStringLiteral("frmLogo"), QStringLiteral(" Impostazione logo"), QSize(420, 430))
{
    QFrame* titolo = look::card(this, QStringLiteral("panTitolo"));
    titolo->setGeometry(12, 12, 396, 96);
    imgTitolo = look::label(titolo,
                            QStringLiteral("<div style='color:%1; font-size:15pt; font-weight:bold'>"
                                           "IMPOSTAZIONE LOGO</div>"
                                           "<div style='margin-top:6px'>Caricare il logo dell'associazione come "
                                           "immagine JPEG o Bitmap di 297 × 184 pixel.</div>")
                                .arg(colors::kTitleBlue.name()),
                            9, false, QStringLiteral("imgTitolo"));
    imgTitolo->setTextFormat(Qt::RichText);
    imgTitolo->setWordWrap(true);
    imgTitolo->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    imgTitolo->setGeometry(14, 10, 368, 78);

    QFrame* cornice = look::card(this, QStringLiteral("panLogo"));
    cornice->setGeometry(12, 120, 396, 236);

    const int x = (cornice->width() - kLogoWidth) / 2;
    const int y = 18;
    // A thin frame around the logo area, so that a white logo still shows where it ends.
    auto* bordo = new QFrame(cornice);
    bordo->setObjectName(QStringLiteral("shpLogo"));
    bordo->setGeometry(x - 1, y - 1, kLogoWidth + 2, kLogoHeight + 2);
    bordo->setStyleSheet(QStringLiteral("QFrame#shpLogo { background: %1; border: 1px solid %2; }")
                             .arg(colors::kWhite.name(), colors::kLogoBorder.name()));
    imgLogo = new QLabel(cornice);
    imgLogo->setObjectName(QStringLiteral("imgLogo"));
    imgLogo->setAlignment(Qt::AlignCenter);
    imgLogo->setGeometry(x, y, kLogoWidth, kLogoHeight);
    imgLogo->setStyleSheet(QStringLiteral("QLabel#imgLogo { background: white; }"));

    // The two small buttons sit on the bottom corners of the logo.
    const int lato = 30;
    imgEuro = new PictureButton(QStringLiteral("imgEuro"), QStringLiteral(":/assets/logo_euro.svg"), cornice);
    imgEuro->setGeometry(x - lato / 2, y + kLogoHeight - lato / 2, lato, lato);
    imgEuro->setToolTip(QStringLiteral("Logo predefinito"));
    btnCancLogo = new PictureButton(QStringLiteral("btnCancLogo"), QStringLiteral(":/assets/logo_gomma.svg"), cornice);
    btnCancLogo->setGeometry(x + kLogoWidth - lato / 2, y + kLogoHeight - lato / 2, lato, lato);
    btnCancLogo->setToolTip(QStringLiteral("Nessun logo"));

    btnAnnulla = look::button(this, QStringLiteral("btnAnnulla"), QStringLiteral("Annulla"));
    btnSfoglia = look::button(this, QStringLiteral("btnSfoglia"), QStringLiteral("Sfoglia..."));
    btnApplica = look::button(this, QStringLiteral("btnApplica"), QStringLiteral("Applica e chiudi"));
    btnAnnulla->setGeometry(58, 384, 100, 32);
    btnSfoglia->setGeometry(164, 384, 100, 32);
    btnApplica->setGeometry(270, 384, 138, 32);

    connect(imgEuro, &PictureButton::clicked, this, &TfrmLogo::imgEuroClick);
    connect(btnCancLogo, &PictureButton::clicked, this, &TfrmLogo::btnCancLogoClick);
    connect(btnAnnulla, &QPushButton::clicked, this, &TfrmLogo::btnAnnullaClick);
    connect(btnSfoglia, &QPushButton::clicked, this, &TfrmLogo::btnSfogliaClick);
    connect(btnApplica, &QPushButton::clicked, this, &TfrmLogo::btnApplicaClick);
}

void TfrmLogo::FormShow()
{
    mostra(ReceiptSettings::caricaLogo(platform().programFolder()));
}

void TfrmLogo::mostra(const QImage& picture)
{
    logo_ = picture;
    // A picture of another size is fitted into the logo area, keeping its proportions.
    imgLogo->setPixmap(
        QPixmap::fromImage(picture.scaled(kLogoWidth, kLogoHeight, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
}

void TfrmLogo::btnSfogliaClick()
{
    const QString path = platform().chooseOpenFile(
        this, QStringLiteral("Selezionare il logo della Ditta in formato Jpeg o Bitmap."),
        {QStringLiteral("Immagine JPEG (*.jpg *.jpeg)"), QStringLiteral("Immagine Bitmap (*.bmp)")});
    if (path.isEmpty())
        return;
    // A pipe or a device chosen in the dialog is not read: it would wait for good.
    QFile file;
    const QImage picture = openRegularForReading(path, file) ? QImageReader(&file).read() : QImage();
    mostra(picture.isNull() ? defaultLogo() : picture);
}

void TfrmLogo::imgEuroClick()
{
    mostra(defaultLogo());
}

void TfrmLogo::btnCancLogoClick()
{
    QImage bianco(kLogoWidth, kLogoHeight, QImage::Format_RGB32);
    bianco.fill(Qt::white);
    mostra(bianco);
}

void TfrmLogo::btnApplicaClick()
{
    if (!ReceiptSettings::salvaLogo(platform().programFolder(), logo_)) {
        // Logo.bmp keeps its previous content. The user is told, and the dialog stays open with
        // the chosen picture, so that "Applica e chiudi" can be pressed again once the folder
        // takes the file: a logo that silently failed to save would print the old one unnoticed.
        platform().message(this, MessageKind::Error, kMsgAccessoArchivio);
        return;
    }
    accept();
}

void TfrmLogo::btnAnnullaClick()
{
    reject();
}

} // namespace tavorel
