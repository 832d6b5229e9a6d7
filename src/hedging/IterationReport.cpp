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
    // Built whole and written at once: pha writes this block between two rounds, while the workers wait.
    std::string block = "Iteration " + std::to_string(it) + ":\n";
    const auto value = [&block](double v) {
        block += "  > ";
        appendFixed(block, v, 10);
        block += '\n';
    };
    for (int k = 1; k <= numScenarios; k++) {
        const SCENARIO* s = scenarios[k - 1];
        block += " Scenario " + std::to_string(k) + "\n : 1st stage decision:\n";
        for (int j = 0; j < s->solution1->size; j++) value(s->solution1->data[j]);
        block += " : 2nd stage decision:\n";
        for (int j = 0; j < s->solution2->size; j++) value(s->solution2->data[j]);
    }
    block += "Average solution:\n";
    for (int j = 0; j < averageSolution1->size; j++) value(averageSolution1->data[j]);
    block += "Dist = ";
    appendFixed(block, delta, 10);
    block += "\n\n";
    std::fwrite(block.data(), 1, block.size(), f);
}

void SCENARIOS::printAllScenarioSolutions() {
    for (int k = 1; k <= numScenarios; k++) {
        std::printf("First-stage solution for scenario %d:\n", k);
        scenarios[k - 1]->solution1->printVector();
        std::printf("Second-stage solution for scenario %d:\n", k);
        scenarios[k - 1]->solution2->printVector();
    }
}
