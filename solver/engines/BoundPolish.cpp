#include "BoundPolish.h"

#include <algorithm>
#include <cmath>

#include "SolutionTransfer.h"

namespace gamsub {

namespace {

bool near(double value, double bound) {
    return std::isfinite(bound) && std::fabs(value - bound) <= kNearBound * (1.0 + std::fabs(bound));
}

}  // namespace

BoundPolish planBoundPolish(const std::vector<double>& x, const std::vector<double>& lower,
                            const std::vector<double>& upper) {
    BoundPolish polish;
    size_t n = std::min(x.size(), std::min(lower.size(), upper.size()));
    polish.lower.assign(lower.begin(), lower.begin() + static_cast<long>(n));
    polish.upper.assign(upper.begin(), upper.begin() + static_cast<long>(n));
    polish.atLower.assign(n, 0);
    polish.atUpper.assign(n, 0);
    polish.start.resize(n);
    for (size_t v = 0; v < n; v++) {
        polish.start[v] = std::min(std::max(x[v], lower[v]), upper[v]);
        if (lower[v] == upper[v]) continue;
        if (near(x[v], lower[v])) {
            polish.atLower[v] = 1;
            polish.upper[v] = polish.start[v] = lower[v];
        } else if (near(x[v], upper[v])) {
            polish.atUpper[v] = 1;
            polish.lower[v] = polish.start[v] = upper[v];
        } else {
            continue;
        }
        polish.held++;
    }
    return polish;
}

bool heldBoundsOptimal(CompiledModel& compiled, const BoundPolish& polish, const std::vector<double>& x,
                       const std::vector<double>& lambda, const std::vector<double>& lower,
                       const std::vector<double>& upper) {
    std::vector<double> reduced, size;
    if (!reducedCosts(compiled, x, lambda, lower, upper, reduced, size)) return false;
    for (size_t v = 0; v < reduced.size() && v < polish.atLower.size(); v++) {
        double tolerance = std::isfinite(size[v]) ? 1e-6 * (1.0 + size[v]) : 0.0;
        // Ipopt minimises: at a lower bound the objective may only rise inward, at an upper bound only fall.
        if (polish.atLower[v] && reduced[v] < -tolerance) return false;
        if (polish.atUpper[v] && reduced[v] > tolerance) return false;
    }
    return true;
}

}  // namespace gamsub
