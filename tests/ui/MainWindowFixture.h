#pragma once

#include "MessageRecorder.h"
#include "ProgramWindows.h"

#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <string>

// The program's two windows as it makes them at start-up, shown with the focus on "Exit",
// their boxes recorded, and the steps the window's tests share.
class MainWindow : public testing::Test {
  protected:
    void SetUp() override {
        windows->Form1.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&windows->Form1));
        form1->Button1->setFocus();
    }

    // Replaces the whole text of a spin edit by typing, as a user does after selecting it.
    void Type(SpinEdit* spinEdit, const QString& text) {
        spinEdit->lineEdit()->setFocus();
        spinEdit->lineEdit()->selectAll();
        QTest::keyClicks(spinEdit->lineEdit(), text);
    }
    void Pick(QComboBox* combo, int index) { combo->setCurrentIndex(index); }
    // The chart's menu, opened by a right click on the chart after `ticks` ticks of a run
    // with the first materials of both lists.
    QMenu* ChartMenu(int ticks = 0) {
        if (ticks > 0) {
            Pick(form1->ComboBox1, 0);
            Pick(form1->ComboBox2, 0);
            QTest::mouseClick(form1->Button3, Qt::LeftButton);
            form1->Timer1->stop();
            form1->Tick(ticks);
            QApplication::processEvents();
        }
        QTest::mouseClick(form1->ChartProbe.Plot(), Qt::RightButton, Qt::NoModifier,
                          form1->ChartProbe.PlottingArea().center());
        auto* menu = window->findChild<QMenu*>(QStringLiteral("ChartMenu"));
        EXPECT_TRUE(menu != nullptr && menu->isVisible());
        if (menu != nullptr) {
            menu->close();
        }
        return menu;
    }
    QLabel* Label(const char* name) const { return window->findChild<QLabel*>(name); }

    SimulationState state;
    std::unique_ptr<ProgramWindows> windows = std::make_unique<ProgramWindows>(state);
    TForm1* window = &windows->Form1;
    TForm2* form2 = &windows->Form2;
    const MainWindowControls* form1 = &windows->Controls;
    // Every event notes whether the timer runs at that moment.
    MessageRecorder recorder{
        [timer = form1->Timer1] { return timer->isActive() ? std::string(" [running]") : ""; }};
};
