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

#include <QCloseEvent>
#include <QFocusEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
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
     .alignment = kCentre},
    {.name = u"txtDataNasc", .member = &S::DataNasc, .label = u"Data nascita:"},
    {.name = u"txtCittadinanza", .member = &S::Cittadinanza, .label = u"Cittadinanza:"},
    {.name = u"txtLuogoNasc", .member = &S::LuogoNasc, .label = u"Luogo nascita:"},
    {.name = u"txtIndirizzo", .member = &S::Indirizzo, .label = u"Indirizzo residenza:"},
    {.name = u"txtCitta", .member = &S::Citta, .label = u"Città:"},
    {.name = u"txtCap", .member = &S::Cap, .label = u"CAP:"},
    {.name = u"txtNazione", .member = &S::Nazione, .label = u"Nazione:"},
    {.name = u"txtCodFisc", .member = &S::CodFisc, .label = u"Codice fiscale:", .forced = ForcedText::UpperTrimmed},
    {.name = u"txtGruppo", .member = &S::Gruppo, .label = u"Gruppo sanguigno:"},
    {.name = u"txtProfessione", .member = &S::Professione, .label = u"Professione:"},
    {.name = u"txtStudio",
     .member = &S::Studio,
     .label = u"Scadenza certificato medico:",
     .required = &kMsgIscrMancaStudio,
     .resting = Resting::Beige,
     .filter = KeyFilter::DatePicker,
     .pickerTag = u"tiratori_studio",
     .alignment = kCentre},
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
     .initial = u"0,00"},
    {.name = u"txtInizioTes",
     .member = &S::InizioTes,
     .label = u"Data rilascio:",
     .required = &kMsgIscrMancaInizioTes,
     .resting = Resting::Beige,
     .filter = KeyFilter::DatePicker,
     .pickerTag = u"tiratori_iniziotes",
     .alignment = kCentre},
    {.name = u"txtFineTes",
     .member = &S::FineTes,
     .label = u"Data scadenza:",
     .required = &kMsgIscrMancaFineTes,
     .resting = Resting::Beige,
     .filter = KeyFilter::DatePicker,
     .pickerTag = u"tiratori_finetes",
     .alignment = kCentre},
    {.name = u"txtArmi", .member = &S::Armi, .label = u"Praticante (cognome e nome):"},
    {.name = u"txtPorto", .member = &S::Porto, .label = u"Luogo di nascita:"},
    {.name = u"txtInizioPor", .member = &S::InizioPor, .label = u"Data di nascita:"},
    {.name = u"txtFinePor", .member = &S::FinePor, .label = u"Indirizzo:"},
    {.name = u"txtNote", .member = &S::Note, .label = u"Note:"},
};

// The attachments are the attachments panel's to map.
constexpr QString S::*kAllegati[] = {&S::File01, &S::File02, &S::File03, &S::Desc01, &S::Desc02, &S::Desc03};

static_assert(FieldTable<S>::fits(kCampi, {}, kAllegati));

const QColor kRequiredLabel{0xA5, 0x2A, 0x2A};

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
    : WorkspaceScreen(QStringLiteral("frmTiratori"), QStringLiteral(" Tavorel - Archivio Iscritti")),
      campi_(panel(), kCampi, {}, FieldLook{.points = 11, .minimumHeight = 27})
{
    foto_ = new PhotoPanel(panel());
    allegati_ = new AttachmentsPanel(panel());

    // The seven required fields have brown labels.
    for (const FieldRow<S>& r : kCampi)
        if (r.required)
            campi_.titleOf(campo(r.member))->setStyleSheet(QStringLiteral("color: %1;").arg(kRequiredLabel.name()));
    campo(&S::Quota)->installEventFilter(this);

    lblPosizione = look::label(panel(), QString(), 11, true, QStringLiteral("lblPosizione"));
    lblPosizione->setAlignment(Qt::AlignCenter);
    lblPosizione->setMinimumWidth(44);

    // Out of sight but shown, so that it can take the focus.
    btnFocus = new QPushButton(panel());
    btnFocus->setObjectName(QStringLiteral("btnFocus"));
    btnFocus->setFocusPolicy(Qt::NoFocus);
    btnFocus->setFlat(true);
    btnFocus->setStyleSheet(QStringLiteral("border: none; background: transparent;"));
    btnFocus->setGeometry(0, 0, 1, 1);

    buildCommands();
    buildLayout();
    btnFocus->lower();
}

