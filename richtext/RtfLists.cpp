// SPDX-License-Identifier: GPL-3.0-or-later
#include "RtfLists.h"

#include "RtfLimits.h"

#include <algorithm>
#include <utility>

namespace eh::rtf {

namespace {

// \levelnfc values.
constexpr int kUpperRoman = 1;
constexpr int kLowerRoman = 2;
constexpr int kUpperLetter = 3;
constexpr int kLowerLetter = 4;
constexpr int kLeadingZero = 22;
constexpr int kBullet = 23;
constexpr int kNoNumber = 255;

QString Roman(int number)
{
    static constexpr std::pair<int, const char*> kDigits[] = {
        {1000, "m"}, {900, "cm"}, {500, "d"}, {400, "cd"}, {100, "c"}, {90, "xc"}, {50, "l"},
        {40, "xl"}, {10, "x"}, {9, "ix"}, {5, "v"}, {4, "iv"}, {1, "i"}};
    QString result;
    for (const auto& [value, digits] : kDigits) {
        for (; number >= value; number -= value)
            result += QLatin1String(digits);
    }
    return result;
}

// a..z, then aa..zz, aaa..., as Word counts on.
QString Letters(int number)
{
    const int repeat = (number - 1) / 26 + 1;
    return QString(repeat, QChar(u'a' + (number - 1) % 26));
}

} // namespace

QString FormatListNumber(int number, int numberFormat)
{
    // Beyond Word's largest list number letters and Roman numbers would grow
    // without bound; Roman numbers and letters have no zero.
    number = std::clamp(number, 0, kMaxListNumber);
    const int counting = std::max(number, 1);
    switch (numberFormat) {
    case kUpperRoman:
        return Roman(counting).toUpper();
    case kLowerRoman:
        return Roman(counting);
    case kUpperLetter:
        return Letters(std::min(counting, 780)).toUpper();
    case kLowerLetter:
        return Letters(std::min(counting, 780));
    case kLeadingZero:
        return QStringLiteral("%1").arg(number, 2, 10, QChar(u'0'));
    case kNoNumber:
        return {};
    default:
        return QString::number(number);
    }
}

void RtfLists::StartList()
{
    readList_ = List();
    readListId_ = 0;
    readLevel_ = -1;
    readingList_ = true;
}

void RtfLists::SetListId(int id)
{
    readListId_ = id;
    if (readingList_ && (lists_.size() < kMaxRtfTableEntries || lists_.contains(id)))
        lists_[id] = readList_;
}

void RtfLists::StartLevel()
{
    if (readingList_ && readLevel_ + 1 < kLevels)
        ++readLevel_;
}

RtfLists::Level* RtfLists::CurrentLevel()
{
    if (!readingList_ || readLevel_ < 0)
        return nullptr;
    // \listid comes after the levels; until then they are gathered aside.
    const auto found = lists_.find(readListId_);
    List& list = readListId_ != 0 && found != lists_.end() ? found->second : readList_;
    return &list.levels[static_cast<std::size_t>(readLevel_)];
}

void RtfLists::SetLevelFormat(int numberFormat)
{
    if (Level* level = CurrentLevel())
        level->numberFormat = numberFormat;
}

void RtfLists::SetLevelStart(int start)
{
    if (Level* level = CurrentLevel())
        level->start = std::clamp(start, 0, kMaxListNumber);
}

void RtfLists::AppendLevelText(const QString& text)
{
    Level* level = CurrentLevel();
    // A template longer than its length byte allows is not Word's.
    if (level != nullptr && level->text.size() < 256)
        level->text += text.left(256);
}

void RtfLists::StartOverride()
{
    readingList_ = false;
    overrideListId_ = 0;
}

void RtfLists::SetOverrideListId(int id) { overrideListId_ = id; }

void RtfLists::SetOverrideNumber(int number)
{
    if (overrides_.size() < kMaxRtfTableEntries)
        overrides_[number] = overrideListId_;
}

std::optional<QString> RtfLists::NextLabel(int list, int level)
{
    const auto override = overrides_.find(list);
    const auto found = lists_.find(override == overrides_.end() ? list : override->second);
    if (found == lists_.end())
        return std::nullopt;
    List& items = found->second;
    level = std::clamp(level, 0, kLevels - 1);
    auto& counter = items.counters[static_cast<std::size_t>(level)];
    // Saturates at the largest number: the items after it show it again.
    counter = counter == kNotCounted ? items.levels[static_cast<std::size_t>(level)].start
                                     : std::min(counter + 1, kMaxListNumber);
    std::fill(items.counters.begin() + level + 1, items.counters.end(), kNotCounted);

    const Level& format = items.levels[static_cast<std::size_t>(level)];
    if (format.numberFormat == kBullet) {
        // Word's own bullets by level are the Symbol font's dot, "o" in
        // Courier New and the Wingdings square; they are shown as Unicode's.
        static constexpr char16_t kBullets[] = {u'\u2022', u'\u25E6', u'\u25AA'};
        return QString(QChar(kBullets[level % 3]));
    }
    if (format.text.isEmpty())
        return FormatListNumber(counter, format.numberFormat) + u'.';
    // The template's first character is its length; the ";" that ends it
    // in the file is not counted.
    QString label;
    for (const QChar c : format.text.mid(1, format.text.front().unicode())) {
        if (c.unicode() < kLevels) {
            const int shown = c.unicode();
            const int number =
                items.counters[shown] != kNotCounted ? items.counters[shown] : items.levels[shown].start;
            label += FormatListNumber(number, items.levels[shown].numberFormat);
        } else {
            label += c;
        }
    }
    return label;
}

} // namespace eh::rtf
