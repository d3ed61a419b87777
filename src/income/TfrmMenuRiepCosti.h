#pragma once

#include "shell/WorkspaceScreen.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tavorel {

// The income summary query: a year, optionally a payer and a sport, and an interval of days of
// that year picked from drop-down lists. "Visualizza riepilogo" checks them in order and opens the
// summary list over the year's archive. Long-lived; shown from the main menu, it hands back to the
// main menu through mostraMenu, which Application connects.
class TfrmMenuRiepCosti : public WorkspaceScreen {
    Q_OBJECT
public:
    TfrmMenuRiepCosti();

    // Runs every time the screen is shown: filters and interval emptied, the current year, focus
    // on the payer.
    void FormShow() override;
    void btnVisualizzaClick();
    void btnEsciClick();

signals:
    // The screen closed: the main menu is to be shown.
    void mostraMenu();
    // The summary list asked for its help topic.
    void apriGuida();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QComboBox* picker(QWidget* parent, const QString& name, const QStringList& items, int maxLength);
    void copiaAnno();

    QLabel* imgTitolo;
    QLabel* lblCampo01;
    QLabel* titAnno;
    QLineEdit* txtAnno;
    QLabel* titEsecutore;
    QLineEdit* txtEsecutore;
    QLabel* titCCP;
    QLineEdit* txtCCP;
    QLabel* lblCampo02;
    QLabel* lblCampo03;
    QGroupBox* grpDataInizio;
    QComboBox* txtGiornoInizio;
    QComboBox* txtMeseInizio;
    QLabel* lblAnnoInizio;
    QGroupBox* grpDataFine;
    QComboBox* txtGiornoFine;
    QComboBox* txtMeseFine;
    QLabel* lblAnnoFine;
    QPushButton* btnEsci;
    QLabel* lblAttendere;
    QPushButton* btnVisualizza;
    // Hidden state of the last request
    QLabel* lblDataInizio;
    QLabel* lblDataFine;
    QLabel* lblFile;
};

} // namespace tavorel
