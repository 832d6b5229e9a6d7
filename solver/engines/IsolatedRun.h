// Running a solver library where its faults cannot end the solver's process:
// an assertion that aborts, a crash, or an exception becomes an error with
// its cause, which the engine reports as a failed solve.
#ifndef GAMSUB_ISOLATEDRUN_H
#define GAMSUB_ISOLATEDRUN_H

#include <functional>
#include <stdexcept>
#include <string>

namespace gamsub {

// A solver library that failed; what() names the library and the cause.
class EngineFault : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Runs `work` in a child process and returns the text it produced. Throws
// EngineFault when the child dies of a signal (SIGABRT from an assertion,
// SIGSEGV, ...), exits without a result, or `work` throws; `library` names
// the library in the message. When no child can be started, runs `work` here.
std::string runIsolated(const std::function<std::string()>& work, const std::string& library);

}  // namespace gamsub

#endif
