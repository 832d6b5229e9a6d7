#include "OptionRun.h"

#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "AverageChange.h"
#include "Dialogue.h"
#include "Exceptions.h"
#include "GAMSInOut.h"
#include "IterationReport.h"
#include "Launch.h"
#include "RunLock.h"
#include "SafeFiles.h"
#include "SolveSession.h"
#include "TextLines.h"
#include "Version.h"

namespace {

const double kProbabilityTolerance = 1e-7;
const char* const kResultsFile = "results.txt";

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// Where the run's wall time went, for the closing line.
struct RunTimes {
    double total = 0.0;
    double solving = 0.0;       // waiting for the workers
    double solverSum = 0.0;     // the solves' own wall times, summed over scenarios
    int solveRounds = 0;
    double own() const { return total - solving; }
};

// --gams, or the first line of pathGAMS.txt without its line break.
std::string gamsPathOf(const RunOptions& o) {
    if (!o.gamsPath.empty()) return o.gamsPath;
    FILE* file = std::fopen("pathGAMS.txt", "r");
    if (file == nullptr) throw FileNotExists("pathGAMS.txt");
    std::string line;
    bool hasFirstLine = readWholeLine(file, line);
    std::fclose(file);
    std::string path = withoutTrailingLineBreaks(line);
    if (!hasFirstLine || path.empty())
        throw GeneralException("The file 'pathGAMS.txt' does not contain the path of GAMS in a proper format.");
    return path;
}

// --start FILE: the first-stage values of every scenario, as the dialogue's Y answer takes them.
void seedFromFile(SCENARIOS& S, const std::string& name) {
    FILE* file = std::fopen(name.c_str(), "r");
    if (file == nullptr) throw FileNotExists(name.c_str());
    try {
        loadPrimalFirstStage(S, file);
    } catch (...) {
        std::fclose(file);
        throw;
    }
    std::fclose(file);
}

class OptionRun {
public:
    OptionRun(const RunOptions& o, SCENARIOS& S, SolveSession& session, CheckedOutput& results)
        : o_(o), S_(S), session_(session), results_(results), templet_(o.templateFile) {}

    // One round of solves: models written, solved, read back, averaged.
    void solveRound(int iteration) {
        S_.makeGAMSSourceFiles(&templet_[0]);
        auto solveStart = Clock::now();
        session_.solveAll(iteration);
        times_.solving += secondsSince(solveStart);
        times_.solverSum += session_.lastSolveSeconds();
        times_.solveRounds++;
        S_.loadAllScenarioSolutionsFromLSTFiles();
        S_.calcAverageSolution();
    }

    // The textbook first iteration: every scenario alone (weights 0, rho 0),
    // their average as the first average, rho (x_k - average) as the weights.
    void solveScenariosAlone() {
        printIterationHeader(0);
        S_.rho = 0.0;
        solveRound(0);
        S_.rho = o_.rho;
        printIterationDecisions(S_);
        double dist = S_.calcTerminationCondition();
        S_.saveAllScenarioSolutionsToFile(0, dist, results_.stream());
        results_.flush();
        std::printf("Distance parameter delta in %d-th iteration is %0.9f.\n\n", 0, dist);
        std::fflush(stdout);
        S_.updateAllWeights(o_.rho);
    }

    // The dialogue's iteration, with the same stop rule and report.
    bool iterate() {
        int iter = 1;
        bool converged = false;
        while (!converged && iter <= o_.maxIterations) {
            printIterationHeader(iter);
            std::vector<double> builtWith = currentAverage(S_);
            solveRound(iter);
            printIterationDecisions(S_);
            double dist = S_.calcTerminationCondition();
            S_.saveAllScenarioSolutionsToFile(iter, dist, results_.stream());
            results_.flush();
            double change = averageChange(S_, builtWith);
            std::printf("Distance parameter delta in %d-th iteration is %0.9f.\n\n", iter, dist);
            std::printf("Change of the first-stage average in %d-th iteration is %0.9f.\n\n", iter, change);
            std::fflush(stdout);
            iter++;
            if (o_.tolerance > dist && o_.tolerance > change) converged = true;
            else S_.updateAllWeights(o_.rho);
        }
        return converged;
    }

    RunTimes& times() { return times_; }

private:
    const RunOptions& o_;
    SCENARIOS& S_;
    SolveSession& session_;
    CheckedOutput& results_;
    std::string templet_;
    RunTimes times_;
};

void printTimes(const RunTimes& t, int workers) {
    double perRound = t.solveRounds > 0 ? t.total / t.solveRounds : 0.0;
    std::printf("Time: %.3f s for %d solve rounds (%.4f s per round) on %d workers; waiting for the solves %.3f s "
                "(solver time %.3f s summed over the scenarios); pha's own work %.3f s (%.1f%%).\n\n",
                t.total, t.solveRounds, perRound, workers, t.solving, t.solverSum, t.own(),
                t.total > 0 ? 100.0 * t.own() / t.total : 0.0);
}

void removeScenarioFiles(int numScenarios) {
    for (int k = 1; k <= numScenarios; k++) {
        std::remove(("scenario" + std::to_string(k) + ".gms").c_str());
        std::remove(("scenario" + std::to_string(k) + ".lst").c_str());
    }
}

}  // namespace

void runOptionMode(const RunOptions& o) {
    auto start = Clock::now();
    RunLock lock;
    std::string settings = o.scenariosFile;
    std::unique_ptr<SCENARIOS> S(new SCENARIOS(&settings[0], o.n1, o.n2));
    S->printAllScenarios();
    S->checkIntegrity(kProbabilityTolerance);
    if (o.start != "solve" && o.start != "zero") seedFromFile(*S, o.start);
    S->rho = o.rho;

    std::string gamsPath = gamsPathOf(o);
    CheckedOutput results(kResultsFile);
    SolveSession session(S->numScenarios, o.workers, gamsPath, o.solveTimeout);
    std::printf("pha %s: %d scenarios on %d workers.\n\n", kPhaVersion, S->numScenarios, session.workers());

    OptionRun run(o, *S, session, results);
    if (o.start == "solve" && o.maxIterations > 0) run.solveScenariosAlone();
    bool converged = run.iterate();
    session.close();
    results.close();

    if (converged) printConvergedVerdict(*S);
    else printLimitVerdict();
    run.times().total = secondsSince(start);
    printTimes(run.times(), session.workers());
    std::fflush(stdout);
    removeScenarioFiles(S->numScenarios);
}
