#pragma once

#include "backup/Backup.h"

#include <QPointer>
#include <QString>

class QProgressDialog;
class QWidget;

namespace tavorel {

// The progress of a copy or a restore: a bar with "Annulla" over `parent`, shown only when the
// task takes more than half a second. The task runs on the user-interface thread and reports
// through progress(); while the bar is up, its "Annulla" is the only control the user can press.
class TaskProgress {
public:
    TaskProgress(QWidget* parent, const QString& text);
    ~TaskProgress();
    TaskProgress(const TaskProgress&) = delete;
    TaskProgress& operator=(const TaskProgress&) = delete;

    // The task's report: moves the bar, and returns false once "Annulla" was pressed.
    Progress progress();

private:
    QPointer<QProgressDialog> dialog_;
    int shown_ = -1;
};

} // namespace tavorel
