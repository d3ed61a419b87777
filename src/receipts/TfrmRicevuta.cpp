#include "receipts/TfrmRicevuta.h"

#include "checks/TfrmCodFisc.h"
#include "receipts/ReceiptSettings.h"
#include "receipts/TfrmAnteprimaRic.h"
#include "receipts/TfrmLogo.h"
#include "receipts/TfrmNumerazione.h"
#include "receipts/TfrmStampaRic.h"
#include "rules/AmountInWords.h"
#include "rules/FieldRules.h"
#include "rules/TextRules.h"
#include "shell/Colors.h"
#include "shell/CommandTable.h"
#include "shell/FieldKeys.h"
#include "shell/InfoBar.h"
#include "shell/PictureButton.h"
#include "shell/ScreenLook.h"
#include "storage/Archives.h"
#include "storage/Messages.h"
#include "storage/RecordFile.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QFocusEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QVBoxLayout>

#include <iterator>

namespace tavorel {

namespace {

const QString kInfoIniziale = QStringLiteral("Pronto per archiviare una nuova ricevuta...");

using S = TSchedaRicevuta;

constexpr Qt::Alignment kCentre = Qt::AlignCenter;
constexpr Qt::Alignment kRight = Qt::AlignRight | Qt::AlignVCenter;

// The edit fields in tab and Enter order (Enter in the cents leads back to the first payee line);
// a save checks the required ones in this order.
constexpr FieldRow<S> kCampi[] = {
    {.name = u"txtRicevente01", .member = &S::Ricevente01},
    {.name = u"txtRicevente02", .member = &S::Ricevente02},
    {.name = u"txtRicevente03", .member = &S::Ricevente03},
    {.name = u"txtRicevente04", .member = &S::Ricevente04},
    {.name = u"txtNumRic",
     .member = &S::NumRic,
     .label = u"RICEVUTA n.",
     .required = &kMsgRicMancaNumRic,
     .alignment = kCentre},
    {.name = u"txtData",
     .member = &S::Data,
     .label = u"Data:",
     .required = &kMsgRicMancaData,
     .existingDate = true,
     .filter = KeyFilter::DatePicker,
     .pickerTag = u"data",
     .alignment = kCentre},
    {.name = u"txtPagatore", .member = &S::Pagatore, .label = u"Riceviamo da", .required = &kMsgRicMancaPagatore},
    {.name = u"txtCodFisc",
     .member = &S::CodFisc,
     .label = u"C.F.",
     .required = &kMsgRicMancaCodFisc,
     .forced = ForcedText::UpperTrimmed},
    {.name = u"txtSport", .member = &S::Sport, .label = u"per l'attività sportiva", .required = &kMsgMancaAttivita},
    {.name = u"txtDal",
     .member = &S::Dal,
     .label = u"dal",
     .required = &kMsgRicMancaDal,
     .filter = KeyFilter::DatePicker,
     .pickerTag = u"dal",
     .alignment = kCentre},
    {.name = u"txtAl",
     .member = &S::Al,
     .label = u"al",
     .required = &kMsgRicMancaAl,
     .filter = KeyFilter::DatePicker,
     .pickerTag = u"Al",
     .alignment = kCentre},
    {.name = u"txtPraticante", .member = &S::Praticante, .label = u"Praticante:"},
    {.name = u"txtLuogoNasc", .member = &S::LuogoNasc, .label = u"Luogo di nascita:"},
    {.name = u"txtDataNasc", .member = &S::DataNasc, .label = u"Data di nascita:"},
    {.name = u"txtIndirizzo", .member = &S::Indirizzo, .label = u"Indirizzo:"},
    {.name = u"txtImporto",
     .member = &S::Importo,
     .label = u"TOTALE :",
     .resting = Resting::White,
     .filter = KeyFilter::Digits,
     .alignment = kRight,
     .decimalNext = u"txtCents"},
    {.name = u"txtCents",
     .member = &S::Cents,
     .label = u"/",
     .resting = Resting::White,
     .filter = KeyFilter::Digits,
     .alignment = kCentre,
     .initial = u"00"},
};

// The computed values stored with the receipt.
constexpr LabelRow<S> kEtichette[] = {
    {.name = u"txtImpLettere", .member = &S::ImpLettere},
    {.name = u"txtCentLettere", .member = &S::CentLettere, .initial = u"00"},
    {.name = u"txtIntero", .member = &S::Intero, .hidden = true},
};

static_assert(FieldTable<S>::fits(kCampi, kEtichette));

// The payee lines: kept from one receipt to the next and stored in the settings on closing.
constexpr QString S::*kRiceventi[] = {&S::Ricevente01, &S::Ricevente02, &S::Ricevente03, &S::Ricevente04};

QString todayText()
{
    return TestoData(platform().today());
}

// A small grey caption under a box ("(IN CIFRE)").
QLabel* caption(QWidget* parent, const QString& text)
{
    QLabel* l = look::label(parent, text, 7);
    l->setStyleSheet(QStringLiteral("color: %1;").arg(colors::kCaptionGrey.name()));
    return l;
}

} // namespace

TfrmRicevuta::TfrmRicevuta()
    : WorkspaceScreen(QStringLiteral("frmRicevuta"), QStringLiteral(" Tavorel - Stampa Ricevute")),
      campi_(panel(), kCampi, kEtichette)
{
    buildFields();
    buildCommands();
    buildLayout();
}

void TfrmRicevuta::buildFields()
{
    // The amounts are the receipt's big figures.
    for (QLineEdit* e : {campo(&S::Importo), campo(&S::Cents)}) {
        e->setFont(look::font(QStringLiteral("Verdana"), 16, true));
        e->setMinimumHeight(38);
    }
    connect(FieldKeys::of(campo(&S::Importo)), &FieldKeys::keyReleased, this, &TfrmRicevuta::txtImportoKeyUp);
    connect(FieldKeys::of(campo(&S::Cents)), &FieldKeys::keyReleased, this, &TfrmRicevuta::txtCentsKeyUp);
    campo(&S::Cents)->installEventFilter(this);

    bkgLettere = new QFrame(panel());
    bkgLettere->setObjectName(QStringLiteral("bkgLettere"));
    bkgLettere->setAttribute(Qt::WA_StyledBackground);
    bkgLettere->setStyleSheet(
        QStringLiteral("QFrame#bkgLettere { background: %1; border-radius: 4px; }").arg(colors::kWordsBox.name()));
    bkgLettere->setCursor(Qt::PointingHandCursor);
    bkgLettere->installEventFilter(this);

    QLabel* txtImpLettere = etichetta(&S::ImpLettere);
    txtImpLettere->setParent(bkgLettere);
    const QFont tahoma = look::font(QStringLiteral("Tahoma"), 12);
    txtImpLettere->setFont(tahoma);
    txtImpLettere->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // Long words must not widen the line: the label takes the box's width and no more.
    txtImpLettere->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    txtImpLettere->setCursor(Qt::PointingHandCursor);
    txtImpLettere->installEventFilter(this);

    QLabel* txtCentLettere = etichetta(&S::CentLettere);
    txtCentLettere->setFont(tahoma);
    txtCentLettere->setAlignment(Qt::AlignCenter);

    lblPosizione = look::label(panel(), QString(), 11, true, QStringLiteral("lblPosizione"));
    lblPosizione->setAlignment(Qt::AlignCenter);

    lblFile = new QLabel(panel());
    lblFile->setObjectName(QStringLiteral("lblFile"));
    lblFile->hide();

    lblInizio = new QLabel(QStringLiteral("1"), panel());
    lblInizio->setObjectName(QStringLiteral("lblInizio"));
    lblInizio->hide();
}

void TfrmRicevuta::buildCommands()
{
    panInfo = new InfoBar(panel(), colors::kInfoBand);
    panInfo->setText(kInfoIniziale);

    const QSize icon(44, 44);
    const CommandRow<TfrmRicevuta> commands[] = {
        {&TfrmRicevuta::cmdNuovo, "cmdNuovo", "nuovo", icon,
         "Prepara la schermata per l'emissione di una nuova ricevuta.", &TfrmRicevuta::cmdNuovoClick},
        {&TfrmRicevuta::cmdDuplica, "cmdDuplica", "duplica", icon,
         "Prepara la schermata per l'emissione di una nuova ricevuta duplicando i dati correnti.",
         &TfrmRicevuta::cmdDuplicaClick},
        {&TfrmRicevuta::cmdSalva, "cmdSalva", "salva", icon, "Salva o aggiorna la ricevuta corrente.",
         &TfrmRicevuta::cmdSalvaClick},
        {&TfrmRicevuta::cmdTrova, "cmdTrova", "trova", icon, "Trova una ricevuta in archivio.",
         &TfrmRicevuta::apriTrova},
        {&TfrmRicevuta::cmdAnteprima, "cmdAnteprima", "anteprima", QSize(124, 44),
         "Visualizza l'anteprima di stampa della ricevuta corrente.", &TfrmRicevuta::cmdAnteprimaClick},
        {&TfrmRicevuta::cmdStampa, "cmdStampa", "stampa", QSize(124, 44), "Stampa la ricevuta corrente.",
         &TfrmRicevuta::cmdStampaClick},
        {&TfrmRicevuta::cmdPrimo, "cmdPrimo", "primo", icon, "Visualizza la prima ricevuta in archivio.",
         &TfrmRicevuta::cmdPrimoClick},
        {&TfrmRicevuta::cmdIndietro, "cmdIndietro", "indietro", icon, "Visualizza la ricevuta precedente in archivio.",
         &TfrmRicevuta::cmdIndietroClick},
        {&TfrmRicevuta::cmdAvanti, "cmdAvanti", "avanti", icon, "Visualizza la ricevuta successiva in archivio.",
         &TfrmRicevuta::cmdAvantiClick},
        {&TfrmRicevuta::cmdUltimo, "cmdUltimo", "ultimo", icon, "Visualizza l'ultima ricevuta in archivio.",
         &TfrmRicevuta::cmdUltimoClick},
        {&TfrmRicevuta::cmdEsporta, "cmdEsporta", "esporta", icon,
         "Esporta l'archivio annuale delle ricevute in un foglio di lavoro di Microsoft Excel.",
         &TfrmRicevuta::apriEsporta},
        {&TfrmRicevuta::cmdNumerazione, "cmdNumerazione", "numerazione", icon,
         "Imposta il numero iniziale per la numerazione automatica delle ricevute.",
         &TfrmRicevuta::cmdNumerazioneClick},
        {&TfrmRicevuta::cmdGuida, "cmdGuida", "guida", icon, "Visualizza la guida in linea sensibile al contesto.",
         &TfrmRicevuta::apriGuida},
        {&TfrmRicevuta::cmdEsci, "cmdEsci", "esci_rosso", icon, "Esci da questo ambiente di lavoro.",
         &TfrmRicevuta::cmdEsciClick},
        {&TfrmRicevuta::cmdLogo, "cmdLogo", "logo", QSize(150, 112),
         "Carica il logo dell'Associazione Sportiva Dilettantistica.", &TfrmRicevuta::cmdLogoClick},
        {&TfrmRicevuta::impPagatore, "impPagatore", "importa", QSize(28, 28),
         "Importa i dati dall'archivio degli iscritti.", &TfrmRicevuta::apriImporta},
        {&TfrmRicevuta::btnCodFisc, "btnCodFisc", "controlla", QSize(28, 28), "Controlla il codice fiscale.",
         &TfrmRicevuta::btnCodFiscClick},
    };
    buildPictureCommands<TfrmRicevuta>(this, panel(), panInfo, commands);
}

void TfrmRicevuta::buildLayout()
{
    panInfo->addBackground(this);
    panInfo->addBackground(panel());

    // Command row.
    QFrame* barra = look::card(panel(), QStringLiteral("panComandi"));
    panInfo->addBackground(barra);
    auto* comandi = new QHBoxLayout(barra);
    comandi->setContentsMargins(12, 8, 12, 8);
    comandi->setSpacing(6);
    for (PictureButton* b : {cmdNuovo, cmdDuplica, cmdSalva, cmdTrova})
        comandi->addWidget(b);
    comandi->addSpacing(6);
    comandi->addWidget(cmdAnteprima);
    comandi->addWidget(cmdStampa);
    comandi->addStretch(1);
    comandi->addWidget(cmdPrimo);
    comandi->addWidget(cmdIndietro);
    // A counter box, so that an unsaved receipt reads as an empty counter rather than a gap.
    lblPosizione->setFixedSize(64, 34);
    lblPosizione->setStyleSheet(QStringLiteral("QLabel { background: %1; border: 1px solid %2; border-radius: 5px; }")
                                    .arg(colors::kBoxFill.name(), colors::kPanelBorder.name()));
    lblPosizione->setParent(barra);
    comandi->addWidget(lblPosizione);
    comandi->addWidget(cmdAvanti);
    comandi->addWidget(cmdUltimo);
    comandi->addStretch(1);
    for (PictureButton* b : {cmdEsporta, cmdNumerazione, cmdGuida, cmdEsci})
        comandi->addWidget(b);

    // The receipt itself, laid out like the paper one.
    QFrame* foglio = look::card(panel(), QStringLiteral("panRicevuta"));
    panInfo->addBackground(foglio);
    auto* righe = new QVBoxLayout(foglio);
    righe->setContentsMargins(22, 18, 22, 16);
    righe->setSpacing(12);

    // Payee block with the number and date box on its right.
    auto* intestazione = new QHBoxLayout;
    intestazione->setSpacing(14);
    intestazione->addWidget(cmdLogo, 0, Qt::AlignTop);
    auto* riceventi = new QVBoxLayout;
    riceventi->setSpacing(4);
    for (auto member : kRiceventi) {
        QLineEdit* e = campo(member);
        e->setFixedWidth(400);
        riceventi->addWidget(e);
    }
    riceventi->addStretch(1);
    intestazione->addLayout(riceventi);
    intestazione->addStretch(1);

    QFrame* numero = look::framedBox(foglio, QStringLiteral("shpNumero"));
    panInfo->addBackground(numero);
    auto* numeroGrid = new QGridLayout(numero);
    numeroGrid->setContentsMargins(14, 10, 14, 10);
    numeroGrid->setHorizontalSpacing(8);
    numeroGrid->setVerticalSpacing(8);
    QLabel* titNumRic = campi_.titleOf(campo(&S::NumRic));
    titNumRic->setFont(look::font(QStringLiteral("Verdana"), 13, true));
    titNumRic->setStyleSheet(QStringLiteral("color: %1;").arg(colors::kSteelBlue.name()));
    campo(&S::NumRic)->setFixedWidth(150);
    campo(&S::Data)->setFixedWidth(150);
    for (QLabel* l : {titNumRic, campi_.titleOf(campo(&S::Data))})
        l->setParent(numero);
    numeroGrid->addWidget(titNumRic, 0, 0, Qt::AlignRight);
    numeroGrid->addWidget(campo(&S::NumRic), 0, 1);
    numeroGrid->addWidget(campi_.titleOf(campo(&S::Data)), 1, 0, Qt::AlignRight);
    numeroGrid->addWidget(campo(&S::Data), 1, 1);
    intestazione->addWidget(numero, 0, Qt::AlignTop);
    righe->addLayout(intestazione);

    auto* filetto = new QFrame(foglio);
    filetto->setObjectName(QStringLiteral("shpFiletto"));
    filetto->setFixedHeight(1);
    filetto->setStyleSheet(QStringLiteral("background: %1;").arg(colors::kPanelBorder.name()));
    righe->addWidget(filetto);
    righe->addStretch(1);

    // One line of labelled fields; a stretch of 0 keeps a field at its fixed width.
    auto riga = [&](std::initializer_list<QWidget*> items) {
        auto* h = new QHBoxLayout;
        h->setSpacing(8);
        for (QWidget* w : items) {
            auto* edit = qobject_cast<QLineEdit*>(w);
            h->addWidget(w, edit && edit->maximumWidth() == QWIDGETSIZE_MAX ? 1 : 0);
        }
        righe->addLayout(h);
        return h;
    };
    for (QLineEdit* e : {campo(&S::CodFisc)})
        e->setFixedWidth(190);
    for (QLineEdit* e : {campo(&S::Dal), campo(&S::Al), campo(&S::DataNasc)})
        e->setFixedWidth(110);
    riga({campi_.titleOf(campo(&S::Pagatore)), campo(&S::Pagatore), impPagatore, campi_.titleOf(campo(&S::CodFisc)),
          campo(&S::CodFisc), btnCodFisc});
    riga({campi_.titleOf(campo(&S::Sport)), campo(&S::Sport), campi_.titleOf(campo(&S::Dal)), campo(&S::Dal),
          campi_.titleOf(campo(&S::Al)), campo(&S::Al)});
    righe->addStretch(1);

    // The words line: euro sign, the words on their box, "/" and the cents.
    panInfo->addBackground(bkgLettere);
    auto* lettere = new QGridLayout;
    lettere->setHorizontalSpacing(8);
    lettere->setVerticalSpacing(1);
    QLabel* euroLettere = look::label(foglio, QStringLiteral("€"), 14, true, QStringLiteral("lblEuroLettere"));
    auto* bkgLayout = new QHBoxLayout(bkgLettere);
    bkgLayout->setContentsMargins(10, 2, 10, 2);
    bkgLayout->addWidget(etichetta(&S::ImpLettere));
    bkgLettere->setFixedHeight(32);
    QLabel* barraLettere = look::label(foglio, QStringLiteral("/"), 14, true, QStringLiteral("lblBarraLettere"));
    etichetta(&S::CentLettere)->setFixedWidth(36);
    lettere->addWidget(euroLettere, 0, 0);
    lettere->addWidget(bkgLettere, 0, 1);
    lettere->addWidget(barraLettere, 0, 2);
    lettere->addWidget(etichetta(&S::CentLettere), 0, 3);
    lettere->addWidget(caption(foglio, QStringLiteral("(IN LETTERE)")), 1, 1, Qt::AlignRight);
    lettere->setColumnStretch(1, 1);
    righe->addLayout(lettere);
    righe->addStretch(1);

    riga({campi_.titleOf(campo(&S::Praticante)), campo(&S::Praticante), campi_.titleOf(campo(&S::LuogoNasc)),
          campo(&S::LuogoNasc)});
    riga({campi_.titleOf(campo(&S::DataNasc)), campo(&S::DataNasc), campi_.titleOf(campo(&S::Indirizzo)),
          campo(&S::Indirizzo)});
    righe->addStretch(1);

    // The total box, bottom right as on the paper receipt.
    QFrame* totale = look::framedBox(foglio, QStringLiteral("shpTotale"));
    panInfo->addBackground(totale);
    auto* totaleGrid = new QGridLayout(totale);
    totaleGrid->setContentsMargins(14, 8, 14, 6);
    totaleGrid->setHorizontalSpacing(8);
    totaleGrid->setVerticalSpacing(1);
    QLabel* titImporto = campi_.titleOf(campo(&S::Importo));
    titImporto->setParent(totale);
    titImporto->setFont(look::font(QStringLiteral("Verdana"), 13, true));
    titImporto->setStyleSheet(QStringLiteral("color: %1;").arg(colors::kSteelBlue.name()));
    QLabel* euroCifre = look::label(totale, QStringLiteral("€"), 16, true, QStringLiteral("lblEuroCifre"));
    QLabel* titCents = campi_.titleOf(campo(&S::Cents));
    titCents->setParent(totale);
    titCents->setFont(look::font(QStringLiteral("Verdana"), 16, true));
    campo(&S::Importo)->setFixedWidth(150);
    campo(&S::Cents)->setFixedWidth(52);
    totaleGrid->addWidget(titImporto, 0, 0);
    totaleGrid->addWidget(euroCifre, 0, 1);
    totaleGrid->addWidget(campo(&S::Importo), 0, 2);
    totaleGrid->addWidget(titCents, 0, 3);
    totaleGrid->addWidget(campo(&S::Cents), 0, 4);
    totaleGrid->addWidget(caption(totale, QStringLiteral("(IN CIFRE)")), 1, 2, Qt::AlignRight);
    totaleGrid->addWidget(caption(totale, QStringLiteral("(IN CIFRE)")), 1, 4, Qt::AlignCenter);
    auto* totaleRiga = new QHBoxLayout;
    totaleRiga->addStretch(1);
    totaleRiga->addWidget(totale);
    righe->addLayout(totaleRiga);

    auto* colonna = new QVBoxLayout(panel());
    colonna->setContentsMargins(0, 6, 0, 6);
    colonna->setSpacing(8);
    colonna->addWidget(barra);
    colonna->addWidget(foglio, 1);
    colonna->addWidget(panInfo);
}

void TfrmRicevuta::apriArchivio(const QString& archivePath, const QString& caption)
{
    lblFile->setText(archivePath);
    setWindowTitle(caption);
}

TSchedaRicevuta TfrmRicevuta::scheda() const
{
    return campi_.record();
}

void TfrmRicevuta::mostraScheda(const TSchedaRicevuta& record, qint64 k)
{
    campi_.show(record);
    lblPosizione->setText(QString::number(k));
}

void TfrmRicevuta::mostraPagatore(const TSchedaRicevuta& from)
{
    for (auto member :
         {&S::Pagatore, &S::CodFisc, &S::Sport, &S::Praticante, &S::LuogoNasc, &S::DataNasc, &S::Indirizzo}) {
        QLineEdit* field = campo(member);
        field->setText(from.*member);
        field->setCursorPosition(0);
    }
}

QString TfrmRicevuta::archivio() const
{
    return lblFile->text();
}

void TfrmRicevuta::closeEvent(QCloseEvent* event)
{
    QStringList righe;
    for (auto member : kRiceventi)
        righe.append(TrimSpazi(campo(member)->text()));
    const QString cartella = platform().programFolder();
    if (!ReceiptSettings::scriviRiceventi(cartella, righe) && righe != ReceiptSettings::leggiRiceventi(cartella)) {
        // The lines as edited exist only on the screen: the editor stays open so that they are
        // not lost. Lines the settings already hold can go, or a folder that cannot be written
        // would keep the user in the editor for good.
        accessoNegato(MessageKind::Error);
        event->ignore();
        return;
    }
    emit chiuso();
    event->accept();
}

bool TfrmRicevuta::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == campo(&S::Cents) && event->type() == QEvent::FocusOut) {
        // Only a move to another control leaves the field; a dialog or another program taking
        // the window's focus does not complete the cents under the user.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            txtCentsExit();
    } else if ((watched == etichetta(&S::ImpLettere) || watched == bkgLettere) &&
               event->type() == QEvent::MouseButtonPress &&
               static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        txtImpLettereClick();
        return true;
    }
    return WorkspaceScreen::eventFilter(watched, event);
}