void TfrmTiratori::buildCommands()
{
    panInfo = new InfoBar(panel(), colors::kInfoBand);
    panInfo->setText(kInfoIniziale);

    using T = TfrmTiratori;
    const QSize icon(40, 40);
    const QSize wide(113, 40);
    const CommandRow<TfrmTiratori> commands[] = {
        {&T::cmdNuovo, "cmdNuovo", "nuovo", icon, "Prepara la schermata per l'inserimento di una nuova scheda.",
         &T::cmdNuovoClick},
        {&T::cmdDuplica, "cmdDuplica", "duplica", icon,
         "Prepara la schermata per l'inserimento di una nuova scheda duplicando i dati correnti.", &T::cmdDuplicaClick},
        {&T::cmdSalva, "cmdSalva", "salva", icon, "Salva la scheda in archivio.", &T::cmdSalvaClick},
        {&T::cmdTrova, "cmdTrova", "trova", icon, "Trova una scheda in archivio.", &T::cmdTrovaClick},
        {&T::cmdFile, "cmdFile", "file_scheda", icon, "Allega file alla scheda.", &T::cmdFileClick},
        {&T::cmdAnteprima, "cmdAnteprima", "anteprima", wide, "Visualizza l'anteprima di stampa della scheda.",
         &T::cmdAnteprimaClick},
        {&T::cmdStampa, "cmdStampa", "stampa", wide, "Stampa la scheda.", &T::cmdStampaClick},
        {&T::cmdPrimo, "cmdPrimo", "primo", icon, "Visualizza la prima scheda in archivio.", &T::cmdPrimoClick},
        {&T::cmdIndietro, "cmdIndietro", "indietro", icon, "Visualizza la scheda precedente in archivio.",
         &T::cmdIndietroClick},
        {&T::cmdAvanti, "cmdAvanti", "avanti", icon, "Visualizza la scheda successiva in archivio.",
         &T::cmdAvantiClick},
        {&T::cmdUltimo, "cmdUltimo", "ultimo", icon, "Visualizza l'ultima scheda in archivio.", &T::cmdUltimoClick},
        {&T::cmdScadCert, "cmdScadCert", "scad_cert", icon, "Visualizza il riepilogo dei certificati medici scaduti.",
         &T::cmdScadCertClick},
        {&T::cmdScadute, "cmdScadute", "scad_tessere", icon, "Visualizza il riepilogo delle tessere scadute.",
         &T::cmdScaduteClick},
        {&T::cmdEsporta, "cmdEsporta", "esporta", icon, "Esporta l'archivio in un file di Microsoft Excel.",
         &T::apriEsporta},
        {&T::cmdGuida, "cmdGuida", "guida", icon, "Visualizza la guida in linea.", &T::apriGuida},
        {&T::cmdEsci, "cmdEsci", "esci_rosso", icon, "Esci da questa schermata di lavoro.", &T::cmdEsciClick},
        {&T::btnCodFisc, "btnCodFisc", "controlla", QSize(27, 27), "Controlla il codice fiscale.", &T::btnCodFiscClick},
        {&T::btnEmail, "btnEmail", "posta", QSize(27, 27), "Invia una e-mail all'indirizzo indicato.",
         &T::btnEmailClick},
    };
    buildPictureCommands<TfrmTiratori>(this, panel(), panInfo, commands);
    foto_->attachInfoBar(panInfo);
}

void TfrmTiratori::cmdPrimoClick()
{
    sfoglia(BrowseCommand::Primo);
}

void TfrmTiratori::cmdIndietroClick()
{
    sfoglia(BrowseCommand::Indietro);
}

void TfrmTiratori::cmdAvantiClick()
{
    sfoglia(BrowseCommand::Avanti);
}

void TfrmTiratori::cmdUltimoClick()
{
    sfoglia(BrowseCommand::Ultimo);
}

