// SPDX-License-Identifier: GPL-3.0-or-later
#include "BuildSheetText.h"

#include "BandPlans.h"
#include "DesignFile.h"
#include "DesignTables.h"
#include "InputText.h"
#include "LengthUnit.h"
#include "NumberFormat.h"
#include "WorkbenchNumber.h"

#include <fmt/format.h>

namespace eh {

std::optional<TBuildSheetText> BuildSheetText(const ExplorerModel& model)
{
    const std::optional<TAntennaInputs> typed = model.Typed();
    if (!typed)
        return std::nullopt;
    const TLanguage language = model.Language();
    const char separator = model.Separator();
    TBuildSheetText sheet;
    sheet.title = LocalText("explorer.sheet.title", language);
    // The values as the report writes them, the lengths in the unit the
    // fields are typed in (and the report written in).
    const bool inches = model.FieldTextOptions().lengths == TLengthUnit::Inch;
    for (const TInputInfo& input : InputTable()) {
        const double value = (*typed).*input.value;
        sheet.inputs.push_back(
            inches && IsLength(input)
                ? std::string(InputText(input, "name", language)) + " (" + LocalText("unit.inch", language) +
                      "): " + FormatReportNumber(InchesFromMillimetres(value), separator, kReportInchDecimals)
                : std::string(InputText(input, "label", language)) + ": " + FormatReportNumber(value, separator));
    }
    const TAmateurBand& band = NearestBand(model.Region(), typed->FrequencyMHz);
    sheet.band = fmt::format(fmt::runtime(LocalText("explorer.sheet.band", language)), band.metres,
                             ExactNumber(band.lowKHz, separator), ExactNumber(band.highKHz, separator));
    sheet.linkLabel = LocalText("explorer.sheet.link", language);
    // Lengths typed in inches are read as inches by the page that opens the link.
    sheet.link = DesignLinkQuery(model.FieldTexts(), separator) + (inches ? "&units=in" : "");
    return sheet;
}

} // namespace eh
