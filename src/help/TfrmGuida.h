#pragma once

#include "help/HelpTexts.h"
#include "shell/FixedWindow.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QSvgWidget;

namespace tavorel {

class PictureButton;

// The help screen: one topic's title and text, and the link to the manual "Guida.pdf" beside the
// executable. Whoever opens it creates a fresh one, sets the topic, shows it modally and deletes
// it (see mostraGuida).
class TfrmGuida : public FixedDialog {
    Q_OBJECT
public:
    explicit TfrmGuida(QWidget* owner);

    // The topic on screen: its title and its paragraphs as one text.
    void impostaArgomento(const QString& title, const QString& text);

    void lnkWebClick();
    void imgPDFClick();
    void btnChiudiClick();

private:
    QSvgWidget* imgLogo;
    QLabel* lblTitolo;
    QPlainTextEdit* txtGuida;
    PictureButton* imgPDF;
    QLabel* lnkWeb;
    QPushButton* btnChiudi;
};

// Opens the help screen over `owner` on `topic`, modally, and destroys it when it closes.
void mostraGuida(QWidget* owner, HelpTopic topic);

} // namespace tavorel
