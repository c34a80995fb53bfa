// SPDX-License-Identifier: GPL-3.0-or-later
// The page's explorer on the program's own explorer model: the page keeps its
// controls in step with an ExplorerPage and draws what it answers; the sweep
// a request names runs in the page's worker (explorerSweep), which keeps the
// last sweep for the readout under the cursor. Every default, limit, rule
// and text the explorer shows comes from here.
#include "AxisTicks.h"
#include "BandLabels.h"
#include "BandPlans.h"
#include "BindingArrays.h"
#include "BuildSheetText.h"
#include "ChartThinning.h"
#include "DesignFile.h"
#include "DesignService.h"
#include "ExplorerDesignFile.h"
#include "DesignSweep.h"
#include "DesignTables.h"
#include "DrawingLayout.h"
#include "DrawingShapes.h"
#include "ExplorerModel.h"
#include "ExplorerNotes.h"
#include "ExplorerRange.h"
#include "ExplorerOutputs.h"
#include "ExplorerReadout.h"
#include "ExplorerSolutions.h"
#include "InputText.h"
#include "Language.h"
#include "PinnedDesigns.h"
#include "ShownLengths.h"
#include "TargetSolver.h"
#include "TuningPlan.h"

#include <emscripten/bind.h>
#include <emscripten/val.h>
#include <fmt/format.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

using emscripten::val;

