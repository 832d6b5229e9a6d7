// The console report of an iteration and the two verdicts, shared by the
// dialogue's run and the option mode; the iteration's block of results.txt
// (SCENARIOS::saveAllScenarioSolutionsToFile) is written in IterationReport.cpp.
#ifndef PHA_ITERATIONREPORT_H
#define PHA_ITERATIONREPORT_H

#include "GAMSInOut.h"

void printIterationHeader(int iter);
// "First-stage decision:" and the averages, then each scenario's second stage.
void printIterationDecisions(SCENARIOS& s);
void printConvergedVerdict(SCENARIOS& s);
void printLimitVerdict();

#endif
