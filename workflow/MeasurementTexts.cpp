// SPDX-License-Identifier: GPL-3.0-or-later
#include "MeasurementTexts.h"

namespace eh {

namespace {

std::string Reason(const TTouchstoneRefusal& refusal)
{
    switch (refusal.fault) {
    case TTouchstoneFault::Empty:
        return "в файле нет ни одной точки измерения";
    case TTouchstoneFault::Binary:
        return "это не текстовый файл Touchstone (двоичные данные)";
    case TTouchstoneFault::TooLarge:
        return "файл больше " + std::to_string(kTouchstoneMaxBytes >> 20) + " МБ";
    case TTouchstoneFault::TooManyPoints:
        return "точек больше " + std::to_string(kTouchstoneMaxPoints);
    case TTouchstoneFault::BadOptionLine:
        return "непонятная строка параметров (ожидается \"# MHZ S RI R 50\" и подобная)";
    case TTouchstoneFault::NotOnePort:
        return "это не однопортовое измерение (нужен файл .s1p)";
    case TTouchstoneFault::WrongColumnCount:
        return "в строке данных должно быть три числа: частота и два числа значения";
    case TTouchstoneFault::NotANumber:
        return "не число";
    case TTouchstoneFault::NotFinite:
        return "число бесконечно или не определено (nan, inf)";
    case TTouchstoneFault::FrequencyNotPositive:
        return "частота должна быть больше нуля";
    case TTouchstoneFault::DuplicateFrequency:
        return "та же частота, что в предыдущей строке";
    case TTouchstoneFault::FrequencyOutOfOrder:
        return "частота меньше, чем в предыдущей строке (частоты должны возрастать)";
    case TTouchstoneFault::BadReference:
        return "опорное сопротивление должно быть положительным числом";
    case TTouchstoneFault::BadKeyword:
        return "ключевое слово Touchstone 2.0, которое здесь не поддерживается или стоит не на месте";
    case TTouchstoneFault::CountMismatch:
        return "число точек (" + std::to_string(refusal.count) + ") не совпадает с [Number of Frequencies]";
    case TTouchstoneFault::TooFewPoints:
        return "точек " + std::to_string(refusal.count) + ", для анализа нужно не меньше " +
               std::to_string(kTouchstoneMinPoints);
    }
    return {};
}

} // namespace

std::string TouchstoneRefusalText(const TTouchstoneRefusal& refusal)
{
    if (refusal.line == 0)
        return "Файл не прочитан: " + Reason(refusal) + ".";
    return "Файл не прочитан, строка " + std::to_string(refusal.line) + ": " + Reason(refusal) + ".";
}

std::string MeasurementNoteText(TMeasurementNote note)
{
    switch (note) {
    case TMeasurementNote::MinimumAtLowEnd:
        return "Наименьшее отражение на нижнем краю развертки: резонанс ниже нее, расширьте развертку.";
    case TMeasurementNote::MinimumAtHighEnd:
        return "Наименьшее отражение на верхнем краю развертки: резонанс выше нее, расширьте развертку.";
    case TMeasurementNote::NoPowerAccepted:
        return "Антенна не принимает мощность ни на одной частоте (|Г| >= 1): резонанса нет.";
    case TMeasurementNote::ReflectionAboveOne:
        return "Коэффициент отражения местами больше 1: прибор не откалиброван, результаты неточны.";
    case TMeasurementNote::ResistanceNotPositive:
        return "Сопротивление в резонансе не положительно: откалибруйте прибор; добротность не определена.";
    case TMeasurementNote::SlopeNotDefined:
        return "Наклон импеданса у резонанса не определяется: добротность не определена.";
    case TMeasurementNote::FewPointsAcrossBand:
        return "В полосе резонанса мало точек: добротность менее надежна, сузьте развертку или добавьте точек.";
    case TMeasurementNote::SwrSpanNotReached:
        return "КСВ нигде не опускается до 2.618.";
    case TMeasurementNote::SwrSpanBeyondSweep:
        return "Полоса КСВ <= 2.618 выходит за края развертки.";
    case TMeasurementNote::Swr2SpanNotReached:
        return "КСВ нигде не опускается до 2.";
    case TMeasurementNote::Swr2SpanBeyondSweep:
        return "Полоса КСВ <= 2 выходит за края развертки.";
    case TMeasurementNote::NotOneResonance:
        return "Точки у минимума КСВ не ложатся на один резонанс (несколько резонансов, плохой контакт?): "
               "добротность не определена.";
    }
    return {};
}

std::string MeasurementMethodText()
{
    return "Добротность по наклону импеданса в резонансе, Q = w0|Z'(w0)|/(2R(w0)) "
           "(Yaghjian, Best, IEEE Trans. Antennas Propag. 53(4), 2005), Z' по методу наименьших квадратов "
           "по точкам полосы резонанса; полоса 3 dB = f0/Q.";
}

} // namespace eh
