// SPDX-License-Identifier: GPL-3.0-or-later
// The page's way into the calculator: the window's texts, the calculate
// command on the seven field texts, the saved report's bytes. Everything the
// page shows comes from here, so that it says what the desktop window says.
#include "CalculateCommand.h"
#include "DecimalSeparatorRule.h"
#include "DesignTables.h"
#include "Exceptions.h"
#include "MainWindowTexts.h"
#include "RecordingPane.h"
#include "ReportText.h"

#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <optional>
#include <string>

using emscripten::val;

namespace eh {
namespace {

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
    texts.set("title", std::string(kMainWindowCaption));
    texts.set("calculate", std::string(kCalculateCaption));
    texts.set("save", std::string(kSaveCaption));
    texts.set("bandwidthNote", std::string(kBandwidthNote));
    texts.set("groups", ToArray(kGroupTitles, [](const char* title) { return val(std::string(title)); }));
    val fields = val::array();
    for (std::size_t i = 0; i < kInputCount; ++i) {
        const TInputInfo& input = InputTable()[i];
        const TFieldPresentation& presentation = FieldPresentation()[i];
        val field = val::object();
        field.set("key", std::string(input.key));
        field.set("label", std::string(input.label) + presentation.captionTail);
        field.set("toolTip", std::string(presentation.toolTip));
        field.set("unit", std::string(input.unit));
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

// Runs the window's calculate command on the texts. The answer holds the
// report lines with their styled spans, the pitch notice when due, the field
// that was reset (its index and new text) and the failure text of a fault.
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
        RunCalculateCommand(fieldPointers, pane, DecimalSeparatorFromText(separator).value_or('.'),
                            [&answer](const std::string& notice) { answer.set("notice", notice); });
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
    return answer;
}

// The bytes the window saves for the pane's plain text.
val ReportFile(const std::string& plainText)
{
    const std::string bytes = ReportFileBytes(plainText);
    return val::global("Uint8Array").new_(
        emscripten::typed_memory_view(bytes.size(), reinterpret_cast<const unsigned char*>(bytes.data())));
}

// The separator a language's decimal mark gives: the mark itself when it can
// be one, else a point.
std::string DecimalSeparatorFor(const std::string& mark)
{
    return std::string(1, DecimalSeparatorFromText(mark).value_or('.'));
}

} // namespace
} // namespace eh

EMSCRIPTEN_BINDINGS(eh_antenna)
{
    emscripten::function("pageTexts", &eh::PageTexts);
    emscripten::function("calculate", &eh::Calculate);
    emscripten::function("reportFile", &eh::ReportFile);
    emscripten::function("decimalSeparatorFor", &eh::DecimalSeparatorFor);
}
