// The last step of a simplex solve done exactly: with the final basis's
// active set (the columns at a bound, the rows at a bound) the optimum of an
// LP or convex QP is the solution of one linear system, the KKT conditions on
// that set. Solving it directly gives the point and the multipliers to the
// last digits, the same whichever start the simplex came from.
#ifndef GAMSUB_ACTIVESETPOLISH_H
#define GAMSUB_ACTIVESETPOLISH_H

#include <vector>

#include "LinearProblem.h"

namespace gamsub {

struct QuadraticObjective;

// What the simplex ended with, in Clp's conventions: reduced costs
// d = c + Hx - A'y.
struct ActiveSetPoint {
    std::vector<double> x, rowActivity, rowDuals, reducedCosts;
    std::vector<char> columnNonbasic, rowNonbasic;  // at a bound
};

// Replaces x, the row duals and the reduced costs by the solution of the KKT
// system on the active set when that system is regular and its solution lies
// within the bounds and next to the simplex's own point; returns whether it did.
bool polishOnActiveSet(const LinearProblem& problem, const QuadraticObjective* quadratic, ActiveSetPoint& point);

}  // namespace gamsub

#endif
