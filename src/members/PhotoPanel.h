#pragma once

#include <QImage>
#include <QLabel>
#include <QWidget>

namespace tavorel {

class InfoBar;
class PhotoView;
class PictureButton;

// The member's photo beside the editor's fields: the photo box and the five photo buttons under it.
// The photo is not part of the record; the editor ties it to the record in two places only:
// load(k) when a record is shown, save(k) after the record was written. Everything else (loading a
// file, the webcam, exporting, removing, zooming) happens inside the panel.
class PhotoPanel : public QWidget {
    Q_OBJECT
public:
    // The photo box's own size: pictures are held at their size and drawn to fit it.
    static constexpr QSize kBoxSize{307, 394};

    explicit PhotoPanel(QWidget* parent = nullptr);

    PhotoView* imgFoto;
    QLabel* imgBianco; // hidden: the placeholder silhouette
    PictureButton* btnCaricaFoto;
    PictureButton* btnWebcam;
    PictureButton* btnSalvaFoto;
    PictureButton* btnCancFoto;
    PictureButton* btnZoomFoto;

    // The picture in the box: the member's photo or the placeholder, never null.
    QImage picture() const;
    // A null picture puts the placeholder in the box.
    void setPicture(const QImage& picture);
    // The placeholder: a cleared or duplicated screen.
    void clear();
    bool showsPlaceholder() const;

    // Record k was shown: its photo file, or the placeholder when there is none or it cannot be read.
    void load(int recordNo);
    // Record k was written: the box becomes its photo file. When the file cannot be written the user
    // is told once and the box keeps its picture, so saving the record again retries.
    bool save(int recordNo);

    // The buttons' explanations on the owner's info bar.
    void attachInfoBar(InfoBar* bar);

    void btnCaricaFotoClick();
    void btnWebcamClick();
    void btnSalvaFotoClick();
    void btnCancFotoClick();
    void btnZoomFotoClick();

private:
    QWidget* frame_;
    QImage placeholder_;
};

// The export of a picture to a JPEG file of the user's choice ("Foto.jpg" proposed, ".jpg" added
// to a bare name). A file that cannot be written is told once; false then. Cancelling is no failure.
bool exportPicture(QWidget* parent, const QImage& picture);

} // namespace tavorel