namespace eh {
namespace {

char Mark(const std::string& separator) { return separator.empty() ? '.' : separator.front(); }

// The page's language code ("ru", "en"); Russian for any other.
TLanguage LanguageOf(const std::string& code) { return LanguageFromCode(code).value_or(kDefaultLanguage); }
std::string CodeOf(TLanguage language) { return language == TLanguage::English ? "en" : "ru"; }
TLanguage JobLanguage(val job) { return job["language"].isString() ? LanguageOf(job["language"].as<std::string>()) : kDefaultLanguage; }

// "mm" or "in": the unit the page's four length fields are typed in.
TLengthUnit LengthsOf(const std::string& code) { return code == "in" ? TLengthUnit::Inch : TLengthUnit::Millimetre; }

// How a job's field texts are read: as the page that sent it reads them.
TFieldTextOptions JobReading(val job)
{
    return PageFieldReading(JobLanguage(job), LengthsOf(job["units"].isString() ? job["units"].as<std::string>() : ""));
}

TFieldTexts FieldTextsOf(val texts)
{
    TFieldTexts fieldTexts;
    for (std::size_t i = 0; i < kInputCount; ++i)
        fieldTexts[i] = texts[i].as<std::string>();
    return fieldTexts;
}

val TextsArray(const TFieldTexts& texts)
{
    val array = val::array();
    for (const std::string& text : texts)
        array.call<void>("push", text);
    return array;
}

std::vector<std::size_t> IndicesOf(val array)
{
    std::vector<std::size_t> indices;
    for (int i = 0, n = array["length"].as<int>(); i < n; ++i)
        if (const int k = array[i].as<int>(); k >= 0)
            indices.push_back(static_cast<std::size_t>(k));
    return indices;
}

val IndexArray(const std::vector<std::size_t>& indices)
{
    val array = val::array();
    for (const std::size_t index : indices)
        array.call<void>("push", static_cast<int>(index));
    return array;
}

TSolveTexts SolveTextsOf(val texts)
{
    TSolveTexts solve;
    solve.result = static_cast<std::size_t>(std::max(texts["result"].as<int>(), 0));
    solve.target = texts["target"].as<std::string>();
    solve.input = static_cast<std::size_t>(std::max(texts["input"].as<int>(), 0));
    solve.from = texts["from"].as<std::string>();
    solve.to = texts["to"].as<std::string>();
    return solve;
}

val SolveTextsArray(const TSolveTexts& solve)
{
    val out = val::object();
    out.set("result", static_cast<int>(solve.result));
    out.set("target", solve.target);
    out.set("input", static_cast<int>(solve.input));
    out.set("from", solve.from);
    out.set("to", solve.to);
    return out;
}

val StringArray(const std::vector<std::string>& texts)
{
    val array = val::array();
    for (const std::string& text : texts)
        array.call<void>("push", text);
    return array;
}

val PointOf(const TPointMm& point)
{
    val pair = val::array();
    pair.call<void>("push", point.x);
    pair.call<void>("push", point.y);
    return pair;
}

val PointOf(const TPointPx& point)
{
    val pair = val::array();
    pair.call<void>("push", point.x);
    pair.call<void>("push", point.y);
    return pair;
}

val BoxOf(const TBoxPx& box)
{
    val out = val::object();
    out.set("left", box.left);
    out.set("top", box.top);
    out.set("right", box.Right());
    out.set("bottom", box.Bottom());
    return out;
}

// A figure of the drawing as placed: its bodies and strokes in millimetres
// (drawn at `scale` from `origin`), its dimensions and notes in pixels.
val FigureOf(const TDrawingFigure& figure, const TPlacedFigure& placed)
{
    val out = val::object();
    out.set("title", figure.title);
    out.set("fault", figure.fault);
    out.set("area", BoxOf(placed.area));
    out.set("room", BoxOf(placed.room));
    out.set("scale", placed.scale);
    out.set("origin", PointOf(placed.origin));
    val bodies = val::array();
    val strokes = val::array();
    val dimensions = val::array();
    val notes = val::array();
    if (placed.scale > 0) {
        for (const TBodyShape& body : figure.bodies) {
            val one = val::object();
            one.set("coil", body.kind == TBodyKind::Coil);
            one.set("x", body.topLeft.x);
            one.set("y", body.topLeft.y);
            one.set("width", body.width);
            one.set("height", body.height);
            bodies.call<void>("push", one);
        }
        for (const TStrokeShape& stroke : figure.strokes) {
            val one = val::object();
            one.set("turn", stroke.kind == TStrokeKind::CoilTurn);
            one.set("from", PointOf(stroke.from));
            one.set("to", PointOf(stroke.to));
            strokes.call<void>("push", one);
        }
        for (std::size_t i = 0; i < figure.dimensions.size(); ++i) {
            const TPlacedDimension& dimension = placed.dimensions[i];
            val one = val::object();
            one.set("from", PointOf(dimension.from));
            one.set("to", PointOf(dimension.to));
            val heads = val::array();
            for (const std::array<TPointPx, 3>& head : dimension.heads) {
                val corners = val::array();
                for (const TPointPx& corner : head)
                    corners.call<void>("push", PointOf(corner));
                heads.call<void>("push", corners);
            }
            one.set("heads", heads);
            one.set("label", figure.dimensions[i].label);
            one.set("box", BoxOf(dimension.label));
            dimensions.call<void>("push", one);
        }
        for (std::size_t i = 0; i < figure.notes.size(); ++i) {
            val one = val::object();
            one.set("text", figure.notes[i]);
            one.set("box", BoxOf(placed.notes[i]));
            notes.call<void>("push", one);
        }
    }
    out.set("bodies", bodies);
    out.set("strokes", strokes);
    out.set("dimensions", dimensions);
    out.set("notes", notes);
    return out;
}

// A model holding the design and the search a solve job was made for.
ExplorerModel SolveModelFor(val job)
{
    ExplorerModel model;
    model.SetLanguage(JobLanguage(job));
    model.SetFieldTextOptions(JobReading(job));
    model.SetSeparator(job["separator"].as<std::string>().empty() ? '.' : job["separator"].as<std::string>().front());
    model.SetFieldTexts(FieldTextsOf(job["texts"]));
    model.SetSolveTexts(SolveTextsOf(job["solve"]));
    return model;
}

TIaruRegion RegionOf(int region) { return IaruRegion(region).value_or(kDefaultRegion); }

// The explorer's state on the page's thread: the controls write into it, and
// it says what the chart should show.
class ExplorerPage {
public:
    void SetSeparator(const std::string& separator) { model_.SetSeparator(Mark(separator)); }
    // "ru" or "en": the language of every text the explorer answers.
    // "ru" or "en", and "mm" or "in": the language of every text the
    // explorer answers and the unit the page's length fields are typed in.
    void Configure(const std::string& language, const std::string& units)
    {
        model_.SetLanguage(LanguageOf(language));
        units_ = units;
        model_.SetFieldTextOptions(PageFieldReading(model_.Language(), LengthsOf(units)));
    }
    void SetFieldTexts(val texts) { model_.SetFieldTexts(FieldTextsOf(texts)); }
    void SetXInput(int input) { model_.SetXInput(static_cast<std::size_t>(std::max(input, 0))); }
    int XInput() const { return static_cast<int>(model_.XInput()); }
    void SetRangeTexts(const std::string& from, const std::string& to, const std::string& points)
    {
        model_.SetPreset(TRangePreset::Custom);
        model_.SetRangeTexts({from, to, points});
    }
    val RangeTexts() const
    {
        val out = val::object();
        out.set("from", model_.RangeTexts().from);
        out.set("to", model_.RangeTexts().to);
        out.set("points", model_.RangeTexts().points);
        return out;
    }
    void SetRegion(int region) { model_.SetRegion(RegionOf(region)); }
    int Region() const { return static_cast<int>(model_.Region()); }
    void SetOutputs(val outputs) { model_.SetOutputs(IndicesOf(outputs)); }
    val Outputs() const { return IndexArray(model_.Outputs()); }

