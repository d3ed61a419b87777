#include "ReportPageView.h"

#include "ReportPainter.h"

#include <QPaintEvent>
#include <QPainter>
#include <QWheelEvent>

namespace tavorel {

namespace {
constexpr int kGap = 24; // around and between the sheets
constexpr int kShadow = 5;
const QColor kDesk(0x80, 0x88, 0x90);
const QColor kShadowColour(0x40, 0x44, 0x48);
} // namespace

ReportPageView::ReportPageView(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ReportPageView::setReport(const PreparedReport* report)
{
    report_ = report;
    fitToContents();
}

void ReportPageView::setZoom(double zoom)
{
    zoom_ = std::clamp(zoom, 0.1, 8.0);
    fitToContents();
}

void ReportPageView::fitToContents()
{
    // The scroll area widens the view to its viewport but never below the pages.
    setMinimumSize(sizeHint());
    resize(sizeHint().expandedTo(size()));
    updateGeometry();
    update();
}

double ReportPageView::scale() const
{
    return zoom_ * logicalDpiX() / 96.0;
}

QSizeF ReportPageView::largestPage() const
{
    QSizeF largest(0, 0);
    if (report_)
        for (const PreparedPage& page : report_->pages)
            largest = largest.expandedTo(page.size);
    return largest;
}

QRect ReportPageView::pageRect(int index) const
{
    if (!report_ || index < 0 || index >= int(report_->pages.size()))
        return QRect();
    const int contentWidth = qRound(largestPage().width() * scale());
    const int areaWidth = std::max(width(), contentWidth + 2 * kGap);
    int y = kGap;
    for (int i = 0; i < index; ++i)
        y += qRound(report_->pages[size_t(i)].size.height() * scale()) + kGap;
    const QSize size = (report_->pages[size_t(index)].size * scale()).toSize();
    return QRect(QPoint((areaWidth - size.width()) / 2, y), size);
}

QSize ReportPageView::sizeHint() const
{
    if (!report_ || report_->pages.empty())
        return QSize(2 * kGap, 2 * kGap);
    const QRect last = pageRect(int(report_->pages.size()) - 1);
    return QSize(qRound(largestPage().width() * scale()) + 2 * kGap, last.bottom() + 1 + kGap);
}

double ReportPageView::zoomForWidth(int width) const
{
    const double page = largestPage().width() * logicalDpiX() / 96.0;
    return page > 0 ? double(width - 2 * kGap - kShadow) / page : 1.0;
}

double ReportPageView::zoomForPage(const QSize& area) const
{
    const QSizeF page = largestPage() * (logicalDpiX() / 96.0);
    if (page.isEmpty())
        return 1.0;
    return std::min(double(area.width() - 2 * kGap - kShadow) / page.width(),
                    double(area.height() - 2 * kGap - kShadow) / page.height());
}

void ReportPageView::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.fillRect(event->rect(), kDesk);
    if (!report_)
        return;
    for (int i = 0; i < int(report_->pages.size()); ++i) {
        const QRect sheet = pageRect(i);
        if (!sheet.adjusted(0, 0, kShadow, kShadow).intersects(event->rect()))
            continue;
        painter.fillRect(sheet.translated(kShadow, kShadow), kShadowColour);
        painter.fillRect(sheet, Qt::white);
        painter.save();
        painter.translate(sheet.topLeft());
        painter.setClipRect(QRect(QPoint(0, 0), sheet.size()));
        ReportPainter::paintPage(painter, report_->pages[size_t(i)], scale());
        painter.restore();
    }
}

void ReportPageView::wheelEvent(QWheelEvent* event)
{
    if (event->modifiers() & Qt::ControlModifier) {
        const int steps = event->angleDelta().y() / 120;
        if (steps != 0)
            emit zoomStepRequested(steps);
        event->accept();
        return;
    }
    QWidget::wheelEvent(event);
}

} // namespace tavorel
