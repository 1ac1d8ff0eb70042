#pragma once

#include "DrawScene.h"
#include "FileSaver.h"
#include "ProcessTick.h"
#include "RunLog.h"
#include "SimulationState.h"
#include "StartValues.h"

#include <QImage>
#include <QRect>
#include <QWidget>

class ChartMenu;
class ImageView;
class Oscillograph;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTimer;
class RunTable;
class SpinEdit;

// The main window: the machining inputs, the material lists, the five buttons, the
// cross-section and the oscillograph. Its handlers are thin: they read a control's
// text, convert it, let the simulation do the arithmetic, redraw, and show a box last.
//
// The controls keep the numbered names the program has always used; each is also its
// object name, by which tests find it. What each one is for:
//
//   Image1        the cross-section of drill and workpiece
//   Button1       "Exit": closes the window and ends the program
//   Button2       "Help": shows the instructions window
//   Panel1        the panel of the machining inputs, headed by Label1
//   Edit1         the drill diameter in mm, written by the program, read-only
//   SpinEdit1     drill size 1..7 (5 to 35 mm in steps of 5), step 1, arrows only (Label2)
//   RadioButton1  drilling into solid material, captioned by Label12
//   RadioButton2  enlarging a pre-drilled hole, captioned by Label13
//   SpinEdit5     pilot hole diameter in mm, 0..30 step 1, shown with Label6 and Label7
//                 while enlarging
//   GroupBox2     "Režim rezanja", the cutting data
//   SpinEdit2     cutting speed in m/min, 5..80 step 1 (Label3)
//   Edit2         the feed in mm per revolution, written by the program, read-only
//   SpinEdit3     feed in hundredths of a mm per revolution, 5..100 step 5, arrows only
//                 (Label4)
//   SpinEdit4     hole depth in mm, 1..130 step 1 (Label5)
//   ComboBox1     tool material
//   ComboBox2     workpiece material
//   Chart1        the oscillograph of force and moment
//   Button3       "Proces": checks the materials, then starts or continues the run
//   Button4       "Pauza": holds the run
//   Button5       "Polazno stanje": stops the run and returns to the start
//   Panel2        the panel of the two axis maxima
//   SpinEdit6     top of the force axis in thousands of N, 1..20 step 1 (Label8, Label9)
//   SpinEdit7     top of the moment axis in Nm, 1..200 step 1 (Label11, Label10)
//   Timer1        the process tick, every 50 ms while a run goes
//
// Beside them, the comparison of runs: the chart's menu keeps a run's traces on the chart,
// and every run that ends adds a row to the table of runs (RunTable), a window of its own.
class TForm1 : public QWidget, private ProcessViews {
    Q_OBJECT

  public:
    explicit TForm1(SimulationState& state, QWidget* parent = nullptr);
    ~TForm1() override;

    // The instructions window that "Help" shows; created after this one.
    void SetInstructionsWindow(QWidget* form2);

    // The picture behind Image1 and the last loaded drill frame.
    const QImage& Scene() const { return scene_; }
    const QImage& FrameBitmap() const { return frames_.FrameBitmap(); }

  protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    // The window builds itself from its groups.
    void CreateInputPanel();
    void CreateCuttingData();
    void CreateMaterialLists();
    void CreateRunButtons();
    void CreateScalePanel();
    void SetTabOrder();
    void ConnectHandlers();

    // Handlers, named after their control and event.
    void FormCreate();
    void SpinEdit1Change();
    void SpinEdit2Change();
    void SpinEdit3Change();
    void SpinEdit4Change();
    void SpinEdit5Change();
    void SpinEdit6Change();
    void SpinEdit7Change();
    void RadioButton1Click();
    void RadioButton2Click();
    void ComboBox1Change();
    void ComboBox2Change();
    void Button1Click();
    void Button2Click();
    void Button3Click();
    void Button4Click();
    void Button5Click();
    void Timer1Timer();

    // The comparison of runs, from the chart's menu.
    void KeepTraces();
    void ShowRunTable();
    RunInputs CurrentInputs() const;

    // The tick's views: the oscillograph and the cross-section, each drawn from the state
    // the tick hands them.
    void PlotTraces(const SimulationState& state) override;
    void DrawScene(const SimulationState& state) override;

    ImageView* Image1 = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;
    QFrame* Panel1 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLineEdit* Edit1 = nullptr;
    SpinEdit* SpinEdit1 = nullptr;
    QRadioButton* RadioButton1 = nullptr;
    QLabel* Label12 = nullptr;
    QRadioButton* RadioButton2 = nullptr;
    QLabel* Label13 = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* Label7 = nullptr;
    SpinEdit* SpinEdit5 = nullptr;
    QGroupBox* GroupBox2 = nullptr;
    QLabel* Label3 = nullptr;
    SpinEdit* SpinEdit2 = nullptr;
    QLabel* Label4 = nullptr;
    QLineEdit* Edit2 = nullptr;
    SpinEdit* SpinEdit3 = nullptr;
    QLabel* Label5 = nullptr;
    SpinEdit* SpinEdit4 = nullptr;
    QComboBox* ComboBox1 = nullptr;
    QComboBox* ComboBox2 = nullptr;
    Oscillograph* Chart1 = nullptr;
    QPushButton* Button3 = nullptr;
    QPushButton* Button4 = nullptr;
    QPushButton* Button5 = nullptr;
    QFrame* Panel2 = nullptr;
    QLabel* Label8 = nullptr;
    QLabel* Label9 = nullptr;
    SpinEdit* SpinEdit6 = nullptr;
    QLabel* Label11 = nullptr;
    QLabel* Label10 = nullptr;
    SpinEdit* SpinEdit7 = nullptr;
    QTimer* Timer1 = nullptr;

    SimulationState& state_;
    QWidget* form2_ = nullptr;
    FileSaver saver_;
    RunLog runs_;
    RunTable* runTable_ = nullptr;
    ChartMenu* chartMenu_ = nullptr;
    // The hole depth as last set, in mm.
    std::int32_t holeDepth_ = StartHoleDepthMm;
    QImage scene_;
    FramePictures frames_;
    // The columns of the scene that the picture on the screen reaches into.
    QRect sceneColumns_{0, 0, SceneWidthPx, SceneHeightPx};
};
