#include "WindowFont.h"

#include <QFontDatabase>
#include <QStringList>

namespace eh {

namespace {

constexpr const char* kFaceName = "MS Sans Serif";
constexpr const char* kWineFontFile = "/usr/share/wine/fonts/ms_sans_serif.ttf";

// The family name to ask for, loading the font file once.
QString FamilyName()
{
    static const QString family = [] {
        if (QFontDatabase::families().contains(kFaceName))
            return QString(kFaceName);
        const int id = QFontDatabase::addApplicationFont(kWineFontFile);
        if (id >= 0) {
            const QStringList families = QFontDatabase::applicationFontFamilies(id);
            if (!families.isEmpty())
                return families.first();
        }
        return QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
    }();
    return family;
}

} // namespace

QFont WindowFont()
{
    return WindowFont(11, false);
}

QFont WindowFont(int pixelHeight, bool bold)
{
    QFont font(FamilyName());
    font.setPixelSize(pixelHeight);
    font.setBold(bold);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

} // namespace eh
