#include "gui/app/launchers.h"

namespace yw::launch {

bool divinationAvailable() { return false; }
void openDivination(AppContext &, QWidget *) {}

} // namespace yw::launch
