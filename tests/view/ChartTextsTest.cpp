#include "ChartTexts.h"

#include <QLocale>
#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

TEST(FormatTickLabelTest, GroupsThousandsAndDropsTrailingZeros) {
    struct Case {
        double Value;
        const char* C;
        const char* German;
    };
    const QLocale german(QLocale::German, QLocale::Germany);
    for (const Case& c :
         {Case{6000, "6,000", "6.000"}, Case{0.125, "0.125", "0,125"}, Case{1.5, "1.5", "1,5"},
          Case{0, "0", "0"}, Case{60, "60", "60"}, Case{-34.72, "-34.72", "-34,72"},
          Case{20000, "20,000", "20.000"}, Case{1234567.25, "1,234,567.25", "1.234.567,25"},
          Case{0.0006, "0.001", "0,001"}, Case{-0.0004, "0", "0"}, Case{2.0004, "2", "2"},
          Case{1e-16, "0", "0"}}) {
        EXPECT_EQ(FormatTickLabel(c.Value, QLocale::c()).toStdString(), c.C) << c.Value;
        EXPECT_EQ(FormatTickLabel(c.Value, german).toStdString(), c.German) << c.Value;
    }
}

// The read-out in C's and in German's separators, and in Polish, which groups thousands
// with a no-break space from five digits on; times before the start are negative.
TEST(ReadOutTextTest, TwoDecimalsForTimeAndMomentTheForceWhole) {
    struct Case {
        double Time, Force, Moment;
        QLocale Locale;
        const char* Text;
    };
    const QLocale german(QLocale::German, QLocale::Germany);
    const QLocale polish(QLocale::Polish, QLocale::Poland);
    for (const Case& c : {
             Case{7.35, 4728.79, 40.850, QLocale::c(), "t = 7.35 s   F = 4,729 N   M = 40.85 Nm"},
             Case{7.35, 4728.79, 40.850, german, "t = 7,35 s   F = 4.729 N   M = 40,85 Nm"},
             Case{7.35, 14728.79, 40.850, polish, "t = 7,35 s   F = 14\u00a0729 N   M = 40,85 Nm"},
             Case{-34.716981, 0, 0, german, "t = -34,72 s   F = 0 N   M = 0,00 Nm"},
             Case{0.004, 12345.5, 0.125, QLocale::c(), "t = 0.00 s   F = 12,346 N   M = 0.13 Nm"},
         }) {
        EXPECT_EQ(ReadOutText(c.Time, c.Force, c.Moment, c.Locale).toStdString(), c.Text) << c.Text;
    }
}

// A table for the spreadsheets of the locale, read back to the very samples: ";" between
// columns with a decimal comma, "," with a decimal point.
TEST(SamplesCsvTest, ReadsBackToTheSamplesInTheLocalesSpreadsheetForm) {
    const QVector<QCPGraphData> force = {{-34.716981132075475, 0.0},
                                         {0.12578616352201258, 4736.1702156842957},
                                         {18.86792452830192, 1e-7}};
    const QVector<QCPGraphData> moment = {{-34.716981132075475, 0.0},
                                          {0.12578616352201258, 40.913862371786493},
                                          {18.86792452830192, 60.0}};
    struct Case {
        QLocale Locale;
        QChar Separator;
        QChar Decimal;
    };
    for (const Case& c :
         {Case{QLocale::c(), u',', u'.'},
          Case{QLocale(QLocale::German, QLocale::Germany), u';', u','},
          Case{QLocale(QLocale::Serbian, QLocale::LatinScript, QLocale::Serbia), u';', u','}}) {
        const QStringList lines =
            QString::fromUtf8(SamplesCsv(force, moment, c.Locale)).split(u'\n');
        ASSERT_EQ(lines.size(), force.size() + 2) << "a line a sample after the names, and an end";
        EXPECT_EQ(lines.front(),
                  QStringLiteral("Vreme (s)%1Aksijalni otpor (N)%1Moment (Nm)").arg(c.Separator));
        EXPECT_TRUE(lines.back().isEmpty());
        for (qsizetype k = 0; k < force.size(); ++k) {
            const QStringList cells = lines[k + 1].split(c.Separator);
            ASSERT_EQ(cells.size(), 3) << lines[k + 1].toStdString();
            const double expected[] = {force[k].key, force[k].value, moment[k].value};
            for (int i = 0; i < 3; ++i) {
                EXPECT_FALSE(cells[i].contains(c.Decimal == u',' ? u'.' : u','))
                    << cells[i].toStdString();
                bool ok = false;
                EXPECT_EQ(QString(cells[i]).replace(c.Decimal, u'.').toDouble(&ok), expected[i]);
                EXPECT_TRUE(ok) << cells[i].toStdString();
            }
        }
    }
}

// Each kept run adds its time, force and moment under its name, quoted where the name holds
// the separator; a kept run of fewer samples leaves its cells empty below its last.
TEST(SamplesCsvTest, KeptRunsAddTheirColumnsUnderTheirNames) {
    const QVector<QCPGraphData> force = {{0.0, 1.0}, {0.5, 2.5}};
    const QVector<QCPGraphData> moment = {{0.0, 0.25}, {0.5, 3.0}};
    const std::vector<KeptSamples> kept = {
        {QStringLiteral("s = 0,2; v = 30"), {{-1.0, 4.0}}, {{-1.0, 0.5}}},
        {QStringLiteral("proces 2"), {{0.0, 7.0}, {1.5, 8.0}}, {{0.0, 9.0}, {1.5, 10.0}}}};
    struct Case {
        QLocale Locale;
        const char* Lines;
    };
    const Case cases[] = {
        {QLocale::c(),
         "Vreme (s),Aksijalni otpor (N),Moment (Nm),\"Vreme (s), s = 0,2; v = 30\","
         "\"Aksijalni otpor (N), s = 0,2; v = 30\",\"Moment (Nm), s = 0,2; v = 30\","
         "\"Vreme (s), proces 2\",\"Aksijalni otpor (N), proces 2\",\"Moment (Nm), proces 2\"\n"
         "0,1,0.25,-1,4,0.5,0,7,9\n"
         "0.5,2.5,3,,,,1.5,8,10\n"},
        {QLocale(QLocale::Serbian, QLocale::LatinScript, QLocale::Serbia),
         "Vreme (s);Aksijalni otpor (N);Moment (Nm);\"Vreme (s), s = 0,2; v = 30\";"
         "\"Aksijalni otpor (N), s = 0,2; v = 30\";\"Moment (Nm), s = 0,2; v = 30\";"
         "Vreme (s), proces 2;Aksijalni otpor (N), proces 2;Moment (Nm), proces 2\n"
         "0;1;0,25;-1;4;0,5;0;7;9\n"
         "0,5;2,5;3;;;;1,5;8;10\n"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SamplesCsv(force, moment, c.Locale, kept).toStdString(), c.Lines);
    }
}

} // namespace