    // The chart sweeps the frequency across the region's band `index`.
    void ShowBand(int index)
    {
        const auto& plan = BandPlan(model_.Region());
        if (index >= 0 && static_cast<std::size_t>(index) < plan.size())
            model_.ShowBand(plan[static_cast<std::size_t>(index)]);
    }

    // Pins the typed design beside the curves; false when it cannot be
    // (a field is not a number, or the pins are full).
    bool Pin()
    {
        const std::optional<TAntennaInputs> typed = model_.Typed();
        return typed && model_.Pins().Pin(*typed);
    }
    void ClearPins() { model_.Pins().Clear(); }
    int PinCount() const { return static_cast<int>(model_.Pins().Designs().size()); }
    bool PinsFull() const { return model_.Pins().Full(); }

    // What to sweep, as the worker's explorerSweep takes it, or why nothing
    // can be: {message, job} with `job` null when there is a message.
    val Request()
    {
        const TExplorerRequest request = model_.Request();
        val answer = val::object();
        answer.set("message", request.message);
        if (!request.plan) {
            answer.set("job", val::null());
            return answer;
        }
        val job = JobOfTheDesign();
        job.set("input", static_cast<int>(model_.XInput()));
        job.set("from", model_.RangeTexts().from);
        job.set("to", model_.RangeTexts().to);
        job.set("points", model_.RangeTexts().points);
        job.set("outputs", IndexArray(model_.Outputs()));
        job.set("region", static_cast<int>(model_.Region()));
        val pins = val::array();
        for (const TAntennaInputs& pin : model_.Pins().Designs()) {
            val values = val::array();
            for (const TInputInfo& input : InputTable())
                values.call<void>("push", pin.*input.value);
            pins.call<void>("push", values);
        }
        job.set("pins", pins);
        answer.set("job", job);
        return answer;
    }

    // The typed design and the pins as a design file.
    std::string DesignFileText() const { return WriteDesignFile(ExplorerDesignFile(model_), model_.Separator()); }

    // A design file's pins taken and its texts, with the page's decimal
    // mark, to be written into the fields: {texts}; or {fault}, and
    // nothing taken.
    val OpenDesignFile(const std::string& bytes)
    {
        const TDesignFileReading reading = ReadDesignFile(bytes, model_.Separator());
        val out = val::object();
        if (!reading.design) {
            out.set("fault", DesignFileFault(reading, model_.Language()));
            return out;
        }
        if (const std::optional<std::size_t> badField = TakeDesignFilePins(model_, *reading.design)) {
            std::string fault = LocalText("explorer.file.in-pin", model_.Language());
            fault.replace(fault.find("%1"), 2, NotANumberNote(*badField, model_.Language()));
            out.set("fault", fault);
            return out;
        }
        out.set("texts", TextsArray(DesignFileFieldTexts(model_, *reading.design)));
        return out;
    }

    // The search as typed: {result, target, input, from, to}.
    void SetSolveTexts(val texts) { model_.SetSolveTexts(SolveTextsOf(texts)); }
    // Another input to vary, searched over its full sensible range.
    void SetSolveInput(int input) { model_.SetSolveInput(static_cast<std::size_t>(std::max(input, 0))); }
    val SolveTexts() const { return SolveTextsArray(model_.SolveTexts()); }

