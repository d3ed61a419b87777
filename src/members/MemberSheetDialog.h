#pragma once

#include "shell/ReportDialog.h"
#include "storage/TSchedaIscritto.h"

#include <QImage>

class QLabel;

namespace tavorel {

// What the member sheet's print and preview windows share: the member's fields and photo as the
// editor shows them when the window opens (saved or not), and the filled sheet.
class MemberSheetDialog : public ReportDialog {
    Q_OBJECT
public:
    void FormShow() override;
    // The picture the sheet will carry.
    QImage photo() const { return photo_; }

protected:
    MemberSheetDialog(QWidget* owner, Output output, const Texts& texts, const TSchedaIscritto& fields,
                      const QImage& photo);
    Report makeReport() override;

private:
    TSchedaIscritto fields_;
    QImage editorPhoto_;
    QImage photo_;

    QLabel* imgLogo; // hidden: the photo the sheet will carry
    QLabel* imgTemp; // hidden: the stand-by picture, for a photo that cannot be taken
};

} // namespace tavorel
