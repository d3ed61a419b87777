#include "receipts/TfrmMenuRicevute.h"

#include "receipts/TfrmAssociazione.h"
#include "rules/FieldRules.h"
#include "shell/Colors.h"
#include "shell/FieldKeys.h"
#include "shell/PictureButton.h"
#include "shell/Platform.h"
#include "shell/ScreenLook.h"
#include "storage/Archives.h"
#include "storage/Messages.h"
#include "storage/Trim.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QSvgWidget>

namespace tavorel {

namespace {

const QString kTagAvvio = QStringLiteral("avvio");
const QString kTagRicevute = QStringLiteral("ricevute");

} // namespace

TfrmMenuRicevute::TfrmMenuRicevute()
    : WorkspaceScreen(QStringLiteral("frmMenuRicevute"), QStringLiteral(" Tavorel - Stampa Ricevute"))
{
    QWidget* p = panel();

    // Title block
    QFrame* testata = look::card(p, QStringLiteral("panTestata"));
    testata->setGeometry(20, 20, 955, 150);

    imgTitolo = look::label(testata, QStringLiteral("STAMPA RICEVUTE"), 34, true, QStringLiteral("imgTitolo"));
    imgTitolo->setStyleSheet(colors::textColor(colors::kTitleBlue));
    imgTitolo->setGeometry(30, 18, 780, 64);

    lblInfo = look::label(testata,
                          QStringLiteral("In questo ambiente è possibile archiviare e stampare ricevute di pagamento "
                                         "generiche."),
                          11, false, QStringLiteral("lblInfo"));
    lblInfo->setStyleSheet(colors::textColor(colors::kLabelText));
    lblInfo->setGeometry(32, 88, 780, 40);
    lblInfo->setWordWrap(true);

    imgGuida = new PictureButton(QStringLiteral("imgGuida"), QStringLiteral(":/assets/guida.svg"), testata);
    imgGuida->setGeometry(870, 24, 56, 56);
    imgGuida->setToolTip(QStringLiteral("Guida"));
    didascalia(imgGuida, QStringLiteral("Guida"));

    // The year and its button, beside a picture of receipts
    QFrame* corpo = look::card(p, QStringLiteral("panArchivio"));
    corpo->setGeometry(20, 190, 955, 400);

    imgRicevute = new QSvgWidget(QStringLiteral(":/assets/archivio_ricevute.svg"), corpo);
    imgRicevute->setObjectName(QStringLiteral("imgRicevute"));
    imgRicevute->setGeometry(40, 30, 400, 340);

    const int colonna = 500;
    const int larghezza = 415;
    intAnnoPreventivi = look::label(corpo, QStringLiteral("Archivio ricevute di pagamento:"), 12, true,
                                    QStringLiteral("intAnnoPreventivi"));
    intAnnoPreventivi->setStyleSheet(QStringLiteral("background: black; color: white; padding-left: 12px;"));
    intAnnoPreventivi->setGeometry(colonna, 110, larghezza, 40);

    titAnnoPreventivi = look::label(corpo, QStringLiteral("Anno:"), 12, false, QStringLiteral("titAnnoPreventivi"));
    titAnnoPreventivi->setGeometry(colonna + 12, 186, 70, 40);

    txtAnnoPreventivi = new QLineEdit(corpo);
    txtAnnoPreventivi->setObjectName(QStringLiteral("txtAnnoPreventivi"));
    QFont annoFont(QStringLiteral("Verdana"));
    annoFont.setPointSize(14);
    annoFont.setBold(true);
    txtAnnoPreventivi->setFont(annoFont);
    txtAnnoPreventivi->setMaxLength(4);
    txtAnnoPreventivi->setAlignment(Qt::AlignCenter);
    txtAnnoPreventivi->setGeometry(colonna + 90, 186, 120, 40);

    btnApriPreventivi = look::button(corpo, QStringLiteral("btnApriPreventivi"), QStringLiteral("Apri"));
    btnApriPreventivi->setGeometry(colonna + 230, 186, 120, 40);
    QFont apriFont(QStringLiteral("Verdana"));
    apriFont.setPointSize(11);
    apriFont.setBold(true);
    btnApriPreventivi->setFont(apriFont);

    btnAssociazione = look::button(corpo, QStringLiteral("btnAssociazione"), QStringLiteral("Dati fiscali"));
    btnAssociazione->setGeometry(colonna + 12, 300, 160, 36);
    btnAssociazione->setToolTip(QStringLiteral("La posizione dell'associazione per bollo e IVA e le diciture delle "
                                               "ricevute."));
    connect(btnAssociazione, &QPushButton::clicked, this, &TfrmMenuRicevute::btnAssociazioneClick);

    FieldKeys::of(txtAnnoPreventivi)->setFilter(KeyFilter::Digits);
    FieldKeys::of(txtAnnoPreventivi)->setEnterTarget(btnApriPreventivi);
    connect(btnApriPreventivi, &QPushButton::clicked, this, &TfrmMenuRicevute::btnApriPreventiviClick);

    imgEsci = new PictureButton(QStringLiteral("imgEsci"), QStringLiteral(":/assets/esci.svg"), p);
    imgEsci->setGeometry(919, 604, 56, 56);
    imgEsci->setToolTip(QStringLiteral("Esci"));
    didascalia(imgEsci, QStringLiteral("Esci"));

    connect(imgGuida, &PictureButton::clicked, this, &TfrmMenuRicevute::imgGuidaClick);
    connect(imgEsci, &PictureButton::clicked, this, &TfrmMenuRicevute::imgEsciClick);

    lblMemory = new QLabel(p);
    lblMemory->setObjectName(QStringLiteral("lblMemory"));
    lblMemory->hide();

    setTabOrder(txtAnnoPreventivi, btnApriPreventivi);
    setTabOrder(btnApriPreventivi, btnAssociazione);
}

void TfrmMenuRicevute::btnAssociazioneClick()
{
    runDialog<TfrmAssociazione>(this);
}

QLabel* TfrmMenuRicevute::didascalia(PictureButton* button, const QString& text)
{
    // The caption under a picture button answers to the mouse like the picture itself.
    QLabel* l = look::label(button->parentWidget(), text, 9, true, button->objectName() + QStringLiteral("Testo"));
    l->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    l->setStyleSheet(colors::textColor(colors::kTitleBlue));
    const QRect g = button->geometry();
    l->setGeometry(g.x() - 12, g.bottom() + 2, g.width() + 24, 18);
    l->setCursor(Qt::PointingHandCursor);
    l->setProperty("tavorelButton", QVariant::fromValue<QObject*>(button));
    l->installEventFilter(this);
    return l;
}

bool TfrmMenuRicevute::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonRelease) {
        auto* me = static_cast<QMouseEvent*>(event);
        auto* button = qobject_cast<PictureButton*>(watched->property("tavorelButton").value<QObject*>());
        if (button && me->button() == Qt::LeftButton) {
            button->click();
            return true;
        }
    }
    return WorkspaceScreen::eventFilter(watched, event);
}

