// One run per working directory: two runs there would solve each other's
// scenario models and mix their reports.
#ifndef PHA_RUNLOCK_H
#define PHA_RUNLOCK_H

#include <string>

// Holds an exclusive flock on "pha.lock" in the working directory for its
// lifetime. The kernel releases it when the process ends, however it ends, so
// a crashed run never blocks the next one. The file itself stays.
// The name of the lock file in the working directory.
const char* runLockFileName();

class RunLock {
public:
    // Throws GeneralException at once, naming the directory, when another
    // process holds the lock or the lock file cannot be made.
    RunLock();
    ~RunLock();
    RunLock(const RunLock&) = delete;
    RunLock& operator=(const RunLock&) = delete;

private:
    int fd_;
};

#endif