void TfrmTiratori::cmdEsciClick()
{
    close();
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

    campo(&S::Sesso)->setFixedWidth(44);
    for (auto m : {&S::DataNasc, &S::Studio, &S::InizioTes, &S::FineTes, &S::InizioPor})
        campo(m)->setFixedWidth(128);
    campo(&S::CodFisc)->setFixedWidth(200);
    campo(&S::Cap)->setFixedWidth(80);
    campo(&S::Quota)->setFixedWidth(96);

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
         {{cella(&S::CodFisc, nullptr, btnCodFisc), 0}, {cella(&S::Gruppo), 1}, {cella(&S::Professione), 2}});
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

TSchedaIscritto TfrmTiratori::scheda() const
{
    TSchedaIscritto r = campi_.record();
    allegati_->store(r);
    return r;
}

QImage TfrmTiratori::foto() const
{
    return foto_->picture();
}

void TfrmTiratori::ShowMemberRecord(const TSchedaIscritto& record, qint64 k)
{
    campi_.show(record);
    // A text longer than its box shows its beginning.
    for (QLineEdit* f : campi_.fields())
        f->setCursorPosition(0);
    allegati_->load(record);
    lblPosizione->setText(k > 0 ? QString::number(k) : QString());
    foto_->load(int(k));
}

void TfrmTiratori::closeEvent(QCloseEvent* event)
{
    emit chiuso();
    event->accept();
}

bool TfrmTiratori::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == campo(&S::Quota) && event->type() == QEvent::FocusOut) {
        // Only a move to another control leaves the field; a dialog or another program taking the
        // window's focus does not rewrite the fee under the user.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            txtQuotaExit();
    }
    return WorkspaceScreen::eventFilter(watched, event);
}

void TfrmTiratori::avvisa(MessageKind kind, const QString& text)
{
    platform().message(this, kind, text);
}

void TfrmTiratori::FormShow()
{
    cmdNuovoClick();
}

void TfrmTiratori::cmdNuovoClick()
{
    campi_.clear();
    allegati_->clear();
    foto_->clear();
    lblPosizione->clear();
    campo(&S::Tiratore)->setFocus();
}

void TfrmTiratori::txtQuotaExit()
{
    const QString quota = NormalizzaImporto(campo(&S::Quota)->text(), 2);
    if (quota != campo(&S::Quota)->text())
        campo(&S::Quota)->setText(quota);
}

void TfrmTiratori::cmdSalvaClick()
{
    // The field being edited is left first, so that its own handling (the fee) has run. A window
    // that is not the active one gets no focus events, so the fee is then completed here.
    QWidget* lasciato = focusWidget();
    btnFocus->setFocus(Qt::OtherFocusReason);
    if (lasciato == campo(&S::Quota))
        txtQuotaExit();

    if (const std::optional<MissingField> missing = campi_.firstMissing()) {
        avvisa(MessageKind::Warning, missing->warning);
        missing->field->setFocus();
        return;
    }

    const QString folder = platform().programFolder();
    RecordFile file;
    if (!OpenMemberArchive(folder, file)) {
        avvisa(MessageKind::Error, kMsgAccessoArchivio);
        return;
    }
    const TSchedaIscritto record = scheda();
    const qint64 k = PosizioneDaEtichetta(lblPosizione->text());
    if (k > 0) {
        const bool scritto = overwriteRecord(file, k, record);
        file.close();
        if (!scritto) {
            avvisa(MessageKind::Error, kMsgAccessoArchivio);
            return;
        }
        // A photo that could not be written has been told by the photo panel: that is the one
        // message, the box keeps the photo and "Salva" again writes both.
        if (foto_->save(int(k)))
            avvisa(MessageKind::Information, kMsgSchedaModificata);
    } else {
        const qint64 nuovo = appendRecord(file, record);
        file.close();
        if (nuovo < 0) {
            avvisa(MessageKind::Error, kMsgAccessoArchivio);
            return;
        }
        // The member is in the archive now: "Salva" again overwrites it, whatever becomes of the photo.
        lblPosizione->setText(QString::number(nuovo));
        if (foto_->save(int(nuovo)))
            avvisa(MessageKind::Information, kMsgSchedaInserita);
    }
}

