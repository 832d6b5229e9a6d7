// Squares of binary columns are linear: x*x = x on {0, 1}. A discrete model
// whose only nonlinear terms are such squares (the proximal term
// sqr(x - xbar) of a binary x is one) is a MIP, and goes to CBC with each
// square replaced by the column itself; elsewhere the two models agree at
// every integer point, so the replacement is exact.
#ifndef GAMSUB_BINARYSQUARES_H
#define GAMSUB_BINARYSQUARES_H

#include "CompiledModel.h"
#include "LinearProblem.h"
#include "ModelInstance.h"

namespace gamsub {

// True when the model is not linear and every nonlinear term of its objective
// and rows is a multiple of x*x for a binary column x (no product of two
// different columns, no term of higher degree).
bool onlyBinarySquares(const ModelInstance& model, const CompiledModel& compiled);

// Adds q/2 to x's coefficient for every term q/2 x*x of the objective and the
// rows; `problem` is linearProblem's, built at the origin, where the squares
// contribute no slope.
void linearizeBinarySquares(const CompiledModel& compiled, LinearProblem& problem);

}  // namespace gamsub

#endif
