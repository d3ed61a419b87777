#pragma once

#include "Report.h"

#include <QDateTime>
#include <QImage>
#include <QLineF>
#include <QRectF>
#include <QSizeF>

#include <variant>
#include <vector>

namespace tavorel {

// Prepared pages are plain data: every item is positioned in pixels at 96 per inch, measured from
// the top-left corner of the sheet as printed (margins included), so a painter only has to scale.

// One line of a memo. `rect` is the line's box: the memo's width less the 2 px insets, the font's
// height; the text is aligned horizontally inside it and drawn from its top. Everything outside
// `clip` (the memo's rectangle, or the part of it on this page) is cut. A line longer than its box
// is cut: its clip ends 1 mm inside the memo's right edge, and only its first characters that lie
// wholly inside the clip are drawn, from the box's left whatever the alignment.
struct PreparedText {
    QRectF rect;
    QRectF clip;
    QString text;
    ReportFont font;
    HAlign hAlign = HAlign::Left;
    QString object; // name of the memo
    int line = 0;   // index of the line in the memo, after word wrapping
};

// `box` is the picture object's rectangle, painted white; the image is scaled into `target`.
struct PreparedImage {
    QRectF box;
    QRectF target;
    QRectF clip;
    QImage image;
    QString object;
};

// A filled and/or outlined rectangle (a shape, or the fill of a memo); invalid colours are not drawn.
struct PreparedRect {
    QRectF rect;
    QColor fill;
    QColor frame;
    QString object;
};

struct PreparedLine {
    QLineF line;
    QColor color;
    QString object;
};

using PreparedItem = std::variant<PreparedText, PreparedImage, PreparedRect, PreparedLine>;

struct PreparedPage {
    QSizeF size; // px
    std::vector<PreparedItem> items;

    // The lines of text in drawing order, optionally only those of one memo.
    std::vector<const PreparedText*> texts(const QString& object = QString()) const;
    QStringList textLines(const QString& object = QString()) const;
    const PreparedImage* image(const QString& object) const;
    const PreparedRect* rect(const QString& object) const;
    const PreparedLine* line(const QString& object) const;
};

struct PreparedReport {
    QString name;
    ReportPage page;
    std::vector<PreparedPage> pages;
};

// Lays a filled report out into pages: the system variables expanded, memo lines placed (with word
// wrap where the memo asks for it), pictures fitted, bands stacked and split between pages.
class ReportLayout {
public:
    static PreparedReport prepare(const Report& report, const QDateTime& now);

    // "[DATE]" as dd/mm/yyyy and "[TIME]" as hh:mm:ss; any other text stays as it is.
    static QString expandVariables(const QString& text, const QDateTime& now);
    // Distance between the tops of two lines of the memo, in px.
    static double linePitch(const ReportMemo& memo);
    // Where a picture of that size lands in the box.
    static QRectF fitPicture(const QSizeF& picture, const QRectF& box, bool keepAspect, bool center);
};

} // namespace tavorel
