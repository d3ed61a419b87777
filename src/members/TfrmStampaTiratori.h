#pragma once

#include "members/MemberSheetDialog.h"

namespace tavorel {

// Prints the member sheet of the member on the editor through the print dialog.
class TfrmStampaTiratori : public MemberSheetDialog {
    Q_OBJECT
public:
    TfrmStampaTiratori(QWidget* owner, const TSchedaIscritto& fields, const QImage& photo);
};

} // namespace tavorel
