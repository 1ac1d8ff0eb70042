#pragma once

#include "ProcessTick.h"
#include "SimulationState.h"

#include <QImage>
#include <QWidget>

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
class SpinEdit;

// The main window: the machining inputs, the material lists, the five buttons, the
// cross-section and the oscillograph. Its handlers are thin: they read a control's
// text, convert it, let the simulation do the arithmetic, redraw, and show a box last.
class TForm1 : public QWidget, private ProcessViews {
public:
    explicit TForm1(SimulationState& state, QWidget* parent = nullptr);
    ~TForm1() override;

    // The instructions window that "Help" shows; created after this one.
    void SetInstructionsWindow(QWidget* form2);

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

    // The picture behind Image1 and the last loaded drill frame.
    const QImage& Scene() const { return scene_; }
    const QImage& FrameBitmap() const { return frameBitmap_; }

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

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void CreateControls();
    void SetTabOrder();
    void ConnectHandlers();
    void RedrawScene();
    void PlotTraces() override;
    void DrawScene() override;

    SimulationState& state_;
    QWidget* form2_ = nullptr;
    QImage scene_;
    QImage frameBitmap_;
};
