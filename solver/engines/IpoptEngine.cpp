#include "IpoptEngine.h"

#include <IpIpoptApplication.hpp>
#include <IpoptConfig.h>

#include <algorithm>
#include <chrono>
#include <climits>
#include <sstream>
#include <tuple>
#include <utility>

#include "BoundPolish.h"
#include "IpoptAdapter.h"
#include "IpoptStatus.h"
#include "KktCheck.h"
#include "ListingNumbers.h"
#include "PhaseTimes.h"
#include "SolutionTransfer.h"

namespace gamsub {

namespace {

double secondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// What changes from one attempt to the next when Ipopt does not converge.
struct Attempt {
    long maxIterations;
    double boundRelaxFactor;
    const char* muStrategy;
};

void setOptions(Ipopt::OptionsList& options, const CompiledModel& compiled, const Attempt& attempt) {
    options.SetIntegerValue("print_level", 0);
    options.SetStringValue("sb", "yes");
    // Tight enough that optima agree with exact answers to 1e-6 relative.
    options.SetNumericValue("tol", 1e-10);
    options.SetNumericValue("acceptable_tol", 1e-8);
    options.SetNumericValue("constr_viol_tol", 1e-9);
    options.SetNumericValue("compl_inf_tol", 1e-9);
    options.SetNumericValue("bound_relax_factor", attempt.boundRelaxFactor);
    // GAMS's iterlim bounds the iterations of all attempts; reslim is enforced
    // on the wall clock by the adapter.
    options.SetIntegerValue("max_iter", static_cast<Ipopt::Index>(std::min<long>(attempt.maxIterations, INT_MAX)));
    options.SetStringValue("mu_strategy", attempt.muStrategy);
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

// Ends an attempt: whether its point is worth keeping and no other attempt can help.
bool settled(const IpoptOutcome& outcome, Ipopt::ApplicationReturnStatus appStatus) {
    if (!outcome.finalized) return appStatus != Ipopt::Solve_Succeeded && appStatus != Ipopt::Maximum_Iterations_Exceeded &&
                                   appStatus != Ipopt::Restoration_Failed && appStatus != Ipopt::Error_In_Step_Computation &&
                                   appStatus != Ipopt::Search_Direction_Becomes_Too_Small;
    switch (outcome.status) {
        case Ipopt::MAXITER_EXCEEDED:
        case Ipopt::STOP_AT_TINY_STEP:
        case Ipopt::RESTORATION_FAILURE:
        case Ipopt::ERROR_IN_STEP_COMPUTATION: return outcome.timedOut;
        default: return true;
    }
}

// An unconverged stop that a bound polish may finish (see BoundPolish.h).
bool worthPolishing(const IpoptOutcome& outcome) {
    if (!outcome.finalized || outcome.timedOut || outcome.x.empty()) return false;
    switch (outcome.status) {
        case Ipopt::MAXITER_EXCEEDED:
        case Ipopt::STOP_AT_TINY_STEP:
        case Ipopt::RESTORATION_FAILURE:
        case Ipopt::ERROR_IN_STEP_COMPUTATION:
        case Ipopt::INVALID_NUMBER_DETECTED: return true;
        default: return false;
    }
}

std::vector<char> heldByBounds(const std::vector<double>& lower, const std::vector<double>& upper) {
    std::vector<char> held(lower.size(), 0);
    for (size_t v = 0; v < held.size() && v < upper.size(); v++) held[v] = lower[v] == upper[v] ? 1 : 0;
    return held;
}

// A relaxed bound lets Ipopt end a hair outside it: put the point back.
void clipToBounds(std::vector<double>& x, const std::vector<double>& lower, const std::vector<double>& upper) {
    for (size_t v = 0; v < x.size() && v < lower.size() && v < upper.size(); v++)
        x[v] = std::min(std::max(x[v], lower[v]), upper[v]);
}

}  // namespace

void solveWithIpopt(ModelInstance& model, CompiledModel& compiled, SolveStatus& status, double& callbackSeconds) {
    auto started = std::chrono::steady_clock::now();
    PhaseClock clock;
    status.solverName = "IPOPT";
    describeModel(compiled, status);
    std::vector<double> lower, upper, start;
    ipoptVariables(model, compiled, lower, upper, start);
    const auto deadline = started + std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                                        std::chrono::duration<double>(std::min(model.options.reslim, 1e9)));
    // Exact bounds first (a relaxed bound shifts optima by about 1e-8 of each
    // bound). On a degenerate face that setting can stall with ever shorter
    // steps; the later attempts relax the bounds a little and then change the
    // barrier strategy, each from the model's own start.
    const long iterlim = std::max(0L, model.options.iterlim);
    const Attempt attempts[] = {{std::min(iterlim, 1000L), 0.0, "adaptive"},
                                {3000, 1e-10, "adaptive"},
                                {3000, 1e-8, "monotone"}};
    Ipopt::SmartPtr<IpoptAdapter> adapter;
    Ipopt::ApplicationReturnStatus appStatus = Ipopt::Internal_Error;
    long used = 0;
    bool relaxed = false;
    callbackSeconds = 0.0;
    auto run = [&](const Attempt& attempt, const std::vector<double>& lo, const std::vector<double>& up,
                   const std::vector<double>& from) {
        Ipopt::SmartPtr<IpoptAdapter> tried = new IpoptAdapter(compiled, lo, up, from);
        tried->setDeadline(deadline);
        Ipopt::SmartPtr<Ipopt::IpoptApplication> app = new Ipopt::IpoptApplication(false);
        setOptions(*app->Options(), compiled, attempt);
        std::istringstream noOptionFile;
        Ipopt::ApplicationReturnStatus returned = app->Initialize(noOptionFile);
        clock.lap(&PhaseTimes::engineSetup);
        if (returned == Ipopt::Solve_Succeeded) returned = app->OptimizeTNLP(Ipopt::SmartPtr<Ipopt::TNLP>(tried));
        clock.lap(&PhaseTimes::engineSolve);
        used += tried->outcome().iterations;
        callbackSeconds += tried->outcome().callbackSeconds;
        return std::make_pair(tried, returned);
    };
    for (const Attempt& planned : attempts) {
        Attempt attempt = planned;
        attempt.maxIterations = std::min(attempt.maxIterations, iterlim - used);
        if (Ipopt::IsValid(adapter) && attempt.maxIterations <= 0) break;
        std::tie(adapter, appStatus) = run(attempt, lower, upper, start);
        relaxed = attempt.boundRelaxFactor > 0.0;
        if (settled(adapter->outcome(), appStatus)) break;
    }
    if (worthPolishing(adapter->outcome())) {
        // Hold what the run left next to a bound and solve the rest from there.
        std::vector<double> x = adapter->outcome().x;
        if (relaxed) clipToBounds(x, lower, upper);
        BoundPolish polish = planBoundPolish(x, lower, upper);
        long left = iterlim - used;
        if (polish.held > 0 && left > 0) {
            Ipopt::SmartPtr<IpoptAdapter> polished;
            Ipopt::ApplicationReturnStatus polishedStatus;
            std::tie(polished, polishedStatus) =
                run(Attempt{std::min(left, 1000L), 0.0, "adaptive"}, polish.lower, polish.upper, polish.start);
            const IpoptOutcome& result = polished->outcome();
            bool converged = result.finalized && !result.timedOut &&
                             (result.status == Ipopt::SUCCESS || result.status == Ipopt::STOP_AT_ACCEPTABLE_POINT);
            if (converged && heldBoundsOptimal(compiled, polish, result.x, result.constraintMultipliers, lower, upper)) {
                adapter = polished;
                appStatus = polishedStatus;
                relaxed = false;
                status.solverLines.push_back(
                    formatted("    Ipopt stopped next to %d bound(s) without converging; held there, the rest", polish.held));
                status.solverLines.push_back("    converged and the held bounds passed the optimality check.");
                status.solverLines.push_back(" ");
            } else {
                // Back to the model's own fixed variables for the final point.
                compiled.setHeldVariables(heldByBounds(lower, upper));
            }
        }
    }
    // Still stopped without converging: a feasible point that passes the first-order check is locally optimal all
    // the same (the rows' feasibility is checked below, by the listing's measure).
    KktResidual residual;
    if (worthPolishing(adapter->outcome())) {
        std::vector<double> x = adapter->outcome().x;
        if (relaxed) clipToBounds(x, lower, upper);
        residual = kktResidual(*adapter, x, adapter->outcome().constraintMultipliers);
    }
    double ipoptWall = secondsSince(started);

