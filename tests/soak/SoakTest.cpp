#include "MessageRecorder.h"
#include "ProgramWindows.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <random>

#if defined(__SANITIZE_ADDRESS__)
// The sanitizer runtime's count of live heap bytes (its quarantine not included).
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
#endif

namespace {

constexpr int SoakTicks = 100000;
constexpr int SettleTicks = 1000;

// Resident memory of the process, in bytes.
long ResidentBytes() {
    long pages = 0, resident = 0;
    if (FILE* statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2) {
            resident = 0;
        }
        std::fclose(statm);
    }
    return resident * 4096;
}

// Bytes the program holds on its heap (under AddressSanitizer, without its quarantine).
long HeapBytes() {
#if defined(__SANITIZE_ADDRESS__)
    return static_cast<long>(__sanitizer_get_current_allocated_bytes());
#else
    return -1;
#endif
}

bool Finite(const SimulationState& s) {
    for (int k = 0; k < SampleCapacity; ++k) {
        const auto i = static_cast<std::size_t>(k);
        if (!std::isfinite(s.TimeAxis[i]) || !std::isfinite(s.ForceTrace[i]) ||
            !std::isfinite(s.MomentTrace[i])) {
            return false;
        }
    }
    return std::isfinite(s.DrillTopY) && std::isfinite(s.TipY) && std::isfinite(s.ShearStress);
}

// A long run of the real window: ticks of the timer's handler with the user changing
// inputs, materials and the run between them, the frame pictures read from disk on
// every tick. Nothing may go wrong, and the memory must not creep.
TEST(Soak, HundredThousandTicksWithRandomInput) {
    ASSERT_TRUE(QFile::exists(QStringLiteral("20_6.BMP"))) << "run in build/bin";
    MessageRecorder sink;
    SimulationState state;
    ProgramWindows windows(state);
    const MainWindowControls& form = windows.Controls;
    const std::array<SpinEdit*, 7> spinEdits = {form.SpinEdit1, form.SpinEdit2, form.SpinEdit3,
                                                form.SpinEdit4, form.SpinEdit5, form.SpinEdit6,
                                                form.SpinEdit7};
    std::mt19937 random(20261208);
    auto pick = [&random](int count) {
        return std::uniform_int_distribution<int>(0, count - 1)(random);
    };

    long residentAfterSettling = 0, heapAfterSettling = 0;
    int fullTicks = 0;
    for (int n = 1; n <= SoakTicks; ++n) {
        if (pick(40) == 0) {
            switch (pick(8)) {
            case 0: {
                SpinEdit* spinEdit = spinEdits[static_cast<std::size_t>(pick(7))];
                const int value =
                    spinEdit->minimum() + pick(spinEdit->maximum() - spinEdit->minimum() + 1);
                spinEdit->setText(QString::number(value));
                break;
            }
            case 1:
                spinEdits[static_cast<std::size_t>(pick(7))]->setText(
                    pick(2) == 0 ? QStringLiteral("") : QStringLiteral("-7"));
                break;
            case 2:
                form.ComboBox1->setCurrentIndex(pick(5));
                form.ComboBox2->setCurrentIndex(pick(10));
                break;
            case 3:
                QTest::mouseClick(pick(2) == 0 ? form.RadioButton1 : form.RadioButton2,
                                  Qt::LeftButton);
                break;
            case 4:
                form.Button5->click();
                break;
            case 5:
                form.Button4->click();
                break;
            default:
                // Proces with an accepted pair; a refusal or a blocked pilot hole is fine.
                form.ComboBox1->setCurrentIndex(pick(5));
                form.ComboBox2->setCurrentIndex(3 + pick(3));
                form.Button3->click();
                break;
            }
        }
        if (!form.Timer1->isActive()) {
            form.Button5->click();
            form.Button3->click();
        }
        const double before = state.TimeAxis[NewestSample];
        form.Tick();
        fullTicks += state.TimeAxis[NewestSample] != before ? 1 : 0;
        ASSERT_TRUE(Finite(state)) << "tick " << n;
        ASSERT_LE(state.CutDiameter, state.DrillDiameter) << "tick " << n;
        if (n % 500 == 0) {
            QApplication::processEvents(); // the repaints a running program would do
        }
        if (n == SettleTicks) {
            residentAfterSettling = ResidentBytes();
            heapAfterSettling = HeapBytes();
        }
    }
    QApplication::processEvents();
    const long resident = ResidentBytes();
    const long heap = HeapBytes();
    std::printf("soak: %d ticks (%d full), %d boxes, %d error reports\n", SoakTicks, fullTicks,
                sink.boxes, sink.reports);
    std::printf("soak: resident %.1f MB after %d ticks, %.1f MB after %d\n",
                residentAfterSettling / 1048576.0, SettleTicks, resident / 1048576.0, SoakTicks);
    if (heap >= 0) {
        // The sanitizer's allocator keeps freed memory in quarantine and caches, so the
        // resident size says little there; the live heap must stay level.
        std::printf("soak: heap %.1f MB after %d ticks, %.1f MB after %d\n",
                    heapAfterSettling / 1048576.0, SettleTicks, heap / 1048576.0, SoakTicks);
        EXPECT_LT(heap - heapAfterSettling, 4L * 1048576);
    } else {
        EXPECT_LT(resident - residentAfterSettling, 8L * 1048576);
    }
    EXPECT_GT(fullTicks, SoakTicks / 2);
    // Texts typed badly are reported; a frame picture must never fail.
    for (const std::string& event : sink.events) {
        EXPECT_TRUE(event.find("file") == std::string::npos &&
                    event.find("Bitmap") == std::string::npos &&
                    event.find("Stream") == std::string::npos)
            << event;
    }
}

} // namespace
