#pragma once

#include "shell/WorkspaceScreen.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace tavorel {

class PictureButton;

// The year selection of the receipts app: names the year whose archive the receipt editor works
// on. Long-lived; shown from the main menu, it hands over to the editor ("Apri") or back to the
// main menu (imgEsci, close box) through its signals, which Application connects.
class TfrmMenuRicevute : public WorkspaceScreen {
    Q_OBJECT
public:
    TfrmMenuRicevute();

    // Runs every time the screen is shown: the current year, tag "avvio", focus in the year.
    void FormShow() override;
    void btnApriPreventiviClick();
    // "Dati fiscali": the club's status and the wordings its receipts print.
    void btnAssociazioneClick();
    void imgGuidaClick();
    void imgEsciClick();

signals:
    // A year was opened: the archive file the editor is to work on and the editor's caption.
    void annoAperto(const QString& archivePath, const QString& caption);
    // The screen closed after "Apri": the receipt editor is to be shown.
    void mostraEditor();
    // The screen closed without opening a year: the main menu is to be shown.
    void mostraMenu();
    void apriGuida();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLabel* didascalia(PictureButton* button, const QString& text);

    QLabel* imgTitolo;
    QLabel* lblInfo;
    QLabel* intAnnoPreventivi;
    QLabel* titAnnoPreventivi;
    QLineEdit* txtAnnoPreventivi;
    QPushButton* btnApriPreventivi;
    QPushButton* btnAssociazione;
    PictureButton* imgGuida;
    PictureButton* imgEsci;
    QWidget* imgRicevute; // decorative picture of receipts
    QLabel* lblMemory;
};

} // namespace tavorel
