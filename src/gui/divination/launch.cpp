#include "gui/app/launchers.h"

#include "gui/divination/icningform.h"

namespace yw::launch {

bool divinationAvailable()
{
    return true;
}

void openDivination(AppContext &ctx, QWidget *parent)
{
    // One window per divination: created here, shown modally, gone when it closes.
    TICningForm form(ctx, parent);
    form.exec();
}

} // namespace yw::launch
