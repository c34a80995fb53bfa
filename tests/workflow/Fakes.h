// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Exceptions.h"
#include "FieldReading.h"
#include "ReportPane.h"

#include <string>
#include <vector>

namespace eh::test {

// Everything the fakes are asked to do, in order, shared by the fields, the
// pane and the notice so that their interleaving can be checked.
using CallLog = std::vector<std::string>;

// An input field of the main window: its text, its name, and a record of
// every read, reset and focus move.
class FakeField : public IInputField {
public:
    FakeField(std::string name, std::string text, CallLog* log = nullptr)
        : name_(std::move(name)), text_(std::move(text)), log_(log)
    {
    }

    std::string Text() const override
    {
        ++reads;
        if (log_)
            log_->push_back("Read " + name_);
        return text_;
    }
    void SetText(const std::string& text) override
    {
        text_ = text;
        resets.push_back(text);
        if (log_)
            log_->push_back("SetText " + name_ + " " + text);
    }
    void SetFocus() override
    {
        ++focusMoves;
        if (log_)
            log_->push_back("Focus " + name_);
    }

    // The text as the user now sees it, without counting a read.
    const std::string& CurrentText() const { return text_; }

    mutable int reads = 0;
    std::vector<std::string> resets;
    int focusMoves = 0;

private:
    std::string name_;
    std::string text_;
    CallLog* log_;
};

// The character format of one position of the pane; size 0 is the pane's
// default font, never set by a run.
struct CharFormat {
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    int size = 0;
    bool operator==(const CharFormat&) const = default;
};

// A rich-text pane: UTF-8 text where a line end is CR LF and counts two
// positions, one format per position, and a record of every call.
class FakePane : public IReportPane {
public:
    explicit FakePane(CallLog* log) : log_(log) {}

    void Clear() override
    {
        text_.clear();
        formats_.clear();
        selStart_ = selLength_ = 0;
        log_->push_back("Clear");
    }
    void SetFirstIndent(int points) override
    {
        indent = points;
        log_->push_back("Indent " + std::to_string(points));
    }
    void AppendLine(const std::string& text) override
    {
        ++appends;
        if (appends == failingAppend) {
            log_->push_back("AppendFailed " + text);
            throw EOutOfResources("RichEdit line insertion error");
        }
        text_ += text + "\r\n";
        formats_.resize(static_cast<size_t>(Positions(text_)));
        log_->push_back("Append " + text);
    }
    int TextLength() const override { return Positions(text_); }
    void Select(int start, int length) override
    {
        selStart_ = start;
        selLength_ = length;
        log_->push_back("Select " + std::to_string(start) + " " + std::to_string(length));
    }
    void SetSelectionStyle(bool bold, bool italic, bool underline, bool strikeOut) override
    {
        for (int i = selStart_; i < selStart_ + selLength_ && i < static_cast<int>(formats_.size()); ++i) {
            formats_[i].bold = bold;
            formats_[i].italic = italic;
            formats_[i].underline = underline;
            formats_[i].strikeOut = strikeOut;
        }
        log_->push_back(std::string("Style") + (bold ? " bold" : "") + (italic ? " italic" : "") +
                        (underline ? " underline" : "") + (strikeOut ? " strikeout" : ""));
    }
    void SetSelectionSize(int points) override
    {
        for (int i = selStart_; i < selStart_ + selLength_ && i < static_cast<int>(formats_.size()); ++i)
            formats_[i].size = points;
        log_->push_back("Size " + std::to_string(points));
    }
    std::string PlainText() const override { return text_; }

    const std::vector<CharFormat>& Formats() const { return formats_; }

    int indent = 0;
    int appends = 0;
    int failingAppend = 0; // 1-based append that fails; 0 for none

    // Positions of a UTF-8 text: one per code point, so CR LF counts two.
    static int Positions(const std::string& utf8)
    {
        int n = 0;
        for (const char c : utf8) {
            if ((static_cast<unsigned char>(c) & 0xC0) != 0x80)
                ++n;
        }
        return n;
    }

private:
    CallLog* log_;
    std::string text_;
    std::vector<CharFormat> formats_;
    int selStart_ = 0;
    int selLength_ = 0;
};

} // namespace eh::test
