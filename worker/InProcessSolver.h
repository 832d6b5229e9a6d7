// The bundled solver called in the worker's own process: no program is
// started per solve, so a solve costs what the model costs.
#ifndef SCW_INPROCESSSOLVER_H
#define SCW_INPROCESSSOLVER_H

#include <string>

#include "ScenarioSolve.h"

// True when the GAMS path names the bundled solver (a real GAMS is always
// started as a program).
bool namesBundledSolver(const std::string& gamsPath);

// Readies this process for many solves in a row: each scenario's next solve
// starts from its last solution, and freed memory stays with the process
// instead of going back to the system after every solve (the simplex
// library's work areas would otherwise be mapped and faulted in anew each time).
void prepareForManySolves();

// Runs a GAMS command line (program name first) through the bundled solver's
// library entry; the result reads like that of the program.
LaunchResult runBundledSolver(const std::vector<std::string>& command, const std::string& dir);

#endif
