#include "MessageRecorder.h"
#include "ProgramWindows.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>

// Drives a real main window with a sequence of user actions decoded from the input:
// typing, pasting, arrow steps and focus changes on the spin edits, picks and typed text
// in the material lists, the radio buttons, the five buttons and ticks of the timer.
// After every action the state must hold no NaN or infinity, the animation phase must be
// 0..5, and after every tick the diameter in cut must not exceed the drill's.

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

constexpr std::string_view TypedCharacters = "0123456789+-,.$xXaF \r\b";

QString Text(Input& input, std::string_view alphabet) {
    QString text;
    const int length = input.Next() % 8;
    for (int i = 0; i < length; ++i) {
        text += QChar::fromLatin1(alphabet[input.Next() % alphabet.size()]);
    }
    return text;
}

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

void CheckState(const SimulationState& s) {
    const double values[] = {s.DrillDiameter, s.CuttingSpeed,  s.Feed,           s.SpindleSpeed,
                             s.TimeStep,      s.DrillTopY,     s.TipY,           s.ShoulderY,
                             s.CutDiameter,   s.HoleDepth,     s.CutDepth,       s.SectionModulus,
                             s.ShearStress,   s.AllowedStress, s.ForceBaseDrill, s.MomentBaseDrill,
                             s.ForceBaseReam, s.MomentBaseReam};
    for (double value : values) {
        Check(std::isfinite(value));
    }
    for (int k = 0; k < SampleCapacity; ++k) {
        const auto i = static_cast<std::size_t>(k);
        Check(std::isfinite(s.TimeAxis[i]) && std::isfinite(s.ForceTrace[i]) &&
              std::isfinite(s.MomentTrace[i]));
    }
    Check(s.FrameCounter >= 0 && s.FrameCounter <= 5);
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
    const std::array<SpinEdit*, 7> spinEdits = {form.SpinEdit1, form.SpinEdit2, form.SpinEdit3,
                                                form.SpinEdit4, form.SpinEdit5, form.SpinEdit6,
                                                form.SpinEdit7};
    const std::array<QPushButton*, 5> buttons = {form.Button1, form.Button2, form.Button3,
                                                 form.Button4, form.Button5};

    Input input(data, size);
    for (int action = 0; action < 200 && !input.Empty(); ++action) {
        const std::uint8_t op = input.Next();
        SpinEdit* spinEdit = spinEdits[input.Next() % spinEdits.size()];
        QComboBox* combo = (op & 0x80) != 0 ? form.ComboBox1 : form.ComboBox2;
        switch (op % 10) {
        case 0:
            QTest::keyClicks(spinEdit->lineEdit(), Text(input, TypedCharacters));
            break;
        case 1: {
            constexpr std::string_view any = "0123456789abcdefxX$+- ,.\t";
            spinEdit->setText(Text(input, any));
            break;
        }
        case 2:
            QTest::keyClick(spinEdit->lineEdit(), (op & 0x10) != 0 ? Qt::Key_Up : Qt::Key_Down);
            break;
        case 3:
            spinEdit->lineEdit()->setFocus();
            break;
        case 4:
            combo->setCurrentIndex(static_cast<int>(input.Next() % 12) - 1);
            break;
        case 5:
            QTest::keyClicks(combo->lineEdit(), Text(input, TypedCharacters));
            break;
        case 6:
            QTest::mouseClick((op & 0x10) != 0 ? form.RadioButton1 : form.RadioButton2,
                              Qt::LeftButton);
            break;
        case 7:
            QTest::mouseClick(buttons[input.Next() % buttons.size()], Qt::LeftButton);
            break;
        default:
            for (int n = input.Next() % 64; n >= 0; --n) {
                form.Tick();
                CheckState(state);
                Check(state.CutDiameter <= state.DrillDiameter);
            }
            break;
        }
        CheckState(state);
    }
    return 0;
}
