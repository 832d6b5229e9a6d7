#include "SemismoothNewton.h"

#include <algorithm>
#include <chrono>
#include <cmath>

#include <Eigen/SparseCore>
#include <Eigen/SparseCholesky>
#include <Eigen/SparseLU>

namespace gamsub {

namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();

// phi(a, b) = sqrt(a^2 + b^2) - a - b: zero exactly when a >= 0, b >= 0, ab = 0.
// At (0, 0) the partials are one element of its generalized gradient.
void fischerBurmeister(double a, double b, double& value, double& da, double& db) {
    double r = std::hypot(a, b);
    if (r == 0.0) {
        value = 0.0;
        da = db = std::sqrt(0.5) - 1.0;
        return;
    }
    value = r - a - b;
    da = a / r - 1.0;
    db = b / r - 1.0;
}

// Phi_j and its partials in x_j (through the bounds) and in F_j.
struct PhiEntry {
    double value = 0.0, dx = 0.0, df = 0.0;
};

PhiEntry phiOf(const BoxSystem& s, size_t j, double x, double f) {
    PhiEntry p;
    double l = s.lower[j], u = s.upper[j];
    bool hasLower = l > -kInfinity, hasUpper = u < kInfinity;
    if (!s.complementary || (!hasLower && !hasUpper)) {
        p.value = f;
        p.df = 1.0;
    } else if (hasLower && !hasUpper) {
        fischerBurmeister(x - l, f, p.value, p.dx, p.df);
    } else if (!hasLower) {
        double da, db;
        fischerBurmeister(u - x, -f, p.value, da, db);
        p.dx = -da;
        p.df = -db;
    } else {
        // phi(x - l, phi(u - x, -F)): F >= 0 at l, F <= 0 at u, F = 0 between.
        double inner, innerB, innerG, outerA, outerC;
        fischerBurmeister(u - x, -f, inner, innerB, innerG);
        fischerBurmeister(x - l, inner, p.value, outerA, outerC);
        p.dx = outerA - outerC * innerB;
        p.df = -outerC * innerG;
    }
    return p;
}

double project(double v, double l, double u) { return std::max(l, std::min(u, v)); }

struct Point {
    std::vector<double> x, f;
    std::vector<JacobianEntry> jacobian;
    std::vector<double> phi;
    double merit = 0.0;
};

bool evaluate(const BoxSystem& s, Point& p) {
    p.f.assign(p.x.size(), 0.0);
    if (!s.values(p.x, p.f)) return false;
    p.phi.resize(p.x.size());
    double sum = 0.0;
    for (size_t j = 0; j < p.x.size(); j++) {
        if (!std::isfinite(p.f[j])) return false;
        p.phi[j] = phiOf(s, j, p.x[j], p.f[j]).value;
        sum += p.phi[j] * p.phi[j];
    }
    p.merit = 0.5 * sum;
    return std::isfinite(p.merit);
}

// x + t d, projected onto the box unless `free`: projected, functions with a
// singularity at a bound (a demand 1/p at a zero price) are never evaluated
// beyond it, where a spurious zero of the merit can lie; unprojected, the
// step is the one the Fischer-Burmeister theory follows (its zeros lie in the
// box), tried where the projected step gets nowhere.
bool trialPoint(const BoxSystem& s, const std::vector<double>& x, const Eigen::VectorXd& d, double t, bool free,
                Point& trial) {
    trial.x.resize(x.size());
    for (size_t j = 0; j < x.size(); j++) {
        trial.x[j] = x[j] + t * d[static_cast<int>(j)];
        if (!free) trial.x[j] = project(trial.x[j], s.lower[j], s.upper[j]);
    }
    return evaluate(s, trial);
}

double largestResidual(const BoxSystem& s, const Point& p) {
    std::vector<double> rowScale(p.x.size(), 0.0);
    for (const JacobianEntry& e : p.jacobian)
        rowScale[static_cast<size_t>(e.row)] = std::max(rowScale[static_cast<size_t>(e.row)], std::fabs(e.value));
    double worst = 0.0;
    for (size_t j = 0; j < p.x.size(); j++)
        worst = std::max(worst, scaledResidual(s, static_cast<int>(j), p.x[j], p.f[j], rowScale[j]));
    return worst;
}

}  // namespace

double scaledResidual(const BoxSystem& system, int j, double x, double f, double rowScale) {
    size_t k = static_cast<size_t>(j);
    // F_j scaled by its largest derivative: a positive factor leaves the
    // problem's solutions as they are. The natural residual stays in the
    // unknown's units, so a point outside the box always shows its distance.
    double scaled = f / std::max(1.0, rowScale);
    if (system.complementary) return std::fabs(x - project(x - scaled, system.lower[k], system.upper[k]));
    return std::fabs(scaled);
}

