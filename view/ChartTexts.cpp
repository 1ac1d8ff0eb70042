#include "ChartTexts.h"

#include "UserTexts.h"
#include "Utf8Text.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int TickLabelDecimals = 3;

} // namespace

QString FormatTickLabel(double value, const QLocale& locale) {
    QLocale grouped = locale;
    grouped.setNumberOptions(grouped.numberOptions() & ~QLocale::OmitGroupSeparator);
    // Values that round to zero at three decimals are shown as "0", never "-0".
    if (std::abs(value) < 0.0005) {
        value = 0.0;
    }
    QString text = grouped.toString(value, 'f', TickLabelDecimals);
    const QString point = grouped.decimalPoint();
    const qsizetype pointAt = text.lastIndexOf(point);
    if (pointAt >= 0) {
        const QString zero = grouped.zeroDigit();
        while (text.size() > pointAt + point.size() && text.endsWith(zero)) {
            text.chop(zero.size());
        }
        if (text.size() == pointAt + point.size()) {
            text.chop(point.size());
        }
    }
    return text;
}

QString ReadOutText(double time, double force, double moment, const QLocale& locale) {
    QLocale grouped = locale;
    grouped.setNumberOptions(grouped.numberOptions() & ~QLocale::OmitGroupSeparator);
    return FromUtf8(ReadOutFormat)
        .arg(grouped.toString(time, 'f', 2), grouped.toString(force, 'f', 0),
             grouped.toString(moment, 'f', 2));
}

// The numbers are written with the digits, point and minus of C, the point turned into
// the locale's comma where it has one: spreadsheets read them so whatever minus sign the
// locale itself writes.
QByteArray SamplesCsv(const QVector<QCPGraphData>& force, const QVector<QCPGraphData>& moment,
                      const QLocale& locale) {
    const bool decimalComma = locale.decimalPoint() == QStringLiteral(",");
    const QChar separator = decimalComma ? u';' : u',';
    const auto number = [decimalComma](double value) {
        QString text = QString::number(value, 'g', QLocale::FloatingPointShortest);
        return decimalComma ? text.replace(u'.', u',') : text;
    };
    QString table = FromUtf8(SamplesColumnsFormat).arg(separator) + u'\n';
    for (qsizetype k = 0; k < std::min(force.size(), moment.size()); ++k) {
        table += number(force[k].key) + separator + number(force[k].value) + separator +
                 number(moment[k].value) + u'\n';
    }
    return table.toUtf8();
}
