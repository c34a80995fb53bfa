// SPDX-License-Identifier: GPL-3.0-or-later
#include "DesignTables.h"

#include "ExtendedMath.h"

#include <algorithm>
#include <numeric>

namespace eh {

const std::array<TInputInfo, kInputCount>& InputTable()
{
    using I = TAntennaInputs;
    // The measured bandwidth resets to "0": there 0 means no measurement.
    static const std::array<TInputInfo, kInputCount> table = {{
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
    return table;
}

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

const std::array<std::size_t, kInputCount>& InputRecordOrder()
{
    static const std::array<std::size_t, kInputCount> order = [] {
        std::array<std::size_t, kInputCount> indices{};
        std::iota(indices.begin(), indices.end(), std::size_t{0});
        // A member's address in one record gives its place in the record.
        const TAntennaInputs record;
        const auto place = [&record](std::size_t i) { return &(record.*InputTable()[i].value); };
        std::sort(indices.begin(), indices.end(),
                  [&place](std::size_t a, std::size_t b) { return std::less<>()(place(a), place(b)); });
        return indices;
    }();
    return order;
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

double ShownValue(const TResultInfo& info, const TAntennaResults& results)
{
    const double value = results.*info.value;
    return info.timesTen ? xmath::Store(static_cast<xmath::Extended>(value) * 10.0L) : value;
}

} // namespace eh