NewtonResult solveBoxSystem(const BoxSystem& s, std::vector<double> start, const NewtonLimits& limits) {
    auto began = std::chrono::steady_clock::now();
    auto elapsed = [&]() { return std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count(); };
    size_t n = start.size();
    NewtonResult result;
    Point current;
    current.x = std::move(start);
    for (size_t j = 0; j < n; j++) current.x[j] = project(current.x[j], s.lower[j], s.upper[j]);
    auto finish = [&](NewtonResult::Outcome outcome) {
        result.outcome = outcome;
        result.x = current.x;
        result.f = current.f;
        return result;
    };
    if (!evaluate(s, current) || !s.jacobian(current.x, current.jacobian)) return finish(NewtonResult::EvaluationError);
    constexpr double kTight = 1e-10;  // Newton goes on to here: the last steps are cheap
    double bestMerit = kInfinity;
    int sinceBest = 0;                // iterations since the merit last fell clearly
    for (;;) {
        result.residual = largestResidual(s, current);
        if (result.residual <= std::min(kTight, limits.tolerance)) return finish(NewtonResult::Solved);
        if (result.iterations >= limits.iterations) return finish(NewtonResult::IterationLimit);
        if (elapsed() > limits.seconds) return finish(NewtonResult::TimeLimit);

        // H = diag(dPhi/dx) + diag(dPhi/dF) J, and the merit's gradient H^T Phi.
        std::vector<Eigen::Triplet<double>> triplets;
        std::vector<PhiEntry> partials(n);
        for (size_t j = 0; j < n; j++) {
            partials[j] = phiOf(s, j, current.x[j], current.f[j]);
            triplets.emplace_back(static_cast<int>(j), static_cast<int>(j), partials[j].dx);
        }
        for (const JacobianEntry& e : current.jacobian)
            triplets.emplace_back(e.row, e.column, partials[static_cast<size_t>(e.row)].df * e.value);
        Eigen::SparseMatrix<double> h(static_cast<int>(n), static_cast<int>(n));
        h.setFromTriplets(triplets.begin(), triplets.end());
        Eigen::Map<const Eigen::VectorXd> phi(current.phi.data(), static_cast<int>(n));
        Eigen::VectorXd gradient = h.transpose() * phi;
        // A stationary point of the merit that is no solution, or a merit that
        // stopped falling: Newton has nowhere left to go.
        if (current.merit < bestMerit * (1.0 - 1e-6)) {
            bestMerit = current.merit;
            sinceBest = 0;
        } else if (++sinceBest > 50) {
            return finish(NewtonResult::Stalled);
        }
        if (gradient.norm() <= 1e-13 * (1.0 + std::sqrt(2.0 * current.merit))) return finish(NewtonResult::Stalled);

        // Candidate directions, best first, each made only when the ones
        // before it failed: the Newton step, Levenberg-Marquardt steps of
        // growing damping, the merit's steepest descent.
        auto descent = [&](const Eigen::VectorXd& d) {
            return d.allFinite() && gradient.dot(d) < -1e-12 * gradient.norm() * d.norm();
        };
        Eigen::SparseMatrix<double> normal;
        Eigen::VectorXd newton;
        bool haveNewton = false;
        auto candidate = [&](int k, Eigen::VectorXd& d) {
            if (k == 0) {
                Eigen::SparseLU<Eigen::SparseMatrix<double>, Eigen::COLAMDOrdering<int>> lu;
                lu.analyzePattern(h);
                lu.factorize(h);
                if (lu.info() != Eigen::Success) return false;
                newton = lu.solve(-phi);
                haveNewton = lu.info() == Eigen::Success && descent(newton);
                d = newton;
                return haveNewton;
            }
            if (k == 1) {  // the same Newton step, not projected
                d = newton;
                return haveNewton && s.complementary;
            }
            if (k == 5) {
                d = -gradient;
                return true;
            }
            if (normal.size() == 0) normal = h.transpose() * h;
            double damping = k == 2 ? 1e-6 : k == 3 ? 1e-3 : 1.0;
            Eigen::SparseMatrix<double> damped = normal;
            for (int j = 0; j < static_cast<int>(n); j++)
                damped.coeffRef(j, j) += damping * (1.0 + normal.coeff(j, j) + 2.0 * current.merit);
            Eigen::SimplicialLDLT<Eigen::SparseMatrix<double>> ldlt(damped);
            if (ldlt.info() != Eigen::Success) return false;
            d = ldlt.solve(-gradient);
            return ldlt.info() == Eigen::Success && descent(d);
        };

        // Armijo's test on the merit (a non-monotone test over a few iterations
        // let degenerate complementarity problems wander between large merits).
        double reference = current.merit;
        bool moved = false;
        for (int k = 0; k < 6 && !moved; k++) {
            Eigen::VectorXd d;
            if (!candidate(k, d)) continue;
            double slope = gradient.dot(d);
            Point trial;
            for (double t = 1.0; t > (k == 5 ? 1e-14 : 1e-10) && !moved; t *= 0.5) {
                if (!trialPoint(s, current.x, d, t, k == 1, trial)) continue;  // undefined there: a shorter step
                if (trial.merit <= reference + 1e-4 * t * slope) moved = true;
            }
            if (!moved) continue;
            if (!s.jacobian(trial.x, trial.jacobian)) return finish(NewtonResult::EvaluationError);
            current = std::move(trial);
        }
        if (!moved) {
            result.residual = largestResidual(s, current);
            return finish(result.residual <= limits.tolerance ? NewtonResult::Solved : NewtonResult::Stalled);
        }
        result.iterations++;
    }
}

}  // namespace gamsub
