#include "members/MemberSheetDialog.h"

#include "members/MemberSheetTemplate.h"
#include "shell/Artwork.h"

#include <QLabel>
#include <QPixmap>

namespace tavorel {

MemberSheetDialog::MemberSheetDialog(QWidget* owner, Output output, const Texts& texts, const TSchedaIscritto& fields,
                                     const QImage& photo)
    : ReportDialog(owner, output, texts), fields_(fields), editorPhoto_(photo)
{
    imgLogo = new QLabel(this);
    imgLogo->setObjectName(QStringLiteral("imgLogo"));
    imgLogo->hide();
    imgTemp = new QLabel(this);
    imgTemp->setObjectName(QStringLiteral("imgTemp"));
    imgTemp->setPixmap(QPixmap::fromImage(defaultLogo()));
    imgTemp->hide();
}

void MemberSheetDialog::FormShow()
{
    photo_ = editorPhoto_.isNull() ? imgTemp->pixmap().toImage() : editorPhoto_;
    imgLogo->setPixmap(QPixmap::fromImage(photo_));
}

Report MemberSheetDialog::makeReport()
{
    if (photo_.isNull())
        FormShow();
    Report report = MemberSheetTemplate::create();
    MemberSheetTemplate::fill(report, fields_, photo_);
    return report;
}

} // namespace tavorel
