// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace eh {

// The operations the calculate command needs of the report pane. Positions
// count characters from the start of the pane's text, and a line end counts
// as two characters (CR LF), as in the saved file.
class IReportPane {
public:
    virtual ~IReportPane() = default;
    virtual void Clear() = 0;
    // First-line indent, in points, of the paragraph at the selection; text
    // appended later carries it on to every new paragraph.
    virtual void SetFirstIndent(int points) = 0;
    // Appends the UTF-8 text and a line end; throws EOutOfResources "RichEdit
    // line insertion error" when the pane does not take it in full.
    virtual void AppendLine(const std::string& text) = 0;
    virtual int TextLength() const = 0;
    // Selects `length` characters from `start` and scrolls the caret into view.
    virtual void Select(int start, int length) = 0;
    virtual void SetSelectionStyle(bool bold, bool italic, bool underline, bool strikeOut) = 0;
    virtual void SetSelectionSize(int points) = 0;
    // The whole text, each line followed by CR LF (UTF-8).
    virtual std::string PlainText() const = 0;
};

} // namespace eh
