#include "MessageRecorder.h"
#include "ProgramWindows.h"
#include "RandomUser.h"
#include "SoundState.h"

#include <QApplication>
#include <QFile>

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

// A long run of the real window: ticks of the timer's handler with the user changing
// inputs, materials and the run between them, the frame pictures read from disk on
// every tick. Nothing may go wrong, and the memory must not creep.
TEST(Soak, HundredThousandTicksWithRandomInput) {
    ASSERT_TRUE(QFile::exists(QStringLiteral("20_6.BMP"))) << "run in build/bin";
    MessageRecorder sink;
    SimulationState state;
    ProgramWindows windows(state);
    const MainWindowControls& form = windows.Controls;
    std::mt19937 random(20261208);
    RandomUser user(form, [&random](int count) {
        return std::uniform_int_distribution<int>(0, count - 1)(random);
    });

    long residentAfterSettling = 0, heapAfterSettling = 0;
    int fullTicks = 0;
    for (int n = 1; n <= SoakTicks; ++n) {
        if (std::uniform_int_distribution<int>(0, 39)(random) == 0) {
            user.Act();
        }
        if (!form.Timer1->isActive()) {
            form.Button5->click();
            form.Button3->click();
        }
        const double before = state.TimeAxis[NewestSample];
        form.Tick();
        fullTicks += state.TimeAxis[NewestSample] != before ? 1 : 0;
        ASSERT_TRUE(IsSound(state)) << "tick " << n;
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
