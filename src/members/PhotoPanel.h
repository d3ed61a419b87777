#pragma once

#include <QByteArray>
#include <QImage>
#include <QWidget>

class QLabel;

namespace tavorel {

class InfoBar;
class PhotoView;
class PictureButton;

// The member's photo beside the editor's fields: the photo box and the five photo buttons under it.
// The photo is not part of the record; the editor ties it to the record in two places only:
// load(k) when a record is shown, save(k) after the record was written. Everything else (loading a
// file, the webcam, exporting, removing, zooming) happens inside the panel.
//
// The photo file is written only when there is something new to write: a picture loaded (its own
// bytes when it is a JPEG, else encoded once), a webcam shot (encoded once), the photo removed, or
// a member with no photo file at all (the silhouette). A photo shown from its file is never
// written again, and one that cannot be decoded is never written over unless the user replaces it:
// the box then says so over the silhouette.
class PhotoPanel : public QWidget {
    Q_OBJECT
public:
    // The photo box's own size: pictures are held at their size and drawn to fit it.
    static constexpr QSize kBoxSize{307, 394};

    explicit PhotoPanel(QWidget* parent = nullptr);

    // The picture in the box: the member's photo or the placeholder, never null.
    QImage picture() const;
    // A new photo for the member (a webcam shot): written, encoded once, at the record's next save.
    // A null picture removes the photo.
    void setPicture(const QImage& picture);
    // The placeholder, with nothing to write: a cleared or duplicated screen.
    void clear();
    bool showsPlaceholder() const;
    // The photo was changed here (loaded, shot, removed) and not written yet.
    bool changed() const { return changed_; }
    // The box says that the member's photo file cannot be shown.
    bool showsNotice() const;

    // Record k was shown: its photo file, or the placeholder when there is none or it cannot be read.
    void load(int recordNo);
    // Record k was written: the new photo, if any, is written to its file. When the file cannot be
    // written the user is told once and the box keeps its picture, so saving the record again retries.
    bool save(int recordNo);

    // What the photo file of the record shown was like when it was read or last written, and what
    // it is like now (size, time, identity): a difference is a change made by another workstation.
    QByteArray shownStamp() const { return shownStamp_; }
    QByteArray stampNow() const;
    // The user chose to overwrite the other workstation's change: while the file is still as
    // `stamp` says, the next save puts back the photo shown here.
    void confirmOverwrite(const QByteArray& stamp) { confirmedStamp_ = stamp; }

    // The buttons' explanations on the owner's info bar.
    void attachInfoBar(InfoBar* bar);

private:
    void btnCaricaFotoClick();
    void btnWebcamClick();
    void btnSalvaFotoClick();
    void btnCancFotoClick();
    void btnZoomFotoClick();

    // Where the box's picture came from.
    enum class Origin {
        None,      // no photo file: a new or cleared member, or a record without one
        Stored,    // the member's photo file, shown
        Unshowable // the member's photo file, which cannot be decoded or read: kept as it is
    };
    void display(const QImage& picture, bool notice);
    // A new picture for the member, `jpeg` being what its file will hold.
    void replace(const QImage& picture, const QByteArray& jpeg);
    // The bytes an export copies unchanged; empty when the picture is to be encoded.
    QByteArray exportBytes() const;

    PhotoView* imgFoto;
    QLabel* imgBianco; // hidden: the placeholder silhouette
    QLabel* lblFotoNonVisualizzabile;
    PictureButton* btnCaricaFoto;
    PictureButton* btnWebcam;
    PictureButton* btnSalvaFoto;
    PictureButton* btnCancFoto;
    PictureButton* btnZoomFoto;
    QWidget* frame_;
    QImage placeholder_;

    Origin origin_ = Origin::None;
    int recordNo_ = 0;       // the record whose photo file was read or written, 0 for none
    QByteArray storedBytes_; // that file's content as read or written
    bool storedIsJpeg_ = false;
    QByteArray shownStamp_; // that file's stamp as read or written
    QByteArray confirmedStamp_;
    bool changed_ = false;
    QByteArray newJpeg_; // what the next save writes when changed_
};

// The export of a picture to a JPEG file of the user's choice ("Foto.jpg" proposed, ".jpg" added
// to a bare name). `bytes`, when given, are written as they are (a photo file copied without a
// second compression). A file that cannot be written, or a destination inside the program folder
// reached through a link, is told once; false then. Cancelling is no failure.
bool exportPicture(QWidget* parent, const QImage& picture, const QByteArray& bytes = {});

} // namespace tavorel
