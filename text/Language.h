// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "TextCatalogue.h"

#include <algorithm>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

// The languages the program speaks and the texts it shows in each.
//
// Every text lives in one JSON file per language, text/languages/ru.json and
// en.json: a translator edits a key's text there without reading any code,
// and the build turns the files into one table (TextCatalogue.h), refusing a
// text that one language has and another lacks. JSON rather than Qt
// Linguist's .ts, because the same texts serve the model's report (standard
// C++, no Qt), the command-line tool and the WebAssembly page, whose script
// can read the very same files; rather than a .po catalogue, because a key
// names the place a text stands in, where a text in the source language would
// have to serve as its own key although two places ("Длина провода" of two
// coils) share their Russian words.
namespace eh {

// In the order of the catalogue's columns (the files listed in
// text/CMakeLists.txt).
enum class TLanguage { Russian, English };
inline constexpr TLanguage kDefaultLanguage = TLanguage::Russian;

// "ru" or "en"; no value for any other code.
std::optional<TLanguage> LanguageFromCode(std::string_view code);

namespace detail {
constexpr bool KeyBefore(const TCatalogueEntry& entry, std::string_view key) { return std::string_view(entry.key) < key; }

// The catalogue is written in the order of its keys, so a key is found by
// halving it: the page's first report looks up a few hundred texts.
static_assert(std::is_sorted(kTextCatalogue.begin(), kTextCatalogue.end(),
                             [](const TCatalogueEntry& a, const TCatalogueEntry& b) { return KeyBefore(a, b.key); }),
              "TextCatalogue.h lists its keys in order");

constexpr const TCatalogueEntry* FindCatalogueEntry(std::string_view key)
{
    const auto entry = std::lower_bound(kTextCatalogue.begin(), kTextCatalogue.end(), key, KeyBefore);
    return entry != kTextCatalogue.end() && key == entry->key ? &*entry : nullptr;
}
} // namespace detail

// The text of `key` in `language`; throws std::out_of_range for a key the
// catalogue does not hold.
constexpr const char* LocalText(std::string_view key, TLanguage language)
{
    const TCatalogueEntry* entry = detail::FindCatalogueEntry(key);
    if (entry == nullptr)
        throw std::out_of_range("no text for the key " + std::string(key));
    return entry->texts[static_cast<std::size_t>(language)];
}

// The Russian text of `key`, for tables made when compiling: a key the
// catalogue does not hold stops the build.
consteval const char* RussianText(std::string_view key) { return LocalText(key, TLanguage::Russian); }

} // namespace eh
