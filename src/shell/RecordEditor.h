#pragma once

#include "rules/RecordBrowse.h"
#include "shell/FieldTable.h"
#include "shell/Platform.h"
#include "shell/WorkspaceScreen.h"
#include "storage/RecordFile.h"

#include <QByteArray>
#include <QList>
#include <QSize>

#include <functional>
#include <span>

class QLabel;
class QLineEdit;

namespace tavorel {

class InfoBar;
class PictureButton;

// The commands every record editor has, in the order a screen gives their hints.
enum class EditorCommand {
    Nuovo,
    Duplica,
    Salva,
    Trova,
    Anteprima,
    Stampa,
    Primo,
    Indietro,
    Avanti,
    Ultimo,
    Esporta,
    Guida,
    Esci,
    CodFisc,
};

// What one editor says and how it looks where the two differ; everything else is the same.
struct EditorSetup {
    // What browse and "Duplica" tell.
    struct Messaggi {
        const QString* archivioVuoto;     // a browse over an empty archive
        const QString* duplicaNonSalvata; // "Duplica" on a record not saved yet
        const QString* duplicata;         // "Duplica" done
    };
    // How a failing archive is told.
    struct Errori {
        MessageKind salva = MessageKind::Error;    // by "Salva"
        MessageKind primo = MessageKind::Error;    // by "Primo"
        MessageKind archivio = MessageKind::Error; // by the other archive actions
    };
    // The sizes of the command buttons.
    struct Misure {
        QSize icona;   // the toolbar's square buttons
        QSize largo;   // "Anteprima" and "Stampa"
        QSize piccolo; // the buttons beside a field
    };

    QString infoIniziale; // the info bar at rest
    Messaggi messaggi;
    Errori errori;
    Misure misure;
    std::span<const char* const> suggerimenti; // the info-bar hint of each EditorCommand, in its order
    // The code-check window of the editor's fiscal-code field (the check windows sit above the shell).
    std::function<void(QWidget* parent, const QString& code)> controllaCodice;
};

// The part of a record editor that does not depend on its record: the record number, the commands
// shared by both editors (new, duplicate, save, browse, the code check, exit), the question before
// a record with changes is left, and the check that no other workstation changed the record
// between showing and saving. A screen is a RecordEditor<Record> plus its layout and what is
// truly its own.
class RecordEditorBase : public WorkspaceScreen {
    Q_OBJECT
public:
    // The record number on screen, 0 while it is not in the archive.
    qint64 posizione() const { return k_; }
    // Whether the screen differs from the record as it was shown or last saved.
    bool modificata() const;
    // Before the record on screen is left (a search result, another screen's action): when it
    // has changes the user is asked whether to save them. False when the user stays (Annulla, or
    // a save that did not go through).
    bool lasciaScheda();

signals:
    // The editor was closed; the main menu takes over.
    void chiuso();
    void apriGuida();
    void apriEsporta();

protected:
    RecordEditorBase(const QString& name, const QString& caption, EditorSetup setup);

    // What each editor knows of its own archive and record.
    virtual bool apriArchivio(RecordFile& file) const = 0;
    virtual QString nomeArchivio() const = 0;     // the file's name, for the damaged-record warning
    virtual QByteArray registrazione() const = 0; // the screen as a save stores it
    // A character of the record (the fields and what the screen adds, such as attachment names)
    // that the archive cannot hold: the save stops rather than store a "?".
    virtual std::optional<UnstorableText> nonRegistrabile() const = 0;
    // What tells a change the user would not want to lose: the record as a save stores it, unless
    // the editor leaves out what it keeps anyway (the receipt's payee lines on a new receipt).
    virtual QByteArray confronto() const { return registrazione(); }
    virtual void mostraRegistrata(const QByteArray& stored, qint64 k) = 0; // puts stored bytes on screen
    // Stored bytes as this program would write them again: bytes past a field's length and the
    // like do not count as a change made by another workstation.
    virtual QByteArray normalizza(const QByteArray& stored) const = 0;
    // The stored record is as it was saved (see recordIsWhole).
    virtual bool intera(const QByteArray& stored) const = 0;
    virtual FieldTableBase& tabella() = 0;
    virtual QLineEdit* campoCodiceFiscale() const = 0;

