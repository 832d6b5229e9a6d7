#include "ColumnBound.h"

#include <algorithm>
#include <cmath>

#include <ClpSimplex.hpp>

ColumnBound::ColumnBound(int scenarios, int entries, size_t perScenario)
    : entries_(std::max(0, entries)),
      perScenario_(std::max<size_t>(1, perScenario)),
      points_(static_cast<size_t>(std::max(0, scenarios))) {}

bool ColumnBound::add(int scenario, const std::vector<double>& x, double cost) {
    if (scenario < 0 || static_cast<size_t>(scenario) >= points_.size()) return false;
    if (x.size() != static_cast<size_t>(entries_) || !std::isfinite(cost)) return false;
    for (double v : x)
        if (!std::isfinite(v)) return false;
    std::vector<Point>& seen = points_[static_cast<size_t>(scenario)];
    for (Point& p : seen)
        if (p.x == x) {
            p.cost = std::min(p.cost, cost);
            return false;
        }
    if (seen.size() == perScenario_) seen.erase(seen.begin());
    seen.push_back(Point{x, cost});
    return true;
}

size_t ColumnBound::points() const {
    size_t n = 0;
    for (const auto& seen : points_) n += seen.size();
    return n;
}

ColumnBound::Master ColumnBound::solve(const std::vector<double>& probabilities) const {
    Master master;
    const int scenarios = static_cast<int>(points_.size());
    if (scenarios == 0 || probabilities.size() != points_.size()) return master;
    double largestCost = 1.0;
    for (const auto& seen : points_) {
        if (seen.empty()) return master;
        for (const Point& p : seen) largestCost = std::max(largestCost, std::fabs(p.cost));
    }
    // The cap on the weights: ten times the largest cost seen, far above what
    // pricing one unit of a decision can be worth once the points agree.
    const double cap = 10.0 * largestCost;

    const int n = entries_;
    const int rows = scenarios * (1 + n);
    std::vector<CoinBigIndex> start{0};
    std::vector<int> index;
    std::vector<double> value, objective, lower, upper;
    auto endColumn = [&](double cost, double lo, double up) {
        objective.push_back(cost);
        lower.push_back(lo);
        upper.push_back(up);
        start.push_back(static_cast<CoinBigIndex>(index.size()));
    };
    // Rows: scenario k's convexity row k, its agreement rows scenarios + k*n + j.
    for (int k = 0; k < scenarios; k++)
        for (const Point& p : points_[static_cast<size_t>(k)]) {
            index.push_back(k);
            value.push_back(1.0);
            for (int j = 0; j < n; j++)
                if (p.x[static_cast<size_t>(j)] != 0.0) {
                    index.push_back(scenarios + k * n + j);
                    value.push_back(p.x[static_cast<size_t>(j)]);
                }
            endColumn(probabilities[static_cast<size_t>(k)] * p.cost, 0.0, COIN_DBL_MAX);
        }
    for (int j = 0; j < n; j++) {  // z_j, free
        for (int k = 0; k < scenarios; k++) {
            index.push_back(scenarios + k * n + j);
            value.push_back(-1.0);
        }
        endColumn(0.0, -COIN_DBL_MAX, COIN_DBL_MAX);
    }
    for (int k = 0; k < scenarios; k++)  // u and v, the disagreement the points cannot close yet
        for (int j = 0; j < n; j++)
            for (double sign : {1.0, -1.0}) {
                index.push_back(scenarios + k * n + j);
                value.push_back(sign);
                endColumn(probabilities[static_cast<size_t>(k)] * cap, 0.0, COIN_DBL_MAX);
            }
    std::vector<double> rowBound(static_cast<size_t>(rows), 0.0);
    std::fill(rowBound.begin(), rowBound.begin() + scenarios, 1.0);

    ClpSimplex lp;
    lp.setLogLevel(0);
    const int columns = static_cast<int>(objective.size());
    lp.loadProblem(columns, rows, start.data(), index.data(), value.data(), lower.data(), upper.data(),
                   objective.data(), rowBound.data(), rowBound.data());
    lp.dual();
    if (lp.status() != 0) return master;

    // Clp's duals y make c - A'y the reduced costs; the Lagrangian term of
    // scenario k is then p_k w_k x with w_k = -y_k / p_k.
    const double* y = lp.dualRowSolution();
    master.weights.assign(points_.size(), std::vector<double>(static_cast<size_t>(n), 0.0));
    for (int k = 0; k < scenarios; k++) {
        const double p = probabilities[static_cast<size_t>(k)];
        if (!(p > 0.0)) return Master();
        for (int j = 0; j < n; j++) master.weights[static_cast<size_t>(k)][static_cast<size_t>(j)] =
                                        -y[scenarios + k * n + j] / p;
    }
    // The duals balance up to the LP's tolerance; the bound needs them exact.
    for (int j = 0; j < n; j++) {
        double mean = 0.0;
        for (int k = 0; k < scenarios; k++)
            mean += probabilities[static_cast<size_t>(k)] * master.weights[static_cast<size_t>(k)][static_cast<size_t>(j)];
        double total = 0.0;
        for (double p : probabilities) total += p;
        for (int k = 0; k < scenarios; k++) master.weights[static_cast<size_t>(k)][static_cast<size_t>(j)] -= mean / total;
    }
    master.value = lp.objectiveValue();
    master.solved = true;
    return master;
}
