// The numerical core of progressive hedging: the implementable average, the
// distance of the scenario decisions from it, and the penalty weight update.
// Sums run in the fixed orders below so results are reproducible bit for bit.
#include "GAMSInOut.h"

void SCENARIOS::calcAverageSolution() {
    // First stage: probability-weighted mean, scenarios added in file order.
    for (int j = 0; j < numVariables1; j++) {
        averageSolution1->data[j] = 0.0;
        for (int s = 0; s < numScenarios; s++)
            averageSolution1->data[j] += scenarios[s]->probability * scenarios[s]->solution1->data[j];
    }
    // Second-stage decisions are scenario-specific: each scenario's "average" is its own decision.
    for (int s = 0; s < numScenarios; s++)
        for (int j = 0; j < numVariables2; j++)
            averageSolution2[s]->data[j] = scenarios[s]->solution2->data[j];
}

double SCENARIOS::calcTerminationCondition() {
    // Unweighted sum of squares over the first stage only; the user's tolerance is compared with it.
    double delta = 0.0;
    for (int s = 0; s < numScenarios; s++) delta += calcSquareOfVectors(scenarios[s]->solution1, averageSolution1);
    return delta;
}

void SCENARIOS::updateAllWeights(double r) {
    for (int s = 0; s < numScenarios; s++) {
        SCENARIO* sc = scenarios[s];
        for (int j = 0; j < numVariables1; j++)
            sc->weights1->data[j] += (sc->solution1->data[j] - averageSolution1->data[j]) * r;
        for (int j = 0; j < numVariables2; j++)
            sc->weights2->data[j] += (sc->solution2->data[j] - averageSolution2[s]->data[j]) * r;
    }
}

// Scales only the value written into the models; the weight update keeps its own rho.
void SCENARIOS::changeRho(double A) { rho = rho * A; }
