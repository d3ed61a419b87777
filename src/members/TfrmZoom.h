#pragma once

#include <QDialog>
#include <QImage>

namespace tavorel {

class PhotoView;

// The member's photo enlarged to the screen: at its own size when it fits, reduced otherwise.
// A click on the picture area closes it.
class TfrmZoom : public QDialog {
    Q_OBJECT
public:
    TfrmZoom(QWidget* owner, const QImage& picture);

    // The picture area for a screen of this size: 60 pixels narrower and 90 lower.
    static QSize pictureArea(const QSize& screen);

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void placeArea();

    PhotoView* imgFoto;
};

} // namespace tavorel
