#include "ReportOutput.h"

#include "ReportPainter.h"
#include "ReportPreview.h"
#include "storage/Messages.h"

#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

namespace tavorel {

namespace {

bool systemHasOutput()
{
#if defined(Q_OS_WIN)
    return !QPrinterInfo::availablePrinters().isEmpty();
#else
    // The print dialogs of the other systems always offer printing to a PDF file.
    return true;
#endif
}

} // namespace

bool printReportWithDialog(const Report& report, QWidget* parent, const QDateTime& now)
{
    if (!systemHasOutput())
        return false;
    const PreparedReport prepared = ReportLayout::prepare(report, now);

    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(report.name());
    printer.setCopyCount(1);
    printer.setCollateCopies(true);
    ReportPainter::setUpPage(printer, report.page());
    printer.setFullPage(true);

    QPrintDialog dialog(&printer, parent);
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintPageRange |
                      QAbstractPrintDialog::PrintCollateCopies | QAbstractPrintDialog::PrintShowPageSize);
    dialog.setMinMax(1, int(prepared.pages.size()));
    if (dialog.exec() != QDialog::Accepted)
        return false;
    printPrepared(printer, prepared);
    return true;
}

void printPrepared(QPrinter& printer, const PreparedReport& report)
{
    printer.setFullPage(true);
    std::vector<int> pages;
    const bool ranged = printer.printRange() == QPrinter::PageRange && !printer.pageRanges().isEmpty();
    for (int i = 0; i < int(report.pages.size()); ++i)
        if (!ranged || printer.pageRanges().contains(i + 1))
            pages.push_back(i);
    if (pages.empty())
        return;

    // Where the printer system makes the copies itself, one set is sent.
    const int copies = printer.supportsMultipleCopies() ? 1 : std::max(1, printer.copyCount());
    std::vector<int> sequence;
    if (printer.collateCopies()) {
        for (int c = 0; c < copies; ++c)
            sequence.insert(sequence.end(), pages.begin(), pages.end());
    } else {
        for (int p : pages)
            sequence.insert(sequence.end(), size_t(copies), p);
    }

    QPainter painter;
    if (!painter.begin(&printer))
        throw ReportError(kMsgStampanteNonPronta.toStdString());
    const double scale = printer.resolution() / 96.0;
    for (size_t i = 0; i < sequence.size(); ++i) {
        if (i > 0 && !printer.newPage()) {
            painter.end();
            throw ReportError(kMsgStampaFallita.toStdString());
        }
        ReportPainter::paintPage(painter, report.pages[size_t(sequence[i])], scale);
    }
    if (!painter.end() || printer.printerState() == QPrinter::Error)
        throw ReportError(kMsgStampaFallita.toStdString());
}

void showReportPreview(const Report& report, QWidget* parent, const QDateTime& now)
{
    ReportPreview preview(report, now, parent);
    preview.setWindowState(preview.windowState() | Qt::WindowMaximized);
    preview.exec();
    preview.rethrowPrintError();
}

} // namespace tavorel
