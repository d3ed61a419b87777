#include "ReportLayout.h"

#include "ReportFonts.h"

#include <algorithm>
#include <limits>
#include <unordered_map>

namespace tavorel {

namespace {

constexpr double kInsetX = 2.0;
constexpr double kInsetTop = 1.0;
constexpr double kLineGap = 2.0;
constexpr double kEpsilon = 1e-6;
// A text longer than its memo is cut this far inside the memo's right edge, so that the cut never
// meets the next object and reads as text running on.
const double kCutGap = mmToPx(1.0);
constexpr double kInfinity = 1e9;

struct MemoLine {
    QString text;
    double top = 0.0; // in the coordinates of the memo's rectangle
};

struct FontInfo {
    double height = 0.0;
    QFontMetricsF metrics;
};

QStringList wrapLine(const QString& line, const QFontMetricsF& fm, double width)
{
    if (fm.horizontalAdvance(line) <= width)
        return {line};
    QStringList out;
    QString current;
    for (const QString& word : line.split(QLatin1Char(' '))) {
        const QString candidate = current.isEmpty() ? word : current + QLatin1Char(' ') + word;
        if (current.isEmpty() || fm.horizontalAdvance(candidate) <= width) {
            current = candidate;
        } else {
            out.append(current);
            current = word;
        }
    }
    out.append(current);
    return out;
}

// The memo's lines with their tops, laid out as the memo's alignment and wrapping say.
std::vector<MemoLine> layOutMemo(const ReportMemo& memo, const QDateTime& now, double* fontHeight)
{
    const QFontMetricsF fm = ReportFonts::metrics(memo.font);
    const double height = fm.height();
    const double pitch = memo.linePitch > 0.0 ? memo.linePitch : height + kLineGap;
    if (fontHeight)
        *fontHeight = height;

    QStringList texts;
    for (const QString& raw : memo.lines) {
        const QString line = memo.allowExpressions ? ReportLayout::expandVariables(raw, now) : raw;
        if (memo.wordWrap)
            texts += wrapLine(line, fm, memo.rect.width() - 2 * kInsetX);
        else
            texts.append(line);
    }

    const qsizetype n = texts.size();
    const double block = n > 0 ? double(n - 1) * pitch + height : 0.0;
    const double first = memo.vAlign == VAlign::Top ? kInsetTop : (memo.rect.height() - block) / 2.0;
    // A memo shows the lines that fit its height; a line fits when the slot the line spacing gives it
    // (its pitch less the 2 px gap, at most the font's height) lies inside. The first line is shown
    // even when the memo is too low for it, cut at the edge, so a tight box never prints blank.
    const double slot = pitch - kLineGap > 0.0 ? std::min(height, pitch - kLineGap) : height;
    std::vector<MemoLine> out;
    out.reserve(size_t(n));
    for (qsizetype i = 0; i < n; ++i) {
        const double top = first + double(i) * pitch;
        const bool fits = top >= -kEpsilon && top + slot <= memo.rect.height() + kEpsilon;
        if (fits || (i == 0 && top < memo.rect.height()))
            out.push_back({texts[i], top});
    }
    return out;
}

// A memo's lines do not depend on the page they land on: each memo is laid out once per
// preparation, so a long list body is not laid out again for every page it runs over.
struct MemoLayout {
    std::vector<MemoLine> lines;
    double height = 0.0;
};

class MemoLayouts {
public:
    explicit MemoLayouts(const QDateTime& now) : now_(now) {}

    const MemoLayout& of(const ReportMemo& memo)
    {
        auto it = cache_.find(&memo);
        if (it == cache_.end()) {
            MemoLayout layout;
            layout.lines = layOutMemo(memo, now_, &layout.height);
            it = cache_.emplace(&memo, std::move(layout)).first;
        }
        return it->second;
    }

private:
    const QDateTime& now_;
    std::unordered_map<const ReportMemo*, MemoLayout> cache_;
};

// The first of a memo's lines whose top (in band coordinates) is at or below `y`.
std::vector<MemoLine>::const_iterator firstLineFrom(const ReportMemo& memo, const MemoLayout& layout, double y)
{
    return std::lower_bound(layout.lines.begin(), layout.lines.end(), y,
                            [&memo](const MemoLine& line, double value) { return memo.rect.top() + line.top < value; });
}

// Emits objects of one band (or of the page) translated by `origin`; only the part of the band
// between `from` and `to` (band coordinates) is on this page.
class Emitter {
public:
    Emitter(PreparedPage& page, MemoLayouts& layouts) : page_(page), layouts_(layouts) {}

