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
