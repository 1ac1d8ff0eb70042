#include "Unit1.h"

#include "ChartMenu.h"
#include "DrawScene.h"
#include "ErrorReport.h"
#include "ImageView.h"
#include "MachiningInputs.h"
#include "MaterialList.h"
#include "Materials.h"
#include "MessageBox.h"
#include "NumberFormat.h"
#include "Oscillograph.h"
#include "Program.h"
#include "ProgramAssets.h"
#include "ProgramFonts.h"
#include "RunTable.h"
#include "SpinEdit.h"
#include "StartValues.h"
#include "StrictConversion.h"
#include "UserTexts.h"
#include "Utf8Text.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QFrame>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleFactory>
#include <QTimer>

namespace {

// Where the window opens: at (194, 196) when the screen's available area holds it there;
// its outer size 614 x 529 less a 4-pixel frame and a 19-pixel caption.
constexpr QRect ClientArea(194, 196, 606, 502);
constexpr int TickPeriodMs = 50;

// Numbers in the edit fields: the shortest general form with the locale's separator.
QString EditText(double value) {
    return QString::fromStdString(FormatGeneral(value, QLocale().decimalPoint().toStdString()));
}

std::int32_t ValueOf(const SpinEdit* spinEdit) {
    return StrToIntStrict(spinEdit->text());
}

QLabel* MakeLabel(QWidget* parent, const char* name, std::string_view text, int x, int y) {
    auto* label = new QLabel(FromUtf8(text), parent);
    label->setObjectName(QString::fromLatin1(name));
    label->move(x, y);
    label->adjustSize();
    return label;
}

QPushButton* MakeButton(QWidget* parent, const char* name, std::string_view text, QRect place) {
    auto* button = new QPushButton(FromUtf8(text), parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(place);
    // Enter presses the focused button as Space does.
    button->setAutoDefault(true);
    return button;
}

SpinEdit* MakeSpinEdit(QWidget* parent, const char* name, int minimum, int maximum, int step,
                       int start, QRect place) {
    auto* spinEdit = new SpinEdit(minimum, maximum, step, start, parent);
    spinEdit->setObjectName(QString::fromLatin1(name));
    spinEdit->setGeometry(place);
    return spinEdit;
}

// A box that shows a value the program writes: the user can select and copy its text but
// not change it, so that it always shows what the run uses. It looks as an ordinary box.
QLineEdit* MakeDisplayEdit(QWidget* parent, const char* name, const QString& text, QRect place) {
    auto* edit = new QLineEdit(text, parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setGeometry(place);
    edit->setReadOnly(true);
    return edit;
}

QRadioButton* MakeRadioButton(QWidget* parent, const char* name, QRect place) {
    auto* button = new QRadioButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(place);
    return button;
}

QFrame* MakePanel(QWidget* parent, const char* name, QRect place) {
    auto* panel = new QFrame(parent);
    panel->setObjectName(QString::fromLatin1(name));
    panel->setFrameStyle(QFrame::Box | QFrame::Plain);
    panel->setLineWidth(1);
    panel->setGeometry(place);
    return panel;
}

MaterialList* MakeMaterialList(QWidget* parent, const char* name, std::string_view prompt,
                               std::span<const std::string_view> entries, QRect place) {
    auto* list = new MaterialList(entries, FromUtf8(prompt), parent);
    list->setObjectName(QString::fromLatin1(name));
    list->setGeometry(place);
    return list;
}

// The classic look of a group box, its frame running through the middle of its caption,
// which the window's layout assumes; one style for the program's life.
QStyle* ClassicGroupBoxStyle() {
    static QStyle* const style = [] {
        QStyle* classic = QStyleFactory::create(QStringLiteral("Windows"));
        if (classic != nullptr) {
            classic->setParent(QCoreApplication::instance());
        }
        return classic;
    }();
    return style;
}

// The caption beside an input is its buddy, and screen readers announce the input (and
// the field inside a spin edit, which takes the focus) by it.
void Caption(QLabel* label, QWidget* input, const QString& name) {
    label->setBuddy(input);
    input->setAccessibleName(name);
    if (QWidget* field = input->focusProxy()) {
        field->setAccessibleName(name);
    }
}

} // namespace

TForm1::TForm1(SimulationState& state, QWidget* parent) : QWidget(parent), state_(state) {
    SetUpWindow(*this, QStringLiteral("Form1"), FromUtf8(MainWindowTitle), MainWindowIcon(),
                ClientArea);
    Image1 = new ImageView(&scene_, {232, 0, SceneWidthPx, SceneHeightPx}, this);
    Button1 = MakeButton(this, "Button1", ExitButtonText, {8, 464, 57, 25});
    Button2 = MakeButton(this, "Button2", HelpButtonText, {72, 464, 57, 25});
    CreateInputPanel();
    CreateMaterialLists();
    Chart1 = new Oscillograph(this);
    Chart1->setGeometry(232, 360, 369, 137);
    Chart1->setFocusPolicy(Qt::NoFocus);
    CreateRunButtons();
    CreateScalePanel();
    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(TickPeriodMs);
    runTable_ = new RunTable(saver_, this);

    SetTabOrder();
    // The start state is what FormCreate sets: the handlers are attached only after
    // the controls hold their start values, so none of them runs during creation.
    Guarded([this] { FormCreate(); })();
    ConnectHandlers();
    // The window opens with the keyboard focus on "Exit".
    Button1->setFocus();
}

TForm1::~TForm1() = default;

void TForm1::SetInstructionsWindow(QWidget* form2) {
    form2_ = form2;
}

// The drill size, the operation with the pilot hole it may need, and the cutting data.
void TForm1::CreateInputPanel() {
    Panel1 = MakePanel(this, "Panel1", {8, 8, 217, 281});
    Label1 = MakeLabel(Panel1, "Label1", InputPanelTitle, 48, 8);
    Label1->setFont(ProgramFont(true));
    Label1->adjustSize();
    Label2 = MakeLabel(Panel1, "Label2", DrillDiameterLabel, 16, 40);
    Edit1 = MakeDisplayEdit(Panel1, "Edit1", EditText(DrillSizeTable[StartDrillSize - 1].Diameter),
                            {128, 32, 33, 21});
    SpinEdit1 =
        MakeSpinEdit(Panel1, "SpinEdit1", 1, DrillSizeCount, 1, StartDrillSize, {160, 32, 17, 22});
    SpinEdit1->setArrowsOnly(true);
    Caption(Label2, SpinEdit1, Label2->text());
    Edit1->setAccessibleName(Label2->text());

    RadioButton1 = MakeRadioButton(Panel1, "RadioButton1", {8, 64, 17, 17});
    RadioButton1->setChecked(true);
    Label12 = MakeLabel(Panel1, "Label12", DrillingLabel, 32, 64);
    Caption(Label12, RadioButton1, Label12->text());
    RadioButton2 = MakeRadioButton(Panel1, "RadioButton2", {8, 88, 17, 17});
    Label13 = MakeLabel(Panel1, "Label13", EnlargingLabel, 32, 88);
    Caption(Label13, RadioButton2, Label13->text());

    Label6 = MakeLabel(Panel1, "Label6", PilotHoleLabelFirstLine, 24, 112);
    Label7 = MakeLabel(Panel1, "Label7", PilotHoleLabelSecondLine, 24, 128);
    SpinEdit5 = MakeSpinEdit(Panel1, "SpinEdit5", 0, 30, 1, 0, {128, 120, 49, 22});
    Caption(Label6, SpinEdit5, FromUtf8(PilotHoleName));
    Label6->hide();
    Label7->hide();
    SpinEdit5->hide();

    CreateCuttingData();
}

// "Režim rezanja": cutting speed, feed and hole depth.
void TForm1::CreateCuttingData() {
    GroupBox2 = new QGroupBox(FromUtf8(CuttingDataTitle), Panel1);
    GroupBox2->setObjectName(QStringLiteral("GroupBox2"));
    GroupBox2->setGeometry(8, 152, 201, 113);
    if (QStyle* classic = ClassicGroupBoxStyle()) {
        GroupBox2->setStyle(classic);
    }
    Label3 = MakeLabel(GroupBox2, "Label3", CuttingSpeedLabel, 8, 24);
    SpinEdit2 =
        MakeSpinEdit(GroupBox2, "SpinEdit2", 5, 80, 1, StartCuttingSpeedMPerMin, {144, 16, 49, 22});
    Caption(Label3, SpinEdit2, Label3->text());
    Label4 = MakeLabel(GroupBox2, "Label4", FeedLabel, 8, 56);
    Edit2 = MakeDisplayEdit(GroupBox2, "Edit2", EditText(StartFeedMmPerRev), {144, 48, 33, 21});
    SpinEdit3 =
        MakeSpinEdit(GroupBox2, "SpinEdit3", 5, 100, 5, StartFeedHundredths, {176, 48, 17, 22});
    SpinEdit3->setArrowsOnly(true);
    Caption(Label4, SpinEdit3, Label4->text());
    Edit2->setAccessibleName(Label4->text());
    Label5 = MakeLabel(GroupBox2, "Label5", HoleDepthLabel, 8, 88);
    SpinEdit4 =
        MakeSpinEdit(GroupBox2, "SpinEdit4", 1, 130, 1, StartHoleDepthMm, {144, 80, 49, 22});
    Caption(Label5, SpinEdit4, Label5->text());
}

void TForm1::CreateMaterialLists() {
    ComboBox1 = MakeMaterialList(this, "ComboBox1", ToolMaterialPrompt, ToolMaterialEntries,
                                 {8, 296, 217, 21});
    ComboBox2 = MakeMaterialList(this, "ComboBox2", WorkMaterialPrompt, WorkMaterialEntries,
                                 {8, 328, 217, 21});
}

void TForm1::CreateRunButtons() {
    Button3 = MakeButton(this, "Button3", ProcessButtonText, {8, 384, 57, 25});
    Button4 = MakeButton(this, "Button4", PauseButtonText, {72, 384, 57, 25});
    Button5 = MakeButton(this, "Button5", StartStateButtonText, {8, 424, 121, 25});
}

// The tops of the force and the moment axis.
void TForm1::CreateScalePanel() {
    Panel2 = MakePanel(this, "Panel2", {136, 360, 89, 137});
    Label8 = MakeLabel(Panel2, "Label8", ForceMaximumLabelFirstLine, 16, 8);
    Label9 = MakeLabel(Panel2, "Label9", ForceMaximumLabelSecondLine, 18, 24);
    SpinEdit6 = MakeSpinEdit(Panel2, "SpinEdit6", 1, 20, 1, StartForceAxisMaximumKiloNewtons,
                             {16, 40, 49, 22});
    Caption(Label9, SpinEdit6, FromUtf8(ForceMaximumName));
    Label11 = MakeLabel(Panel2, "Label11", MomentMaximumLabelFirstLine, 16, 72);
    Label10 = MakeLabel(Panel2, "Label10", MomentMaximumLabelSecondLine, 10, 88);
    SpinEdit7 =
        MakeSpinEdit(Panel2, "SpinEdit7", 1, 200, 1, StartMomentAxisMaximumNm, {16, 104, 49, 22});
    Caption(Label10, SpinEdit7, FromUtf8(MomentMaximumName));
}

// "Exit", "Help", then the inputs of the panel (the cutting data first), the material
// lists, the run buttons and the two axis maxima.
void TForm1::SetTabOrder() {
    QWidget* const order[] = {Button1,   Button2,   SpinEdit2, SpinEdit3,    Edit2,
                              SpinEdit4, Edit1,     SpinEdit1, RadioButton1, RadioButton2,
                              SpinEdit5, ComboBox1, ComboBox2, Button3,      Button4,
                              Button5,   SpinEdit6, SpinEdit7};
    for (std::size_t i = 1; i < std::size(order); ++i) {
        QWidget::setTabOrder(order[i - 1], order[i]);
    }
}

void TForm1::ConnectHandlers() {
    const std::pair<SpinEdit*, void (TForm1::*)()> spinEdits[] = {
        {SpinEdit1, &TForm1::SpinEdit1Change}, {SpinEdit2, &TForm1::SpinEdit2Change},
        {SpinEdit3, &TForm1::SpinEdit3Change}, {SpinEdit4, &TForm1::SpinEdit4Change},
        {SpinEdit5, &TForm1::SpinEdit5Change}, {SpinEdit6, &TForm1::SpinEdit6Change},
        {SpinEdit7, &TForm1::SpinEdit7Change}};
    for (const auto& entry : spinEdits) {
        const auto handler = entry.second;
        connect(entry.first, &SpinEdit::Changed, this,
                Guarded([this, handler] { (this->*handler)(); }));
    }
    // A radio button's handler runs when it becomes selected, not when it is clicked again.
    connect(RadioButton1, &QRadioButton::toggled, this, Guarded([this](bool checked) {
                if (checked) {
                    RadioButton1Click();
                }
            }));
    connect(RadioButton2, &QRadioButton::toggled, this, Guarded([this](bool checked) {
                if (checked) {
                    RadioButton2Click();
                }
            }));
    connect(ComboBox1, &QComboBox::editTextChanged, this, Guarded([this] { ComboBox1Change(); }));
    connect(ComboBox1, &QComboBox::currentIndexChanged, this,
            Guarded([this] { ComboBox1Change(); }));
    connect(ComboBox2, &QComboBox::editTextChanged, this, Guarded([this] { ComboBox2Change(); }));
    connect(ComboBox2, &QComboBox::currentIndexChanged, this,
            Guarded([this] { ComboBox2Change(); }));
    connect(Button1, &QPushButton::clicked, this, Guarded([this] { Button1Click(); }));
    connect(Button2, &QPushButton::clicked, this, Guarded([this] { Button2Click(); }));
    connect(Button3, &QPushButton::clicked, this, Guarded([this] { Button3Click(); }));
    connect(Button4, &QPushButton::clicked, this, Guarded([this] { Button4Click(); }));
    connect(Button5, &QPushButton::clicked, this, Guarded([this] { Button5Click(); }));
    connect(Timer1, &QTimer::timeout, this, GuardedTick(Timer1, [this] { Timer1Timer(); }));
    // The chart's menu opens where the chart was right-clicked, with the chart as it stood
    // then; it does not stop the run.
    chartMenu_ = new ChartMenu(Chart1, saver_,
                               RunComparison{[this] { return runs_.RunShown(); },
                                             [this] { KeepTraces(); }, [this] { ShowRunTable(); }},
                               this);
    connect(Chart1, &Oscillograph::MenuRequested, chartMenu_,
            [this](QPoint where) { chartMenu_->Open(where); });
}

void TForm1::FormCreate() {
    Initialise(state_);
    DrawScene(state_);
}

// The kept runs are named beside the run under way, with the inputs it goes on with.
void TForm1::PlotTraces(const SimulationState& state) {
    Chart1->PlotTraces(state);
    if (Chart1->HasKeptTraces()) {
        Chart1->SetLiveInputs(CurrentInputs());
    }
}

// The view shows the new picture when the window next repaints, after the handler has
// returned; it is told before the picture is painted, so that a failed frame load leaves
// the part painted before it on the screen. Only the columns that the old and the new
// scene reach into are painted and repainted: beyond them stand background and block,
// which every redraw paints alike; a tick changes some forty columns of the 369.
void TForm1::DrawScene(const SimulationState& state) {
    const QRect changing = sceneColumns_.united(SceneColumnsInUse(state, frames_.FrameBitmap()));
    Image1->update(changing);
    ::DrawScene(state, scene_, frames_, changing);
    const QRect now = SceneColumnsInUse(state, frames_.FrameBitmap());
    if (!changing.contains(now)) {
        // A new frame picture wider than the last reaches further: painted whole.
        ::DrawScene(state, scene_, frames_);
        Image1->update();
    }
    sceneColumns_ = now;
}

void TForm1::SpinEdit1Change() {
    ApplyDrillSize(state_, ValueOf(SpinEdit1));
    const bool warn = FinishDrillSizeChange(state_, ValueOf(SpinEdit4));
    Edit1->setText(EditText(state_.DrillDiameter));
    DrawScene(state_);
    if (warn) {
        ShowMessage(MessageKind::Warning, FromUtf8(SpindleSpeedText));
    }
}

void TForm1::SpinEdit2Change() {
    if (ApplyCuttingSpeed(state_, ValueOf(SpinEdit2))) {
        ShowMessage(MessageKind::Warning, FromUtf8(SpindleSpeedText));
    }
}

void TForm1::SpinEdit3Change() {
    if (ApplyFeed(state_, ValueOf(SpinEdit3))) {
        Edit2->setText(EditText(state_.Feed));
    }
}

void TForm1::SpinEdit4Change() {
    holeDepth_ = ValueOf(SpinEdit4);
    ApplyHoleDepth(state_, holeDepth_);
}

void TForm1::SpinEdit5Change() {
    switch (ApplyPilotHole(state_, ValueOf(SpinEdit5))) {
    case PilotHoleOutcome::Redraw:
        DrawScene(state_);
        break;
    case PilotHoleOutcome::Warn:
        ShowMessage(MessageKind::Warning, FromUtf8(PilotHoleText));
        break;
    case PilotHoleOutcome::LeftOut:
        break;
    }
}

// A product beyond 32 bits sets nothing; an axis maximum below the axis's minimum is
// refused by the chart after ForceAxisMax already holds it.
void TForm1::SpinEdit6Change() {
    if (const std::optional<double> maximum = ApplyForceAxisMaximum(state_, ValueOf(SpinEdit6))) {
        Chart1->SetForceAxisMaximum(*maximum);
    }
}

void TForm1::SpinEdit7Change() {
    Chart1->SetMomentAxisMaximum(ApplyMomentAxisMaximum(state_, ValueOf(SpinEdit7)));
}

void TForm1::RadioButton1Click() {
    Label6->hide();
    Label7->hide();
    SpinEdit5->hide();
    SelectDrilling(state_);
}

void TForm1::RadioButton2Click() {
    Label6->show();
    Label7->show();
    SpinEdit5->show();
    SelectEnlarging(state_);
}

void TForm1::ComboBox1Change() {
    ToolMaterialPicked(state_, ComboBox1->currentIndex());
}

void TForm1::ComboBox2Change() {
    WorkMaterialPicked(state_, ComboBox2->currentIndex());
}

void TForm1::Button1Click() {
    close();
}

// A minimised instructions window comes back at its last normal bounds. It is made
// visible rather than shown: in the browser show() would make it fill the page.
void TForm1::Button2Click() {
    if (form2_ != nullptr) {
        form2_->setWindowState(form2_->windowState() & ~Qt::WindowMinimized);
        form2_->setVisible(true);
        form2_->raise();
        form2_->activateWindow();
    }
}

void TForm1::Button3Click() {
    if (const auto refusal = PrepareProcessStart(state_)) {
        ShowMessage(refusal->Kind, FromUtf8(refusal->Text));
        return;
    }
    runs_.ProcessStarted(state_);
    // Enabling a running timer must not restart its period.
    if (!Timer1->isActive()) {
        Timer1->start();
    }
}

void TForm1::Button4Click() {
    Timer1->stop();
}

// A run on its way ends here and takes its row.
void TForm1::Button5Click() {
    Timer1->stop();
    if (const RunRecord* row = runs_.Reset(state_, holeDepth_)) {
        runTable_->AddRow(*row);
    }
    ResetProcess(state_, *this);
}

// A tick that ends the run adds its row before anything else it brings.
void TForm1::Timer1Timer() {
    const TickResult result = AdvanceProcess(state_, *this);
    if (const RunRecord* row = runs_.Ticked(state_, result, holeDepth_)) {
        runTable_->AddRow(*row);
    }
    switch (result) {
    case TickResult::Continued:
        break;
    case TickResult::TimerDisabled:
        Timer1->stop();
        break;
    case TickResult::DrillBroke:
        // The beep, then the timer stops, so that no tick runs while the box is open.
        SystemBeep();
        Timer1->stop();
        ShowMessageBox(MessageKind::Error, FromUtf8(DrillBreaksText));
        break;
    }
}

void TForm1::KeepTraces() {
    Chart1->KeepTraces(CurrentInputs(), runs_.ShownRunNumber());
}

void TForm1::ShowRunTable() {
    runTable_->ShowWindow();
}

RunInputs TForm1::CurrentInputs() const {
    return runs_.CurrentInputs(state_, holeDepth_);
}

// The keyboard's way to the chart's menu, from wherever the focus is in the window: the
// menu key or Shift+F10, which no control of the window takes for itself. The menu opens
// over the middle of the chart.
void TForm1::keyPressEvent(QKeyEvent* event) {
    const bool menuKey = event->key() == Qt::Key_Menu ||
                         (event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier);
    if (!menuKey) {
        QWidget::keyPressEvent(event);
        return;
    }
    chartMenu_->Open(Chart1->mapToGlobal(Chart1->rect().center()));
}

// Closing the main window ends the program at once, with the instructions window and the
// table of runs.
void TForm1::closeEvent(QCloseEvent* event) {
    Timer1->stop();
    runTable_->hide();
    if (form2_ != nullptr) {
        form2_->hide();
    }
    event->accept();
    QCoreApplication::quit();
}