void TfrmMenuRicevute::FormShow()
{
    txtAnnoPreventivi->setText(QString::number(platform().today().year()).rightJustified(4, QLatin1Char('0')));
    lblMemory->setText(kTagAvvio);
    txtAnnoPreventivi->setFocus();
    txtAnnoPreventivi->selectAll();
}

void TfrmMenuRicevute::btnApriPreventiviClick()
{
    const QString anno = TrimSpazi(txtAnnoPreventivi->text());
    if (!AnnoQuattroCifre(txtAnnoPreventivi->text())) {
        platform().message(this, MessageKind::Warning, kMsgAnnoQuattroCifre);
        txtAnnoPreventivi->setFocus();
        return;
    }
    emit annoAperto(receiptArchivePath(platform().programFolder(), anno),
                    QStringLiteral(" Tavorel - Archivio ricevute anno ") + anno);
    lblMemory->setText(kTagRicevute);
    close();
}

void TfrmMenuRicevute::imgGuidaClick()
{
    emit apriGuida();
}

void TfrmMenuRicevute::imgEsciClick()
{
    close();
}

void TfrmMenuRicevute::closeEvent(QCloseEvent* event)
{
    event->accept();
    // Closing a screen that is already hidden hands over nothing.
    if (!isVisible())
        return;
    if (lblMemory->text() == kTagRicevute)
        emit mostraEditor();
    else
        emit mostraMenu();
    hide();
}

} // namespace tavorel
