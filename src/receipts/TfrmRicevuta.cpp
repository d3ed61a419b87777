#include "receipts/TfrmRicevuta.h"

#include "checks/TfrmCodFisc.h"
#include "receipts/PaymentFields.h"
#include "receipts/ReceiptEditorRules.h"
#include "receipts/ReceiptSettings.h"
#include "receipts/TfrmAnteprimaRic.h"
#include "receipts/TfrmLogo.h"
#include "receipts/TfrmNumerazione.h"
#include "receipts/TfrmStampaRic.h"
#include "rules/AmountInWords.h"
#include "rules/FieldRules.h"
#include "rules/FiscalCodePerson.h"
#include "rules/ReceiptFiscal.h"
#include "rules/TextRules.h"
#include "shell/Colors.h"
#include "shell/CommandTable.h"
#include "shell/FieldKeys.h"
#include "shell/InfoBar.h"
#include "shell/PictureButton.h"
#include "shell/ScreenLook.h"
#include "storage/Archives.h"
#include "storage/Messages.h"
#include "storage/PaymentArchive.h"
#include "storage/RecordFile.h"

#include <QComboBox>
#include <QFileInfo>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QVBoxLayout>

#include <iterator>
#include <limits>

namespace tavorel {

namespace {

const QString kInfoIniziale = QStringLiteral("Pronto per archiviare una nuova ricevuta...");

using S = TSchedaRicevuta;

constexpr Qt::Alignment kCentre = Qt::AlignCenter;
constexpr Qt::Alignment kRight = Qt::AlignRight | Qt::AlignVCenter;

// The edit fields in tab and Enter order (Enter in the cents leads back to the first payee line);
// a save checks the required ones in this order.
constexpr FieldRow<S> kCampi[] = {
    {.name = u"txtRicevente01", .member = &S::Ricevente01, .width = 400},
    {.name = u"txtRicevente02", .member = &S::Ricevente02, .width = 400},
    {.name = u"txtRicevente03", .member = &S::Ricevente03, .width = 400},
    {.name = u"txtRicevente04", .member = &S::Ricevente04, .width = 400},
    {.name = u"txtNumRic",
     .member = &S::NumRic,
     .label = u"RICEVUTA n.",
     .required = &kMsgRicMancaNumRic,
     .alignment = kCentre,
     .width = 150},
    {.name = u"txtData",
     .member = &S::Data,
     .label = u"Data:",
     .required = &kMsgRicMancaData,
     .existingDate = true,
     .filter = KeyFilter::DatePicker,
     .pickerTag = u"data",
     .alignment = kCentre,
     .width = 150},
    {.name = u"txtPagatore", .member = &S::Pagatore, .label = u"Riceviamo da", .required = &kMsgRicMancaPagatore},
    {.name = u"txtCodFisc",
     .member = &S::CodFisc,
     .label = u"C.F.",
     .required = &kMsgRicMancaCodFisc,
     .forced = ForcedText::UpperTrimmed,
     .width = 190},
    {.name = u"txtSport", .member = &S::Sport, .label = u"per l'attività sportiva", .required = &kMsgMancaAttivita},
    {.name = u"txtDal",
     .member = &S::Dal,
     .label = u"dal",
     .required = &kMsgRicMancaDal,
     .filter = KeyFilter::DatePicker,
     .pickerTag = u"dal",
     .alignment = kCentre,
     .width = 110},
    {.name = u"txtAl",
     .member = &S::Al,
     .label = u"al",
     .required = &kMsgRicMancaAl,
     .filter = KeyFilter::DatePicker,
     .pickerTag = u"Al",
     .alignment = kCentre,
     .width = 110},
    {.name = u"txtPraticante", .member = &S::Praticante, .label = u"Praticante:"},
    {.name = u"txtLuogoNasc", .member = &S::LuogoNasc, .label = u"Luogo di nascita:"},
    {.name = u"txtDataNasc", .member = &S::DataNasc, .label = u"Data di nascita:", .existingDate = true, .width = 110},
    {.name = u"txtIndirizzo", .member = &S::Indirizzo, .label = u"Indirizzo:"},
    {.name = u"txtImporto",
     .member = &S::Importo,
     .label = u"TOTALE :",
     .resting = Resting::White,
     .filter = KeyFilter::Digits,
     .alignment = kRight,
     .decimalNext = u"txtCents",
     .width = 150,
     .points = 16,
     .height = 38},
    {.name = u"txtCents",
     .member = &S::Cents,
     .label = u"/",
     .resting = Resting::White,
     .filter = KeyFilter::Digits,
     .alignment = kCentre,
     .initial = u"00",
     .width = 52,
     .points = 16,
     .height = 38},
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

// The hints of the shared commands, in the order of EditorCommand.
constexpr const char* kSuggerimenti[] = {
    "Prepara la schermata per l'emissione di una nuova ricevuta.",
    "Prepara la schermata per l'emissione di una nuova ricevuta duplicando i dati correnti.",
    "Salva o aggiorna la ricevuta corrente.",
    "Trova una ricevuta in archivio.",
    "Visualizza l'anteprima di stampa della ricevuta corrente.",
    "Stampa la ricevuta corrente.",
    "Visualizza la prima ricevuta in archivio.",
    "Visualizza la ricevuta precedente in archivio.",
    "Visualizza la ricevuta successiva in archivio.",
    "Visualizza l'ultima ricevuta in archivio.",
    "Esporta l'archivio annuale delle ricevute in un foglio di lavoro di Microsoft Excel.",
    "Visualizza la guida in linea sensibile al contesto.",
    "Esci da questo ambiente di lavoro.",
    "Controlla il codice fiscale.",
};

EditorSetup setup()
{
    return {
        .infoIniziale = kInfoIniziale,
        .messaggi = {&kMsgArchivioRicevuteVuoto, &kMsgRicevutaDuplicaNonSalvata, &kMsgRicevutaDuplicata},
        // "Primo" and "Salva" report a failing archive as a warning, the other actions as an error.
        .errori = {.salva = MessageKind::Warning, .primo = MessageKind::Warning},
        .misure = {QSize(44, 44), QSize(124, 44), QSize(28, 28)},
        .suggerimenti = kSuggerimenti,
        .controllaCodice = &TfrmCodFisc::apriControllo,
    };
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
    : RecordEditor(QStringLiteral("frmRicevuta"), QStringLiteral(" Tavorel - Stampa Ricevute"), setup(), kCampi,
                   kEtichette)
{
    buildFields();
    buildCommands();
    pagamento_ = new PaymentFields(panel());
    buildLayout();
    pagamento_->chain(campo(&S::Al), campo(&S::Praticante));
}

void TfrmRicevuta::buildFields()
{
    connect(FieldKeys::of(campo(&S::Importo)), &FieldKeys::keyReleased, this, &TfrmRicevuta::txtImportoKeyUp);
    connect(FieldKeys::of(campo(&S::Cents)), &FieldKeys::keyReleased, this, &TfrmRicevuta::txtCentsKeyUp);
    alLasciare(campo(&S::Cents), [this] { txtCentsExit(); });
    // A payee line the user edits is written to the settings on closing; the lines a receipt
    // brings on screen (browsing, a search) are not.
    for (int i = 0; i < int(std::ssize(kRiceventi)); ++i) {
        QLineEdit* rigo = campo(kRiceventi[i]);
        connect(rigo, &QLineEdit::textEdited, this, [this, i, rigo] { riceventiModificati_[i] = rigo->text(); });
    }

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

    lblFile = new QLabel(panel());
    lblFile->setObjectName(QStringLiteral("lblFile"));
    lblFile->hide();

    lblInizio = new QLabel(QStringLiteral("1"), panel());
    lblInizio->setObjectName(QStringLiteral("lblInizio"));
    lblInizio->hide();
}

void TfrmRicevuta::buildCommands()
{
    buildEditorCommands(panel());
    using T = TfrmRicevuta;
    const CommandRow<TfrmRicevuta> commands[] = {
        {&T::cmdNumerazione, "cmdNumerazione", "numerazione", setup_.misure.icona,
         "Imposta il numero iniziale per la numerazione automatica delle ricevute.", &T::cmdNumerazioneClick},
        {&T::cmdLogo, "cmdLogo", "logo", QSize(150, 112), "Carica il logo dell'Associazione Sportiva Dilettantistica.",
         &T::cmdLogoClick},
        {&T::impPagatore, "impPagatore", "importa", setup_.misure.piccolo,
         "Importa i dati dall'archivio degli iscritti.", &T::apriImporta},
    };
    buildPictureCommands<TfrmRicevuta>(this, panel(), panInfo, commands);
    connect(cmdTrova, &PictureButton::clicked, this, &T::apriTrova);
    connect(cmdAnteprima, &PictureButton::clicked, this, &T::cmdAnteprimaClick);
    connect(cmdStampa, &PictureButton::clicked, this, &T::cmdStampaClick);
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
        riceventi->addWidget(campo(member));
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

    // Why and how it was paid.
    auto* pagato = new QHBoxLayout;
    pagato->setSpacing(8);
    pagamento_->addTo(pagato);
    righe->addLayout(pagato);
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
    archivio_ = archivePath;
    const QString anno = QFileInfo(archivePath).completeBaseName();
    anno_ = AnnoQuattroCifre(anno) ? anno.toInt() : 0;
    lblFile->setText(archivePath);
    setWindowTitle(caption);
}

bool TfrmRicevuta::apriArchivio(RecordFile& file) const
{
    return OpenReceiptArchive(archivio_, file);
}

QString TfrmRicevuta::nomeArchivio() const
{
    return QFileInfo(archivio_).fileName();
}

QLineEdit* TfrmRicevuta::campoCodiceFiscale() const
{
    return campo(&S::CodFisc);
}

QByteArray TfrmRicevuta::confronto() const
{
    // The payee lines go from one new receipt to the next (and into the settings on closing):
    // changing them on a receipt not saved yet loses nothing when that receipt is left.
    TSchedaRicevuta r = scheda();
    if (posizione() == 0)
        for (auto member : kRiceventi)
            r.*member = QString();
    return encodeRecord(r);
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
    return archivio_;
}

bool TfrmRicevuta::primaDiChiudere()
{
    // Only the lines changed here, each over the file as it is now: another workstation's change
    // to the other lines stays.
    // A line typed back to what it was when the editor was shown is no change.
    for (auto it = riceventiModificati_.begin(); it != riceventiModificati_.end();) {
        if (TrimSpazi(TrimSpazi(*it).left(ReceiptSettings::kLarghezzaRigo)) == riceventiLetti_.value(it.key()))
            it = riceventiModificati_.erase(it);
        else
            ++it;
    }
    const QString cartella = platform().programFolder();
    if (!ReceiptSettings::scriviRigheRicevente(cartella, riceventiModificati_)) {
        // The lines as edited exist only on the screen: the editor stays open so that they are
        // not lost. Lines the settings already hold can go, or a folder that cannot be written
        // would keep the user in the editor for good.
        const QStringList registrate = ReceiptSettings::leggiRiceventi(cartella);
        for (auto it = riceventiModificati_.cbegin(); it != riceventiModificati_.cend(); ++it) {
            if (TrimSpazi(TrimSpazi(*it).left(ReceiptSettings::kLarghezzaRigo)) != registrate.value(it.key())) {
                accessoNegato(MessageKind::Error);
                return false;
            }
        }
    }
    riceventiModificati_.clear();
    return true;
}

bool TfrmRicevuta::eventFilter(QObject* watched, QEvent* event)
{
    if ((watched == etichetta(&S::ImpLettere) || watched == bkgLettere) && event->type() == QEvent::MouseButtonPress &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        txtImpLettereClick();
        return true;
    }
    return RecordEditor::eventFilter(watched, event);
}

void TfrmRicevuta::FormShow()
{
    campi_.clear();
    riceventiModificati_.clear();
    bool letto = true;
    const QStringList righe = ReceiptSettings::leggiRiceventi(platform().programFolder(), &letto);
    riceventiLetti_ = righe;
    for (qsizetype i = 0; i < std::ssize(kRiceventi); ++i)
        campo(kRiceventi[i])->setText(righe.value(i));
    if (!letto) // the settings file is not one the program can read (too big, a folder, a pipe)
        accessoNegato(MessageKind::Error);
    campo(&S::Data)->setText(dataProposta());
    proposto_.clear();
    registrato_.clear();
    pagamento_->mostra({});
    pagamento_->segna();
    segnaMostrata(0, {});
    campo(&S::Pagatore)->setFocus();
}

QString TfrmRicevuta::dataProposta() const
{
    // Today's date in another year's archive would file the receipt in the wrong year.
    const QDate oggi = platform().today();
    return anno_ == 0 || oggi.year() == anno_ ? TestoData(oggi) : QString();
}

std::optional<QString> TfrmRicevuta::numeroProposto()
{
    QString inizio = ReceiptSettings::leggiInizio(platform().programFolder());
    if (TrimSpazi(inizio).isEmpty())
        inizio = QStringLiteral("1");
    lblInizio->setText(inizio);

    RecordFile file;
    NumeriInArchivio numeri;
    if (!OpenReceiptArchive(archivio_, file) || !LeggiNumeri(file, {}, 0, numeri)) {
        accessoNegato(MessageKind::Error);
        return std::nullopt;
    }
    file.close();
    if (const std::optional<qint64> numero = NumeroProposto(inizio, numeri.count, numeri.highest))
        return QString::number(*numero);
    // Without a number the field stays empty: the previous receipt's must not stay on a cleared,
    // unsaved one.
    accessoNegato(MessageKind::Error);
    return QString();
}

bool TfrmRicevuta::preparaNuova()
{
    const std::optional<QString> numero = numeroProposto();
    if (!numero)
        return false;
    // A new receipt of the same payee, with the number that follows the archive's.
    campi_.clear({&S::Ricevente01, &S::Ricevente02, &S::Ricevente03, &S::Ricevente04});
    campo(&S::NumRic)->setText(*numero);
    proposto_ = *numero;
    registrato_.clear();
    campo(&S::Data)->setText(dataProposta());
    etichetta(&S::Intero)->setText(QStringLiteral("0,00"));
    pagamento_->mostra({});
    pagamento_->segna();
    campo(&S::Pagatore)->setFocus();
    return true;
}

bool TfrmRicevuta::preparaSalvataggio()
{
    const ImportoRicevuta importo = CompletaImporto(campo(&S::Importo)->text(), campo(&S::Cents)->text());
    campo(&S::Importo)->setText(importo.euro);
    campo(&S::Cents)->setText(importo.cents);
    // Always copied, not only when completing changed them: cents pasted with the mouse and
    // saved at once would otherwise be stored, and printed, with the words of other cents.
    etichetta(&S::CentLettere)->setText(importo.cents);
    etichetta(&S::Intero)->setText(importo.intero);
    return true;
}

bool TfrmRicevuta::controllaSalvataggio()
{
    // A receipt lies in the year of its archive, or no year's income summary shows it.
    const QDate data = DataDaTesto(campo(&S::Data)->text());
    if (anno_ != 0 && data.isValid() && data.year() != anno_) {
        avvisa(MessageKind::Warning, kMsgRicDataFuoriAnno.arg(TrimSpazi(campo(&S::Data)->text())).arg(anno_));
        campo(&S::Data)->setFocus();
        return false;
    }
    // The number before any question, so that a number already given is told at once; the save
    // checks it again under the archive's lock.
    {
        RecordFile file;
        if (!OpenReceiptArchive(archivio_, file)) {
            accessoNegato(setup_.errori.salva);
            return false;
        }
        if (!controllaInArchivio(file, posizione())) {
            file.close();
            if (!risolviConflitto())
                return false;
        }
    }
    // The payer's code against the payer's name (the rest of a code is not on the receipt).
    const QString domanda = payerFiscalCodeQuestion(scheda());
    if (!domanda.isEmpty() && platform().message(this, MessageKind::Confirmation, domanda) != Answer::Yes) {
        campo(&S::CodFisc)->setFocus();
        return false;
    }
    return avvisiContanti();
}

bool TfrmRicevuta::avvisiContanti()
{
    if (tracciabilita(pagamento_->valore().Pagamento) != Tracciabilita::Contanti)
        return true;
    const TSchedaRicevuta r = scheda();
    const QDate data = DataDaTesto(r.Data);
    const qint64 centesimi = CentesimiRicevuta(r);
    QStringList domande;
    if (etaDetrazioneSport(DataDaTesto(r.DataNasc), data))
        domande.append(kMsgContantiRagazzo);
    if (centesimi >= kSogliaContantiCents)
        domande.append(kMsgContantiSoglia);
    for (const QString& domanda : domande) {
        if (platform().message(this, MessageKind::Confirmation, domanda) != Answer::Yes) {
            pagamento_->campoPagamento()->setFocus();
            return false;
        }
    }
    return true;
}

TSchedaPagamento TfrmRicevuta::pagamento() const
{
    return pagamento_->valore();
}

bool TfrmRicevuta::altreModifiche() const
{
    return pagamento_->modificato();
}

bool TfrmRicevuta::controllaInArchivio(RecordFile& file, qint64 k)
{
    numeroIllegibile_ = false;
    const QString numero = campo(&S::NumRic)->text();
    // A receipt saved again under the number it has on file keeps it, whatever the archive holds
    // (two receipts numbered alike before numbers were checked can still be mended).
    if (k > 0 && StessoNumero(numero, registrato_))
        return true;
    if (!LeggiNumeri(file, numero, k, numeri_)) {
        numeroIllegibile_ = true;
        return false;
    }
    return numeri_.kUguale == 0;
}

bool TfrmRicevuta::risolviConflitto()
{
    if (numeroIllegibile_) {
        accessoNegato(setup_.errori.salva);
        return false;
    }
    QLineEdit* numero = campo(&S::NumRic);
    const QString testo = TrimSpazi(numero->text());
    const QString data = TrimSpazi(numeri_.uguale.Data);
    const QString pagatore = TrimSpazi(numeri_.uguale.Pagatore);
    // The number "Nuovo" proposed, taken meanwhile by another workstation: the user did not choose
    // it, so the next free one is offered. A number the user typed is the user's to change.
    if (posizione() == 0 && !proposto_.isEmpty() && numero->text() == proposto_) {
        std::optional<qint64> libero = NumeroProposto(lblInizio->text(), numeri_.count, numeri_.highest);
        if (!libero && numeri_.highest && *numeri_.highest < std::numeric_limits<qint64>::max())
            libero = *numeri_.highest + 1;
        if (libero) {
            const QString successivo = QString::number(*libero);
            if (platform().message(this, MessageKind::Confirmation,
                                   kMsgRicNumeroOccupatoAltrove.arg(testo, data, pagatore, successivo)) ==
                Answer::Yes) {
                numero->setText(successivo);
                proposto_ = successivo;
                return true;
            }
            numero->setFocus();
            return false;
        }
    }
    avvisa(MessageKind::Warning, kMsgRicNumeroGiaAssegnato.arg(testo, data, pagatore));
    numero->setFocus();
    return false;
}

bool TfrmRicevuta::dopoScrittura(qint64 k)
{
    registrato_ = campo(&S::NumRic)->text();
    bool pieno = false;
    if (!PaymentArchive::scrivi(archivio_, k, pagamento_->valore(), &pieno)) {
        // The receipt is saved; its payment is still on screen, so "Salva" again writes it.
        avvisa(MessageKind::Error, pieno ? kMsgDiscoPieno : kMsgAccessoArchivio);
        return false;
    }
    pagamento_->segna();
    return true;
}

void TfrmRicevuta::dopoMostra(const TSchedaRicevuta& record, qint64 k)
{
    registrato_ = k > 0 ? record.NumRic : QString();
    proposto_.clear();
    TSchedaPagamento letto;
    if (k > 0 && PaymentArchive::leggi(archivio_, k, letto) == PaymentArchive::Esito::Danneggiato)
        avvisa(MessageKind::Warning,
               kMsgPagamentoDanneggiato.arg(k).arg(QFileInfo(PaymentArchive::percorso(archivio_)).fileName()));
    pagamento_->mostra(letto);
    pagamento_->segna();
}

bool TfrmRicevuta::preparaDuplicato()
{
    const std::optional<QString> numero = numeroProposto();
    if (!numero)
        return false;
    campo(&S::NumRic)->setText(*numero);
    proposto_ = *numero;
    registrato_.clear();
    campo(&S::Data)->setText(dataProposta());
    // The reason and the way stay, like the other fields; the date and the reference belong to
    // the payment of the receipt duplicated.
    TSchedaPagamento pagamento = pagamento_->valore();
    pagamento.DataPag.clear();
    pagamento.RifPag.clear();
    pagamento_->mostra(pagamento);
    pagamento_->segna();
    campo(&S::NumRic)->setFocus();
    return true;
}

std::optional<TSchedaRicevuta> TfrmRicevuta::ricevutaArchiviata()
{
    // Only a receipt the archive holds as it is on screen goes on paper: a printed receipt
    // without its archived copy could not be accounted for.
    if (posizione() == 0 || modificata()) {
        if (platform().message(this, MessageKind::Confirmation, kMsgRicSalvaPrimaDiStampare) != Answer::Yes)
            return std::nullopt;
        if (!cmdSalvaClick())
            return std::nullopt;
    }
    // The bytes the save stored, read back as a browse would show them.
    return decodeRecord<TSchedaRicevuta>(registrazione());
}

void TfrmRicevuta::cmdAnteprimaClick()
{
    if (const std::optional<TSchedaRicevuta> r = ricevutaArchiviata())
        runDialog<TfrmAnteprimaRic>(this, *r, pagamento_->valore());
}

void TfrmRicevuta::cmdStampaClick()
{
    if (const std::optional<TSchedaRicevuta> r = ricevutaArchiviata())
        runDialog<TfrmStampaRic>(this, *r, pagamento_->valore());
}

void TfrmRicevuta::cmdNumerazioneClick()
{
    TfrmNumerazione dialog(this);
    dialog.setMode(QStringLiteral("ricevute"));
    dialog.setWindowTitle(QStringLiteral(" Impostazione inizio numerazione ricevute"));
    platform().runModal(&dialog);
}

void TfrmRicevuta::cmdLogoClick()
{
    runDialog<TfrmLogo>(this);
}

void TfrmRicevuta::txtImportoKeyUp()
{
    const QString euro = TrimSpazi(campo(&S::Importo)->text());
    qint64 amount = 0;
    if (!euro.isEmpty() && ParseImporto(euro, &amount))
        etichetta(&S::ImpLettere)->setText(ImportoInLettere(amount));
    else
        etichetta(&S::ImpLettere)->clear(); // empty, or not an amount: no words rather than stale ones
    // A pasted amount puts its cents in the cents box as well.
    txtCentsKeyUp();
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
