// The classic run: every run parameter is asked on the console.
#ifndef PHA_DIALOGUE_H
#define PHA_DIALOGUE_H

#include <cstdio>

class SCENARIOS;

// Banner, GAMS path check, the seven prompts, the scenario preparation and
// the hedging run. Failures leave as exceptions (see FailureReport.h).
void runDialogue(FILE* in);

// Seeds the first-stage average with the probability-weighted sum of the
// first-stage decisions read from `in`, one per scenario and variable.
void loadPrimalFirstStage(SCENARIOS& S, FILE* in);

#endif
