// Reader for the results report results.txt that pha appends one block to per
// iteration: each scenario's decisions, the first-stage average and delta.
#ifndef PHA_TOOLS_RESULTSFILE_H
#define PHA_TOOLS_RESULTSFILE_H

#include <istream>
#include <stdexcept>
#include <string>
#include <vector>

struct ScenarioDecisions {
    int number = 0;
    std::vector<double> firstStage;
    std::vector<double> secondStage;
};

struct IterationBlock {
    int iteration = 0;
    std::vector<ScenarioDecisions> scenarios;
    std::vector<double> average;  // first-stage average of this iteration
    double delta = 0.0;           // the "Dist" line: summed squared deviations
};

// A malformed report; the message names the line.
class ResultsFormatError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Reads every complete block; a last block cut off before its "Dist" line
// (a run stopped from outside mid-write) is left out.
std::vector<IterationBlock> readResults(std::istream& in);

// One entry per block: numScenarios times the squared change of the
// first-stage average from the previous block, as pha's second stop measure;
// NaN for the first block, whose starting average the report does not hold.
std::vector<double> averageChanges(const std::vector<IterationBlock>& blocks);

#endif
