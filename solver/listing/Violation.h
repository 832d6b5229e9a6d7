// When a level counts as violating its bounds: the listing flags it INFES,
// and the engines use the same measure to call a point infeasible.
#ifndef GAMSUB_VIOLATION_H
#define GAMSUB_VIOLATION_H

#include "ModelInstance.h"

namespace gamsub {

// Relative violation from which a row or bound counts as infeasible (INFES).
constexpr double kInfeasible = 1e-6;

// Violation of a value against [lower, upper], relative to the bound's size.
double relativeViolation(double value, double lower, double upper);
// The largest such violation over all rows and columns.
double largestViolation(const ModelInstance& model);

}  // namespace gamsub

#endif
