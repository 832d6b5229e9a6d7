// Child processes that cannot outlive pha: each runs in its own process group,
// gets SIGTERM when pha dies (even by SIGKILL), and is ended with its whole
// group when pha is interrupted (SIGINT, SIGTERM, SIGHUP).
#ifndef PHA_CHILDPROCESS_H
#define PHA_CHILDPROCESS_H

#include <string>
#include <sys/types.h>
#include <vector>

#include "Launch.h"

struct ChildProcess {
    pid_t pid = -1;
    int inFd = -1;   // write end of the child's standard input, when piped
    int outFd = -1;  // read end of the child's standard output, when piped
};

// Starts argv without a shell (argv[0] searched on the PATH when it holds no
// slash), in its own process group, in workDir when not empty. Standard input
// comes from /dev/null unless pipeInput (then inFd is the write end,
// close-on-exec here); standard output is inherited unless pipeOutput (then
// outFd is the read end). The child is registered: SIGINT, SIGTERM and SIGHUP
// of this process end every registered child's group (SIGTERM, then SIGKILL
// after a grace period), print one line naming the signal, and exit with
// 128+signal. On failure to start: pid -1 and `failure` describes why.
// The caller closes inFd and outFd.
ChildProcess startChild(const std::vector<std::string>& argv, const std::string& workDir, bool pipeInput,
                        bool pipeOutput, LaunchResult& failure);

// With `defer`, SIGINT, SIGTERM and SIGHUP end the registered children and
// print their line as above, but do not exit: the caller sees interruptedBy()
// (its next wait for a child ends), reports what it has and exits with
// 128+signal itself. A second interruption exits at once.
void deferInterruptExit(bool defer);
// The signal of a deferred interruption, or 0.
int interruptedBy();

// Non-blocking: true once the child has ended (reaped, unregistered, `result` filled).
bool pollChild(ChildProcess& child, LaunchResult& result);

// Blocks until the child has ended; reaps and unregisters it.
LaunchResult waitChild(ChildProcess& child);

// SIGTERM to the child's group, SIGKILL after graceSeconds, reap, unregister.
void stopChild(ChildProcess& child, double graceSeconds);

#endif
