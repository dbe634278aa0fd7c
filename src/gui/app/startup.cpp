#include "gui/app/startup.h"

#include "gui/app/appcontext.h"
#include "gui/app/launchers.h"
#include "gui/app/mainform.h"

namespace yw {

ProgramWindows::ProgramWindows(AppContext &ctx) : m_ctx(ctx) {}

ProgramWindows::~ProgramWindows()
{
    launch::destroyJournalWindows(m_ctx);
    m_ctx.mainForm = nullptr;
}

bool ProgramWindows::start()
{
    m_main = std::make_unique<TMainForm>(m_ctx);
    if (!m_main->instanceAllowed())
        return false;
    m_ctx.mainForm = m_main.get();
    // The options window reads the journal's path, then the browser opens the journal.
    launch::createJournalWindows(m_ctx);
    return true;
}

} // namespace yw
