// The user's first-stage decisions that seed the first average: the
// dialogue's "Y" answer, read from the console, and the option mode's
// --start FILE, read from that file in the same order.
#ifndef PHA_PRIMALSTART_H
#define PHA_PRIMALSTART_H

#include <cstdio>
#include <string>

class SCENARIOS;

// Seeds the first-stage average with the probability-weighted sum of the
// first-stage decisions read from `in`, one per scenario and variable. With
// a `source` (the option mode's --start file) every value must be wholly a
// number, and a refusal names the file and the cause; without one (the
// dialogue's console) the values are read as scanf reads them.
void loadPrimalFirstStage(SCENARIOS& S, FILE* in, const std::string& source = "");

// Throws WrongInputParameter with `message` and the value when the value is
// nan or infinite: fscanf reads "nan", "inf" and 1e999 as numbers.
void refuseNonFinite(double value, const std::string& message);

#endif
