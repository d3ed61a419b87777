#include "ReportPainter.h"

#include "ReportFonts.h"
#include "storage/RegularFile.h"

#include <QFileInfo>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>

namespace tavorel {

namespace {

Qt::Alignment alignmentOf(HAlign h)
{
    switch (h) {
    case HAlign::Center:
        return Qt::AlignHCenter | Qt::AlignTop;
    case HAlign::Right:
        return Qt::AlignRight | Qt::AlignTop;
    case HAlign::Left:
        break;
    }
    return Qt::AlignLeft | Qt::AlignTop;
}

// A 1 px report line, whatever the device's resolution.
QPen hairline(const QColor& colour)
{
    QPen pen(colour, 1.0);
    pen.setCapStyle(Qt::FlatCap);
    pen.setJoinStyle(Qt::MiterJoin);
    return pen;
}

// The longest beginning of `text` no wider than `room`, without blanks at its end.
QString fittingStart(const QString& text, const QFontMetricsF& fm, double room)
{
    qsizetype lo = 0;
    qsizetype hi = text.size();
    while (lo < hi) {
        const qsizetype mid = (lo + hi + 1) / 2;
        if (fm.horizontalAdvance(text.left(mid)) <= room)
            lo = mid;
        else
            hi = mid - 1;
    }
    if (lo > 0 && lo < text.size() && text[lo - 1].isHighSurrogate())
        --lo;
    while (lo > 0 && text[lo - 1].isSpace())
        --lo;
    return text.left(lo);
}

class PagePainter {
public:
    explicit PagePainter(QPainter& p) : p_(p) {}

    void operator()(const PreparedRect& r)
    {
        if (r.fill.isValid())
            p_.fillRect(r.rect, r.fill);
        if (r.frame.isValid()) {
            p_.setPen(hairline(r.frame));
            p_.setBrush(Qt::NoBrush);
            // The outline lies on the inside of the rectangle, so neighbouring boxes do not overlap.
            p_.drawRect(r.rect.adjusted(0.5, 0.5, -0.5, -0.5));
        }
    }

    void operator()(const PreparedLine& l)
    {
        p_.setPen(hairline(l.color.isValid() ? l.color : QColor(Qt::black)));
        p_.drawLine(l.line);
    }

    void operator()(const PreparedImage& i)
    {
        p_.save();
        p_.setClipRect(i.clip, Qt::IntersectClip);
        p_.fillRect(i.box, Qt::white);
        if (!i.image.isNull() && !i.target.isEmpty())
            p_.drawImage(i.target, i.image);
        p_.restore();
    }

    void operator()(const PreparedText& t)
    {
        p_.save();
        p_.setClipRect(t.clip, Qt::IntersectClip);
        const QFont font = ReportFonts::font(t.font, p_.device());
        p_.setFont(font);
        p_.setPen(t.font.color);
        // Widths in the painter's units: the font is sized for the device and the painter scaled.
        const QFontMetricsF fm(font, p_.device());
        if (fm.horizontalAdvance(t.text) <= t.rect.width()) {
            p_.drawText(t.rect, int(alignmentOf(t.hAlign)) | Qt::TextDontClip | Qt::TextSingleLine, t.text);
        } else {
            // Longer than its box: its beginning, as many whole characters as the clip holds; no
            // letter is drawn past it, not even one the clip would hide (a PDF would keep it).
            const QString shown = fittingStart(t.text, fm, t.clip.right() - t.rect.left());
            p_.drawText(t.rect, int(Qt::AlignLeft | Qt::AlignTop) | Qt::TextDontClip | Qt::TextSingleLine, shown);
        }
        p_.restore();
    }

private:
    QPainter& p_;
};

} // namespace

void ReportPainter::paintPage(QPainter& painter, const PreparedPage& page, double scale)
{
    painter.save();
    painter.scale(scale, scale);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    PagePainter draw(painter);
    for (const PreparedItem& item : page.items)
        std::visit(draw, item);
    painter.restore();
}

void ReportPainter::setUpPage(QPagedPaintDevice& device, const ReportPage& page)
{
    const QPageSize size = page.paperSize == kPaperA4
                               ? QPageSize(QPageSize::A4)
                               : QPageSize(QSizeF(page.paperWidthMm, page.paperHeightMm), QPageSize::Millimeter,
                                           QString(), QPageSize::FuzzyMatch);
    const QPageLayout layout(
        size, page.orientation == Orientation::Landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
        QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter, QMarginsF(0, 0, 0, 0));
    device.setPageLayout(layout);
}

bool ReportPainter::paintAll(QPagedPaintDevice& device, const PreparedReport& report)
{
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    const double scale = device.logicalDpiX() / 96.0;
    bool first = true;
    for (const PreparedPage& page : report.pages) {
        if (!first && !device.newPage())
            return false;
        first = false;
        ReportPainter::paintPage(painter, page, scale);
    }
    return painter.end();
}

QImage ReportPainter::renderPage(const PreparedPage& page, double dpi)
{
    const double scale = dpi / 96.0;
    QImage image((page.size * scale).toSize(), QImage::Format_RGB32);
    image.setDotsPerMeterX(qRound(dpi / 0.0254));
    image.setDotsPerMeterY(qRound(dpi / 0.0254));
    image.fill(Qt::white);
    QPainter painter(&image);
    paintPage(painter, page, scale);
    painter.end();
    return image;
}

bool exportPdf(const Report& report, const QString& path, const QDateTime& now)
{
    if (!isRegularOrAbsent(path)) // a pipe or a device chosen as the file: never opened
        return false;
    const PreparedReport prepared = ReportLayout::prepare(report, now);
    QPdfWriter writer(path);
    writer.setResolution(600);
    writer.setTitle(report.name());
    writer.setCreator(QStringLiteral("Tavorel"));
    ReportPainter::setUpPage(writer, report.page());
    return ReportPainter::paintAll(writer, prepared) && QFileInfo(path).size() > 0;
}

} // namespace tavorel
