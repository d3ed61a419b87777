#include "shell/RecordEditor.h"

#include "shell/Colors.h"
#include "shell/InfoBar.h"
#include "shell/PictureButton.h"
#include "shell/ScreenLook.h"
#include "shell/TextGuard.h"
#include "storage/Messages.h"
#include "storage/Trim.h"

#include <QCloseEvent>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QShortcut>

namespace tavorel {

namespace {

struct SharedCommand {
    PictureButton* RecordEditorBase::*button;
    const char* name;
    const char* picture;
    enum class Size { Icon, Wide, Small } size;
};

} // namespace

RecordEditorBase::RecordEditorBase(const QString& name, const QString& caption, EditorSetup setup)
    : WorkspaceScreen(name, caption), setup_(std::move(setup))
{
    lblPosizione = look::label(panel(), QString(), 11, true, QStringLiteral("lblPosizione"));
    lblPosizione->setAlignment(Qt::AlignCenter);
}

void RecordEditorBase::buildEditorCommands(QWidget* parent)
{
    using B = RecordEditorBase;
    using Size = SharedCommand::Size;
    // In the order of EditorCommand.
    static constexpr SharedCommand kCommands[] = {
        {&B::cmdNuovo, "cmdNuovo", "nuovo", Size::Icon},
        {&B::cmdDuplica, "cmdDuplica", "duplica", Size::Icon},
        {&B::cmdSalva, "cmdSalva", "salva", Size::Icon},
        {&B::cmdTrova, "cmdTrova", "trova", Size::Icon},
        {&B::cmdAnteprima, "cmdAnteprima", "anteprima", Size::Wide},
        {&B::cmdStampa, "cmdStampa", "stampa", Size::Wide},
        {&B::cmdPrimo, "cmdPrimo", "primo", Size::Icon},
        {&B::cmdIndietro, "cmdIndietro", "indietro", Size::Icon},
        {&B::cmdAvanti, "cmdAvanti", "avanti", Size::Icon},
        {&B::cmdUltimo, "cmdUltimo", "ultimo", Size::Icon},
        {&B::cmdEsporta, "cmdEsporta", "esporta", Size::Icon},
        {&B::cmdGuida, "cmdGuida", "guida", Size::Icon},
        {&B::cmdEsci, "cmdEsci", "esci_rosso", Size::Icon},
        {&B::btnCodFisc, "btnCodFisc", "controlla", Size::Small},
    };
    static_assert(std::size(kCommands) == std::size_t(EditorCommand::CodFisc) + 1);
    Q_ASSERT(setup_.suggerimenti.size() == std::size(kCommands));

    panInfo = new InfoBar(panel(), colors::kInfoBand);
    panInfo->setText(setup_.infoIniziale);
    for (std::size_t i = 0; i < std::size(kCommands); ++i) {
        const SharedCommand& c = kCommands[i];
        auto* b = new PictureButton(QLatin1StringView(c.name),
                                    QStringLiteral(":/assets/%1.svg").arg(QLatin1StringView(c.picture)), parent);
        b->setFixedSize(c.size == Size::Icon   ? setup_.misure.icona
                        : c.size == Size::Wide ? setup_.misure.largo
                                               : setup_.misure.piccolo);
        panInfo->addHint(b, QString::fromUtf8(setup_.suggerimenti[i]));
        this->*c.button = b;
    }
    connect(cmdNuovo, &PictureButton::clicked, this, &RecordEditorBase::cmdNuovoClick);
    connect(cmdDuplica, &PictureButton::clicked, this, &RecordEditorBase::cmdDuplicaClick);
    connect(cmdSalva, &PictureButton::clicked, this, &RecordEditorBase::cmdSalvaClick);
    connect(cmdPrimo, &PictureButton::clicked, this, &RecordEditorBase::cmdPrimoClick);
    connect(cmdIndietro, &PictureButton::clicked, this, &RecordEditorBase::cmdIndietroClick);
    connect(cmdAvanti, &PictureButton::clicked, this, &RecordEditorBase::cmdAvantiClick);
    connect(cmdUltimo, &PictureButton::clicked, this, &RecordEditorBase::cmdUltimoClick);
    connect(cmdEsporta, &PictureButton::clicked, this, &RecordEditorBase::apriEsporta);
    connect(cmdGuida, &PictureButton::clicked, this, &RecordEditorBase::apriGuida);
    connect(cmdEsci, &PictureButton::clicked, this, &RecordEditorBase::cmdEsciClick);
    connect(btnCodFisc, &PictureButton::clicked, this, &RecordEditorBase::btnCodFiscClick);

    // The commands from the keyboard, in the whole window.
    const std::pair<QKeySequence, PictureButton*> keys[] = {
        {QKeySequence(Qt::CTRL | Qt::Key_N), cmdNuovo},    {QKeySequence(Qt::CTRL | Qt::Key_D), cmdDuplica},
        {QKeySequence(Qt::CTRL | Qt::Key_S), cmdSalva},    {QKeySequence(Qt::CTRL | Qt::Key_F), cmdTrova},
        {QKeySequence(Qt::CTRL | Qt::Key_P), cmdStampa},   {QKeySequence(Qt::Key_PageUp), cmdIndietro},
        {QKeySequence(Qt::Key_PageDown), cmdAvanti},       {QKeySequence(Qt::CTRL | Qt::Key_Home), cmdPrimo},
        {QKeySequence(Qt::CTRL | Qt::Key_End), cmdUltimo}, {QKeySequence(Qt::Key_F1), cmdGuida},
        {QKeySequence(Qt::Key_Escape), cmdEsci},
    };
    for (const auto& [key, button] : keys) {
        auto* s = new QShortcut(key, this);
        s->setObjectName(QStringLiteral("key") + button->objectName());
        connect(s, &QShortcut::activated, button, &PictureButton::click);
    }
}

void RecordEditorBase::avvisa(MessageKind kind, const QString& text)
{
    platform().message(this, kind, text);
}

void RecordEditorBase::accessoNegato(MessageKind kind)
{
    avvisa(kind, kMsgAccessoArchivio);
}

void RecordEditorBase::segnaMostrata(qint64 k, const QByteArray& stored)
{
    k_ = k > 0 ? k : 0;
    lblPosizione->setText(k_ > 0 ? QString::number(k_) : QString());
    caricata_ = k_ > 0 ? normalizza(stored) : QByteArray();
    mostrata_ = confronto();
}

bool RecordEditorBase::modificata() const
{
    // A screen never shown holds nothing the user typed.
    if (mostrata_.isNull())
        return false;
    return confronto() != mostrata_ || altreModifiche();
}

bool RecordEditorBase::lasciaScheda()
{
    if (!modificata())
        return true;
    switch (platform().message(this, MessageKind::Question, kMsgSalvareModifiche)) {
    case Answer::Yes:
        return cmdSalvaClick();
    case Answer::No:
        return true;
    default:
        return false;
    }
}

void RecordEditorBase::alLasciare(QLineEdit* field, std::function<void()> exit)
{
    field->installEventFilter(this);
    uscite_.append({field, std::move(exit)});
}

bool RecordEditorBase::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusOut) {
        // Only a move to another control leaves the field; a dialog or another program taking the
        // window's focus does not rewrite the field under the user.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            for (const auto& [field, exit] : uscite_)
                if (field == watched)
                    exit();
    }
    return WorkspaceScreen::eventFilter(watched, event);
}

