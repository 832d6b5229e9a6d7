// MCP and CNS models by the semismooth Newton method: the unknowns are the
// non-fixed columns, each paired with a row (an MCP's equation.variable
// pairs, its unmatched =e= rows with its unmatched free columns in listing
// order; a CNS's rows with its columns in order), fixed columns and their
// paired rows drop out. Statuses as GAMS gives them: an MCP solved is
// 1 Optimal, a CNS 16 Solved; otherwise the residual is named.
#ifndef GAMSUB_SYSTEMENGINE_H
#define GAMSUB_SYSTEMENGINE_H

#include "CompiledModel.h"
#include "ModelInstance.h"

namespace gamsub {

// The whole solve: statuses, levels and marginals (an MCP's row marginal is
// the level of its paired column, a column's marginal the value of its
// paired row's function; what has no pair, and every CNS marginal, is NA).
void solveSystem(ModelInstance& model, CompiledModel& compiled, SolveStatus& status);

}  // namespace gamsub

#endif
