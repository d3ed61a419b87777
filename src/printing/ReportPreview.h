#pragma once

#include "Report.h"
#include "ReportLayout.h"

#include <QDateTime>
#include <QDialog>

#include <optional>

class QLabel;
class QPushButton;
class QScrollArea;

namespace tavorel {

class ReportPageView;

// The modal preview window: the prepared pages and the buttons "Stampa", "Zoom", "Schermo intero"
// and "Chiudi"; the pages cannot be edited. The caption is the report's name.
class ReportPreview : public QDialog {
    Q_OBJECT
public:
    ReportPreview(const Report& report, const QDateTime& now, QWidget* parent = nullptr);

    const PreparedReport& prepared() const { return prepared_; }
    double zoom() const;
    void setZoom(double zoom);
    // After exec(): a failure of a print started from the window, raised again for the caller.
    void rethrowPrintError();

private slots:
    void btnStampaClick();
    void btnSchermoInteroClick();

private:
    void zoomBy(int steps);
    void fitWidth();
    void fitPage();
    void updateZoomLabel();

    Report report_;
    QDateTime now_;
    PreparedReport prepared_;
    std::optional<ReportError> printError_;

    QPushButton* btnStampa = nullptr;
    QPushButton* btnZoom = nullptr;
    QPushButton* btnSchermoIntero = nullptr;
    QPushButton* btnChiudi = nullptr;
    QLabel* lblZoom = nullptr;
    QScrollArea* scroll_ = nullptr;
    ReportPageView* view_ = nullptr;
};

} // namespace tavorel