void TfrmRicevuta::avvisa(MessageKind kind, const QString& text)
{
    platform().message(this, kind, text);
}

void TfrmRicevuta::accessoNegato(MessageKind kind)
{
    avvisa(kind, kMsgAccessoArchivio);
}

void TfrmRicevuta::FormShow()
{
    campi_.clear();
    const QStringList righe = ReceiptSettings::leggiRiceventi(platform().programFolder());
    for (qsizetype i = 0; i < std::ssize(kRiceventi); ++i)
        campo(kRiceventi[i])->setText(righe.value(i));
    campo(&S::Data)->setText(todayText());
    lblPosizione->clear();
    campo(&S::Pagatore)->setFocus();
}

void TfrmRicevuta::cmdNuovoClick()
{
    QString inizio = ReceiptSettings::leggiInizio(platform().programFolder());
    if (TrimSpazi(inizio).isEmpty())
        inizio = QStringLiteral("1");
    lblInizio->setText(inizio);

    RecordFile file;
    if (!OpenReceiptArchive(lblFile->text(), file)) {
        accessoNegato(MessageKind::Error);
        return;
    }
    const qint64 n = file.count();

    // A new receipt of the same payee; its number comes below, once the count is known.
    campi_.clear({&S::Ricevente01, &S::Ricevente02, &S::Ricevente03, &S::Ricevente04});
    campo(&S::Data)->setText(todayText());
    etichetta(&S::Intero)->setText(QStringLiteral("0,00"));
    lblPosizione->clear();

    const std::optional<qint64> numero = NumeroProposto(lblInizio->text(), n);
    file.close();
    if (!numero) {
        // The number stays empty: the previous receipt's must not stay on a cleared, unsaved one.
        accessoNegato(MessageKind::Error);
        return;
    }
    campo(&S::NumRic)->setText(QString::number(*numero));
    campo(&S::Pagatore)->setFocus();
}