    // The search to run, as the worker's explorerSolve takes it, or why
    // there is none: {message, job}.
    val SolveRequest() const
    {
        const TSolveReading reading = model_.SolveRequest();
        val answer = val::object();
        answer.set("message", reading.message);
        if (!reading.request) {
            answer.set("job", val::null());
            return answer;
        }
        val job = JobOfTheDesign();
        job.set("solve", SolveTextsArray(model_.SolveTexts()));
        answer.set("job", job);
        return answer;
    }

    // Keeps what the worker found for `job` when it still answers what is
    // asked now; false (and nothing kept) when the design or the target
    // changed while it was sought.
    bool AcceptSolutions(val job, val outcome)
    {
        const std::optional<TSolveRequest> asked = SolveModelFor(job).SolveRequest().request;
        if (!asked)
            return false;
        TSolveOutcome found;
        for (int i = 0, n = outcome["solutions"]["length"].as<int>(); i < n; ++i)
            found.solutions.push_back(outcome["solutions"][i].as<double>());
        if (!outcome["lowestResult"].isNull())
            found.lowestResult = outcome["lowestResult"].as<double>();
        if (!outcome["highestResult"].isNull())
            found.highestResult = outcome["highestResult"].as<double>();
        found.faultedPoints = outcome["faultedPoints"].as<std::size_t>();
        found.standInPoints = outcome["standInPoints"].as<std::size_t>();
        found.constant = outcome["constant"].as<bool>();
        found.jumps = outcome["jumps"].as<std::size_t>();
        return model_.AcceptSolutions({*asked, std::move(found)});
    }

    // The answers that hold for the design typed now, or null:
    // {summary, input, rows: [{text, shownText, exact}]}, `exact` in the
    // unit the chart shows.
    val Solutions() const
    {
        if (!model_.Solutions())
            return val::null();
        val out = val::object();
        const TLengthUnit lengths = model_.Lengths();
        out.set("summary", SolveSummary(*model_.Solutions(), model_.Separator(), model_.Language(), lengths));
        const std::size_t input = model_.Solutions()->request.plan.input;
        out.set("input", static_cast<int>(input));
        val rows = val::array();
        for (const TSolutionRow& row :
             SolutionRows(*model_.Solutions(), model_.Separator(), model_.Language(), lengths)) {
            val one = val::object();
            one.set("text", row.text);
            one.set("shownText", row.shownText);
            one.set("exact", InShownUnit(InputTable()[input], row.exact, lengths));
            rows.call<void>("push", one);
        }
        out.set("rows", rows);
        return out;
    }

    // The typed design's to-scale drawing laid out in `width` × `height`
    // pixels for text `measure` (a text's width in pixels) sets in lines of
    // `lineHeight`: {caption, fault, inner, figures: [the cylinders over the
    // coil, the flat variant]}.
    val Drawing(double width, double height, val measure, double lineHeight) const
    {
        const std::optional<TAntennaInputs> typed = model_.Typed();
        const TDesign design = typed ? CalculateDesign(*typed) : TDesign{};
        const TDrawingShapes shapes =
            design.results ? DrawingShapes(DrawingDimensions(design.inputs, *design.results), model_.Separator(),
                                           model_.Language(), model_.Lengths())
                           : UncalculatedDrawing(model_.Language(), model_.Lengths());
        const TTextMetrics text{[&measure](const std::string& words) { return measure(words).as<double>(); },
                                lineHeight};
        const TPlacedDrawing placed = PlaceDrawing(shapes, {0, 0, width, height}, text);
        val out = val::object();
        out.set("caption", shapes.caption);
        out.set("fault", shapes.fault);
        out.set("inner", BoxOf(placed.inner));
        val figures = val::array();
        figures.call<void>("push", FigureOf(shapes.cylinder, placed.cylinder));
        figures.call<void>("push", FigureOf(shapes.flat, placed.flat));
        out.set("figures", figures);
        return out;
    }

