#include "MessageRecorder.h"
#include "ProgramWindows.h"
#include "RandomUser.h"
#include "SoundState.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>

#include <cstdint>
#include <cstdlib>

// Drives a real main window with a sequence of the random user's actions and ticks of the
// timer, decoded from the input. After every action the state must be sound (no NaN or
// infinity, the animation phase 0..5), and after every tick the diameter in cut must not
// exceed the drill's.

namespace {

class Input {
  public:
    Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    bool Empty() const { return position_ >= size_; }
    std::uint8_t Next() { return Empty() ? 0 : data_[position_++]; }

  private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t position_ = 0;
};

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication* application = new QApplication(*argc, *argv);
    (void)application;
    // The frame pictures lie beside the program.
    QDir::setCurrent(QFileInfo(QString::fromLocal8Bit((*argv)[0])).absolutePath());
    // Boxes are counted, not shown, so that nothing blocks.
    static MessageRecorder* sink = new MessageRecorder;
    sink->keepEvents = false;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    SimulationState state;
    ProgramWindows windows(state);
    const MainWindowControls& form = windows.Controls;
    Input input(data, size);
    RandomUser user(
        form, [&input](int count) { return input.Next() % count; }, true);
    for (int action = 0; action < 200 && !input.Empty(); ++action) {
        if (input.Next() % 10 == 0) {
            for (int n = input.Next() % 64; n >= 0; --n) {
                form.Tick();
                Check(IsSound(state));
                Check(state.CutDiameter <= state.DrillDiameter);
            }
        } else {
            user.Act();
        }
        Check(IsSound(state));
    }
    return 0;
}
