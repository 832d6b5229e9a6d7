// MIQCP and MINLP models by Bonmin's branch and bound over Ipopt (B-BB):
// global optima for convex models, good solutions otherwise.
#ifndef GAMSUB_BONMINENGINE_H
#define GAMSUB_BONMINENGINE_H

#include "CompiledModel.h"
#include "ModelInstance.h"

namespace gamsub {

void solveWithBonmin(ModelInstance& model, CompiledModel& compiled, SolveStatus& status, double& callbackSeconds);

}  // namespace gamsub

#endif
