#include "ActiveSetPolish.h"

#include <Eigen/SparseCore>
#include <Eigen/SparseLU>

#include <algorithm>
#include <cmath>

#include "ClpEngine.h"

namespace gamsub {

namespace {

// A bound's value as the polished point takes it: the finite bound nearest to
// the simplex's value (a nonbasic element sits on one of them).
bool activeBound(double value, double lower, double upper, double& bound) {
    bool finiteLower = lower > -1e30, finiteUpper = upper < 1e30;
    if (!finiteLower && !finiteUpper) return false;
    if (finiteLower && (!finiteUpper || std::fabs(value - lower) <= std::fabs(value - upper))) bound = lower;
    else bound = upper;
    return true;
}

bool within(double value, double lower, double upper, double tolerance) {
    return value >= lower - tolerance * (1.0 + std::fabs(lower)) && value <= upper + tolerance * (1.0 + std::fabs(upper));
}

// How far the polished point may lie from the simplex's (relative): farther
// means the system did not describe the simplex's optimum.
constexpr double kNearby = 1e-6;
// How far outside a bound the polished point may lie (relative).
constexpr double kBoundSlack = 1e-9;

}  // namespace

bool polishOnActiveSet(const LinearProblem& problem, const QuadraticObjective* quadratic, ActiveSetPoint& point) {
    const int n = problem.columnCount(), m = problem.rowCount();
    if (point.x.size() != static_cast<size_t>(n) || point.rowActivity.size() != static_cast<size_t>(m)) return false;
    // Unknowns: the free columns' values, then the active rows' multipliers.
    std::vector<int> unknownOfColumn(static_cast<size_t>(n), -1), unknownOfRow(static_cast<size_t>(m), -1);
    std::vector<double> x(point.x);
    int unknowns = 0;
    for (int j = 0; j < n; j++) {
        if (point.columnNonbasic[j]) {
            if (!activeBound(point.x[j], problem.columnLower[j], problem.columnUpper[j], x[j])) return false;
        } else {
            unknownOfColumn[j] = unknowns++;
        }
    }
    std::vector<double> rowTarget(static_cast<size_t>(m), 0.0);
    for (int i = 0; i < m; i++) {
        if (!point.rowNonbasic[i]) continue;
        if (!activeBound(point.rowActivity[i], problem.rowLower[i], problem.rowUpper[i], rowTarget[i])) return false;
        unknownOfRow[i] = unknowns++;
    }
    if (unknowns == 0) return false;

    // Stationarity of the free columns: H_FF x_F - A_RF' y_R = -c_F - H_FN x_N;
    // the active rows: A_RF x_F = b_R - A_RN x_N.
    std::vector<Eigen::Triplet<double>> entries;
    Eigen::VectorXd rhs = Eigen::VectorXd::Zero(unknowns);
    for (int j = 0; j < n; j++)
        if (unknownOfColumn[j] >= 0) rhs[unknownOfColumn[j]] = -problem.objective[j];
    for (int i = 0; i < m; i++)
        if (unknownOfRow[i] >= 0) rhs[unknownOfRow[i]] = rowTarget[i];
    auto hessianEntry = [&](int r, int c, double value) {
        if (unknownOfColumn[r] < 0) return;
        if (unknownOfColumn[c] >= 0) entries.emplace_back(unknownOfColumn[r], unknownOfColumn[c], value);
        else rhs[unknownOfColumn[r]] -= value * x[c];
    };
    if (quadratic) {
        for (size_t e = 0; e < quadratic->values.size(); e++) {
            int r = quadratic->rows[e], c = quadratic->columns[e];
            hessianEntry(r, c, quadratic->values[e]);
            if (r != c) hessianEntry(c, r, quadratic->values[e]);
        }
    }
    const CoinPackedMatrix& a = problem.matrix;
    CoinPackedMatrix byColumn;
    const CoinPackedMatrix* columns = &a;
    if (!a.isColOrdered()) {
        byColumn.reverseOrderedCopyOf(a);
        columns = &byColumn;
    }
    const CoinBigIndex* starts = columns->getVectorStarts();
    const int* lengths = columns->getVectorLengths();
    const int* rows = columns->getIndices();
    const double* values = columns->getElements();
    for (int j = 0; j < n && j < columns->getNumCols(); j++) {
        for (CoinBigIndex k = starts[j]; k < starts[j] + lengths[j]; k++) {
            int i = rows[k];
            if (i < 0 || i >= m || unknownOfRow[i] < 0) continue;
            if (unknownOfColumn[j] >= 0) {
                entries.emplace_back(unknownOfColumn[j], unknownOfRow[i], -values[k]);
                entries.emplace_back(unknownOfRow[i], unknownOfColumn[j], values[k]);
            } else {
                rhs[unknownOfRow[i]] -= values[k] * x[j];
            }
        }
    }
    Eigen::SparseMatrix<double> kkt(unknowns, unknowns);
    kkt.setFromTriplets(entries.begin(), entries.end());
    kkt.makeCompressed();
    Eigen::SparseLU<Eigen::SparseMatrix<double>, Eigen::COLAMDOrdering<int>> lu;
    lu.compute(kkt);
    if (lu.info() != Eigen::Success) return false;
    Eigen::VectorXd solution = lu.solve(rhs);
    if (lu.info() != Eigen::Success || !solution.allFinite()) return false;
    // A nearly singular system solves to noise: the residual tells.
    double residual = (kkt * solution - rhs).lpNorm<Eigen::Infinity>();
    if (residual > 1e-9 * (1.0 + rhs.lpNorm<Eigen::Infinity>() + solution.lpNorm<Eigen::Infinity>())) return false;

    for (int j = 0; j < n; j++) {
        if (unknownOfColumn[j] < 0) continue;
        x[j] = solution[unknownOfColumn[j]];
        if (!within(x[j], problem.columnLower[j], problem.columnUpper[j], kBoundSlack)) return false;
        if (std::fabs(x[j] - point.x[j]) > kNearby * (1.0 + std::fabs(point.x[j]))) return false;
        x[j] = std::min(std::max(x[j], problem.columnLower[j]), problem.columnUpper[j]);
    }
    std::vector<double> y(static_cast<size_t>(m), 0.0), activity(static_cast<size_t>(m), 0.0);
    for (int i = 0; i < m; i++)
        if (unknownOfRow[i] >= 0) y[i] = solution[unknownOfRow[i]];
    // Reduced costs d = c + Hx - A'y, and the rows' activities at the new point.
    std::vector<double> d(problem.objective);
    if (quadratic) {
        for (size_t e = 0; e < quadratic->values.size(); e++) {
            int r = quadratic->rows[e], c = quadratic->columns[e];
            d[r] += quadratic->values[e] * x[c];
            if (r != c) d[c] += quadratic->values[e] * x[r];
        }
    }
    for (int j = 0; j < n && j < columns->getNumCols(); j++) {
        for (CoinBigIndex k = starts[j]; k < starts[j] + lengths[j]; k++) {
            int i = rows[k];
            if (i < 0 || i >= m) continue;
            d[j] -= values[k] * y[i];
            activity[i] += values[k] * x[j];
        }
    }
    for (int i = 0; i < m; i++)
        if (unknownOfRow[i] < 0 && !within(activity[i], problem.rowLower[i], problem.rowUpper[i], kBoundSlack))
            return false;
    for (int j = 0; j < n; j++)
        if (unknownOfColumn[j] >= 0) d[j] = 0.0;  // stationary by construction
    point.x = std::move(x);
    point.rowActivity = std::move(activity);
    point.rowDuals = std::move(y);
    point.reducedCosts = std::move(d);
    return true;
}

}  // namespace gamsub
