// The listing of the scenario set and its consistency check: probabilities
// summing to one, and the same parameter count for every scenario.
#include <cmath>
#include <cstdio>
#include <string>

#include "Exceptions.h"
#include "GAMSInOut.h"
#include "TemplateCodes.h"

namespace {

// Where the first scenario whose count differs from the last one's stands in the settings file.
std::string parameterCountMismatch(const SCENARIOS& set, int reference) {
    const auto lineOf = [&set](int k) {
        const size_t i = static_cast<size_t>(k);
        return i < set.settingsLines.size() ? "line " + std::to_string(set.settingsLines[i])
                                            : "scenario " + std::to_string(k + 1);
    };
    std::string text = " > ERROR! The number of parameters is not the same for all scenarios.";
    for (int k = 0; k < set.numScenarios; k++) {
        if (set.scenarios[k]->numParameters == reference) continue;
        text += "\n >> The file '" + set.settingsFile + "', " + lineOf(k) + " gives " +
                std::to_string(set.scenarios[k]->numParameters) + " parameters; the last scenario (" +
                lineOf(set.numScenarios - 1) + ") gives " + std::to_string(reference) + ".";
        break;
    }
    return text;
}

}  // namespace

void SCENARIOS::printAllScenarios() {
    for (int k = 0; k < numScenarios; k++) {
        const SCENARIO* s = scenarios[k];
        std::printf(">> SCENARIO %d: probability = %1.2f, number of parameters = %d\n   ", k + 1, s->probability,
                    s->numParameters);
        // At most as many values as the last scenario has, and never more than this one holds.
        int shown = numParameters < s->numParameters ? numParameters : s->numParameters;
        for (int j = 0; j < shown; j++) std::printf("%2.2f  ", s->data[j]);
        std::puts("\n");
    }
}

void SCENARIOS::checkIntegrity(double epsilon, bool weightCodes, bool dataParameter) {
    // Reference count: the last scenario's. A set without scenarios sums to 0 and fails below.
    int numParam = numScenarios > 0 ? scenarios[numScenarios - 1]->numParameters : 0;
    double sum = 0.0;
    bool numParamConsistency = true;
    for (int k = 0; k < numScenarios; k++) {
        sum += scenarios[k]->probability;
        if (scenarios[k]->numParameters != numParam) numParamConsistency = false;
    }

    // Strict test, written so that a sum that is not a number fails too.
    if (!(epsilon > std::fabs(sum - 1.0))) throw SumProbabilitiesException(sum);
    std::printf("Test of the inner probability scenarios consistency >> OK\n");

    if (!numParamConsistency) throw NumParametersException(parameterCountMismatch(*this, numParam).c_str());
    std::printf("Test of the inner parameters scenarios consistency >> OK\n\n");
    refuseCodeRangeOverflow(*this, weightCodes, dataParameter);
}
