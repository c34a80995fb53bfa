// SPDX-License-Identifier: GPL-3.0-or-later
#include "InterfaceLanguage.h"

#include "UserSettings.h"

#include <QFileInfo>
#include <QLocale>

namespace eh {

namespace {

TLanguage interfaceLanguage = kDefaultLanguage;
TLengthUnit interfaceLengthUnit = TLengthUnit::Millimetre;

const QString kLanguageKey = QStringLiteral("language");
const QString kLengthsKey = QStringLiteral("lengths");

const QString kSettingsName = QStringLiteral("interface");

QSettings OpenSettings() { return OpenUserSettings(kSettingsName); }

// Anything but a small regular file is left unread (UserSettingsPath).
bool SettingsReadable()
{
    const QFileInfo file(UserSettingsPath(kSettingsName));
    return !file.exists() || (file.isFile() && file.size() < 65536);
}

} // namespace

TLanguage InterfaceLanguage() { return interfaceLanguage; }
TLengthUnit InterfaceLengthUnit() { return interfaceLengthUnit; }
void SetInterfaceLanguage(TLanguage language) { interfaceLanguage = language; }
void SetInterfaceLengthUnit(TLengthUnit lengths) { interfaceLengthUnit = lengths; }

QString UiText(std::string_view key) { return QString::fromUtf8(LocalText(key, interfaceLanguage)); }

TLanguage LanguageOfSystem(const QStringList& uiLanguages)
{
    if (!uiLanguages.isEmpty() && uiLanguages.front().section(QLatin1Char('-'), 0, 0).toLower() == "en")
        return TLanguage::English;
    return TLanguage::Russian;
}

TInterfaceChoice ReadInterfaceChoice()
{
    TInterfaceChoice choice;
    if (!SettingsReadable())
        return choice;
    const QSettings settings = OpenSettings();
    choice.language = LanguageFromCode(settings.value(kLanguageKey).toString().toStdString());
    if (settings.value(kLengthsKey).toString() == "in")
        choice.lengths = TLengthUnit::Inch;
    return choice;
}

void RememberLanguage(TLanguage language)
{
    if (SettingsReadable())
        OpenSettings().setValue(kLanguageKey, language == TLanguage::English ? "en" : "ru");
}

void RememberLengthUnit(TLengthUnit lengths)
{
    if (SettingsReadable())
        OpenSettings().setValue(kLengthsKey, lengths == TLengthUnit::Inch ? "in" : "mm");
}

void ApplyRememberedInterfaceChoice()
{
    const TInterfaceChoice choice = ReadInterfaceChoice();
    SetInterfaceLanguage(choice.language.value_or(LanguageOfSystem(QLocale::system().uiLanguages())));
    SetInterfaceLengthUnit(choice.lengths);
}

} // namespace eh
