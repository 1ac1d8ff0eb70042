#pragma once

#include "SimulationState.h"

// What the tick needs of the views, to which it hands the state it has stepped. The window
// passes them on to the oscillograph and the cross-section; tests pass a recorder, so the
// process can be stepped without either.
class ProcessViews {
  public:
    // Rebuilds both traces from the 277 samples of the state's buffers.
    virtual void PlotTraces(const SimulationState& state) = 0;
    // Paints the cross-section anew from the state.
    virtual void DrawScene(const SimulationState& state) = 0;

  protected:
    ~ProcessViews() = default;
};

enum class TickResult {
    Continued,     // the timer runs on
    TimerDisabled, // end of travel reached in phase 0: disable Timer1
    DrillBroke,    // beep, disable Timer1, then show "Nastaje lom burgije!"
};

// One tick of Timer1, one spindle revolution: phase, travel, point entry, pilot edge,
// engaged diameter, depth, loads, breakage test, time, plot, scroll, redraw. On the
// breakage tick neither view is called and nothing scrolls.
TickResult AdvanceProcess(SimulationState& state, ProcessViews& views);

// "Polazno stanje" after the window has disabled Timer1: the drill and the buffers back
// to the start, then both views redrawn.
void ResetProcess(SimulationState& state, ProcessViews& views);
