#pragma once

#include <QDialog>
#include <QWidget>

namespace tavorel {

// A long-lived fixed-size screen (login, password change): gradient background, a title but no
// title-bar buttons, centred on the screen whenever it is shown.
class FixedWindow : public QWidget {
    Q_OBJECT
public:
    FixedWindow(const QString& name, const QString& caption, const QSize& size);

    // Runs each time the screen is shown (not when it comes back from being minimised).
    virtual void FormShow() {}

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
};

// A dialog: created by the screen that opens it, run through platform().runModal, deleted after.
// Gradient background, fixed size, no title-bar buttons, centred on its owner (or on the screen).
class FixedDialog : public QDialog {
    Q_OBJECT
public:
    FixedDialog(QWidget* owner, const QString& name, const QString& caption, const QSize& size,
                bool centreOnOwner = true);

    // Runs each time the dialog is shown (not when it comes back from being minimised).
    virtual void FormShow() {}

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    bool centreOnOwner_;
};

// Centres a top-level widget on `over` or, when null, on its screen's available area.
void centreWindow(QWidget* window, QWidget* over);

} // namespace tavorel
