// What an option-mode run needs to go on after it was stopped (--resume):
// the state after its last finished iteration, kept in the --json record
// under "resume" and read back from there.
#ifndef PHA_RUNRESUME_H
#define PHA_RUNRESUME_H

#include <string>
#include <utility>
#include <vector>

#include "AndersonAcceleration.h"
#include "Bounds.h"
#include "GAMSInOut.h"
#include "RunOptions.h"

struct ResumeState {
    int iteration = 0;  // the last finished iteration
    std::vector<std::vector<double>> weights1, weights2;  // per scenario
    std::vector<double> average;                          // the first-stage average
    std::vector<std::vector<double>> second;              // each scenario's last second stage
    std::vector<double> rho;                              // rho_j of the first stage
    double rhoScalar = 0.0;                               // code 300 and the second stage
    bool hasLower = false, hasUpper = false;
    double lower = 0.0, upper = 0.0;
    int lowerIteration = -1, upperIteration = -1;
    std::vector<double> plan;
    // --accelerate: the mixing history, so that the next iterate is the one
    // the run would have had (points and images of the hedging state).
    AndersonAcceleration::History acceleration;
    // The integer heuristics' fixings: entry (0-based) and value; empty when none.
    std::vector<std::pair<int, double>> fixings;
};

ResumeState capturedState(const SCENARIOS& set, int iteration, const std::vector<double>& rho,
                          const BoundKeeper& bounds, const AndersonAcceleration::History& acceleration = {});

// The state as the JSON text of the record's "resume" entry.
std::string resumeStateText(const ResumeState& state);

// What a --resume record gives the run besides its state.
struct ResumeRecord {
    ResumeState state;
    RunOptions options;                   // the command line's, rho filled in from the record when not given
    std::vector<std::string> iterations;  // the record's iterations up to the state's, as JSON text
    std::string origin;                   // what comes from the record and what from the command line
};

// Reads a --json record whole and checks it before anything runs: every field
// of its "resume" entry of the right type and size (numScenarios, --n1, --n2),
// finite, rho > 0, the iteration within [0, --max-iter]; the template and the
// settings file those the record was made from (their hashes); its settings
// the same as the command line's where they shape the iterates (n1, n2, rho,
// --rho-update, --accelerate, --digits, --cost, --objective). A rho not given
// on the command line is the record's. Throws WrongInputParameter naming the
// file and what is wrong.
ResumeRecord readResumeRecord(const RunOptions& commandLine, int numScenarios);

// Puts weights, averages and second stages back into the scenario set and the bounds into `bounds`.
void restoreState(const ResumeState& state, SCENARIOS& set, BoundKeeper& bounds);

#endif
