#pragma once

#include "ProcessTick.h"
#include "SimulationState.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// The inputs a run was made with, as the student set them: what the table of runs lists
// and what tells kept traces apart.
struct RunInputs {
    MachiningOperation Operation = MachiningOperation::Drilling;
    double DrillDiameter = 0;              // mm
    std::optional<std::int32_t> PilotHole; // mm, only when enlarging
    double CuttingSpeed = 0;               // m/min
    double Feed = 0;                       // mm/rev
    std::int32_t HoleDepth = 0;            // mm, as set
    std::int32_t ToolMaterial = 0;         // 1-based, 0 for none
    std::int32_t WorkMaterial = 0;

    bool operator==(const RunInputs&) const = default;
};

enum class RunEnd {
    AtDepth,    // the drill reached the set depth
    DrillBroke, // "Nastaje lom burgije!"
    Stopped,    // "Polazno stanje" ended the run on its way
};

// One row of the table of runs.
struct RunRecord {
    int Number = 0; // 1 for the first run since the program started
    RunInputs Inputs;
    double MaxForce = 0;       // N
    double MaxMoment = 0;      // Nm
    double MaxShearStress = 0; // Pa
    double AllowedStress = 0;  // Pa
    RunEnd End = RunEnd::AtDepth;
};

// The runs since the program started. A run is one way of the drill down from its start
// position: it begins with the first tick after the start or after "Polazno stanje" and
// ends when the drill reaches the depth, breaks, or is sent back by "Polazno stanje". Ticks
// after the end (a "Proces" pressed at the bottom or after a breakage) belong to the run
// that has ended and add nothing. The log notes the largest loads of each run and the
// materials whose coefficients "Proces" loaded for it.
class RunLog {
  public:
    // "Proces" has loaded the coefficients of the state's workpiece material.
    void ProcessStarted(const SimulationState& state);

    // After a tick: the run's largest loads so far, and its row where the tick ended it.
    // `holeDepth` is the depth as set, in mm. Returns the row added, if any.
    const RunRecord* Ticked(const SimulationState& state, TickResult result,
                            std::int32_t holeDepth);

    // "Polazno stanje", before the state goes back to the start: a run on its way ends.
    const RunRecord* Reset(const SimulationState& state, std::int32_t holeDepth);

    // Whether the chart shows a run: at least one tick since the start position.
    bool RunShown() const { return ticks_ > 0; }

    // The number of the run the chart shows: the one it has in the table, or will have
    // when it ends.
    int ShownRunNumber() const;

    // The inputs of the run under way: the state's, with the depth as set and the
    // materials "Proces" loaded.
    RunInputs CurrentInputs(const SimulationState& state, std::int32_t holeDepth) const;

    // How many runs have ended.
    int RunCount() const { return runCount_; }

  private:
    const RunRecord* End(const SimulationState& state, RunEnd end, std::int32_t holeDepth);

    // The rows are the table's to keep; the log holds the last one only.
    int runCount_ = 0;
    RunRecord lastRow_;
    std::int32_t toolMaterial_ = 0;
    std::int32_t workMaterial_ = 0;
    long ticks_ = 0;
    bool ended_ = false;
    double maxForce_ = 0;
    double maxMoment_ = 0;
    double maxShearStress_ = 0;
};

// The names a row gives its operation ("Bušenje", "Proširivanje") and its materials, the
// material by its place in `entries` from 1 ("–" where none was picked).
std::string_view OperationName(MachiningOperation operation);
std::string_view MaterialName(std::span<const std::string_view> entries, std::int32_t material);

// What names each of `kept` runs beside the others and the run under way, `live`: the
// inputs in which not all of them agree, e.g. "s = 0,2" or "C9681 / SL 300", joined by
// "; ", numbers with `decimalSeparator`. Where they agree in everything, a run is named by
// its number, `numbers[i]`: "proces 3".
std::vector<std::string> ComparisonLabels(std::span<const RunInputs> kept,
                                          std::span<const int> numbers, const RunInputs& live,
                                          std::string_view decimalSeparator);
