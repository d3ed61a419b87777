#pragma once

#include "shell/FixedWindow.h"

class QLabel;
class QPushButton;

namespace tavorel {

class Report;

// The small window in front of a printout: a white card that explains the operation, "Annulla" and
// the confirming button. Confirming builds the filled report, hands it to the print dialog or to
// the preview, and closes; a renderer failure is told with the window's own warning first.
// The receipt and the member sheet each derive their print and preview windows from it.
class ReportDialog : public FixedDialog {
    Q_OBJECT
public:
    enum class Output { Print, Preview };

    struct Texts {
        QString name;         // object name of the window
        QString caption;      // window title
        QString title;        // headline on the card
        QString explanation;  // lines of the card, '\n' between them
        QString actionText;   // the confirming button
        QString failure;      // the warning when the renderer fails
        QString illustration; // SVG resource beside the text; empty for none
    };

    void btnStampaClick();
    void btnAnnullaClick();

protected:
    ReportDialog(QWidget* owner, Output output, const Texts& texts);
    // The template filled with what it is to show; may throw ReportError.
    virtual Report makeReport() = 0;

private:
    Output output_;
    QString failure_;

    QLabel* imgLogo01;
    QPushButton* btnAnnulla;
    QPushButton* btnStampa;
};

} // namespace tavorel