    // The typed design's build sheet words, {title, inputs, band,
    // linkLabel, link}; {fault} while a field is not a number or the design
    // does not calculate.
    val Sheet() const
    {
        val out = val::object();
        const std::optional<TBuildSheetText> sheet = BuildSheetText(model_);
        if (!sheet || !CalculateDesign(*model_.Typed()).results) {
            out.set("fault", std::string(LocalText("explorer.sheet.not-made", model_.Language())));
            return out;
        }
        out.set("title", sheet->title);
        out.set("inputs", StringArray(sheet->inputs));
        out.set("band", sheet->band);
        out.set("linkLabel", sheet->linkLabel);
        out.set("link", sheet->link);
        return out;
    }

private:
    // A worker's job begun with the typed design and how to read and word it.
    val JobOfTheDesign() const
    {
        val job = val::object();
        job.set("texts", TextsArray(model_.FieldTexts()));
        job.set("separator", std::string(1, model_.Separator()));
        job.set("language", CodeOf(model_.Language()));
        job.set("units", units_);
        return job;
    }

    ExplorerModel model_;
    std::string units_ = "mm";
};

// The inputs the chart can sweep, as the fields name them.
val ExplorerInputs(const std::string& language, const std::string& units)
{
    val array = val::array();
    for (const TInputInfo& input : InputTable())
        array.call<void>("push", ShownInputLabel(input, LanguageOf(language), LengthsOf(units)));
    return array;
}

// The results the chart can show: {caption, unit, chosen} with the outputs
// a new explorer shows chosen.
val ExplorerResults(const std::string& language, const std::string& units)
{
    const std::vector<std::size_t> chosen = DefaultExplorerOutputs();
    val array = val::array();
    for (std::size_t i = 0; i < kResultCount; ++i) {
        const TResultInfo& info = ResultTable()[i];
        val out = val::object();
        out.set("caption", ExplorerCaption(info, LanguageOf(language), LengthsOf(units)));
        out.set("unit", ExplorerUnit(info, LanguageOf(language), LengthsOf(units)));
        out.set("chosen", std::find(chosen.begin(), chosen.end(), i) != chosen.end());
        array.call<void>("push", out);
    }
    return array;
}

// An axis from `low` to `high` as the window's charts lay it out: the range
// (widened where it was too narrow to hold countable ticks), the ticks and
// their labels with the decimal mark `separator`.
val ExplorerAxis(double low, double high, int maxTicks, const std::string& separator)
{
    const TAxisTicks ticks = AxisTicks(low, high, maxTicks);
    val out = val::object();
    out.set("low", ticks.low);
    out.set("high", ticks.high);
    val values = val::array();
    val labels = val::array();
    const double first = std::ceil((ticks.low - ticks.anchor) / ticks.step - 1e-9);
    for (int k = 0; k <= kMaxAxisTicks; ++k) {
        double value = ticks.anchor + (first + k) * ticks.step;
        if (std::abs(value) < ticks.step * 1e-9)
            value = 0; // not "-0" from rounding

        if (value > ticks.high + ticks.step * 1e-9)
            break;
        values.call<void>("push", value);
        std::string label = fmt::format("{:.{}f}", value, ticks.decimals);
        std::replace(label.begin(), label.end(), '.', Mark(separator));
        labels.call<void>("push", label);
    }
    out.set("values", values);
    out.set("labels", labels);
    return out;
}

// The region's bands: {name, lowMHz, highMHz}.
val ExplorerBands(int region, const std::string& language)
{
    val array = val::array();
    for (const TAmateurBand& band : BandPlan(RegionOf(region))) {
        val out = val::object();
        out.set("name", ShownBandName(band, LanguageOf(language)));
        out.set("lowMHz", band.LowMHz());
        out.set("highMHz", band.HighMHz());
        array.call<void>("push", out);
    }
    return array;
}

// Where the band names go on a chart: for names `widths` wide centred on
// `centres`, each one's left edge and row, or null for one with no room.
val ExplorerBandLabels(val centres, val widths, double left, double right, int rows, double gap)
{
    std::vector<double> c, w;
    for (int i = 0, n = centres["length"].as<int>(); i < n; ++i) {
        c.push_back(centres[i].as<double>());
        w.push_back(widths[i].as<double>());
    }
    val places = val::array();
    for (const std::optional<TLabelPlace>& place : PlaceBandLabels(c, w, left, right, rows, gap)) {
        if (!place) {
            places.call<void>("push", val::null());
            continue;
        }
        val out = val::object();
        out.set("left", place->left);
        out.set("row", place->row);
        places.call<void>("push", out);
    }
    return places;
}

// The worker's last sweep, for the readout under the cursor.
struct TShownSweep {
    TDesignSweep sweep;
    std::vector<std::size_t> outputs;
    TIaruRegion region = kDefaultRegion;
    char separator = '.';
    TLanguage language = kDefaultLanguage;
    TLengthUnit lengths = TLengthUnit::Millimetre;
};
std::unique_ptr<TShownSweep>& ShownSweep()
{
    static std::unique_ptr<TShownSweep> shown;
    return shown;
}

// Runs the sweep a request named, in the worker: each chosen output's curve
// thinned to at most two points per column of `columns` (runs split where
// points fault), the charts they stack into, the notes under the chart and
// the swept range. A `preview` sweeps no more points than there are columns,
// for a chart redrawn at once while the whole sweep runs; `complete` says
// whether the answer is the whole sweep.
val ExplorerSweep(val job, int columns, bool preview)
{
    ExplorerModel model;
    model.SetLanguage(JobLanguage(job));
    model.SetFieldTextOptions(JobReading(job));
    model.SetSeparator(Mark(job["separator"].as<std::string>()));
    model.SetFieldTexts(FieldTextsOf(job["texts"]));
    model.SetXInput(static_cast<std::size_t>(job["input"].as<int>()));
    model.SetPreset(TRangePreset::Custom);
    model.SetRangeTexts(
        {job["from"].as<std::string>(), job["to"].as<std::string>(), job["points"].as<std::string>()});
    model.SetRegion(RegionOf(job["region"].as<int>()));
    model.SetOutputs(IndicesOf(job["outputs"]));
    TExplorerRequest request = model.Request();
    val answer = val::object();
    answer.set("message", request.message);
    if (!request.plan || !request.typed)
        return answer;
    columns = std::max(columns, 1);
    const bool cut = preview && request.plan->points > static_cast<std::size_t>(columns);
    if (cut) {
        const std::string rangeNote = request.rangeNote;
        model.SetRangeTexts({model.RangeTexts().from, model.RangeTexts().to, std::to_string(columns)});
        request = model.Request();
        request.rangeNote = rangeNote;
        if (!request.plan)
            return answer;
    }
    answer.set("complete", !cut);

    const TLengthUnit lengths = model.Lengths();
    auto shown = std::make_unique<TShownSweep>(
        TShownSweep{RunDesignSweep(*request.plan, *request.typed), model.Outputs(), model.Region(), model.Separator(),
                    model.Language(), lengths});
    const TDesignSweep& sweep = shown->sweep;
    const std::vector<double> x = ShownSweptValues(sweep.plan, lengths);
    const auto curvesOf = [&](const TDesignSweep& one) {
        val curves = val::array();
        for (const std::size_t result : model.Outputs()) {
            const TResultInfo& info = ResultTable()[result];
            std::vector<double> y(x.size());
            for (std::size_t i = 0; i < y.size(); ++i)
                y[i] = one.results[i] ? ShownResultValue(info, *one.results[i], lengths) : std::nan("");
            val runs = val::array();
            for (const auto& run : ThinToColumns(x, y, columns)) {
                std::vector<double> xs, ys;
                for (const auto& [px, py] : run) {
                    xs.push_back(px);
                    ys.push_back(py);
                }
                val pair = val::object();
                pair.set("x", Float64Array(xs));
                pair.set("y", Float64Array(ys));
                runs.call<void>("push", pair);
            }
            val curve = val::object();
            curve.set("result", static_cast<int>(result));
            curve.set("runs", runs);
            curves.call<void>("push", curve);
        }
        return curves;
    };
    val curves = curvesOf(sweep);
    // The pinned designs over the same range, each named by how it differs.
    val pinned = val::array();
    const val pins = job["pins"];
    for (int p = 0, n = pins.isUndefined() ? 0 : pins["length"].as<int>(); p < n; ++p) {
        TAntennaInputs pin = *request.typed;
        for (std::size_t i = 0; i < kInputCount; ++i)
            pin.*InputTable()[i].value = pins[p][i].as<double>();
        val one = val::object();
        one.set("label",
                PinnedLabel(pin, *request.typed, sweep.plan.input, model.Separator(), model.Language(), lengths));
        one.set("curves", curvesOf(RunDesignSweep(*request.plan, pin)));
        pinned.call<void>("push", one);
    }
    answer.set("pinned", pinned);
    const TExplorerNotes notes = ExplorerNotes(sweep, model.Outputs(), request.rangeNote, model.Separator(),
                                               model.Language(), lengths, TExplorerHost::Page);
    val charts = val::array();
    for (const std::vector<std::size_t>& chart : ExplorerCharts(model.Outputs()))
        charts.call<void>("push", IndexArray(chart));
    answer.set("curves", curves);
    answer.set("charts", charts);
    answer.set("note", notes.Joined());
    answer.set("warning", notes.warning);
    answer.set("from", x.empty() ? 0.0 : x.front());
    answer.set("to", x.empty() ? 0.0 : x.back());
    answer.set("points", static_cast<double>(x.size()));
    answer.set("frequency", model.SweepsFrequency());
    const TInputInfo& swept = InputTable()[sweep.plan.input];
    answer.set("xLabel", ShownInputLabel(swept, model.Language(), lengths));
    answer.set("typedValue", InShownUnit(swept, (*request.typed).*swept.value, lengths));
    if (!cut)
        ShownSweep() = std::move(shown);
    return answer;
}

// Runs the search a solve job names, in the worker: what SolveForTarget
// found, as ExplorerPage.acceptSolutions takes it back.
val ExplorerSolve(val job)
{
    val out = val::object();
    const std::optional<TSolveRequest> request = SolveModelFor(job).SolveRequest().request;
    if (!request)
        return val::null();
    const TSolveOutcome outcome = SolveForTarget(*request);
    val solutions = val::array();
    for (const double solution : outcome.solutions)
        solutions.call<void>("push", solution);
    out.set("solutions", solutions);
    out.set("lowestResult", outcome.lowestResult ? val(*outcome.lowestResult) : val::null());
    out.set("highestResult", outcome.highestResult ? val(*outcome.highestResult) : val::null());
    out.set("faultedPoints", static_cast<double>(outcome.faultedPoints));
    out.set("standInPoints", static_cast<double>(outcome.standInPoints));
    out.set("constant", outcome.constant);
    out.set("jumps", static_cast<double>(outcome.jumps));
    return out;
}

// The typed design's tuning plan for the region's bands, or null while a
// field is not a number: each row's cells, whether it holds the typed
// frequency, and its settings in words.
val ExplorerTuningPlan(val texts, const std::string& separator, int region, int criterion, const std::string& language,
                       const std::string& units)
{
    const TLanguage spoken = LanguageOf(language);
    ExplorerModel model;
    model.SetFieldTextOptions(PageFieldReading(spoken, LengthsOf(units)));
    model.SetSeparator(Mark(separator));
    model.SetFieldTexts(FieldTextsOf(texts));
    const std::optional<TAntennaInputs> typed = model.Typed();
    if (!typed)
        return val::null();
    const auto chosen = criterion == static_cast<int>(TBandwidthCriterion::Swr2) ? TBandwidthCriterion::Swr2
                                                                                : TBandwidthCriterion::ThreeDb;
    val rows = val::array();
    for (const TBandPlanRow& row : TuningPlan(RegionOf(region), *typed, chosen)) {
        val out = val::object();
        val cells = val::array();
        for (const std::string& cell : TuningPlanCells(row, model.Separator(), spoken))
            cells.call<void>("push", cell);
        out.set("cells", cells);
        out.set("typedBand", row.typedBand);
        out.set("settings", SettingsText(row, model.Separator(), spoken));
        rows.call<void>("push", out);
    }
    return rows;
}

val ExplorerCriteria(const std::string& language)
{
    val names = val::array();
    for (const std::string& name : CriterionNames(LanguageOf(language)))
        names.call<void>("push", name);
    return names;
}


// The last whole sweep as the tool's --sweep writes it in CSV.
std::string ExplorerSweepCsv()
{
    const std::unique_ptr<TShownSweep>& shown = ShownSweep();
    return shown ? DesignSweepCsv(shown->sweep) : std::string();
}

// The readout for the point of the last sweep nearest to `value`, in the
// unit the chart shows.
std::string ExplorerReadoutAt(double value, bool exact)
{
    const std::unique_ptr<TShownSweep>& shown = ShownSweep();
    if (!shown || shown->sweep.results.empty())
        return {};
    const TDesignSweep& sweep = shown->sweep;
    const auto at = [&](std::size_t i) { return InShownUnit(InputTable()[sweep.plan.input], sweep.plan.Value(i), shown->lengths); };
    // The first point at or beyond `value`, or the one before it when nearer.
    const std::size_t count = sweep.results.size();
    std::size_t low = 0;
    for (std::size_t high = count; low < high;) {
        const std::size_t middle = low + (high - low) / 2;
        if (at(middle) < value)
            low = middle + 1;
        else
            high = middle;
    }
    std::size_t nearest = std::min(low, count - 1);
    if (nearest > 0 && std::abs(at(nearest - 1) - value) <= std::abs(at(nearest) - value))
        --nearest;
    // Every part: the page's readout scrolls where the window's counts what it leaves out.
    const std::vector<std::string> parts =
        ExplorerReadoutParts(sweep, nearest, shown->outputs, shown->region, shown->separator, exact, shown->language,
                             shown->lengths);
    return JoinedReadout(parts, parts.size(), shown->language);
}

} // namespace
} // namespace eh

