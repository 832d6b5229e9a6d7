#include "IpoptAdapter.h"

#include <algorithm>
#include <chrono>
#include <cmath>

namespace gamsub {

namespace {

// Adds the time of one callback to the total kept outside Ipopt's own work.
class CallbackTimer {
public:
    explicit CallbackTimer(double& total) : total_(total), start_(std::chrono::steady_clock::now()) {}
    ~CallbackTimer() {
        total_ += std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
    }

private:
    double& total_;
    std::chrono::steady_clock::time_point start_;
};

// Ipopt's default "infinite" bound magnitude (nlp_lower_bound_inf / nlp_upper_bound_inf).
constexpr double kIpoptInfinity = 1e19;

double ipoptBound(double value) { return std::max(-kIpoptInfinity, std::min(kIpoptInfinity, value)); }

// After a successful evaluation the model has checked that only held variables'
// entries can be infinite or undefined; Ipopt drops them, but gets no NaN.
bool zeroedHeldEntries(bool ok, Ipopt::Number* values, size_t count) {
    if (ok)
        for (size_t e = 0; e < count; e++)
            if (!std::isfinite(values[e])) values[e] = 0.0;
    return ok;
}

}  // namespace

IpoptAdapter::IpoptAdapter(CompiledModel& model, std::vector<double> lower, std::vector<double> upper,
                           std::vector<double> start)
    : model_(model), lower_(std::move(lower)), upper_(std::move(upper)), start_(std::move(start)) {
    // Ipopt takes a variable with equal bounds out of the problem (its
    // fixed_variable_treatment make_parameter): it never reads its derivatives.
    std::vector<char> held(lower_.size(), 0);
    for (size_t v = 0; v < held.size() && v < upper_.size(); v++) held[v] = lower_[v] == upper_[v] ? 1 : 0;
    model_.setHeldVariables(std::move(held));
}


bool IpoptAdapter::counted(bool ok) {
    if (!ok) outcome_.evaluationErrors++;
    return ok;
}

bool IpoptAdapter::get_nlp_info(Ipopt::Index& n, Ipopt::Index& m, Ipopt::Index& nnz_jac_g, Ipopt::Index& nnz_h_lag,
                                IndexStyleEnum& index_style) {
    n = model_.variableCount();
    m = model_.constraintCount();
    nnz_jac_g = static_cast<Ipopt::Index>(model_.jacobianRows().size());
    nnz_h_lag = static_cast<Ipopt::Index>(model_.hessianRows().size());
    index_style = C_STYLE;
    return true;
}

bool IpoptAdapter::get_bounds_info(Ipopt::Index n, Ipopt::Number* x_l, Ipopt::Number* x_u, Ipopt::Index m,
                                   Ipopt::Number* g_l, Ipopt::Number* g_u) {
    for (Ipopt::Index v = 0; v < n; v++) {
        x_l[v] = ipoptBound(lower_[v]);
        x_u[v] = ipoptBound(upper_[v]);
    }
    for (Ipopt::Index k = 0; k < m; k++) {
        double lower, upper;
        model_.constraintBounds(k, lower, upper);
        g_l[k] = ipoptBound(lower);
        g_u[k] = ipoptBound(upper);
    }
    return true;
}

bool IpoptAdapter::get_starting_point(Ipopt::Index n, bool init_x, Ipopt::Number* x, bool, Ipopt::Number*,
                                      Ipopt::Number*, Ipopt::Index, bool, Ipopt::Number*) {
    if (init_x) std::copy(start_.begin(), start_.begin() + n, x);
    return true;
}

bool IpoptAdapter::eval_f(Ipopt::Index, const Ipopt::Number* x, bool, Ipopt::Number& obj_value) {
    CallbackTimer timer(outcome_.callbackSeconds);
    return counted(model_.objective(x, obj_value));
}

bool IpoptAdapter::eval_grad_f(Ipopt::Index, const Ipopt::Number* x, bool, Ipopt::Number* grad_f) {
    CallbackTimer timer(outcome_.callbackSeconds);
    return counted(zeroedHeldEntries(model_.objectiveGradient(x, grad_f), grad_f, lower_.size()));
}

bool IpoptAdapter::eval_g(Ipopt::Index, const Ipopt::Number* x, bool, Ipopt::Index, Ipopt::Number* g) {
    CallbackTimer timer(outcome_.callbackSeconds);
    return counted(model_.constraints(x, g));
}

bool IpoptAdapter::eval_jac_g(Ipopt::Index, const Ipopt::Number* x, bool, Ipopt::Index, Ipopt::Index,
                              Ipopt::Index* iRow, Ipopt::Index* jCol, Ipopt::Number* values) {
    CallbackTimer timer(outcome_.callbackSeconds);
    if (values == nullptr) {
        std::copy(model_.jacobianRows().begin(), model_.jacobianRows().end(), iRow);
        std::copy(model_.jacobianColumns().begin(), model_.jacobianColumns().end(), jCol);
        return true;
    }
    return counted(zeroedHeldEntries(model_.jacobian(x, values), values, model_.jacobianRows().size()));
}

bool IpoptAdapter::eval_h(Ipopt::Index, const Ipopt::Number* x, bool, Ipopt::Number obj_factor, Ipopt::Index,
                          const Ipopt::Number* lambda, bool, Ipopt::Index, Ipopt::Index* iRow, Ipopt::Index* jCol,
                          Ipopt::Number* values) {
    CallbackTimer timer(outcome_.callbackSeconds);
    if (values == nullptr) {
        std::copy(model_.hessianRows().begin(), model_.hessianRows().end(), iRow);
        std::copy(model_.hessianColumns().begin(), model_.hessianColumns().end(), jCol);
        return true;
    }
    return counted(zeroedHeldEntries(model_.lagrangianHessian(x, obj_factor, lambda, values), values,
                                     model_.hessianRows().size()));
}

bool IpoptAdapter::intermediate_callback(Ipopt::AlgorithmMode, Ipopt::Index iter, Ipopt::Number, Ipopt::Number,
                                         Ipopt::Number, Ipopt::Number, Ipopt::Number, Ipopt::Number, Ipopt::Number,
                                         Ipopt::Number, Ipopt::Index, const Ipopt::IpoptData*,
                                         Ipopt::IpoptCalculatedQuantities*) {
    outcome_.iterations = iter;
    if (std::chrono::steady_clock::now() < deadline_) return true;
    outcome_.timedOut = true;
    return false;
}

void IpoptAdapter::finalize_solution(Ipopt::SolverReturn status, Ipopt::Index n, const Ipopt::Number* x,
                                     const Ipopt::Number* z_L, const Ipopt::Number* z_U, Ipopt::Index m,
                                     const Ipopt::Number*, const Ipopt::Number* lambda, Ipopt::Number obj_value,
                                     const Ipopt::IpoptData*, Ipopt::IpoptCalculatedQuantities*) {
    outcome_.finalized = true;
    outcome_.status = status;
    outcome_.x.assign(x, x + n);
    outcome_.lowerMultipliers.assign(z_L, z_L + n);
    outcome_.upperMultipliers.assign(z_U, z_U + n);
    outcome_.constraintMultipliers.assign(lambda, lambda + m);
    outcome_.objective = obj_value;
}

}  // namespace gamsub