    IpoptOutcome outcome = adapter->outcome();
    if (relaxed) clipToBounds(outcome.x, lower, upper);
    status.ipoptSeconds = std::max(0.0, ipoptWall - callbackSeconds);
    status.iterations = static_cast<int>(std::min<long>(used, INT_MAX));
    status.evaluationErrors = outcome.evaluationErrors;
    bool defined = true;
    if (outcome.finalized && outcome.x.size() == static_cast<size_t>(compiled.variableCount()))
        defined = transferSolution(model, compiled, outcome.x, &outcome.constraintMultipliers);
    else
        transferSolution(model, compiled, start, nullptr);
    bool feasible = defined && largestViolation(model) <= kInfeasible;
    if (feasible && kktSatisfied(residual)) {
        outcome.status = Ipopt::SUCCESS;
        appStatus = Ipopt::Solve_Succeeded;
        status.solverLines.push_back("    Ipopt stopped without converging at a feasible point that passes the first-order");
        status.solverLines.push_back(formatted("    optimality check (relative residuals: bounds %.1e, dual %.1e, "
                                               "complementarity %.1e).", residual.primal, residual.dual,
                                               residual.complementarity));
        status.solverLines.push_back(" ");
    }
    StatusCodes codes = statusFromIpopt(outcome.finalized, outcome.status, appStatus, feasible, compiled.linear(),
                                        outcome.timedOut);
    status.solverStatus = codes.solverStatus;
    status.modelStatus = codes.modelStatus;
    status.solverMessage = codes.summary;
    clock.lap(&PhaseTimes::engineTransfer);
}

}  // namespace gamsub
