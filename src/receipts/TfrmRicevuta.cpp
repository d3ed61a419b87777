#include "receipts/TfrmRicevuta.h"

#include "receipts/ReceiptSettings.h"
#include "receipts/TfrmAnteprimaRic.h"
#include "receipts/TfrmLogo.h"
#include "receipts/TfrmNumerazione.h"
#include "receipts/TfrmStampaRic.h"
#include "rules/AmountInWords.h"
#include "rules/FieldRules.h"
#include "rules/TextRules.h"
#include "checks/TfrmCodFisc.h"
#include "shell/Colors.h"
#include "shell/FieldKeys.h"
#include "shell/FocusHighlight.h"
#include "shell/InfoBar.h"
#include "shell/PictureButton.h"
#include "shell/ScreenLook.h"
#include "shell/TfrmCalendario.h"
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

#include <array>

namespace tavorel {

namespace {

const QString kMsgArchivioVuoto = QStringLiteral("L'archivio non contiene nessuna ricevuta.");
const QString kMsgInserita = QStringLiteral("La scheda corrente è stata inserita in archivio.");
const QString kMsgModificata =
    QStringLiteral("Le modifiche apportate alla scheda corrente sono state salvate in archivio.");
const QString kMsgDuplicaNonSalvata = QStringLiteral(
    "Attenzione: questa funzione serve a duplicare una ricevuta che è già stata salvata in archivio.\n\r\n\r"
    "Visualizzare la ricevuta da duplicare e fare clic sul pulsante Duplica.");
const QString kMsgDuplicata =
    QStringLiteral("E' ora possibile apportare le proprie modifiche alla ricevuta corrente.\n\r\n\r"
                   "Al termine premere Salva per registrare i dati in archivio.");
const QString kMsgImportoInCifre = QStringLiteral("Digitare l'importo in cifre nella casella del Totale.\n\r\n\r"
                                                  "L'importo in lettere apparirà in automatico.");
const QString kInfoIniziale = QStringLiteral("Pronto per archiviare una nuova ricevuta...");

enum class Resting { AliceBlue, White };

// One row per edit field, in tab and Enter order; widgets, labels, chain, colours, key handling and
// the record mapping are all made from it. A required field carries the warning shown when it is
// left blank; the rows are checked in this order when saving.
struct FieldSpec {
    QLineEdit* TfrmRicevuta::*control;
    const char* name;
    const char* label; // the words beside the field; nullptr for the payee lines
    int maxLength;
    const char* requiredWarning; // nullptr: may be left empty
    bool existingDate;           // must also be a date of the calendar
    QString TSchedaRicevuta::*member;
    Resting resting;
    KeyFilter filter;
    const char* dateTag; // the picker's tag of a date field
    Qt::Alignment alignment;
    ForcedText forced;
    bool large; // the amounts: 16 pt
};

constexpr Qt::Alignment kLeft = Qt::AlignLeft | Qt::AlignVCenter;
constexpr Qt::Alignment kCentre = Qt::AlignCenter;
constexpr Qt::Alignment kRight = Qt::AlignRight | Qt::AlignVCenter;

using R = TfrmRicevuta;
using S = TSchedaRicevuta;

// clang-format off
constexpr std::array<FieldSpec, 17> kFields{{
    {&R::txtRicevente01, "txtRicevente01", nullptr, 50, nullptr, false, &S::Ricevente01,
     Resting::AliceBlue, KeyFilter::None, nullptr, kLeft, ForcedText::None, false},
    {&R::txtRicevente02, "txtRicevente02", nullptr, 50, nullptr, false, &S::Ricevente02,
     Resting::AliceBlue, KeyFilter::None, nullptr, kLeft, ForcedText::None, false},
    {&R::txtRicevente03, "txtRicevente03", nullptr, 50, nullptr, false, &S::Ricevente03,
     Resting::AliceBlue, KeyFilter::None, nullptr, kLeft, ForcedText::None, false},
    {&R::txtRicevente04, "txtRicevente04", nullptr, 50, nullptr, false, &S::Ricevente04,
     Resting::AliceBlue, KeyFilter::None, nullptr, kLeft, ForcedText::None, false},
    {&R::txtNumRic, "txtNumRic", "RICEVUTA n.", 30,
     "Attenzione: per salvare la scheda è necessario indicare il numero progressivo della ricevuta.", false,
     &S::NumRic, Resting::AliceBlue, KeyFilter::None, nullptr, kCentre, ForcedText::None, false},
    {&R::txtData, "txtData", "Data:", 10,
     "Attenzione: per salvare la scheda è necessario indicare la data di emissione della ricevuta.", true,
     &S::Data, Resting::AliceBlue, KeyFilter::DatePicker, "data", kCentre, ForcedText::None, false},
    {&R::txtPagatore, "txtPagatore", "Riceviamo da", 50,
     "Attenzione: per salvare la scheda è necessario indicare il nome del pagatore.", false,
     &S::Pagatore, Resting::AliceBlue, KeyFilter::None, nullptr, kLeft, ForcedText::None, false},
    {&R::txtCodFisc, "txtCodFisc", "C.F.", 16,
     "Attenzione: per salvare la scheda è necessario indicare il codice fiscale del pagatore.", false,
     &S::CodFisc, Resting::AliceBlue, KeyFilter::None, nullptr, kLeft, ForcedText::UpperTrimmed, false},
    {&R::txtSport, "txtSport", "per l'attività sportiva", 120,
     "Attenzione: per salvare la scheda è necessario indicare l'attività sportiva praticata.", false,
     &S::Sport, Resting::AliceBlue, KeyFilter::None, nullptr, kLeft, ForcedText::None, false},
    {&R::txtDal, "txtDal", "dal", 10,
     "Attenzione: per salvare la scheda è necessario indicare la data di inizio del periodo a cui il "
     "pagamento si riferisce.", false,
     &S::Dal, Resting::AliceBlue, KeyFilter::DatePicker, "dal", kCentre, ForcedText::None, false},
    {&R::txtAl, "txtAl", "al", 10,
     "Attenzione: per salvare la scheda è necessario indicare la data di scadenza del periodo a cui il "
     "pagamento si riferisce.", false,
     &S::Al, Resting::AliceBlue, KeyFilter::DatePicker, "Al", kCentre, ForcedText::None, false},
    {&R::txtPraticante, "txtPraticante", "Praticante:", 50, nullptr, false, &S::Praticante,
     Resting::AliceBlue, KeyFilter::None, nullptr, kLeft, ForcedText::None, false},
    {&R::txtLuogoNasc, "txtLuogoNasc", "Luogo di nascita:", 50, nullptr, false, &S::LuogoNasc,
     Resting::AliceBlue, KeyFilter::None, nullptr, kLeft, ForcedText::None, false},
    {&R::txtDataNasc, "txtDataNasc", "Data di nascita:", 10, nullptr, false, &S::DataNasc,
     Resting::AliceBlue, KeyFilter::None, nullptr, kLeft, ForcedText::None, false},
    {&R::txtIndirizzo, "txtIndirizzo", "Indirizzo:", 250, nullptr, false, &S::Indirizzo,
     Resting::AliceBlue, KeyFilter::None, nullptr, kLeft, ForcedText::None, false},
    {&R::txtImporto, "txtImporto", "TOTALE :", 8, nullptr, false, &S::Importo,
     Resting::White, KeyFilter::Digits, nullptr, kRight, ForcedText::None, true},
    {&R::txtCents, "txtCents", "/", 2, nullptr, false, &S::Cents,
     Resting::White, KeyFilter::Digits, nullptr, kCentre, ForcedText::None, true},
}};
// clang-format on

// The computed labels that are stored with the receipt.
struct LabelSpec {
    QLabel* TfrmRicevuta::*control;
    QString TSchedaRicevuta::*member;
};

constexpr std::array<LabelSpec, 3> kLabels{{
    {&R::txtImpLettere, &S::ImpLettere},
    {&R::txtCentLettere, &S::CentLettere},
    {&R::txtIntero, &S::Intero},
}};

// Every field's maximum length is the width of the record field it is saved into.
constexpr bool lengthsMatchRecord()
{
    for (const FieldSpec& f : kFields) {
        bool found = false;
        for (const auto& r : TSchedaRicevuta::fields()) {
            if (r.member == f.member) {
                if (r.capacity != f.maxLength)
                    return false;
                found = true;
            }
        }
        if (!found)
            return false;
    }
    return true;
}
static_assert(lengthsMatchRecord());
static_assert(kFields.size() + kLabels.size() == TSchedaRicevuta::fields().size());

QString todayText()
{
    return TestoData(platform().today());
}

QFont verdana(int points, bool bold)
{
    QFont f(QStringLiteral("Verdana"));
    f.setPointSize(points);
    f.setBold(bold);
    return f;
}

// A small grey caption under a box ("(IN CIFRE)").
QLabel* caption(QWidget* parent, const QString& text)
{
    QLabel* l = look::label(parent, text, 7);
    l->setStyleSheet(QStringLiteral("color: #6B7B8C;"));
    return l;
}

} // namespace

TfrmRicevuta::TfrmRicevuta()
    : WorkspaceScreen(QStringLiteral("frmRicevuta"), QStringLiteral(" Tavorel - Stampa Ricevute"))
{
    buildFields();
    buildCommands();
    buildLayout();
}

void TfrmRicevuta::buildFields()
{
    QList<QLineEdit*> chain;
    for (const FieldSpec& f : kFields) {
        auto* edit = new QLineEdit(panel());
        const QString name = QLatin1StringView(f.name);
        edit->setObjectName(name);
        edit->setMaxLength(f.maxLength);
        edit->setAlignment(f.alignment);
        edit->setFont(f.large ? verdana(16, true) : verdana(10, true));
        edit->setMinimumHeight(f.large ? 38 : 28);
        FocusHighlight::applyStyleA(edit, f.resting == Resting::White ? colors::kWhite : colors::kAliceBlue);
        FieldKeys* keys = FieldKeys::of(edit);
        if (f.dateTag) {
            const QString tag = QLatin1StringView(f.dateTag);
            keys->setFilter(f.filter, [this, tag] { apriCalendario(tag); });
        } else {
            keys->setFilter(f.filter);
        }
        keys->setForced(f.forced);
        this->*f.control = edit;
        if (f.label) {
            QLabel* l =
                look::label(panel(), QString::fromUtf8(f.label), 10, false, QStringLiteral("tit") + name.mid(3));
            l->setBuddy(edit);
            titoli_.insert(edit, l);
        }
        if (!chain.isEmpty())
            setTabOrder(chain.last(), edit);
        chain.append(edit);
    }
    setEnterChain(chain, true);

    connect(FieldKeys::of(txtImporto), &FieldKeys::keyReleased, this, &TfrmRicevuta::txtImportoKeyUp);
    connect(FieldKeys::of(txtCents), &FieldKeys::keyReleased, this, &TfrmRicevuta::txtCentsKeyUp);
    txtCents->installEventFilter(this);
    txtCents->setText(QStringLiteral("00"));

    bkgLettere = new QFrame(panel());
    bkgLettere->setObjectName(QStringLiteral("bkgLettere"));
    bkgLettere->setAttribute(Qt::WA_StyledBackground);
    bkgLettere->setStyleSheet(
        QStringLiteral("QFrame#bkgLettere { background: %1; border-radius: 4px; }").arg(colors::kWordsBox.name()));
    bkgLettere->setCursor(Qt::PointingHandCursor);
    bkgLettere->installEventFilter(this);

    txtImpLettere = new QLabel(bkgLettere);
    txtImpLettere->setObjectName(QStringLiteral("txtImpLettere"));
    QFont tahoma(QStringLiteral("Tahoma"));
    tahoma.setPointSize(12);
    txtImpLettere->setFont(tahoma);
    txtImpLettere->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // Long words must not widen the line: the label takes the box's width and no more.
    txtImpLettere->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    txtImpLettere->setCursor(Qt::PointingHandCursor);
    txtImpLettere->installEventFilter(this);

    txtCentLettere = new QLabel(QStringLiteral("00"), panel());
    txtCentLettere->setObjectName(QStringLiteral("txtCentLettere"));
    txtCentLettere->setFont(tahoma);
    txtCentLettere->setAlignment(Qt::AlignCenter);

    txtIntero = new QLabel(panel());
    txtIntero->setObjectName(QStringLiteral("txtIntero"));
    txtIntero->hide();

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

    struct Command {
        PictureButton* TfrmRicevuta::*button;
        const char* name;
        const char* picture;
        QSize size;
        const char* hint;
    };
    const QSize icon(44, 44);
    const Command commands[] = {
        {&R::cmdNuovo, "cmdNuovo", "nuovo", icon, "Prepara la schermata per l'emissione di una nuova ricevuta."},
        {&R::cmdDuplica, "cmdDuplica", "duplica", icon,
         "Prepara la schermata per l'emissione di una nuova ricevuta duplicando i dati correnti."},
        {&R::cmdSalva, "cmdSalva", "salva", icon, "Salva o aggiorna la ricevuta corrente."},
        {&R::cmdTrova, "cmdTrova", "trova", icon, "Trova una ricevuta in archivio."},
        {&R::cmdAnteprima, "cmdAnteprima", "anteprima", QSize(124, 44),
         "Visualizza l'anteprima di stampa della ricevuta corrente."},
        {&R::cmdStampa, "cmdStampa", "stampa", QSize(124, 44), "Stampa la ricevuta corrente."},
        {&R::cmdPrimo, "cmdPrimo", "primo", icon, "Visualizza la prima ricevuta in archivio."},
        {&R::cmdIndietro, "cmdIndietro", "indietro", icon, "Visualizza la ricevuta precedente in archivio."},
        {&R::cmdAvanti, "cmdAvanti", "avanti", icon, "Visualizza la ricevuta successiva in archivio."},
        {&R::cmdUltimo, "cmdUltimo", "ultimo", icon, "Visualizza l'ultima ricevuta in archivio."},
        {&R::cmdEsporta, "cmdEsporta", "esporta", icon,
         "Esporta l'archivio annuale delle ricevute in un foglio di lavoro di Microsoft Excel."},
        {&R::cmdNumerazione, "cmdNumerazione", "numerazione", icon,
         "Imposta il numero iniziale per la numerazione automatica delle ricevute."},
        {&R::cmdGuida, "cmdGuida", "guida", icon, "Visualizza la guida in linea sensibile al contesto."},
        {&R::cmdEsci, "cmdEsci", "esci_rosso", icon, "Esci da questo ambiente di lavoro."},
        {&R::cmdLogo, "cmdLogo", "logo", QSize(150, 112), "Carica il logo dell'Associazione Sportiva Dilettantistica."},
        {&R::impPagatore, "impPagatore", "importa", QSize(28, 28), "Importa i dati dall'archivio degli iscritti."},
        {&R::btnCodFisc, "btnCodFisc", "controlla", QSize(28, 28), "Controlla il codice fiscale."},
    };
    for (const Command& c : commands) {
        auto* b = new PictureButton(QLatin1StringView(c.name),
                                    QStringLiteral(":/assets/%1.svg").arg(QLatin1StringView(c.picture)), panel());
        b->setFixedSize(c.size);
        panInfo->addHint(b, QString::fromUtf8(c.hint));
        this->*c.button = b;
    }

    connect(cmdNuovo, &PictureButton::clicked, this, &TfrmRicevuta::cmdNuovoClick);
    connect(cmdDuplica, &PictureButton::clicked, this, &TfrmRicevuta::cmdDuplicaClick);
    connect(cmdSalva, &PictureButton::clicked, this, &TfrmRicevuta::cmdSalvaClick);
    connect(cmdTrova, &PictureButton::clicked, this, &TfrmRicevuta::apriTrova);
    connect(cmdAnteprima, &PictureButton::clicked, this, &TfrmRicevuta::cmdAnteprimaClick);
    connect(cmdStampa, &PictureButton::clicked, this, &TfrmRicevuta::cmdStampaClick);
    connect(cmdPrimo, &PictureButton::clicked, this, &TfrmRicevuta::cmdPrimoClick);
    connect(cmdIndietro, &PictureButton::clicked, this, &TfrmRicevuta::cmdIndietroClick);
    connect(cmdAvanti, &PictureButton::clicked, this, &TfrmRicevuta::cmdAvantiClick);
    connect(cmdUltimo, &PictureButton::clicked, this, &TfrmRicevuta::cmdUltimoClick);
    connect(cmdEsporta, &PictureButton::clicked, this, &TfrmRicevuta::apriEsporta);
    connect(cmdNumerazione, &PictureButton::clicked, this, &TfrmRicevuta::cmdNumerazioneClick);
    connect(cmdGuida, &PictureButton::clicked, this, &TfrmRicevuta::apriGuida);
    connect(cmdEsci, &PictureButton::clicked, this, &TfrmRicevuta::cmdEsciClick);
    connect(cmdLogo, &PictureButton::clicked, this, &TfrmRicevuta::cmdLogoClick);
    connect(impPagatore, &PictureButton::clicked, this, &TfrmRicevuta::apriImporta);
    connect(btnCodFisc, &PictureButton::clicked, this, &TfrmRicevuta::btnCodFiscClick);
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
    lblPosizione->setStyleSheet(QStringLiteral("QLabel { background: #F4F8FC; border: 1px solid %1;"
                                               " border-radius: 5px; }")
                                    .arg(colors::kPanelBorder.name()));
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
    for (QLineEdit* e : {txtRicevente01, txtRicevente02, txtRicevente03, txtRicevente04}) {
        e->setFixedWidth(400);
        riceventi->addWidget(e);
    }
    riceventi->addStretch(1);
    intestazione->addLayout(riceventi);
    intestazione->addStretch(1);

    QFrame* numero = new QFrame(foglio);
    numero->setObjectName(QStringLiteral("shpNumero"));
    numero->setAttribute(Qt::WA_StyledBackground);
    numero->setStyleSheet(QStringLiteral("QFrame#shpNumero { background: #F4F8FC; border: 1px solid %1;"
                                         " border-radius: 6px; }")
                              .arg(colors::kSteelBlue.name()));
    panInfo->addBackground(numero);
    auto* numeroGrid = new QGridLayout(numero);
    numeroGrid->setContentsMargins(14, 10, 14, 10);
    numeroGrid->setHorizontalSpacing(8);
    numeroGrid->setVerticalSpacing(8);
    QLabel* titNumRic = titoloDi(txtNumRic);
    titNumRic->setFont(verdana(13, true));
    titNumRic->setStyleSheet(QStringLiteral("color: %1;").arg(colors::kSteelBlue.name()));
    txtNumRic->setFixedWidth(150);
    txtData->setFixedWidth(150);
    for (QLabel* l : {titNumRic, titoloDi(txtData)})
        l->setParent(numero);
    numeroGrid->addWidget(titNumRic, 0, 0, Qt::AlignRight);
    numeroGrid->addWidget(txtNumRic, 0, 1);
    numeroGrid->addWidget(titoloDi(txtData), 1, 0, Qt::AlignRight);
    numeroGrid->addWidget(txtData, 1, 1);
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
    for (QLineEdit* e : {txtCodFisc})
        e->setFixedWidth(190);
    for (QLineEdit* e : {txtDal, txtAl, txtDataNasc})
        e->setFixedWidth(110);
    riga({titoloDi(txtPagatore), txtPagatore, impPagatore, titoloDi(txtCodFisc), txtCodFisc, btnCodFisc});
    riga({titoloDi(txtSport), txtSport, titoloDi(txtDal), txtDal, titoloDi(txtAl), txtAl});
    righe->addStretch(1);

    // The words line: euro sign, the words on their box, "/" and the cents.
    panInfo->addBackground(bkgLettere);
    auto* lettere = new QGridLayout;
    lettere->setHorizontalSpacing(8);
    lettere->setVerticalSpacing(1);
    QLabel* euroLettere = look::label(foglio, QStringLiteral("€"), 14, true, QStringLiteral("lblEuroLettere"));
    auto* bkgLayout = new QHBoxLayout(bkgLettere);
    bkgLayout->setContentsMargins(10, 2, 10, 2);
    bkgLayout->addWidget(txtImpLettere);
    bkgLettere->setFixedHeight(32);
    QLabel* barraLettere = look::label(foglio, QStringLiteral("/"), 14, true, QStringLiteral("lblBarraLettere"));
    txtCentLettere->setFixedWidth(36);
    lettere->addWidget(euroLettere, 0, 0);
    lettere->addWidget(bkgLettere, 0, 1);
    lettere->addWidget(barraLettere, 0, 2);
    lettere->addWidget(txtCentLettere, 0, 3);
    lettere->addWidget(caption(foglio, QStringLiteral("(IN LETTERE)")), 1, 1, Qt::AlignRight);
    lettere->setColumnStretch(1, 1);
    righe->addLayout(lettere);
    righe->addStretch(1);

    riga({titoloDi(txtPraticante), txtPraticante, titoloDi(txtLuogoNasc), txtLuogoNasc});
    riga({titoloDi(txtDataNasc), txtDataNasc, titoloDi(txtIndirizzo), txtIndirizzo});
    righe->addStretch(1);

    // The total box, bottom right as on the paper receipt.
    QFrame* totale = new QFrame(foglio);
    totale->setObjectName(QStringLiteral("shpTotale"));
    totale->setAttribute(Qt::WA_StyledBackground);
    totale->setStyleSheet(QStringLiteral("QFrame#shpTotale { background: #F4F8FC; border: 1px solid %1;"
                                         " border-radius: 6px; }")
                              .arg(colors::kSteelBlue.name()));
    panInfo->addBackground(totale);
    auto* totaleGrid = new QGridLayout(totale);
    totaleGrid->setContentsMargins(14, 8, 14, 6);
    totaleGrid->setHorizontalSpacing(8);
    totaleGrid->setVerticalSpacing(1);
    QLabel* titImporto = titoloDi(txtImporto);
    titImporto->setParent(totale);
    titImporto->setFont(verdana(13, true));
    titImporto->setStyleSheet(QStringLiteral("color: %1;").arg(colors::kSteelBlue.name()));
    QLabel* euroCifre = look::label(totale, QStringLiteral("€"), 16, true, QStringLiteral("lblEuroCifre"));
    QLabel* titCents = titoloDi(txtCents);
    titCents->setParent(totale);
    titCents->setFont(verdana(16, true));
    txtImporto->setFixedWidth(150);
    txtCents->setFixedWidth(52);
    totaleGrid->addWidget(titImporto, 0, 0);
    totaleGrid->addWidget(euroCifre, 0, 1);
    totaleGrid->addWidget(txtImporto, 0, 2);
    totaleGrid->addWidget(titCents, 0, 3);
    totaleGrid->addWidget(txtCents, 0, 4);
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
    TSchedaRicevuta r;
    for (const FieldSpec& f : kFields)
        r.*f.member = (this->*f.control)->text();
    for (const LabelSpec& l : kLabels)
        r.*l.member = (this->*l.control)->text();
    return r;
}

void TfrmRicevuta::mostraScheda(const TSchedaRicevuta& record, qint64 k)
{
    for (const FieldSpec& f : kFields)
        (this->*f.control)->setText(record.*f.member);
    for (const LabelSpec& l : kLabels)
        (this->*l.control)->setText(record.*l.member);
    lblPosizione->setText(QString::number(k));
}

ReceiptPrintData TfrmRicevuta::datiDiStampa() const
{
    const TSchedaRicevuta r = scheda();
    ReceiptPrintData d;
    d.NumRic = r.NumRic;
    d.Data = r.Data;
    d.Ricevente01 = r.Ricevente01;
    d.Ricevente02 = r.Ricevente02;
    d.Ricevente03 = r.Ricevente03;
    d.Ricevente04 = r.Ricevente04;
    d.Pagatore = r.Pagatore;
    d.CodFisc = r.CodFisc;
    d.Sport = r.Sport;
    d.Dal = r.Dal;
    d.Al = r.Al;
    d.Praticante = r.Praticante;
    d.LuogoNasc = r.LuogoNasc;
    d.DataNasc = r.DataNasc;
    d.Indirizzo = r.Indirizzo;
    d.Importo = r.Importo;
    d.Cents = r.Cents;
    d.ImpLettere = r.ImpLettere;
    d.CentLettere = r.CentLettere;
    return d;
}

void TfrmRicevuta::closeEvent(QCloseEvent* event)
{
    QStringList righe;
    for (QLineEdit* e : {txtRicevente01, txtRicevente02, txtRicevente03, txtRicevente04})
        righe.append(TrimSpazi(e->text()));
    riceventiDaSalvare_ = !ReceiptSettings::scriviRiceventi(platform().programFolder(), righe);
    if (riceventiDaSalvare_)
        accessoNegato(MessageKind::Warning);
    emit chiuso();
    event->accept();
}

bool TfrmRicevuta::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == txtCents && event->type() == QEvent::FocusOut) {
        // Only a move to another control leaves the field; a dialog or another program taking
        // the window's focus does not complete the cents under the user.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            txtCentsExit();
    } else if ((watched == txtImpLettere || watched == bkgLettere) && event->type() == QEvent::MouseButtonPress &&
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
    if (!riceventiDaSalvare_) {
        const QStringList righe = ReceiptSettings::leggiRiceventi(platform().programFolder());
        const QList<QLineEdit*> riceventi{txtRicevente01, txtRicevente02, txtRicevente03, txtRicevente04};
        for (int i = 0; i < riceventi.size(); ++i)
            riceventi[i]->setText(righe.value(i));
    }
    for (QLineEdit* e : {txtNumRic, txtImporto, txtPagatore, txtCodFisc, txtSport, txtDal, txtAl, txtPraticante,
                         txtLuogoNasc, txtDataNasc, txtIndirizzo})
        e->clear();
    txtImpLettere->clear();
    txtIntero->clear();
    lblPosizione->clear();
    txtCentLettere->setText(QStringLiteral("00"));
    txtCents->setText(QStringLiteral("00"));
    txtData->setText(todayText());
    txtPagatore->setFocus();
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

    txtData->setText(todayText());
    for (QLineEdit* e : {txtImporto, txtPagatore, txtCodFisc, txtSport, txtDal, txtAl, txtPraticante, txtLuogoNasc,
                         txtDataNasc, txtIndirizzo})
        e->clear();
    txtCents->setText(QStringLiteral("00"));
    txtCentLettere->setText(QStringLiteral("00"));
    txtImpLettere->clear();
    txtIntero->setText(QStringLiteral("0,00"));
    lblPosizione->clear();

    const std::optional<qint64> numero = NumeroProposto(lblInizio->text(), n);
    file.close();
    if (!numero) {
        // The previous receipt's number must not stay on a cleared, unsaved receipt.
        txtNumRic->clear();
        accessoNegato(MessageKind::Error);
        return;
    }
    txtNumRic->setText(QString::number(*numero));
    txtPagatore->setFocus();
}

