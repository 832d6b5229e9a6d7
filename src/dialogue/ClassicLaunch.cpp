// The parallel solve of one dialogue iteration: start the solver worker
// through mpirun, one process per scenario, and wait for every scenario's
// done file.
#include "GAMSInOut.h"
#include "ChildProcess.h"
#include "Exceptions.h"
#include "Launch.h"
#include "ParallelSolve.h"
#include "SolveOutcome.h"
#include "WorkerProgram.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

void removeDoneFiles(int n) {
    for (int k = 1; k <= n; k++) std::remove(doneFilePath("", k).c_str());
}

}  // namespace

void PHA::runGAMSinParallel() {
    const int n = S->numScenarios;
    DoneFileWait wait;
    wait.timeLimitSeconds = iterationTimeLimitFromEnvironment();
    // The path is passed as one argument without a shell, so nothing in it is
    // interpreted; only the line break that ended its line is dropped.
    std::string gamsPath = withoutTrailingLineBreaks(pathGams != nullptr ? pathGams : "");
    std::vector<std::string> command = {"mpirun", "-np", std::to_string(n), workerProgram(),
                                        currentDirectory(), gamsPath};
    wait.launchText = commandLine(command);
    for (int k = 1; k <= n; k++) wait.scenarios.push_back(k);
    // A done file left by an aborted earlier run would pass for this iteration's.
    removeDoneFiles(n);
    LaunchResult failure;
    ChildProcess launch = startChild(command, "", false, false, failure);
    if (launch.pid < 0) {
        std::string message = " > ERROR! The solver launch '" + wait.launchText + "' failed (" + failure.describe() +
                              "); " + std::to_string(n) + " of " + std::to_string(n) +
                              " scenarios reported no result.";
        throw GeneralException(message.c_str());
    }
    try {
        waitForDoneFiles(launch, wait);
        // A failed or killed solve must never be read as a result.
        refuseFailedSolves(wait.scenarios);
    } catch (...) {
        stopChild(launch, kStopGraceSeconds);
        removeDoneFiles(n);
        throw;
    }
    removeDoneFiles(n);
}