void TfrmRicevuta::cmdSalvaClick()
{
    const ImportoRicevuta importo = CompletaImporto(campo(&S::Importo)->text(), campo(&S::Cents)->text());
    campo(&S::Importo)->setText(importo.euro);
    campo(&S::Cents)->setText(importo.cents);
    // Always copied, not only when completing changed them: cents pasted with the mouse and
    // saved at once would otherwise be stored, and printed, with the words of other cents.
    etichetta(&S::CentLettere)->setText(importo.cents);
    etichetta(&S::Intero)->setText(importo.intero);

    if (const std::optional<MissingField> missing = campi_.firstMissing()) {
        avvisa(MessageKind::Warning, missing->warning);
        missing->field->setFocus();
        return;
    }

    RecordFile file;
    if (!OpenReceiptArchive(lblFile->text(), file)) {
        accessoNegato(MessageKind::Warning);
        return;
    }
    const TSchedaRicevuta record = scheda();
    const qint64 k = PosizioneDaEtichetta(lblPosizione->text());
    if (k > 0) {
        const bool scritto = overwriteRecord(file, k, record);
        file.close();
        if (!scritto) {
            accessoNegato(MessageKind::Warning);
            return;
        }
        avvisa(MessageKind::Information, kMsgSchedaModificata);
    } else {
        const qint64 nuovo = appendRecord(file, record);
        file.close();
        if (nuovo < 0) {
            accessoNegato(MessageKind::Warning);
            return;
        }
        lblPosizione->setText(QString::number(nuovo));
        avvisa(MessageKind::Information, kMsgSchedaInserita);
    }
}

