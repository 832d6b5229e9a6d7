// A last attempt for an Ipopt run that stopped short of convergence next to
// bounds: the variables it left within a hair of a bound are held there and the
// rest solved again. An interior point method only approaches a bound, and
// where a derivative grows without limit there (sqrt of a shipment that ends
// at 0) it stalls before its tolerances hold. The held point counts only when
// the smaller problem converges and every held variable's one-sided reduced
// cost points out of its bounds: then it is a first-order point of the model.
#ifndef GAMSUB_BOUNDPOLISH_H
#define GAMSUB_BOUNDPOLISH_H

#include <vector>

#include "CompiledModel.h"

namespace gamsub {

// Relative distance within which an unconverged level is taken to a bound.
constexpr double kNearBound = 1e-5;

struct BoundPolish {
    std::vector<double> lower, upper, start;  // per Ipopt variable
    std::vector<char> atLower, atUpper;       // held at that bound by the polish
    int held = 0;
};

// Holds every variable of `x` within kNearBound of a bound (variables the
// model fixes stay as they are); `held` is 0 when there is nothing to hold.
BoundPolish planBoundPolish(const std::vector<double>& x, const std::vector<double>& lower,
                            const std::vector<double>& upper);

// Whether, at the polished point `x` with constraint multipliers `lambda`,
// each held variable's reduced cost (one-sided where its derivative is
// infinite) has the sign that keeps it at its bound, within a relative 1e-6.
// `lower`, `upper`: the model's own bounds.
bool heldBoundsOptimal(CompiledModel& compiled, const BoundPolish& polish, const std::vector<double>& x,
                       const std::vector<double>& lambda, const std::vector<double>& lower,
                       const std::vector<double>& upper);

}  // namespace gamsub

#endif
