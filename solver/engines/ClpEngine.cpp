#include "ClpEngine.h"

#include <ClpConfig.h>
#include <ClpSimplex.hpp>

#include <algorithm>
#include <climits>
#include <cmath>

#include "ListingNumbers.h"
#include "SolutionTransfer.h"

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

}  // namespace

SimplexResult runSimplex(const LinearProblem& problem, double seconds, long iterations) {
    ClpSimplex simplex;
    simplex.setLogLevel(0);
    simplex.messageHandler()->setLogLevel(0);
    simplex.loadProblem(problem.matrix, problem.columnLower.data(), problem.columnUpper.data(),
                        problem.objective.data(), problem.rowLower.data(), problem.rowUpper.data());
    simplex.setMaximumSeconds(std::max(0.0, seconds));
    simplex.setMaximumIterations(static_cast<int>(std::min<long>(iterations, INT_MAX)));
    auto started = std::chrono::steady_clock::now();
    simplex.initialSolve();
    double used = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();

    SimplexResult result;
    result.iterations = simplex.numberIterations();
    switch (simplex.status()) {
        case 0: result.outcome = SimplexResult::Optimal; break;
        case 1: result.outcome = SimplexResult::Infeasible; break;
        case 2: result.outcome = SimplexResult::Unbounded; break;
        case 3: result.outcome = used >= seconds ? SimplexResult::TimeLimit : SimplexResult::IterationLimit; break;
        default: result.outcome = SimplexResult::Failed; break;
    }
    int n = problem.columnCount(), m = problem.rowCount();
    const double* x = simplex.primalColumnSolution();
    const double* y = simplex.dualRowSolution();
    const double* d = simplex.dualColumnSolution();
    result.x.assign(x, x + n);
    result.rowDuals.assign(y, y + m);
    result.reducedCosts.assign(d, d + n);
    for (int j = 0; j < n; j++) result.columnNonbasic.push_back(nonbasic(simplex.getColumnStatus(j)) ? 1 : 0);
    for (int i = 0; i < m; i++) result.rowNonbasic.push_back(nonbasic(simplex.getRowStatus(i)) ? 1 : 0);
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

void solveWithClp(ModelInstance& model, CompiledModel& compiled, SolveStatus& status) {
    status.solverName = "CLP";
    status.solverLines.push_back(formatted("COIN-OR CLP      Clp %s, dual simplex after presolve", CLP_VERSION));
    status.solverLines.push_back(" ");
    LinearProblem problem = linearProblem(model, compiled, false);
    SimplexResult result = runSimplex(problem, model.options.reslim, model.options.iterlim);
    status.iterations = result.iterations;
    transferSimplexSolution(model, compiled, result);
    bool feasible = largestViolation(model) <= kInfeasible;
    status.solverStatus = 1;
    switch (result.outcome) {
        case SimplexResult::Optimal:
            status.modelStatus = 1;
            status.solverMessage = "Optimal solution. The simplex method found an optimal basis.";
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

}  // namespace gamsub
