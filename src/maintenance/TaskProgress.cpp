#include "maintenance/TaskProgress.h"

#include <QProgressDialog>

namespace tavorel {

namespace {

constexpr int kSteps = 1000;

} // namespace

TaskProgress::TaskProgress(QWidget* parent, const QString& text)
    : dialog_(new QProgressDialog(text, QStringLiteral("Annulla"), 0, kSteps, parent))
{
    dialog_->setObjectName(QStringLiteral("dlgProgresso"));
    dialog_->setWindowTitle(QStringLiteral(" Tavorel"));
    dialog_->setWindowModality(Qt::WindowModal);
    dialog_->setMinimumDuration(500);
    dialog_->setAutoReset(false);
    dialog_->setMinimumWidth(420);
}

TaskProgress::~TaskProgress()
{
    delete dialog_;
}

Progress TaskProgress::progress()
{
    return [this](qint64 done, qint64 total) {
        if (!dialog_)
            return true;
        const int step = total > 0 ? int(std::min<qint64>(kSteps, done * kSteps / total)) : kSteps;
        // The dialog handles the user's clicks each time it moves: a step at a time is enough.
        if (step != shown_) {
            shown_ = step;
            dialog_->setValue(step);
        }
        return !dialog_->wasCanceled();
    };
}

} // namespace tavorel
