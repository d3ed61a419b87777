#pragma once

#include "printing/Report.h"

#include <QImage>

namespace tavorel {

struct TSchedaIscritto;

// The member sheet "Scheda Iscritto": one A4 page with the member's name in a title bar, the photo,
// and 25 labelled boxes with the other fields of the member on the editor's screen.
class MemberSheetTemplate {
public:
    static Report create();

    // Portrait, the photo, and the 26 texts of the editor (trimmed) into the memos named after
    // their controls. The attachments are not printed.
    static void fill(Report& report, const TSchedaIscritto& fields, const QImage& photo);
};

} // namespace tavorel
