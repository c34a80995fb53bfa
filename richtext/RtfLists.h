// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <array>
#include <map>
#include <optional>

namespace eh::rtf {

// The list table and list override table of an RTF document, and the
// numbering of the list items that follow: gives each item the label its
// level shows (•, ◦, ▪ for bullets; 1., a., i. and the like for numbers)
// when the writer left no \listtext with the label already made.
class RtfLists {
public:
    static constexpr int kLevels = 9;

    // While reading the list table: a \list starts a list, \listid names it,
    // \listlevel starts its next level, whose number format (\levelnfc),
    // first number (\levelstartat) and label template (\leveltext) follow.
    void StartList();
    void SetListId(int id);
    void StartLevel();
    void SetLevelFormat(int numberFormat);
    void SetLevelStart(int start);
    // The template's characters; a character below U+0009 stands for the
    // number of that level. The first character is the template's length.
    // A level without a template shows its number and a full stop.
    void AppendLevelText(const QString& text);

    // While reading the list override table: \listoverride starts an
    // entry, whose \listid and \ls follow.
    void StartOverride();
    void SetOverrideListId(int id);
    void SetOverrideNumber(int number);

    // Counts one more item of the list that override `list` (\lsN) stands
    // for, at `level`, and returns its label; nothing for an unknown list.
    std::optional<QString> NextLabel(int list, int level);

private:
    static constexpr int kNotCounted = -1;
    struct Level {
        int numberFormat = 0;
        int start = 1;
        QString text;
    };
    struct List {
        List() { counters.fill(kNotCounted); }
        std::array<Level, kLevels> levels;
        // The last number given at each level, kNotCounted before its first
        // item (a level may start at 0).
        std::array<int, kLevels> counters;
    };

    Level* CurrentLevel();

    std::map<int, List> lists_;
    std::map<int, int> overrides_; // \ls number to \listid
    List readList_;
    int readListId_ = 0;
    int readLevel_ = -1;
    bool readingList_ = false;
    int overrideListId_ = 0;
};

// The largest number a list item shows, as in Word: a list never counts
// beyond it, and a larger \levelstartat starts there.
inline constexpr int kMaxListNumber = 32767;

// A number as a list label shows it in an RTF level number format (\levelnfc):
// decimal, Roman or letters, upper or lower case.
QString FormatListNumber(int number, int numberFormat);

} // namespace eh::rtf