void TfrmRicevuta::cmdDuplicaClick()
{
    if (TrimSpazi(lblPosizione->text()).isEmpty()) {
        avvisa(MessageKind::Warning, kMsgRicevutaDuplicaNonSalvata);
        return;
    }
    lblPosizione->clear();
    RecordFile file;
    if (!OpenReceiptArchive(lblFile->text(), file)) {
        accessoNegato(MessageKind::Error);
        return;
    }
    campo(&S::NumRic)->clear();
    campo(&S::Data)->setText(todayText());
    campo(&S::NumRic)->setFocus();
    file.close();
    avvisa(MessageKind::Information, kMsgRicevutaDuplicata);
}

void TfrmRicevuta::sfoglia(BrowseCommand command, MessageKind failureKind)
{
    // From the first receipt "Indietro" does nothing at all, not even on an archive emptied meanwhile.
    if (command == BrowseCommand::Indietro && lblPosizione->text() == QStringLiteral("1"))
        return;
    RecordFile file;
    if (!OpenReceiptArchive(lblFile->text(), file)) {
        accessoNegato(failureKind);
        return;
    }
    const BrowseRead found = LeggiPerSfoglia(file, command, PosizioneDaEtichetta(lblPosizione->text()));
    switch (found.outcome) {
    case BrowseRead::Outcome::Empty:
        if (command == BrowseCommand::Avanti)
            lblPosizione->clear();
        avvisa(MessageKind::Information, kMsgArchivioRicevuteVuoto);
        return;
    case BrowseRead::Outcome::Stay:
        return;
    case BrowseRead::Outcome::Unreadable:
        accessoNegato(failureKind);
        return;
    case BrowseRead::Outcome::Read:
        break;
    }
    mostraScheda(decodeRecord<TSchedaRicevuta>(found.bytes), found.k);
    // What a damaged record still holds is shown, so that it can be checked and saved again; the
    // user is told which record of which file it is.
    if (!recordIsWhole<TSchedaRicevuta>(found.bytes))
        avvisa(MessageKind::Warning, msgSchedaDanneggiata(found.k, QFileInfo(lblFile->text()).fileName()));
}

