#include "BonminEngine.h"

namespace gamsub {

void solveWithBonmin(ModelInstance& model, CompiledModel& compiled, SolveStatus& status, double& callbackSeconds) {
    (void)model;
    (void)compiled;
    (void)callbackSeconds;
    status.solverName = "BONMIN";
    status.solverStatus = 6;
    status.modelStatus = 14;
    status.solverMessage = "Error. Discrete nonlinear models are not supported yet.";
}

}  // namespace gamsub
