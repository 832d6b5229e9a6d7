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

// Writes levels from Ipopt's x (and, with `lambda`, the multipliers of its
// constraints, marginals) into columns and rows. Returns false when a row
// cannot be evaluated at the point.
bool transferSolution(ModelInstance& model, CompiledModel& compiled, const std::vector<double>& x,
                      const std::vector<double>* lambda);

}  // namespace gamsub

#endif
