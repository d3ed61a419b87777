#pragma once

#include "shell/FixedWindow.h"

#include <QImage>

class QLabel;
class QPushButton;

namespace tavorel {

class PictureButton;

// The logo printed on the receipts: shows Logo.bmp (or the default logo), lets the user pick a
// JPEG or bitmap picture, go back to the default logo or choose none (a white picture), and
// stores the choice as Logo.bmp.
class TfrmLogo : public FixedDialog {
    Q_OBJECT
public:
    static constexpr int kLogoWidth = 297;
    static constexpr int kLogoHeight = 184;

    explicit TfrmLogo(QWidget* owner);

    // The picture the dialog holds, as loaded (not scaled to the preview).
    QImage logo() const { return logo_; }

    void FormShow() override;
    void btnSfogliaClick();
    void imgEuroClick();
    void btnCancLogoClick();
    void btnApplicaClick();
    void btnAnnullaClick();

private:
    void mostra(const QImage& picture);

    QImage logo_;

    QLabel* imgTitolo;
    QLabel* imgLogo;
    PictureButton* imgEuro;
    PictureButton* btnCancLogo;
    QPushButton* btnAnnulla;
    QPushButton* btnSfoglia;
    QPushButton* btnApplica;
};

} // namespace tavorel