void TfrmRicevuta::cmdSalvaClick()
{
    const ImportoRicevuta importo = CompletaImporto(txtImporto->text(), txtCents->text());
    txtImporto->setText(importo.euro);
    txtCents->setText(importo.cents);
    // Always copied, not only when completing changed them: cents pasted with the mouse and
    // saved at once would otherwise be stored, and printed, with the words of other cents.
    txtCentLettere->setText(importo.cents);
    txtIntero->setText(importo.intero);

    for (const FieldSpec& f : kFields) {
        QLineEdit* edit = this->*f.control;
        QString warning;
        if (f.requiredWarning && TrimSpazi(edit->text()).isEmpty())
            warning = QString::fromUtf8(f.requiredWarning);
        else if (f.existingDate && !DataEsiste(edit->text()))
            warning = QString::fromUtf8(kAvvisoDataInesistente);
        if (!warning.isEmpty()) {
            avvisa(MessageKind::Warning, warning);
            edit->setFocus();
            return;
        }
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
        avvisa(MessageKind::Information, kMsgModificata);
    } else {
        const qint64 nuovo = appendRecord(file, record);
        file.close();
        if (nuovo < 0) {
            accessoNegato(MessageKind::Warning);
            return;
        }
        lblPosizione->setText(QString::number(nuovo));
        avvisa(MessageKind::Information, kMsgInserita);
    }
}

