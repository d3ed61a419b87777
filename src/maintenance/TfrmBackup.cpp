#include "maintenance/TfrmBackup.h"

#include "backup/ArchiveCheck.h"
#include "backup/Backup.h"
#include "backup/BackupSettings.h"
#include "backup/DataFiles.h"
#include "backup/Restore.h"
#include "maintenance/TaskProgress.h"
#include "shell/Colors.h"
#include "shell/Platform.h"
#include "shell/ScreenLook.h"
#include "storage/Messages.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScopeGuard>
#include <QVBoxLayout>

namespace tavorel {

namespace {

// The list's rows keep the name of the file they tell of, and whether it can be repaired.
constexpr int kFileRole = Qt::UserRole;
constexpr int kRepairRole = Qt::UserRole + 1;
// Numbers of damaged records shown in a row before "...".
constexpr int kNumbersShown = 12;

QString plural(qint64 n, const QString& one, const QString& many)
{
    return QStringLiteral("%1 %2").arg(n).arg(n == 1 ? one : many);
}

// One row of the check: the file, its records, and what is not whole.
QString reportText(const ArchiveReport& r)
{
    if (!r.readable)
        return QStringLiteral("%1: il file non può essere letto").arg(r.name);
    QString text =
        QStringLiteral("%1: %2").arg(r.name, plural(r.records, QStringLiteral("scheda"), QStringLiteral("schede")));
    if (r.damaged.isEmpty() && r.tailBytes == 0)
        return text + QStringLiteral(", tutte integre");
    if (!r.damaged.isEmpty()) {
        QStringList numbers;
        for (qsizetype i = 0; i < r.damaged.size() && i < kNumbersShown; ++i)
            numbers.append(QString::number(r.damaged[i]));
        if (r.damaged.size() > kNumbersShown)
            numbers.append(QStringLiteral("..."));
        text += QStringLiteral(", %1 (n. %2)")
                    .arg(plural(r.damaged.size(), QStringLiteral("danneggiata"), QStringLiteral("danneggiate")),
                         numbers.join(QStringLiteral(", ")));
    }
    if (r.tailBytes > 0)
        text += QStringLiteral(", ultima scheda incompleta");
    return text;
}

QFrame* section(QWidget* parent, const QString& name, const QString& title, const QString& explanation,
                QVBoxLayout*& rows)
{
    QFrame* card = look::card(parent, name);
    rows = new QVBoxLayout(card);
    rows->setContentsMargins(14, 10, 14, 12);
    rows->setSpacing(8);
    QLabel* heading = look::label(card, title, 11, true);
    heading->setStyleSheet(colors::textColor(colors::kTitleBlue));
    rows->addWidget(heading);
    QLabel* text = look::label(card, explanation, 9);
    text->setWordWrap(true);
    text->setStyleSheet(colors::textColor(colors::kLabelText));
    rows->addWidget(text);
    return card;
}

} // namespace

TfrmBackup::TfrmBackup(QWidget* owner)
    : FixedDialog(owner, QStringLiteral("frmBackup"), QStringLiteral(" Tavorel - Copie di sicurezza"), QSize(660, 640))
{
    // The copy
    QVBoxLayout* copyRows = nullptr;
    QFrame* copia = section(this, QStringLiteral("panCopia"), QStringLiteral("Copia di sicurezza"),
                            QStringLiteral("Crea un unico file ZIP con gli archivi delle ricevute e degli iscritti, "
                                           "le impostazioni, la password, il logo, le foto e i documenti allegati. "
                                           "Conservarlo fuori da questo computer: una chiavetta USB, un disco "
                                           "esterno, una cartella di rete."),
                            copyRows);
    auto* folderRow = new QHBoxLayout;
    folderRow->setSpacing(8);
    folderRow->addWidget(look::label(copia, QStringLiteral("Cartella:"), 9));
    txtCartella = new QLineEdit(copia);
    txtCartella->setObjectName(QStringLiteral("txtCartella"));
    txtCartella->setReadOnly(true);
    txtCartella->setFont(look::font(QStringLiteral("Verdana"), 9, true));
    folderRow->addWidget(txtCartella, 1);
    btnSfoglia = look::button(copia, QStringLiteral("btnSfoglia"), QStringLiteral("Sfoglia..."));
    folderRow->addWidget(btnSfoglia);
    copyRows->addLayout(folderRow);
    auto* copyRow = new QHBoxLayout;
    chkAutomatica =
        new QCheckBox(QStringLiteral("Copia automatica una volta al giorno, all'uscita dal programma"), copia);
    chkAutomatica->setObjectName(QStringLiteral("chkAutomatica"));
    chkAutomatica->setFont(look::font(QStringLiteral("Verdana"), 9));
    chkAutomatica->setCursor(Qt::PointingHandCursor);
    chkAutomatica->setToolTip(QStringLiteral("Le copie automatiche vanno nella cartella \"%1\" del programma; "
                                             "vengono conservate le ultime %2.")
                                  .arg(kBackupFolderName)
                                  .arg(kAutomaticCopiesKept));
    copyRow->addWidget(chkAutomatica, 1);
    btnCopia = look::button(copia, QStringLiteral("btnCopia"), QStringLiteral("Crea copia"));
    btnCopia->setMinimumWidth(130);
    copyRow->addWidget(btnCopia);
    copyRows->addLayout(copyRow);

    // The restore
    QVBoxLayout* restoreRows = nullptr;
    QFrame* ripristino = section(this, QStringLiteral("panRipristino"), QStringLiteral("Ripristino"),
                                 QStringLiteral("Sostituisce tutti i dati del programma con quelli di una copia di "
                                                "sicurezza. Prima del ripristino viene fatta una copia dei dati "
                                                "presenti; al termine occorre accedere di nuovo al programma."),
                                 restoreRows);
    btnRipristina = look::button(ripristino, QStringLiteral("btnRipristina"), QStringLiteral("Ripristina"));
    btnRipristina->setMinimumWidth(130);
    restoreRows->addWidget(btnRipristina, 0, Qt::AlignRight);

    // The check of the archives
    QVBoxLayout* checkRows = nullptr;
    QFrame* verifica = section(this, QStringLiteral("panVerifica"), QStringLiteral("Controllo degli archivi"),
                               QStringLiteral("Legge ogni scheda degli archivi delle ricevute e dell'archivio "
                                              "iscritti e segnala quelle danneggiate. Un archivio danneggiato può "
                                              "essere riparato senza perdere le schede integre."),
                               checkRows);
    lstArchivi = new QListWidget(verifica);
    lstArchivi->setObjectName(QStringLiteral("lstArchivi"));
    lstArchivi->setFont(look::font(QStringLiteral("Verdana"), 9));
    lstArchivi->setSelectionMode(QAbstractItemView::SingleSelection);
    lstArchivi->setWordWrap(true);
    checkRows->addWidget(lstArchivi, 1);
    auto* checkButtons = new QHBoxLayout;
    lblEsito = look::label(verifica, QString(), 9, true, QStringLiteral("lblEsito"));
    lblEsito->setWordWrap(true);
    checkButtons->addWidget(lblEsito, 1);
    btnVerifica = look::button(verifica, QStringLiteral("btnVerifica"), QStringLiteral("Verifica archivi"));
    btnVerifica->setMinimumWidth(130);
    btnRipara = look::button(verifica, QStringLiteral("btnRipara"), QStringLiteral("Ripara"));
    btnRipara->setEnabled(false);
    checkButtons->addWidget(btnVerifica);
    checkButtons->addWidget(btnRipara);
    checkRows->addLayout(checkButtons);

    btnChiudi = look::button(this, QStringLiteral("btnChiudi"), QStringLiteral("Chiudi"));
    look::stackWindow(this, {copia, ripristino, verifica}, {}, {btnChiudi});

    connect(btnSfoglia, &QPushButton::clicked, this, &TfrmBackup::btnSfogliaClick);
    connect(btnCopia, &QPushButton::clicked, this, &TfrmBackup::btnCopiaClick);
    connect(chkAutomatica, &QCheckBox::clicked, this, &TfrmBackup::chkAutomaticaClick);
    connect(btnRipristina, &QPushButton::clicked, this, &TfrmBackup::btnRipristinaClick);
    connect(btnVerifica, &QPushButton::clicked, this, &TfrmBackup::btnVerificaClick);
    connect(btnRipara, &QPushButton::clicked, this, &TfrmBackup::btnRiparaClick);
    connect(lstArchivi, &QListWidget::itemSelectionChanged, this, &TfrmBackup::lstArchiviSelectionChange);
    connect(btnChiudi, &QPushButton::clicked, this, &QDialog::reject);

    setTabOrder(btnSfoglia, btnCopia);
    setTabOrder(btnCopia, chkAutomatica);
    setTabOrder(chkAutomatica, btnRipristina);
    setTabOrder(btnRipristina, btnVerifica);
    setTabOrder(btnVerifica, lstArchivi);
    setTabOrder(lstArchivi, btnRipara);
    setTabOrder(btnRipara, btnChiudi);
}

void TfrmBackup::FormShow()
{
    const QString folder = platform().programFolder();
    txtCartella->setText(QDir::toNativeSeparators(BackupSettings::folder(folder)));
    chkAutomatica->setChecked(BackupSettings::automatic(folder));
    btnCopia->setFocus();
}

void TfrmBackup::setBusy(bool busy)
{
    busy_ = busy;
    for (QWidget* w :
         {static_cast<QWidget*>(btnSfoglia), static_cast<QWidget*>(btnCopia), static_cast<QWidget*>(chkAutomatica),
          static_cast<QWidget*>(btnRipristina), static_cast<QWidget*>(btnVerifica), static_cast<QWidget*>(btnChiudi)})
        w->setEnabled(!busy);
    btnRipara->setEnabled(!busy && lstArchivi->currentItem() && lstArchivi->currentItem()->data(kRepairRole).toBool());
}

void TfrmBackup::btnSfogliaClick()
{
    const QString program = platform().programFolder();
    const QString chosen = platform().chooseFolder(this, QStringLiteral("Cartella delle copie di sicurezza"),
                                                   QDir::fromNativeSeparators(txtCartella->text()));
    if (chosen.isEmpty())
        return;
    const QString folder = QDir::cleanPath(QDir::fromNativeSeparators(chosen));
    // The photo and attachment folders are part of every copy: a copy kept there would be copied
    // into the next one, and so on.
    const QString canonical = QFileInfo(folder).canonicalFilePath();
    for (const QString& data : {kPhotoFolder, kAttachmentFolder}) {
        const QString inside = QFileInfo(QDir(program).filePath(data)).canonicalFilePath();
        if (!inside.isEmpty() && !canonical.isEmpty() &&
            (canonical == inside || canonical.startsWith(inside + QLatin1Char('/')))) {
            platform().message(this, MessageKind::Warning, kMsgCartellaCopieNonAmmessa);
            return;
        }
    }
    if (!BackupSettings::setFolder(program, folder)) {
        platform().message(this, MessageKind::Error, kMsgAccessoArchivio);
        return;
    }
    txtCartella->setText(QDir::toNativeSeparators(folder));
}

void TfrmBackup::btnCopiaClick()
{
    if (busy_)
        return;
    const QString program = platform().programFolder();
    const QString folder = QDir::fromNativeSeparators(txtCartella->text());
    // The program's own copies folder is made when missing; a folder the user chose must be there.
    const bool own = QDir::cleanPath(folder) == QDir::cleanPath(defaultBackupFolder(program));
    if (!own && !QFileInfo(folder).isDir()) {
        platform().message(this, MessageKind::Warning, msgCartellaCopieAssente(txtCartella->text()));
        return;
    }
    setBusy(true);
    const auto idle = qScopeGuard([this] { setBusy(false); });
    BackupOutcome outcome;
    {
        TaskProgress progress(this, QStringLiteral("Creazione della copia di sicurezza in corso..."));
        outcome = makeBackup(program, folder, platform().now(), CopyKind::ByHand, own, progress.progress());
    }
    switch (outcome.status) {
    case BackupOutcome::Done:
        platform().message(
            this, MessageKind::Information,
            msgCopiaCreata(QDir::toNativeSeparators(outcome.path), backupSizeText(outcome.bytes), outcome.files));
        break;
    case BackupOutcome::NothingToCopy:
        platform().message(this, MessageKind::Warning, kMsgNienteDaCopiare);
        break;
    case BackupOutcome::Cancelled:
        break;
    case BackupOutcome::Failed:
        platform().message(this, MessageKind::Error, kMsgAccessoArchivio);
        break;
    }
}

void TfrmBackup::chkAutomaticaClick(bool on)
{
    if (!BackupSettings::setAutomatic(platform().programFolder(), on)) {
        platform().message(this, MessageKind::Error, kMsgAccessoArchivio);
        chkAutomatica->setChecked(!on);
    }
}

void TfrmBackup::btnRipristinaClick()
{
    if (busy_)
        return;
    const QString program = platform().programFolder();
    const QString zip = platform().chooseOpenFile(this, QStringLiteral("Copia di sicurezza da ripristinare"),
                                                  {QStringLiteral("Copie di sicurezza di Tavorel (*.zip)")});
    if (zip.isEmpty())
        return;
    const CopyContents contents = inspectCopy(zip, program);
    switch (contents.status) {
    case CopyContents::Ok:
        break;
    case CopyContents::Unsafe:
        platform().message(this, MessageKind::Error, msgCopiaPercorsoVietato(contents.offending));
        return;
    case CopyContents::NoRoom:
        platform().message(this, MessageKind::Error, kMsgSpazioInsufficiente);
        return;
    case CopyContents::NotAZip:
    case CopyContents::NotTavorel:
        platform().message(this, MessageKind::Error, kMsgCopiaNonValida);
        return;
    }
    const QString date = contents.made.isValid() ? contents.made.toString(QStringLiteral("dd/MM/yyyy")) : QString();
    const QString time = contents.made.isValid() ? contents.made.toString(QStringLiteral("HH:mm")) : QString();
    if (platform().message(this, MessageKind::Confirmation,
                           msgConfermaRipristino(date, time, copyContentsText(contents))) != Answer::Yes)
        return;

    setBusy(true);
    const auto idle = qScopeGuard([this] { setBusy(false); });
    // First the present state, as a copy by hand: whatever the restore does, it can be undone.
    const QString folder = QDir::fromNativeSeparators(txtCartella->text());
    const bool own = QDir::cleanPath(folder) == QDir::cleanPath(defaultBackupFolder(program));
    if (!own && !QFileInfo(folder).isDir()) {
        platform().message(this, MessageKind::Warning, msgCartellaCopieAssente(txtCartella->text()));
        return;
    }
    BackupOutcome before;
    {
        TaskProgress progress(this, QStringLiteral("Copia dei dati presenti prima del ripristino..."));
        before = makeBackup(program, folder, platform().now(), CopyKind::ByHand, own, progress.progress());
    }
    if (before.status == BackupOutcome::Cancelled)
        return;
    // A folder with no archive yet has nothing to lose; anything else must be copied first.
    if (before.status != BackupOutcome::Done && before.status != BackupOutcome::NothingToCopy) {
        platform().message(this, MessageKind::Error, kMsgAccessoArchivio);
        return;
    }
    RestoreOutcome restored;
    {
        TaskProgress progress(this, QStringLiteral("Ripristino della copia di sicurezza in corso..."));
        restored = restoreCopy(zip, program, progress.progress());
    }
    const QString safety = before.path.isEmpty() ? QString() : QDir::toNativeSeparators(before.path);
    switch (restored.status) {
    case RestoreOutcome::Done:
        platform().message(this, MessageKind::Information,
                           safety.isEmpty() ? kMsgRipristinoCompletatoSenzaCopia : msgRipristinoCompletato(safety));
        accept();
        emit ripristinoEseguito();
        return;
    case RestoreOutcome::Cancelled:
        return;
    case RestoreOutcome::Refused:
        // The copy changed between the question and the restore.
        platform().message(this, MessageKind::Error, kMsgCopiaNonValida);
        return;
    case RestoreOutcome::Failed:
        platform().message(this, MessageKind::Error, kMsgAccessoArchivio);
        return;
    case RestoreOutcome::Unfinished:
        platform().message(this, MessageKind::Error, msgRipristinoIncompleto(safety));
        return;
    }
}

void TfrmBackup::btnVerificaClick()
{
    if (busy_)
        return;
    setBusy(true);
    const auto idle = qScopeGuard([this] { setBusy(false); });
    mostraVerifica(checkArchives(platform().programFolder()));
}

void TfrmBackup::mostraVerifica(const QList<ArchiveReport>& reports)
{
    lstArchivi->clear();
    int damaged = 0;
    for (const ArchiveReport& r : reports) {
        auto* item = new QListWidgetItem(reportText(r), lstArchivi);
        item->setData(kFileRole, r.name);
        item->setData(kRepairRole, r.needsRepair());
        if (r.needsRepair() || !r.readable) {
            item->setForeground(colors::kRed);
            ++damaged;
        }
    }
    if (reports.isEmpty())
        lblEsito->setText(QStringLiteral("Nella cartella del programma non c'è nessun archivio."));
    else if (damaged == 0)
        lblEsito->setText(QStringLiteral("Tutti gli archivi sono integri."));
    else
        lblEsito->setText(QStringLiteral("Selezionare un archivio danneggiato e premere Ripara."));
    lblEsito->setStyleSheet(colors::textColor(damaged == 0 ? colors::kDarkCyan : colors::kRed));
    // The first damaged archive is ready to be repaired.
    for (int i = 0; i < lstArchivi->count(); ++i) {
        if (lstArchivi->item(i)->data(kRepairRole).toBool()) {
            lstArchivi->setCurrentRow(i);
            break;
        }
    }
    lstArchiviSelectionChange();
}

void TfrmBackup::lstArchiviSelectionChange()
{
    QListWidgetItem* item = lstArchivi->currentItem();
    btnRipara->setEnabled(!busy_ && item && item->isSelected() && item->data(kRepairRole).toBool());
}

void TfrmBackup::btnRiparaClick()
{
    QListWidgetItem* item = lstArchivi->currentItem();
    if (busy_ || !item || !item->data(kRepairRole).toBool())
        return;
    const QString program = platform().programFolder();
    const QString name = item->data(kFileRole).toString();
    const QDate today = platform().today();
    if (platform().message(this, MessageKind::Confirmation,
                           msgConfermaRiparazione(name, damagedCopyName(name, today))) != Answer::Yes)
        return;
    setBusy(true);
    const auto idle = qScopeGuard([this] { setBusy(false); });
    const RepairOutcome outcome = repairArchive(program, name, today);
    if (!outcome.done) {
        platform().message(this, MessageKind::Error, kMsgAccessoArchivio);
        return;
    }
    platform().message(this, MessageKind::Information, msgArchivioRiparato(name, outcome.blanked, outcome.keptAs));
    mostraVerifica(checkArchives(program));
}

} // namespace tavorel
