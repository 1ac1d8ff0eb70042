#include "RunLog.h"

#include "Materials.h"
#include "NumberFormat.h"
#include "ProgramError.h"
#include "UserTexts.h"

#include <algorithm>
#include <functional>

void RunLog::ProcessStarted(const SimulationState& state) {
    toolMaterial_ = state.ToolMaterial;
    workMaterial_ = state.WorkMaterial;
}

// The newest samples are the loads of this tick, or, where the drill did not cut, those
// of the last tick that did (0 after the start position): their largest is the run's.
const RunRecord* RunLog::Ticked(const SimulationState& state, TickResult result,
                                std::int32_t holeDepth) {
    if (ended_) {
        return nullptr;
    }
    ++ticks_;
    maxForce_ = std::max(maxForce_, state.ForceTrace[NewestSample]);
    maxMoment_ = std::max(maxMoment_, state.MomentTrace[NewestSample]);
    maxShearStress_ = std::max(maxShearStress_, state.ShearStress);
    switch (result) {
    case TickResult::Continued:
        return nullptr;
    case TickResult::TimerDisabled:
        return End(state, RunEnd::AtDepth, holeDepth);
    case TickResult::DrillBroke:
        return End(state, RunEnd::DrillBroke, holeDepth);
    }
    return nullptr;
}

const RunRecord* RunLog::Reset(const SimulationState& state, std::int32_t holeDepth) {
    const RunRecord* row = ticks_ > 0 && !ended_ ? End(state, RunEnd::Stopped, holeDepth) : nullptr;
    ticks_ = 0;
    ended_ = false;
    maxForce_ = maxMoment_ = maxShearStress_ = 0;
    return row;
}

const RunRecord* RunLog::End(const SimulationState& state, RunEnd end, std::int32_t holeDepth) {
    ended_ = true;
    lastRow_ = RunRecord{++runCount_,
                         CurrentInputs(state, holeDepth),
                         maxForce_,
                         maxMoment_,
                         maxShearStress_,
                         state.AllowedStress,
                         end};
    return &lastRow_;
}

int RunLog::ShownRunNumber() const {
    return runCount_ + (ended_ ? 0 : 1);
}

RunInputs RunLog::CurrentInputs(const SimulationState& state, std::int32_t holeDepth) const {
    RunInputs inputs;
    inputs.Operation = state.Operation;
    inputs.DrillDiameter = state.DrillDiameter;
    if (state.Operation == MachiningOperation::Enlarging) {
        // The state holds the pilot hole one millimetre wider than it was set.
        inputs.PilotHole = state.PilotHoleSize - 1;
    }
    inputs.CuttingSpeed = state.CuttingSpeed;
    inputs.Feed = state.Feed;
    inputs.HoleDepth = holeDepth;
    inputs.ToolMaterial = toolMaterial_;
    inputs.WorkMaterial = workMaterial_;
    return inputs;
}

std::string_view OperationName(MachiningOperation operation) {
    return operation == MachiningOperation::Drilling ? DrillingLabel : EnlargingLabel;
}

std::string_view MaterialName(std::span<const std::string_view> entries, std::int32_t material) {
    return material >= 1 && material <= static_cast<std::int32_t>(entries.size())
               ? entries[static_cast<std::size_t>(material - 1)]
               : NoValueText;
}

// Each input in turn: where the runs do not all agree on it, every run's name gains its
// value.
std::vector<std::string> ComparisonLabels(std::span<const RunInputs> kept,
                                          std::span<const int> numbers, const RunInputs& live,
                                          std::string_view decimalSeparator) {
    const auto number = [decimalSeparator](double value) {
        return FormatGeneral(value, decimalSeparator);
    };
    using Describe = std::function<std::string(const RunInputs&)>;
    const Describe inputs[] = {
        [](const RunInputs& r) { return std::string(OperationName(r.Operation)); },
        [&](const RunInputs& r) { return WithName(DiameterKeyFormat, number(r.DrillDiameter)); },
        [&](const RunInputs& r) {
            return r.PilotHole ? WithName(PilotHoleKeyFormat, number(*r.PilotHole))
                               : std::string(NoPilotHoleKeyText);
        },
        [&](const RunInputs& r) { return WithName(CuttingSpeedKeyFormat, number(r.CuttingSpeed)); },
        [&](const RunInputs& r) { return WithName(FeedKeyFormat, number(r.Feed)); },
        [&](const RunInputs& r) { return WithName(HoleDepthKeyFormat, number(r.HoleDepth)); },
    };
    std::vector<std::string> labels(kept.size());
    const auto differ = [&](const Describe& describe) {
        return std::any_of(kept.begin(), kept.end(),
                           [&](const RunInputs& r) { return describe(r) != describe(live); });
    };
    const auto append = [&labels](std::size_t i, const std::string& text) {
        labels[i] += (labels[i].empty() ? "" : std::string(KeyDifferenceSeparator)) + text;
    };
    for (const Describe& describe : inputs) {
        if (differ(describe)) {
            for (std::size_t i = 0; i < kept.size(); ++i) {
                append(i, describe(kept[i]));
            }
        }
    }
    const Describe tool = [](const RunInputs& r) {
        return std::string(MaterialName(ToolMaterialEntries, r.ToolMaterial));
    };
    const Describe work = [](const RunInputs& r) {
        return std::string(MaterialName(WorkMaterialEntries, r.WorkMaterial));
    };
    const bool toolDiffers = differ(tool);
    const bool workDiffers = differ(work);
    for (std::size_t i = 0; i < kept.size(); ++i) {
        if (toolDiffers && workDiffers) {
            append(i, tool(kept[i]) + std::string(MaterialsKeySeparator) + work(kept[i]));
        } else if (toolDiffers || workDiffers) {
            append(i, toolDiffers ? tool(kept[i]) : work(kept[i]));
        }
        if (labels[i].empty() && i < numbers.size()) {
            labels[i] = WithName(RunNumberKeyFormat, std::to_string(numbers[i]));
        }
    }
    return labels;
}
