#include "PrimalStart.h"

#include <cmath>
#include <cstdio>
#include <string>

#include "Exceptions.h"
#include "GAMSInOut.h"

// fscanf reads "nan", "inf" and 1e999 as numbers; none of them can steer a run.
void refuseNonFinite(double value, const std::string& message) {
    if (std::isfinite(value)) return;
    std::string text = message + "\n >> The value " + (std::isnan(value) ? "nan" : value > 0 ? "inf" : "-inf") +
                       " is not a finite number.";
    throw WrongInputParameter(text.c_str());
}

// Seeds the first-stage average with the probability-weighted sum of the
// user's first-stage decisions, added in scenario order to its zeros.
void loadPrimalFirstStage(SCENARIOS& S, FILE* in) {
    VECTOR& average = *S.averageSolution1;
    for (int i = 1; i <= S.numScenarios; i++) {
        std::printf(" > PRIMAL SOLUTION: scenario %d\n", i);
        std::printf("   > First stage variables:\n");
        for (int j = 1; j <= average.size; j++) {
            std::printf("     x[%d] = ", j);
            std::fflush(stdout);
            double p = 0.0;
            std::string message = "A problem with the first-stage variable x[" + std::to_string(j) +
                                  "] of scenario " + std::to_string(i) + " has occured. Check the given number.";
            if (std::fscanf(in, "%lf", &p) != 1) throw WrongInputParameter(message.c_str());
            refuseNonFinite(p, message);
            average.data[j - 1] = average.data[j - 1] + p * S.scenarios[i - 1]->probability;
        }
        std::printf("\n");
    }
}
