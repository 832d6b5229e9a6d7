// Where the solver's time goes, summed over the solves of this thread: a few
// clock readings per solve, read by the benchmark (tools/bench-solve).
#ifndef GAMSUB_PHASETIMES_H
#define GAMSUB_PHASETIMES_H

#include <chrono>

namespace gamsub {

struct PhaseTimes {
    double commandLine = 0.0;     // command line, paths, opening the listing
    double frontEnd = 0.0;        // reading the input, dollar control, parsing
    double sourceEcho = 0.0;      // the listing's echo of the source
    double execution = 0.0;       // everything the executor does, solves included
    double engineCompile = 0.0;   // the compiled model (splits, tapes, sparsity)
    double engineSetup = 0.0;     // options, loading the problem into the library
    double engineSolve = 0.0;     // the library's own solve
    double engineTransfer = 0.0;  // levels and marginals back into the instance
    double solutionReport = 0.0;  // the listing's solve summary and solution report
    double closeFiles = 0.0;      // flushing and closing the listing and log

    // The executor's time outside the solve engine and the report: assignments
    // and the model's instantiation.
    double instantiation() const {
        return execution - engineCompile - engineSetup - engineSolve - engineTransfer - solutionReport;
    }
};

inline PhaseTimes& phaseTimes() {
    thread_local PhaseTimes times;
    return times;
}

// Adds the time from its construction (or the last lap) to a phase.
class PhaseClock {
public:
    PhaseClock() : last_(std::chrono::steady_clock::now()) {}
    void lap(double PhaseTimes::*phase) {
        auto now = std::chrono::steady_clock::now();
        phaseTimes().*phase += std::chrono::duration<double>(now - last_).count();
        last_ = now;
    }

private:
    std::chrono::steady_clock::time_point last_;
};

}  // namespace gamsub

#endif
