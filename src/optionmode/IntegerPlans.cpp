#include "IntegerPlans.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <map>
#include <sstream>

namespace {

std::string lowered(const std::string& text) {
    std::string out(text);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

bool identifierChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

// Whether the declaration list `list` (up to its ';') declares x: an item
// starts the list or follows a comma or a line break, and is x before '(' or
// a blank, a comma or the end.
bool declaresX(const std::string& list) {
    for (size_t at = 0; at < list.size(); at++) {
        if (list[at] != 'x') continue;
        size_t before = at;
        while (before > 0 && (list[before - 1] == ' ' || list[before - 1] == '\t')) before--;
        bool starts = before == 0 || list[before - 1] == ',' || list[before - 1] == '\n';
        bool ends = at + 1 == list.size() || !identifierChar(list[at + 1]);
        if (starts && ends && (before == 0 || at == 0 || !identifierChar(list[at - 1]))) return true;
    }
    return false;
}

std::vector<double> rounded(const std::vector<double>& plan) {
    std::vector<double> out(plan);
    for (double& v : out) v = std::round(v) + 0.0;  // no -0
    return out;
}

}  // namespace

bool integerFirstStage(const ModelTemplate& tpl) {
    std::string text;
    for (const std::string& line : tpl.lines()) {
        // Comment lines (a '*' in column 1) declare nothing.
        if (!line.empty() && line[0] == '*') continue;
        text += lowered(line) + "\n";
    }
    for (const char* kind : {"binary", "integer"}) {
        size_t at = 0;
        while ((at = text.find(kind, at)) != std::string::npos) {
            size_t after = at + std::string(kind).size();
            bool word = (at == 0 || !identifierChar(text[at - 1]));
            size_t v = after;
            while (v < text.size() && std::isspace(static_cast<unsigned char>(text[v]))) v++;
            at = after;
            if (!word || text.compare(v, 8, "variable") != 0) continue;
            size_t list = v + 8;
            if (list < text.size() && text[list] == 's') list++;
            size_t end = text.find(';', list);
            if (declaresX(text.substr(list, end == std::string::npos ? std::string::npos : end - list))) return true;
        }
    }
    return false;
}

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
