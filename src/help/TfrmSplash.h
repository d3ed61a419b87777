#pragma once

#include "shell/FixedWindow.h"

class QLabel;
class QPushButton;
class QSvgWidget;

namespace tavorel {

class PictureButton;

// The credits screen of the main menu: the credits picture and the link to the maker's web site.
class TfrmSplash : public FixedDialog {
    Q_OBJECT
public:
    explicit TfrmSplash(QWidget* owner);

    static const QString kCrediti;

    void lnkWebClick();
    void imgWebClick();
    void btnChiudiClick();

private:
    QSvgWidget* imgLogo;
    PictureButton* imgWeb;
    QLabel* lnkWeb;
    QPushButton* btnChiudi;
};

} // namespace tavorel
