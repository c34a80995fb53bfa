// SPDX-License-Identifier: GPL-3.0-or-later
#include "Language.h"

namespace eh {

static_assert(kCatalogueLanguageCount == 2, "text/CMakeLists.txt lists one file per TLanguage");

std::optional<TLanguage> LanguageFromCode(std::string_view code)
{
    if (code == "ru")
        return TLanguage::Russian;
    if (code == "en")
        return TLanguage::English;
    return std::nullopt;
}

} // namespace eh
