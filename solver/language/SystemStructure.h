// GAMS's rules for the models without an objective, checked on the instance
// before the solve: an MCP's equation.variable matching (pairs, the implicit
// matching of unmatched =e= rows with free variables, fixed variables) and a
// CNS's square system of equations.
#ifndef GAMSUB_SYSTEMSTRUCTURE_H
#define GAMSUB_SYSTEMSTRUCTURE_H

#include <vector>

#include "ModelInstance.h"

namespace gamsub {

// Throws ExecError (at `line`, the solve) naming the first row or column
// that breaks a rule. `pairedBlocks`: the variable blocks named in pairs.
void checkSystemStructure(const ModelInstance& model, const std::vector<int>& pairedBlocks, int line);

// True when the row's body holds no variable at all (GAMS's "empty equation").
bool emptyRow(const ModelInstance& model, const Row& row);

}  // namespace gamsub

#endif
