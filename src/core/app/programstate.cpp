#include "app/programstate.h"

namespace yw {

ProgramState &programState()
{
    static ProgramState state;
    return state;
}

} // namespace yw