void TfrmRicevuta::cmdDuplicaClick()
{
    if (TrimSpazi(lblPosizione->text()).isEmpty()) {
        avvisa(MessageKind::Warning, kMsgDuplicaNonSalvata);
        return;
    }
    lblPosizione->clear();
    RecordFile file;
    if (!OpenReceiptArchive(lblFile->text(), file)) {
        accessoNegato(MessageKind::Error);
        return;
    }
    txtNumRic->clear();
    txtData->setText(todayText());
    txtNumRic->setFocus();
    file.close();
    avvisa(MessageKind::Information, kMsgDuplicata);
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
    const qint64 n = file.count();
    if (n <= 0) {
        file.close();
        if (command == BrowseCommand::Avanti)
            lblPosizione->clear();
        avvisa(MessageKind::Information, kMsgArchivioVuoto);
        return;
    }
    const qint64 k = RecordDaMostrare(command, PosizioneDaEtichetta(lblPosizione->text()), n);
    if (k == 0)
        return;
    QByteArray bytes;
    const bool letto = file.read(k, bytes);
    file.close();
    if (!letto) {
        accessoNegato(failureKind);
        return;
    }
    mostraScheda(decodeRecord<TSchedaRicevuta>(bytes), k);
    // What a damaged record still holds is shown, so that it can be checked and saved again; the
    // user is told which record of which file it is.
    if (!recordIsWhole<TSchedaRicevuta>(bytes))
        avvisa(MessageKind::Warning, msgSchedaDanneggiata(k, QFileInfo(lblFile->text()).fileName()));
}

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
    auto* dialog = new TfrmAnteprimaRic(this, datiDiStampa());
    platform().runModal(dialog);
    delete dialog;
}

