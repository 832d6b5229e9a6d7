#include "BonminEngine.h"

#include <BonBonminSetup.hpp>
#include <BonCbc.hpp>
#include <BonminConfig.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstring>
#include <sstream>

#include "BonminAdapter.h"
#include "IpoptEngine.h"
#include "IsolatedRun.h"
#include "LinearProblem.h"
#include "ListingNumbers.h"
#include "SolutionTransfer.h"

namespace gamsub {

namespace {

double secondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

struct MinlpOutcome {
    Bonmin::Bab::MipStatuses status = Bonmin::Bab::NoSolutionKnown;
    std::vector<double> x;
    double bestPossible = 0.0;  // in the objective's own sense
    int nodes = 0, iterations = 0;
    bool timeLimit = false;
    double callbackSeconds = 0.0;
};

void setOptions(Bonmin::BonminSetup& setup, const SolveOptions& limits) {
    Ipopt::SmartPtr<Ipopt::OptionsList> options = setup.options();
    options->SetStringValue("bonmin.algorithm", "B-BB");
    options->SetNumericValue("bonmin.time_limit", std::max(0.0, limits.reslim));
    options->SetNumericValue("bonmin.allowable_fraction_gap", std::max(0.0, limits.optcr));
    options->SetNumericValue("bonmin.allowable_gap", std::max(0.0, limits.optca));
    options->SetIntegerValue("bonmin.bb_log_level", 0);
    options->SetIntegerValue("bonmin.nlp_log_level", 0);
    options->SetIntegerValue("bonmin.lp_log_level", 0);
    options->SetIntegerValue("bonmin.milp_log_level", 0);
    options->SetIntegerValue("print_level", 0);
    options->SetStringValue("sb", "yes");
}

MinlpOutcome branchAndBound(const ModelInstance& model, CompiledModel& compiled) {
    std::vector<double> lower, upper, start;
    std::vector<char> integer;
    std::vector<double> levels = projectedLevels(model);
    for (int v = 0; v < compiled.variableCount(); v++) {
        int column = compiled.columnOfVariable(v);
        VarKind kind = kindOf(model, column);
        lower.push_back(model.columns[column].lower);
        upper.push_back(model.columns[column].upper);
        start.push_back(levels[column]);
        integer.push_back(kind == VarKind::Binary || kind == VarKind::Integer ? 1 : 0);
    }
    Ipopt::SmartPtr<BonminAdapter> adapter = new BonminAdapter(compiled, lower, upper, start, integer);
    Bonmin::BonminSetup setup;
    setup.initializeOptionsAndJournalist();
    // Bonmin's journal would print on standard output; a solve writes only its listing.
    setup.journalist()->DeleteAllJournals();
    setOptions(setup, model.options);
    auto started = std::chrono::steady_clock::now();
    setup.initialize(Ipopt::SmartPtr<Bonmin::TMINLP>(GetRawPtr(adapter)));
    Bonmin::Bab bab;
    bab(setup);

    MinlpOutcome outcome;
    outcome.status = bab.mipStatus();
    outcome.nodes = bab.numNodes();
    outcome.iterations = bab.iterationCount();
    outcome.timeLimit = secondsSince(started) >= model.options.reslim;
    outcome.callbackSeconds = adapter->evaluations().callbackSeconds;
    if (bab.bestSolution() != nullptr) outcome.x.assign(bab.bestSolution(), bab.bestSolution() + compiled.variableCount());
    outcome.bestPossible = compiled.sign() * bab.bestBound();
    return outcome;
}

// The outcome as bytes, to come back from the child process that searched.
struct OutcomeHead {
    int status, nodes, iterations, timeLimit;
    double bestPossible, callbackSeconds;
    size_t count;
};

std::string outcomeBytes(const MinlpOutcome& o) {
    OutcomeHead head{static_cast<int>(o.status), o.nodes, o.iterations, o.timeLimit ? 1 : 0, o.bestPossible,
                     o.callbackSeconds, o.x.size()};
    std::string bytes(reinterpret_cast<const char*>(&head), sizeof head);
    bytes.append(reinterpret_cast<const char*>(o.x.data()), o.x.size() * sizeof(double));
    return bytes;
}

MinlpOutcome outcomeFromBytes(const std::string& bytes) {
    OutcomeHead head;
    if (bytes.size() < sizeof head) throw EngineFault("Bonmin's result came back cut short");
    std::memcpy(&head, bytes.data(), sizeof head);
    if (bytes.size() != sizeof head + head.count * sizeof(double))
        throw EngineFault("Bonmin's result came back cut short");
    MinlpOutcome o;
    o.status = static_cast<Bonmin::Bab::MipStatuses>(head.status);
    o.nodes = head.nodes;
    o.iterations = head.iterations;
    o.timeLimit = head.timeLimit != 0;
    o.bestPossible = head.bestPossible;
    o.callbackSeconds = head.callbackSeconds;
    o.x.resize(head.count);
    if (head.count > 0) std::memcpy(o.x.data(), bytes.data() + sizeof head, head.count * sizeof(double));
    return o;
}

// The search in a child process: an assertion inside Bonmin or the MIP code
// under it ends the child, and the solve is reported failed with the cause.
MinlpOutcome isolatedBranchAndBound(const ModelInstance& model, CompiledModel& compiled) {
    return outcomeFromBytes(
        runIsolated([&]() { return outcomeBytes(branchAndBound(model, compiled)); }, "The MINLP engine (Bonmin)"));
}

// The NLP with every discrete column fixed at its value, solved from the
// solution: its multipliers are the marginals. False when it does not end optimal.
bool finalNlp(ModelInstance& model, CompiledModel& compiled, const std::vector<double>& x, double& callbackSeconds) {
    std::vector<std::pair<double, double>> bounds;
    for (const Column& column : model.columns) bounds.push_back({column.lower, column.upper});
    for (int v = 0; v < compiled.variableCount(); v++) {
        Column& column = model.columns[static_cast<size_t>(compiled.columnOfVariable(v))];
        column.level = x[v];
        VarKind kind = kindOf(model, compiled.columnOfVariable(v));
        if (kind == VarKind::Binary || kind == VarKind::Integer) column.lower = column.upper = std::round(x[v]);
    }
    SolveStatus fixed;
    double seconds = 0.0;
    solveWithIpopt(model, compiled, fixed, seconds);
    callbackSeconds += seconds;
    for (size_t c = 0; c < model.columns.size(); c++) {
        model.columns[c].lower = bounds[c].first;
        model.columns[c].upper = bounds[c].second;
    }
    return fixed.modelStatus == 1 || fixed.modelStatus == 2;
}

}  // namespace

void solveWithBonmin(ModelInstance& model, CompiledModel& compiled, SolveStatus& status, double& callbackSeconds) {
    status.solverName = "BONMIN";
    status.solverLines.push_back(
        formatted("COIN-OR BONMIN   Bonmin %s, nonlinear branch and bound (B-BB) with Ipopt", BONMIN_VERSION));
    status.solverLines.push_back(" ");
    for (size_t c = 0; c < model.columns.size(); c++) {
        VarKind kind = kindOf(model, static_cast<int>(c));
        if (kind == VarKind::SemiCont || kind == VarKind::SemiInt || kind == VarKind::Sos1 || kind == VarKind::Sos2) {
            // Bonmin knows integers only: these would be solved as continuous, a wrong answer.
            transferSolution(model, compiled, compiled.variablesFromColumns(projectedLevels(model)), nullptr);
            status.solverStatus = 6;
            status.modelStatus = 14;
            status.solverMessage = "Error. Semi-continuous, semi-integer and SOS variables are not supported in nonlinear models.";
            return;
        }
    }
    MinlpOutcome outcome = isolatedBranchAndBound(model, compiled);
    callbackSeconds = outcome.callbackSeconds;
    status.iterations = outcome.iterations;
    bool hasSolution = outcome.x.size() == static_cast<size_t>(compiled.variableCount()) &&
                       (outcome.status == Bonmin::Bab::FeasibleOptimal || outcome.status == Bonmin::Bab::Feasible);
    if (!hasSolution) {
        transferSolution(model, compiled, compiled.variablesFromColumns(projectedLevels(model)), nullptr);
        status.solverStatus = outcome.timeLimit ? 3 : 1;
        switch (outcome.status) {
            case Bonmin::Bab::ProvenInfeasible:
                status.modelStatus = 19;
                status.solverMessage = "Infeasible solution. No integer solution exists.";
                break;
            case Bonmin::Bab::UnboundedOrInfeasible:
                status.modelStatus = 18;
                status.solverMessage = "Unbounded solution. The continuous relaxation is unbounded or infeasible.";
                break;
            default:
                status.solverStatus = outcome.timeLimit ? 3 : 4;
                status.modelStatus = 14;
                status.solverMessage = "No solution. The search stopped before an integer solution.";
        }
        return;
    }
    if (!finalNlp(model, compiled, outcome.x, callbackSeconds)) transferSolution(model, compiled, outcome.x, nullptr);
    double objective = model.columns[static_cast<size_t>(model.objectiveColumn)].level;
    double gap = std::fabs(objective - outcome.bestPossible);
    bool feasible = largestViolation(model) <= kInfeasible;
    bool closed = outcome.status == Bonmin::Bab::FeasibleOptimal && gap <= 1e-9 * std::max(1.0, std::fabs(objective));
    status.solverStatus = outcome.timeLimit ? 3 : 1;
    if (!feasible) {
        status.solverStatus = 4;
        status.modelStatus = 13;
        status.solverMessage = "Error. The integer solution violates the constraints.";
    } else {
        status.modelStatus = closed ? 1 : 8;
        status.solverMessage = closed ? "Optimal solution. The optimality gap is closed (global for convex models)."
                                      : "Integer solution. Stopped within the optimality tolerances or a limit.";
    }
    status.solverLines.push_back(formatted("MINLP solution:  %16s   (%d nodes, %d iterations)",
                                           formatted("%.6e", objective).c_str(), outcome.nodes, outcome.iterations));
    status.solverLines.push_back(formatted("Best possible:   %16s", formatted("%.6e", outcome.bestPossible).c_str()));
    status.solverLines.push_back(
        formatted("Absolute gap:    %16s   (optca %g)", formatted("%.6e", gap).c_str(), model.options.optca));
    status.solverLines.push_back(" ");
}

}  // namespace gamsub