    void put(const std::vector<ReportItem>& objects, QPointF origin, double from, double to)
    {
        // The part of the page that belongs to this portion; open-ended where the band is not cut.
        const double top = from > 0.0 ? origin.y() + from : -kInfinity;
        const double bottom = to < kInfinity ? origin.y() + to : kInfinity;
        portion_ = QRectF(QPointF(-kInfinity, top), QPointF(kInfinity, bottom));
        from_ = from > 0.0 ? from : -kInfinity;
        to_ = to;
        for (const ReportItem& item : objects)
            std::visit([&](const auto& o) { add(o, origin); }, item);
    }

private:
    void add(const ReportMemo& memo, QPointF origin)
    {
        const QRectF rect = memo.rect.translated(origin);
        const QRectF clip = rect.intersected(portion_);
        if (clip.isEmpty())
            return;
        if (memo.fill.isValid())
            page_.items.push_back(PreparedRect{clip, memo.fill, QColor(), memo.name});
        const MemoLayout& layout = layouts_.of(memo);
        const QFontMetricsF fm = ReportFonts::metrics(memo.font);
        // A line belongs to the portion its top falls in; cuts are made between lines.
        for (auto line = firstLineFrom(memo, layout, from_ - kEpsilon); line != layout.lines.end(); ++line) {
            if (memo.rect.top() + line->top >= to_ - kEpsilon)
                break;
            const QRectF box(rect.left() + kInsetX, rect.top() + line->top, std::max(0.0, rect.width() - 2 * kInsetX),
                             layout.height);
            QRectF lineClip = clip;
            if (fm.horizontalAdvance(line->text) > box.width() + kEpsilon)
                lineClip.setRight(std::max(lineClip.left(), std::min(lineClip.right(), rect.right() - kCutGap)));
            page_.items.push_back(PreparedText{box, lineClip, line->text, memo.font, memo.hAlign, memo.name,
                                               int(line - layout.lines.begin())});
        }
    }

    void add(const ReportPicture& picture, QPointF origin)
    {
        const QRectF box = picture.rect.translated(origin);
        const QRectF clip = box.intersected(portion_);
        if (clip.isEmpty())
            return;
        const QRectF target = picture.picture.isNull() ? QRectF()
                                                       : ReportLayout::fitPicture(picture.picture.size(), box,
                                                                                  picture.keepAspect, picture.center);
        page_.items.push_back(PreparedImage{box, target, clip, picture.picture, picture.name});
    }

    void add(const ReportShape& shape, QPointF origin)
    {
        const QRectF rect = shape.rect.translated(origin).intersected(portion_);
        if (!rect.isEmpty())
            page_.items.push_back(PreparedRect{rect, shape.fill, shape.frame, shape.name});
    }

    void add(const ReportLine& line, QPointF origin)
    {
        QLineF l(line.rect.topLeft() + origin, line.rect.bottomRight() + origin);
        const double top = std::min(l.y1(), l.y2());
        const double bottom = std::max(l.y1(), l.y2());
        if (bottom < portion_.top() || top >= portion_.bottom())
            return;
        if (l.dx() == 0.0) { // vertical: keep the part on this page
            l.setP1(QPointF(l.x1(), std::max(top, portion_.top())));
            l.setP2(QPointF(l.x1(), std::min(bottom, portion_.bottom())));
        }
        page_.items.push_back(PreparedLine{l, line.color, line.name});
    }

    PreparedPage& page_;
    MemoLayouts& layouts_;
    QRectF portion_;
    double from_ = 0.0;
    double to_ = kInfinity;
};

class Paginator {
public:
    Paginator(const Report& report, const QDateTime& now)
        : report_(report), layouts_(now), area_(report.page().printableRectPx())
    {
        out_.name = report.name();
        out_.page = report.page();
    }

    PreparedReport run()
    {
        newPage();
        for (const ReportBand& band : report_.bands())
            if (band.kind == BandKind::ReportTitle)
                place(band);
        for (const ReportBand& band : report_.bands())
            if (band.kind == BandKind::MasterData)
                for (int row = 0; row < std::max(0, band.rowCount); ++row)
                    place(band);
        for (const ReportBand& band : report_.bands())
            if (band.kind == BandKind::Footer)
                place(band);
        return std::move(out_);
    }

private:
    void newPage()
    {
        PreparedPage page;
        page.size = QSizeF(mmToPx(report_.page().printedWidthMm()), mmToPx(report_.page().printedHeightMm()));
        out_.pages.push_back(std::move(page));
        y_ = area_.top();
        fresh_ = true;
        Emitter(out_.pages.back(), layouts_).put(report_.pageObjects(), area_.topLeft(), 0.0, kInfinity);
    }

