#include "TrustReport.h"

#include <cmath>
#include <cstdio>
#include <vector>

namespace {

std::string shown(bool present, const char* format, double value) {
    if (!present || !std::isfinite(value)) return "-";
    int length = std::snprintf(nullptr, 0, format, value);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    std::snprintf(&text[0], text.size(), format, value);
    text.resize(static_cast<size_t>(length));
    return text;
}

void printPlan(const std::vector<double>& plan) {
    for (size_t j = 0; j < plan.size(); j++) std::printf("  x('%zu') = %.10g\n", j + 1, plan[j]);
}

}  // namespace

// ", rho (r1, r2, ...)" when the run keeps a rho per variable.
static std::string rhoShown(const std::vector<double>& rho) {
    if (rho.empty()) return "";
    std::string text = ", rho (";
    for (size_t j = 0; j < rho.size(); j++) text += (j > 0 ? ", " : "") + shown(true, "%.4g", rho[j]);
    return text + ")";
}

std::string iterationLine(const IterationNumbers& n, const BoundKeeper& b) {
    return "Iteration " + std::to_string(n.iteration) + ": delta " + shown(true, "%.3e", n.delta) + ", D " +
           shown(n.hasChange, "%.3e", n.change) + ", E[cost] " + shown(n.hasExpectedCost, "%.6f", n.expectedCost) +
           ", best L " + shown(b.hasLower(), "%.6f", b.lower()) + ", best U " + shown(b.hasUpper(), "%.6f", b.upper()) +
           ", gap " + shown(b.hasLower() && b.hasUpper(), "%.3e", b.gap()) + ", " + shown(true, "%.2f", n.seconds) +
           " s" + rhoShown(n.rho);
}

std::string printTrustVerdict(const BoundKeeper& b, double gapLimit, const std::string& why,
                              const std::vector<double>& average, double absGapLimit) {
    std::printf("Finished: %s.\n\n", why.c_str());
    const bool optimal = b.hasLower() && b.hasUpper() && b.within(gapLimit, absGapLimit);
    if (b.hasUpper()) {
        std::printf("Plan (the first stage of the best inner bound, iteration %d):\n", b.upperIteration());
        printPlan(b.plan());
        std::printf("Inner bound U = %.10g (the expected cost of this plan)\n", b.upper());
    } else {
        std::printf("No plan has an inner bound; the last first-stage average is:\n");
        printPlan(average);
        std::printf("Inner bound U: none\n");
    }
    if (b.hasLower()) std::printf("Outer bound L = %.10g (iteration %d)\n", b.lower(), b.lowerIteration());
    else std::printf("Outer bound L: none\n");
    if (b.hasLower() && b.hasUpper())
        std::printf("Relative gap (U - L)/max(|U|, %g) = %.3e; U - L = %.3e\n\n", kGapGuard, b.gap(), b.absoluteGap());
    else
        std::printf("Relative gap: not known\n\n");
    std::string limits = shown(true, "%g", gapLimit);
    if (absGapLimit >= 0) limits += " or the absolute gap " + shown(true, "%g", absGapLimit);
    if (optimal) {
        std::printf("********** Optimal within the gap %s: no plan costs less than L. **********\n\n", limits.c_str());
        return "optimal";
    }
    std::printf("The plan is the best found, not shown to be optimal: the gap is above %s.\n\n", limits.c_str());
    return b.hasUpper() ? "gap not reached" : "no plan";
}
