// SPDX-License-Identifier: GPL-3.0-or-later
#include "DesignTables.h"

#include "ExtendedMath.h"

#include <string>
#include <string_view>

namespace eh {

namespace {

using I = TAntennaInputs;

// The measured bandwidth resets to "0": there 0 means no measurement.
constexpr std::array<TInputInfo, kInputCount> kInputTable = {{
    {"EC15", "frequency", "FrequencyMHz", "FREQUENCY", "frequency in MHz", RussianText("input.frequency.label"),
     RussianText("unit.megahertz"), "0.1", &I::FrequencyMHz, RussianText("input.frequency.name"), "unit.megahertz"},
    {"EC16", "cylinder-diameter", "CylinderDiameterMm", "CYLINDER_DIAMETER", "cylinder diameter in mm",
     RussianText("input.cylinder-diameter.label"), RussianText("unit.millimetre"), "0.1", &I::CylinderDiameterMm,
     RussianText("input.cylinder-diameter.name"), "unit.millimetre"},
    {"EC17", "ratio", "LengthToDiameter", "LD_RATIO", "cylinder length-to-diameter ratio",
     RussianText("input.ratio.label"), "", "0.1", &I::LengthToDiameter, RussianText("input.ratio.name"), ""},
    {"EC33", "wire-diameter", "WireDiameterMm", "WIRE_DIAMETER", "coil wire diameter in mm",
     RussianText("input.wire-diameter.label"), RussianText("unit.millimetre"), "0.1", &I::WireDiameterMm,
     RussianText("input.wire-diameter.name"), "unit.millimetre"},
    {"EC34", "pitch", "WindingPitchMm", "PITCH", "winding pitch in mm", RussianText("input.pitch.label"),
     RussianText("unit.millimetre"), "0.1", &I::WindingPitchMm, RussianText("input.pitch.name"), "unit.millimetre"},
    {"EC36", "turn-diameter", "TurnDiameterMm", "TURN_DIAMETER", "coil turn diameter in mm",
     RussianText("input.turn-diameter.label"), RussianText("unit.millimetre"), "0.1", &I::TurnDiameterMm,
     RussianText("input.turn-diameter.name"), "unit.millimetre"},
    {"EC27", "bandwidth", "MeasuredBandwidthKHz", "BANDWIDTH", "measured bandwidth in kHz",
     RussianText("input.bandwidth.label"), RussianText("unit.kilohertz.field"), "0", &I::MeasuredBandwidthKHz,
     RussianText("input.bandwidth.name"), "unit.kilohertz.field"},
}};

// The saved record lists the inputs as TAntennaInputs declares its members:
// the bandwidth fourth, where the window reads it last.
constexpr std::array<std::size_t, kInputCount> kInputRecordOrder = {0, 1, 2, 6, 3, 4, 5};

// True when the k-th entry of kInputRecordOrder names the k-th member of
// TAntennaInputs. The structured binding takes every member in declaration
// order and stops compiling when a member is added or removed.
consteval bool RecordOrderFollowsTheMembers()
{
    TAntennaInputs record;
    auto& [m0, m1, m2, m3, m4, m5, m6] = record;
    const std::array<const double*, kInputCount> members = {&m0, &m1, &m2, &m3, &m4, &m5, &m6};
    for (std::size_t k = 0; k < kInputCount; ++k) {
        if (&(record.*kInputTable[kInputRecordOrder[k]].value) != members[k])
            return false;
    }
    return true;
}
static_assert(RecordOrderFollowsTheMembers(), "kInputRecordOrder must follow the members of TAntennaInputs");

} // namespace

const std::array<TInputInfo, kInputCount>& InputTable() { return kInputTable; }

const std::array<std::size_t, kInputCount>& InputRecordOrder() { return kInputRecordOrder; }

namespace {

// The index of the entry of `table` whose `name` is `key`.
template <class Table, class Name>
std::optional<std::size_t> IndexByName(const Table& table, Name name, std::string_view key)
{
    for (std::size_t i = 0; i < table.size(); ++i) {
        if (key == table[i].*name)
            return i;
    }
    return std::nullopt;
}

} // namespace

namespace {

// Whether `key` is "input.<inputKey>.<which>".
constexpr bool IsInputKey(std::string_view key, std::string_view inputKey, std::string_view which)
{
    constexpr std::string_view kPrefix = "input.";
    return key.size() == kPrefix.size() + inputKey.size() + 1 + which.size() && key.starts_with(kPrefix) &&
           key.substr(kPrefix.size(), inputKey.size()) == inputKey && key[kPrefix.size() + inputKey.size()] == '.' &&
           key.ends_with(which);
}

// The Russian text under "input.<inputKey>.<which>" (made without a
// std::string, which not every C++ library can make when compiling).
consteval std::string_view RussianInputText(std::string_view inputKey, std::string_view which)
{
    for (const TCatalogueEntry& entry : kTextCatalogue) {
        if (IsInputKey(entry.key, inputKey, which))
            return entry.texts[static_cast<std::size_t>(TLanguage::Russian)];
    }
    throw "no such input text";
}

// Whether each input's Russian texts are the catalogue's under the keys its
// own key makes ("input.frequency.label").
consteval bool InputTextsFollowTheirKeys()
{
    for (const TInputInfo& info : kInputTable) {
        if (info.label != RussianInputText(info.key, "label") || info.name != RussianInputText(info.key, "name") ||
            std::string_view(info.unit) != (*info.unitKey ? RussianText(info.unitKey) : ""))
            return false;
    }
    return true;
}
static_assert(InputTextsFollowTheirKeys(), "an input's Russian texts must be the catalogue's under its key");

} // namespace

std::optional<std::size_t> InputByKey(std::string_view key) { return IndexByName(InputTable(), &TInputInfo::key, key); }

std::optional<std::size_t> ResultByKey(std::string_view key)
{
    return IndexByName(ResultTable(), &TResultInfo::member, key);
}

namespace {

using R = TAntennaResults;

consteval const char* RussianUnit(std::string_view key) { return key.empty() ? "" : RussianText(key); }

// A result's Russian name and unit, from its member's and its unit's keys.
#define EH_RESULT_TEXTS(m, unit_key) \
    .member = #m, .name = RussianText("result." #m), .unit = RussianUnit(unit_key), .unitKey = unit_key

constexpr const char* kTuningCoil = "result.qualifier.tuning-coil";
constexpr const char* kPhasingCoil = "result.qualifier.phasing-coil";
constexpr const char* kMillimetre = kMillimetreKey.data();

// "C", "Xc", "Q", "L", "RR" and "dB" are Latin letters.
constexpr std::array<TResultInfo, kResultCount> kResultTable = {{
    {EH_RESULT_TEXTS(CapacitancePf, "unit.picofarad"), .value = &R::CapacitancePf},
    {EH_RESULT_TEXTS(ReactanceOhm, "unit.ohm"), .value = &R::ReactanceOhm},
    {EH_RESULT_TEXTS(BandwidthKHz, "unit.kilohertz"), .value = &R::BandwidthKHz},
    {EH_RESULT_TEXTS(QFactor, ""), .value = &R::QFactor, .spaceAfterUnit = true},
    {EH_RESULT_TEXTS(TotalLengthCm, kMillimetre), .timesTen = true, .value = &R::TotalLengthCm, .equals = "  = "},
    {EH_RESULT_TEXTS(TotalLengthM, "unit.metre"), .value = &R::TotalLengthM},
    {EH_RESULT_TEXTS(LengthToWavelengthPct, "unit.percent"), .value = &R::LengthToWavelengthPct, .equals = " "},
    {EH_RESULT_TEXTS(RrOhm, "unit.ohm"), .value = &R::RrOhm, .equals = "= "},
    {EH_RESULT_TEXTS(RrDeviationPct, "unit.percent"), .value = &R::RrDeviationPct},
    {EH_RESULT_TEXTS(TurnsPerCm, ""), .value = &R::TurnsPerCm, .spaceAfterUnit = true, .perCentimetre = true},
    {EH_RESULT_TEXTS(WireCylinderCapacitancePf, "unit.picofarad"), .value = &R::WireCylinderCapacitancePf},
    {EH_RESULT_TEXTS(CoilCapacitancePf, "unit.picofarad"), .value = &R::CoilCapacitancePf,
     .spaceAfterUnit = true, .hasNote = true},
    {EH_RESULT_TEXTS(InductanceUh, "unit.microhenry"), .value = &R::InductanceUh},
    {EH_RESULT_TEXTS(TurnCount, ""), .value = &R::TurnCount, .spaceAfterUnit = true, .qualifierKey = kTuningCoil},
    {EH_RESULT_TEXTS(CoilLengthMm, kMillimetre), .value = &R::CoilLengthMm},
    {EH_RESULT_TEXTS(CoilWireLengthCm, kMillimetre), .timesTen = true, .value = &R::CoilWireLengthCm,
     .qualifierKey = kTuningCoil},
    {EH_RESULT_TEXTS(LossResistanceOhm, "unit.ohm"), .value = &R::LossResistanceOhm},
    {EH_RESULT_TEXTS(EfficiencyPct, "unit.percent"), .value = &R::EfficiencyPct},
    {EH_RESULT_TEXTS(LossDb, "unit.decibel"), .value = &R::LossDb},
    {EH_RESULT_TEXTS(PhasingWireLengthCm, kMillimetre), .timesTen = true, .value = &R::PhasingWireLengthCm,
     .qualifierKey = kPhasingCoil},
    {EH_RESULT_TEXTS(PhasingTurnCount, ""), .value = &R::PhasingTurnCount, .qualifierKey = kPhasingCoil},
    {EH_RESULT_TEXTS(FlatArmHorizontalCm, kMillimetre), .timesTen = true, .value = &R::FlatArmHorizontalCm,
     .equals = " "},
    {EH_RESULT_TEXTS(FlatArmVerticalCm, kMillimetre), .timesTen = true, .value = &R::FlatArmVerticalCm,
     .equals = " "},
    {EH_RESULT_TEXTS(FlatArmGapCm, kMillimetre), .timesTen = true, .value = &R::FlatArmGapCm, .equals = " "},
}};

#undef EH_RESULT_TEXTS

} // namespace

const std::array<TResultInfo, kResultCount>& ResultTable() { return kResultTable; }

std::string StandaloneName(const TResultInfo& info, TLanguage language)
{
    std::string name = LocalText(std::string("result.") + info.member, language);
    if (info.qualifierKey)
        name.append(" ").append(LocalText(info.qualifierKey, language));
    return name;
}

const char* InputText(const TInputInfo& info, std::string_view which, TLanguage language)
{
    return LocalText(std::string("input.") + info.key + "." + std::string(which), language);
}

bool HasFigure(const TResultInfo& info, const TAntennaResults& results)
{
    return !(info.value == &TAntennaResults::LossDb && results.RrOhm == 0.0);
}

double ShownValue(const TResultInfo& info, const TAntennaResults& results)
{
    const double value = results.*info.value;
    return info.timesTen ? xmath::Store(static_cast<xmath::Extended>(value) * 10.0L) : value;
}

} // namespace eh
