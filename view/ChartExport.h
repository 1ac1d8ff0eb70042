#pragma once

#include "ChartLayers.h"

#include <QByteArray>
#include <QPixmap>

// The chart as it stood at one moment, in every form in which it is saved or copied.
struct ChartSnapshot {
    QPixmap Picture;      // at the chart's size, as on the screen
    QPixmap PrintPicture; // the same at twice the size
    QByteArray Pdf;       // a page of the chart's size, drawn as lines and text
    QByteArray SamplesCsv;
};

// The chart as `plot` draws it now, with the table of its samples.
ChartSnapshot TakeSnapshot(ChartPlot& plot, QByteArray samplesCsv);
