// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ReportPane.h"

#include <string>
#include <vector>

namespace eh {

// A report pane that keeps what the calculate command writes, so that the
// page can show it: the lines and, for every character, the style the
// command gave it. A line end counts as two characters, as in the window.
class RecordingPane : public IReportPane {
public:
    struct CharacterStyle {
        bool bold = false;
        bool underline = false;
        int size = 0; // points; 0 until the command sets one

        bool operator==(const CharacterStyle&) const = default;
    };
    // A stretch of a line whose characters share one style.
    struct Span {
        std::string text; // UTF-8
        CharacterStyle style;
    };
    struct Line {
        std::string text;                   // UTF-8
        std::vector<std::size_t> byteStart; // per character: its first byte in text
        std::vector<CharacterStyle> styles; // per character
    };

    void Clear() override;
    void SetFirstIndent(int points) override;
    void AppendLine(const std::string& text) override;
    int TextLength() const override;
    void Select(int start, int length) override;
    void SetSelectionStyle(bool bold, bool italic, bool underline, bool strikeOut) override;
    void SetSelectionSize(int points) override;
    std::string PlainText() const override;

    const std::vector<Line>& Lines() const { return lines_; }
    int FirstIndent() const { return firstIndent_; }
    // The line cut where its characters' style changes.
    static std::vector<Span> Spans(const Line& line);

private:
    template <typename Change> void ChangeSelection(Change change);

    std::vector<Line> lines_;
    int textLength_ = 0;
    int firstIndent_ = 0;
    int selectionStart_ = 0;
    int selectionLength_ = 0;
};

} // namespace eh
