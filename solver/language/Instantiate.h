// Builds the instance of a model for one solve: a column per variable element
// the equations use, a row per equation element, expressions over the columns.
#ifndef GAMSUB_INSTANTIATE_H
#define GAMSUB_INSTANTIATE_H

#include "Evaluator.h"
#include "ModelInstance.h"
#include "Program.h"

namespace gamsub {

// Throws ExecError when generation fails (evaluation errors, a nonlinear
// term in an LP, an objective variable that no equation uses).
// `budget` (may be null) bounds the time generation may take.
ModelInstance instantiate(const SymbolTable& symbols, const Statement& solve, const TimeBudget* budget = nullptr);

// Copies levels and marginals of a solved instance back into the symbols,
// so that .l and .m read them.
void storeSolution(SymbolTable& symbols, const ModelInstance& model, const SolveStatus& status, int modelSym);

}  // namespace gamsub

#endif