// "Primo" and "Salva" report a failing archive as a warning, the other archive actions as an error.
void TfrmRicevuta::cmdPrimoClick()
{
    sfoglia(BrowseCommand::Primo, MessageKind::Warning);
}

void TfrmRicevuta::cmdIndietroClick()
{
    sfoglia(BrowseCommand::Indietro, MessageKind::Error);
}

void TfrmRicevuta::cmdAvantiClick()
{
    sfoglia(BrowseCommand::Avanti, MessageKind::Error);
}

void TfrmRicevuta::cmdUltimoClick()
{
    sfoglia(BrowseCommand::Ultimo, MessageKind::Error);
}

void TfrmRicevuta::cmdAnteprimaClick()
{
    auto* dialog = new TfrmAnteprimaRic(this, scheda());
    platform().runModal(dialog);
    delete dialog;
}

void TfrmRicevuta::cmdStampaClick()
{
    auto* dialog = new TfrmStampaRic(this, scheda());
    platform().runModal(dialog);
    delete dialog;
}

void TfrmRicevuta::cmdNumerazioneClick()
{
    auto* dialog = new TfrmNumerazione(this);
    dialog->setMode(QStringLiteral("ricevute"));
    dialog->setWindowTitle(QStringLiteral(" Impostazione inizio numerazione ricevute"));
    platform().runModal(dialog);
    delete dialog;
}

