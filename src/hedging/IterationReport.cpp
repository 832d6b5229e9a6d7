#include "IterationReport.h"

#include <cstdio>
#include <string>

void printIterationHeader(int iter) {
    const std::string rule(60, '=');
    std::printf("%s\n", rule.c_str());
    std::printf("====================== Iteration %4d ======================\n", iter);
    std::printf("%s\n\n", rule.c_str());
}

void printIterationDecisions(SCENARIOS& s) {
    std::printf("First-stage decision:\n");
    s.averageSolution1->printVector();
    for (int k = 1; k <= s.numScenarios; k++) {
        std::printf("Second-stage decision for scenario %d:\n", k);
        s.averageSolution2[k - 1]->printVector();
    }
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