void RecordEditorBase::cmdNuovoClick()
{
    if (!lasciaScheda())
        return;
    if (preparaNuova())
        segnaMostrata(0, {});
}

bool RecordEditorBase::cmdSalvaClick()
{
    // The field being edited has its own handling run first (a window that is not the active one
    // gets no focus events, so it is not left to the focus change).
    for (const auto& [field, exit] : uscite_)
        if (field->hasFocus() || field == focusWidget())
            exit();
    if (!preparaSalvataggio())
        return false;
    if (const std::optional<MissingField> missing = tabella().firstMissing()) {
        avvisa(MessageKind::Warning, missing->warning);
        missing->field->setFocus();
        return false;
    }
    if (!controllaSalvataggio())
        return false;
    if (const std::optional<UnstorableText> bad = nonRegistrabile()) {
        avvisa(MessageKind::Warning,
               msgCarattereNonRegistrabile(QString::fromUcs4(&bad->character, 1), TextGuard::codeOf(bad->character)));
        return false;
    }

    RecordFile file;
    QByteArray record;
    qint64 k = k_;
    // Again after the editor mended what the archive refused (risolviConflitto).
    for (;;) {
        if (!file.isOpen() && !apriArchivio(file)) {
            accessoNegato(setup_.errori.salva);
            return false;
        }
        record = registrazione();
        k = k_;
        if (k > 0) {
            if (sovrascrivi(file, record))
                break;
            if (!file.isOpen() || !risolviConflitto())
                return false;
            continue;
        }
        k = aggiungi(file, record);
        if (k < 0) {
            const bool full = file.diskFull();
            file.close();
            avvisa(setup_.errori.salva, full ? kMsgDiscoPieno : kMsgAccessoArchivio);
            return false;
        }
        if (k > 0)
            break;
        if (!risolviConflitto())
            return false;
    }
    file.close();
    const bool nuova = k_ == 0;
    // The record is in the archive now: "Salva" again overwrites it, whatever becomes of what
    // follows the write.
    segnaMostrata(k, record);
    if (!dopoScrittura(k))
        return false;
    avvisa(MessageKind::Information, nuova ? kMsgSchedaInserita : kMsgSchedaModificata);
    return true;
}

