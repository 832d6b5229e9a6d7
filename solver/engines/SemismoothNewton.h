// A semismooth Newton method for box-constrained systems: each unknown x_j in
// [l_j, u_j] is paired with a function F_j, and a solution satisfies
//   x_j = l_j => F_j >= 0,  l_j < x_j < u_j => F_j = 0,  x_j = u_j => F_j <= 0
// (a mixed complementarity problem; with `complementary` off, F_j = 0 within
// the bounds: a constrained system of equations). The conditions become
// Phi(x) = 0 through the Fischer-Burmeister function (nested for two finite
// bounds); Newton steps on Phi use Eigen's sparse LU, an Armijo search on
// 0.5 ||Phi||^2 keeps them honest, and Levenberg-Marquardt steps, then the
// merit's steepest descent, take over where the Newton step fails. Trial
// points are projected onto the box first, so functions defined only inside
// it (logs, quotients) stay defined; where that gets nowhere, the Newton step
// is tried as it is (the reformulation's zeros lie in the box either way).
#ifndef GAMSUB_SEMISMOOTHNEWTON_H
#define GAMSUB_SEMISMOOTHNEWTON_H

#include <functional>
#include <vector>

namespace gamsub {

struct JacobianEntry {
    int row = 0, column = 0;  // function j, unknown i
    double value = 0.0;
};

struct BoxSystem {
    std::vector<double> lower, upper;  // one per unknown; -inf/+inf where unbounded
    bool complementary = true;         // false: F = 0 within the bounds (CNS)
    // F at x (false where F is undefined there), and its Jacobian entries.
    std::function<bool(const std::vector<double>& x, std::vector<double>& f)> values;
    std::function<bool(const std::vector<double>& x, std::vector<JacobianEntry>& entries)> jacobian;
};

struct NewtonLimits {
    long iterations = 1000;
    double seconds = 1000.0;
    double tolerance = 1e-6;  // scaled residual that counts as solved
};

struct NewtonResult {
    enum Outcome { Solved, Stalled, IterationLimit, TimeLimit, EvaluationError } outcome = Stalled;
    std::vector<double> x;
    std::vector<double> f;  // F at x (empty when undefined)
    long iterations = 0;
    double residual = 0.0;  // the largest scaled residual at x
};

// The residual of unknown j, with F_j divided by max(1, its largest |dF_j/dx_i|):
// the natural residual |x - mid(l, u, x - F_j)| of a complementarity pair, |F_j|
// for an equation.
double scaledResidual(const BoxSystem& system, int j, double x, double f, double rowScale);

// Solves from `start` (projected onto the box).
NewtonResult solveBoxSystem(const BoxSystem& system, std::vector<double> start, const NewtonLimits& limits);

}  // namespace gamsub

#endif
