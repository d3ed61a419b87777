#pragma once

#include "ReportLayout.h"

#include <QDateTime>
#include <QString>

class QPainter;
class QPdfWriter;
class QPagedPaintDevice;

namespace tavorel {

// Paints prepared pages on any QPainter: printer, PDF writer, image or widget.
class ReportPainter {
public:
    // Draws the page with its top-left corner at the painter's origin; `scale` is the number of the
    // painter's units per report pixel (device dpi / 96 for a printer or a PDF writer).
    static void paintPage(QPainter& painter, const PreparedPage& page, double scale);
    // Sets the paper, orientation and zero margins of the report on a printer or PDF writer.
    static void setUpPage(QPagedPaintDevice& device, const ReportPage& page);
    // Paints every page on an already set-up device; false when the painter cannot start.
    static bool paintAll(QPagedPaintDevice& device, const PreparedReport& report);
    // Renders one page into an image of the given resolution, white paper.
    static QImage renderPage(const PreparedPage& page, double dpi = 96.0);
};

// Writes the prepared report to a PDF file; false when the file cannot be written.
bool exportPdf(const Report& report, const QString& path, const QDateTime& now);

} // namespace tavorel
