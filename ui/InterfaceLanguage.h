// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Language.h"
#include "LengthUnit.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <string_view>

// The language the windows speak and the unit their lengths are typed and
// shown in. Both are chosen once, before the first window is made (the
// windows build their texts when they are made), and a choice in the menu
// is remembered for the next start.
namespace eh {

TLanguage InterfaceLanguage();
TLengthUnit InterfaceLengthUnit();
// For the start of the program and for tests; windows already made keep
// their texts.
void SetInterfaceLanguage(TLanguage language);
void SetInterfaceLengthUnit(TLengthUnit lengths);

// The catalogue's text of `key` in the interface language.
QString UiText(std::string_view key);

// The language of a system whose interface languages, most wanted first,
// are `uiLanguages` (QLocale::uiLanguages): English when the first is
// English, Russian otherwise (the C locale included).
TLanguage LanguageOfSystem(const QStringList& uiLanguages);

// What the user chose in the menus, remembered in the settings; a language
// never chosen has no value.
struct TInterfaceChoice {
    std::optional<TLanguage> language;
    TLengthUnit lengths = TLengthUnit::Millimetre;
};
TInterfaceChoice ReadInterfaceChoice();
void RememberLanguage(TLanguage language);
void RememberLengthUnit(TLengthUnit lengths);

// Sets the interface language and unit from the remembered choice, the
// system's language standing in for a language never chosen.
void ApplyRememberedInterfaceChoice();

} // namespace eh
