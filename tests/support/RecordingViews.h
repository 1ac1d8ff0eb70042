#pragma once

#include "ProcessTick.h"
#include "SimulationState.h"

#include <functional>
#include <string>
#include <vector>

// Stands in for the oscillograph and the cross-section, so that the process can be
// stepped without either. It counts the calls; given the state, it also records their
// order ("PDPD...") and what the buffers held at each call. onPlot and onDraw, when set,
// run inside the calls (to hand the traces to a real chart, for instance).
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

    void PlotTraces() override {
        ++plots;
        Record('P', plotted);
        if (onPlot) {
            onPlot();
        }
    }
    void DrawScene() override {
        ++draws;
        Record('D', drawn);
        if (onDraw) {
            onDraw();
        }
    }

    int plots = 0;
    int draws = 0;
    std::string calls;
    std::vector<Seen> plotted;
    std::vector<Seen> drawn;
    std::function<void()> onPlot;
    std::function<void()> onDraw;

  private:
    void Record(char call, std::vector<Seen>& seen) {
        if (state_ == nullptr) {
            return;
        }
        calls += call;
        seen.push_back({state_->TimeAxis[0], state_->TimeAxis[NewestSample],
                        state_->ForceTrace[NewestSample], state_->ForceTrace[NewestSample - 1]});
    }

    const SimulationState* state_ = nullptr;
};
