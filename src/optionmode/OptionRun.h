// The option mode's run: the hedging iteration of the dialogue's run, with
// the parameters from the command line and one persistent set of solver
// workers for the whole run.
#ifndef PHA_OPTIONRUN_H
#define PHA_OPTIONRUN_H

#include "RunOptions.h"

// Runs to convergence or the iteration limit; failures leave as exceptions
// (see FailureReport.h).
void runOptionMode(const RunOptions& options);

#endif
