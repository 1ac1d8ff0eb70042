#include "ChartExport.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPdfWriter>

#include <utility>

namespace {

constexpr double PrintScale = 2.0; // the picture for printing, at twice the chart's size

// As the chart library saves a PDF itself: one point of the page for each pixel.
QByteArray Pdf(QCustomPlot& plot) {
    QByteArray pdf;
    {
        QBuffer device(&pdf);
        device.open(QIODevice::WriteOnly);
        QPdfWriter writer(&device);
        writer.setPageLayout(QPageLayout(
            QPageSize(plot.viewport().size(), QPageSize::Point, QString(), QPageSize::ExactMatch),
            QPageLayout::Portrait, QMarginsF(), QPageLayout::Point));
        QCPPainter painter;
        if (painter.begin(&writer)) {
            painter.setMode(QCPPainter::pmVectorized);
            painter.setWindow(plot.viewport());
            plot.toPainter(&painter);
            painter.end();
        }
    }
    return pdf;
}

} // namespace

ChartSnapshot TakeSnapshot(ChartPlot& plot, QByteArray samplesCsv) {
    return ChartSnapshot{plot.ScreenPicture(), plot.toPixmap(0, 0, PrintScale), Pdf(plot),
                         std::move(samplesCsv)};
}
