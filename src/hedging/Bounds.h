// How far the run's answer can be trusted: the expected cost of the scenario
// solutions, an outer (lower) bound from solves with rho 0 and the current
// weights, an inner (upper) bound from solves with the first stage fixed at a
// plan, the best of each kept, and their relative gap. All for a minimisation.
#ifndef PHA_BOUNDS_H
#define PHA_BOUNDS_H

#include <vector>

// sum_k p_k v_k, the scenarios added in order.
double expectation(const std::vector<double>& probabilities, const std::vector<double>& values);

// The outer bound sum_k p_k z_k(w) holds when the weights balance:
// sum_k p_k w_kj = 0 for every first-stage entry j. `worst` is the largest
// |sum_k p_k w_kj| and `entry` its j (0-based); the balance holds when that is
// at most 1e-6 times max(1, sum_k p_k |w_kj|).
struct WeightBalance {
    double worst = 0.0;
    int entry = 0;
    bool holds = true;
};
WeightBalance weightBalance(const std::vector<double>& probabilities, const std::vector<std::vector<double>>& weights);

// (U - L) / max(|U|, kGapGuard): relative to the plan's cost. Near a cost of
// 0 the guard keeps the quotient finite; such a run stops by --abs-gap.
constexpr double kGapGuard = 1e-10;
double relativeGap(double upper, double lower);

// The best outer and inner bound of the run so far, and the plan of the best inner bound.
class BoundKeeper {
public:
    void offerLower(double lower, int iteration);
    void offerUpper(double upper, const std::vector<double>& plan, int iteration);

    bool hasLower() const { return hasLower_; }
    bool hasUpper() const { return hasUpper_; }
    double lower() const { return lower_; }
    double upper() const { return upper_; }
    const std::vector<double>& plan() const { return plan_; }
    int lowerIteration() const { return lowerIteration_; }
    int upperIteration() const { return upperIteration_; }
    // The relative gap of the best bounds; infinity while one is missing.
    double gap() const;
    // U - L of the best bounds; infinity while one is missing.
    double absoluteGap() const;
    // Whether the best bounds are within `relative` (relativeGap) or within
    // `absolute` (U - L); a limit < 0 is off.
    bool within(double relative, double absolute) const;

private:
    bool hasLower_ = false, hasUpper_ = false;
    double lower_ = 0.0, upper_ = 0.0;
    int lowerIteration_ = -1, upperIteration_ = -1;
    std::vector<double> plan_;
};

#endif
