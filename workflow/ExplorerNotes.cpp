// SPDX-License-Identifier: GPL-3.0-or-later
#include "ExplorerNotes.h"

#include "DesignTables.h"
#include "ExplorerOutputs.h"
#include "WorkbenchNumber.h"

#include <algorithm>

namespace eh {

namespace {

const std::size_t kBandwidthInput = kInputCount - 1;

bool AnyBandwidthDerived(const std::vector<std::size_t>& outputs)
{
    return std::any_of(outputs.begin(), outputs.end(),
                       [](std::size_t result) { return IsBandwidthDerived(ResultTable()[result]); });
}

} // namespace

std::string TExplorerNotes::Joined() const
{
    std::string text;
    for (const std::string& line : lines)
        text += (text.empty() ? "" : ". ") + line;
    return text;
}

TExplorerNotes ExplorerNotes(const TDesignSweep& sweep, const std::vector<std::size_t>& outputs,
                             const std::string& rangeNote, char separator)
{
    TExplorerNotes notes;
    if (!rangeNote.empty())
        notes.lines.push_back(rangeNote);
    const TSweepFaultTally& faults = sweep.counts.faults;
    if (faults.Total() > 0) {
        notes.lines.push_back(FaultSummary(faults, sweep.plan.points));
        notes.warning = true;
    }
    if (faults.Total() == sweep.plan.points)
        notes.lines.push_back("Ни одна точка не рассчитана");
    if (outputs.empty())
        notes.lines.push_back("Выберите величины в списке слева");

    const TAntennaInputs& typed = sweep.base;
    const TInputInfo& bandwidth = InputTable()[kBandwidthInput];
    if (sweep.plan.input != kBandwidthInput && AnyBandwidthDerived(outputs)) {
        if (typed.MeasuredBandwidthKHz == 0) {
            notes.lines.push_back(std::string("Измеренная полоса равна 0: RR, КПД и потери по определению "
                                              "постоянны (введите её в поле «") +
                                  bandwidth.label + "» главного окна)");
        } else {
            const TInputInfo& swept = InputTable()[sweep.plan.input];
            notes.lines.push_back("Измеренная полоса " +
                                  WorkbenchNumber(typed.MeasuredBandwidthKHz, "кГц", separator) +
                                  " кГц верна только там, где её измерили (" + swept.label + " = " +
                                  WorkbenchNumber(typed.*swept.value, swept.unit, separator) +
                                  ", красная черта): в стороне от неё RR, КПД и потери — не измерение");
        }
        notes.warning = true;
    }
    if (PitchNeedsNotice(typed)) {
        notes.lines.push_back(kPitchNotice);
        notes.warning = true;
    }
    return notes;
}

} // namespace eh
