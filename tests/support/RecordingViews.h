#pragma once

#include "ProcessTick.h"
#include "SimulationState.h"

#include <functional>
#include <string>
#include <vector>

// Stands in for the oscillograph and the cross-section, so that the process can be
// stepped without either. Given the state it is to be handed, it records the calls' order
// ("PDPD...", a "?" for a call handed another state) and what the buffers held at each
// call. onPlot, when set, runs inside the plotting call (to hand the traces to a real
// chart, for instance).
class RecordingViews final : public ProcessViews {
  public:
    // What the buffers held when a view was called.
    struct Seen {
        double FirstTime;
        double NewestTime;
        double NewestForce;
        double PreviousForce;
    };

    RecordingViews() = default;
    explicit RecordingViews(const SimulationState& state) : state_(&state) {}

    void PlotTraces(const SimulationState& state) override {
        Record('P', state, plotted);
        if (onPlot) {
            onPlot();
        }
    }
    void DrawScene(const SimulationState& state) override { Record('D', state, drawn); }

    std::string calls;
    std::vector<Seen> plotted;
    std::vector<Seen> drawn;
    std::function<void()> onPlot;

  private:
    void Record(char call, const SimulationState& state, std::vector<Seen>& seen) {
        if (state_ == nullptr) {
            return;
        }
        calls += &state == state_ ? call : '?';
        seen.push_back({state.TimeAxis[0], state.TimeAxis[NewestSample],
                        state.ForceTrace[NewestSample], state.ForceTrace[NewestSample - 1]});
    }

    const SimulationState* state_ = nullptr;
};
