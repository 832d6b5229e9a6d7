// The listing of the scenario set and its consistency check: probabilities
// summing to one, and the same parameter count for every scenario.
#include <cmath>
#include <cstdio>

#include "Exceptions.h"
#include "GAMSInOut.h"
#include "TemplateCodes.h"

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

    if (!numParamConsistency) throw NumParametersException();
    std::printf("Test of the inner parameters scenarios consistency >> OK\n\n");
    refuseCodeRangeOverflow(*this, weightCodes, dataParameter);
}
