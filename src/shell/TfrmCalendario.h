#pragma once

#include "shell/FixedWindow.h"

#include <QList>
#include <QPointer>

class QCalendarWidget;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tavorel {

// The date picker: a month calendar from which a date is taken into the field named by the tag
// the caller opens it with (kept in lblMemory). The caller hands over the fields it may write, by tag.
class TfrmCalendario : public FixedDialog {
    Q_OBJECT
public:
    struct Target {
        QString tag;
        QPointer<QLineEdit> field;
    };

    TfrmCalendario(QWidget* owner, QList<Target> targets);

    // The opening protocol of a date field: a fresh picker, tagged, modal, destroyed after.
    static void open(QWidget* owner, const QString& tag, const QList<Target>& targets);

    void btnImportaDataClick();
    void btnAnnullaClick();

private:
    QList<Target> targets_;

    QLabel* lblMemory;
    QLabel* lblTitolo;
    QCalendarWidget* calAppuntamenti;
    QPushButton* btnAnnulla;
    QPushButton* btnImportaData;
};

} // namespace tavorel
