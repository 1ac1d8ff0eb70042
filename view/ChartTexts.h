#pragma once

#include <QByteArray>
#include <QLocale>
#include <QString>
#include <QVector>
#include <qcustomplot.h>

// The chart's numbers as text: its axes' labels, the read-out and the table of its samples.

// Tick label of the chart's axes: thousands grouped, at most three decimals, trailing
// zeros dropped, in the given locale's separators (6000 -> "6,000", 0.125 -> "0.125").
QString FormatTickLabel(double value, const QLocale& locale);

// The read-out of the sample under the pointer: "t = 7,35 s   F = 4 729 N   M = 40,85 Nm",
// time and moment to two decimals, the force whole, in the locale's separators.
QString ReadOutText(double time, double force, double moment, const QLocale& locale);

// The samples as a table for spreadsheets: a line of column names, then one line per
// sample (time s, force N, moment Nm), each number as short as reads back to the same
// value. Where the locale writes a decimal comma its spreadsheets expect ";" between the
// columns, elsewhere ",".
QByteArray SamplesCsv(const QVector<QCPGraphData>& force, const QVector<QCPGraphData>& moment,
                      const QLocale& locale);
