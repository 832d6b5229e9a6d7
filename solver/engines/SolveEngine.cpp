#include "SolveEngine.h"

#include <IpIpoptApplication.hpp>
#include <IpoptConfig.h>

#include <chrono>
#include <cmath>
#include <exception>
#include <sstream>

#include "CompiledModel.h"
#include "IpoptAdapter.h"
#include "ListingNumbers.h"
#include "SolutionTransfer.h"
#include "StatusMapping.h"

namespace gamsub {

namespace {

double secondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void setOptions(Ipopt::OptionsList& options, const CompiledModel& compiled) {
    options.SetIntegerValue("print_level", 0);
    options.SetStringValue("sb", "yes");
    // Tight enough that optima agree with exact answers to 1e-6 relative.
    options.SetNumericValue("tol", 1e-10);
    options.SetNumericValue("acceptable_tol", 1e-8);
    options.SetNumericValue("constr_viol_tol", 1e-9);
    options.SetNumericValue("compl_inf_tol", 1e-9);
    // No bound relaxation: it shifts optima by about 1e-8 of each bound.
    options.SetNumericValue("bound_relax_factor", 0.0);
    options.SetIntegerValue("max_iter", kIterationLimit);
    options.SetNumericValue("max_cpu_time", kResourceLimit);
    options.SetStringValue("mu_strategy", "adaptive");
    // Approximate minimum degree with quasi-dense row detection: deterministic
    // (the automatic choice may pick a randomised ordering) and a dense row such
    // as a budget over all variables stays cheap.
    options.SetIntegerValue("mumps_pivot_order", 6);
    if (compiled.linearEqualities()) options.SetStringValue("jac_c_constant", "yes");
    if (compiled.linearInequalities()) options.SetStringValue("jac_d_constant", "yes");
    if (compiled.constantHessian()) options.SetStringValue("hessian_constant", "yes");
}

// The variables' bounds for Ipopt, their start inside them.
void ipoptVariables(const ModelInstance& model, const CompiledModel& compiled, std::vector<double>& lower,
                    std::vector<double>& upper, std::vector<double>& start) {
    std::vector<double> levels = projectedLevels(model);
    for (int v = 0; v < compiled.variableCount(); v++) {
        int column = compiled.columnOfVariable(v);
        lower.push_back(model.columns[column].lower);
        upper.push_back(model.columns[column].upper);
        start.push_back(levels[column]);
    }
}

bool constantRowViolated(const ModelInstance& model, const CompiledModel& compiled) {
    for (int r : compiled.constantRows()) {
        const Row& row = model.rows[r];
        if (relativeViolation(row.level, row.lower, row.upper) > kInfeasible) return true;
    }
    return false;
}

void describeModel(const CompiledModel& compiled, SolveStatus& status) {
    status.solverLines.push_back(formatted("    The model has %d variables and %d constraints", compiled.variableCount(),
                                           compiled.constraintCount()));
    status.solverLines.push_back(formatted("    with %zu Jacobian elements, %d of which are nonlinear.",
                                           compiled.jacobianRows().size(), compiled.nonlinearJacobianCount()));
    status.solverLines.push_back(
        formatted("    The Hessian of the Lagrangian has %zu elements.", compiled.hessianRows().size()));
    status.solverLines.push_back(" ");
}

void finishSolverLines(SolveStatus& status, double callbackSeconds) {
    status.solverLines.push_back(" ** " + status.solverMessage);
    status.solverLines.push_back(" ");
    status.solverLines.push_back(" ");
    double total = status.seconds;
    double share = total > 0 ? 100.0 * callbackSeconds / total : 0.0;
    status.solverLines.push_back(formatted(" IPOPT time Total                       %10.3f seconds", total));
    status.solverLines.push_back(formatted("   of which: Function evaluations        %10.3f = %4.1f%%", callbackSeconds, share));
    status.solverLines.push_back(" ");
}

bool allVariablesFixed(const ModelInstance& model, const CompiledModel& compiled) {
    for (int v = 0; v < compiled.variableCount(); v++) {
        const Column& column = model.columns[compiled.columnOfVariable(v)];
        if (column.lower != column.upper) return false;
    }
    return true;
}

// A model without any variable left to choose (Ipopt refuses it when it has
// equations): the rows decide on their own at the fixed levels.
void solveWithoutVariables(ModelInstance& model, CompiledModel& compiled, SolveStatus& status) {
    // Without constraints the marginals are the objective's own slopes; with
    // them the multipliers are not determined, and the marginals stay zero.
    std::vector<double> noConstraints;
    transferSolution(model, compiled, compiled.variablesFromColumns(projectedLevels(model)),
                     compiled.constraintCount() == 0 ? &noConstraints : nullptr);
    bool feasible = largestViolation(model) <= kInfeasible;
    status.solverStatus = 1;
    status.modelStatus = feasible ? (model.type == ModelType::LP ? 1 : 2) : 4;
    status.solverMessage = feasible ? "Optimal solution. No variable is free to change."
                                    : "Infeasible solution. The equations cannot hold at the fixed levels.";
}

void solveWithIpopt(ModelInstance& model, CompiledModel& compiled, SolveStatus& status, double& callbackSeconds) {
    std::vector<double> lower, upper, start;
    ipoptVariables(model, compiled, lower, upper, start);
    Ipopt::SmartPtr<IpoptAdapter> adapter = new IpoptAdapter(compiled, lower, upper, start);
    Ipopt::SmartPtr<Ipopt::IpoptApplication> app = new Ipopt::IpoptApplication(false);
    setOptions(*app->Options(), compiled);
    std::istringstream noOptionFile;
    Ipopt::ApplicationReturnStatus appStatus = app->Initialize(noOptionFile);
    auto started = std::chrono::steady_clock::now();
    if (appStatus == Ipopt::Solve_Succeeded) appStatus = app->OptimizeTNLP(Ipopt::SmartPtr<Ipopt::TNLP>(adapter));
    double ipoptWall = secondsSince(started);

    const IpoptOutcome& outcome = adapter->outcome();
    callbackSeconds = outcome.callbackSeconds;
    status.ipoptSeconds = std::max(0.0, ipoptWall - outcome.callbackSeconds);
    status.iterations = outcome.iterations;
    status.evaluationErrors = outcome.evaluationErrors;
    bool defined = true;
    if (outcome.finalized && outcome.x.size() == static_cast<size_t>(compiled.variableCount()))
        defined = transferSolution(model, compiled, outcome.x, &outcome.constraintMultipliers);
    else
        transferSolution(model, compiled, start, nullptr);
    bool feasible = defined && largestViolation(model) <= kInfeasible;
    StatusCodes codes = statusFromIpopt(outcome.finalized, outcome.status, appStatus, feasible, compiled.linear());
    status.solverStatus = codes.solverStatus;
    status.modelStatus = codes.modelStatus;
    status.solverMessage = codes.summary;
}

}  // namespace

SolveStatus solveInstance(ModelInstance& model) {
    SolveStatus status;
    auto started = std::chrono::steady_clock::now();
    double callbackSeconds = 0.0;
    status.solverLines.push_back(formatted("IPOPT            Ipopt %s, exact first and second derivatives", IPOPT_VERSION));
    status.solverLines.push_back(" ");
    try {
        CompiledModel compiled(model);
        setRowBounds(model, compiled);
        describeModel(compiled, status);
        bool inconsistentBounds = false;
        for (const Column& column : model.columns)
            if (column.lower > column.upper) inconsistentBounds = true;
        if (inconsistentBounds) {
            transferSolution(model, compiled, compiled.variablesFromColumns(projectedLevels(model)), nullptr);
            status.solverStatus = 1;
            status.modelStatus = 4;
            status.solverMessage = "Infeasible solution. A variable's lower bound exceeds its upper bound.";
        } else if (allVariablesFixed(model, compiled)) {
            solveWithoutVariables(model, compiled, status);
        } else {
            solveWithIpopt(model, compiled, status, callbackSeconds);
            if (constantRowViolated(model, compiled)) {
                status.solverStatus = 1;
                status.modelStatus = 4;
                status.solverMessage = "Infeasible solution. An equation without variables cannot hold.";
            }
        }
    } catch (const std::exception& error) {
        status.solverStatus = 13;
        status.modelStatus = 13;
        status.solverMessage = std::string("Error. ") + error.what();
    }
    status.seconds = secondsSince(started);
    if (model.objectiveColumn >= 0 && static_cast<size_t>(model.objectiveColumn) < model.columns.size())
        status.objective = model.columns[model.objectiveColumn].level + 0.0;  // no "-0.0000"
    finishSolverLines(status, callbackSeconds);
    return status;
}

}  // namespace gamsub
