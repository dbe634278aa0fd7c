#include "gui/app/startup.h"

#include "gui/app/appcontext.h"
#include "gui/app/launchers.h"
#include "gui/app/mainform.h"
#include "gui/journal/optionform.h"

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
    // "Отклонить" in the options window's first-start mode ends the program here.
    return !(m_ctx.optionForm && m_ctx.optionForm->declined());
}

} // namespace yw
