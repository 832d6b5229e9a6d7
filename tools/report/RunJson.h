// Reader for the JSON record of an option-mode run (pha --json FILE): the
// iterations as the results report gives them, plus the expected cost and the
// bounds of every iteration and the final answer.
#ifndef PHA_TOOLS_RUNJSON_H
#define PHA_TOOLS_RUNJSON_H

#include <istream>
#include <string>
#include <vector>

#include "ResultsFile.h"

// One iteration's trust numbers; NaN where the record has none (null).
struct BoundPoint {
    int iteration = 0;
    double expectedCost = 0.0;
    double bestLower = 0.0;
    double bestUpper = 0.0;
    double gap = 0.0;
};

struct RunJson {
    std::vector<IterationBlock> blocks;  // iteration, delta, average; scenarios by number only
    std::vector<BoundPoint> bounds;      // one per block
    std::vector<std::vector<double>> rho;  // rho_j per block; the run's one rho when it has no rho_j
    std::string verdict;                 // empty when the run did not finish
    std::vector<double> plan;
    double lower = 0.0, upper = 0.0, gap = 0.0;  // NaN when missing
};

// Throws ResultsFormatError naming what is wrong.
RunJson readRunJson(std::istream& in);

// Whether the stream starts (after blanks) with "{", as a JSON record does.
bool looksLikeJson(std::istream& in);

#endif
