#include "ClpEngine.h"

#include <ClpConfig.h>
#include <ClpSimplex.hpp>
#include <CoinFinite.hpp>

#include <algorithm>
#include <climits>
#include <cmath>
#include <map>

#include <Eigen/Eigenvalues>

#include "ActiveSetPolish.h"
#include "ListingNumbers.h"
#include "PhaseTimes.h"
#include "SolutionTransfer.h"
#include "WarmStarts.h"

namespace gamsub {

namespace {

// A dual value this small against the problem's coefficients is rounding noise.
constexpr double kZeroMarginal = 1e-9;

bool nonbasic(ClpSimplex::Status s) { return s != ClpSimplex::basic && s != ClpSimplex::superBasic; }

double largestMagnitude(const std::vector<double>& values) {
    double largest = 0.0;
    for (double v : values) largest = std::max(largest, std::fabs(v));
    return largest;
}

double cleaned(double value, double scale) { return std::fabs(value) <= kZeroMarginal * (1.0 + scale) ? 0.0 : value; }

// A kept status against this solve's bounds (only the numbers may have
// changed since): a nonbasic element goes onto the bound it named, or onto the
// other one when that bound is gone; any other stays where it was, within bounds.
ClpSimplex::Status startStatus(unsigned char kept, double lower, double upper, double& value) {
    auto status = static_cast<ClpSimplex::Status>(kept);
    bool finiteLower = lower > -COIN_DBL_MAX, finiteUpper = upper < COIN_DBL_MAX;
    if (status == ClpSimplex::isFixed) status = lower == upper ? ClpSimplex::isFixed : ClpSimplex::atLowerBound;
    if (status == ClpSimplex::atLowerBound && !finiteLower && finiteUpper) status = ClpSimplex::atUpperBound;
    if (status == ClpSimplex::atUpperBound && !finiteUpper && finiteLower) status = ClpSimplex::atLowerBound;
    switch (status) {
        case ClpSimplex::isFixed:
        case ClpSimplex::atLowerBound:
            if (finiteLower) {
                value = lower;
                return status;
            }
            break;
        case ClpSimplex::atUpperBound:
            if (finiteUpper) {
                value = upper;
                return status;
            }
            break;
        case ClpSimplex::basic: break;
        default: status = ClpSimplex::superBasic; break;
    }
    value = std::min(std::max(value, lower), upper);
    return status == ClpSimplex::basic ? status : ClpSimplex::superBasic;
}

}  // namespace

SimplexResult runSimplex(const LinearProblem& problem, double seconds, long iterations) {
    return runSimplex(problem, seconds, iterations, nullptr, nullptr, nullptr);
}

SimplexResult runSimplex(const LinearProblem& problem, double seconds, long iterations,
                         const QuadraticObjective* quadratic, const WarmStart* start, WarmStart* end) {
    PhaseClock clock;
    ClpSimplex simplex;
    simplex.setLogLevel(0);
    simplex.messageHandler()->setLogLevel(0);
    simplex.loadProblem(problem.matrix, problem.columnLower.data(), problem.columnUpper.data(),
                        problem.objective.data(), problem.rowLower.data(), problem.rowUpper.data());
    int n = problem.columnCount(), m = problem.rowCount();
    if (quadratic) {
        // Clp takes the lower triangle by column: per column j the rows i >= j.
        CoinPackedMatrix h(true, quadratic->rows.data(), quadratic->columns.data(), quadratic->values.data(),
                           static_cast<CoinBigIndex>(quadratic->values.size()));
        h.setDimensions(n, n);
        simplex.loadQuadraticObjective(h);
    }
    if (start && start->columnStatus.size() == static_cast<size_t>(n) &&
        start->rowStatus.size() == static_cast<size_t>(m)) {
        double* x = simplex.primalColumnSolution();
        double* r = simplex.primalRowSolution();
        for (int j = 0; j < n; j++) {
            x[j] = start->columnValues[j];
            simplex.setColumnStatus(j, startStatus(start->columnStatus[j], problem.columnLower[j],
                                                   problem.columnUpper[j], x[j]));
        }
        for (int i = 0; i < m; i++) {
            r[i] = start->rowValues[i];
            simplex.setRowStatus(i, startStatus(start->rowStatus[i], problem.rowLower[i], problem.rowUpper[i], r[i]));
        }
    }
    simplex.setMaximumSeconds(std::max(0.0, seconds));
    simplex.setMaximumIterations(static_cast<int>(std::min<long>(iterations, INT_MAX)));
    auto started = std::chrono::steady_clock::now();
    clock.lap(&PhaseTimes::engineSetup);
    // The quadratic objective needs the primal simplex (Clp's reduced gradient
    // steps between vertices); an LP goes through presolve and the dual
    // simplex, or, given a start, straight to the dual simplex.
    if (quadratic) simplex.primal();
    else if (start) simplex.dual();
    else simplex.initialSolve();
    double used = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    clock.lap(&PhaseTimes::engineSolve);

    SimplexResult result;
    result.iterations = simplex.numberIterations();
    switch (simplex.status()) {
        case 0: result.outcome = SimplexResult::Optimal; break;
        case 1: result.outcome = SimplexResult::Infeasible; break;
        case 2: result.outcome = SimplexResult::Unbounded; break;
        case 3: result.outcome = used >= seconds ? SimplexResult::TimeLimit : SimplexResult::IterationLimit; break;
        default: result.outcome = SimplexResult::Failed; break;
    }
    const double* x = simplex.primalColumnSolution();
    const double* y = simplex.dualRowSolution();
    const double* d = simplex.dualColumnSolution();
    result.x.assign(x, x + n);
    result.rowDuals.assign(y, y + m);
    result.reducedCosts.assign(d, d + n);
    for (int j = 0; j < n; j++) result.columnNonbasic.push_back(nonbasic(simplex.getColumnStatus(j)) ? 1 : 0);
    for (int i = 0; i < m; i++) result.rowNonbasic.push_back(nonbasic(simplex.getRowStatus(i)) ? 1 : 0);
    if (result.outcome == SimplexResult::Optimal) {
        // The optimum to the last digits from the final active set, whatever the start.
        const double* activity = simplex.primalRowSolution();
        ActiveSetPoint point{result.x, std::vector<double>(activity, activity + m), result.rowDuals,
                             result.reducedCosts, result.columnNonbasic, result.rowNonbasic};
        if (polishOnActiveSet(problem, quadratic, point)) {
            result.x = std::move(point.x);
            result.rowDuals = std::move(point.rowDuals);
            result.reducedCosts = std::move(point.reducedCosts);
        }
    }
    if (end && result.outcome == SimplexResult::Optimal) {
        end->columnValues = result.x;
        const double* r = simplex.primalRowSolution();
        end->rowValues.assign(r, r + m);
        for (int j = 0; j < n; j++) end->columnStatus.push_back(static_cast<unsigned char>(simplex.getColumnStatus(j)));
        for (int i = 0; i < m; i++) end->rowStatus.push_back(static_cast<unsigned char>(simplex.getRowStatus(i)));
    }
    clock.lap(&PhaseTimes::engineTransfer);
    return result;
}

void transferSimplexSolution(ModelInstance& model, CompiledModel& compiled, const SimplexResult& result) {
    transferSolution(model, compiled, result.x, nullptr);
    // GAMS marginals: the objective's change per unit of a bound or right-hand
    // side; the simplex minimised sign * objective.
    double sign = compiled.sign();
    double rowScale = largestMagnitude(result.rowDuals), columnScale = largestMagnitude(result.reducedCosts);
    for (int k = 0; k < compiled.constraintCount() && static_cast<size_t>(k) < result.rowDuals.size(); k++) {
        Row& row = model.rows[static_cast<size_t>(compiled.rowOfConstraint(k))];
        row.marginal = sign * cleaned(result.rowDuals[k], rowScale) + 0.0;
        row.nonbasic = result.rowNonbasic[k] != 0;
    }
    for (int v = 0; v < compiled.variableCount() && static_cast<size_t>(v) < result.reducedCosts.size(); v++) {
        Column& column = model.columns[static_cast<size_t>(compiled.columnOfVariable(v))];
        column.marginal = result.columnNonbasic[v] ? sign * cleaned(result.reducedCosts[v], columnScale) + 0.0 : 0.0;
        column.nonbasic = result.columnNonbasic[v] != 0;
    }
}

namespace {

// Statuses and message of a finished simplex solve; the solution is in the model.
void simplexStatus(const ModelInstance& model, const SimplexResult& result, const char* optimalMessage,
                   SolveStatus& status) {
    status.iterations = result.iterations;
    bool feasible = largestViolation(model) <= kInfeasible;
    status.solverStatus = 1;
    switch (result.outcome) {
        case SimplexResult::Optimal:
            status.modelStatus = 1;
            status.solverMessage = optimalMessage;
            break;
        case SimplexResult::Infeasible:
            status.modelStatus = 4;
            status.solverMessage = "Infeasible solution. The problem is primal infeasible.";
            break;
        case SimplexResult::Unbounded:
            status.modelStatus = 3;
            status.solverMessage = "Unbounded solution. The problem is dual infeasible.";
            break;
        case SimplexResult::IterationLimit:
        case SimplexResult::TimeLimit:
            status.solverStatus = result.outcome == SimplexResult::TimeLimit ? 3 : 2;
            status.modelStatus = feasible ? 7 : 6;
            status.solverMessage = std::string(feasible ? "Feasible solution. " : "Infeasible solution. ") +
                                   (result.outcome == SimplexResult::TimeLimit ? "The time limit was reached."
                                                                               : "The iteration limit was reached.");
            break;
        case SimplexResult::Failed:
            status.solverStatus = 13;
            status.modelStatus = 13;
            status.solverMessage = "Error. Clp stopped on numerical difficulties.";
            break;
    }
}

// The largest block of the objective's Hessian (variables linked by its
// entries) whose semidefiniteness is checked densely.
constexpr int kLargestDenseHessian = 400;

// The structure a warm start belongs to: sizes, Jacobian and Hessian positions.
std::uint64_t structureOf(const CompiledModel& compiled) {
    std::uint64_t h = shapeHash(static_cast<std::uint64_t>(compiled.variableCount()) * 1000003ULL +
                                    static_cast<std::uint64_t>(compiled.constraintCount()),
                                compiled.jacobianRows());
    h = shapeHash(h, compiled.jacobianColumns());
    h = shapeHash(h, compiled.hessianRows());
    return shapeHash(h, compiled.hessianColumns());
}

}  // namespace

void solveWithClp(ModelInstance& model, CompiledModel& compiled, SolveStatus& status) {
    PhaseClock clock;
    status.solverName = "CLP";
    status.solverLines.push_back(formatted("COIN-OR CLP      Clp %s, dual simplex after presolve", CLP_VERSION));
    status.solverLines.push_back(" ");
    LinearProblem problem = linearProblem(model, compiled, false);
    clock.lap(&PhaseTimes::engineSetup);
    SimplexResult result = runSimplex(problem, model.options.reslim, model.options.iterlim);
    clock = PhaseClock();
    transferSimplexSolution(model, compiled, result);
    simplexStatus(model, result, "Optimal solution. The simplex method found an optimal basis.", status);
    clock.lap(&PhaseTimes::engineTransfer);
}

namespace {

int rootOf(std::vector<int>& parent, int v) {
    while (parent[static_cast<size_t>(v)] != v) {
        parent[static_cast<size_t>(v)] = parent[static_cast<size_t>(parent[static_cast<size_t>(v)])];
        v = parent[static_cast<size_t>(v)];
    }
    return v;
}

// True when the symmetric matrix with the given lower-triangle entries over
// `members` is positive semidefinite (rounding allowed for).
bool semidefinite(const QuadraticObjective& q, const std::vector<size_t>& entries, const std::vector<int>& members) {
    int k = static_cast<int>(members.size());
    if (k > kLargestDenseHessian) return false;
    std::map<int, int> local;
    for (int i = 0; i < k; i++) local[members[static_cast<size_t>(i)]] = i;
    Eigen::MatrixXd h = Eigen::MatrixXd::Zero(k, k);
    double largest = 0.0;
    for (size_t e : entries) {
        int r = local.at(q.rows[e]), c = local.at(q.columns[e]);
        h(r, c) += q.values[e];
        if (r != c) h(c, r) += q.values[e];
        largest = std::max(largest, std::fabs(q.values[e]));
    }
    if (k == 1) return h(0, 0) >= 0.0;
    Eigen::SelfAdjointEigenSolver<Eigen::MatrixXd> eigen(h, Eigen::EigenvaluesOnly);
    if (eigen.info() != Eigen::Success) return false;
    // Rounding in the eigenvalues is about k * eps * |H|; anything more negative is real.
    return eigen.eigenvalues().minCoeff() >= -1e-12 * k * largest;
}

}  // namespace

bool convexQuadratic(CompiledModel& compiled, QuadraticObjective& quadratic) {
    if (compiled.linear() || !compiled.constantHessian()) return false;
    int n = compiled.variableCount();
    std::vector<double> origin(static_cast<size_t>(n), 0.0);
    std::vector<double> noMultipliers(static_cast<size_t>(compiled.constraintCount()), 0.0);
    std::vector<double> values(compiled.hessianRows().size(), 0.0);
    if (!compiled.lagrangianHessian(origin.data(), 1.0, noMultipliers.data(), values.data())) return false;
    QuadraticObjective q;
    std::vector<int> parent(static_cast<size_t>(n));
    for (int v = 0; v < n; v++) parent[static_cast<size_t>(v)] = v;
    for (size_t e = 0; e < values.size(); e++) {
        if (values[e] == 0.0) continue;
        if (!std::isfinite(values[e])) return false;
        int r = compiled.hessianRows()[e], c = compiled.hessianColumns()[e];
        q.rows.push_back(std::max(r, c));
        q.columns.push_back(std::min(r, c));
        q.values.push_back(values[e]);
        parent[static_cast<size_t>(rootOf(parent, r))] = rootOf(parent, c);
    }
    if (q.values.empty()) return false;
    // H is semidefinite when each of its independent blocks is (a separable
    // proximal term: one 1 x 1 block per variable).
    std::map<int, std::vector<size_t>> blockEntries;
    std::map<int, std::vector<int>> blockMembers;
    std::vector<char> seen(static_cast<size_t>(n), 0);
    for (size_t e = 0; e < q.values.size(); e++) {
        int root = rootOf(parent, q.rows[e]);
        blockEntries[root].push_back(e);
        for (int v : {q.rows[e], q.columns[e]})
            if (!seen[static_cast<size_t>(v)]) {
                seen[static_cast<size_t>(v)] = 1;
                blockMembers[root].push_back(v);
            }
    }
    for (const auto& [root, entries] : blockEntries)
        if (!semidefinite(q, entries, blockMembers[root])) return false;
    quadratic = std::move(q);
    return true;
}

void solveWithClpQuadratic(ModelInstance& model, CompiledModel& compiled, const QuadraticObjective& quadratic,
                           SolveStatus& status) {
    PhaseClock clock;
    status.solverName = "CLP";
    status.solverLines.push_back(
        formatted("COIN-OR CLP      Clp %s, primal simplex with the quadratic objective", CLP_VERSION));
    status.solverLines.push_back(" ");
    LinearProblem problem = linearProblem(model, compiled, false);
    std::uint64_t structure = structureOf(compiled);
    const WarmStart* start = recallWarmStart(structure);
    WarmStart end;
    end.structure = structure;
    clock.lap(&PhaseTimes::engineSetup);
    SimplexResult result = runSimplex(problem, model.options.reslim, model.options.iterlim, &quadratic, start,
                                      keepingWarmStarts() ? &end : nullptr);
    clock = PhaseClock();
    if (result.outcome == SimplexResult::Optimal) rememberWarmStart(std::move(end));
    transferSimplexSolution(model, compiled, result);
    simplexStatus(model, result, "Optimal solution. The convex quadratic program is solved.", status);
    clock.lap(&PhaseTimes::engineTransfer);
}

}  // namespace gamsub
