#include "shell/ScreenLook.h"

#include "shell/Colors.h"

#include <QBoxLayout>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>

namespace tavorel::look {

void paintGradient(QPainter& painter, const QRect& area)
{
    QLinearGradient g(area.topLeft(), area.bottomLeft());
    g.setColorAt(0.0, colors::kSteelBlue);
    g.setColorAt(1.0, colors::kWhite);
    painter.fillRect(area, g);
}

RoundedBox::RoundedBox(QWidget* parent, const QString& name, const QBrush& fill, const QBrush& border, int borderWidth,
                       int radius)
    : QFrame(parent), fill_(fill), border_(border), borderWidth_(borderWidth), radius_(radius)
{
    setObjectName(name);
    // A plain box frame of the border's width: the contents start inside the border.
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(borderWidth);
}

void RoundedBox::setBorder(const QBrush& border)
{
    if (border == border_)
        return;
    border_ = border;
    update();
}

namespace {

// One rounded corner of a border: the quarter ring between the outer and the inner arc around
// centre c, starting at angle `start` (degrees, counter-clockwise from three o'clock).
QPainterPath cornerOfBorder(const QPointF& c, qreal outer, qreal inner, qreal start)
{
    const QRectF outerArc(c.x() - outer, c.y() - outer, 2 * outer, 2 * outer);
    QPainterPath path;
    path.arcMoveTo(outerArc, start);
    path.arcTo(outerArc, start, 90);
    if (inner > 0)
        path.arcTo(QRectF(c.x() - inner, c.y() - inner, 2 * inner, 2 * inner), start + 90, -90);
    else
        path.lineTo(c);
    path.closeSubpath();
    return path;
}

} // namespace

void RoundedBox::paintEvent(QPaintEvent*)
{
    const QRectF box(rect());
    const qreal w = borderWidth_;
    const qreal r = qBound<qreal>(0, radius_, qMin(box.width(), box.height()) / 2);

    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(fill_);
    painter.drawRoundedRect(box, r, r);
    if (w <= 0)
        return;

    // The border is painted side by side, a straight band on each side and a quarter ring at
    // each corner, so a gradient border runs across each piece on its own: a fade from top to
    // bottom is seen across the top and bottom bands and along the left and right ones.
    painter.setBrush(border_);
    const qreal right = box.right();
    const qreal bottom = box.bottom();
    painter.drawRect(QRectF(r, 0, box.width() - 2 * r, w));
    painter.drawRect(QRectF(r, bottom - w, box.width() - 2 * r, w));
    painter.drawRect(QRectF(0, r, w, box.height() - 2 * r));
    painter.drawRect(QRectF(right - w, r, w, box.height() - 2 * r));
    if (r > 0) {
        const qreal inner = r - w;
        painter.drawPath(cornerOfBorder({r, r}, r, inner, 90));
        painter.drawPath(cornerOfBorder({right - r, r}, r, inner, 0));
        painter.drawPath(cornerOfBorder({r, bottom - r}, r, inner, 180));
        painter.drawPath(cornerOfBorder({right - r, bottom - r}, r, inner, 270));
    }
}

QFrame* card(QWidget* parent, const QString& name)
{
    return new RoundedBox(parent, name.isEmpty() ? QStringLiteral("card") : name, colors::kWhite, colors::kPanelBorder,
                          1, 6);
}

void setCardBorder(QFrame* card, const QColor& border)
{
    if (auto* box = qobject_cast<RoundedBox*>(card))
        box->setBorder(border);
}

QLabel* label(QWidget* parent, const QString& text, int points, bool bold, const QString& name)
{
    auto* l = new QLabel(text, parent);
    if (!name.isEmpty())
        l->setObjectName(name);
    l->setFont(font(QStringLiteral("Verdana"), points, bold));
    return l;
}

QFont font(const QString& family, int points, bool bold)
{
    QFont f(family);
    f.setPointSize(points);
    f.setBold(bold);
    return f;
}

QFrame* framedBox(QWidget* parent, const QString& name)
{
    return new RoundedBox(parent, name, colors::kBoxFill, colors::kSteelBlue, 1, 6);
}

QPushButton* button(QWidget* parent, const QString& name, const QString& text)
{
    auto* b = new QPushButton(text, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    b->setCursor(Qt::PointingHandCursor);
    b->setMinimumSize(96, 30);
    return b;
}

void stackWindow(QWidget* window, const QList<QWidget*>& content, const QList<QWidget*>& left,
                 const QList<QWidget*>& right)
{
    auto* buttons = new QHBoxLayout;
    for (QWidget* b : left)
        buttons->addWidget(b);
    buttons->addStretch();
    for (QWidget* b : right)
        buttons->addWidget(b);

    auto* main = new QVBoxLayout(window);
    main->setContentsMargins(16, 16, 16, 14);
    main->setSpacing(14);
    for (int i = 0; i < content.size(); ++i)
        main->addWidget(content[i], i + 1 == content.size() ? 1 : 0);
    main->addLayout(buttons);
}

Qt::WindowFlags fixedWindowFlags(bool dialog)
{
    return (dialog ? Qt::Dialog : Qt::Window) | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
           Qt::MSWindowsFixedSizeDialogHint;
}

} // namespace tavorel::look
