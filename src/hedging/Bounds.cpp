#include "Bounds.h"

#include <algorithm>
#include <cmath>
#include <limits>

double expectation(const std::vector<double>& probabilities, const std::vector<double>& values) {
    double sum = 0.0;
    for (size_t k = 0; k < probabilities.size() && k < values.size(); k++) sum += probabilities[k] * values[k];
    return sum;
}

WeightBalance weightBalance(const std::vector<double>& probabilities, const std::vector<std::vector<double>>& weights) {
    WeightBalance balance;
    const size_t entries = weights.empty() ? 0 : weights[0].size();
    for (size_t j = 0; j < entries; j++) {
        double sum = 0.0, scale = 0.0;
        for (size_t k = 0; k < probabilities.size() && k < weights.size(); k++) {
            const double w = j < weights[k].size() ? weights[k][j] : 0.0;
            sum += probabilities[k] * w;
            scale += probabilities[k] * std::fabs(w);
        }
        if (std::fabs(sum) > balance.worst) {
            balance.worst = std::fabs(sum);
            balance.entry = static_cast<int>(j);
        }
        if (std::fabs(sum) > 1e-6 * std::max(1.0, scale)) balance.holds = false;
    }
    return balance;
}

double relativeGap(double upper, double lower) { return (upper - lower) / std::max(std::fabs(upper), kGapGuard); }

void BoundKeeper::offerLower(double lower, int iteration) {
    if (hasLower_ && lower <= lower_) return;
    hasLower_ = true;
    lower_ = lower;
    lowerIteration_ = iteration;
}

void BoundKeeper::offerUpper(double upper, const std::vector<double>& plan, int iteration) {
    if (hasUpper_ && upper >= upper_) return;
    hasUpper_ = true;
    upper_ = upper;
    plan_ = plan;
    upperIteration_ = iteration;
}

double BoundKeeper::gap() const {
    if (!hasLower_ || !hasUpper_) return std::numeric_limits<double>::infinity();
    return relativeGap(upper_, lower_);
}

double BoundKeeper::absoluteGap() const {
    if (!hasLower_ || !hasUpper_) return std::numeric_limits<double>::infinity();
    return upper_ - lower_;
}

bool BoundKeeper::within(double relative, double absolute) const {
    return (relative >= 0 && gap() <= relative) || (absolute >= 0 && absoluteGap() <= absolute);
}
