#include "ChartTexts.h"
#include "MainWindowFixture.h"
#include "UserTexts.h"

#include <QAction>
#include <QApplication>
#include <QImage>
#include <QWindow>

#include <algorithm>
#include <string_view>

namespace {

const QRgb LiveForce = qRgb(255, 128, 128);
const QRgb LiveMoment = qRgb(128, 255, 255);
const QRgb KeptForce = qRgb(153, 77, 77);
const QRgb KeptMoment = qRgb(77, 153, 153);

// Runs compared as a student compares them: with the mouse on the chart's menu, the keys
// on the inputs and the buttons of the window.
class RunComparison : public MainWindow {
  protected:
    // The first run: both first materials, "Proces", `ticks` ticks.
    void FirstRun(int ticks) {
        Pick(form1->ComboBox1, 0);
        Pick(form1->ComboBox2, 0);
        Proces(ticks);
    }
    // The feed `steps` steps of 0.05 mm/rev up, back to the start, and a run of `ticks`.
    void NextRun(int steps, int ticks) {
        form1->SpinEdit3->lineEdit()->setFocus();
        for (int i = 0; i < steps; ++i) {
            QTest::keyClick(form1->SpinEdit3->lineEdit(), Qt::Key_Up);
        }
        QTest::mouseClick(form1->Button5, Qt::LeftButton);
        Proces(ticks);
    }
    void Proces(int ticks) {
        QTest::mouseClick(form1->Button3, Qt::LeftButton);
        form1->Timer1->stop();
        form1->Tick(ticks);
        QApplication::processEvents();
    }
    // A right click on the chart, then the pointer onto the item and a click: whether the
    // item was enabled. The clicks reach the windows as the windowing system's do, through
    // the windows' own event handling: with Qt 6.8 a press handed straight to the menu's
    // widget closes the menu without triggering the item.
    bool Choose(std::string_view item) {
        QWidget* plot = form1->ChartProbe.Plot();
        const QPoint centre = form1->ChartProbe.PlottingArea().center();
        QTest::mouseClick(plot->window()->windowHandle(), Qt::RightButton, Qt::NoModifier,
                          plot->mapTo(plot->window(), centre));
        auto* menu = window->findChild<QMenu*>(QStringLiteral("ChartMenu"));
        if (menu == nullptr || !menu->isVisible()) {
            ADD_FAILURE() << "no menu";
            return false;
        }
        for (QAction* action : menu->actions()) {
            if (action->text() == QString::fromUtf8(item.data(), item.size())) {
                const bool enabled = action->isEnabled();
                const QPoint at = menu->actionGeometry(action).center();
                QTest::mouseMove(menu->windowHandle(), at);
                QTest::mouseClick(menu->windowHandle(), Qt::LeftButton, Qt::NoModifier, at);
                menu->close();
                PointerAway();
                return enabled;
            }
        }
        ADD_FAILURE() << "no item " << item;
        return false;
    }
    // The pointer leaves the chart, and the read-out with it.
    void PointerAway() {
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(form1->ChartProbe.Plot(), &leave);
        QApplication::processEvents();
    }
    QImage Chart() {
        form1->ChartProbe.Plot()->replot();
        const QImage image = form1->Chart1->grab().toImage();
        // BUSENJE_CHART_PNG names a path prefix under which to keep the picture to look at.
        if (const QByteArray prefix = qgetenv("BUSENJE_CHART_PNG"); !prefix.isEmpty()) {
            image.save(
                QString::fromLocal8Bit(prefix) +
                QString::fromLatin1(testing::UnitTest::GetInstance()->current_test_info()->name()) +
                QStringLiteral(".png"));
        }
        return image;
    }
    // The first line of the samples as the chart's menu saves them.
    QString SamplesHeader() const {
        return QString::fromUtf8(form1->Chart1->Snapshot().SamplesCsv).section(u'\n', 0, 0);
    }
    // "s = 0,2" in the chart's locale.
    QString Feed(const char* value) const {
        return QStringLiteral("s = ") +
               QString::fromLatin1(value).replace(
                   u'.', form1->ChartProbe.Plot()->locale().decimalPoint());
    }
    int Count(const QImage& image, QRgb colour) const {
        int count = 0;
        const QRect area = form1->ChartProbe.PlottingArea();
        for (int y = area.top(); y <= area.bottom(); ++y) {
            for (int x = area.left(); x <= area.right(); ++x) {
                count += image.pixel(x, y) == colour;
            }
        }
        return count;
    }
};

// Kept after 150 ticks at 0.2 mm/rev, the run lies beneath the next one at 0.25 mm/rev over
// the same times: dimmed and dashed where they part, the live traces whole where they meet.
TEST_F(RunComparison, TheKeptRunLiesBeneathTheNextOne) {
    FirstRun(150);
    EXPECT_TRUE(Choose(KeepTracesText));
    NextRun(1, 150);
    PointerAway();
    const QImage image = Chart();
    EXPECT_EQ(form1->ChartProbe.KeyNames(), QStringList{Feed("0.2")});
    EXPECT_EQ(form1->ChartProbe.KeyPatterns(), std::vector<Qt::PenStyle>{Qt::DashLine});
    const QChar separator = CsvSeparator(form1->ChartProbe.Plot()->locale());
    EXPECT_TRUE(SamplesHeader().endsWith(
        separator + CsvField(QStringLiteral("Moment (Nm), ") + Feed("0.2"), separator)))
        << SamplesHeader().toStdString();
    for (QRgb colour : {LiveForce, LiveMoment, KeptForce, KeptMoment}) {
        EXPECT_GT(Count(image, colour), 20) << std::hex << colour;
    }
    // Before the runs' start both lie at 0 along the bottom row, the live moment over all
    // but the time axis's tick marks.
    const QRect area = form1->ChartProbe.PlottingArea();
    const int start = static_cast<int>(form1->ChartProbe.Plot()->xAxis->coordToPixel(0.0));
    const QRect key = form1->ChartProbe.KeyBox();
    EXPECT_LT(key.bottom(), area.bottom() - 20);
    int liveAtZero = 0;
    for (int x = area.left() + 8; x < start - 2; ++x) {
        const QRgb pixel = image.pixel(x, area.bottom());
        EXPECT_TRUE(pixel == LiveMoment || pixel == qRgb(0, 0, 0)) << x;
        liveAtZero += pixel == LiveMoment;
    }
    EXPECT_GT(liveAtZero, (start - area.left()) * 3 / 4);
    // At the newest samples the kept force, fed less, stands below the live force.
    const int newest = static_cast<int>(
        form1->ChartProbe.Plot()->xAxis->coordToPixel(form1->ChartProbe.TimeAxisRange().Maximum));
    int keptAbove = 0, keptBelow = 0;
    for (int x = newest - 12; x < newest; ++x) {
        int live = -1, kept = -1;
        for (int y = area.top(); y <= area.bottom(); ++y) {
            live = live < 0 && image.pixel(x, y) == LiveForce ? y : live;
            kept = kept < 0 && image.pixel(x, y) == KeptForce ? y : kept;
        }
        if (live >= 0 && kept >= 0) {
            (kept > live ? keptBelow : keptAbove) += 1;
        }
    }
    EXPECT_GT(keptBelow, 0);
    EXPECT_EQ(keptAbove, 0);
    // The key stands in the plotting area's top left corner, white letters on its shade.
    EXPECT_TRUE(area.contains(key));
    int white = 0;
    for (int y = key.top(); y <= key.bottom(); ++y) {
        for (int x = key.left(); x <= key.right(); ++x) {
            const QColor pixel(image.pixel(x, y));
            white += std::min({pixel.red(), pixel.green(), pixel.blue()}) > 180;
        }
    }
    EXPECT_GT(white, 10);
}

// The key names the runs by what differs; a fourth keep takes the place, and the pattern,
// of the oldest; removing them takes away the key, the dimmed traces and their time.
TEST_F(RunComparison, AFourthKeepReplacesTheOldestAndRemoveTakesAllAway) {
    FirstRun(100);
    EXPECT_TRUE(Choose(KeepTracesText));
    // Kept with the inputs of the run under way, the run is named by its number until the
    // next run's inputs differ.
    EXPECT_EQ(form1->ChartProbe.KeyNames(), QStringList{QStringLiteral("proces 1")});
    for (int run = 1; run <= 3; ++run) {
        NextRun(1, 100);
        EXPECT_TRUE(Choose(KeepTracesText));
    }
    NextRun(1, 100);
    EXPECT_EQ(form1->ChartProbe.KeyNames(), QStringList({Feed("0.25"), Feed("0.3"), Feed("0.35")}));
    EXPECT_EQ(form1->ChartProbe.KeyPatterns(),
              (std::vector<Qt::PenStyle>{Qt::DotLine, Qt::DashDotLine, Qt::DashLine}));
    const AxisRange live = form1->ChartProbe.TimeAxisRange();
    EXPECT_TRUE(Choose(RemoveKeptTracesText));
    const QImage image = Chart();
    EXPECT_TRUE(form1->ChartProbe.KeyNames().isEmpty());
    EXPECT_TRUE(form1->ChartProbe.KeyBox().isEmpty());
    EXPECT_EQ(Count(image, KeptForce) + Count(image, KeptMoment), 0);
    EXPECT_EQ(form1->ChartProbe.TimeAxisRange(), live) << "the same times: nothing to drop";
    EXPECT_EQ(SamplesHeader(), QStringLiteral("Vreme (s)%1Aksijalni otpor (N)%1Moment (Nm)")
                                   .arg(CsvSeparator(form1->ChartProbe.Plot()->locale())));
    EXPECT_FALSE(Choose(RemoveKeptTracesText));
    // Back at the start there is no run to keep.
    QTest::mouseClick(form1->Button5, Qt::LeftButton);
    EXPECT_FALSE(Choose(KeepTracesText));
    EXPECT_TRUE(form1->ChartProbe.KeyNames().isEmpty());
}

// A kept run of other times widens the automatic time axis to its own, and the read-out
// gives its values where it was sampled.
TEST_F(RunComparison, TheReadOutGivesTheKeptRunsValues) {
    FirstRun(200);
    const auto* kept = form1->ChartProbe.Series1()->data().data();
    QVector<QCPGraphData> keptForce(kept->constBegin(), kept->constEnd());
    const auto* keptMomentData = form1->ChartProbe.Series2()->data().data();
    QVector<QCPGraphData> keptMoment(keptMomentData->constBegin(), keptMomentData->constEnd());
    EXPECT_TRUE(Choose(KeepTracesText));
    NextRun(2, 100);
    // 100 ticks of the same time step: the kept run reaches 100 steps further.
    EXPECT_EQ(form1->ChartProbe.TimeAxisRange().Maximum, keptForce.back().key);
    EXPECT_DOUBLE_EQ(form1->ChartProbe.TimeAxisRange().Minimum,
                     form1->ChartProbe.Series1()->data()->constBegin()->key);
    const QRect area = form1->ChartProbe.PlottingArea();
    // At the left the live run alone was sampled; the kept run began 100 steps later.
    int alone = 0;
    for (int x : {area.left() + 40, area.center().x(), area.right() - 30}) {
        QTest::mouseMove(form1->ChartProbe.Plot(), QPoint(x, area.center().y()));
        const QStringList lines = form1->ChartProbe.ReadOut().split(u'\n');
        const double time = form1->ChartProbe.Plot()->xAxis->pixelToCoord(
            form1->ChartProbe.ReadOutLineX() - form1->ChartProbe.Plot()->pos().x());
        if (time < keptForce.front().key - 0.1) {
            EXPECT_EQ(lines.size(), 1) << x;
            ++alone;
            continue;
        }
        ASSERT_EQ(lines.size(), 2) << x;
        qsizetype nearest = 0;
        for (qsizetype k = 1; k < keptForce.size(); ++k) {
            nearest = std::abs(keptForce[k].key - time) < std::abs(keptForce[nearest].key - time)
                          ? k
                          : nearest;
        }
        EXPECT_EQ(lines[1],
                  KeptReadOutText(Feed("0.2"), keptForce[nearest].value, keptMoment[nearest].value,
                                  form1->ChartProbe.Plot()->locale()))
            << x;
    }
    EXPECT_EQ(alone, 1);
}

} // namespace
