#pragma once

#include "MainWindowControls.h"
#include "Program.h"
#include "Unit1.h"
#include "Unit2.h"

// Both windows as the program makes them at start-up, for a program file named
// /usr/bin/busenje (title "Busenje"): the main window on the given state, with the
// instructions window behind "Help", shown with the focus on "Exit".
struct ProgramWindows {
    explicit ProgramWindows(SimulationState& state) : Form1(state), Controls(Form1) {
        Form1.SetInstructionsWindow(&Form2);
        Form1.show();
    }

    // The application-wide part of the start-up, once per process.
    static bool SetUpOnce() {
        static const bool done = (SetUpProgram(QStringLiteral("/usr/bin/busenje")), true);
        return done;
    }

    const bool setUp = SetUpOnce();
    TForm1 Form1;
    TForm2 Form2;
    MainWindowControls Controls;
};
