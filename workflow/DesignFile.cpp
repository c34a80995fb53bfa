// SPDX-License-Identifier: GPL-3.0-or-later
#include "DesignFile.h"

#include "DecimalSeparatorRule.h"

#include <algorithm>
#include <nlohmann/json.hpp>

namespace eh {

namespace {

using nlohmann::json;

constexpr const char* kSeparatorKey = "separator";
constexpr const char* kPinsKey = "pins";
// A key quoted in a message is cut to this many bytes.
constexpr std::size_t kShownBytes = 64;

TDesignFileReading Fault(TDesignFileFault fault, std::string detail = {})
{
    TDesignFileReading reading;
    reading.fault = fault;
    reading.detail = detail.size() > kShownBytes ? detail.substr(0, kShownBytes) + "…" : std::move(detail);
    return reading;
}

std::string WithSeparator(std::string text, char from, char to)
{
    if (from != to)
        std::replace(text.begin(), text.end(), from, to);
    return text;
}

// The seven texts of `object`; false with `fault` set when a key is
// unknown, missing or not a string. `extra` keys are left to the caller.
bool ReadTexts(const json& object, char from, char to, TFieldTexts& texts, TDesignFileReading& fault,
               bool allowExtra)
{
    for (const auto& [key, value] : object.items()) {
        if (InputByKey(key)) {
            if (!value.is_string()) {
                fault = Fault(TDesignFileFault::NotAString, key);
                return false;
            }
        } else if (!allowExtra || (key != kSeparatorKey && key != kPinsKey)) {
            fault = Fault(TDesignFileFault::UnknownKey, key);
            return false;
        }
    }
    for (std::size_t i = 0; i < kInputCount; ++i) {
        const auto found = object.find(InputTable()[i].key);
        if (found == object.end()) {
            fault = Fault(TDesignFileFault::MissingKey, InputTable()[i].key);
            return false;
        }
        texts[i] = WithSeparator(found->get<std::string>(), from, to);
    }
    return true;
}

nlohmann::ordered_json TextsObject(const TFieldTexts& texts)
{
    nlohmann::ordered_json object = nlohmann::ordered_json::object();
    for (std::size_t i = 0; i < kInputCount; ++i)
        object[InputTable()[i].key] = texts[i];
    return object;
}

} // namespace

TDesignFileReading ReadDesignFile(std::string_view bytes, char separator)
{
    if (bytes.size() > kMaxDesignFileBytes)
        return Fault(TDesignFileFault::TooLarge, std::to_string(bytes.size()));
    const json document = json::parse(bytes.begin(), bytes.end(), nullptr, false);
    if (document.is_discarded())
        return Fault(TDesignFileFault::NotJson);
    if (!document.is_object())
        return Fault(TDesignFileFault::NotAnObject);
    char saved = separator;
    if (const auto found = document.find(kSeparatorKey); found != document.end()) {
        const std::string text =
            found->is_string() ? found->get<std::string>() : found->dump(-1, ' ', false, json::error_handler_t::replace);
        const std::optional<char> mark = DecimalSeparatorFromText(text);
        if (!mark)
            return Fault(TDesignFileFault::BadSeparator, text);
        saved = *mark;
    }
    TDesignFileReading reading;
    TDesignFile design;
    if (!ReadTexts(document, saved, separator, design.texts, reading, true))
        return reading;
    if (const auto pins = document.find(kPinsKey); pins != document.end()) {
        if (!pins->is_array() || pins->size() > kMaxDesignFilePins)
            return Fault(TDesignFileFault::BadPins);
        for (const json& pin : *pins) {
            TFieldTexts texts;
            if (!pin.is_object() || !ReadTexts(pin, saved, separator, texts, reading, false))
                return Fault(TDesignFileFault::BadPins);
            design.pins.push_back(texts);
        }
    }
    reading.design = std::move(design);
    return reading;
}

std::string WriteDesignFile(const TDesignFile& design, char separator)
{
    // Keys in the order of the window's fields, as a --batch line has them.
    nlohmann::ordered_json object = TextsObject(design.texts);
    object[kSeparatorKey] = std::string(1, separator);
    if (!design.pins.empty()) {
        nlohmann::ordered_json pins = nlohmann::ordered_json::array();
        for (const TFieldTexts& pin : design.pins)
            pins.push_back(TextsObject(pin));
        object[kPinsKey] = std::move(pins);
    }
    // Texts typed in the window may hold any bytes: invalid UTF-8 is kept
    // readable rather than refused.
    return object.dump(-1, ' ', false, json::error_handler_t::replace) + "\n";
}

std::string DesignLinkQuery(const TFieldTexts& texts, char separator)
{
    const auto encoded = [](std::string_view text) {
        static constexpr char kHex[] = "0123456789ABCDEF";
        std::string out;
        for (const unsigned char c : text) {
            const bool plain = (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                               c == '-' || c == '.' || c == '_' || c == '~';
            if (plain)
                out += static_cast<char>(c);
            else
                out += {'%', kHex[c >> 4], kHex[c & 15]};
        }
        return out;
    };
    std::string query;
    for (std::size_t i = 0; i < kInputCount; ++i)
        query += (i == 0 ? "?" : "&") + std::string(InputTable()[i].key) + "=" + encoded(texts[i]);
    return query + "&separator=" + encoded(std::string(1, separator));
}

std::string DesignFileFault(const TDesignFileReading& reading, TLanguage language)
{
    const char* key = "design-file.pins";
    switch (reading.fault) {
    case TDesignFileFault::TooLarge:
        key = "design-file.too-large";
        break;
    case TDesignFileFault::NotJson:
        key = "design-file.not-json";
        break;
    case TDesignFileFault::NotAnObject:
        key = "design-file.not-object";
        break;
    case TDesignFileFault::UnknownKey:
        key = "design-file.unknown-key";
        break;
    case TDesignFileFault::NotAString:
        key = "design-file.not-string";
        break;
    case TDesignFileFault::MissingKey:
        key = "design-file.missing-key";
        break;
    case TDesignFileFault::BadSeparator:
        key = "design-file.separator";
        break;
    default:
        break;
    }
    // The detail (a key, a separator, a size) stands in for the text's "{}".
    std::string text = LocalText(key, language);
    if (const std::size_t place = text.find("{}"); place != std::string::npos)
        text.replace(place, 2, reading.detail);
    return text;
}

} // namespace eh
