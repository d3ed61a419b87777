#include "shell/TfrmAvvio.h"

#include "shell/Colors.h"
#include "shell/PictureButton.h"
#include "shell/Platform.h"
#include "shell/ScreenLook.h"
#include "storage/Archives.h"

#include <QCloseEvent>
#include <QEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>
#include <QSvgWidget>
#include <QVBoxLayout>
#include <QtConcurrent/QtConcurrentRun>

namespace tavorel {

namespace {

// Sizes inside the 995 × 692 panel; the three rows add up to its height.
constexpr int kGap = 12;
constexpr int kTitleHeight = 160;
constexpr int kFooterHeight = 76;
constexpr int kCornerIcon = 36;
constexpr int kNoticeHeight = 30;
constexpr QSize kAppPicture{290, 290};
constexpr QSize kPill{250, 50};
constexpr QSize kSiteBanner{440, 52};
constexpr QSize kBackupButton{170, 34};

PictureButton* cornerIcon(const QString& name, const QString& svg, QWidget* parent)
{
    auto* b = new PictureButton(name, svg, parent);
    b->setFixedSize(kCornerIcon, kCornerIcon);
    return b;
}

QFont verdana(int pixels, bool bold)
{
    QFont f(QStringLiteral("Verdana"));
    f.setPixelSize(pixels);
    f.setBold(bold);
    return f;
}

} // namespace

TfrmAvvio::TfrmAvvio() : WorkspaceScreen(QStringLiteral("frmAvvio"), QStringLiteral(" Tavorel"))
{
    setWindowIcon(programIcon());
    QWidget* area = panel();
    auto* rows = new QVBoxLayout(area);
    rows->setContentsMargins(0, 0, 0, 0);
    rows->setSpacing(kGap);

    // Title block: info and help in the top corners, icon and product name centred, banner under them.
    QFrame* title = look::card(area, QStringLiteral("panTitolo"));
    title->setFixedHeight(kTitleHeight);
    rows->addWidget(title);
    auto* titleRows = new QVBoxLayout(title);
    titleRows->setContentsMargins(14, 12, 14, 14);
    titleRows->setSpacing(6);
    auto* top = new QHBoxLayout;
    top->setSpacing(0);
    titleRows->addLayout(top, 1);

    imgInfo = cornerIcon(QStringLiteral("imgInfo"), QStringLiteral(":/assets/avvio_info.svg"), title);
    imgInfo->setToolTip(QStringLiteral("Informazioni su Tavorel"));
    top->addWidget(imgInfo, 0, Qt::AlignTop);
    // As wide as the copies button on the other side, so that the name stays in the middle.
    top->addSpacing(kBackupButton.width() + 8);
    top->addStretch(1);

    icoIcona = new QSvgWidget(QStringLiteral(":/assets/tavorel.svg"), title);
    icoIcona->setObjectName(QStringLiteral("icoIcona"));
    icoIcona->setFixedSize(72, 72);
    top->addWidget(icoIcona, 0, Qt::AlignVCenter);
    top->addSpacing(18);

    icoTitoloApp = new QLabel(QStringLiteral("Tavorel"), title);
    icoTitoloApp->setObjectName(QStringLiteral("icoTitoloApp"));
    icoTitoloApp->setFont(verdana(56, true));
    icoTitoloApp->setStyleSheet(QStringLiteral("color: %1;").arg(colors::kRed.name()));
    top->addWidget(icoTitoloApp, 0, Qt::AlignVCenter);
    top->addStretch(1);

    btnBackup = new PictureButton(QStringLiteral("btnBackup"), QStringLiteral(":/assets/avvio_pulsante.svg"), title);
    btnBackup->setFixedSize(kBackupButton);
    btnBackup->setCaption(QStringLiteral("Copie di sicurezza"), 9);
    btnBackup->setToolTip(QStringLiteral("Copia, ripristino e controllo dei dati"));
    top->addWidget(btnBackup, 0, Qt::AlignTop);
    top->addSpacing(8);

    imgGuida = cornerIcon(QStringLiteral("imgGuida"), QStringLiteral(":/assets/avvio_guida.svg"), title);
    imgGuida->setToolTip(QStringLiteral("Uno sguardo a Tavorel"));
    top->addWidget(imgGuida, 0, Qt::AlignTop);

    imgSottotitolo = new QLabel(QStringLiteral("Archivio iscritti, ricevute di pagamento e riepilogo incassi "
                                               "per Associazioni Sportive Dilettantistiche"),
                                title);
    imgSottotitolo->setObjectName(QStringLiteral("imgSottotitolo"));
    imgSottotitolo->setAlignment(Qt::AlignCenter);
    imgSottotitolo->setFont(verdana(15, false));
    imgSottotitolo->setFixedHeight(38);
    imgSottotitolo->setStyleSheet(
        QStringLiteral("QLabel#imgSottotitolo { background: %1; color: %2;"
                       " border: 1px solid %3; border-radius: 19px; }")
            .arg(colors::kSubtitleBack.name(), colors::kSubtitleText.name(), colors::kPanelBorder.name()));
    titleRows->addWidget(imgSottotitolo);

    // The three apps, side by side.
    auto* apps = new QHBoxLayout;
    apps->setSpacing(kGap);
    rows->addLayout(apps, 1);
    struct App {
        const char* panel;
        const char* picture;
        const char* button;
        const char* artwork;
        QString caption;
        PictureButton** pictureMember;
        PictureButton** buttonMember;
        void (TfrmAvvio::*pictureClick)();
        void (TfrmAvvio::*buttonClick)();
    };
    const App appTable[] = {
        {"panApp01", "imgApp01", "btnApp01", ":/assets/avvio_iscritti.svg", QStringLiteral("ARCHIVIO ISCRITTI"),
         &imgApp01, &btnApp01, &TfrmAvvio::imgApp01Click, &TfrmAvvio::btnApp01Click},
        {"panApp02", "imgApp02", "btnApp02", ":/assets/avvio_ricevute.svg", QStringLiteral("STAMPA RICEVUTE"),
         &imgApp02, &btnApp02, &TfrmAvvio::imgApp02Click, &TfrmAvvio::btnApp02Click},
        {"panApp03", "imgApp03", "btnApp03", ":/assets/avvio_incassi.svg", QStringLiteral("RIEPILOGO INCASSI"),
         &imgApp03, &btnApp03, &TfrmAvvio::imgApp03Click, &TfrmAvvio::btnApp03Click},
    };
    for (const App& app : appTable) {
        QFrame* card = look::card(area, QString::fromLatin1(app.panel));
        apps->addWidget(card, 1);
        auto* column = new QVBoxLayout(card);
        column->setContentsMargins(14, 10, 14, 10);
        column->setSpacing(14);
        column->addStretch(1);

        auto* picture = new PictureButton(QString::fromLatin1(app.picture), QString::fromLatin1(app.artwork), card);
        picture->setFixedSize(kAppPicture);
        column->addWidget(picture, 0, Qt::AlignHCenter);

        auto* pill =
            new PictureButton(QString::fromLatin1(app.button), QStringLiteral(":/assets/avvio_pulsante.svg"), card);
        pill->setFixedSize(kPill);
        pill->setCaption(app.caption, 12);
        column->addWidget(pill, 0, Qt::AlignHCenter);
        column->addStretch(1);

        *app.pictureMember = picture;
        *app.buttonMember = pill;
        for (PictureButton* b : {picture, pill}) {
            panelOf_.insert(b, card);
            b->installEventFilter(this);
        }
        connect(picture, &PictureButton::clicked, this, app.pictureClick);
        connect(pill, &PictureButton::clicked, this, app.buttonClick);
    }

    // Under the apps, who must renew: worked out after the menu is shown (FormShow).
    lblScadenze = new QLabel(area);
    lblScadenze->setObjectName(QStringLiteral("lblScadenze"));
    lblScadenze->setAlignment(Qt::AlignCenter);
    lblScadenze->setFont(verdana(14, true));
    lblScadenze->setFixedHeight(kNoticeHeight);
    lblScadenze->setCursor(Qt::PointingHandCursor);
    lblScadenze->setToolTip(QStringLiteral("Fare clic per vedere chi deve rinnovare"));
    lblScadenze->setStyleSheet(QStringLiteral("QLabel#lblScadenze { background: %1; color: %2;"
                                              " border: 1px solid %3; border-radius: %4px; }")
                                   .arg(colors::kWhite.name(), colors::kRed.name(), colors::kPanelBorder.name())
                                   .arg(kNoticeHeight / 2));
    // Hidden while nobody must renew, its place kept so that the menu does not move.
    QSizePolicy keep = lblScadenze->sizePolicy();
    keep.setRetainSizeWhenHidden(true);
    lblScadenze->setSizePolicy(keep);
    lblScadenze->hide();
    lblScadenze->installEventFilter(this);
    rows->addWidget(lblScadenze);
    connect(&conteggio_, &QFutureWatcher<Scadenze>::finished, this, &TfrmAvvio::scadenzeContate);

    // Footer: credits bottom left, the maker's site in the middle, the way out bottom right.
    QFrame* footer = look::card(area, QStringLiteral("panPiede"));
    footer->setFixedHeight(kFooterHeight);
    rows->addWidget(footer);
    auto* bottom = new QHBoxLayout(footer);
    bottom->setContentsMargins(14, 10, 14, 10);
    bottom->setSpacing(0);

    imgCopyright = cornerIcon(QStringLiteral("imgCopyright"), QStringLiteral(":/assets/avvio_copyright.svg"), footer);
    imgCopyright->setToolTip(QStringLiteral("Crediti"));
    bottom->addWidget(imgCopyright, 0, Qt::AlignVCenter);
    bottom->addStretch(1);

    imgSito = new PictureButton(QStringLiteral("imgSito"), QStringLiteral(":/assets/avvio_sito.svg"), footer);
    imgSito->setFixedSize(kSiteBanner);
    bottom->addWidget(imgSito, 0, Qt::AlignVCenter);
    bottom->addStretch(1);

    imgEsci = cornerIcon(QStringLiteral("imgEsci"), QStringLiteral(":/assets/avvio_esci.svg"), footer);
    imgEsci->setToolTip(QStringLiteral("Esci"));
    bottom->addWidget(imgEsci, 0, Qt::AlignVCenter);

    connect(imgInfo, &PictureButton::clicked, this, &TfrmAvvio::imgInfoClick);
    connect(imgGuida, &PictureButton::clicked, this, &TfrmAvvio::imgGuidaClick);
    connect(btnBackup, &PictureButton::clicked, this, &TfrmAvvio::btnBackupClick);
    connect(imgCopyright, &PictureButton::clicked, this, &TfrmAvvio::imgCopyrightClick);
    connect(imgSito, &PictureButton::clicked, this, &TfrmAvvio::imgSitoClick);
    connect(imgEsci, &PictureButton::clicked, this, &TfrmAvvio::imgEsciClick);
}

TfrmAvvio::~TfrmAvvio()
{
    // A count under way reads the archive of the program folder: it ends before the menu goes.
    conteggio_.waitForFinished();
}

QIcon TfrmAvvio::programIcon()
{
    // Drawn at each size rather than left to an icon engine, so the icon is there with any set of
    // image plug-ins.
    QIcon icon;
    QSvgRenderer artwork(QStringLiteral(":/assets/tavorel.svg"));
    for (int side : {16, 24, 32, 48, 64, 128, 256}) {
        QPixmap pixmap(side, side);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        artwork.render(&painter, QRectF(0, 0, side, side));
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

void TfrmAvvio::highlightPanel(QFrame* panel, bool on)
{
    look::setCardBorder(panel, on ? colors::kSteelBlue : colors::kPanelBorder);
}

bool TfrmAvvio::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == lblScadenze && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        lblScadenzeClick();
        return true;
    }
    if (QFrame* panel = panelOf_.value(watched)) {
        if (event->type() == QEvent::Enter)
            highlightPanel(panel, true);
        else if (event->type() == QEvent::Leave)
            highlightPanel(panel, false);
    }
    return WorkspaceScreen::eventFilter(watched, event);
}

void TfrmAvvio::enterApp(void (TfrmAvvio::*announce)())
{
    // The menu comes back later with the mouse elsewhere: no panel should still look chosen.
    for (QFrame* panel : std::as_const(panelOf_))
        highlightPanel(panel, false);
    // Whoever shows the app hides the menu: an entry whose app is not there yet leaves the user
    // on the menu instead of on an empty desktop.
    emit(this->*announce)();
}

void TfrmAvvio::imgApp01Click()
{
    enterApp(&TfrmAvvio::apriArchivioIscritti);
}

void TfrmAvvio::btnApp01Click()
{
    enterApp(&TfrmAvvio::apriArchivioIscritti);
}

void TfrmAvvio::imgApp02Click()
{
    enterApp(&TfrmAvvio::apriStampaRicevute);
}

void TfrmAvvio::btnApp02Click()
{
    enterApp(&TfrmAvvio::apriStampaRicevute);
}

void TfrmAvvio::imgApp03Click()
{
    enterApp(&TfrmAvvio::apriRiepilogoIncassi);
}

void TfrmAvvio::btnApp03Click()
{
    enterApp(&TfrmAvvio::apriRiepilogoIncassi);
}

void TfrmAvvio::imgInfoClick()
{
    emit apriInfo();
}

void TfrmAvvio::imgCopyrightClick()
{
    emit apriCrediti();
}

void TfrmAvvio::imgGuidaClick()
{
    emit apriGuida();
}

void TfrmAvvio::imgSitoClick()
{
    openOnDesktop(this, kSitoWeb);
}

void TfrmAvvio::btnBackupClick()
{
    emit apriCopieSicurezza();
}

void TfrmAvvio::esci()
{
    emit uscitaRichiesta();
    platform().terminate();
}

void TfrmAvvio::imgEsciClick()
{
    esci();
}

void TfrmAvvio::FormClose()
{
    esci();
}

void TfrmAvvio::FormShow()
{
    // Shown again after the member editor: the archive may have been saved, count anew.
    avviaConteggio(true);
}

void TfrmAvvio::changeEvent(QEvent* event)
{
    WorkspaceScreen::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        avviaConteggio(false);
}

void TfrmAvvio::aggiornaScadenze()
{
    avviaConteggio(true);
}

TfrmAvvio::Scadenze TfrmAvvio::contaScadenze(const QString& folder, const QDate& today, const Scadenze& last,
                                             bool always)
{
    Scadenze out;
    out.today = today;
    const QFileInfo archive(memberArchivePath(folder));
    if (archive.exists()) {
        out.size = archive.size();
        out.modified = archive.lastModified();
    }
    if (!always && last.esito == Scadenze::Esito::Contate && last.today == today && last.size == out.size &&
        last.modified == out.modified) {
        out.esito = Scadenze::Esito::Invariate;
        return out;
    }
    out.esito = contaScadenzeArchivio(folder, today, kGiorniPreavviso, out.conteggio) ? Scadenze::Esito::Contate
                                                                                      : Scadenze::Esito::Illeggibili;
    return out;
}

void TfrmAvvio::avviaConteggio(bool always)
{
    if (conteggio_.isRunning()) {
        ancora_ = true;
        ancoraSempre_ = ancoraSempre_ || always;
        return;
    }
    // What the count needs from the desktop is taken here: the platform belongs to this thread.
    conteggio_.setFuture(QtConcurrent::run(&TfrmAvvio::contaScadenze, platform().programFolder(), platform().today(),
                                           scadenze_, always));
}

void TfrmAvvio::scadenzeContate()
{
    const Scadenze found = conteggio_.result();
    if (found.esito != Scadenze::Esito::Invariate) {
        // An archive that cannot be read says nothing here: the member editor tells the access
        // message when it is opened.
        scadenze_ = found;
        const QString text =
            found.esito == Scadenze::Esito::Contate ? avvisoScadenze(found.conteggio, kGiorniPreavviso) : QString();
        lblScadenze->setText(text);
        lblScadenze->setVisible(!text.isEmpty());
    }
    if (ancora_) {
        const bool always = ancoraSempre_;
        ancora_ = ancoraSempre_ = false;
        avviaConteggio(always);
    }
    emit scadenzeAggiornate();
}

void TfrmAvvio::lblScadenzeClick()
{
    const ConteggioScadenze& c = scadenze_.conteggio;
    if (scadenze_.esito != Scadenze::Esito::Contate || (!c.certificati() && !c.tessere()))
        return;
    for (QFrame* panel : std::as_const(panelOf_))
        highlightPanel(panel, false);
    emit apriScadenze(c.certificati() || !c.tessere());
}

void TfrmAvvio::closeEvent(QCloseEvent* event)
{
    FormClose();
    event->accept();
}

} // namespace tavorel
