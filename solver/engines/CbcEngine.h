// MIP models by CBC's branch and cut (on Clp), within optcr, optca and
// reslim; marginals from a final LP with the discrete columns fixed, as GAMS
// reports them for a MIP.
#ifndef GAMSUB_CBCENGINE_H
#define GAMSUB_CBCENGINE_H

#include "CompiledModel.h"
#include "ModelInstance.h"

namespace gamsub {

// The whole solve: statuses, the solution and the solver's lines of the listing.
// Semi-continuous columns are beyond it (a capability problem).
void solveWithCbc(ModelInstance& model, CompiledModel& compiled, SolveStatus& status);

}  // namespace gamsub

#endif
