#include "ChartTexts.h"

#include "UserTexts.h"
#include "Utf8Text.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int TickLabelDecimals = 3;

} // namespace

QLocale Grouped(const QLocale& locale) {
    QLocale grouped = locale;
    grouped.setNumberOptions(grouped.numberOptions() & ~QLocale::OmitGroupSeparator);
    return grouped;
}

QString FormatTickLabel(double value, const QLocale& locale) {
    const QLocale grouped = Grouped(locale);
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
    const QLocale grouped = Grouped(locale);
    return FromUtf8(ReadOutFormat)
        .arg(grouped.toString(time, 'f', 2), grouped.toString(force, 'f', 0),
             grouped.toString(moment, 'f', 2));
}

QString KeptReadOutText(const QString& name, double force, double moment, const QLocale& locale) {
    const QLocale grouped = Grouped(locale);
    return FromUtf8(KeptReadOutFormat)
        .arg(name, grouped.toString(force, 'f', 0), grouped.toString(moment, 'f', 2));
}

QChar CsvSeparator(const QLocale& locale) {
    return locale.decimalPoint() == QStringLiteral(",") ? u';' : u',';
}

// The numbers are written with the digits, point and minus of C, the point turned into
// the locale's comma where it has one: spreadsheets read them so whatever minus sign the
// locale itself writes.
QString CsvNumber(double value, const QLocale& locale) {
    QString text = QString::number(value, 'g', QLocale::FloatingPointShortest);
    return CsvSeparator(locale) == u';' ? text.replace(u'.', u',') : text;
}

QString CsvField(const QString& text, QChar separator) {
    if (!text.contains(separator) && !text.contains(u'"') && !text.contains(u'\n')) {
        return text;
    }
    QString quoted = text;
    quoted.replace(QStringLiteral("\""), QStringLiteral("\"\""));
    return u'"' + quoted + u'"';
}

QByteArray SamplesCsv(const QVector<QCPGraphData>& force, const QVector<QCPGraphData>& moment,
                      const QLocale& locale, const std::vector<KeptSamples>& kept) {
    const QChar separator = CsvSeparator(locale);
    QString table = FromUtf8(SamplesColumnsFormat).arg(separator);
    const QStringList columns = FromUtf8(SamplesColumnsFormat).split(QStringLiteral("%1"));
    for (const KeptSamples& run : kept) {
        for (const QString& column : columns) {
            table += separator +
                     CsvField(FromUtf8(KeptSamplesColumnFormat).arg(column, run.Name), separator);
        }
    }
    table += u'\n';
    // One time's samples: the time, the force and the moment.
    const auto sample = [&](const QCPGraphData& forceAt, const QCPGraphData& momentAt) {
        return CsvNumber(forceAt.key, locale) + separator + CsvNumber(forceAt.value, locale) +
               separator + CsvNumber(momentAt.value, locale);
    };
    for (qsizetype k = 0; k < std::min(force.size(), moment.size()); ++k) {
        table += sample(force[k], moment[k]);
        for (const KeptSamples& run : kept) {
            if (k < std::min(run.Force.size(), run.Moment.size())) {
                table += separator + sample(run.Force[k], run.Moment[k]);
            } else {
                table += QString(separator).repeated(3);
            }
        }
        table += u'\n';
    }
    return table.toUtf8();
}
