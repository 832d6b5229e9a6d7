// One scenario's share of the solver worker: run GAMS on scenario<k>.gms in
// the working directory and mark the scenario done.
#ifndef SCW_SCENARIOSOLVE_H
#define SCW_SCENARIOSOLVE_H

#include <functional>
#include <string>
#include <vector>

#include "Launch.h"
#include "SolveOutcome.h"

// The GAMS program named by the path argument: a directory means its "gams".
std::string gamsExecutable(const std::string& gamsPath);

// The GAMS command line for scenario k: listing scenario<k>.lst in `dir`, no
// log on the console, and a page size that keeps tables free of page breaks.
std::vector<std::string> gamsCommand(const std::string& gamsPath, const std::string& dir, int k);

// Clears the old listing (clearListing) and removes the done file, runs GAMS, and then creates done<k>
// with how the solve ended (SolveOutcome.h), also when GAMS failed (the failure
// is told on standard error too). Returns false only when the done file itself
// could not be created.
bool solveScenario(const std::string& dir, const std::string& gamsPath, int k);

// How a GAMS command line is run: a program started and waited for
// (runAndWait), or the bundled solver called in this process.
using GamsRunner = std::function<LaunchResult(const std::vector<std::string>& command, const std::string& dir)>;

// solveScenario with the given way of running GAMS.
// `sayFailures`: a failed solve also gets a line on stderr; the serve mode's
// pha reports it from the done file, once, and passes false.
bool solveScenario(const std::string& dir, const std::string& gamsPath, int k, const GamsRunner& run,
                   bool sayFailures = true);

// The serve mode's solve of scenario k: the listing cleared in place, GAMS
// run, and how it ended returned instead of written into a done file (the
// rank reports it to pha on its pipe).
SolveOutcome solveScenarioQuietly(const std::string& dir, const std::string& gamsPath, int k, const GamsRunner& run);

#endif
