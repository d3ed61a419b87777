#pragma once

#include "members/Attachments.h"
#include "shell/FixedWindow.h"

#include <array>

class QLabel;
class QLineEdit;
class QPushButton;

namespace tavorel {

class PictureButton;

// The attachments window: three slots, each a document name and its description. "Sfoglia..."
// copies the chosen document into the attachments folder at once; the names and descriptions reach
// the member only through "Applica e chiudi" and the member's next save.
class TfrmAllegaCartella : public FixedDialog {
    Q_OBJECT
public:
    // The caller tag of the member editor.
    static inline const QString kModeScheda = QStringLiteral("tiratori");

    explicit TfrmAllegaCartella(QWidget* owner);

    void setMode(const QString& tag);
    // The member's record number (0 for a member not saved yet): a document in the folder that
    // another record names is never copied over.
    void setRecordNumber(qint64 k) { recordNo_ = k; }
    // The slots as the window shows them; a stored name is shown as the file name it stands for.
    void setValues(const AttachmentSlots& values);
    // The six texts, trimmed.
    AttachmentSlots values() const;

    void btnSfogliaClick(int slot);
    void imgCancellaClick(int slot);
    void btnApriClick(int slot);
    void btnApplicaClick();
    void btnAnnullaClick();

private:
    void txtFileChange(int slot);
    // Whether a name can be stored in the record as it is; the user is told when it cannot.
    bool nomeAccettabile(const QString& name);
    // Whether the name is one of this member's own documents (as the window was opened or now).
    bool nomeProprio(const QString& name) const;

    qint64 recordNo_ = 0;
    AttachmentSlots iniziali_;

    QLabel* lblMemory;                         // hidden: the caller tag
    std::array<QLineEdit*, 3> txtFile;         // txtFile01 ... txtFile03
    std::array<PictureButton*, 3> imgCancella; // imgCancella01 ...
    std::array<QPushButton*, 3> btnSfoglia;    // btnSfoglia01 ...
    std::array<QPushButton*, 3> btnApri;       // btnApri01 ...
    std::array<QLineEdit*, 3> txtDesc;         // txtDesc01 ...
    QPushButton* btnAnnulla;
    QPushButton* btnApplica;
};

} // namespace tavorel
