#pragma once

#include <QBrush>
#include <QFont>
#include <QFrame>
#include <QList>

class QPainter;
class QLabel;
class QPushButton;

namespace tavorel {

// The program's common look, in one place.
namespace look {

// Steel blue at the top fading to white at the bottom, behind every screen.
void paintGradient(QPainter& painter, const QRect& area);

// A box that paints itself: a fill, a border of a given width and rounded corners, the radius
// measured on the border's outer edge. A gradient border, given in 0..1 coordinates
// (QGradient::ObjectBoundingMode), spans each side's band and each corner on its own, as a style
// sheet lays it. The frame width is the border's, so a layout on the box starts inside the border.
// Cards, framed boxes and the focus halo are these: drawn without a style sheet, they leave the
// widgets on them in the program's own style and cost no style-sheet parsing when a window is built.
class RoundedBox : public QFrame {
    Q_OBJECT
public:
    RoundedBox(QWidget* parent, const QString& name, const QBrush& fill, const QBrush& border, int borderWidth,
               int radius);

    // Repaints the box with another border.
    void setBorder(const QBrush& border);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QBrush fill_;
    QBrush border_;
    int borderWidth_;
    int radius_;
};

// A white panel with the light blue-grey border, on which screens put their content.
QFrame* card(QWidget* parent, const QString& name = QString());
// Redraws a card's border in another colour (a card that shows it is under the mouse). Only for
// frames made by card().
void setCardBorder(QFrame* card, const QColor& border);

// A font of the screens: family, size in points, bold or not.
QFont font(const QString& family, int points, bool bold = false);

// A framed box on a card that groups a few fields (the receipt number and date, the total): pale
// fill, steel-blue frame, rounded corners.
QFrame* framedBox(QWidget* parent, const QString& name);

// A label in the screens' label font (Verdana).
QLabel* label(QWidget* parent, const QString& text, int points = 10, bool bold = false,
              const QString& name = QString());

// An ordinary dialog button with its object name.
QPushButton* button(QWidget* parent, const QString& name, const QString& text);

// The layout of a fixed-size window: its content (cards, labels) stacked from the top, the last
// one taking the spare height, and a row of buttons at the bottom: `left` at the left edge,
// `right` at the right edge ("Annulla"/"Chiudi" before the confirming button).
void stackWindow(QWidget* window, const QList<QWidget*>& content, const QList<QWidget*>& left,
                 const QList<QWidget*>& right);

// The window flags of a fixed-size screen with a title but no title-bar buttons.
Qt::WindowFlags fixedWindowFlags(bool dialog);

} // namespace look

} // namespace tavorel