    void place(const ReportBand& band)
    {
        double offset = 0.0;
        for (;;) {
            const double room = area_.bottom() - y_;
            const double remaining = band.height - offset;
            // A band that does not split, or a page with no room at all, takes what it gets.
            if (remaining <= room + kEpsilon || (fresh_ && (!band.allowSplit || room <= kEpsilon))) {
                put(band, offset, kInfinity);
                y_ += remaining;
                fresh_ = false;
                return;
            }
            if (!band.allowSplit) {
                newPage();
                continue;
            }
            double cut = splitPoint(band, offset, offset + room);
            if (cut <= offset + kEpsilon) {
                if (!fresh_) {
                    newPage();
                    continue;
                }
                cut = offset + room; // a single line taller than a page: cut through it
            }
            put(band, offset, cut);
            offset = cut;
            newPage();
        }
    }

    void put(const ReportBand& band, double from, double to)
    {
        const QPointF origin(area_.left(), y_ - from);
        Emitter(out_.pages.back(), layouts_).put(band.objects, origin, from, to);
    }

    // The lowest band offset not beyond `limit` that cuts no line of text in two.
    double splitPoint(const ReportBand& band, double from, double limit) const
    {
        double cut = limit;
        for (const ReportItem& item : band.objects) {
            const auto* memo = std::get_if<ReportMemo>(&item);
            if (!memo)
                continue;
            const MemoLayout& layout = layouts_.of(*memo);
            for (auto line = firstLineFrom(*memo, layout, from - kEpsilon); line != layout.lines.end(); ++line) {
                const double top = memo->rect.top() + line->top;
                if (top >= limit)
                    break;
                if (top + layout.height > limit + kEpsilon) {
                    cut = std::min(cut, top);
                    break;
                }
            }
        }
        return cut;
    }

    const Report& report_;
    mutable MemoLayouts layouts_; // a cache: filling it changes nothing the caller sees
    const QRectF area_;
    PreparedReport out_;
    double y_ = 0.0;
    bool fresh_ = true;
};

} // namespace

std::vector<const PreparedText*> PreparedPage::texts(const QString& object) const
{
    std::vector<const PreparedText*> out;
    for (const PreparedItem& item : items)
        if (const auto* t = std::get_if<PreparedText>(&item); t && (object.isEmpty() || t->object == object))
            out.push_back(t);
    return out;
}

QStringList PreparedPage::textLines(const QString& object) const
{
    QStringList out;
    for (const PreparedText* t : texts(object))
        out.append(t->text);
    return out;
}

const PreparedImage* PreparedPage::image(const QString& object) const
{
    for (const PreparedItem& item : items)
        if (const auto* i = std::get_if<PreparedImage>(&item); i && i->object == object)
            return i;
    return nullptr;
}

const PreparedRect* PreparedPage::rect(const QString& object) const
{
    for (const PreparedItem& item : items)
        if (const auto* r = std::get_if<PreparedRect>(&item); r && r->object == object)
            return r;
    return nullptr;
}

const PreparedLine* PreparedPage::line(const QString& object) const
{
    for (const PreparedItem& item : items)
        if (const auto* l = std::get_if<PreparedLine>(&item); l && l->object == object)
            return l;
    return nullptr;
}

PreparedReport ReportLayout::prepare(const Report& report, const QDateTime& now)
{
    return Paginator(report, now).run();
}

QString ReportLayout::expandVariables(const QString& text, const QDateTime& now)
{
    if (!text.contains(QLatin1Char('[')))
        return text;
    QString out = text;
    out.replace(QLatin1String("[DATE]"), now.date().toString(QStringLiteral("dd/MM/yyyy")));
    out.replace(QLatin1String("[TIME]"), now.time().toString(QStringLiteral("HH:mm:ss")));
    return out;
}

double ReportLayout::linePitch(const ReportMemo& memo)
{
    return memo.linePitch > 0.0 ? memo.linePitch : ReportFonts::metrics(memo.font).height() + kLineGap;
}

QRectF ReportLayout::fitPicture(const QSizeF& picture, const QRectF& box, bool keepAspect, bool center)
{
    if (picture.isEmpty() || box.isEmpty())
        return QRectF(box.topLeft(), QSizeF(0, 0));
    if (!keepAspect)
        return box;
    const double scale = std::min(box.width() / picture.width(), box.height() / picture.height());
    QRectF target(box.topLeft(), picture * scale);
    if (center)
        target.moveCenter(box.center());
    return target;
}

} // namespace tavorel
