#include "BonminAdapter.h"

namespace gamsub {

BonminAdapter::BonminAdapter(CompiledModel& model, std::vector<double> lower, std::vector<double> upper,
                             std::vector<double> start, std::vector<char> integer)
    : nlp_(new IpoptAdapter(model, std::move(lower), std::move(upper), std::move(start))),
      integer_(std::move(integer)) {}

bool BonminAdapter::get_nlp_info(Ipopt::Index& n, Ipopt::Index& m, Ipopt::Index& nnz_jac_g, Ipopt::Index& nnz_h_lag,
                                 Ipopt::TNLP::IndexStyleEnum& index_style) {
    return nlp_->get_nlp_info(n, m, nnz_jac_g, nnz_h_lag, index_style);
}

bool BonminAdapter::get_variables_types(Ipopt::Index n, VariableType* var_types) {
    for (Ipopt::Index v = 0; v < n; v++)
        var_types[v] = static_cast<size_t>(v) < integer_.size() && integer_[v] ? INTEGER : CONTINUOUS;
    return true;
}

// Declaring everything nonlinear is always correct; it only forgoes shortcuts
// that the outer-approximation algorithms take (B-BB does not need them).
bool BonminAdapter::get_variables_linearity(Ipopt::Index n, Ipopt::TNLP::LinearityType* var_types) {
    for (Ipopt::Index v = 0; v < n; v++) var_types[v] = Ipopt::TNLP::NON_LINEAR;
    return true;
}

bool BonminAdapter::get_constraints_linearity(Ipopt::Index m, Ipopt::TNLP::LinearityType* const_types) {
    for (Ipopt::Index k = 0; k < m; k++) const_types[k] = Ipopt::TNLP::NON_LINEAR;
    return true;
}

bool BonminAdapter::get_bounds_info(Ipopt::Index n, Ipopt::Number* x_l, Ipopt::Number* x_u, Ipopt::Index m,
                                    Ipopt::Number* g_l, Ipopt::Number* g_u) {
    return nlp_->get_bounds_info(n, x_l, x_u, m, g_l, g_u);
}

bool BonminAdapter::get_starting_point(Ipopt::Index n, bool init_x, Ipopt::Number* x, bool init_z, Ipopt::Number* z_L,
                                       Ipopt::Number* z_U, Ipopt::Index m, bool init_lambda, Ipopt::Number* lambda) {
    return nlp_->get_starting_point(n, init_x, x, init_z, z_L, z_U, m, init_lambda, lambda);
}

bool BonminAdapter::eval_f(Ipopt::Index n, const Ipopt::Number* x, bool new_x, Ipopt::Number& obj_value) {
    return nlp_->eval_f(n, x, new_x, obj_value);
}

bool BonminAdapter::eval_grad_f(Ipopt::Index n, const Ipopt::Number* x, bool new_x, Ipopt::Number* grad_f) {
    return nlp_->eval_grad_f(n, x, new_x, grad_f);
}

bool BonminAdapter::eval_g(Ipopt::Index n, const Ipopt::Number* x, bool new_x, Ipopt::Index m, Ipopt::Number* g) {
    return nlp_->eval_g(n, x, new_x, m, g);
}

bool BonminAdapter::eval_jac_g(Ipopt::Index n, const Ipopt::Number* x, bool new_x, Ipopt::Index m,
                               Ipopt::Index nele_jac, Ipopt::Index* iRow, Ipopt::Index* jCol, Ipopt::Number* values) {
    return nlp_->eval_jac_g(n, x, new_x, m, nele_jac, iRow, jCol, values);
}

bool BonminAdapter::eval_h(Ipopt::Index n, const Ipopt::Number* x, bool new_x, Ipopt::Number obj_factor,
                           Ipopt::Index m, const Ipopt::Number* lambda, bool new_lambda, Ipopt::Index nele_hess,
                           Ipopt::Index* iRow, Ipopt::Index* jCol, Ipopt::Number* values) {
    return nlp_->eval_h(n, x, new_x, obj_factor, m, lambda, new_lambda, nele_hess, iRow, jCol, values);
}

void BonminAdapter::finalize_solution(Bonmin::TMINLP::SolverReturn status, Ipopt::Index n, const Ipopt::Number* x,
                                      Ipopt::Number) {
    finalized_ = true;
    status_ = status;
    if (x != nullptr) x_.assign(x, x + n);
}

}  // namespace gamsub
