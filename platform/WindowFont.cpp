// SPDX-License-Identifier: GPL-3.0-or-later
#include "WindowFont.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QGuiApplication>
#include <cmath>

namespace eh {

namespace {

constexpr const char* kWineFontFolder = "/usr/share/wine/fonts/";

// fonts-wine keeps its faces outside fontconfig's path, so they are loaded
// from their files; the family name of `file`, or the platform's general face
// when it does not load.
QString LoadedFamily(const QString& file)
{
    const int id = QFontDatabase::addApplicationFont(kWineFontFolder + file);
    const QString family = id >= 0 ? QFontDatabase::applicationFontFamilies(id).value(0) : QString();
    return family.isEmpty() ? QFontDatabase::systemFont(QFontDatabase::GeneralFont).family() : family;
}

struct LoadedFamilies {
    QString bitmap;
    QString scalable;
};

// Both faces join the font database together, before any text is measured:
// adding a font empties Qt's font caches, so a face added later would make
// every font already in use load again.
const LoadedFamilies& Families()
{
    // Wine's Tahoma Bold draws the regular outlines on bold advances; Qt's
    // own emboldening of the regular face looks bold and keeps its metrics.
    static const LoadedFamilies families{LoadedFamily("ms_sans_serif.ttf"), LoadedFamily("tahoma.ttf")};
    return families;
}

const QString& BitmapFamily() { return Families().bitmap; }

const QString& ScalableFamily() { return Families().scalable; }

bool BitmapFaceFits(int characterHeight, bool bold)
{
    // The highest ratio over all screens: a window may move to any of them.
    return characterHeight == kWindowCharacterHeight && !bold && qGuiApp->devicePixelRatio() == 1.0 &&
           !QFontDatabase::isScalable(BitmapFamily());
}

} // namespace

QFont WindowFont(int characterHeight, bool bold)
{
    QFont font(BitmapFaceFits(characterHeight, bold) ? BitmapFamily() : ScalableFamily());
    font.setPixelSize(characterHeight);
    font.setBold(bold);
    return font;
}

QFont RichTextFont()
{
    QFont font(ScalableFamily());
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(8);
    return font;
}

QFont NarrowedToFit(QFont font, const QString& text, int width)
{
    constexpr int kNarrowestStretch = 50;
    // The width a label gives the text: its fractional advance, rounded up.
    const auto textWidth = [&text](const QFont& face) {
        return static_cast<int>(std::ceil(QFontMetricsF(face).horizontalAdvance(text)));
    };
    const int natural = textWidth(font);
    if (natural <= width || width <= 0)
        return font;
    // Rounding of the narrowed glyph advances can leave it a pixel too wide.
    for (int stretch = 100 * width / natural; stretch >= kNarrowestStretch; --stretch) {
        font.setStretch(stretch);
        if (textWidth(font) <= width)
            break;
    }
    return font;
}

} // namespace eh
