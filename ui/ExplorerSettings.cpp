// SPDX-License-Identifier: GPL-3.0-or-later
#include "ExplorerSettings.h"

#include "DesignTables.h"
#include "ExplorerModel.h"
#include "InterfaceLanguage.h"
#include "UserSettings.h"

#include <QDir>
#include <algorithm>
#include <QFileInfo>
#include <QSettings>
#include <QStringList>

namespace eh {

namespace {

const QString kSettingsName = QStringLiteral("explorer");

QSettings OpenSettings() { return OpenUserSettings(kSettingsName); }

// Why the file at `path` is not to be read, or an empty text.
QString Untrusted(const QString& path)
{
    const QFileInfo file(path);
    if (!file.exists())
        return {};
    if (file.isDir())
        return UiText("explorer.settings.folder");
    if (!file.isFile())
        return UiText("measurement.not-regular-file");
    if (!file.isReadable())
        return UiText("explorer.settings.no-permission");
    if (file.size() > kMaxExplorerSettingsBytes)
        return UiText("explorer.settings.too-large").arg(file.size());
    return {};
}

QString ProblemText(const QString& path, const QString& reason)
{
    return UiText("explorer.settings.unread").arg(QDir::toNativeSeparators(path), reason);
}

} // namespace

ExplorerSettings::ExplorerSettings() : path_(UserSettingsPath(kSettingsName)) {}

std::optional<QByteArray> ExplorerSettings::Load(ExplorerModel& model)
{
    const QString reason = Untrusted(path_);
    usable_ = reason.isEmpty();
    if (!usable_) {
        problem_ = ProblemText(path_, reason);
        return std::nullopt;
    }
    QSettings settings = OpenSettings();
    // An INI file that yields no key at all is not one this program wrote.
    if (settings.status() != QSettings::NoError || (QFileInfo(path_).size() > 0 && settings.allKeys().isEmpty())) {
        usable_ = false;
        problem_ = ProblemText(path_, UiText("explorer.settings.damaged"));
        return std::nullopt;
    }
    const std::optional<std::size_t> input = InputByKey(settings.value("input").toString().toStdString());
    model.SetXInput(input.value_or(0));
    model.SetPreset(static_cast<TRangePreset>(
        std::clamp(settings.value("preset", int(TRangePreset::WholeHf)).toInt(), 0, int(TRangePreset::Custom))));
    model.SetRegion(IaruRegion(settings.value("region", int(kDefaultRegion)).toInt()).value_or(kDefaultRegion));
    TRangeTexts range = model.RangeTexts();
    // A length's bounds typed in the other unit would be another range.
    const bool sameUnit = !IsLength(InputTable()[model.XInput()]) ||
                          (settings.value("lengths").toString() == "in") == (model.Lengths() == TLengthUnit::Inch);
    if (settings.contains("from") && sameUnit)
        range.from = settings.value("from").toString().toStdString();
    if (settings.contains("to") && sameUnit)
        range.to = settings.value("to").toString().toStdString();
    if (settings.contains("points"))
        range.points = settings.value("points").toString().toStdString();
    model.SetRangeTexts(range);
    if (settings.contains("outputs")) {
        std::vector<std::size_t> outputs;
        for (const QString& member : settings.value("outputs").toStringList())
            if (const auto result = ResultByKey(member.toStdString()))
                outputs.push_back(*result);
        model.SetOutputs(outputs);
    }
    if (!settings.contains("geometry"))
        return std::nullopt;
    return settings.value("geometry").toByteArray();
}

void ExplorerSettings::Save(const ExplorerModel& model, const QByteArray& geometry) const
{
    // The file may have turned into something else since it was read.
    if (!usable_ || !Untrusted(path_).isEmpty())
        return;
    QSettings settings = OpenSettings();
    settings.setValue("geometry", geometry);
    settings.setValue("input", InputTable()[model.XInput()].key);
    settings.setValue("preset", static_cast<int>(model.Preset()));
    settings.setValue("region", static_cast<int>(model.Region()));
    settings.setValue("from", QString::fromStdString(model.RangeTexts().from));
    settings.setValue("to", QString::fromStdString(model.RangeTexts().to));
    settings.setValue("points", QString::fromStdString(model.RangeTexts().points));
    // Millimetres, the default, are not written: the file stays as it was.
    if (model.Lengths() == TLengthUnit::Inch)
        settings.setValue("lengths", "in");
    else
        settings.remove("lengths");
    QStringList chosen;
    for (const std::size_t result : model.Outputs())
        chosen << QString::fromUtf8(ResultTable()[result].member);
    settings.setValue("outputs", chosen);
}

} // namespace eh
