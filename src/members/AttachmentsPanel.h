#pragma once

#include "members/Attachments.h"

#include <QWidget>

#include <array>

class QLabel;

namespace tavorel {

struct TSchedaIscritto;

// The attachments of the member on the editor: three file names and descriptions held in hidden
// labels, edited in the attachments window that open() shows. Like the photo panel it meets the
// record in two places only: load() when a record is shown, store() when it is saved.
// The panel itself is never visible; the editor's "Allega file" button calls open().
class AttachmentsPanel : public QWidget {
    Q_OBJECT
public:
    explicit AttachmentsPanel(QWidget* parent = nullptr);

    void load(const TSchedaIscritto& record);
    void store(TSchedaIscritto& record) const;
    // No attachments: a cleared or duplicated screen.
    void clear();
    AttachmentSlots values() const;
    void setValues(const AttachmentSlots& v);

    // The attachments window over the editor, for the member of record k (0: not saved yet);
    // "Applica e chiudi" brings its values back here.
    void open(qint64 recordNo);

private:
    std::array<QLabel*, 3> lblFile; // lblFile01 ... lblFile03
    std::array<QLabel*, 3> lblDesc; // lblDesc01 ... lblDesc03
};

} // namespace tavorel