void TfrmRicevuta::cmdStampaClick()
{
    auto* dialog = new TfrmStampaRic(this, datiDiStampa());
    platform().runModal(dialog);
    delete dialog;
}

void TfrmRicevuta::cmdNumerazioneClick()
{
    auto* dialog = new TfrmNumerazione(this);
    dialog->lblMemory->setText(QStringLiteral("ricevute"));
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
    TfrmCodFisc::apriControllo(this, TrimSpazi(txtCodFisc->text()));
}

void TfrmRicevuta::txtImportoKeyUp()
{
    const QString euro = TrimSpazi(txtImporto->text());
    qint64 amount = 0;
    if (!euro.isEmpty() && ParseImporto(euro, &amount))
        txtImpLettere->setText(ImportoInLettere(amount));
    else
        txtImpLettere->clear(); // empty, or not an amount: no words rather than stale ones
}

void TfrmRicevuta::txtCentsKeyUp()
{
    txtCentLettere->setText(TrimSpazi(txtCents->text()).isEmpty() ? QString() : txtCents->text());
}

void TfrmRicevuta::txtCentsExit()
{
    const QString cents = CompletaCents(txtCents->text());
    if (cents != txtCents->text())
        txtCents->setText(cents);
    txtCentLettere->setText(cents);
}

void TfrmRicevuta::txtImpLettereClick()
{
    avvisa(MessageKind::Information, kMsgImportoInCifre);
    txtImporto->setFocus();
}

void TfrmRicevuta::apriCalendario(const QString& tag)
{
    TfrmCalendario::open(
        this, tag, {{QStringLiteral("data"), txtData}, {QStringLiteral("dal"), txtDal}, {QStringLiteral("Al"), txtAl}});
}

} // namespace tavorel