qint64 RecordEditorBase::aggiungi(RecordFile& file, const QByteArray& record)
{
    if (!file.lock())
        return -1;
    if (!controllaInArchivio(file, 0)) {
        file.unlock();
        return 0;
    }
    const qint64 k = file.append(record);
    file.unlock();
    return k;
}

bool RecordEditorBase::sovrascrivi(RecordFile& file, const QByteArray& record)
{
    // The comparison and the write are one step under the archive's lock; the question is asked
    // with the lock released, so that another workstation is never kept waiting on this one.
    QByteArray confermata = caricata_;
    QByteArray altriConfermati = altriFileMostrati();
    for (;;) {
        if (!file.lock()) {
            file.close();
            accessoNegato(setup_.errori.salva);
            return false;
        }
        QByteArray ora;
        if (file.count() < k_ || !file.read(k_, ora)) {
            file.unlock();
            const bool missing = file.count() >= 0 && file.count() < k_;
            file.close();
            if (!missing) {
                accessoNegato(setup_.errori.salva);
                return false;
            }
            // The record is gone (an archive cut short elsewhere): offered as a new one.
            if (platform().message(this, MessageKind::Confirmation, kMsgSchedaNonPiuInArchivio) != Answer::Yes)
                return false;
            k_ = 0;
            if (!apriArchivio(file)) {
                accessoNegato(setup_.errori.salva);
                return false;
            }
            const qint64 k = aggiungi(file, record);
            if (k == 0)
                return false; // the file stays open: the caller asks the editor to mend the record
            if (k < 0) {
                const bool full = file.diskFull();
                file.close();
                avvisa(setup_.errori.salva, full ? kMsgDiscoPieno : kMsgAccessoArchivio);
                return false;
            }
            k_ = k;
            return true;
        }
        const QByteArray normalizzata = normalizza(ora);
        const QByteArray altriOra = altriFileOra();
        if ((normalizzata == confermata || normalizzata == normalizza(record)) && altriOra == altriConfermati) {
            if (!controllaInArchivio(file, k_)) {
                // The file stays open: the caller asks the editor to mend the record.
                file.unlock();
                return false;
            }
            if (altriOra != altriFileMostrati())
                confermaAltriFile(altriOra);
            const bool written = file.overwrite(k_, record);
            const bool full = file.diskFull();
            file.unlock();
            if (!written) {
                file.close();
                avvisa(setup_.errori.salva, full ? kMsgDiscoPieno : kMsgAccessoArchivio);
                return false;
            }
            return true;
        }
        file.unlock();
        switch (platform().message(this, MessageKind::Question, kMsgSchedaCambiataAltrove)) {
        case Answer::Yes:
            // Overwrite what the other workstation wrote, provided it is still what the user saw.
            confermata = normalizzata;
            altriConfermati = altriOra;
            continue;
        case Answer::No:
            file.close();
            mostraRegistrata(ora, k_);
            return false;
        default:
            file.close();
            return false;
        }
    }
}

