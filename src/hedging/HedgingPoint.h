// The state progressive hedging carries from one iteration to the next, the
// averages and the first-stage weights, as one point of its fixed-point map:
// v_kj = average_j - w_kj / rho_j. The scenario models depend on the state
// only through v_k (their linear and quadratic terms), and the weights stay
// balanced when the state is rebuilt from any point: average = sum_k p_k v_k
// and w_kj = rho_j (average_j - v_kj), so sum_k p_k w_kj = 0. Entries are
// scaled by sqrt(p_k rho_j), the norm in which the map does not expand.
#ifndef PHA_HEDGINGPOINT_H
#define PHA_HEDGINGPOINT_H

#include <vector>

#include "GAMSInOut.h"

std::vector<double> hedgingPoint(const SCENARIOS& set, const std::vector<double>& rho);

// Sets the first-stage average and weights from a point of hedgingPoint's shape.
void setHedgingPoint(SCENARIOS& set, const std::vector<double>& point, const std::vector<double>& rho);

#endif
