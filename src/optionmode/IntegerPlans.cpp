#include "IntegerPlans.h"

#include "HedgingTerms.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <map>
#include <sstream>

namespace {

std::vector<double> rounded(const std::vector<double>& plan) {
    std::vector<double> out(plan);
    for (double& v : out) v = std::round(v) + 0.0;  // no -0
    return out;
}

}  // namespace

bool integerFirstStage(const ModelTemplate& tpl) { return firstStageKind(tpl) != FirstStageKind::Continuous; }

bool integralPlan(const std::vector<double>& plan) {
    for (double v : plan)
        if (v != std::round(v)) return false;
    return true;
}

std::vector<PlanCandidate> integerCandidates(const std::vector<double>& average,
                                             const std::vector<std::vector<double>>& firstStages,
                                             const std::vector<double>& probabilities,
                                             const std::set<std::vector<double>>& tried, int scenarioPlans) {
    std::vector<PlanCandidate> out;
    std::set<std::vector<double>> taken(tried);
    std::vector<double> roundedAverage = rounded(average);
    if (taken.insert(roundedAverage).second) out.push_back({roundedAverage, "the rounded average"});
    // Each distinct plan with the probability of the scenarios that chose it and its first scenario.
    std::map<std::vector<double>, std::pair<double, size_t>> mass;
    for (size_t k = 0; k < firstStages.size(); k++) {
        auto entry = mass.emplace(rounded(firstStages[k]), std::make_pair(0.0, k)).first;
        entry->second.first += k < probabilities.size() ? probabilities[k] : 0.0;
    }
    std::vector<std::pair<std::vector<double>, std::pair<double, size_t>>> order(mass.begin(), mass.end());
    std::stable_sort(order.begin(), order.end(), [](const auto& a, const auto& b) {
        if (a.second.first != b.second.first) return a.second.first > b.second.first;
        return a.second.second < b.second.second;
    });
    int added = 0;
    for (const auto& entry : order) {
        if (added >= scenarioPlans) break;
        if (!taken.insert(entry.first).second) continue;
        out.push_back({entry.first, "the first stage of scenario " + std::to_string(entry.second.second + 1)});
        added++;
    }
    return out;
}

std::string planText(const std::vector<double>& plan) {
    std::ostringstream text;
    text << "(";
    for (size_t j = 0; j < plan.size(); j++) text << (j > 0 ? ", " : "") << plan[j];
    text << ")";
    return text.str();
}
