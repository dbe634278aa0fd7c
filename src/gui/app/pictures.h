#pragma once

#include <QIcon>
#include <QPixmap>

class QMenu;

namespace yw {

// Every picture the windows show is drawn here, so the repository holds no binary art.
enum class Glyph {
    Sound,
    Atom,
    Save,
    User,
    DataBase,
    Arrow,
    About,
    Help,
    Close,
    Export,
    Clear,
    Compact,
    Settings,
    WenWang,
    GuaSigns,
    Animals,
    Calendar,
    WebMoney,
    Info,
    Browser,
    Copy,
    SelectAll,
    Font,
    Description,
    Numbers,
    ForceSave,
    Add,
    Delete,
    Columns,
    Statistics,
    Run,
    Preview,
    Open,
    Create,
    Accept,
    Reject,
    Folder,
};

QIcon glyphIcon(Glyph glyph, int size = 16);
QPixmap glyphPixmap(Glyph glyph, int size = 16);

// The main window's picture: the yin-yang sign ringed by the eight trigrams.
QPixmap backgroundPicture(int size = 250);

// Line pictures, 79 x 12: 0 moving yin, 1 yin, 2 moving yang, 3 yang.
QPixmap linePicture(int index);
// A trigram drawn from its bit code (top first), for reference windows.
QPixmap trigramPicture(const QString &bits, QSize size, const QColor &color = QColor(70, 50, 30));

// The shared office-like popup-menu style of all windows.
void applyMenuStyle(QMenu *menu);

} // namespace yw
