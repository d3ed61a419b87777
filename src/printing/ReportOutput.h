#pragma once

#include "ReportLayout.h"

#include <QDateTime>

class QPrinter;
class QWidget;

namespace tavorel {

// What the desktop platform calls to print or preview a report.

// Prepares the report, shows the print dialog and prints to the printer chosen there (on Linux the
// dialog's "print to file" output counts as a printer). Returns false, printing nothing and saying
// nothing, when the user cancels or when the system offers no output at all. Throws ReportError when
// the printer fails.
bool printReportWithDialog(const Report& report, QWidget* parent, const QDateTime& now);

// Shows the prepared report in the modal preview window (maximised, 100 %) and returns when the user
// closes it. A failure of a print started from the preview is thrown here as ReportError.
void showReportPreview(const Report& report, QWidget* parent, const QDateTime& now);

// Sends prepared pages to a printer already set up (by the print dialog or by the caller), honouring
// its page range and copies. Throws ReportError when the printer cannot start or fails.
void printPrepared(QPrinter& printer, const PreparedReport& report);

} // namespace tavorel
