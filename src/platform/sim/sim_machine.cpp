// The one simulated machine, and resetting it between tests.
#include "platform/afx_text.h"
#include "platform/sim/sim_state.h"

namespace sim {

Machine& TheMachine()
{
    static Machine machine;
    return machine;
}

void Reset()
{
    TheMachine() = Machine{};
    AfxSetTextEncoding(AfxTextEncoding::Ansi);
}

}  // namespace sim