void TfrmRicevuta::cmdLogoClick()
{
    auto* dialog = new TfrmLogo(this);
    platform().runModal(dialog);
    delete dialog;
}

void TfrmRicevuta::cmdEsciClick()
{
    close();
}

void TfrmRicevuta::btnCodFiscClick()
{
    TfrmCodFisc::apriControllo(this, TrimSpazi(campo(&S::CodFisc)->text()));
}

void TfrmRicevuta::txtImportoKeyUp()
{
    const QString euro = TrimSpazi(campo(&S::Importo)->text());
    qint64 amount = 0;
    if (!euro.isEmpty() && ParseImporto(euro, &amount))
        etichetta(&S::ImpLettere)->setText(ImportoInLettere(amount));
    else
        etichetta(&S::ImpLettere)->clear(); // empty, or not an amount: no words rather than stale ones
}

void TfrmRicevuta::txtCentsKeyUp()
{
    etichetta(&S::CentLettere)
        ->setText(TrimSpazi(campo(&S::Cents)->text()).isEmpty() ? QString() : campo(&S::Cents)->text());
}

void TfrmRicevuta::txtCentsExit()
{
    const QString cents = CompletaCents(campo(&S::Cents)->text());
    if (cents != campo(&S::Cents)->text())
        campo(&S::Cents)->setText(cents);
    etichetta(&S::CentLettere)->setText(cents);
}

void TfrmRicevuta::txtImpLettereClick()
{
    avvisa(MessageKind::Information, kMsgImportoInCifre);
    campo(&S::Importo)->setFocus();
}

} // namespace tavorel
