// The compiled model as Ipopt's TNLP: bounds, starting point, callbacks that
// time themselves and count evaluation errors, and the final iterate.
#ifndef GAMSUB_IPOPTADAPTER_H
#define GAMSUB_IPOPTADAPTER_H

#include <IpTNLP.hpp>

#include <chrono>
#include <vector>

#include "CompiledModel.h"

namespace gamsub {

struct IpoptOutcome {
    bool finalized = false;  // Ipopt reached finalize_solution
    Ipopt::SolverReturn status = Ipopt::UNASSIGNED;
    std::vector<double> x, lowerMultipliers, upperMultipliers, constraintMultipliers;
    double objective = 0.0;
    int iterations = 0;
    int evaluationErrors = 0;
    double callbackSeconds = 0.0;  // time spent in our callbacks
    bool timedOut = false;         // stopped at the deadline
};

class IpoptAdapter : public Ipopt::TNLP {
public:
    // `lower`, `upper` and `start` are per Ipopt variable.
    IpoptAdapter(CompiledModel& model, std::vector<double> lower, std::vector<double> upper, std::vector<double> start);
    const IpoptOutcome& outcome() const { return outcome_; }
    // Ipopt is stopped at its next iteration after `deadline` (wall clock).
    void setDeadline(std::chrono::steady_clock::time_point deadline) { deadline_ = deadline; }

    bool get_nlp_info(Ipopt::Index& n, Ipopt::Index& m, Ipopt::Index& nnz_jac_g, Ipopt::Index& nnz_h_lag,
                      IndexStyleEnum& index_style) override;
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
    bool intermediate_callback(Ipopt::AlgorithmMode mode, Ipopt::Index iter, Ipopt::Number obj_value,
                               Ipopt::Number inf_pr, Ipopt::Number inf_du, Ipopt::Number mu, Ipopt::Number d_norm,
                               Ipopt::Number regularization_size, Ipopt::Number alpha_du, Ipopt::Number alpha_pr,
                               Ipopt::Index ls_trials, const Ipopt::IpoptData* ip_data,
                               Ipopt::IpoptCalculatedQuantities* ip_cq) override;
    void finalize_solution(Ipopt::SolverReturn status, Ipopt::Index n, const Ipopt::Number* x, const Ipopt::Number* z_L,
                           const Ipopt::Number* z_U, Ipopt::Index m, const Ipopt::Number* g,
                           const Ipopt::Number* lambda, Ipopt::Number obj_value, const Ipopt::IpoptData* ip_data,
                           Ipopt::IpoptCalculatedQuantities* ip_cq) override;

private:
    bool counted(bool ok);

    CompiledModel& model_;
    std::vector<double> lower_, upper_, start_;
    IpoptOutcome outcome_;
    std::chrono::steady_clock::time_point deadline_ = std::chrono::steady_clock::time_point::max();
};

}  // namespace gamsub

#endif
