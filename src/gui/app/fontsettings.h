#pragma once

#include <QColor>
#include <QFont>
#include <QString>

namespace yw {

class IniFile;

// Windows colour values: 0x00BBGGRR, or 0x80000000 plus a system colour index.
QColor colorFromWin(int value);
int colorToWin(const QColor &color);
inline constexpr int kWinWindowText = static_cast<int>(0x80000008u);

// The five "PreviewFont..." keys of a window's section.
struct StoredFont {
    QFont font;
    QColor color;
};
StoredFont readFont(const IniFile &ini, const QString &section);
void writeFont(IniFile &ini, const QString &section, const QFont &font, const QColor &color);

} // namespace yw
