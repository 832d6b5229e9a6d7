// The record of an option-mode run for programs (--json FILE): the settings,
// every iteration's numbers, averages and times, and the final plan with its
// bounds. The file is rewritten whole after every iteration, so a run stopped
// from outside leaves a complete record of what it finished.
#ifndef PHA_RUNRECORD_H
#define PHA_RUNRECORD_H

#include <string>
#include <vector>

#include "RunOptions.h"

struct IterationNumbers {
    int iteration = 0;
    double delta = 0.0;
    double change = 0.0;  // D; not defined for iteration 0
    bool hasChange = true;
    bool hasExpectedCost = false;
    double expectedCost = 0.0;
    // Bounds evaluated in this iteration (if any) and the best ones so far.
    bool hasLower = false, hasUpper = false, hasBestLower = false, hasBestUpper = false;
    double lower = 0.0, upper = 0.0, bestLower = 0.0, bestUpper = 0.0;
    std::vector<double> average;
    std::vector<double> rho;  // rho per first-stage variable after the iteration (option mode with rho_j)
    double seconds = 0.0;  // wall time of the iteration, its bound solves included
};

struct FinalAnswer {
    std::string verdict;  // "optimal", "gap not reached", "iteration limit", ...
    std::string reason;   // why the run stopped: "the iteration limit", "interrupted by SIGINT", ...
    int iterations = 0;
    bool hasPlan = false;  // a plan with an inner bound
    std::vector<double> plan;
    bool hasLower = false, hasUpper = false;
    double lower = 0.0, upper = 0.0;
    double seconds = 0.0;
};

// A hash of the file's bytes (64-bit FNV-1a, as 16 hex digits), recorded in
// the settings so that --resume knows the template and settings file again;
// "" when the file cannot be read.
std::string fileHash(const std::string& fileName);

class RunRecord {
public:
    // Records nothing when `fileName` is empty.
    RunRecord(const std::string& fileName, const RunOptions& options, int numScenarios, int workers);

    // Whether there is a file to record into (--json); without one nothing needs to be given.
    bool recording() const { return !fileName_.empty(); }
    // --resume: the recorded run's iterations (JSON text) come first, so the record is the whole run's.
    void carryIterations(const std::vector<std::string>& iterations) { iterations_ = iterations; }
    void addIteration(const IterationNumbers& numbers);  // writes the file
    void finish(const FinalAnswer& answer);              // writes the file
    // The state to go on from after the iteration just added (JSON text); written with the next write.
    void setResumeState(const std::string& state) { resume_ = state; }
    // The extensive form's answer of --ef-check (JSON text); written with the next write.
    void setExtensiveForm(const std::string& answer) { extensiveForm_ = answer; }

    // The record as JSON text.
    std::string text() const;

private:
    void write() const;

    std::string fileName_;
    std::string settings_;
    std::vector<std::string> iterations_;
    std::string final_;
    std::string resume_;
    std::string extensiveForm_;
};

#endif
