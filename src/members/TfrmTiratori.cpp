#include "members/TfrmTiratori.h"

#include "checks/TfrmCodFisc.h"
#include "members/AttachmentsPanel.h"
#include "members/PhotoPanel.h"
#include "members/TfrmAnteprimaTiratori.h"
#include "members/TfrmCertScaduti.h"
#include "members/TfrmStampaTiratori.h"
#include "members/TfrmTessereScadute.h"
#include "members/TfrmTrovaTiratori.h"
#include "rules/FieldRules.h"
#include "rules/FiscalCodePerson.h"
#include "rules/TextRules.h"
#include "shell/Artwork.h"
#include "shell/Colors.h"
#include "shell/CommandTable.h"
#include "shell/FieldKeys.h"
#include "shell/InfoBar.h"
#include "shell/PictureButton.h"
#include "shell/ScreenLook.h"
#include "storage/Archives.h"
#include "storage/Messages.h"
#include "storage/RecordFile.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QRegularExpressionValidator>
#include <QUrl>
#include <QVBoxLayout>

#include <memory>

namespace tavorel {

namespace {

const QString kInfoIniziale = QStringLiteral("Pronto per archiviare una nuova scheda...");

using S = TSchedaIscritto;

constexpr Qt::Alignment kCentre = Qt::AlignCenter;
constexpr Qt::Alignment kRight = Qt::AlignRight | Qt::AlignVCenter;

// The edit fields in tab and Enter order (Enter in the notes leads back to the name); a save checks
// the required ones, the beige ones, in this order.
constexpr FieldRow<S> kCampi[] = {
    {.name = u"txtTiratore",
     .member = &S::Tiratore,
     .label = u"Cognome e nome:",
     .required = &kMsgIscrMancaTiratore,
     .resting = Resting::Beige},
    {.name = u"txtSesso",
     .member = &S::Sesso,
     .label = u"Sesso:",
     .forced = ForcedText::UpperTrimmed,
     .alignment = kCentre,
     .width = 44},
    {.name = u"txtDataNasc", .member = &S::DataNasc, .label = u"Data nascita:", .existingDate = true, .width = 128},
    {.name = u"txtCittadinanza", .member = &S::Cittadinanza, .label = u"Cittadinanza:"},
    {.name = u"txtLuogoNasc", .member = &S::LuogoNasc, .label = u"Luogo nascita:"},
    {.name = u"txtIndirizzo", .member = &S::Indirizzo, .label = u"Indirizzo residenza:"},
    {.name = u"txtCitta", .member = &S::Citta, .label = u"Città:"},
    {.name = u"txtCap", .member = &S::Cap, .label = u"CAP:", .width = 80},
    {.name = u"txtNazione", .member = &S::Nazione, .label = u"Nazione:"},
    {.name = u"txtCodFisc",
     .member = &S::CodFisc,
     .label = u"Codice fiscale:",
     .forced = ForcedText::UpperTrimmed,
     .width = 200},
    {.name = u"txtGruppo", .member = &S::Gruppo, .label = u"Gruppo sanguigno:"},
    {.name = u"txtProfessione", .member = &S::Professione, .label = u"Professione:"},
    {.name = u"txtStudio",
     .member = &S::Studio,
     .label = u"Scadenza certificato medico:",
     .required = &kMsgIscrMancaStudio,
     .resting = Resting::Beige,
     .filter = KeyFilter::DatePicker,
     .pickerTag = u"tiratori_studio",
     .alignment = kCentre,
     .width = 128},
    {.name = u"txtEnte",
     .member = &S::Ente,
     .label = u"Attività sportiva:",
     .required = &kMsgMancaAttivita,
     .resting = Resting::Beige},
    {.name = u"txtEmail", .member = &S::Email, .label = u"E-mail:", .forced = ForcedText::Trimmed},
    {.name = u"txtTel", .member = &S::Tel, .label = u"Tel. casa:"},
    {.name = u"txtCel", .member = &S::Cel, .label = u"Tel. cellulare:"},
    {.name = u"txtTessera",
     .member = &S::Tessera,
     .label = u"Tessera n.",
     .required = &kMsgIscrMancaTessera,
     .resting = Resting::Beige},
    {.name = u"txtQuota",
     .member = &S::Quota,
     .label = u"Quota: €",
     .required = &kMsgIscrMancaQuota,
     .resting = Resting::Beige,
     .filter = KeyFilter::DigitsComma,
     .alignment = kRight,
     .initial = u"0,00",
     .width = 96},
    {.name = u"txtInizioTes",
     .member = &S::InizioTes,
     .label = u"Data rilascio:",
     .required = &kMsgIscrMancaInizioTes,
     .resting = Resting::Beige,
     .filter = KeyFilter::DatePicker,
     .pickerTag = u"tiratori_iniziotes",
     .alignment = kCentre,
     .width = 128},
    {.name = u"txtFineTes",
     .member = &S::FineTes,
     .label = u"Data scadenza:",
     .required = &kMsgIscrMancaFineTes,
     .resting = Resting::Beige,
     .filter = KeyFilter::DatePicker,
     .pickerTag = u"tiratori_finetes",
     .alignment = kCentre,
     .width = 128},
    {.name = u"txtArmi", .member = &S::Armi, .label = u"Praticante (cognome e nome):"},
    {.name = u"txtPorto", .member = &S::Porto, .label = u"Luogo di nascita:"},
    {.name = u"txtInizioPor", .member = &S::InizioPor, .label = u"Data di nascita:", .width = 128},
    {.name = u"txtFinePor", .member = &S::FinePor, .label = u"Indirizzo:"},
    {.name = u"txtNote", .member = &S::Note, .label = u"Note:"},
};

// The attachments are the attachments panel's to map.
constexpr QString S::*kAllegati[] = {&S::File01, &S::File02, &S::File03, &S::Desc01, &S::Desc02, &S::Desc03};

static_assert(FieldTable<S>::fits(kCampi, {}, kAllegati));

// The hints of the shared commands, in the order of EditorCommand.
constexpr const char* kSuggerimenti[] = {
    "Prepara la schermata per l'inserimento di una nuova scheda.",
    "Prepara la schermata per l'inserimento di una nuova scheda duplicando i dati correnti.",
    "Salva la scheda in archivio.",
    "Trova una scheda in archivio.",
    "Visualizza l'anteprima di stampa della scheda.",
    "Stampa la scheda.",
    "Visualizza la prima scheda in archivio.",
    "Visualizza la scheda precedente in archivio.",
    "Visualizza la scheda successiva in archivio.",
    "Visualizza l'ultima scheda in archivio.",
    "Esporta l'archivio in un file di Microsoft Excel.",
    "Visualizza la guida in linea.",
    "Esci da questa schermata di lavoro.",
    "Controlla il codice fiscale.",
};

EditorSetup setup()
{
    // Every failing archive action is told as an error.
    return {
        .infoIniziale = kInfoIniziale,
        .messaggi = {&kMsgArchivioIscrittiVuoto, &kMsgIscrittoDuplicaNonSalvata, &kMsgIscrittoDuplicata},
        .errori = {},
        .misure = {QSize(40, 40), QSize(113, 40), QSize(27, 27)},
        .suggerimenti = kSuggerimenti,
        .controllaCodice = &TfrmCodFisc::apriControllo,
    };
}

// A white group of toolbar buttons.
QFrame* group(QWidget* parent, const QString& name, std::initializer_list<QWidget*> items)
{
    QFrame* g = look::card(parent, name);
    auto* h = new QHBoxLayout(g);
    h->setContentsMargins(5, 4, 5, 4);
    h->setSpacing(3);
    for (QWidget* w : items)
        h->addWidget(w);
    return g;
}

} // namespace

TfrmTiratori::TfrmTiratori()
    : RecordEditor(QStringLiteral("frmTiratori"), QStringLiteral(" Tavorel - Archivio Iscritti"), setup(), kCampi, {},
                   FieldLook{.points = 11, .minimumHeight = 27})
{
    foto_ = new PhotoPanel(panel());
    allegati_ = new AttachmentsPanel(panel());

    // The seven required fields have brown labels.
    for (const FieldRow<S>& r : kCampi)
        if (r.required)
            campi_.titleOf(campo(r.member))
                ->setStyleSheet(QStringLiteral("color: %1;").arg(colors::kRequiredLabel.name()));
    alLasciare(campo(&S::Quota), [this] { txtQuotaExit(); });
    // M or F, typed in either case and shown upper case; any other key types nothing.
    campo(&S::Sesso)->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[MmFf]?")), campo(&S::Sesso)));
    lblPosizione->setMinimumWidth(44);

    buildCommands();
    buildLayout();
}

void TfrmTiratori::buildCommands()
{
    buildEditorCommands(panel());
    using T = TfrmTiratori;
    const CommandRow<TfrmTiratori> commands[] = {
        {&T::cmdFile, "cmdFile", "file_scheda", setup_.misure.icona, "Allega file alla scheda.", &T::cmdFileClick},
        {&T::cmdScadCert, "cmdScadCert", "scad_cert", setup_.misure.icona,
         "Visualizza il riepilogo dei certificati medici scaduti.", &T::cmdScadCertClick},
        {&T::cmdScadute, "cmdScadute", "scad_tessere", setup_.misure.icona,
         "Visualizza il riepilogo delle tessere scadute.", &T::cmdScaduteClick},
        {&T::btnEmail, "btnEmail", "posta", setup_.misure.piccolo, "Invia una e-mail all'indirizzo indicato.",
         &T::btnEmailClick},
        {&T::btnCalcolaCF, "btnCalcolaCF", "controllo_cf", setup_.misure.piccolo,
         "Calcola il codice fiscale dai dati anagrafici.", &T::btnCalcolaCFClick},
    };
    buildPictureCommands<TfrmTiratori>(this, panel(), panInfo, commands);
    connect(cmdTrova, &PictureButton::clicked, this, &T::cmdTrovaClick);
    connect(cmdAnteprima, &PictureButton::clicked, this, &T::cmdAnteprimaClick);
    connect(cmdStampa, &PictureButton::clicked, this, &T::cmdStampaClick);
    foto_->attachInfoBar(panInfo);
}

void TfrmTiratori::buildLayout()
{
    panInfo->addBackground(this);
    panInfo->addBackground(panel());

    // Toolbar: record, printing, browsing, lists and export, help and exit.
    auto* barra = new QHBoxLayout;
    barra->setSpacing(8);
    const QList<QFrame*> gruppi = {
        group(panel(), QStringLiteral("panArchivio"), {cmdNuovo, cmdDuplica, cmdSalva, cmdTrova, cmdFile}),
        group(panel(), QStringLiteral("panStampa"), {cmdAnteprima, cmdStampa}),
        group(panel(), QStringLiteral("panNavigazione"), {cmdPrimo, cmdIndietro, lblPosizione, cmdAvanti, cmdUltimo}),
        group(panel(), QStringLiteral("panRiepiloghi"), {cmdScadCert, cmdScadute, cmdEsporta}),
        group(panel(), QStringLiteral("panUscita"), {cmdGuida, cmdEsci}),
    };
    for (QFrame* g : gruppi) {
        panInfo->addBackground(g);
        barra->addWidget(g);
        if (g != gruppi.last())
            barra->addStretch(1);
    }

    // The member's card: the title band, the fields in rows beside the photo, the notes across.
    QFrame* scheda = look::card(panel(), QStringLiteral("panScheda"));
    panInfo->addBackground(scheda);

    auto* titolo = new QLabel(QStringLiteral("SCHEDA ISCRITTO"), scheda);
    titolo->setObjectName(QStringLiteral("lblTitoloScheda"));
    QFont fTitolo(QStringLiteral("Verdana"));
    fTitolo.setPointSize(13);
    titolo->setFont(fTitolo);
    titolo->setFixedHeight(30);
    titolo->setContentsMargins(12, 0, 0, 0);
    titolo->setStyleSheet(QStringLiteral("background: %1; color: %2; font-weight: bold; border-radius: 4px;")
                              .arg(colors::kSteelBlue.name(), colors::kYellow.name()));
    panInfo->addBackground(titolo);

    // One field with its label above it and, optionally, a picture before or a button after it.
    auto cella = [&](QString S::*member, QWidget* before = nullptr, QWidget* after = nullptr) {
        QLineEdit* e = campo(member);
        auto* v = new QVBoxLayout;
        v->setSpacing(1);
        QLabel* t = campi_.titleOf(e);
        t->setParent(scheda);
        v->addWidget(t);
        auto* h = new QHBoxLayout;
        h->setSpacing(4);
        if (before)
            h->addWidget(before);
        h->addWidget(e, 1);
        if (after)
            h->addWidget(after);
        v->addLayout(h);
        return v;
    };
    // A row of cells; each stretch shares out the width, 0 keeps a cell at its fixed width.
    auto riga = [&](QVBoxLayout* into, std::initializer_list<std::pair<QVBoxLayout*, int>> cells) {
        auto* h = new QHBoxLayout;
        h->setSpacing(8);
        for (const auto& [cell, stretch] : cells)
            h->addLayout(cell, stretch);
        // The rows share out the height beside the photo.
        into->addStretch(1);
        into->addLayout(h);
    };

    auto* croce = new QLabel(scheda);
    croce->setObjectName(QStringLiteral("icoCroce"));
    croce->setPixmap(QPixmap::fromImage(renderArtwork(QStringLiteral(":/assets/croce_rossa.svg"), QSize(20, 20))));
    croce->setFixedSize(20, 20);

    auto* campiLayout = new QVBoxLayout;
    campiLayout->setSpacing(5);
    campiLayout->addWidget(titolo);
    riga(campiLayout,
         {{cella(&S::Tiratore), 3}, {cella(&S::Sesso), 0}, {cella(&S::DataNasc), 0}, {cella(&S::Cittadinanza), 2}});
    riga(campiLayout, {{cella(&S::LuogoNasc), 2}, {cella(&S::Indirizzo), 3}});
    riga(campiLayout, {{cella(&S::Citta), 3}, {cella(&S::Cap), 0}, {cella(&S::Nazione), 2}});
    riga(campiLayout,
         {{cella(&S::CodFisc, btnCalcolaCF, btnCodFisc), 0}, {cella(&S::Gruppo), 1}, {cella(&S::Professione), 2}});
    riga(campiLayout, {{cella(&S::Studio, croce), 0}, {cella(&S::Ente), 1}});
    riga(campiLayout, {{cella(&S::Email, nullptr, btnEmail), 3}, {cella(&S::Tel), 2}, {cella(&S::Cel), 2}});
    riga(campiLayout,
         {{cella(&S::Tessera), 1}, {cella(&S::Quota), 0}, {cella(&S::InizioTes), 0}, {cella(&S::FineTes), 0}});
    riga(campiLayout, {{cella(&S::Armi), 1}, {cella(&S::Porto), 1}});
    riga(campiLayout, {{cella(&S::InizioPor), 0}, {cella(&S::FinePor), 1}});

    auto* sopra = new QHBoxLayout;
    sopra->setSpacing(14);
    sopra->addWidget(foto_, 0, Qt::AlignTop);
    sopra->addLayout(campiLayout, 1);

    auto* corpo = new QVBoxLayout(scheda);
    corpo->setContentsMargins(12, 10, 12, 10);
    corpo->setSpacing(6);
    corpo->addLayout(sopra, 1);
    auto* note = new QHBoxLayout;
    note->addLayout(cella(&S::Note), 1);
    corpo->addLayout(note);

    auto* colonna = new QVBoxLayout(panel());
    colonna->setContentsMargins(0, 6, 0, 6);
    colonna->setSpacing(8);
    colonna->addLayout(barra);
    colonna->addWidget(scheda, 1);
    colonna->addWidget(panInfo);
}

void TfrmTiratori::completaScheda(TSchedaIscritto& record) const
{
    allegati_->store(record);
}

QImage TfrmTiratori::foto() const
{
    return foto_->picture();
}

void TfrmTiratori::dopoMostra(const TSchedaIscritto& record, qint64 k)
{
    allegati_->load(record);
    foto_->load(int(k));
    codFiscRegistrato_ = k > 0 ? record.CodFisc : QString();
    tesseraRegistrata_ = k > 0 ? record.Tessera : QString();
}

bool TfrmTiratori::apriArchivio(RecordFile& file) const
{
    return OpenMemberArchive(platform().programFolder(), file);
}

QString TfrmTiratori::nomeArchivio() const
{
    return kMemberArchiveName;
}

QLineEdit* TfrmTiratori::campoCodiceFiscale() const
{
    return campo(&S::CodFisc);
}

void TfrmTiratori::FormShow()
{
    preparaNuova();
    segnaMostrata(0, {});
}

bool TfrmTiratori::preparaNuova()
{
    campi_.clear();
    allegati_->clear();
    foto_->clear();
    codFiscRegistrato_.clear();
    tesseraRegistrata_.clear();
    campo(&S::Tiratore)->setFocus();
    return true;
}

void TfrmTiratori::txtQuotaExit()
{
    const QString quota = NormalizzaImporto(campo(&S::Quota)->text(), 2);
    if (quota != campo(&S::Quota)->text())
        campo(&S::Quota)->setText(quota);
}

void TfrmTiratori::btnCalcolaCFClick()
{
    const MemberFiscalCode calcolato = computeMemberFiscalCode(scheda());
    if (!calcolato.ok()) {
        platform().message(this, MessageKind::Warning, calcolato.message);
        if (QLineEdit* f = campi_.field(QStringLiteral("txt") + calcolato.field))
            f->setFocus();
        return;
    }
    const QString attuale = TrimSpazi(campo(&S::CodFisc)->text());
    // A code that already agrees stays as it is (one the agency gave with omocodia included).
    if (attuale == calcolato.code || fiscalCodeWithoutOmocodia(attuale) == calcolato.code)
        return;
    if (!attuale.isEmpty() &&
        platform().message(this, MessageKind::Confirmation, kMsgCfCalcolatoSovrascrivi.arg(calcolato.code, attuale)) !=
            Answer::Yes)
        return;
    campo(&S::CodFisc)->setText(calcolato.code);
}

bool TfrmTiratori::controllaSalvataggio()
{
    // A sex stored before it was checked ("Z") is told, not saved again.
    const QString sesso = TrimSpazi(campo(&S::Sesso)->text());
    if (!sesso.isEmpty() && sesso != QStringLiteral("M") && sesso != QStringLiteral("F")) {
        avvisa(MessageKind::Warning, kMsgIscrSessoNonValido);
        campo(&S::Sesso)->setFocus();
        return false;
    }
    // A code that does not agree with the person's data is told, field by field; the user may
    // still save it (a code the agency assigned with omocodia, a place spelt otherwise).
    const QString domanda = memberFiscalCodeQuestion(scheda());
    if (!domanda.isEmpty() && platform().message(this, MessageKind::Confirmation, domanda) != Answer::Yes) {
        campo(&S::CodFisc)->setFocus();
        return false;
    }
    return controllaDoppioni();
}

bool TfrmTiratori::controllaDoppioni()
{
    const QString codFisc = MaiuscoleAZ(TrimSpazi(campo(&S::CodFisc)->text()));
    const QString tessera = MaiuscoleAZ(TrimSpazi(campo(&S::Tessera)->text()));
    // What the member had when shown is not asked about again at every save.
    const bool cercaCodFisc = !codFisc.isEmpty() && codFisc != MaiuscoleAZ(TrimSpazi(codFiscRegistrato_));
    const bool cercaTessera = !tessera.isEmpty() && tessera != MaiuscoleAZ(TrimSpazi(tesseraRegistrata_));
    if (!cercaCodFisc && !cercaTessera)
        return true;
    RecordFile file;
    // An archive that cannot be read here is told by the save that follows.
    if (!OpenMemberArchive(platform().programFolder(), file))
        return true;
    struct Doppione {
        qint64 k = 0;
        QString nome;
    } conCodFisc, conTessera;
    const qint64 proprio = posizione();
    file.forEach([&](qint64 k, const QByteArray& bytes) {
        if (k == proprio)
            return true;
        const TSchedaIscritto altro = decodeRecord<TSchedaIscritto>(bytes);
        if (cercaCodFisc && conCodFisc.k == 0 && MaiuscoleAZ(TrimSpazi(altro.CodFisc)) == codFisc)
            conCodFisc = {k, TrimSpazi(altro.Tiratore)};
        if (cercaTessera && conTessera.k == 0 && MaiuscoleAZ(TrimSpazi(altro.Tessera)) == tessera)
            conTessera = {k, TrimSpazi(altro.Tiratore)};
        return conCodFisc.k == 0 || conTessera.k == 0;
    });
    file.close();
    const std::tuple<const Doppione&, const QString&, QString S::*, QString> domande[] = {
        {conCodFisc, kMsgIscrCodFiscGiaPresente, &S::CodFisc, codFisc},
        {conTessera, kMsgIscrTesseraGiaPresente, &S::Tessera, TrimSpazi(campo(&S::Tessera)->text())},
    };
    for (const auto& [doppione, messaggio, member, valore] : domande) {
        if (doppione.k == 0)
            continue;
        if (platform().message(this, MessageKind::Confirmation,
                               messaggio.arg(valore, doppione.nome, QString::number(doppione.k))) != Answer::Yes) {
            campo(member)->setFocus();
            return false;
        }
    }
    return true;
}

bool TfrmTiratori::dopoScrittura(qint64 k)
{
    codFiscRegistrato_ = campo(&S::CodFisc)->text();
    tesseraRegistrata_ = campo(&S::Tessera)->text();
    // A photo that could not be written has been told by the photo panel: that is the one
    // message, the box keeps the photo and "Salva" again writes both.
    return foto_->save(int(k));
}

bool TfrmTiratori::altreModifiche() const
{
    return foto_->changed();
}

QByteArray TfrmTiratori::altriFileMostrati() const
{
    return foto_->shownStamp();
}

QByteArray TfrmTiratori::altriFileOra() const
{
    return foto_->stampNow();
}

void TfrmTiratori::confermaAltriFile(const QByteArray& stamp)
{
    foto_->confirmOverwrite(stamp);
}

bool TfrmTiratori::preparaDuplicato()
{
    // The fields stay; what belongs to the source record alone goes: its photo, its attached
    // documents (and its number).
    allegati_->clear();
    foto_->clear();
    codFiscRegistrato_.clear();
    tesseraRegistrata_.clear();
    campo(&S::Tiratore)->setFocus();
    return true;
}

void TfrmTiratori::mostraScelto(const TSchedaIscritto& member, qint64 k)
{
    if (lasciaScheda())
        mostraScheda(member, k);
}

void TfrmTiratori::cmdTrovaClick()
{
    auto trova = std::make_unique<TfrmTrovaTiratori>(
        this, [this](const TSchedaIscritto& member, qint64 k) { mostraScelto(member, k); }, ImportaPagatore{});
    trova->setMode(QStringLiteral("tiratori"));
    platform().runModal(trova.get());
}

void TfrmTiratori::cmdScadCertClick()
{
    auto elenco = std::make_unique<TfrmCertScaduti>(
        this, [this](const TSchedaIscritto& member, qint64 k) { mostraScelto(member, k); });
    platform().runModal(elenco.get());
}

void TfrmTiratori::cmdScaduteClick()
{
    auto elenco = std::make_unique<TfrmTessereScadute>(
        this, [this](const TSchedaIscritto& member, qint64 k) { mostraScelto(member, k); });
    platform().runModal(elenco.get());
}

void TfrmTiratori::cmdFileClick()
{
    allegati_->open(posizione());
}

void TfrmTiratori::cmdAnteprimaClick()
{
    runDialog<TfrmAnteprimaTiratori>(this, scheda(), foto());
}

void TfrmTiratori::cmdStampaClick()
{
    runDialog<TfrmStampaTiratori>(this, scheda(), foto());
}

void TfrmTiratori::btnEmailClick()
{
    // Encoded as an address of a URL, so that a blank or an accented letter reaches the mail program
    // as typed, and a "?" or "&" cannot add headers of its own.
    const QString indirizzo = TrimSpazi(campo(&S::Email)->text());
    openOnDesktop(this, QStringLiteral("mailto:") + QString::fromLatin1(QUrl::toPercentEncoding(indirizzo, "@")));
}

} // namespace tavorel
