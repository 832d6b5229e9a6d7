#include "CbcEngine.h"

#include <CbcConfig.h>
#include <CbcBranchActual.hpp>
#include <CbcModel.hpp>
#include <CbcSolver.hpp>
#include <OsiClpSolverInterface.hpp>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <map>
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

// The special ordered sets of the model, by the problem's column numbers: the
// elements of an SOS variable that share all indices but the last, in the
// order the model lists them (the last index's order).
struct OrderedSet {
    int type = 1;  // 1 or 2
    std::vector<int> members;
};

std::vector<OrderedSet> orderedSets(const ModelInstance& model, const CompiledModel& compiled) {
    std::vector<int> problemColumn(model.columns.size(), -1);
    for (int v = 0; v < compiled.variableCount(); v++) problemColumn[static_cast<size_t>(compiled.columnOfVariable(v))] = v;
    std::vector<OrderedSet> sets;
    for (const Block& block : model.varBlocks) {
        if (block.kind != VarKind::Sos1 && block.kind != VarKind::Sos2) continue;
        std::map<std::vector<std::string>, size_t> setOf;  // leading labels -> index in `sets`
        for (int column : block.members) {
            if (problemColumn[static_cast<size_t>(column)] < 0) continue;  // not in the model's equations
            const std::vector<std::string>& labels = model.columns[static_cast<size_t>(column)].labels;
            std::vector<std::string> lead(labels.begin(), labels.end() - (labels.empty() ? 0 : 1));
            auto it = setOf.find(lead);
            if (it == setOf.end()) {
                it = setOf.emplace(lead, sets.size()).first;
                sets.push_back(OrderedSet{block.kind == VarKind::Sos1 ? 1 : 2, {}});
            }
            sets[it->second].members.push_back(problemColumn[static_cast<size_t>(column)]);
        }
    }
    return sets;
}

// Branch and bound over the sets as CBC's SOS objects. CBC's solver driver
// would preprocess the problem without them, so its own search runs here, as is.
void branchOnSets(CbcModel& cbc, const std::vector<OrderedSet>& sets, const SolveOptions& options) {
    cbc.findIntegers(true);
    std::vector<CbcObject*> objects;
    for (size_t k = 0; k < sets.size(); k++) {
        const OrderedSet& set = sets[k];
        std::vector<double> weights(set.members.size());
        for (size_t w = 0; w < weights.size(); w++) weights[w] = static_cast<double>(w + 1);
        objects.push_back(new CbcSOS(&cbc, static_cast<int>(set.members.size()), set.members.data(), weights.data(),
                                     static_cast<int>(k), set.type));
    }
    cbc.addObjects(static_cast<int>(objects.size()), objects.data());
    for (CbcObject* o : objects) delete o;
    cbc.setUseElapsedTime(true);  // reslim is wall-clock time, as for the other engines
    cbc.setMaximumSeconds(std::max(0.0, options.reslim));
    cbc.setAllowableFractionGap(std::max(0.0, options.optcr));
    cbc.setAllowableGap(std::max(0.0, options.optca));
    cbc.initialSolve();
    cbc.branchAndBound();
}

MipOutcome branchAndCut(const LinearProblem& problem, const std::vector<OrderedSet>& sets, const SolveOptions& options,
                        double objectiveOffset, double sign) {
    OsiClpSolverInterface solver;
    solver.messageHandler()->setLogLevel(0);
    solver.loadProblem(problem.matrix, problem.columnLower.data(), problem.columnUpper.data(),
                       problem.objective.data(), problem.rowLower.data(), problem.rowUpper.data());
    for (int j = 0; j < problem.columnCount(); j++)
        if (problem.integer[j]) solver.setInteger(j);
    CbcModel cbc(solver);
    cbc.setLogLevel(0);
    cbc.messageHandler()->setLogLevel(0);
    if (!sets.empty()) {
        branchOnSets(cbc, sets, options);
    } else {
        // The solver's own parameter set, per call: no state is shared between solves.
        CbcSolverUsefulData data;
        data.noPrinting_ = true;
        data.useSignalHandler_ = false;
        CbcMain0(cbc, data);
        std::string seconds = formatted("%.17g", std::max(0.0, options.reslim));
        std::string ratio = formatted("%.17g", std::max(0.0, options.optcr));
        std::string absolute = formatted("%.17g", std::max(0.0, options.optca));
        // CBC counts CPU seconds unless told otherwise; reslim is wall-clock time,
        // as for the other engines (a loaded machine must not stretch it).
        std::vector<const char*> args = {"gamsub", "-log", "0", "-timeMode", "elapsed", "-seconds", seconds.c_str(),
                                         "-ratioGap", ratio.c_str(), "-allowableGap", absolute.c_str(), "-solve", "-quit"};
        auto noCallback = [](CbcModel*, int) { return 0; };
        CbcMain1(static_cast<int>(args.size()), args.data(), cbc, noCallback, data);
    }

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

// The LP with every discrete column fixed at its value, and the members of an
// ordered set that are zero fixed at zero: its basis gives the marginals.
SimplexResult finalLp(LinearProblem problem, const std::vector<OrderedSet>& sets, const std::vector<double>& x,
                      double seconds, long iterations) {
    for (int j = 0; j < problem.columnCount(); j++) {
        if (!problem.integer[j]) continue;
        double value = std::round(x[j]);
        problem.columnLower[j] = problem.columnUpper[j] = value;
    }
    for (const OrderedSet& set : sets)
        for (int j : set.members)
            if (std::fabs(x[static_cast<size_t>(j)]) <= 1e-9) problem.columnLower[j] = problem.columnUpper[j] = 0.0;
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
    std::vector<OrderedSet> sets = orderedSets(model, compiled);
    MipOutcome outcome = branchAndCut(problem, sets, model.options, offset, compiled.sign());
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
    SimplexResult fixed = finalLp(problem, sets, outcome.x, std::max(1.0, remaining), model.options.iterlim);
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
