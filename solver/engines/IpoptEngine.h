// QCP, NLP, DNLP and the relaxed mixed-integer types by Ipopt's interior
// point method: a local optimum with its multipliers as marginals.
#ifndef GAMSUB_IPOPTENGINE_H
#define GAMSUB_IPOPTENGINE_H

#include "CompiledModel.h"
#include "ModelInstance.h"

namespace gamsub {

// The whole solve: statuses, the solution and the solver's lines of the
// listing. `callbackSeconds` receives the time spent evaluating the model.
void solveWithIpopt(ModelInstance& model, CompiledModel& compiled, SolveStatus& status, double& callbackSeconds);

}  // namespace gamsub

#endif
