#include "ReportFonts.h"

#include <QImage>
#include <QPaintDevice>

#include <mutex>

namespace tavorel {

void ReportFonts::installSubstitutions()
{
    static std::once_flag once;
    std::call_once(once, [] {
        QFont::insertSubstitutions(QStringLiteral("Arial"), {QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"),
                                                             QStringLiteral("DejaVu Sans")});
        QFont::insertSubstitutions(
            QStringLiteral("Courier New"),
            {QStringLiteral("Liberation Mono"), QStringLiteral("Cousine"), QStringLiteral("DejaVu Sans Mono")});
        QFont::insertSubstitutions(QStringLiteral("Verdana"), {QStringLiteral("DejaVu Sans")});
        QFont::insertSubstitutions(QStringLiteral("Tahoma"), {QStringLiteral("DejaVu Sans")});
    });
}

QFont ReportFonts::font(const ReportFont& f, int logicalDpiY)
{
    installSubstitutions();
    QFont font(f.family);
    // QFont only takes whole pixel sizes; a point size read at the device's resolution gives the
    // fractional pixel heights of the templates (10.667 px = 8 pt) exactly.
    font.setPointSizeF(f.pixelHeight * 72.0 / (logicalDpiY > 0 ? logicalDpiY : 96));
    font.setBold(f.style == FontStyle::Bold || f.style == FontStyle::BoldItalic);
    font.setItalic(f.style == FontStyle::Italic || f.style == FontStyle::BoldItalic);
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setKerning(false);
    return font;
}

QFont ReportFonts::font(const ReportFont& f, const QPaintDevice* device)
{
    return font(f, device ? device->logicalDpiY() : 96);
}

QFontMetricsF ReportFonts::metrics(const ReportFont& f)
{
    static const QImage device = [] {
        QImage image(1, 1, QImage::Format_ARGB32);
        image.setDotsPerMeterX(3780); // 96 dpi
        image.setDotsPerMeterY(3780);
        return image;
    }();
    return QFontMetricsF(font(f, &device), &device);
}

} // namespace tavorel
