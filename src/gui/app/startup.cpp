#include "gui/app/startup.h"

#include "gui/app/appcontext.h"
#include "gui/app/mainform.h"

namespace yw {

ProgramWindows::ProgramWindows(AppContext &ctx) : m_ctx(ctx) {}

ProgramWindows::~ProgramWindows()
{
    m_ctx.mainForm = nullptr;
}

bool ProgramWindows::start()
{
    m_main = std::make_unique<TMainForm>(m_ctx);
    if (!m_main->instanceAllowed())
        return false;
    m_ctx.mainForm = m_main.get();
    return true;
}

} // namespace yw
