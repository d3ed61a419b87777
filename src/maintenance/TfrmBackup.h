#pragma once

#include "shell/FixedWindow.h"

#include <QList>

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace tavorel {

struct ArchiveReport;

// The club's data kept safe: a copy of every data file as one ZIP file (by hand, into a folder the
// user picks, and automatically once a day on leaving the program), the restore of such a copy,
// and the check of the archives with the repair of a damaged one. Opened from the main menu.
class TfrmBackup : public FixedDialog {
    Q_OBJECT
public:
    explicit TfrmBackup(QWidget* owner);

    void FormShow() override;

signals:
    // A copy was restored and the dialog closed: the user logs in again, on the data restored.
    void ripristinoEseguito();

private:
    void btnSfogliaClick();
    void btnCopiaClick();
    void chkAutomaticaClick(bool on);
    void btnRipristinaClick();
    void btnVerificaClick();
    void btnRiparaClick();
    void lstArchiviSelectionChange();

    // Fills the list from a check of every archive.
    void mostraVerifica(const QList<ArchiveReport>& reports);
    // While a task runs, no other control can start one.
    void setBusy(bool busy);

    QLineEdit* txtCartella;
    QPushButton* btnSfoglia;
    QPushButton* btnCopia;
    QCheckBox* chkAutomatica;
    QPushButton* btnRipristina;
    QPushButton* btnVerifica;
    QListWidget* lstArchivi;
    QPushButton* btnRipara;
    QPushButton* btnChiudi;
    QLabel* lblEsito;

    bool busy_ = false;
};

} // namespace tavorel
