#include "HedgingPoint.h"

#include <algorithm>
#include <cmath>

namespace {

// A scenario of probability 0 still gets a point of its own.
double scaleOf(double probability, double rho) { return std::sqrt(std::max(probability, 1e-12) * rho); }

}  // namespace

std::vector<double> hedgingPoint(const SCENARIOS& set, const std::vector<double>& rho) {
    const int n1 = std::min(set.numVariables1, static_cast<int>(rho.size()));
    std::vector<double> point;
    point.reserve(static_cast<size_t>(set.numScenarios) * static_cast<size_t>(n1));
    for (int s = 0; s < set.numScenarios; s++) {
        const SCENARIO* sc = set.scenarios[s];
        for (int j = 0; j < n1; j++) {
            const double r = rho[static_cast<size_t>(j)];
            const double v = set.averageSolution1->data[j] - sc->weights1->data[j] / r;
            point.push_back(scaleOf(sc->probability, r) * v);
        }
    }
    return point;
}

void setHedgingPoint(SCENARIOS& set, const std::vector<double>& point, const std::vector<double>& rho) {
    const int n1 = std::min(set.numVariables1, static_cast<int>(rho.size()));
    if (point.size() != static_cast<size_t>(set.numScenarios) * static_cast<size_t>(n1)) return;
    auto v = [&](int s, int j) {
        const double r = rho[static_cast<size_t>(j)];
        return point[static_cast<size_t>(s * n1 + j)] / scaleOf(set.scenarios[s]->probability, r);
    };
    for (int j = 0; j < n1; j++) {
        double mass = 0.0, sum = 0.0;
        for (int s = 0; s < set.numScenarios; s++) {
            mass += set.scenarios[s]->probability;
            sum += set.scenarios[s]->probability * v(s, j);
        }
        const double average = mass > 0.0 ? sum / mass : set.averageSolution1->data[j];
        set.averageSolution1->data[j] = average;
        for (int s = 0; s < set.numScenarios; s++)
            set.scenarios[s]->weights1->data[j] = rho[static_cast<size_t>(j)] * (average - v(s, j));
    }
}
