// Moves a solver's point back into the instance in GAMS's conventions: levels
// (snapped onto bounds they meet), row levels without constants, marginals
// as the objective's change per unit.
#ifndef GAMSUB_SOLUTIONTRANSFER_H
#define GAMSUB_SOLUTIONTRANSFER_H

#include <vector>

#include "CompiledModel.h"
#include "ModelInstance.h"
#include "Violation.h"

namespace gamsub {

// Relative distance within which a level counts as sitting on its bound.
constexpr double kOnBound = 1e-8;

// Each row's LOWER and UPPER from its constant terms and type.
void setRowBounds(ModelInstance& model, const CompiledModel& compiled);

// Columns' levels projected into their bounds (the starting point).
std::vector<double> projectedLevels(const ModelInstance& model);

// Reduced costs of Ipopt's variables, d = grad F + J^T lambda, and the size of
// the terms summed into each (to tell a real value from rounding noise). A
// held variable's derivative may be infinite at x (sqrt of a variable held at
// 0): its reduced cost is then that infinity, and one that is undefined
// (0 * inf) is replaced by oneSidedReducedCost. False where the model cannot
// be evaluated. `lower`, `upper`: the variables' bounds.
bool reducedCosts(CompiledModel& compiled, const std::vector<double>& x, const std::vector<double>& lambda,
                  const std::vector<double>& lower, const std::vector<double>& upper, std::vector<double>& reduced,
                  std::vector<double>& size);

// The slope of Ipopt's Lagrangian F + lambda' g along variable v over a step
// of 1e-8 relative from x into its bounds: the one-sided derivative that
// decides optimality where the derivative itself is infinite. NaN where the
// Lagrangian cannot be evaluated.
double oneSidedReducedCost(CompiledModel& compiled, const std::vector<double>& x, const std::vector<double>& lambda,
                           int v, double lower, double upper);

// Writes levels from Ipopt's x (and, with `lambda`, the multipliers of its
// constraints, marginals) into columns and rows. Returns false when a row
// cannot be evaluated at the point.
bool transferSolution(ModelInstance& model, CompiledModel& compiled, const std::vector<double>& x,
                      const std::vector<double>* lambda);

}  // namespace gamsub

#endif
