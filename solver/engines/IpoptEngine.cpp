#include "IpoptEngine.h"

#include <IpIpoptApplication.hpp>
#include <IpoptConfig.h>

#include <algorithm>
#include <chrono>
#include <climits>
#include <sstream>

#include "IpoptAdapter.h"
#include "IpoptStatus.h"
#include "ListingNumbers.h"
#include "SolutionTransfer.h"

namespace gamsub {

namespace {

double secondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void setOptions(Ipopt::OptionsList& options, const CompiledModel& compiled, const SolveOptions& limits) {
    options.SetIntegerValue("print_level", 0);
    options.SetStringValue("sb", "yes");
    // Tight enough that optima agree with exact answers to 1e-6 relative.
    options.SetNumericValue("tol", 1e-10);
    options.SetNumericValue("acceptable_tol", 1e-8);
    options.SetNumericValue("constr_viol_tol", 1e-9);
    options.SetNumericValue("compl_inf_tol", 1e-9);
    // No bound relaxation: it shifts optima by about 1e-8 of each bound.
    options.SetNumericValue("bound_relax_factor", 0.0);
    // GAMS's iterlim is Ipopt's max_iter; reslim is enforced on the wall clock by the adapter.
    options.SetIntegerValue("max_iter", static_cast<Ipopt::Index>(std::min<long>(limits.iterlim, INT_MAX)));
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

void describeModel(const CompiledModel& compiled, SolveStatus& status) {
    status.solverLines.push_back(formatted("IPOPT            Ipopt %s, exact first and second derivatives", IPOPT_VERSION));
    status.solverLines.push_back(" ");
    status.solverLines.push_back(formatted("    The model has %d variables and %d constraints", compiled.variableCount(),
                                           compiled.constraintCount()));
    status.solverLines.push_back(formatted("    with %zu Jacobian elements, %d of which are nonlinear.",
                                           compiled.jacobianRows().size(), compiled.nonlinearJacobianCount()));
    status.solverLines.push_back(
        formatted("    The Hessian of the Lagrangian has %zu elements.", compiled.hessianRows().size()));
    status.solverLines.push_back(" ");
}

}  // namespace

void solveWithIpopt(ModelInstance& model, CompiledModel& compiled, SolveStatus& status, double& callbackSeconds) {
    auto started = std::chrono::steady_clock::now();
    status.solverName = "IPOPT";
    describeModel(compiled, status);
    std::vector<double> lower, upper, start;
    ipoptVariables(model, compiled, lower, upper, start);
    Ipopt::SmartPtr<IpoptAdapter> adapter = new IpoptAdapter(compiled, lower, upper, start);
    adapter->setDeadline(started + std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                                       std::chrono::duration<double>(std::min(model.options.reslim, 1e9))));
    Ipopt::SmartPtr<Ipopt::IpoptApplication> app = new Ipopt::IpoptApplication(false);
    setOptions(*app->Options(), compiled, model.options);
    std::istringstream noOptionFile;
    Ipopt::ApplicationReturnStatus appStatus = app->Initialize(noOptionFile);
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
    StatusCodes codes = statusFromIpopt(outcome.finalized, outcome.status, appStatus, feasible, compiled.linear(),
                                        outcome.timedOut);
    status.solverStatus = codes.solverStatus;
    status.modelStatus = codes.modelStatus;
    status.solverMessage = codes.summary;
}

}  // namespace gamsub
