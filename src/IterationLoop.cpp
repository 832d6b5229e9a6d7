// The iteration of the hedging run, its console report and the results report.
#include "GAMSInOut.h"
#include "Exceptions.h"
#include "SafeFiles.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

const char* const kResultsFile = "results.txt";

void printIterationHeader(int iter) {
    const std::string rule(60, '=');
    std::printf("%s\n", rule.c_str());
    std::printf("====================== Iteration %4d ======================\n", iter);
    std::printf("%s\n\n", rule.c_str());
}

// numScenarios times the squared distance between the new first-stage average
// and the one this iteration's models were built with. The scenarios can agree
// with each other while the average still moves; delta alone misses that.
double averageChange(const SCENARIOS& s, const std::vector<double>& previous) {
    double sum = 0.0;
    for (int j = 0; j < s.averageSolution1->size && j < static_cast<int>(previous.size()); j++) {
        double d = s.averageSolution1->data[j] - previous[static_cast<size_t>(j)];
        sum += d * d;
    }
    return s.numScenarios * sum;
}

void printConvergedVerdict(SCENARIOS& s) {
    std::printf("Finished!\n\n");
    std::printf("********** Optimal solution has been found! **********\n\n");
    std::printf("First-stage optimal decision:");
    s.averageSolution1->printVector();
    for (int k = 1; k <= s.numScenarios; k++) {
        std::printf("Second-stage optimal decision for scenario %d:\n", k);
        s.averageSolution2[k - 1]->printVector();
    }
    std::printf("\n");
    std::printf("The computing report has been saved in file 'results.txt'.\n\n");
}

void printLimitVerdict() {
    std::printf("\nThe algorithm performed the given maximal number of iterations and\n");
    std::printf("it does not reach an optimal solution for the given problem. Try to\n");
    std::printf("increase the maximum number of iterations or the penalty parameter.\n\n");
    std::printf("The report has been saved in file 'results.txt'.\n\n");
}

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
        std::vector<double> builtWith(S->averageSolution1->data,
                                      S->averageSolution1->data + S->averageSolution1->size);
        runGAMSinParallel();
        S->loadAllScenarioSolutionsFromLSTFiles();
        S->calcAverageSolution();

        std::printf("First-stage decision:\n");
        S->averageSolution1->printVector();
        for (int k = 1; k <= S->numScenarios; k++) {
            std::printf("Second-stage decision for scenario %d:\n", k);
            S->averageSolution2[k - 1]->printVector();
        }
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
