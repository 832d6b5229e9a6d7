// Watching one launch of the solver worker: the classic waiting message once a
// second, the done files of the scenarios, the launch itself and an optional
// time limit. Shared by the dialogue's iteration and the option mode.
#ifndef PHA_PARALLELSOLVE_H
#define PHA_PARALLELSOLVE_H

#include <string>
#include <vector>

#include "ChildProcess.h"

struct DoneFileWait {
    std::vector<int> scenarios;       // whose done files are awaited
    std::string launchText;           // the launch command, for the messages
    double timeLimitSeconds = 0;      // 0: wait as long as it takes
    bool launchEndsWithTheSolves = true;  // the classic launch: mpirun ends once all are done
};

// Waits until every awaited done file exists, printing the classic waiting
// message once a second (on a terminal: once, then one progress line updated
// in place). Throws GeneralException and stops the launch when the launch
// ended while done files are missing (whatever its exit status: nothing can
// create them any more), or when the time limit passed; both messages name
// the scenarios without a done file. The done files are left in place. A
// classic launch is then awaited until it ends (within the time limit).
void waitForDoneFiles(ChildProcess& launch, const DoneFileWait& wait);

// The per-iteration time limit of the dialogue, from PHA_ITERATION_TIMEOUT
// (seconds, a positive finite number); 0 when it is not set. Throws
// GeneralException naming the variable when its value is not such a number.
double iterationTimeLimitFromEnvironment();

// How long a stopped launch gets to end its processes before SIGKILL.
constexpr double kStopGraceSeconds = 3.0;

// "2, 5-7, 9": scenario numbers, ascending runs shortened.
std::string scenarioList(const std::vector<int>& scenarios);

#endif
