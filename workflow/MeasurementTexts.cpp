// SPDX-License-Identifier: GPL-3.0-or-later
#include "MeasurementTexts.h"

#include <fmt/format.h>

namespace eh {

namespace {

std::string Reason(const TTouchstoneRefusal& refusal, TLanguage language)
{
    const auto text = [language](std::string_view key) { return std::string(LocalText(key, language)); };
    switch (refusal.fault) {
    case TTouchstoneFault::Empty:
        return text("measurement.fault.empty");
    case TTouchstoneFault::Binary:
        return text("measurement.fault.binary");
    case TTouchstoneFault::TooLarge:
        return fmt::format(fmt::runtime(text("measurement.fault.too-large")), kTouchstoneMaxBytes >> 20);
    case TTouchstoneFault::TooManyPoints:
        return fmt::format(fmt::runtime(text("measurement.fault.too-many-points")), kTouchstoneMaxPoints);
    case TTouchstoneFault::BadOptionLine:
        return text("measurement.fault.bad-option-line");
    case TTouchstoneFault::NotOnePort:
        return text("measurement.fault.not-one-port");
    case TTouchstoneFault::WrongColumnCount:
        return text("measurement.fault.column-count");
    case TTouchstoneFault::NotANumber:
        return text("measurement.fault.not-a-number");
    case TTouchstoneFault::NotFinite:
        return text("measurement.fault.not-finite");
    case TTouchstoneFault::FrequencyNotPositive:
        return text("measurement.fault.frequency-not-positive");
    case TTouchstoneFault::DuplicateFrequency:
        return text("measurement.fault.duplicate-frequency");
    case TTouchstoneFault::FrequencyOutOfOrder:
        return text("measurement.fault.frequency-order");
    case TTouchstoneFault::BadReference:
        return text("measurement.fault.bad-reference");
    case TTouchstoneFault::BadKeyword:
        return text("measurement.fault.bad-keyword");
    case TTouchstoneFault::CountMismatch:
        return fmt::format(fmt::runtime(text("measurement.fault.count-mismatch")), refusal.count);
    case TTouchstoneFault::TooFewPoints:
        return fmt::format(fmt::runtime(text("measurement.fault.too-few-points")), refusal.count, kTouchstoneMinPoints);
    }
    return {};
}

} // namespace

std::string TouchstoneRefusalText(const TTouchstoneRefusal& refusal, TLanguage language)
{
    if (refusal.line == 0)
        return fmt::format(fmt::runtime(LocalText("measurement.refused", language)), Reason(refusal, language));
    return fmt::format(fmt::runtime(LocalText("measurement.refused-at-line", language)), refusal.line,
                       Reason(refusal, language));
}

std::string MeasurementNoteText(TMeasurementNote note, TLanguage language)
{
    const char* key = "";
    switch (note) {
    case TMeasurementNote::MinimumAtLowEnd:
        key = "measurement.note.minimum-low";
        break;
    case TMeasurementNote::MinimumAtHighEnd:
        key = "measurement.note.minimum-high";
        break;
    case TMeasurementNote::NoPowerAccepted:
        key = "measurement.note.no-power";
        break;
    case TMeasurementNote::ReflectionAboveOne:
        key = "measurement.note.reflection-above-one";
        break;
    case TMeasurementNote::ResistanceNotPositive:
        key = "measurement.note.resistance-not-positive";
        break;
    case TMeasurementNote::SlopeNotDefined:
        key = "measurement.note.slope";
        break;
    case TMeasurementNote::FewPointsAcrossBand:
        key = "measurement.note.few-points";
        break;
    case TMeasurementNote::SwrSpanNotReached:
        key = "measurement.note.swr-span-not-reached";
        break;
    case TMeasurementNote::SwrSpanBeyondSweep:
        key = "measurement.note.swr-span-beyond";
        break;
    case TMeasurementNote::Swr2SpanNotReached:
        key = "measurement.note.swr2-span-not-reached";
        break;
    case TMeasurementNote::Swr2SpanBeyondSweep:
        key = "measurement.note.swr2-span-beyond";
        break;
    case TMeasurementNote::NotOneResonance:
        key = "measurement.note.not-one-resonance";
        break;
    }
    return *key ? LocalText(key, language) : std::string();
}

std::string MeasurementMethodText(TLanguage language) { return LocalText("measurement.method", language); }

} // namespace eh
