// SPDX-License-Identifier: GPL-3.0-or-later
// The page's way into the calculator: the window's texts, the calculate
// command on the seven field texts, the saved report's bytes (the
// explorer's model is in ExplorerBinding.cpp), and the
// analysis of a measured sweep. Everything the page shows comes from here,
// so that it says what the desktop program says, in the language and with
// the lengths the page was configured with.
#include "BindingArrays.h"
#include "CalculateCommand.h"
#include "DecimalSeparatorRule.h"
#include "DesignTables.h"
#include "Exceptions.h"
#include "InputText.h"
#include "Language.h"
#include "LengthUnit.h"
#include "MainWindowTexts.h"
#include "MeasurementFigures.h"
#include "MeasurementTexts.h"
#include "ModelComparison.h"
#include "NumberFormat.h"
#include "RecordingPane.h"
#include "ShownLengths.h"
#include "ReportText.h"
#include "Touchstone.h"
#include "WireGauge.h"

#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <algorithm>
#include <limits>
#include <optional>
#include <string>
#include <vector>

using emscripten::val;

namespace eh {
namespace {

// The page's language and the unit of the lengths its fields take and its
// report writes: Russian millimetres until the page says otherwise.
TReportOptions gPage;

// How the page reads its field texts.
TFieldTextOptions PageReading() { return PageFieldReading(gPage.language, gPage.lengths); }

// Sets the language ("ru" or "en") and the lengths' unit ("mm" or "in");
// false, and nothing changed, for a code it does not know.
bool Configure(const std::string& language, const std::string& units)
{
    const std::optional<TLanguage> chosen = LanguageFromCode(language);
    if (!chosen || (units != "mm" && units != "in"))
        return false;
    gPage = {*chosen, units == "in" ? TLengthUnit::Inch : TLengthUnit::Millimetre};
    return true;
}

const char* Text(std::string_view key) { return LocalText(key, gPage.language); }

// A field of the page: the text it held when the command ran, and whether
// the command reset and focused it.
class PageField : public IInputField {
public:
    explicit PageField(std::string text) : text_(std::move(text)) {}
    std::string Text() const override { return text_; }
    void SetText(const std::string& text) override
    {
        text_ = text;
        reset_ = true;
    }
    void SetFocus() override { focused_ = true; }
    bool WasReset() const { return reset_ && focused_; }

private:
    std::string text_;
    bool reset_ = false;
    bool focused_ = false;
};

// The separator a text names: itself when it can be one, else a point.
char Separator(const std::string& text) { return DecimalSeparatorFromText(text).value_or('.'); }

val ToArray(const auto& items, auto convert)
{
    val array = val::array();
    for (const auto& item : items)
        array.call<void>("push", convert(item));
    return array;
}

val PageTexts()
{
    val texts = val::object();
    texts.set("title", std::string(Text("window.caption")));
    texts.set("calculate", std::string(Text("window.calculate")));
    texts.set("save", std::string(Text("window.save")));
    texts.set("bandwidthNote", std::string(Text("window.bandwidth-note")));
    texts.set("measurementTitle", std::string(Text("measurement.title")));
    texts.set("applyBandwidth", std::string(Text("measurement.apply")));
    texts.set("applyBandwidthTip", std::string(Text("measurement.apply-tip")));
    texts.set("groups", ToArray(std::array{"window.group.antenna", "window.group.coil", "window.group.measured"},
                                [](const char* key) { return val(std::string(Text(key))); }));
    val fields = val::array();
    for (std::size_t i = 0; i < kInputCount; ++i) {
        const TInputInfo& input = InputTable()[i];
        const TFieldPresentation& presentation = FieldPresentation()[i];
        const bool inches = gPage.lengths == TLengthUnit::Inch && IsLength(input);
        const std::string label = inches ? std::string(InputText(input, "name", gPage.language)) + " (" +
                                               Text("unit.inch") + ")"
                                         : std::string(InputText(input, "label", gPage.language));
        val field = val::object();
        field.set("key", std::string(input.key));
        field.set("label", label + presentation.captionTail);
        field.set("toolTip", *presentation.toolTip ? std::string(InputText(input, "tip", gPage.language)) : "");
        field.set("unit", std::string(inches ? Text("unit.inch") : input.unitKey[0] ? Text(input.unitKey) : ""));
        field.set("wireGauge", PageReading().wireGauges && TakesWireGauge(input));
        // The explorer sweeps the model's values, lengths in millimetres.
        field.set("sweepLabel", std::string(InputText(input, "label", gPage.language)));
        field.set("resetText", std::string(input.resetText));
        field.set("group", static_cast<int>(presentation.group));
        fields.call<void>("push", field);
    }
    texts.set("fields", fields);
    return texts;
}

val LineSpans(const RecordingPane::Line& line)
{
    return ToArray(RecordingPane::Spans(line), [](const RecordingPane::Span& span) {
        val out = val::object();
        out.set("text", span.text);
        out.set("bold", span.style.bold);
        out.set("underline", span.style.underline);
        out.set("size", span.style.size);
        return out;
    });
}

// The typed design, or nothing when a field is not a number (or a number
// beyond the double range): the explorer then keeps what it shows.
std::optional<TAntennaInputs> TypedDesign(val texts, const std::string& separator)
{
    TFieldTexts fieldTexts;
    for (std::size_t i = 0; i < kInputCount; ++i)
        fieldTexts[i] = texts[i].as<std::string>();
    try {
        const TFieldReading reading = ReadFieldTexts(fieldTexts, Separator(separator), PageReading());
        if (reading.badField)
            return std::nullopt;
        return reading.inputs;
    } catch (const Exception&) {
        return std::nullopt;
    }
}

// Runs the window's calculate command on the texts. The answer holds the
// report lines with their styled spans, the pitch notice when due, the field
// that was reset (its index and new text), the failure text of a fault and,
// with a report, the reported design's frequency.
val Calculate(val texts, const std::string& separator)
{
    std::array<PageField, kInputCount> fields = [&texts]<std::size_t... I>(std::index_sequence<I...>) {
        return std::array<PageField, kInputCount>{PageField(texts[I].as<std::string>())...};
    }(std::make_index_sequence<kInputCount>());
    TInputFields fieldPointers;
    for (std::size_t i = 0; i < kInputCount; ++i)
        fieldPointers[i] = &fields[i];

    RecordingPane pane;
    val answer = val::object();
    answer.set("notice", val::null());
    answer.set("fault", val::null());
    answer.set("reset", val::null());
    try {
        RunCalculateCommand(fieldPointers, pane, Separator(separator),
                            [&answer](const std::string& notice) { answer.set("notice", notice); },
                            {.fields = PageReading(), .report = gPage});
    } catch (const Exception& e) {
        answer.set("fault", FailureText(e.what()));
    }
    for (std::size_t i = 0; i < kInputCount; ++i) {
        if (fields[i].WasReset()) {
            val reset = val::object();
            reset.set("field", static_cast<int>(i));
            reset.set("text", fields[i].Text());
            answer.set("reset", reset);
        }
    }
    answer.set("firstIndent", pane.FirstIndent());
    answer.set("lines", ToArray(pane.Lines(), [](const RecordingPane::Line& line) {
                   val out = val::object();
                   out.set("text", line.text);
                   out.set("spans", LineSpans(line));
                   return out;
               }));
    answer.set("plainText", pane.PlainText());
    // The page names a saved report after the design's frequency.
    if (!pane.Lines().empty())
        if (const std::optional<TAntennaInputs> design = TypedDesign(texts, separator))
            answer.set("frequencyMHz", design->FrequencyMHz);
    return answer;
}

// The bytes the window saves for the pane's plain text.
val ReportFile(const std::string& plainText)
{
    const std::string bytes = ReportFileBytes(plainText);
    return val::global("Uint8Array").new_(
        emscripten::typed_memory_view(bytes.size(), reinterpret_cast<const unsigned char*>(bytes.data())));
}

// The separator the page reads and writes numbers with: the one the address
// names when it can be one, else the browser language's decimal mark when
// that can be one, else a point.
std::string DecimalSeparatorFor(const std::string& named, const std::string& languageMark)
{
    return std::string(1, DecimalSeparatorFromText(named).value_or(Separator(languageMark)));
}

// Why a file of `size` bytes is refused before it is read, or null: the
// page asks before it loads a file into memory.
val MeasurementSizeFault(const std::string& fileName, double size)
{
    if (size <= static_cast<double>(kTouchstoneMaxBytes))
        return val::null();
    return val(RefusedFileText(fileName, TouchstoneRefusalText({TTouchstoneFault::TooLarge, 0, 0}, gPage.language)));
}

// A measured sweep's file, read on the device, as the window's measurement
// view shows it: the refusal in words, or the figures, the notes, the text
// the bandwidth field takes, the curves (the ideal resonator's at the
// measured frequencies, for one chart) and the marks. `texts` are the
// page's seven field texts, for the model's bandwidth beside the
// measurement.
val Measurement(const std::string& fileName, val bytes, val texts, const std::string& separator)
{
    const char mark = Separator(separator);
    val answer = val::object();
    const std::size_t length = bytes["length"].as<std::size_t>();
    if (val fault = MeasurementSizeFault(fileName, static_cast<double>(length)); !fault.isNull()) {
        answer.set("fault", fault);
        return answer;
    }
    std::string content(length, '\0');
    val(emscripten::typed_memory_view(length, reinterpret_cast<unsigned char*>(content.data())))
        .call<void>("set", bytes);
    const TTouchstoneReading reading = ReadTouchstone(content);
    std::string().swap(content);
    if (!reading.sweep) {
        answer.set("fault", RefusedFileText(fileName, TouchstoneRefusalText(reading.refusal, gPage.language)));
        return answer;
    }
    answer.set("fault", val::null());
    const TResonanceAnalysis analysis = AnalyseResonance(*reading.sweep);
    TFieldTexts fieldTexts;
    for (std::size_t i = 0; i < kInputCount; ++i)
        fieldTexts[i] = texts[i].as<std::string>();
    const std::optional<TModelPromise> promise = ModelPromise(fieldTexts, mark, PageReading());
    const TMeasurementSummary summary = SummariseMeasurement(analysis, promise, mark, gPage.language);
    answer.set("figures", ToArray(summary.figures, [](const TMeasurementFigure& figure) {
                   val out = val::object();
                   out.set("label", figure.label);
                   out.set("value", figure.value);
                   return out;
               }));
    answer.set("notes", ToArray(summary.notes, [](const std::string& note) { return val(note); }));
    answer.set("method", summary.method);
    answer.set("fieldText", summary.fieldText ? val(*summary.fieldText) : val::null());

    const std::size_t n = reading.sweep->points.size();
    const bool ideal = promise && analysis.resonanceHz;
    std::vector<double> mhz(n), swr(n), r(n), x(n), idealSwr(ideal ? n : 0);
    constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
    for (std::size_t i = 0; i < n; ++i) {
        const TPointFigures figures = FiguresAt(reading.sweep->points[i]);
        mhz[i] = figures.frequencyHz / 1e6;
        swr[i] = figures.swr.value_or(kNaN);
        r[i] = figures.resistanceOhm.value_or(kNaN);
        x[i] = figures.reactanceOhm.value_or(kNaN);
        if (ideal)
            idealSwr[i] = IdealSwrAt(*promise, *analysis.resonanceHz, figures.frequencyHz);
    }
    answer.set("frequencyMHz", Float64Array(mhz));
    answer.set("swr", Float64Array(swr));
    answer.set("resistance", Float64Array(r));
    answer.set("reactance", Float64Array(x));
    answer.set("swrTop", SwrChartTop(swr));
    answer.set("idealSwr", ideal ? Float64Array(idealSwr) : val::null());
    answer.set("idealName", ideal ? val(IdealCurveName(*promise, mark, gPage.language)) : val::null());
    answer.set("resonanceMHz", analysis.resonanceHz ? val(*analysis.resonanceHz / 1e6) : val::null());
    val spans = val::array();
    const auto addSpan = [&](const std::optional<TFrequencySpan>& span, double level) {
        if (!span)
            return;
        val out = val::object();
        out.set("lowMHz", span->lowHz / 1e6);
        out.set("highMHz", span->highHz / 1e6);
        out.set("level", level);
        out.set("name", SwrAtMostText(level, mark, gPage.language));
        spans.call<void>("push", out);
    };
    addSpan(analysis.swrSpan, kHalfPowerSwr);
    addSpan(analysis.swr2Span, 2);
    answer.set("spans", spans);
    return answer;
}

// A frequency as the measurement's figures write it.
std::string Megahertz(double hertz, const std::string& separator)
{
    return MegahertzText(hertz, Separator(separator));
}

// What a wire gauge text ("14 AWG", "#14") stands for in the page's length
// unit, "= 1.628 mm"; null when the text names no gauge.
val WireGaugeText(const std::string& text, const std::string& separator)
{
    const std::optional<int> gauge = ReadWireGauge(text);
    if (!gauge)
        return val::null();
    return val(WireGaugeDiameterText(*gauge, Separator(separator), gPage.language, gPage.lengths));
}

// A file the browser could not read, worded as a refusal.
std::string UnreadableFile(const std::string& reason) { return UnreadableFileText(reason, gPage.language); }

} // namespace
} // namespace eh

EMSCRIPTEN_BINDINGS(eh_antenna)
{
    emscripten::function("configure", &eh::Configure);
    emscripten::function("wireGaugeText", &eh::WireGaugeText);
    emscripten::function("measurement", &eh::Measurement);
    emscripten::function("measurementSizeFault", &eh::MeasurementSizeFault);
    emscripten::function("megahertzText", &eh::Megahertz);
    emscripten::function("refusedFileText", &eh::RefusedFileText);
    emscripten::function("unreadableFileText", &eh::UnreadableFile);
    emscripten::function("pageTexts", &eh::PageTexts);
    emscripten::function("calculate", &eh::Calculate);
    emscripten::function("reportFile", &eh::ReportFile);
    emscripten::function("decimalSeparatorFor", &eh::DecimalSeparatorFor);
}