    // "Nuovo": the screen cleared for a new record. False leaves the screen as it is.
    virtual bool preparaNuova() = 0;
    // Before the checks of a save (amounts completed and the like). False stops the save.
    virtual bool preparaSalvataggio() { return true; }
    // After the required-field checks: the editor's own checks. False stops the save; the editor
    // has told the user and put the focus where it belongs.
    virtual bool controllaSalvataggio() { return true; }
    // What must hold of the whole archive at the moment of writing (a receipt number given once a
    // year): run with the archive's lock held, just before record k (0: a new record) is written,
    // so that no other workstation writes between the check and the write. False: the lock is
    // released and risolviConflitto() says what follows.
    virtual bool controllaInArchivio(RecordFile& file, qint64 k)
    {
        Q_UNUSED(file)
        Q_UNUSED(k)
        return true;
    }
    // After controllaInArchivio() refused, with the lock released (a question may be asked): true
    // when the editor changed the screen so that the save is tried again (the next free number),
    // false when the save stops (the editor told the user and put the focus where it belongs).
    virtual bool risolviConflitto() { return false; }
    // The record was written as number k: what follows the write (the member's photo). False
    // when it told the user of a failure itself.
    virtual bool dopoScrittura(qint64 k)
    {
        Q_UNUSED(k)
        return true;
    }
    // Whatever the screen holds outside the record has changes (the member's photo).
    virtual bool altreModifiche() const { return false; }
    // The files kept beside the record (the member's photo): a stamp of them as the editor showed
    // or last wrote them, and as they are now. "Salva" over a record treats a difference like a
    // record changed by another workstation; when the user chooses to overwrite, the stamp then
    // found is handed to confermaAltriFile before dopoScrittura.
    virtual QByteArray altriFileMostrati() const { return {}; }
    virtual QByteArray altriFileOra() const { return {}; }
    virtual void confermaAltriFile(const QByteArray& stamp) { Q_UNUSED(stamp) }
    // "Duplica": what of the source record stays. False leaves the record as it was.
    virtual bool preparaDuplicato() = 0;
    // Closing: false keeps the editor open.
    virtual bool primaDiChiudere() { return true; }

    // A record was put on screen as number k (0: not in the archive): it is what "changes" are
    // measured against, and `stored` the bytes the archive held (empty for a new record).
    void segnaMostrata(qint64 k, const QByteArray& stored);
    void avvisa(MessageKind kind, const QString& text);
    void accessoNegato(MessageKind kind);
    // The field's own handling when the user leaves it for another control, not when a dialog or
    // another program takes the window's focus; a save also runs it for the field being edited.
    void alLasciare(QLineEdit* field, std::function<void()> exit);
    // The shared commands on `parent`, with the screen's hints on the info bar.
    void buildEditorCommands(QWidget* parent);

    void cmdNuovoClick();
    void cmdDuplicaClick();
    // True when the record is in the archive as it is on screen.
    bool cmdSalvaClick();
    void cmdPrimoClick();
    void cmdIndietroClick();
    void cmdAvantiClick();
    void cmdUltimoClick();
    void cmdEsciClick();
    void btnCodFiscClick();

    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

