// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "BandPlans.h"
#include "DesignService.h"
#include "ExplorerMeasurement.h"
#include "ExplorerRange.h"
#include "ExplorerSolutions.h"
#include "PinnedDesigns.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

// The design explorer's state and rules, below every front end: the window
// and the page keep their controls in step with it and draw what it says.
// It holds the seven field texts it follows, the input the chart sweeps and
// its range, the region, the chosen outputs, the pinned designs and the
// search for a target with its answers. The sweeps and searches themselves
// run where the front end likes (a worker thread, a Web Worker): the model
// says what to run and takes the outcome back.
namespace eh {

// What the chart should show now, or why it cannot.
struct TExplorerRequest {
    std::optional<TAntennaInputs> typed; // the design the fields hold
    std::optional<TSweepPlan> plan;      // the sweep to run; empty with `message`
    std::string message;                 // what is wrong with a field or the range
    std::string rangeNote;               // what reading the range capped
};

class ExplorerModel {
public:
    ExplorerModel();

    // The decimal mark of every text read and written.
    void SetSeparator(char separator) { separator_ = separator; }
    char Separator() const { return separator_; }

    // The language of the model's messages and of the texts made from it.
    void SetLanguage(TLanguage language) { language_ = language; }
    TLanguage Language() const { return language_; }
    // How the fields' texts are read: the lengths' unit, gauges. The
    // explorer shows lengths in the unit they are typed in, and its range
    // and search bounds are typed in it too: another unit starts them again
    // from the input's sensible range.
    void SetFieldTextOptions(const TFieldTextOptions& options);
    const TFieldTextOptions& FieldTextOptions() const { return fieldOptions_; }
    TLengthUnit Lengths() const { return fieldOptions_.lengths; }

    // The main window's fields (or the page's). Answers found for another
    // design are dropped at once.
    void SetFieldTexts(const TFieldTexts& texts);
    const TFieldTexts& FieldTexts() const { return fieldTexts_; }
    // The design the fields hold; empty while one is not a number.
    std::optional<TAntennaInputs> Typed() const;

    // The input the chart sweeps. A frequency starts from the whole of HF;
    // any other input from its full sensible range, the user's own preset.
    void SetXInput(std::size_t input);
    std::size_t XInput() const { return xInput_; }
    bool SweepsFrequency() const;
    // Presets apply to a frequency only.
    void SetPreset(TRangePreset preset);
    TRangePreset Preset() const { return preset_; }
    // The range row's texts as typed; a preset's bounds replace from and to.
    void SetRangeTexts(const TRangeTexts& texts) { range_ = texts; }
    const TRangeTexts& RangeTexts() const { return range_; }
    // The chart sweeps the frequency across `band`.
    void ShowBand(const TAmateurBand& band);

    void SetRegion(TIaruRegion region) { region_ = region; }
    TIaruRegion Region() const { return region_; }

    // Indices in ResultTable(), in table order.
    void SetOutputs(std::vector<std::size_t> outputs);
    const std::vector<std::size_t>& Outputs() const { return outputs_; }

    // The sweep to run for the chart; fills a preset's bounds into the range
    // texts first.
    TExplorerRequest Request();

    PinnedDesigns& Pins() { return pins_; }
    const PinnedDesigns& Pins() const { return pins_; }

    // The search as typed; another result, target or input to vary drops
    // the answers found for the old one.
    void SetSolveTexts(const TSolveTexts& texts);
    // Another input to vary, searched over its full sensible range.
    void SetSolveInput(std::size_t input);
    const TSolveTexts& SolveTexts() const { return solve_; }
    TSolveReading SolveRequest() const;
    // Keeps answers that answer what is asked now; false (and nothing kept)
    // when the design or the target changed while they were sought.
    bool AcceptSolutions(TFoundSolutions found);
    const std::optional<TFoundSolutions>& Solutions() const { return found_; }
    void ClearSolutions() { found_.reset(); }

    // A measured sweep to draw over the frequency chart; a new one is shown
    // until the user hides it.
    void SetMeasurement(TShownMeasurement measurement);
    const std::optional<TShownMeasurement>& Measurement() const { return measurement_; }
    void SetMeasurementShown(bool shown) { measurementShown_ = shown; }
    bool MeasurementShown() const { return measurement_ && measurementShown_; }
    // The measurement's marks over a chart of the chosen outputs that sweeps
    // `input` from `low` to `high`: none unless that input is the frequency
    // and a measurement is shown.
    // The chart sweeps the frequency across the measurement's MeasuredStretch;
    // false (and nothing changed) when there is none.
    bool ShowMeasuredStretch();
    std::optional<TMeasurementMarks> MeasurementMarksOver(std::size_t input, double low, double high) const;

private:
    bool SolutionsHold() const;

    char separator_ = '.';
    TLanguage language_ = kDefaultLanguage;
    TFieldTextOptions fieldOptions_;
    TFieldTexts fieldTexts_;
    std::size_t xInput_ = 0;
    TRangePreset preset_ = TRangePreset::WholeHf;
    TRangeTexts range_;
    TIaruRegion region_ = kDefaultRegion;
    std::vector<std::size_t> outputs_;
    PinnedDesigns pins_;
    TSolveTexts solve_;
    std::optional<TFoundSolutions> found_;
    std::optional<TShownMeasurement> measurement_;
    bool measurementShown_ = false;
};

} // namespace eh
