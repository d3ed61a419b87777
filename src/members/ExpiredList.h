#pragma once

#include "lists/ListRows.h"
#include "lists/RowTable.h"
#include "members/MemberTargets.h"
#include "printing/Report.h"
#include "shell/FixedWindow.h"

#include <QDate>
#include <QStringList>

class QPushButton;

namespace tavorel {

class ListPanel;
class RecordFile;
struct ScanDamage;

// What the expired cards list and the expired certificates list share: on show, the members whose
// tested date is before today, sorted; find, print, and a double click that loads the member into
// the member editor. They only read the archive.
class ExpiredList : public FixedDialog {
    Q_OBJECT
public:
    // Whose date a list tests, how it writes a row, what it shows and prints.
    struct Kind {
        QString name;
        QString caption;
        QString banner;
        QString title;
        QString TSchedaIscritto::*date;
        ListRows::Writer row;
    };

    ListPanel* elenco;
    QPushButton* btnChiudi;
    QPushButton* btnStampa;

    void FormShow() override;
    void btnStampaClick();
    void lstRecordsDblClick();

    // The rows of the members whose `date` is before `today`, in file order. A record that is not
    // whole, or whose date cannot be read, is passed over, counted in `damage`, and the rest of the
    // archive examined: the editor saves a member only with both dates picked from the calendar, so
    // a date that does not read (an empty one included) is not what was saved. False on a read
    // failure.
    static bool righeScadute(RecordFile& file, QString TSchedaIscritto::*date, ListRows::Writer row, const QDate& today,
                             RowTable& rows, ScanDamage& damage);

protected:
    ExpiredList(QWidget* owner, const Kind& kind, CaricaIscritto carica);
    void done(int result) override;

private:
    Kind kind_;
    CaricaIscritto carica_;
    Report report_;
};

} // namespace tavorel
