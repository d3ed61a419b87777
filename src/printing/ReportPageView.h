#pragma once

#include "ReportLayout.h"

#include <QWidget>

namespace tavorel {

// The pages of a prepared report, one below the other on a grey desk, each a white sheet with a
// shadow, drawn at the chosen zoom (1.0 = real size on the screen).
class ReportPageView : public QWidget {
    Q_OBJECT
public:
    explicit ReportPageView(QWidget* parent = nullptr);

    void setReport(const PreparedReport* report);
    double zoom() const { return zoom_; }
    void setZoom(double zoom);
    // Screen pixels per report pixel at the current zoom.
    double scale() const;
    // Where page `index` lies in the widget.
    QRect pageRect(int index) const;
    // The zooms at which the widest page fills the width, or the tallest page fits, of that area.
    double zoomForWidth(int width) const;
    double zoomForPage(const QSize& area) const;

    QSize sizeHint() const override;

signals:
    // Ctrl + mouse wheel.
    void zoomStepRequested(int steps);

protected:
    void paintEvent(QPaintEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    QSizeF largestPage() const;
    void fitToContents();

    const PreparedReport* report_ = nullptr;
    double zoom_ = 1.0;
};

} // namespace tavorel
