#include "SolutionTransfer.h"

#include <algorithm>
#include <cmath>

namespace gamsub {

namespace {

// `scale`: the size of the terms that make up `value` (a row's sum of
// products cancels to far less than its terms' rounding).
bool onBound(double value, double bound, double scale) {
    return std::isfinite(bound) && std::fabs(value - bound) <= kOnBound * (1.0 + std::fabs(bound) + scale);
}

double snapped(double value, double lower, double upper, double scale = 0.0) {
    if (onBound(value, lower, scale)) return lower;
    if (onBound(value, upper, scale)) return upper;
    return value;
}

// Ipopt's Lagrangian F + lambda' g at x, or NaN where it cannot be evaluated.
double lagrangian(CompiledModel& compiled, const std::vector<double>& x, const std::vector<double>& lambda) {
    double value = 0.0;
    std::vector<double> g(static_cast<size_t>(compiled.constraintCount()));
    if (!compiled.objective(x.data(), value) || !compiled.constraints(x.data(), g.data())) return std::nan("");
    for (size_t k = 0; k < g.size() && k < lambda.size(); k++) value += lambda[k] * g[k];
    return value;
}

}  // namespace

double oneSidedReducedCost(CompiledModel& compiled, const std::vector<double>& x, const std::vector<double>& lambda,
                           int v, double lower, double upper) {
    size_t at = static_cast<size_t>(v);
    double step = 1e-8 * std::max(1.0, std::fabs(x.at(at)));
    // Into the bounds; a variable fixed there steps up, the side GAMS's fixed levels are read from.
    double direction = x[at] + step <= upper || x[at] - step < lower ? 1.0 : -1.0;
    std::vector<double> moved = x;
    moved[at] += direction * step;
    double here = lagrangian(compiled, x, lambda), there = lagrangian(compiled, moved, lambda);
    return (there - here) / (direction * step);
}

bool reducedCosts(CompiledModel& compiled, const std::vector<double>& x, const std::vector<double>& lambda,
                  const std::vector<double>& lower, const std::vector<double>& upper, std::vector<double>& reduced,
                  std::vector<double>& size) {
    size_t n = x.size();
    reduced.assign(n, 0.0);
    size.assign(n, 0.0);
    if (!compiled.objectiveGradient(x.data(), reduced.data())) return false;
    for (size_t v = 0; v < n; v++) size[v] = std::fabs(reduced[v]);
    std::vector<double> jacobian(compiled.jacobianRows().size());
    if (!compiled.jacobian(x.data(), jacobian.data())) return false;
    for (size_t e = 0; e < jacobian.size(); e++) {
        double multiplier = lambda[compiled.jacobianRows()[e]];
        if (multiplier == 0.0) continue;  // a row without weight adds nothing, even where its derivative is infinite
        double term = multiplier * jacobian[e];
        reduced[compiled.jacobianColumns()[e]] += term;
        size[compiled.jacobianColumns()[e]] += std::fabs(term);
    }
    // Only a held variable's entry can be infinite or undefined (the model
    // checked the rest). An infinite one stays: no finite multiplier offsets
    // it. An undefined one (0 * inf, inf - inf) is measured one-sidedly.
    for (size_t v = 0; v < n; v++) {
        if (!std::isnan(reduced[v])) continue;
        reduced[v] = oneSidedReducedCost(compiled, x, lambda, static_cast<int>(v), lower.at(v), upper.at(v));
        size[v] = std::fabs(reduced[v]);
        if (!std::isfinite(reduced[v])) return false;
    }
    return true;
}

void setRowBounds(ModelInstance& model, const CompiledModel& compiled) {
    for (size_t r = 0; r < model.rows.size(); r++) {
        Row& row = model.rows[r];
        double rhs = -compiled.rowConstant(static_cast<int>(r));
        row.lower = row.type == RowType::L ? -kInf : rhs;
        row.upper = row.type == RowType::G ? kInf : rhs;
    }
}

std::vector<double> projectedLevels(const ModelInstance& model) {
    std::vector<double> levels(model.columns.size());
    for (size_t c = 0; c < levels.size(); c++) {
        const Column& column = model.columns[c];
        levels[c] = std::max(column.lower, std::min(column.upper, column.level));
    }
    return levels;
}

bool transferSolution(ModelInstance& model, CompiledModel& compiled, const std::vector<double>& x,
                      const std::vector<double>* multipliers) {
    std::vector<double> levels = projectedLevels(model);
    for (int v = 0; v < compiled.variableCount(); v++) {
        const Column& column = model.columns[compiled.columnOfVariable(v)];
        levels[compiled.columnOfVariable(v)] = snapped(x[v], column.lower, column.upper);
    }
    std::vector<double> activity, magnitude;
    bool defined = compiled.rowActivities(levels, activity, magnitude);
    int defining = compiled.substitutedRow();
    if (defining >= 0) {
        // The eliminated objective variable takes the value its equation gives it.
        double a = compiled.substitutedCoefficient();
        int objective = model.objectiveColumn;
        double rest = activity[defining] - a * levels[objective];
        levels[objective] = -(rest + compiled.rowConstant(defining)) / a;
        activity[defining] = rest + a * levels[objective];
    }
    for (size_t c = 0; c < levels.size(); c++) {
        model.columns[c].level = levels[c];
        model.columns[c].marginal = 0.0;
    }
    for (size_t r = 0; r < model.rows.size(); r++) {
        Row& row = model.rows[r];
        row.level = snapped(activity[r], row.lower, row.upper, magnitude[r]);
        row.marginal = 0.0;
    }
    if (defining >= 0) model.rows[defining].marginal = 1.0 / compiled.substitutedCoefficient();
    if (multipliers == nullptr || multipliers->size() != static_cast<size_t>(compiled.constraintCount()))
        return defined;
    const std::vector<double>& lambda = *multipliers;

    // GAMS marginals: the objective's change per unit of a bound or right-hand
    // side. Ipopt minimises sign * objective with multipliers of that problem.
    double sign = compiled.sign();
    double largestMultiplier = 0.0;
    for (double l : lambda) largestMultiplier = std::max(largestMultiplier, std::fabs(l));
    for (int k = 0; k < compiled.constraintCount(); k++) {
        Row& row = model.rows[compiled.rowOfConstraint(k)];
        bool active = row.type == RowType::E || row.level == row.lower || row.level == row.upper;
        bool noise = std::fabs(lambda[k]) <= 1e-12 * (1.0 + largestMultiplier);
        row.marginal = active && !noise ? -sign * lambda[k] : 0.0;
    }
    std::vector<double> reduced, size, lower, upper;
    for (int v = 0; v < compiled.variableCount(); v++) {
        lower.push_back(model.columns[compiled.columnOfVariable(v)].lower);
        upper.push_back(model.columns[compiled.columnOfVariable(v)].upper);
    }
    if (!reducedCosts(compiled, x, lambda, lower, upper, reduced, size)) return false;
    for (int v = 0; v < compiled.variableCount(); v++) {
        Column& column = model.columns[compiled.columnOfVariable(v)];
        // Variables strictly between their bounds are basic: zero marginal.
        bool atBound = column.level == column.lower || column.level == column.upper;
        bool noise = std::isfinite(reduced[v]) && std::fabs(reduced[v]) <= 1e-9 * size[v];
        column.marginal = atBound && !noise ? sign * reduced[v] : 0.0;
    }
    return defined;
}

}  // namespace gamsub