    const EditorSetup setup_;
    InfoBar* panInfo = nullptr;
    QLabel* lblPosizione = nullptr;
    PictureButton* cmdNuovo = nullptr;
    PictureButton* cmdDuplica = nullptr;
    PictureButton* cmdSalva = nullptr;
    PictureButton* cmdTrova = nullptr;
    PictureButton* cmdAnteprima = nullptr;
    PictureButton* cmdStampa = nullptr;
    PictureButton* cmdPrimo = nullptr;
    PictureButton* cmdIndietro = nullptr;
    PictureButton* cmdAvanti = nullptr;
    PictureButton* cmdUltimo = nullptr;
    PictureButton* cmdEsporta = nullptr;
    PictureButton* cmdGuida = nullptr;
    PictureButton* cmdEsci = nullptr;
    PictureButton* btnCodFisc = nullptr;

private:
    void sfoglia(BrowseCommand command, MessageKind failureKind);
    // Writes the record over number k_ unless another workstation changed it since it was shown;
    // then the user chooses between overwriting and reloading. False when nothing was written.
    bool sovrascrivi(RecordFile& file, const QByteArray& record);
    // Appends the record after controllaInArchivio() agreed, all under the archive's lock: the new
    // record's number, 0 when the check refused (the lock released), -1 when the write failed.
    qint64 aggiungi(RecordFile& file, const QByteArray& record);

    qint64 k_ = 0;
    QByteArray mostrata_; // the screen's record as shown or last saved
    QByteArray caricata_; // the bytes the archive held for record k_ when it was shown or saved
    QList<QPair<QLineEdit*, std::function<void()>>> uscite_;
};

// A record editor over the record type `Record`: its field table mapped onto the record, and the
// record on and off the screen.
template <typename Record>
class RecordEditor : public RecordEditorBase {
public:
    // The record on screen, the way "Salva" stores it (texts as they are now).
    Record scheda() const
    {
        Record r = campi_.record();
        completaScheda(r);
        return r;
    }
    // Puts a record on screen as number k (0: not in the archive): browsing, the searches and
    // lists. Whoever hands a record over asks lasciaScheda() first.
    void mostraScheda(const Record& record, qint64 k)
    {
        mostra(record, k, k > 0 ? encodeRecord(record) : QByteArray());
    }

protected:
    RecordEditor(const QString& name, const QString& caption, EditorSetup setup, std::span<const FieldRow<Record>> rows,
                 std::span<const LabelRow<Record>> labels = {}, const FieldLook& look = {})
        : RecordEditorBase(name, caption, std::move(setup)), campi_(panel(), rows, labels, look)
    {
    }

    // What the screen keeps of the record outside the table (the member's attachments).
    virtual void completaScheda(Record& record) const { Q_UNUSED(record) }
    // The record was put on screen as number k: what the screen shows outside the table.
    virtual void dopoMostra(const Record& record, qint64 k)
    {
        Q_UNUSED(record)
        Q_UNUSED(k)
    }

    QLineEdit* campo(QString Record::*member) const { return campi_.field(member); }
    QLabel* etichetta(QString Record::*member) const { return campi_.label(member); }

    QByteArray registrazione() const override { return encodeRecord(scheda()); }
    std::optional<UnstorableText> nonRegistrabile() const override { return firstUnstorable(scheda()); }
    void mostraRegistrata(const QByteArray& stored, qint64 k) override
    {
        mostra(decodeRecord<Record>(stored), k, stored);
    }
    QByteArray normalizza(const QByteArray& stored) const override
    {
        return encodeRecord(decodeRecord<Record>(stored));
    }
    bool intera(const QByteArray& stored) const override { return recordIsWhole<Record>(stored); }
    FieldTableBase& tabella() override { return campi_; }

    FieldTable<Record> campi_;

private:
    void mostra(const Record& record, qint64 k, const QByteArray& stored)
    {
        campi_.show(record);
        // A text longer than its box shows its beginning; the field being typed into keeps its
        // new text selected, so that typing replaces it.
        for (QLineEdit* f : campi_.fields())
            if (!f->hasSelectedText())
                f->setCursorPosition(0);
        dopoMostra(record, k);
        segnaMostrata(k, stored);
    }
};

} // namespace tavorel