void TfrmTiratori::cmdDuplicaClick()
{
    if (TrimSpazi(lblPosizione->text()).isEmpty()) {
        avvisa(MessageKind::Warning, kMsgIscrittoDuplicaNonSalvata);
        return;
    }
    // The fields stay; what belongs to the source record alone goes: its number, its photo, its
    // attached documents.
    allegati_->clear();
    lblPosizione->clear();
    foto_->clear();
    campo(&S::Tiratore)->setFocus();
    avvisa(MessageKind::Information, kMsgIscrittoDuplicata);
}

void TfrmTiratori::sfoglia(BrowseCommand command)
{
    // From the first member "Indietro" does nothing at all, not even on an archive emptied meanwhile.
    if (command == BrowseCommand::Indietro && PosizioneDaEtichetta(lblPosizione->text()) == 1)
        return;
    RecordFile file;
    if (!OpenMemberArchive(platform().programFolder(), file)) {
        avvisa(MessageKind::Error, kMsgAccessoArchivio);
        return;
    }
    // The archive is closed again before the photo is read.
    const BrowseRead found = LeggiPerSfoglia(file, command, PosizioneDaEtichetta(lblPosizione->text()));
    switch (found.outcome) {
    case BrowseRead::Outcome::Empty:
        if (command == BrowseCommand::Avanti)
            lblPosizione->clear();
        avvisa(MessageKind::Information, kMsgArchivioIscrittiVuoto);
        return;
    case BrowseRead::Outcome::Stay:
        return;
    case BrowseRead::Outcome::Unreadable:
        avvisa(MessageKind::Error, kMsgAccessoArchivio);
        return;
    case BrowseRead::Outcome::Read:
        break;
    }
    ShowMemberRecord(decodeRecord<TSchedaIscritto>(found.bytes), found.k);
    // What a damaged record still holds is shown, so that it can be checked and saved again; the
    // user is told which record of which file it is. (The search and the expiry lists never hand
    // over a record that is not whole.)
    if (!recordIsWhole<TSchedaIscritto>(found.bytes))
        avvisa(MessageKind::Warning, msgSchedaDanneggiata(found.k, kMemberArchiveName));
}

void TfrmTiratori::cmdTrovaClick()
{
    auto trova = std::make_unique<TfrmTrovaTiratori>(
        this, [this](const TSchedaIscritto& member, qint64 k) { ShowMemberRecord(member, k); }, ImportaPagatore{});
    trova->setMode(QStringLiteral("tiratori"));
    platform().runModal(trova.get());
}

void TfrmTiratori::cmdScadCertClick()
{
    auto elenco = std::make_unique<TfrmCertScaduti>(
        this, [this](const TSchedaIscritto& member, qint64 k) { ShowMemberRecord(member, k); });
    platform().runModal(elenco.get());
}

void TfrmTiratori::cmdScaduteClick()
{
    auto elenco = std::make_unique<TfrmTessereScadute>(
        this, [this](const TSchedaIscritto& member, qint64 k) { ShowMemberRecord(member, k); });
    platform().runModal(elenco.get());
}

void TfrmTiratori::cmdFileClick()
{
    allegati_->open();
}

void TfrmTiratori::cmdAnteprimaClick()
{
    auto dialog = std::make_unique<TfrmAnteprimaTiratori>(this, scheda(), foto());
    platform().runModal(dialog.get());
}

void TfrmTiratori::cmdStampaClick()
{
    auto dialog = std::make_unique<TfrmStampaTiratori>(this, scheda(), foto());
    platform().runModal(dialog.get());
}

void TfrmTiratori::btnCodFiscClick()
{
    TfrmCodFisc::apriControllo(this, TrimSpazi(campo(&S::CodFisc)->text()));
}

void TfrmTiratori::btnEmailClick()
{
    // Encoded as an address of a URL, so that a blank or an accented letter reaches the mail program
    // as typed, and a "?" or "&" cannot add headers of its own.
    const QString indirizzo = TrimSpazi(campo(&S::Email)->text());
    platform().shellOpen(QStringLiteral("mailto:") + QString::fromLatin1(QUrl::toPercentEncoding(indirizzo, "@")));
}

} // namespace tavorel
