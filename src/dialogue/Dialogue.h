// The classic run: every run parameter is asked on the console.
#ifndef PHA_DIALOGUE_H
#define PHA_DIALOGUE_H

#include <cstdio>

// Banner, GAMS path check, the seven prompts, the scenario preparation and
// the hedging run. Failures leave as exceptions (see FailureReport.h). The
// first-stage decisions of the "Y" answer are read by loadPrimalFirstStage
// (PrimalStart.h).
void runDialogue(FILE* in);

#endif
