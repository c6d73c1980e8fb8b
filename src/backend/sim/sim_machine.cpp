// The one simulated machine, and resetting it between tests.
#include "backend/sim/sim_state.h"

namespace sim {

Machine& TheMachine()
{
    static Machine machine;
    return machine;
}

void Reset()
{
    TheMachine() = Machine{};
}

}  // namespace sim
