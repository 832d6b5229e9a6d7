#include "CbcEngine.h"

#include <CbcConfig.h>
#include <CbcModel.hpp>
#include <CbcSolver.hpp>
#include <OsiClpSolverInterface.hpp>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <string>
#include <vector>

#include "ClpEngine.h"
#include "LinearProblem.h"
#include "ListingNumbers.h"
#include "SolutionTransfer.h"

namespace gamsub {

namespace {

double secondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// How a branch and cut ended, in terms of the original objective.
struct MipOutcome {
    bool hasSolution = false, provenOptimal = false, provenInfeasible = false, relaxationInfeasible = false;
    bool unbounded = false, timeLimit = false;
    std::vector<double> x;
    double bestPossible = 0.0;  // the bound, in the objective's own sense
    int iterations = 0, nodes = 0;
};

std::string number(double value) { return formatted("%.6e", value); }

MipOutcome branchAndCut(const LinearProblem& problem, const SolveOptions& options, double objectiveOffset,
                        double sign) {
    OsiClpSolverInterface solver;
    solver.messageHandler()->setLogLevel(0);
    solver.loadProblem(problem.matrix, problem.columnLower.data(), problem.columnUpper.data(),
                       problem.objective.data(), problem.rowLower.data(), problem.rowUpper.data());
    for (int j = 0; j < problem.columnCount(); j++)
        if (problem.integer[j]) solver.setInteger(j);
    CbcModel cbc(solver);
    cbc.setLogLevel(0);
    cbc.messageHandler()->setLogLevel(0);
    // The solver's own parameter set, per call: no state is shared between solves.
    CbcSolverUsefulData data;
    data.noPrinting_ = true;
    data.useSignalHandler_ = false;
    CbcMain0(cbc, data);
    std::string seconds = formatted("%.17g", std::max(0.0, options.reslim));
    std::string ratio = formatted("%.17g", std::max(0.0, options.optcr));
    std::string absolute = formatted("%.17g", std::max(0.0, options.optca));
    std::vector<const char*> args = {"gamsub", "-log",   "0", "-seconds", seconds.c_str(), "-ratioGap", ratio.c_str(),
                                     "-allowableGap", absolute.c_str(), "-solve", "-quit"};
    auto noCallback = [](CbcModel*, int) { return 0; };
    CbcMain1(static_cast<int>(args.size()), args.data(), cbc, noCallback, data);

    MipOutcome outcome;
    outcome.iterations = cbc.getIterationCount();
    outcome.nodes = cbc.getNodeCount();
    outcome.provenOptimal = cbc.isProvenOptimal();
    outcome.provenInfeasible = cbc.isProvenInfeasible();
    outcome.relaxationInfeasible = cbc.isInitialSolveProvenPrimalInfeasible();
    outcome.unbounded = cbc.isContinuousUnbounded() || cbc.secondaryStatus() == 7;
    outcome.timeLimit = cbc.isSecondsLimitReached() || cbc.secondaryStatus() == 4;
    const double* best = cbc.bestSolution();
    outcome.hasSolution = best != nullptr && cbc.getNumCols() == problem.columnCount();
    if (outcome.hasSolution) outcome.x.assign(best, best + problem.columnCount());
    outcome.bestPossible = sign * (cbc.getBestPossibleObjValue() + objectiveOffset);
    return outcome;
}

// The LP with every discrete column fixed at its value: its basis gives the marginals.
SimplexResult finalLp(LinearProblem problem, const std::vector<double>& x, double seconds, long iterations) {
    for (int j = 0; j < problem.columnCount(); j++) {
        if (!problem.integer[j]) continue;
        double value = std::round(x[j]);
        problem.columnLower[j] = problem.columnUpper[j] = value;
    }
    return runSimplex(problem, seconds, iterations);
}

void statusFrom(const MipOutcome& outcome, bool feasible, double gap, SolveStatus& status) {
    status.solverStatus = 1;
    if (outcome.hasSolution && !feasible) {
        status.solverStatus = 4;
        status.modelStatus = 13;
        status.solverMessage = "Error. The integer solution violates the constraints.";
    } else if (outcome.hasSolution) {
        if (outcome.timeLimit) status.solverStatus = 3;
        bool closed = outcome.provenOptimal && gap <= 1e-9 * std::max(1.0, std::fabs(status.objective));
        status.modelStatus = closed ? 1 : 8;
        status.solverMessage = closed ? "Optimal solution. The optimality gap is closed."
                               : outcome.provenOptimal ? "Integer solution. Stopped within the optimality tolerances optcr and optca."
                                                       : "Integer solution. The search stopped before it was finished.";
    } else if (outcome.unbounded) {
        status.modelStatus = 18;
        status.solverMessage = "Unbounded solution. The continuous relaxation is unbounded.";
    } else if (outcome.provenInfeasible || outcome.relaxationInfeasible) {
        status.modelStatus = outcome.relaxationInfeasible ? 19 : 10;
        status.solverMessage = outcome.relaxationInfeasible
                                   ? "Infeasible solution. The continuous relaxation is infeasible."
                                   : "Infeasible solution. No integer solution exists.";
    } else {
        status.solverStatus = outcome.timeLimit ? 3 : 4;
        status.modelStatus = 14;
        status.solverMessage = outcome.timeLimit ? "No solution. The time limit was reached before an integer solution."
                                                 : "No solution. The search stopped before an integer solution.";
    }
}

}  // namespace

void solveWithCbc(ModelInstance& model, CompiledModel& compiled, SolveStatus& status) {
    auto started = std::chrono::steady_clock::now();
    status.solverName = "CBC";
    status.solverLines.push_back(formatted("COIN-OR CBC      Cbc %s, branch and cut on Clp", CBC_VERSION));
    status.solverLines.push_back(" ");
    for (size_t c = 0; c < model.columns.size(); c++) {
        VarKind kind = kindOf(model, static_cast<int>(c));
        if (kind == VarKind::SemiCont || kind == VarKind::SemiInt) {
            transferSolution(model, compiled, compiled.variablesFromColumns(projectedLevels(model)), nullptr);
            status.solverStatus = 6;
            status.modelStatus = 14;
            status.solverMessage = "Error. Semi-continuous and semi-integer variables are not supported.";
            return;
        }
    }
    LinearProblem problem = linearProblem(model, compiled, true);
    std::vector<double> origin(static_cast<size_t>(compiled.variableCount()), 0.0);
    double offset = 0.0;
    compiled.objective(origin.data(), offset);
    MipOutcome outcome = branchAndCut(problem, model.options, offset, compiled.sign());
    status.iterations = outcome.iterations;
    if (outcome.provenInfeasible && !outcome.relaxationInfeasible) {
        // CBC's preprocessing does not say whether the relaxation itself is infeasible: ask the simplex.
        SimplexResult relaxation = runSimplex(problem, std::max(1.0, model.options.reslim - secondsSince(started)),
                                              model.options.iterlim);
        outcome.relaxationInfeasible = relaxation.outcome == SimplexResult::Infeasible;
    }

    if (!outcome.hasSolution) {
        transferSolution(model, compiled, compiled.variablesFromColumns(projectedLevels(model)), nullptr);
        statusFrom(outcome, false, 0.0, status);
        return;
    }
    double remaining = model.options.reslim - secondsSince(started);
    SimplexResult fixed = finalLp(problem, outcome.x, std::max(1.0, remaining), model.options.iterlim);
    if (fixed.outcome == SimplexResult::Optimal) {
        transferSimplexSolution(model, compiled, fixed);
        status.iterations += fixed.iterations;
    } else {
        transferSolution(model, compiled, outcome.x, nullptr);
    }
    double objective = model.objectiveColumn >= 0 ? model.columns[static_cast<size_t>(model.objectiveColumn)].level : 0.0;
    status.objective = objective;
    double gap = std::fabs(objective - outcome.bestPossible);
    statusFrom(outcome, largestViolation(model) <= kInfeasible, gap, status);
    status.solverLines.push_back(formatted("MIP solution:    %16s   (%d nodes, %d iterations)", number(objective).c_str(),
                                           outcome.nodes, outcome.iterations));
    status.solverLines.push_back(formatted("Final LP:        %16s   (%d iterations, discrete columns fixed)",
                                           number(objective).c_str(), fixed.iterations));
    status.solverLines.push_back(formatted("Best possible:   %16s", number(outcome.bestPossible).c_str()));
    status.solverLines.push_back(formatted("Absolute gap:    %16s   (optca %g)", number(gap).c_str(), model.options.optca));
    double relative = gap / std::max(std::fabs(objective), 1e-10);
    status.solverLines.push_back(formatted("Relative gap:    %16s   (optcr %g)", number(relative).c_str(), model.options.optcr));
    status.solverLines.push_back(" ");
}

}  // namespace gamsub
