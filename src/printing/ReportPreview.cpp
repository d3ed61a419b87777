#include "ReportPreview.h"

#include "ReportOutput.h"
#include "ReportPageView.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

namespace tavorel {

namespace {
const double kZoomSteps[] = {0.25, 0.5, 0.75, 1.0, 1.25, 1.5, 2.0, 3.0, 4.0};
}

ReportPreview::ReportPreview(const Report& report, const QDateTime& now, QWidget* parent)
    : QDialog(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMaximizeButtonHint |
                          Qt::WindowCloseButtonHint),
      report_(report), now_(now), prepared_(ReportLayout::prepare(report, now))
{
    setObjectName(QStringLiteral("frmPreview"));
    setWindowTitle(report.name());
    setModal(true);

    auto* bar = new QWidget(this);
    bar->setObjectName(QStringLiteral("panPulsanti"));
    bar->setAutoFillBackground(true);
    QPalette barPalette = bar->palette();
    barPalette.setColor(QPalette::Window, QColor(0xD8, 0xE5, 0xEF));
    bar->setPalette(barPalette);

    const auto makeButton = [bar](const char* name, const QString& text) {
        auto* b = new QPushButton(text, bar);
        b->setObjectName(QLatin1String(name));
        b->setAutoDefault(false);
        b->setCursor(Qt::PointingHandCursor);
        b->setMinimumWidth(110);
        return b;
    };
    btnStampa = makeButton("btnStampa", QStringLiteral("Stampa"));
    btnZoom = makeButton("btnZoom", QStringLiteral("Zoom"));
    btnSchermoIntero = makeButton("btnSchermoIntero", QStringLiteral("Schermo intero"));
    btnChiudi = makeButton("btnChiudi", QStringLiteral("Chiudi"));
    lblZoom = new QLabel(bar);
    lblZoom->setObjectName(QStringLiteral("lblZoom"));

    auto* zoomMenu = new QMenu(btnZoom);
    zoomMenu->addAction(QStringLiteral("Larghezza pagina"), this, &ReportPreview::fitWidth);
    zoomMenu->addAction(QStringLiteral("Pagina intera"), this, &ReportPreview::fitPage);
    zoomMenu->addSeparator();
    for (double z : kZoomSteps)
        zoomMenu->addAction(QStringLiteral("%1 %").arg(qRound(z * 100)), this, [this, z] { setZoom(z); });
    btnZoom->setMenu(zoomMenu);

    auto* barLayout = new QHBoxLayout(bar);
    barLayout->setContentsMargins(8, 6, 8, 6);
    barLayout->addWidget(btnStampa);
    barLayout->addWidget(btnZoom);
    barLayout->addWidget(btnSchermoIntero);
    barLayout->addStretch(1);
    barLayout->addWidget(lblZoom);
    barLayout->addSpacing(16);
    barLayout->addWidget(btnChiudi);

    view_ = new ReportPageView;
    view_->setObjectName(QStringLiteral("imgPagine"));
    view_->setReport(&prepared_);
    scroll_ = new QScrollArea(this);
    scroll_->setObjectName(QStringLiteral("scrPagine"));
    scroll_->setWidget(view_);
    scroll_->setWidgetResizable(true);
    scroll_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    scroll_->setBackgroundRole(QPalette::Dark);
    scroll_->setFrameShape(QFrame::NoFrame);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(bar);
    layout->addWidget(scroll_, 1);

    connect(btnStampa, &QPushButton::clicked, this, &ReportPreview::btnStampaClick);
    connect(btnSchermoIntero, &QPushButton::clicked, this, &ReportPreview::btnSchermoInteroClick);
    connect(btnChiudi, &QPushButton::clicked, this, &QDialog::reject);
    connect(view_, &ReportPageView::zoomStepRequested, this, &ReportPreview::zoomBy);

    resize(1000, 700);
    setZoom(1.0);
}

double ReportPreview::zoom() const
{
    return view_->zoom();
}

void ReportPreview::setZoom(double zoom)
{
    view_->setZoom(zoom);
    updateZoomLabel();
}

void ReportPreview::zoomBy(int steps)
{
    const double current = zoom();
    double next = current;
    if (steps > 0) {
        for (double z : kZoomSteps)
            if (z > current + 1e-3) {
                next = z;
                break;
            }
    } else {
        for (double z : kZoomSteps)
            if (z < current - 1e-3)
                next = z;
    }
    setZoom(next);
}

void ReportPreview::fitWidth()
{
    setZoom(view_->zoomForWidth(scroll_->viewport()->width()));
}

void ReportPreview::fitPage()
{
    setZoom(view_->zoomForPage(scroll_->viewport()->size()));
}

void ReportPreview::updateZoomLabel()
{
    const int pages = int(prepared_.pages.size());
    lblZoom->setText(QStringLiteral("%1 %   —   %2 %3")
                         .arg(qRound(zoom() * 100))
                         .arg(pages)
                         .arg(pages == 1 ? QStringLiteral("pagina") : QStringLiteral("pagine")));
}

void ReportPreview::btnStampaClick()
{
    // A slot must not let an exception run into the event loop: the failure is kept, the window
    // closes, and the caller of exec() receives it.
    try {
        printReportWithDialog(report_, this, now_);
    } catch (const ReportError& error) {
        printError_ = error;
        reject();
    }
}

void ReportPreview::btnSchermoInteroClick()
{
    if (isFullScreen())
        showMaximized();
    else
        showFullScreen();
}

void ReportPreview::rethrowPrintError()
{
    if (printError_) {
        const ReportError error = *printError_;
        printError_.reset();
        throw error;
    }
}

} // namespace tavorel
