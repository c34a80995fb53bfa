// SPDX-License-Identifier: GPL-3.0-or-later
#include "ExplorerNotes.h"

#include "DesignTables.h"
#include "ExplorerOutputs.h"
#include "ShownLengths.h"
#include "WorkbenchNumber.h"

#include <fmt/format.h>

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
                             const std::string& rangeNote, char separator, TLanguage language, TLengthUnit lengths,
                             TExplorerHost host)
{
    TExplorerNotes notes;
    if (!rangeNote.empty())
        notes.lines.push_back(rangeNote);
    const TSweepFaultTally& faults = sweep.counts.faults;
    if (faults.Total() > 0) {
        notes.lines.push_back(FaultSummary(faults, sweep.plan.points, language));
        notes.warning = true;
    }
    if (faults.Total() == sweep.plan.points)
        notes.lines.push_back(LocalText("explorer.notes.none-calculated", language));
    if (outputs.empty())
        notes.lines.push_back(LocalText("explorer.notes.choose-outputs", language));

    const TAntennaInputs& typed = sweep.base;
    const TInputInfo& bandwidth = InputTable()[kBandwidthInput];
    if (sweep.plan.input != kBandwidthInput && AnyBandwidthDerived(outputs)) {
        if (typed.MeasuredBandwidthKHz == 0) {
            const char* key =
                host == TExplorerHost::Page ? "explorer.notes.no-bandwidth.page" : "explorer.notes.no-bandwidth";
            notes.lines.push_back(fmt::format(fmt::runtime(LocalText(key, language)),
                                              InputText(bandwidth, "label", language)));
        } else {
            const TInputInfo& swept = InputTable()[sweep.plan.input];
            notes.lines.push_back(fmt::format(fmt::runtime(LocalText("explorer.notes.measured-bandwidth", language)),
                                              WorkbenchNumber(typed.MeasuredBandwidthKHz, "кГц", separator),
                                              ShownInputLabel(swept, language, lengths),
                                              WorkbenchNumber(InShownUnit(swept, typed.*swept.value, lengths),
                                                              WorkbenchUnit(swept, lengths), separator)));
        }
        notes.warning = true;
    }
    if (PitchNeedsNotice(typed)) {
        notes.lines.push_back(LocalText("notice.pitch", language));
        notes.warning = true;
    }
    return notes;
}

} // namespace eh
