#include "IterationReport.h"

#include <cstdio>
#include <string>

#include "NumberText.h"

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
    // The numbers through the number writer (printf's floating-point path cost most of this block); each
    // line goes into the stream's buffer by itself, so that a failed write is found with its cause when
    // the stream is flushed.
    std::string line;
    const auto value = [&line, f](const char* before, double v, const char* after) {
        line = before;
        appendFixed(line, v, 10);
        line += after;
        std::fputs(line.c_str(), f);
    };
    std::fprintf(f, "Iteration %d:\n", it);
    for (int k = 1; k <= numScenarios; k++) {
        const SCENARIO* s = scenarios[k - 1];
        std::fprintf(f, " Scenario %d\n : 1st stage decision:\n", k);
        for (int j = 0; j < s->solution1->size; j++) value("  > ", s->solution1->data[j], "\n");
        std::fputs(" : 2nd stage decision:\n", f);
        for (int j = 0; j < s->solution2->size; j++) value("  > ", s->solution2->data[j], "\n");
    }
    std::fputs("Average solution:\n", f);
    for (int j = 0; j < averageSolution1->size; j++) value("  > ", averageSolution1->data[j], "\n");
    value("Dist = ", delta, "\n\n");
}

void SCENARIOS::printAllScenarioSolutions() {
    for (int k = 1; k <= numScenarios; k++) {
        std::printf("First-stage solution for scenario %d:\n", k);
        scenarios[k - 1]->solution1->printVector();
        std::printf("Second-stage solution for scenario %d:\n", k);
        scenarios[k - 1]->solution2->printVector();
    }
}
