#include "help/TfrmGuida.h"

#include "help/HelpLink.h"
#include "help/TMisc.h"
#include "shell/PictureButton.h"
#include "shell/Platform.h"
#include "shell/ScreenLook.h"

#include <QDir>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSvgWidget>

namespace tavorel {

namespace {

const QColor kCrimson{0xDC, 0x14, 0x3C};

} // namespace

TfrmGuida::TfrmGuida(QWidget* owner)
    : FixedDialog(owner, QStringLiteral("frmGuida"), QStringLiteral(" Guida all'utilizzo del software"),
                  QSize(720, 620), false)
{
    imgLogo = new QSvgWidget(QStringLiteral(":/help/assets/logo_tavorel.svg"), this);
    imgLogo->setObjectName(QStringLiteral("imgLogo"));
    imgLogo->setFixedSize(300, 80);

    lblTitolo = new QLabel(QStringLiteral("Argomento della guida."), this);
    lblTitolo->setObjectName(QStringLiteral("lblTitolo"));
    QFont title(QStringLiteral("Arial"));
    title.setPointSize(16);
    title.setBold(true);
    lblTitolo->setFont(title);
    QPalette p = lblTitolo->palette();
    p.setColor(QPalette::WindowText, kCrimson);
    lblTitolo->setPalette(p);
    lblTitolo->setWordWrap(true);

    txtGuida = new QPlainTextEdit(this);
    txtGuida->setObjectName(QStringLiteral("txtGuida"));
    txtGuida->setReadOnly(true);
    txtGuida->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    QFont text(QStringLiteral("Verdana"));
    text.setPointSize(12);
    text.setBold(true);
    txtGuida->setFont(text);

    imgPDF = new PictureButton(QStringLiteral("imgPDF"), QStringLiteral(":/help/assets/pdf.svg"), this);
    imgPDF->setFixedSize(32, 32);
    lnkWeb = HelpLink::makeText(this, QStringLiteral("lnkWeb"), QStringLiteral("Visualizza guida in formato PDF"));
    auto* link = new HelpLink(lnkWeb, imgPDF);
    connect(link, &HelpLink::clicked, this,
            [this](QWidget* source) { source == imgPDF ? imgPDFClick() : lnkWebClick(); });

    btnChiudi = look::button(this, QStringLiteral("btnChiudi"), QStringLiteral("Chiudi"));
    connect(btnChiudi, &QPushButton::clicked, this, &TfrmGuida::btnChiudiClick);

    look::stackWindow(this, {imgLogo, lblTitolo, txtGuida}, {imgPDF, lnkWeb}, {btnChiudi});
    btnChiudi->setFocus();
}

void TfrmGuida::impostaArgomento(const QString& title, const QString& text)
{
    lblTitolo->setText(title);
    // The text's paragraphs are separated by "\r\n\r\n"; the text box breaks lines on "\n".
    txtGuida->setPlainText(QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
}

// The manual is a separate file beside the executable; the path is quoted because the program
// folder may contain blanks.
void TfrmGuida::lnkWebClick()
{
    TMisc::Open(this, QLatin1Char('"') + QDir::toNativeSeparators(platform().programFolder() + QLatin1Char('/')) +
                          QStringLiteral("Guida.pdf") + QLatin1Char('"'));
}

void TfrmGuida::imgPDFClick()
{
    lnkWebClick();
}

void TfrmGuida::btnChiudiClick()
{
    accept();
}

void mostraGuida(QWidget* owner, HelpTopic topic)
{
    auto* guida = new TfrmGuida(owner);
    guida->impostaArgomento(helpTitle(topic), helpText(topic));
    platform().runModal(guida);
    delete guida;
}

} // namespace tavorel
