#pragma once

#include "members/MemberSheetDialog.h"

namespace tavorel {

// Shows the member sheet of the member on the editor in the preview window.
class TfrmAnteprimaTiratori : public MemberSheetDialog {
    Q_OBJECT
public:
    TfrmAnteprimaTiratori(QWidget* owner, const TSchedaIscritto& fields, const QImage& photo);
};

} // namespace tavorel
