#pragma once

#include <QColor>
#include <QImage>
#include <QRectF>
#include <QString>
#include <QStringList>

#include <stdexcept>
#include <variant>
#include <vector>

namespace tavorel {

// Units of a report, as the templates store them: positions and sizes of bands and objects in
// pixels at 96 per inch, paper sizes and margins in millimetres, font sizes as pixel heights.
inline constexpr double kPxPerMm = 3.7795275591;
inline constexpr double mmToPx(double mm)
{
    return mm * kPxPerMm;
}
inline constexpr double pxToMm(double px)
{
    return px / kPxPerMm;
}
inline constexpr double ptToPx(double pt)
{
    return pt * 96.0 / 72.0;
}
inline QRectF mmRect(double left, double top, double width, double height)
{
    return QRectF(mmToPx(left), mmToPx(top), mmToPx(width), mmToPx(height));
}

// A failure of the renderer or of the printer, raised to the screen that asked for the output.
class ReportError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

enum class Orientation { Portrait, Landscape };
enum class FontStyle { None, Bold, Italic, BoldItalic };
enum class HAlign { Left, Center, Right };
enum class VAlign { Top, Center };
enum class BandKind { ReportTitle, MasterData, Footer };

inline constexpr int kPaperA4 = 9;
inline constexpr int kPaperCustom = 256;

struct ReportFont {
    QString family = QStringLiteral("Arial");
    double pixelHeight = 13.333; // 10 pt
    FontStyle style = FontStyle::None;
    QColor color = Qt::black;

    static ReportFont points(const QString& family, double pt, FontStyle style = FontStyle::None,
                             QColor color = Qt::black)
    {
        return ReportFont{family, ptToPx(pt), style, color};
    }
    bool operator==(const ReportFont&) const = default;
};

struct ReportPage {
    // The paper as it stands in portrait; landscape swaps the printed width and height.
    double paperWidthMm = 210.0;
    double paperHeightMm = 297.0;
    int paperSize = kPaperA4;
    Orientation orientation = Orientation::Portrait;
    double leftMarginMm = 0.0;
    double topMarginMm = 0.0;
    double rightMarginMm = 0.0;
    double bottomMarginMm = 0.0;

    double printedWidthMm() const { return orientation == Orientation::Portrait ? paperWidthMm : paperHeightMm; }
    double printedHeightMm() const { return orientation == Orientation::Portrait ? paperHeightMm : paperWidthMm; }
    // The area inside the margins, in pixels from the top-left corner of the sheet.
    QRectF printableRectPx() const;
};

// What every object has: a name unique in its report and a rectangle relative to its band, or to
// the area inside the margins when it lies directly on the page.
struct ReportObject {
    QString name;
    QRectF rect;

    void setHeight(double px) { rect.setHeight(px); }
};

struct ReportMemo : ReportObject {
    QStringList lines;
    ReportFont font;
    QColor fill; // invalid: transparent
    HAlign hAlign = HAlign::Left;
    VAlign vAlign = VAlign::Top;
    bool wordWrap = true;
    bool allowExpressions = true;
    // Distance between the tops of two lines; 0 takes the font's own height plus 2 px. A template
    // sets it where the screen sizes the memo from its line count.
    double linePitch = 0.0;

    // Replaces the whole text; CR LF, LF and CR all end a line.
    void setText(const QString& text);
    QString text() const { return lines.join(QStringLiteral("\r\n")); }
    void clearLines() { lines.clear(); }
    void addLine(const QString& line) { lines.append(line); }
    int lineCount() const { return int(lines.size()); }
};

struct ReportPicture : ReportObject {
    QImage picture;
    bool keepAspect = true;
    bool center = false;

    // Keeps a copy; the caller's image stays the caller's.
    void setPicture(const QImage& image) { picture = image.copy(); }
};

struct ReportShape : ReportObject {
    QColor fill;              // invalid: no fill
    QColor frame = Qt::black; // invalid: no outline
};

// A 1 px line from (left, top) to (left + width, top + height).
struct ReportLine : ReportObject {
    QColor color = Qt::black;
};

using ReportItem = std::variant<ReportMemo, ReportPicture, ReportShape, ReportLine>;

struct ReportBand {
    QString name;
    BandKind kind = BandKind::MasterData;
    double height = 0.0; // px
    bool allowSplit = false;
    int rowCount = 1;
    // Drawn in this order, so later objects lie over earlier ones.
    std::vector<ReportItem> objects;

    void setHeight(double px) { height = px; }
    template <class T>
    T& add(T object)
    {
        objects.emplace_back(std::move(object));
        return std::get<T>(objects.back());
    }
};

// A report template: one page, with objects placed directly on it and/or bands stacked from the top
// of its printable area. A plain value: copying a report copies everything, pictures included.
// Pointers returned by the find functions stay valid until objects or bands are added.
class Report {
public:
    Report() = default;
    explicit Report(QString name) : name_(std::move(name)) {}

    const QString& name() const { return name_; }
    void setName(const QString& name) { name_ = name; }

    ReportPage& page() { return page_; }
    const ReportPage& page() const { return page_; }
    void setOrientation(Orientation o) { page_.orientation = o; }

    // Objects on the page outside any band (printed on every page).
    std::vector<ReportItem>& pageObjects() { return objects_; }
    const std::vector<ReportItem>& pageObjects() const { return objects_; }
    std::vector<ReportBand>& bands() { return bands_; }
    const std::vector<ReportBand>& bands() const { return bands_; }

    template <class T>
    T& add(T object)
    {
        objects_.emplace_back(std::move(object));
        return std::get<T>(objects_.back());
    }
    ReportBand& addBand(ReportBand band);

    // Searched over the whole report; nullptr when no object of that name and kind exists.
    ReportObject* findObject(const QString& name);
    const ReportObject* findObject(const QString& name) const;
    ReportMemo* findMemo(const QString& name) { return find<ReportMemo>(name); }
    const ReportMemo* findMemo(const QString& name) const { return find<ReportMemo>(name); }
    ReportPicture* findPicture(const QString& name) { return find<ReportPicture>(name); }
    const ReportPicture* findPicture(const QString& name) const { return find<ReportPicture>(name); }
    ReportShape* findShape(const QString& name) { return find<ReportShape>(name); }
    const ReportShape* findShape(const QString& name) const { return find<ReportShape>(name); }
    ReportLine* findLine(const QString& name) { return find<ReportLine>(name); }
    const ReportLine* findLine(const QString& name) const { return find<ReportLine>(name); }
    ReportBand* findBand(const QString& name);
    const ReportBand* findBand(const QString& name) const;

    template <class T>
    T* find(const QString& name)
    {
        return const_cast<T*>(static_cast<const Report*>(this)->find<T>(name));
    }
    template <class T>
    const T* find(const QString& name) const
    {
        const ReportItem* item = findItem(name);
        return item ? std::get_if<T>(item) : nullptr;
    }

private:
    const ReportItem* findItem(const QString& name) const;

    QString name_;
    ReportPage page_;
    std::vector<ReportItem> objects_;
    std::vector<ReportBand> bands_;
};

} // namespace tavorel
