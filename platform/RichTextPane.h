// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ReportPane.h"

#include <QTextCharFormat>
#include <vector>

class QTextEdit;

namespace eh {

// The report pane's operations on a read-only QTextEdit. The pane counts a
// line end as two characters (CR LF), as the saved file does, while Qt's
// document holds one paragraph separator; the pane keeps the start of every
// line in both counts to translate positions.
class RichTextPane : public IReportPane {
public:
    explicit RichTextPane(QTextEdit& edit);

    void Clear() override;
    void SetFirstIndent(int points) override;
    void AppendLine(const std::string& text) override;
    int TextLength() const override;
    void Select(int start, int length) override;
    void SetSelectionStyle(bool bold, bool italic, bool underline, bool strikeOut) override;
    void SetSelectionSize(int points) override;
    std::string PlainText() const override;

private:
    // Qt document position of a pane position.
    int ToDocumentPosition(int panePosition) const;
    void MergeIntoSelection(const QTextCharFormat& format);
    // Moves the pane's top edge onto the nearest start of a line so that no
    // line shows cut; see the definition.
    void ScrollToWholeLines();
    void SetBottomMargin(qreal margin);

    QTextEdit& edit_;
    int selectionStart_ = 0; // pane positions
    int selectionLength_ = 0;
    // Per line: its start in pane positions and in document positions, and
    // its length in characters.
    struct Line {
        int paneStart;
        int documentStart;
        int length;
    };
    std::vector<Line> lines_;
    int textLength_ = 0;
};

} // namespace eh