void RecordEditorBase::cmdDuplicaClick()
{
    if (k_ == 0) {
        avvisa(MessageKind::Warning, *setup_.messaggi.duplicaNonSalvata);
        return;
    }
    if (!lasciaScheda())
        return;
    if (!preparaDuplicato())
        return;
    // The fields stay as a new record that is not in the archive yet: a change to them is what
    // the user does next, and nothing has been typed that would be lost.
    segnaMostrata(0, {});
    avvisa(MessageKind::Information, *setup_.messaggi.duplicata);
}

void RecordEditorBase::sfoglia(BrowseCommand command, MessageKind failureKind)
{
    // From the first record "Indietro" does nothing at all, not even on an archive emptied meanwhile.
    if (command == BrowseCommand::Indietro && k_ == 1)
        return;
    if (!lasciaScheda())
        return;
    RecordFile file;
    if (!apriArchivio(file)) {
        accessoNegato(failureKind);
        return;
    }
    const BrowseRead found = LeggiPerSfoglia(file, command, k_);
    switch (found.outcome) {
    case BrowseRead::Outcome::Empty:
        if (command == BrowseCommand::Avanti) {
            k_ = 0;
            lblPosizione->clear();
        }
        avvisa(MessageKind::Information, *setup_.messaggi.archivioVuoto);
        return;
    case BrowseRead::Outcome::Stay:
        return;
    case BrowseRead::Outcome::Unreadable:
        accessoNegato(failureKind);
        return;
    case BrowseRead::Outcome::Read:
        break;
    }
    mostraRegistrata(found.bytes, found.k);
    // What a damaged record still holds is shown, so that it can be checked and saved again; the
    // user is told which record of which file it is.
    if (!intera(found.bytes))
        avvisa(MessageKind::Warning, msgSchedaDanneggiata(found.k, nomeArchivio()));
}

void RecordEditorBase::cmdPrimoClick()
{
    sfoglia(BrowseCommand::Primo, setup_.errori.primo);
}

void RecordEditorBase::cmdIndietroClick()
{
    sfoglia(BrowseCommand::Indietro, setup_.errori.archivio);
}

void RecordEditorBase::cmdAvantiClick()
{
    sfoglia(BrowseCommand::Avanti, setup_.errori.archivio);
}

void RecordEditorBase::cmdUltimoClick()
{
    sfoglia(BrowseCommand::Ultimo, setup_.errori.archivio);
}

void RecordEditorBase::cmdEsciClick()
{
    close();
}

void RecordEditorBase::btnCodFiscClick()
{
    if (setup_.controllaCodice)
        setup_.controllaCodice(this, TrimSpazi(campoCodiceFiscale()->text()));
}

void RecordEditorBase::closeEvent(QCloseEvent* event)
{
    if (!lasciaScheda() || !primaDiChiudere()) {
        event->ignore();
        return;
    }
    emit chiuso();
    event->accept();
}

} // namespace tavorel
