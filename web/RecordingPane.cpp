// SPDX-License-Identifier: GPL-3.0-or-later
#include "RecordingPane.h"

#include "Utf8.h"

#include <algorithm>
#include <string_view>

namespace eh {

void RecordingPane::Clear()
{
    lines_.clear();
    textLength_ = 0;
    selectionStart_ = selectionLength_ = 0;
}

void RecordingPane::SetFirstIndent(int points) { firstIndent_ = points; }

void RecordingPane::AppendLine(const std::string& text)
{
    Line line{text, {}, {}};
    const std::string_view bytes(text);
    for (std::size_t at = 0; at < bytes.size();) {
        line.byteStart.push_back(at);
        const std::size_t length = Utf8CharacterLength(bytes.substr(at));
        at += length ? length : Utf8BrokenSequenceLength(bytes.substr(at));
    }
    line.styles.resize(line.byteStart.size());
    textLength_ += static_cast<int>(line.byteStart.size()) + 2;
    lines_.push_back(std::move(line));
}

int RecordingPane::TextLength() const { return textLength_; }

void RecordingPane::Select(int start, int length)
{
    selectionStart_ = start;
    selectionLength_ = length;
}

template <typename Change> void RecordingPane::ChangeSelection(Change change)
{
    // The command styles the report run by run: only the characters of the
    // lines the selection reaches are visited, not every character before it.
    const int end = selectionStart_ + selectionLength_;
    int lineStart = 0;
    for (Line& line : lines_) {
        if (lineStart >= end)
            break;
        const int count = static_cast<int>(line.styles.size());
        const int to = std::min(end - lineStart, count);
        for (int i = std::max(selectionStart_ - lineStart, 0); i < to; ++i)
            change(line.styles[static_cast<std::size_t>(i)]);
        lineStart += count + 2;
    }
}

void RecordingPane::SetSelectionStyle(bool bold, bool, bool underline, bool)
{
    ChangeSelection([&](CharacterStyle& style) {
        style.bold = bold;
        style.underline = underline;
    });
}

void RecordingPane::SetSelectionSize(int points)
{
    ChangeSelection([&](CharacterStyle& style) { style.size = points; });
}

std::string RecordingPane::PlainText() const
{
    std::string text;
    for (const Line& line : lines_)
        text += line.text + "\r\n";
    return text;
}

std::vector<RecordingPane::Span> RecordingPane::Spans(const Line& line)
{
    std::vector<Span> spans;
    for (std::size_t i = 0; i < line.styles.size(); ++i) {
        const std::size_t from = line.byteStart[i];
        const std::size_t to = i + 1 < line.byteStart.size() ? line.byteStart[i + 1] : line.text.size();
        if (spans.empty() || !(spans.back().style == line.styles[i]))
            spans.push_back({{}, line.styles[i]});
        spans.back().text.append(line.text, from, to - from);
    }
    return spans;
}

} // namespace eh
