// SPDX-License-Identifier: GPL-3.0-or-later
#include "WindowFont.h"

#include <QFontDatabase>
#include <QStringList>

namespace eh {

namespace {

constexpr const char* kWineFontFolder = "/usr/share/wine/fonts/";

// The family `face`, loading `file` from the wine font folder when the system
// does not know it; the platform's general font when neither has it.
QString LoadedFamily(const QString& face, const QString& file)
{
    if (QFontDatabase::families().contains(face))
        return face;
    const int id = QFontDatabase::addApplicationFont(kWineFontFolder + file);
    const QString family = id >= 0 ? QFontDatabase::applicationFontFamilies(id).value(0) : QString();
    return family.isEmpty() ? QFontDatabase::systemFont(QFontDatabase::GeneralFont).family() : family;
}

} // namespace

QFont WindowFont()
{
    static const QString family = LoadedFamily("MS Sans Serif", "ms_sans_serif.ttf");
    QFont font(family);
    font.setPixelSize(11);
    return font;
}

QFont RichTextFont()
{
    QFont font("DejaVu Sans");
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(8);
    return font;
}

QFont DisplayFont(int pixelHeight, bool bold)
{
    QFont font = RichTextFont();
    font.setPixelSize(pixelHeight);
    font.setBold(bold);
    return font;
}

} // namespace eh
