// The compiled model as Bonmin's TMINLP: the Ipopt adapter's evaluations
// and bounds, plus which variables must take whole values.
#ifndef GAMSUB_BONMINADAPTER_H
#define GAMSUB_BONMINADAPTER_H

#include <BonTMINLP.hpp>

#include <vector>

#include "IpoptAdapter.h"

namespace gamsub {

class BonminAdapter : public Bonmin::TMINLP {
public:
    // `integer`: per Ipopt variable, 1 when it is Binary or Integer.
    BonminAdapter(CompiledModel& model, std::vector<double> lower, std::vector<double> upper,
                  std::vector<double> start, std::vector<char> integer);

    bool finalized() const { return finalized_; }
    Bonmin::TMINLP::SolverReturn status() const { return status_; }
    const std::vector<double>& x() const { return x_; }
    const IpoptOutcome& evaluations() const { return nlp_->outcome(); }

    bool get_nlp_info(Ipopt::Index& n, Ipopt::Index& m, Ipopt::Index& nnz_jac_g, Ipopt::Index& nnz_h_lag,
                      Ipopt::TNLP::IndexStyleEnum& index_style) override;
    bool get_variables_types(Ipopt::Index n, VariableType* var_types) override;
    bool get_variables_linearity(Ipopt::Index n, Ipopt::TNLP::LinearityType* var_types) override;
    bool get_constraints_linearity(Ipopt::Index m, Ipopt::TNLP::LinearityType* const_types) override;
    bool get_bounds_info(Ipopt::Index n, Ipopt::Number* x_l, Ipopt::Number* x_u, Ipopt::Index m, Ipopt::Number* g_l,
                         Ipopt::Number* g_u) override;
    bool get_starting_point(Ipopt::Index n, bool init_x, Ipopt::Number* x, bool init_z, Ipopt::Number* z_L,
                            Ipopt::Number* z_U, Ipopt::Index m, bool init_lambda, Ipopt::Number* lambda) override;
    bool eval_f(Ipopt::Index n, const Ipopt::Number* x, bool new_x, Ipopt::Number& obj_value) override;
    bool eval_grad_f(Ipopt::Index n, const Ipopt::Number* x, bool new_x, Ipopt::Number* grad_f) override;
    bool eval_g(Ipopt::Index n, const Ipopt::Number* x, bool new_x, Ipopt::Index m, Ipopt::Number* g) override;
    bool eval_jac_g(Ipopt::Index n, const Ipopt::Number* x, bool new_x, Ipopt::Index m, Ipopt::Index nele_jac,
                    Ipopt::Index* iRow, Ipopt::Index* jCol, Ipopt::Number* values) override;
    bool eval_h(Ipopt::Index n, const Ipopt::Number* x, bool new_x, Ipopt::Number obj_factor, Ipopt::Index m,
                const Ipopt::Number* lambda, bool new_lambda, Ipopt::Index nele_hess, Ipopt::Index* iRow,
                Ipopt::Index* jCol, Ipopt::Number* values) override;
    void finalize_solution(Bonmin::TMINLP::SolverReturn status, Ipopt::Index n, const Ipopt::Number* x,
                           Ipopt::Number obj_value) override;
    const BranchingInfo* branchingInfo() const override { return nullptr; }
    const SosInfo* sosConstraints() const override { return nullptr; }

private:
    Ipopt::SmartPtr<IpoptAdapter> nlp_;
    std::vector<char> integer_;
    bool finalized_ = false;
    Bonmin::TMINLP::SolverReturn status_ = Bonmin::TMINLP::MINLP_ERROR;
    std::vector<double> x_;
};

}  // namespace gamsub

#endif
