#include "AndersonAcceleration.h"

#include <Eigen/Dense>
#include <algorithm>
#include <cmath>

AndersonAcceleration::AndersonAcceleration(int memory, double growth)
    : memory_(std::max(1, memory)), growth_(growth) {}

void AndersonAcceleration::reset() {
    points_.clear();
    images_.clear();
    lastResidual_ = -1.0;
    lastAccelerated_ = false;
}

namespace {

// Small enough to leave well-posed mixes alone, large enough to keep the
// coefficients finite when the residuals repeat.
const double kRegularisation = 1e-10;
// The mixed point lies at most this many plain steps beyond the plain one.
const double kLongestStep = 30.0;

double distance(const std::vector<double>& a, const std::vector<double>& b) {
    double sum = 0.0;
    for (size_t i = 0; i < a.size(); i++) sum += (a[i] - b[i]) * (a[i] - b[i]);
    return std::sqrt(sum);
}

}  // namespace

std::vector<double> AndersonAcceleration::next(const std::vector<double>& z, const std::vector<double>& image) {
    const double residual = distance(image, z);
    if (!points_.empty() && points_.back().size() != z.size()) reset();
    // The mixed point made things worse: go back to the plain step from the
    // point before it, as if it had never been taken, and start afresh.
    if (lastAccelerated_ && residual > growth_ * lastResidual_) {
        std::vector<double> plain = images_.back();
        reset();
        return plain;
    }
    lastResidual_ = residual;
    points_.push_back(z);
    images_.push_back(image);
    if (static_cast<int>(points_.size()) > memory_ + 1) {
        points_.erase(points_.begin());
        images_.erase(images_.begin());
    }
    lastAccelerated_ = false;
    const size_t m = points_.size() - 1;
    if (m == 0 || residual == 0.0) return image;

    // Columns: differences of consecutive residuals g = T(z) - z and of images.
    const Eigen::Index n = static_cast<Eigen::Index>(z.size());
    Eigen::MatrixXd dG(n, static_cast<Eigen::Index>(m)), dF(n, static_cast<Eigen::Index>(m));
    Eigen::VectorXd g(n);
    for (Eigen::Index i = 0; i < n; i++) {
        const size_t ii = static_cast<size_t>(i);
        g(i) = images_[m][ii] - points_[m][ii];
        for (size_t c = 0; c < m; c++) {
            const double g1 = images_[c + 1][ii] - points_[c + 1][ii], g0 = images_[c][ii] - points_[c][ii];
            dG(i, static_cast<Eigen::Index>(c)) = g1 - g0;
            dF(i, static_cast<Eigen::Index>(c)) = images_[c + 1][ii] - images_[c][ii];
        }
    }
    // Tikhonov regularisation relative to the steps taken (Fu, Zhang and
    // Boyd) keeps the system solvable where the residual repeats from step
    // to step (the state drifts rather than converges).
    double stepsSquared = 0.0;
    for (size_t c = 0; c < m; c++)
        for (size_t i = 0; i < z.size(); i++) stepsSquared += std::pow(points_[c + 1][i] - points_[c][i], 2);
    Eigen::MatrixXd normal = dG.transpose() * dG;
    const double lambda = kRegularisation * (stepsSquared + normal.trace()) + 1e-300;
    normal.diagonal().array() += lambda;
    const Eigen::VectorXd gamma = normal.ldlt().solve(dG.transpose() * g);
    Eigen::VectorXd correction = dF * gamma;
    if (!correction.allFinite()) return image;
    // A mixed point far beyond the plain step is an extrapolation the history
    // cannot support: shorten it.
    const double length = correction.norm();
    if (length > kLongestStep * residual) correction *= kLongestStep * residual / length;
    const Eigen::VectorXd mixed = Eigen::Map<const Eigen::VectorXd>(image.data(), n) - correction;
    lastAccelerated_ = true;
    return std::vector<double>(mixed.data(), mixed.data() + n);
}

AndersonAcceleration::History AndersonAcceleration::history() const {
    return History{points_, images_, lastResidual_, lastAccelerated_};
}

void AndersonAcceleration::restore(const History& h) {
    points_ = h.points;
    images_ = h.images;
    // A run resumed with a shorter memory keeps the newest entries.
    while (points_.size() > static_cast<size_t>(memory_) + 1) {
        points_.erase(points_.begin());
        images_.erase(images_.begin());
    }
    lastResidual_ = h.lastResidual;
    lastAccelerated_ = h.lastAccelerated;
}
