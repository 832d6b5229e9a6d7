// The option mode's parallel solve: one `mpirun -np P scw --serve DIR GAMS
// ANSWERS` for the whole run. Each iteration pha tells the workers to solve
// (on rank 0's standard input) and reads their one-line answer from ANSWERS, a
// named pipe in a private temporary directory: the solver's own output goes to
// standard output and can never pass for an answer. Nothing is polled on disk,
// and no process is started per iteration. When every rank runs on this host
// (the usual case), each rank also has a pair of named pipes of its own:
// pha sends it the command directly and it reports every scenario the moment
// it is solved (RankReports.h), with no done file and no rank waiting for
// another; a free rank takes the next scenario (ScenarioClaims.h). Otherwise
// the commands go through rank 0, each rank solves every P-th scenario and
// writes a done file per scenario. The listings are written by the workers
// either way.
#ifndef PHA_SOLVESESSION_H
#define PHA_SOLVESESSION_H

#include <functional>
#include <string>
#include <vector>

#include "ChildProcess.h"
#include "RankReports.h"
#include "ScenarioClaims.h"
#include "SolveOutcome.h"

class SolveSession {
public:
    // Starts the workers and waits until every rank is up, at most
    // startUpSeconds(solveTimeout). `workers` ranks
    // (at least 1) share `numScenarios` scenarios; `solveTimeout` > 0 limits
    // one solve (an iteration may take that times the scenarios per worker).
    // Throws GeneralException when the workers cannot be started.
    SolveSession(int numScenarios, int workers, const std::string& gamsPath, double solveTimeout);
    ~SolveSession();  // ends the workers (see close)
    SolveSession(const SolveSession&) = delete;
    SolveSession& operator=(const SolveSession&) = delete;

    // Has scenario1.gms .. scenarioN.gms of the working directory solved and
    // returns when every scenario is done and how it ended checked (from its
    // report, or its done file, which is removed).
    // Throws GeneralException naming the scenarios without a result and the
    // cause (a worker died, the time limit, a failed solve).
    void solveAll(int iteration);

    // Scenarios 1..`written` of the coming round are written: on the ranks'
    // own pipes, their solves start now (the rest follow in batches), and
    // solveAll releases what is left and waits for all. Without the pipes:
    // nothing to do.
    void modelsWritten(int iteration, int written);

    // Called with k as soon as a rank reports scenario k solved (rank pipes
    // only), so that its results can be read while the others are solved.
    void onScenarioSolved(std::function<void(int k)> solved) { scenarioSolved_ = std::move(solved); }

    // Tells the workers to end and waits for them (briefly, then ends them).
    void close();

    int workers() const { return workers_; }
    // True when the ranks take their commands and report on their own pipes.
    bool onRankPipes() const { return onRankPipes_; }
    // The sum of the last iteration's solve times, as the workers measured them.
    double lastSolveSeconds() const { return lastSolveSeconds_; }

private:
    // The next line of the workers' answer; false at the end of their answers
    // or output, or when `deadline` (seconds since the command, <= 0: none) has
    // passed. Their other output is passed on to standard error meanwhile.
    bool readAnswer(std::string& line, double deadlineSeconds, bool& timedOut);
    // The workers' answer to `expected` ("ready", "done"), their other output
    // passed on; throws when they end or exceed `deadlineSeconds` first.
    std::vector<std::string> awaitAnswer(const std::string& expected, double deadlineSeconds, int iteration);
    [[noreturn]] void fail(const std::string& cause, int iteration);
    void passOnOutput(bool all);  // complete lines of the workers' output to standard error (all: the rest too)
    void makeAnswerPipe();
    void removeAnswerPipe();
    void unlinkPipeNames();
    void tellRanks(const std::string& line, int iteration);
    // Starts a round on the ranks' pipes: scenarios 1..released may be taken at once.
    void openRound(int iteration, int released);
    // solveAll on the ranks' own pipes.
    void solveOnRankPipes(int iteration, double deadlineSeconds);
    // Takes the complete reports rank `rank` has sent; false when it has closed its pipe.
    bool takeReports(int rank, int iteration);
    // The scenarios without a result in this iteration.
    std::vector<int> scenariosWithoutResult() const;
    // After the workers' output ended or a rank closed its pipe: waits briefly for mpirun and fails.
    [[noreturn]] void failAsEnded(int iteration);

    int numScenarios_;
    int workers_;
    double solveTimeout_;
    std::vector<std::string> command_;
    ChildProcess child_;
    std::string pending_;  // answer text read but not yet taken as a line
    std::string outputPending_;  // the workers' own output, passed on by whole lines
    std::string answerDir_;      // the private directory of the answer pipe
    std::string answerPath_;     // the answer pipe
    int answerFd_ = -1;          // its read end
    bool onRankPipes_ = false;
    std::vector<int> commandFds_;  // per rank: the command pipe (pha holds both ends)
    std::vector<int> reportFds_;   // per rank: the read end of its report pipe (-1 once it closed)
    ScenarioClaims claims_;        // the count of the round's scenarios the ranks have taken
    std::uint32_t roundTag_ = 0;   // the open round's tag in it
    std::vector<ScenarioReportReader> readers_;  // per rank: report text not yet taken
    std::vector<char> reported_;   // per scenario: its report of this iteration came in
    int unreported_ = 0;
    std::function<void(int k)> scenarioSolved_;
    bool roundOpen_ = false;  // the ranks were told to start on the coming round
    int released_ = 0;        // scenarios they may solve so far
    std::vector<std::pair<int, SolveOutcome>> failedSolves_;  // this iteration's
    double lastSolveSeconds_ = 0.0;
};

// How long the workers may take to start: 60 s, or --solve-timeout when that is longer.
double startUpSeconds(double solveTimeout);

// The number of worker ranks: `requested` when given (> 0), else the number
// of cores; never more than the scenarios, never fewer than one.
int workerCount(int requested, int numScenarios);

#endif
