#include "members/TfrmAllegaCartella.h"

#include "members/SourceFile.h"
#include "rules/TextRules.h"
#include "shell/Artwork.h"
#include "shell/Colors.h"
#include "shell/PictureButton.h"
#include "shell/Platform.h"
#include "shell/ScreenLook.h"
#include "shell/TextGuard.h"
#include "storage/Cp1252.h"
#include "storage/LinkGuard.h"
#include "storage/Messages.h"
#include "storage/RecordLayout.h"
#include "storage/TSchedaIscritto.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

namespace tavorel {

namespace {

QString numbered(const char* prefix, int slot)
{
    return QLatin1String(prefix) + QStringLiteral("%1").arg(slot + 1, 2, 10, QLatin1Char('0'));
}

QFont verdana(int points, bool bold)
{
    QFont f(QStringLiteral("Verdana"));
    f.setPointSize(points);
    f.setBold(bold);
    return f;
}

} // namespace

TfrmAllegaCartella::TfrmAllegaCartella(QWidget* owner)
    : FixedDialog(owner, QStringLiteral("frmAllegaCartella"), QStringLiteral(" Allega file"), QSize(640, 560), false)
{
    lblMemory = new QLabel(this);
    lblMemory->setObjectName(QStringLiteral("lblMemory"));
    lblMemory->hide();

    // The instructions beside a paper clip.
    auto* head = look::card(this, QStringLiteral("panIstruzioni"));
    auto* clip = new QLabel(head);
    clip->setObjectName(QStringLiteral("imgGraffetta"));
    clip->setPixmap(QPixmap::fromImage(renderArtwork(QStringLiteral(":/assets/allegati.svg"), QSize(56, 56))));
    auto* istruzioni = look::label(head,
                                   QStringLiteral("Scegliere i documenti da allegare con \"Sfoglia...\".\n"
                                                  "Premere \"Applica e chiudi\" e poi Salva nella scheda per "
                                                  "conservare le modifiche.\n"
                                                  "Premere \"Apri\" per aprire un file allegato."),
                                   9, false, QStringLiteral("imgIstruzioni"));
    istruzioni->setWordWrap(true);
    auto* headLayout = new QHBoxLayout(head);
    headLayout->setContentsMargins(12, 8, 12, 8);
    headLayout->setSpacing(12);
    headLayout->addWidget(clip, 0, Qt::AlignTop);
    headLayout->addWidget(istruzioni, 1);

    QList<QWidget*> content{head};
    QWidget* previous = nullptr;
    for (int n = 0; n < 3; ++n) {
        auto* panel = new QFrame(this);
        panel->setObjectName(numbered("panFile", n));
        panel->setAttribute(Qt::WA_StyledBackground);
        panel->setStyleSheet(QStringLiteral("QFrame#%1 { background: %2; border: 1px solid %3; border-radius: 6px; }")
                                 .arg(panel->objectName(), colors::kAliceBlue.name(), colors::kPanelBorder.name()));

        auto* nameLabel = look::label(panel, QStringLiteral("Nome %1° file allegato:").arg(n + 1), 12);
        txtFile[n] = new QLineEdit(panel);
        txtFile[n]->setObjectName(numbered("txtFile", n));
        txtFile[n]->setReadOnly(true);
        txtFile[n]->setFont(verdana(10, true));
        txtFile[n]->setStyleSheet(QStringLiteral("QLineEdit { color: %1; background: %2; }")
                                      .arg(colors::kReadOnlyText.name(), colors::kReadOnlyBack.name()));
        imgCancella[n] =
            new PictureButton(numbered("imgCancella", n), QStringLiteral(":/assets/logo_gomma.svg"), panel);
        imgCancella[n]->setFixedSize(28, 28);
        imgCancella[n]->setToolTip(QStringLiteral("Cancella il nome del file"));
        btnSfoglia[n] = look::button(panel, numbered("btnSfoglia", n), QStringLiteral("Sfoglia..."));
        btnApri[n] = look::button(panel, numbered("btnApri", n), QStringLiteral("Apri"));
        btnApri[n]->setMinimumWidth(70);
        btnApri[n]->setEnabled(false);
        auto* descLabel = look::label(panel, QStringLiteral("Descrizione %1° file allegato:").arg(n + 1), 12);
        txtDesc[n] = new QLineEdit(panel);
        txtDesc[n]->setObjectName(numbered("txtDesc", n));
        // No more than the record holds: a longer description would be cut at the save.
        txtDesc[n]->setMaxLength(findField<TSchedaIscritto>(u"Desc01")->capacity);
        txtDesc[n]->setFont(verdana(12, true));
        TextGuard::install(txtDesc[n]);

        auto* grid = new QGridLayout(panel);
        grid->setContentsMargins(12, 8, 12, 10);
        grid->setHorizontalSpacing(8);
        grid->setVerticalSpacing(4);
        grid->addWidget(nameLabel, 0, 0, 1, 4);
        grid->addWidget(txtFile[n], 1, 0);
        grid->addWidget(imgCancella[n], 1, 1);
        grid->addWidget(btnSfoglia[n], 1, 2);
        grid->addWidget(btnApri[n], 1, 3);
        grid->addWidget(descLabel, 2, 0, 1, 4);
        grid->addWidget(txtDesc[n], 3, 0, 1, 4);
        grid->setColumnStretch(0, 1);
        content.append(panel);

        for (QWidget* w : {static_cast<QWidget*>(txtFile[n]), static_cast<QWidget*>(btnSfoglia[n]),
                           static_cast<QWidget*>(btnApri[n]), static_cast<QWidget*>(txtDesc[n])}) {
            if (previous)
                setTabOrder(previous, w);
            previous = w;
        }

        connect(btnSfoglia[n], &QPushButton::clicked, this, [this, n] { btnSfogliaClick(n); });
        connect(imgCancella[n], &PictureButton::clicked, this, [this, n] { imgCancellaClick(n); });
        connect(btnApri[n], &QPushButton::clicked, this, [this, n] { btnApriClick(n); });
        connect(txtFile[n], &QLineEdit::textChanged, this, [this, n] { txtFileChange(n); });
    }

    btnAnnulla = look::button(this, QStringLiteral("btnAnnulla"), QStringLiteral("Annulla"));
    btnApplica = look::button(this, QStringLiteral("btnApplica"), QStringLiteral("Applica e chiudi"));
    btnApplica->setMinimumWidth(140);
    setTabOrder(previous, btnApplica);
    setTabOrder(btnApplica, btnAnnulla);
    connect(btnAnnulla, &QPushButton::clicked, this, &TfrmAllegaCartella::btnAnnullaClick);
    connect(btnApplica, &QPushButton::clicked, this, &TfrmAllegaCartella::btnApplicaClick);

    content.append(new QWidget(this)); // the spare height goes below the three slots
    look::stackWindow(this, content, {}, {btnAnnulla, btnApplica});
}

void TfrmAllegaCartella::setMode(const QString& tag)
{
    lblMemory->setText(tag);
}

void TfrmAllegaCartella::setValues(const AttachmentSlots& values)
{
    iniziali_ = values;
    for (int n = 0; n < 3; ++n) {
        txtFile[n]->setText(attachmentFileName(values.files[n]));
        txtDesc[n]->setText(TrimSpazi(values.descriptions[n]));
        txtFileChange(n); // also when the text did not change
    }
}

AttachmentSlots TfrmAllegaCartella::values() const
{
    AttachmentSlots v;
    for (int n = 0; n < 3; ++n) {
        v.files[n] = TrimSpazi(txtFile[n]->text());
        v.descriptions[n] = TrimSpazi(txtDesc[n]->text());
    }
    return v;
}

void TfrmAllegaCartella::txtFileChange(int slot)
{
    btnApri[slot]->setEnabled(!TrimSpazi(txtFile[slot]->text()).isEmpty());
}

bool TfrmAllegaCartella::nomeAccettabile(const QString& name)
{
    for (const char32_t c : name.toUcs4()) {
        if (c < 0x20 || cp1252Byte(c) < 0) {
            platform().message(this, MessageKind::Warning, kMsgAllegatoNomeCarattere.arg(QString::fromUcs4(&c, 1)));
            return false;
        }
    }
    // A name cut to the field would no longer find its file.
    if (name.size() > attachmentNameCapacity()) {
        platform().message(this, MessageKind::Warning, kMsgAllegatoNomeLungo.arg(attachmentNameCapacity()));
        return false;
    }
    return true;
}

bool TfrmAllegaCartella::nomeProprio(const QString& name) const
{
    const QString folded = name.toLower();
    for (int n = 0; n < 3; ++n)
        if (attachmentFileName(iniziali_.files[n]).toLower() == folded ||
            attachmentFileName(txtFile[n]->text()).toLower() == folded)
            return true;
    return false;
}

void TfrmAllegaCartella::btnSfogliaClick(int slot)
{
    const QString source = platform().chooseOpenFile(this, QStringLiteral("Selezionare il file da allegare:"),
                                                     {QStringLiteral("Tutti i file (*)")});
    if (source.isEmpty())
        return; // a cancelled choice leaves the slot and the folder as they were
    QString name = TrimSpazi(QFileInfo(source).fileName());
    if (!nomeAccettabile(name))
        return;

    const QString programFolder = platform().programFolder();
    const QString folder = attachmentFolder(programFolder);
    const auto refuse = [this] { platform().message(this, MessageKind::Warning, kMsgAllegatoNonCopiato); };
    // Only a regular file is copied (a pipe would never end), and never through a link.
    QFile probe;
    if (!openRegularFile(probe, source) || passesThroughLink(programFolder, QDir(folder).filePath(name)) ||
        !QDir().mkpath(folder) || passesThroughLink(programFolder, QDir(folder).filePath(name))) {
        refuse();
        return;
    }
    probe.close();

    QString destination = QDir(folder).filePath(name);
    const bool sameFile = QFileInfo(source).canonicalFilePath() == QFileInfo(destination).canonicalFilePath();
    if (!sameFile) {
        QSet<QString> altri;
        const bool letti = attachmentNamesOfOthers(programFolder, recordNo_, altri);
        const bool esiste = QFileInfo::exists(destination) || QFileInfo(destination).isSymLink();
        const bool altrui = !letti || altri.contains(name.toLower());
        if (esiste && !altrui && nomeProprio(name)) {
            // The member's own document: replaced only when the user says so; "No" keeps the
            // document already in the folder.
            if (platform().message(this, MessageKind::Confirmation, kMsgAllegatoSovrascrivi) != Answer::Yes) {
                txtFile[slot]->setText(name);
                return;
            }
        } else if (esiste || altrui) {
            // Another member's document, or one nobody's record names: kept, and this copy gets a
            // name of its own.
            const QString libero = freeAttachmentName(folder, name, altri);
            if (libero.isEmpty()) {
                platform().message(this, MessageKind::Warning, kMsgAllegatoNomeLungo.arg(attachmentNameCapacity()));
                return;
            }
            name = libero;
            destination = QDir(folder).filePath(name);
            if (passesThroughLink(programFolder, destination)) {
                refuse();
                return;
            }
        }
    }
    if (!copyAttachment(source, destination)) {
        // The slot must not name a document that is not in the folder.
        refuse();
        return;
    }
    txtFile[slot]->setText(name);
    if (QFileInfo(destination).fileName() != TrimSpazi(QFileInfo(source).fileName()))
        platform().message(this, MessageKind::Information, kMsgAllegatoRinominato.arg(name));
}

void TfrmAllegaCartella::imgCancellaClick(int slot)
{
    // The description stays and no file is deleted.
    txtFile[slot]->clear();
}

void TfrmAllegaCartella::btnApriClick(int slot)
{
    const QString path = attachmentPath(platform().programFolder(), txtFile[slot]->text());
    if (!path.isEmpty())
        openOnDesktop(this, QDir::toNativeSeparators(path));
}

void TfrmAllegaCartella::btnApplicaClick()
{
    if (lblMemory->text() == kModeScheda)
        accept();
}

void TfrmAllegaCartella::btnAnnullaClick()
{
    reject();
}

} // namespace tavorel
