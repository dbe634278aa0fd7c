#pragma once

#include <memory>

namespace yw {

struct AppContext;
class TMainForm;

// The windows that live for the whole run, created in the start-up order.
class ProgramWindows {
public:
    explicit ProgramWindows(AppContext &ctx);
    ~ProgramWindows();

    // Creates the windows; false when a second copy of the program must stop.
    bool start();
    TMainForm *mainForm() const { return m_main.get(); }

private:
    AppContext &m_ctx;
    std::unique_ptr<TMainForm> m_main;
};

} // namespace yw
