#include "IpoptStatus.h"

namespace gamsub {

namespace {

// A stop before convergence: the status says whether the point at hand is feasible.
StatusCodes interrupted(int solverStatus, bool feasible, const std::string& reason) {
    StatusCodes codes;
    codes.solverStatus = solverStatus;
    codes.modelStatus = feasible ? 7 : 6;
    codes.summary = (feasible ? "Feasible solution. " : "Infeasible solution. ") + reason;
    return codes;
}

StatusCodes failed(const std::string& reason) {
    StatusCodes codes;
    codes.solverStatus = 13;
    codes.modelStatus = 13;
    codes.summary = "Error. " + reason;
    return codes;
}

std::string applicationStatusName(Ipopt::ApplicationReturnStatus status) {
    switch (status) {
        case Ipopt::Invalid_Problem_Definition: return "invalid problem definition";
        case Ipopt::Invalid_Option: return "invalid option";
        case Ipopt::Insufficient_Memory: return "insufficient memory";
        case Ipopt::Unrecoverable_Exception: return "unrecoverable exception";
        case Ipopt::NonIpopt_Exception_Thrown: return "exception in a callback";
        case Ipopt::Not_Enough_Degrees_Of_Freedom: return "too few degrees of freedom";
        case Ipopt::Internal_Error: return "internal error";
        default: return "return status " + std::to_string(static_cast<int>(status));
    }
}

}  // namespace

StatusCodes statusFromIpopt(bool finalized, Ipopt::SolverReturn solverReturn, Ipopt::ApplicationReturnStatus appStatus,
                            bool feasible, bool linear, bool timedOut) {
    if (timedOut && finalized) return interrupted(3, feasible, "The time limit was reached.");
    if (!finalized) return failed("Ipopt stopped without a solution: " + applicationStatusName(appStatus) + ".");
    StatusCodes codes;
    codes.solverStatus = 1;
    switch (solverReturn) {
        case Ipopt::SUCCESS:
        case Ipopt::STOP_AT_ACCEPTABLE_POINT:
            if (!feasible) return interrupted(4, false, "Ipopt stopped at a point that violates the constraints.");
            // An LP's local optimum is global.
            codes.modelStatus = linear ? 1 : 2;
            codes.summary = solverReturn == Ipopt::SUCCESS
                                ? "Optimal solution. Ipopt converged to the requested tolerance."
                                : "Optimal solution. Ipopt converged to an acceptable tolerance.";
            return codes;
        case Ipopt::LOCAL_INFEASIBILITY:
            // For an LP the point of least infeasibility is global: the model is infeasible.
            codes.modelStatus = linear ? 4 : 5;
            codes.summary = "Infeasible solution. Ipopt converged to a point of local infeasibility.";
            return codes;
        case Ipopt::DIVERGING_ITERATES:
            codes.modelStatus = 3;
            codes.summary = "Unbounded solution. The iterates diverged.";
            return codes;
        case Ipopt::MAXITER_EXCEEDED: return interrupted(2, feasible, "The iteration limit was reached.");
        case Ipopt::CPUTIME_EXCEEDED: return interrupted(3, feasible, "The time limit was reached.");
        case Ipopt::STOP_AT_TINY_STEP: return interrupted(4, feasible, "The search direction became too small.");
        case Ipopt::RESTORATION_FAILURE: return interrupted(4, feasible, "The restoration phase failed.");
        case Ipopt::ERROR_IN_STEP_COMPUTATION: return interrupted(4, feasible, "Error in the step computation.");
        case Ipopt::INVALID_NUMBER_DETECTED:
            return interrupted(5, feasible, "A function could not be evaluated (invalid number).");
        case Ipopt::USER_REQUESTED_STOP:
        case Ipopt::FEASIBLE_POINT_FOUND: return interrupted(4, feasible, "Ipopt stopped early.");
        case Ipopt::TOO_FEW_DEGREES_OF_FREEDOM: {
            StatusCodes codes13 = failed("Too few degrees of freedom: more equations than free variables.");
            codes13.solverStatus = 4;
            return codes13;
        }
        case Ipopt::INVALID_OPTION: return failed("Ipopt rejected an option.");
        case Ipopt::OUT_OF_MEMORY: return failed("Ipopt ran out of memory.");
        case Ipopt::INTERNAL_ERROR:
        case Ipopt::UNASSIGNED: break;
    }
    return failed("Ipopt failed: " + applicationStatusName(appStatus) + ".");
}

}  // namespace gamsub
