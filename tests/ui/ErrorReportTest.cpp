#include "ErrorReport.h"

#include "MessageRecorder.h"
#include "SpinEdit.h"
#include "StrictConversion.h"

#include <QApplication>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <stdexcept>
#include <utility>
#include <vector>

namespace {

// Records the reports under the given title; the title is gone for the next test.
struct Recorder : MessageRecorder {
    explicit Recorder(const QString& title = QString()) { SetProgramTitle(title); }
    ~Recorder() override { SetProgramTitle(QString()); }
};

using TextCase = std::pair<const char*, const char*>;

TEST(ProgramTitle, NameWithoutDirectoryAndExtensionsCapitalised) {
    const TextCase cases[] = {{"SIMULATOR.EXE", "Simulator"},
                              {"model.old.exe", "Model"},
                              {"C:\\Program Files\\Lab.2\\SIMULATOR.EXE", "Simulator"},
                              {"/usr/local/bin/busenje", "Busenje"},
                              {"/opt/v1.2/busenje", "Busenje"},
                              {"busenje", "Busenje"},
                              {"bUŠENJE.exe", "Bušenje"},
                              {"7ZIP.EXE", "7zip"},
                              {".hidden", ""},
                              {"", ""}};
    for (const auto& [path, title] : cases) {
        EXPECT_EQ(ProgramTitleFromPath(QString::fromUtf8(path)), QString::fromUtf8(title)) << path;
    }
}

TEST(ErrorReportText, FullStopOnlyAfterCharactersAboveTheFullStop) {
    const TextCase cases[] = {
        {"'' is not a valid integer value", "'' is not a valid integer value."},
        {"Cannot open file 20_6.BMP", "Cannot open file 20_6.BMP."},
        {"Nastaje lom burgije!", "Nastaje lom burgije!"},
        {"Stream read error.", "Stream read error."},
        {"ends with 5", "ends with 5."},
        {"slash/", "slash/."},
        {"minus-", "minus-"},
        {"comma,", "comma,"},
        {"quote'", "quote'"},
        {"", ""},
        {"ends in š", "ends in š."}};
    for (const auto& [message, shown] : cases) {
        EXPECT_EQ(ErrorReportText(QString::fromUtf8(message)), QString::fromUtf8(shown)) << message;
    }
}

TEST(ReportError, ShowsTitleAndFullStopWithoutBeep) {
    Recorder recorder(QStringLiteral("Simulator"));
    ReportError(ProgramError("Axis Maximum Value must be >= Minimum"));
    EXPECT_EQ(recorder.events,
              std::vector<std::string>{"report Simulator: Axis Maximum Value must be >= Minimum."});
}

TEST(ReportError, CaptionDefaultsToTheTitleOfTheProgramFile) {
    Recorder recorder;
    ReportError(ProgramError("Stream read error"));
    EXPECT_EQ(recorder.events,
              std::vector<std::string>{"report Uicontrolstest: Stream read error."});
    EXPECT_EQ(ProgramTitle(), QStringLiteral("Uicontrolstest"));
}

// A handler connected through Guarded stops at the error, keeps what it did
// before it, and the error is reported once at the boundary.
TEST(Guarded, ReportsAtTheBoundaryAndKeepsWhatTheHandlerDid) {
    Recorder recorder(QStringLiteral("Busenje"));
    QPushButton button(QStringLiteral("Proces"));
    button.show();
    int before = 0;
    int after = 0;
    QObject::connect(&button, &QPushButton::clicked, Guarded([&] {
        ++before;
        StrToIntStrict(QString());
        ++after;
    }));
    QTest::mouseClick(&button, Qt::LeftButton);
    QTest::mouseClick(&button, Qt::LeftButton);
    EXPECT_EQ(before, 2);
    EXPECT_EQ(after, 0);
    EXPECT_EQ(recorder.events,
              (std::vector<std::string>{"report Busenje: '' is not a valid integer value.",
                                        "report Busenje: '' is not a valid integer value."}));
}

TEST(Guarded, PassesTheSignalArgumentsAndCatchesOtherExceptions) {
    Recorder recorder(QStringLiteral("Busenje"));
    QLineEdit edit;
    QString seen;
    QObject::connect(&edit, &QLineEdit::textEdited, Guarded([&](const QString& text) {
        seen = text;
        throw std::out_of_range("out of range");
    }));
    edit.show();
    QTest::keyClicks(&edit, QStringLiteral("7"));
    EXPECT_EQ(seen, QStringLiteral("7"));
    EXPECT_EQ(recorder.events, std::vector<std::string>{"report Busenje: out of range."});
}

// The error of a typed decimal separator reaches the user as the report of the
// change handler, with the text as typed.
TEST(Guarded, SpinEditHandlerErrorForATypedDecimalSeparator) {
    Recorder recorder(QStringLiteral("Busenje"));
    QLocale::setDefault(QLocale(QStringLiteral("sr_Latn_RS")));
    SpinEdit spin(1, 20, 1, 6);
    int axisMaximum = 6000;
    QObject::connect(&spin, &SpinEdit::Changed,
                     Guarded([&] { axisMaximum = StrToIntStrict(spin.text()) * 1000; }));
    spin.show();
    spin.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&spin));
    spin.lineEdit()->setFocus();
    spin.lineEdit()->end(false);
    QTest::keyClicks(spin.lineEdit(), QStringLiteral(","));
    QLocale::setDefault(QLocale::c());
    EXPECT_EQ(recorder.events,
              std::vector<std::string>{"report Busenje: '6,' is not a valid integer value."});
    EXPECT_EQ(axisMaximum, 6000);
}

// An error on every tick is reported once: the timer is stopped before the
// report, so no tick follows it.
TEST(GuardedTick, StopsTheTimerAndReportsOnce) {
    Recorder recorder(QStringLiteral("Busenje"));
    QTimer timer;
    timer.setInterval(2);
    int ticks = 0;
    QObject::connect(&timer, &QTimer::timeout, GuardedTick(&timer, [&] {
        ++ticks;
        throw ProgramError("Cannot open file 20_6.BMP");
    }));
    timer.start();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !recorder.events.empty(); }, 2000));
    QTest::qWait(50);
    EXPECT_FALSE(timer.isActive());
    EXPECT_EQ(ticks, 1);
    EXPECT_EQ(recorder.events,
              std::vector<std::string>{"report Busenje: Cannot open file 20_6.BMP."});
}

TEST(GuardedTick, KeepsTheTimerRunningWhileTicksSucceed) {
    Recorder recorder;
    QTimer timer;
    timer.setInterval(1);
    int ticks = 0;
    QObject::connect(&timer, &QTimer::timeout, GuardedTick(&timer, [&] { ++ticks; }));
    timer.start();
    ASSERT_TRUE(QTest::qWaitFor([&] { return ticks >= 3; }, 2000));
    EXPECT_TRUE(timer.isActive());
    EXPECT_TRUE(recorder.events.empty());
}

} // namespace
