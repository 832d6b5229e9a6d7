#include "AverageChange.h"

std::vector<double> currentAverage(const SCENARIOS& s) {
    return std::vector<double>(s.averageSolution1->data, s.averageSolution1->data + s.averageSolution1->size);
}

double averageChange(const SCENARIOS& s, const std::vector<double>& previous) {
    double sum = 0.0;
    for (int j = 0; j < s.averageSolution1->size && j < static_cast<int>(previous.size()); j++) {
        double d = s.averageSolution1->data[j] - previous[static_cast<size_t>(j)];
        sum += d * d;
    }
    return s.numScenarios * sum;
}
