// The one place where a failed run is reported: every exception class prints
// its own message, and the exit status tells a calling script it failed.
#ifndef PHA_FAILUREREPORT_H
#define PHA_FAILUREREPORT_H

#include <functional>

// A reported failure must not look like success to a calling script.
constexpr int kFailureStatus = 2;

// Runs `run`; returns 0 when it ends normally, otherwise prints the failure's
// message and returns kFailureStatus.
int runReportingFailures(const std::function<void()>& run);

#endif
