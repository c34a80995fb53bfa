// SPDX-License-Identifier: GPL-3.0-or-later
#include "CalculateCommand.h"

#include "Report.h"

namespace eh {

std::optional<TAntennaInputs> ReadInputFields(const TInputFields& fields, char separator,
                                              const TFieldTextOptions& reading)
{
    TFieldTexts texts;
    for (std::size_t i = 0; i < kInputCount; ++i)
        texts[i] = fields[i]->Text();
    const TFieldReading read = ReadFieldTexts(texts, separator, reading);
    if (read.badField) {
        // The text is judged only here: put the reset text back and let the
        // user see which field it was. No message is shown.
        IInputField& field = *fields[*read.badField];
        field.SetText(InputTable()[*read.badField].resetText);
        field.SetFocus();
        return std::nullopt;
    }
    return read.inputs;
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
                         const TReportOptions& report, const TFieldTextOptions& reading)
{
    pane.Clear();
    const std::optional<TAntennaInputs> inputs = ReadInputFields(fields, separator, reading);
    if (!inputs)
        return;
    const TDesign design = CalculateDesign(*inputs);
    if (design.pitchNotice)
        showNotice(LocalText("notice.pitch", report.language));
    // A design whose report faults at a line still shows the lines before
    // it: the report throws that fault when it reaches the line.
    const std::optional<TAntennaResults>& results =
        design.results ? design.results : design.resultsBeforeReportFault;
    if (!results)
        Raise(*design.fault);
    pane.SetFirstIndent(kReportFirstIndentPt);
    ForEachReportLine(design.inputs, *results, separator,
                      [&pane](const TReportLine& line) { RenderReportLine(pane, line); }, report);
}

} // namespace eh
