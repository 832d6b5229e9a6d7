#include "IntegerHeuristics.h"

#include <cmath>
#include <cstdio>
#include <map>

namespace {

// A first-stage value counts as whole within the solvers' integrality tolerance.
const double kWhole = 1e-6;
// Progress: the disagreement fell below this share of the best so far.
const double kProgress = 0.99;

bool whole(double v) { return std::fabs(v - std::round(v)) <= kWhole; }

std::string percent(double share) {
    char text[32];
    std::snprintf(text, sizeof text, "%.0f%%", 100.0 * share);
    return text;
}

}  // namespace

IntegerHeuristics::IntegerHeuristics(int entries, IntegerHeuristicSettings settings)
    : settings_(settings),
      fixings_(static_cast<size_t>(entries), NAN),
      agreedSteps_(static_cast<size_t>(entries), 0),
      agreedValue_(static_cast<size_t>(entries), NAN) {}

bool IntegerHeuristics::anyFixed() const {
    for (double v : fixings_)
        if (!std::isnan(v)) return true;
    return false;
}

std::vector<std::pair<int, double>> IntegerHeuristics::fixedEntries() const {
    std::vector<std::pair<int, double>> fixed;
    for (size_t j = 0; j < fixings_.size(); j++)
        if (!std::isnan(fixings_[j])) fixed.emplace_back(static_cast<int>(j), fixings_[j]);
    return fixed;
}

void IntegerHeuristics::restore(const std::vector<std::pair<int, double>>& fixed) {
    for (const auto& f : fixed)
        if (f.first >= 0 && static_cast<size_t>(f.first) < fixings_.size()) fixings_[static_cast<size_t>(f.first)] = f.second;
}

bool IntegerHeuristics::allFixed() const {
    for (double v : fixings_)
        if (std::isnan(v)) return false;
    return true;
}

std::vector<EntryFixed> IntegerHeuristics::afterStep(const std::vector<std::vector<double>>& firstStages,
                                                     const std::vector<double>& probabilities, double disagreement) {
    std::vector<EntryFixed> fixed;
    if (firstStages.empty()) return fixed;
    const size_t n = fixings_.size();
    for (size_t j = 0; j < n; j++) {
        if (!std::isnan(fixings_[j])) continue;
        const double first = firstStages[0].at(j);
        bool agreed = whole(first);
        for (const std::vector<double>& x : firstStages) agreed = agreed && std::fabs(x.at(j) - first) <= kWhole;
        const double value = std::round(first) + 0.0;
        if (!agreed) {
            agreedSteps_[j] = 0;
            continue;
        }
        agreedSteps_[j] = agreedValue_[j] == value ? agreedSteps_[j] + 1 : 1;
        agreedValue_[j] = value;
        if (settings_.fixAfter > 0 && agreedSteps_[j] >= settings_.fixAfter) {
            fixings_[j] = value;
            fixed.push_back({static_cast<int>(j), value,
                             "every scenario chose it for " + std::to_string(agreedSteps_[j]) + " steps in a row"});
        }
    }
    // Progress is measured on the disagreement of the step; a fixing just made counts as progress.
    if (bestDisagreement_ < 0.0 || disagreement < kProgress * bestDisagreement_ || !fixed.empty()) {
        if (bestDisagreement_ < 0.0 || disagreement < bestDisagreement_) bestDisagreement_ = disagreement;
        stalledSteps_ = 0;
        return fixed;
    }
    if (settings_.slamAfter <= 0 || ++stalledSteps_ < settings_.slamAfter) return fixed;
    // Slam: the free entry whose most chosen whole value has the most probability behind it.
    int best = -1;
    double bestShare = -1.0, bestValue = 0.0;
    for (size_t j = 0; j < n; j++) {
        if (!std::isnan(fixings_[j])) continue;
        std::map<double, double> mass;
        for (size_t k = 0; k < firstStages.size(); k++)
            mass[std::round(firstStages[k].at(j)) + 0.0] += k < probabilities.size() ? probabilities[k] : 0.0;
        for (const auto& [value, share] : mass)
            if (share > bestShare) {
                best = static_cast<int>(j);
                bestShare = share;
                bestValue = value;
            }
    }
    stalledSteps_ = 0;
    if (best < 0) return fixed;
    fixings_[static_cast<size_t>(best)] = bestValue;
    fixed.push_back({best, bestValue,
                     "slammed after " + std::to_string(settings_.slamAfter) + " steps without progress: " +
                         percent(bestShare) + " of the probability chose it"});
    return fixed;
}