EMSCRIPTEN_BINDINGS(eh_explorer)
{
    emscripten::class_<eh::ExplorerPage>("ExplorerPage")
        .constructor<>()
        .function("setSeparator", &eh::ExplorerPage::SetSeparator)
        .function("configure", &eh::ExplorerPage::Configure)
        .function("setFieldTexts", &eh::ExplorerPage::SetFieldTexts)
        .function("setXInput", &eh::ExplorerPage::SetXInput)
        .function("xInput", &eh::ExplorerPage::XInput)
        .function("setRangeTexts", &eh::ExplorerPage::SetRangeTexts)
        .function("rangeTexts", &eh::ExplorerPage::RangeTexts)
        .function("setRegion", &eh::ExplorerPage::SetRegion)
        .function("region", &eh::ExplorerPage::Region)
        .function("setOutputs", &eh::ExplorerPage::SetOutputs)
        .function("outputs", &eh::ExplorerPage::Outputs)
        .function("showBand", &eh::ExplorerPage::ShowBand)
        .function("request", &eh::ExplorerPage::Request)
        .function("pin", &eh::ExplorerPage::Pin)
        .function("clearPins", &eh::ExplorerPage::ClearPins)
        .function("pinCount", &eh::ExplorerPage::PinCount)
        .function("pinsFull", &eh::ExplorerPage::PinsFull)
        .function("setSolveTexts", &eh::ExplorerPage::SetSolveTexts)
        .function("setSolveInput", &eh::ExplorerPage::SetSolveInput)
        .function("solveTexts", &eh::ExplorerPage::SolveTexts)
        .function("solveRequest", &eh::ExplorerPage::SolveRequest)
        .function("acceptSolutions", &eh::ExplorerPage::AcceptSolutions)
        .function("solutions", &eh::ExplorerPage::Solutions)
        .function("designFileText", &eh::ExplorerPage::DesignFileText)
        .function("openDesignFile", &eh::ExplorerPage::OpenDesignFile)
        .function("drawing", &eh::ExplorerPage::Drawing)
        .function("sheet", &eh::ExplorerPage::Sheet);
    emscripten::function("explorerInputs", &eh::ExplorerInputs);
    emscripten::function("explorerResults", &eh::ExplorerResults);
    emscripten::function("explorerAxis", &eh::ExplorerAxis);
    emscripten::function("explorerBands", &eh::ExplorerBands);
    emscripten::function("explorerBandLabels", &eh::ExplorerBandLabels);
    emscripten::function("explorerSweep", &eh::ExplorerSweep);
    emscripten::function("explorerSolve", &eh::ExplorerSolve);
    emscripten::function("explorerTuningPlan", &eh::ExplorerTuningPlan);
    emscripten::function("explorerCriteria", &eh::ExplorerCriteria);
    emscripten::function("explorerSweepCsv", &eh::ExplorerSweepCsv);
    emscripten::function("explorerReadoutAt", &eh::ExplorerReadoutAt);
}
