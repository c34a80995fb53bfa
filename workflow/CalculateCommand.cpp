// SPDX-License-Identifier: GPL-3.0-or-later
#include "CalculateCommand.h"

#include "Report.h"

namespace eh {

bool ReadInputFields(const TInputFields& fields, TAntennaInputs& inputs, char separator)
{
    double* const destinations[] = {
        &inputs.FrequencyMHz,   &inputs.CylinderDiameterMm, &inputs.LengthToDiameter,
        &inputs.WireDiameterMm, &inputs.WindingPitchMm,     &inputs.TurnDiameterMm,
        &inputs.MeasuredBandwidthKHz,
    };
    for (size_t i = 0; i < fields.size(); ++i) {
        if (!ReadFieldValue(*destinations[i], *fields[i], separator))
            return false;
    }
    return true;
}

void RenderReportLine(IReportPane& pane, const TReportLine& line)
{
    pane.AppendLine(line.Text);
    const int lineStart = pane.TextLength() - CharacterCount(line.Text) - 2;
    for (const TStyleRun& run : line.Runs) {
        pane.Select(lineStart + run.Start, run.Length);
        pane.SetSelectionStyle(run.Bold, false, run.Underline, false);
        pane.SetSelectionSize(run.Size);
    }
}

void RunCalculateCommand(const TInputFields& fields, IReportPane& pane, char separator,
                         const std::function<void(const std::string&)>& showNotice,
                         TAntennaInputs& inputs, TAntennaResults& results)
{
    pane.Clear();
    if (!ReadInputFields(fields, inputs, separator))
        return;
    if (PitchNeedsNotice(inputs))
        showNotice(kPitchNotice);
    results = CalculateAntenna(inputs);
    pane.SetFirstIndent(kReportFirstIndentPt);
    ForEachReportLine(inputs, results, separator,
                      [&pane](const TReportLine& line) { RenderReportLine(pane, line); });
}

} // namespace eh
