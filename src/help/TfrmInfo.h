#pragma once

#include "shell/FixedWindow.h"

class QLabel;
class QPushButton;
class QSvgWidget;

namespace tavorel {

class PictureButton;

// The information screen of the main menu: the product logo and the support address, which opens
// a new message in the user's mail program.
class TfrmInfo : public FixedDialog {
    Q_OBJECT
public:
    explicit TfrmInfo(QWidget* owner);

    static const QString kEmailAssistenza;

    void lnkWebClick();
    void imgEmailClick();
    void btnChiudiClick();

private:
    QSvgWidget* imgLogo;
    PictureButton* imgEmail;
    QLabel* lnkWeb;
    QPushButton* btnChiudi;
};

} // namespace tavorel
