#pragma once

#include <QByteArray>
#include <QLocale>
#include <QString>
#include <QVector>
#include <qcustomplot.h>

#include <vector>

// The chart's numbers as text: its axes' labels, the read-out and the table of its samples.

// The locale that writes its numbers with the thousands grouped ("6.311"), as the chart
// and the table of runs show them.
QLocale Grouped(const QLocale& locale);

// Tick label of the chart's axes: thousands grouped, at most three decimals, trailing
// zeros dropped, in the given locale's separators (6000 -> "6,000", 0.125 -> "0.125").
QString FormatTickLabel(double value, const QLocale& locale);

// The read-out of the sample under the pointer: "t = 7,35 s   F = 4 729 N   M = 40,85 Nm",
// time and moment to two decimals, the force whole, in the locale's separators.
QString ReadOutText(double time, double force, double moment, const QLocale& locale);

// A kept run's line of the read-out: "s = 0,2:   F = 3 100 N   M = 28,40 Nm", named by
// `name`, the numbers as in the read-out.
QString KeptReadOutText(const QString& name, double force, double moment, const QLocale& locale);

// A kept run's samples, under its name.
struct KeptSamples {
    QString Name;
    QVector<QCPGraphData> Force;
    QVector<QCPGraphData> Moment;
};

// The samples as a table for spreadsheets: a line of column names, then one line per
// sample (time s, force N, moment Nm), each number as short as reads back to the same
// value. Where the locale writes a decimal comma its spreadsheets expect ";" between the
// columns, elsewhere ",". Each kept run adds its own three columns, named with its name,
// which is quoted where it holds the separator.
QByteArray SamplesCsv(const QVector<QCPGraphData>& force, const QVector<QCPGraphData>& moment,
                      const QLocale& locale, const std::vector<KeptSamples>& kept = {});

// A field of such a table: quoted where it holds the separator, a quote or a line break,
// with its quotes doubled.
QString CsvField(const QString& text, QChar separator);

// The table's separator for `locale`: ";" where it writes a decimal comma, else ",".
QChar CsvSeparator(const QLocale& locale);

// A number of such a table, as short as reads back to the same value, with the locale's
// decimal comma where it has one.
QString CsvNumber(double value, const QLocale& locale);
