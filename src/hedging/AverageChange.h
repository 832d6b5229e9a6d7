// The second stop measure: how far the first-stage average moved in one
// iteration. The scenarios can agree with each other while the average still
// moves; delta alone misses that.
#ifndef PHA_AVERAGECHANGE_H
#define PHA_AVERAGECHANGE_H

#include <vector>

#include "GAMSInOut.h"

// The first-stage average as it stands now.
std::vector<double> currentAverage(const SCENARIOS& s);

// numScenarios times the squared distance between the first-stage average and
// `previous` (the average the iteration's models were built with).
double averageChange(const SCENARIOS& s, const std::vector<double>& previous);

#endif
