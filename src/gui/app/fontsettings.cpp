#include "gui/app/fontsettings.h"

#include "app/inifile.h"
#include "gui/app/application.h"

#include <QApplication>
#include <QPalette>

#include <array>

namespace yw {
namespace {

// System colour indexes mapped to the palette roles that play the same part here.
struct SysColor {
    int index;
    QPalette::ColorGroup group;
    QPalette::ColorRole role;
};
constexpr std::array<SysColor, 11> kSysColors = {{
    {5, QPalette::Active, QPalette::Base}, // window background
    {8, QPalette::Active, QPalette::Text}, // window text
    {13, QPalette::Active, QPalette::Highlight},
    {14, QPalette::Active, QPalette::HighlightedText},
    {15, QPalette::Active, QPalette::Button}, // button face
    {16, QPalette::Active, QPalette::Mid},    // button shadow
    {17, QPalette::Disabled, QPalette::Text}, // grey text
    {18, QPalette::Active, QPalette::ButtonText},
    {20, QPalette::Active, QPalette::Light},
    {23, QPalette::Active, QPalette::ToolTipText},
    {24, QPalette::Active, QPalette::ToolTipBase},
}};

QPalette appPalette()
{
    return qApp ? QApplication::palette() : QPalette();
}

} // namespace

QColor colorFromWin(int value)
{
    const auto bits = static_cast<quint32>(value);
    if (bits & 0x80000000u) {
        const int index = static_cast<int>(bits & 0xFFu);
        for (const SysColor &s : kSysColors)
            if (s.index == index)
                return appPalette().color(s.group, s.role);
        return appPalette().color(QPalette::Active, QPalette::WindowText);
    }
    return QColor(int(bits & 0xFF), int((bits >> 8) & 0xFF), int((bits >> 16) & 0xFF));
}

int colorToWin(const QColor &color)
{
    // The default text colour keeps its system meaning, so that a stored font follows the theme.
    const QPalette pal = appPalette();
    if (!color.isValid() || color == pal.color(QPalette::Active, QPalette::Text))
        return kWinWindowText;
    const quint32 bits = quint32(color.red()) | (quint32(color.green()) << 8) | (quint32(color.blue()) << 16);
    return static_cast<int>(bits);
}

StoredFont readFont(const IniFile &ini, const QString &section)
{
    QFont font = designFont();
    font.setFamily(ini.readString(section, QStringLiteral("PreviewFontName"), QStringLiteral("MS Sans Serif")));
    const int size = ini.readInteger(section, QStringLiteral("PreviewFontSize"), 8);
    if (size > 0)
        font.setPointSize(size);
    const int style = ini.readInteger(section, QStringLiteral("PreviewFontStyle"), 0) & 0xFF;
    font.setBold(style & 1);
    font.setItalic(style & 2);
    font.setUnderline(style & 4);
    font.setStrikeOut(style & 8);
    // The character set key is kept for the file's sake; Qt fonts carry every script.
    ini.readInteger(section, QStringLiteral("PreviewFontCharSet"), 1);
    const QColor color = colorFromWin(ini.readInteger(section, QStringLiteral("PreviewFontColor"), kWinWindowText));
    return {font, color};
}

void writeFont(IniFile &ini, const QString &section, const QFont &font, const QColor &color)
{
    ini.writeString(section, QStringLiteral("PreviewFontName"), font.family());
    ini.writeInteger(section, QStringLiteral("PreviewFontColor"), colorToWin(color));
    ini.writeInteger(section, QStringLiteral("PreviewFontCharSet"), 1);
    ini.writeInteger(section, QStringLiteral("PreviewFontSize"), font.pointSize() > 0 ? font.pointSize() : 8);
    const int style =
        (font.bold() ? 1 : 0) | (font.italic() ? 2 : 0) | (font.underline() ? 4 : 0) | (font.strikeOut() ? 8 : 0);
    ini.writeInteger(section, QStringLiteral("PreviewFontStyle"), style);
}

} // namespace yw
