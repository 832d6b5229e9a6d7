#include "RhoPerVariable.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "CheckedNumbers.h"
#include "Exceptions.h"
#include "InputFiles.h"

namespace {

[[noreturn]] void refuseRhoFile(const std::string& fileName, long line, const std::string& text) {
    const std::string message = " > ERROR! --rho-file '" + fileName + "'" +
                                (line > 0 ? ", line " + std::to_string(line) : std::string()) + ": " + text;
    throw WrongInputParameter(message.c_str());
}

}  // namespace

std::vector<double> readRhoFile(const std::string& fileName, int n1) {
    // At most 100 values (the codes @500..): a file of a megabyte holds them with any comments.
    const std::string unfit = regularInputFile(fileName, 1 << 20);
    if (!unfit.empty()) refuseRhoFile(fileName, 0, "the file " + unfit + ".");
    std::ifstream in(fileName);
    if (!in) refuseRhoFile(fileName, 0, "the file cannot be read.");
    std::vector<double> rho;
    std::string line;
    long number = 0;
    while (std::getline(in, line)) {
        number++;
        std::istringstream words(line);
        std::string word;
        if (!(words >> word) || word[0] == '%') continue;
        double value = 0.0;
        const std::string why = readDecimal(word, value);
        if (!why.empty()) refuseRhoFile(fileName, number, quotedToken(word) + " " + why + ".");
        if (!(value > 0.0)) refuseRhoFile(fileName, number, quotedToken(word) + " is not greater than 0.");
        std::string extra;
        if (words >> extra)
            refuseRhoFile(fileName, number, "one value a line, but " + quotedToken(extra) + " follows.");
        rho.push_back(value);
    }
    if (static_cast<int>(rho.size()) != n1)
        refuseRhoFile(fileName, 0, "it has " + std::to_string(rho.size()) + " values, --n1 asks for " +
                                       std::to_string(n1) + ".");
    return rho;
}

std::vector<double> costOverSpreadRho(const SCENARIOS& set, const std::vector<double>& costPerUnit) {
    std::vector<double> rho;
    for (int j = 0; j < set.numVariables1; j++) {
        double spread = 0.0;
        for (int s = 0; s < set.numScenarios; s++)
            spread += set.scenarios[s]->probability *
                      std::fabs(set.scenarios[s]->solution1->data[j] - set.averageSolution1->data[j]);
        const double c = j < static_cast<int>(costPerUnit.size()) ? costPerUnit[static_cast<size_t>(j)] : 1.0;
        // A variable with no cost still needs a positive rho to be pulled to the average.
        rho.push_back(std::max(c, 1e-6) / std::max(1.0, spread));
    }
    return rho;
}

std::vector<double> costPerUnitEstimate(const SCENARIOS& set, double expectedCost) {
    double size = 0.0;
    for (int j = 0; j < set.numVariables1; j++) size += std::fabs(set.averageSolution1->data[j]);
    return std::vector<double>(static_cast<size_t>(set.numVariables1),
                               std::fabs(expectedCost) / std::max(1.0, size));
}

std::vector<double> secantRho(const SCENARIOS& set, const std::vector<std::vector<double>>& slopes,
                              const std::vector<double>& plan) {
    const size_t n1 = static_cast<size_t>(set.numVariables1);
    if (slopes.size() != static_cast<size_t>(set.numScenarios) || plan.size() != n1) return {};
    std::vector<double> rose(n1, 0.0), moved(n1, 0.0);
    double roseAll = 0.0, movedAll = 0.0;
    for (int s = 0; s < set.numScenarios; s++) {
        const double p = set.scenarios[s]->probability;
        const std::vector<double>& g = slopes[static_cast<size_t>(s)];
        if (g.size() != n1) return {};
        for (size_t j = 0; j < n1; j++) {
            const double d = plan[j] - set.scenarios[s]->solution1->data[j];
            rose[j] += p * g[j] * d;
            moved[j] += p * d * d;
        }
    }
    for (size_t j = 0; j < n1; j++) {
        roseAll += rose[j];
        movedAll += moved[j];
    }
    if (!(movedAll > 0.0) || !(roseAll > 0.0)) return {};
    const double overall = roseAll / movedAll;
    std::vector<double> rho(n1, overall);
    for (size_t j = 0; j < n1; j++)
        if (moved[j] > 0.0 && rose[j] > 0.0) rho[j] = rose[j] / moved[j];
    return rho;
}

bool balanceRho(const SCENARIOS& set, const std::vector<double>& previousAverage, std::vector<double>& rho,
                double ratio, double factor) {
    bool changed = false;
    for (size_t j = 0; j < rho.size() && j < previousAverage.size(); j++) {
        const int jj = static_cast<int>(j);
        if (jj >= set.numVariables1) break;
        double primal = 0.0;
        for (int s = 0; s < set.numScenarios; s++) {
            const double d = set.scenarios[s]->solution1->data[jj] - set.averageSolution1->data[jj];
            primal += set.scenarios[s]->probability * d * d;
        }
        primal = std::sqrt(primal);
        const double dual = rho[j] * std::fabs(set.averageSolution1->data[jj] - previousAverage[j]);
        // Below 1e-9 the scenarios agree: no reason to raise rho any more.
        if (primal > ratio * dual && primal > 1e-9) {
            rho[j] *= factor;
            changed = true;
        } else if (dual > ratio * primal) {
            rho[j] /= factor;
            changed = true;
        }
    }
    return changed;
}

void updateWeightsPerVariable(SCENARIOS& set, const std::vector<double>& rho, double rho2) {
    for (int s = 0; s < set.numScenarios; s++) {
        SCENARIO* sc = set.scenarios[s];
        for (int j = 0; j < set.numVariables1 && j < static_cast<int>(rho.size()); j++)
            sc->weights1->data[j] += (sc->solution1->data[j] - set.averageSolution1->data[j]) * rho[static_cast<size_t>(j)];
        for (int j = 0; j < set.numVariables2; j++)
            sc->weights2->data[j] += (sc->solution2->data[j] - set.averageSolution2[s]->data[j]) * rho2;
    }
}

double meanOf(const std::vector<double>& values) {
    if (values.empty()) return 0.0;
    double sum = 0.0;
    for (double v : values) sum += v;
    return sum / static_cast<double>(values.size());
}
