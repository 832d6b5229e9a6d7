// The option mode's console lines about the answer: one line of numbers per
// iteration and the final verdict with the plan, its bounds and their gap.
#ifndef PHA_TRUSTREPORT_H
#define PHA_TRUSTREPORT_H

#include <string>

#include "Bounds.h"
#include "RunRecord.h"

// Without --gap, the verdict calls a plan optimal when the relative gap of
// its bounds is at most this.
constexpr double kDefaultVerdictGap = 1e-3;

// "Iteration 12: delta 1.2e-03, D 4.0e-04, E[cost] -108390.12, best L -108391.00, best U -108390.00, gap 9.2e-06"
// with "-" for what is not known.
std::string iterationLine(const IterationNumbers& n, const BoundKeeper& bounds);

// The final verdict; `gapLimit` is --gap or kDefaultVerdictGap, `absGapLimit`
// --abs-gap (< 0: off). `why` says why the iterations ended. Returns the
// verdict word recorded in the JSON record: "optimal" only within a gap.
std::string printTrustVerdict(const BoundKeeper& bounds, double gapLimit, const std::string& why,
                              const std::vector<double>& average, double absGapLimit = -1.0);

#endif
