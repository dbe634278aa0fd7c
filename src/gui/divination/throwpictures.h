#pragma once

#include <QPixmap>

namespace yw {

// The graphical table's 64 x 64 pictures: 0 the yang side of a coin, 1 its yin side, 2..7 the
// die faces 1..6.
QPixmap throwPicture(int index);

} // namespace yw
