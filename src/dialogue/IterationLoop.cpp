// The iteration of the hedging run, its console report and the results report.
#include "GAMSInOut.h"
#include "Exceptions.h"
#include "SafeFiles.h"
#include "AverageChange.h"
#include "IterationReport.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

const char* const kResultsFile = "results.txt";

void removeScenarioFiles(int numScenarios) {
    for (int k = 1; k <= numScenarios; k++) {
        std::remove(("scenario" + std::to_string(k) + ".gms").c_str());
        std::remove(("scenario" + std::to_string(k) + ".lst").c_str());
    }
}

}  // namespace

void PHA::runPHA(int maxNumIter) {
    int iter = 1;
    bool c = true;
    // Never through a link; every write is checked, so a report that could
    // not be saved stops the run instead of being announced as saved.
    CheckedOutput fresult(kResultsFile);

    while (c && iter < maxNumIter + 1) {
        printIterationHeader(iter);
        S->makeGAMSSourceFiles(templet);
        // The average these models were built with, for the change test below.
        std::vector<double> builtWith = currentAverage(*S);
        runGAMSinParallel();
        S->loadAllScenarioSolutionsFromLSTFiles();
        S->calcAverageSolution();

        printIterationDecisions(*S);
        double dist = S->calcTerminationCondition();
        S->saveAllScenarioSolutionsToFile(iter, dist, fresult.stream());
        // A run stopped from outside keeps every finished iteration.
        fresult.flush();
        double change = averageChange(*S, builtWith);
        std::printf("Distance parameter delta in %d-th iteration is %0.9f.\n\n", iter, dist);
        std::printf("Change of the first-stage average in %d-th iteration is %0.9f.\n\n", iter, change);
        std::fflush(stdout);
        iter++;

        if (eps > dist && eps > change) {
            c = false;
        } else {
            S->updateAllWeights(rho);
        }
    }

    fresult.close();
    if (!c) printConvergedVerdict(*S);
    else printLimitVerdict();
    std::fflush(stdout);
    removeScenarioFiles(S->numScenarios);
}

void SCENARIOS::saveAllScenarioSolutionsToFile(int it, double delta, FILE* f) {
    std::fprintf(f, "Iteration %d:\n", it);
    for (int k = 1; k <= numScenarios; k++) {
        const SCENARIO* s = scenarios[k - 1];
        std::fprintf(f, " Scenario %d\n", k);
        std::fprintf(f, " : 1st stage decision:\n");
        for (int j = 0; j < s->solution1->size; j++) std::fprintf(f, "  > %0.10f\n", s->solution1->data[j]);
        std::fprintf(f, " : 2nd stage decision:\n");
        for (int j = 0; j < s->solution2->size; j++) std::fprintf(f, "  > %0.10f\n", s->solution2->data[j]);
    }
    std::fprintf(f, "Average solution:\n");
    for (int j = 0; j < averageSolution1->size; j++) std::fprintf(f, "  > %0.10f\n", averageSolution1->data[j]);
    std::fprintf(f, "Dist = %0.10f\n\n", delta);
}

void SCENARIOS::printAllScenarioSolutions() {
    for (int k = 1; k <= numScenarios; k++) {
        std::printf("First-stage solution for scenario %d:\n", k);
        scenarios[k - 1]->solution1->printVector();
        std::printf("Second-stage solution for scenario %d:\n", k);
        scenarios[k - 1]->solution2->printVector();
    }
}
