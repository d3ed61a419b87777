#pragma once

#include "Report.h"

#include <QFont>
#include <QFontMetricsF>

class QPaintDevice;

namespace tavorel {

// Turns the fonts of a report into Qt fonts of the exact pixel height the template asks for, on any
// paint device, and makes sure the families the templates name ("Arial", "Courier New", "Verdana",
// "Tahoma") find their metric-compatible stand-ins where those fonts are not installed.
class ReportFonts {
public:
    static void installSubstitutions();
    // A font whose height, in the painter's user units on a device of that logical resolution, is the
    // report font's pixel height.
    static QFont font(const ReportFont& f, int logicalDpiY = 96);
    static QFont font(const ReportFont& f, const QPaintDevice* device);
    // Measured as on a 96 dpi device, in report pixels.
    static QFontMetricsF metrics(const ReportFont& f);
};

} // namespace tavorel
