#include "RhoGuard.h"

#include "CheckedNumbers.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>

namespace {

std::string number(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.3g", value);
    return text;
}

// The codes of a template line: '@' and the digits after it.
std::vector<long> codesOf(const std::string& line) {
    std::vector<long> codes;
    for (size_t at = line.find('@'); at != std::string::npos; at = line.find('@', at + 1)) {
        size_t end = at + 1;
        while (end < line.size() && std::isdigit(static_cast<unsigned char>(line[end]))) end++;
        long long code = 0;
        if (end > at + 1 && readWholeNumber(line.substr(at + 1, end - at - 1), 0, 99999, code).empty())
            codes.push_back(static_cast<long>(code));
    }
    return codes;
}

}  // namespace

std::vector<double> rhoScale(const SCENARIOS& set, double expectedCost) {
    double size = 0.0;
    for (int j = 0; j < set.numVariables1; j++) size += std::fabs(set.averageSolution1->data[j]);
    double perUnit = std::fabs(expectedCost) / std::max(1.0, size);
    if (!(perUnit > 0.0) || !std::isfinite(perUnit)) perUnit = 1.0;
    std::vector<double> scale;
    for (int j = 0; j < set.numVariables1; j++)
        scale.push_back(perUnit / std::max(1.0, std::fabs(set.averageSolution1->data[j])));
    return scale;
}

std::vector<std::string> guardAutoRho(const SCENARIOS& set, const std::vector<double>& scale, std::vector<double>& rho) {
    std::vector<std::string> agreedNames;
    std::string agreed, clamped;  // "x('1') measured -> kept", ...
    for (size_t j = 0; j < rho.size() && j < scale.size() && static_cast<int>(j) < set.numVariables1; j++) {
        const int jj = static_cast<int>(j);
        const double average = set.averageSolution1->data[jj];
        double spread = 0.0;
        for (int s = 0; s < set.numScenarios; s++) {
            const double d = set.scenarios[s]->solution1->data[jj] - average;
            spread += set.scenarios[s]->probability * d * d;
        }
        spread = std::sqrt(spread);
        const std::string name = "x('" + std::to_string(j + 1) + "')";
        if (spread <= kAgreedSpread * std::max(1.0, std::fabs(average))) {
            agreedNames.push_back(name);
            agreed += (agreed.empty() ? "" : ", ") + name + " " + number(rho[j]) + " -> " + number(scale[j]);
            rho[j] = scale[j];
            continue;
        }
        const double low = kRhoBelowScale * scale[j], high = kRhoAboveScale * scale[j];
        if (!(rho[j] >= low && rho[j] <= high)) {  // also a rho that is not a number
            const double kept = rho[j] > high ? high : low;
            clamped += (clamped.empty() ? "" : ", ") + name + " " + number(rho[j]) + " -> " + number(kept);
            rho[j] = kept;
        }
    }
    std::vector<std::string> lines;
    if (!agreed.empty())
        lines.push_back("rho auto: the scenarios' first solutions agree on " + std::to_string(agreedNames.size()) +
                        " of " + std::to_string(rho.size()) +
                        " first-stage variables, which leaves nothing to measure there; their rho is the cost "
                        "scale (" + agreed + ").");
    if (!clamped.empty())
        lines.push_back("rho auto: measured values outside " + number(kRhoBelowScale) + " to " +
                        number(kRhoAboveScale) + " times the cost scale are kept at its edge (" + clamped + ").");
    return lines;
}

std::string meanRhoOnlyWarning(const std::vector<std::string>& templateLines, const std::string& templateName) {
    bool mean = false, perVariable = false;
    for (const std::string& line : templateLines)
        for (long code : codesOf(line)) {
            mean = mean || code == 300;
            perVariable = perVariable || (code >= 500 && code <= 599);
        }
    if (!mean || perVariable) return "";
    return "Warning: rho is per first-stage variable, but the template '" + templateName +
           "' writes only @300, the mean of the rho_j: its models pull every x_j with that mean while the weights "
           "grow with rho_j. Write @500.. (rho of x('1'), ...) into the proximal term.";
}
