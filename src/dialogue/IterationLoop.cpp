// The iteration of the dialogue's hedging run.
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
