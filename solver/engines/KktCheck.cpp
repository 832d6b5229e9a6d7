#include "KktCheck.h"

#include <algorithm>
#include <cmath>

namespace gamsub {

namespace {

// How far `value` lies outside [lower, upper], relative to max(1, |value|).
double violation(double value, double lower, double upper) {
    const double scale = std::max(1.0, std::fabs(value));
    return std::max({0.0, lower - value, value - upper}) / scale;
}

// Whether `value` sits on `bound` within the feasibility tolerance.
bool onBound(double value, double bound) {
    return std::isfinite(bound) && std::fabs(value - bound) <= 1e-7 * std::max(1.0, std::fabs(bound));
}

}  // namespace

KktResidual kktResidual(IpoptAdapter& nlp, const std::vector<double>& x, const std::vector<double>& lambda) {
    KktResidual r;
    Ipopt::Index n = 0, m = 0, nnzJ = 0, nnzH = 0;
    Ipopt::TNLP::IndexStyleEnum style = Ipopt::TNLP::C_STYLE;
    if (!nlp.get_nlp_info(n, m, nnzJ, nnzH, style) || style != Ipopt::TNLP::C_STYLE) return r;
    if (x.size() != static_cast<size_t>(n) || lambda.size() != static_cast<size_t>(m)) return r;
    std::vector<double> xl(static_cast<size_t>(n)), xu(static_cast<size_t>(n)), gl(static_cast<size_t>(m)),
        gu(static_cast<size_t>(m)), grad(static_cast<size_t>(n)), g(static_cast<size_t>(m)),
        values(static_cast<size_t>(nnzJ));
    std::vector<Ipopt::Index> rows(static_cast<size_t>(nnzJ)), cols(static_cast<size_t>(nnzJ));
    if (!nlp.get_bounds_info(n, xl.data(), xu.data(), m, gl.data(), gu.data())) return r;
    if (!nlp.eval_grad_f(n, x.data(), true, grad.data()) || !nlp.eval_g(n, x.data(), false, m, g.data()) ||
        !nlp.eval_jac_g(n, nullptr, false, m, nnzJ, rows.data(), cols.data(), nullptr) ||
        !nlp.eval_jac_g(n, x.data(), false, m, nnzJ, nullptr, nullptr, values.data()))
        return r;
    // Ipopt writes an infinite bound as +-1e20 or beyond.
    auto finite = [](double b) { return std::fabs(b) < 1e19 ? b : (b < 0 ? -HUGE_VAL : HUGE_VAL); };

    // grad f + J' lambda and the size of its terms, per variable.
    std::vector<double> reduced(grad), scale(static_cast<size_t>(n));
    for (Ipopt::Index v = 0; v < n; v++) scale[static_cast<size_t>(v)] = std::max(1.0, std::fabs(grad[static_cast<size_t>(v)]));
    for (Ipopt::Index e = 0; e < nnzJ; e++) {
        const size_t v = static_cast<size_t>(cols[static_cast<size_t>(e)]), k = static_cast<size_t>(rows[static_cast<size_t>(e)]);
        if (v >= reduced.size() || k >= lambda.size()) return r;
        const double term = values[static_cast<size_t>(e)] * lambda[k];
        if (!std::isfinite(term)) return r;
        reduced[v] += term;
        scale[v] = std::max(scale[v], std::fabs(term));
    }
    for (Ipopt::Index v = 0; v < n; v++) {
        const size_t i = static_cast<size_t>(v);
        const double lo = finite(xl[i]), up = finite(xu[i]);
        r.primal = std::max(r.primal, violation(x[i], lo, up));
        if (lo == up) continue;  // a fixed variable is a parameter: no reduced cost to check
        // At its lower bound a variable may have a positive reduced cost, at its upper one a negative one.
        double wrong = std::fabs(reduced[i]);
        if (onBound(x[i], lo)) wrong = std::max(0.0, -reduced[i]);
        if (onBound(x[i], up)) wrong = std::min(wrong, std::max(0.0, reduced[i]));
        r.dual = std::max(r.dual, wrong / scale[i]);
    }
    double largestMultiplier = 1.0;
    for (double l : lambda) largestMultiplier = std::max(largestMultiplier, std::fabs(l));
    for (Ipopt::Index k = 0; k < m; k++) {
        const size_t i = static_cast<size_t>(k);
        const double lo = finite(gl[i]), up = finite(gu[i]);
        if (lo == up) continue;  // an equation takes a multiplier of either sign
        // g <= up active: lambda >= 0; g >= lo active: lambda <= 0; inactive: lambda = 0.
        double wrong = std::fabs(lambda[i]);
        if (onBound(g[i], up)) wrong = std::max(0.0, -lambda[i]);
        if (onBound(g[i], lo)) wrong = std::min(wrong, std::max(0.0, lambda[i]));
        r.complementarity = std::max(r.complementarity, wrong / largestMultiplier);
    }
    r.evaluated = std::isfinite(r.primal) && std::isfinite(r.dual) && std::isfinite(r.complementarity);
    return r;
}

bool kktSatisfied(const KktResidual& residual, double tolerance) {
    return residual.evaluated && residual.primal <= tolerance && residual.dual <= tolerance &&
           residual.complementarity <= tolerance;
}

}  // namespace gamsub
