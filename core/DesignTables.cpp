// SPDX-License-Identifier: GPL-3.0-or-later
#include "DesignTables.h"

#include "ExtendedMath.h"

namespace eh {

namespace {

using I = TAntennaInputs;

// The measured bandwidth resets to "0": there 0 means no measurement.
constexpr std::array<TInputInfo, kInputCount> kInputTable = {{
    {"EC15", "frequency", "FrequencyMHz", "FREQUENCY", "frequency in MHz", "Частота (МГц)", "МГц", "0.1",
     &I::FrequencyMHz, "Частота"},
    {"EC16", "cylinder-diameter", "CylinderDiameterMm", "CYLINDER_DIAMETER", "cylinder diameter in mm",
     "Диаметр цилиндров (мм)", "мм", "0.1", &I::CylinderDiameterMm, "Диаметр цилиндров"},
    {"EC17", "ratio", "LengthToDiameter", "LD_RATIO", "cylinder length-to-diameter ratio",
     "Отношение длина/диаметр (L/D)", "", "0.1", &I::LengthToDiameter, "Отношение длина/диаметр (L/D)"},
    {"EC33", "wire-diameter", "WireDiameterMm", "WIRE_DIAMETER", "coil wire diameter in mm",
     "Диаметр провода (мм)", "мм", "0.1", &I::WireDiameterMm, "Диаметр провода"},
    {"EC34", "pitch", "WindingPitchMm", "PITCH", "winding pitch in mm", "Шаг намотки (мм)", "мм", "0.1",
     &I::WindingPitchMm, "Шаг намотки"},
    {"EC36", "turn-diameter", "TurnDiameterMm", "TURN_DIAMETER", "coil turn diameter in mm",
     "Диаметр витка (мм)", "мм", "0.1", &I::TurnDiameterMm, "Диаметр витка"},
    {"EC27", "bandwidth", "MeasuredBandwidthKHz", "BANDWIDTH", "measured bandwidth in kHz",
     "Полоса пропускания BW (КГц)", "КГц", "0", &I::MeasuredBandwidthKHz, "Полоса пропускания BW"},
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

std::optional<std::size_t> InputByKey(std::string_view key) { return IndexByName(InputTable(), &TInputInfo::key, key); }

std::optional<std::size_t> ResultByKey(std::string_view key)
{
    return IndexByName(ResultTable(), &TResultInfo::member, key);
}

const std::array<TResultInfo, kResultCount>& ResultTable()
{
    using R = TAntennaResults;
    // "C", "Xc", "Q", "L", "RR" and "dB" are Latin letters.
    static constexpr const char* kTuningCoil = " (катушка настройки)";
    static constexpr const char* kPhasingCoil = " (фазирующая катушка)";
    static const std::array<TResultInfo, kResultCount> table = {{
        {.member = "CapacitancePf", .name = "C", .unit = "Пф", .value = &R::CapacitancePf},
        {.member = "ReactanceOhm", .name = "Xc", .unit = "Ом", .value = &R::ReactanceOhm},
        {.member = "BandwidthKHz", .name = "Полоса пропуск. по ур.3 dB", .unit = "Кгц", .value = &R::BandwidthKHz},
        {.member = "QFactor", .name = "Q", .unit = "", .value = &R::QFactor, .unitTail = " "},
        {.member = "TotalLengthCm", .name = "Общая длина антенны", .unit = "мм", .timesTen = true,
         .value = &R::TotalLengthCm, .equals = "  = "},
        {.member = "TotalLengthM", .name = "Общая длина антенны", .unit = "м", .value = &R::TotalLengthM},
        {.member = "LengthToWavelengthPct", .name = "Длина антенны к длине волны", .unit = "%",
         .value = &R::LengthToWavelengthPct, .equals = " "},
        {.member = "RrOhm", .name = "RR", .unit = "Ом", .value = &R::RrOhm, .equals = "= "},
        {.member = "RrDeviationPct", .name = "Ошибка вычисления", .unit = "%", .value = &R::RrDeviationPct},
        {.member = "TurnsPerCm", .name = "Витков на сантиметр", .unit = "", .value = &R::TurnsPerCm,
         .unitTail = " "},
        {.member = "WireCylinderCapacitancePf", .name = "Емкость между проводом и цилиндром C", .unit = "Пф",
         .value = &R::WireCylinderCapacitancePf},
        {.member = "CoilCapacitancePf", .name = "Емкость катушки настройки C", .unit = "Пф",
         .value = &R::CoilCapacitancePf, .unitTail = " Ориентировочно"},
        {.member = "InductanceUh", .name = "Индуктивность катушки L", .unit = "микрогенри", .value = &R::InductanceUh},
        {.member = "TurnCount", .name = "Количество витков", .unit = "", .value = &R::TurnCount, .unitTail = " ",
         .qualifier = kTuningCoil},
        {.member = "CoilLengthMm", .name = "Длина катушки", .unit = "мм", .value = &R::CoilLengthMm},
        {.member = "CoilWireLengthCm", .name = "Длина провода", .unit = "мм", .timesTen = true,
         .value = &R::CoilWireLengthCm, .qualifier = kTuningCoil},
        {.member = "LossResistanceOhm", .name = "Сопротивление потерь на ВЧ", .unit = "Ом",
         .value = &R::LossResistanceOhm},
        {.member = "EfficiencyPct", .name = "Эффективность антенны", .unit = "%", .value = &R::EfficiencyPct},
        {.member = "LossDb", .name = "Потери в антенне", .unit = "dB", .value = &R::LossDb},
        {.member = "PhasingWireLengthCm", .name = "Длина провода", .unit = "мм", .timesTen = true,
         .value = &R::PhasingWireLengthCm, .qualifier = kPhasingCoil},
        {.member = "PhasingTurnCount", .name = "Количество витков", .unit = "", .value = &R::PhasingTurnCount,
         .qualifier = kPhasingCoil},
        {.member = "FlatArmHorizontalCm", .name = "Горизонтальный размер плеча", .unit = "мм", .timesTen = true,
         .value = &R::FlatArmHorizontalCm, .equals = " "},
        {.member = "FlatArmVerticalCm", .name = "Вертикальный размер плеча", .unit = "мм", .timesTen = true,
         .value = &R::FlatArmVerticalCm, .equals = " "},
        {.member = "FlatArmGapCm", .name = "Расстояние между плечами", .unit = "мм", .timesTen = true,
         .value = &R::FlatArmGapCm, .equals = " "},
    }};
    return table;
}

std::string StandaloneName(const TResultInfo& info) { return std::string(info.name) + info.qualifier; }

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
