#include "OptionRun.h"

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

#include "AndersonAcceleration.h"
#include "AverageChange.h"
#include "Bounds.h"
#include "ColumnBound.h"
#include "ChildProcess.h"
#include "CompileErrors.h"
#include "Exceptions.h"
#include "ExtensiveForm.h"
#include "GamsPath.h"
#include "GAMSInOut.h"
#include "HedgingPoint.h"
#include "HedgingRounds.h"
#include "IntegerHeuristics.h"
#include "IntegerPlans.h"
#include "IterationReport.h"
#include "PreviousRecords.h"
#include "PrimalStart.h"
#include "Launch.h"
#include "ModelNames.h"
#include "RhoGuard.h"
#include "RhoPerVariable.h"
#include "RunLock.h"
#include "RunRecord.h"
#include "RunResume.h"
#include "SafeFiles.h"
#include "ScenarioModels.h"
#include "SolveSession.h"
#include "StageEntries.h"
#include "TemplateCodes.h"
#include "TextLines.h"
#include "TrustReport.h"
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
    double startUp = 0.0;       // reading the inputs and starting the workers
    double iterating = 0.0;     // the rounds of solves, from the first to the last
    double solving = 0.0;       // waiting for the workers
    double solverSum = 0.0;     // the solves' own wall times, summed over scenarios
    int solveRounds = 0;
    double own() const { return iterating - solving; }  // models, results, arithmetic
};

std::string gamsPathOf(const RunOptions& o) { return checkedGamsPath(o.gamsPath); }

// --start FILE: the first-stage values of every scenario, as the dialogue's Y answer takes them.
void seedFromFile(SCENARIOS& S, const std::string& name) {
    FILE* file = std::fopen(name.c_str(), "r");
    if (file == nullptr) throw FileNotExists(name.c_str());
    try {
        loadPrimalFirstStage(S, file, name);
    } catch (...) {
        std::fclose(file);
        throw;
    }
    std::fclose(file);
}

const char* signalName(int signal) {
    switch (signal) {
        case SIGINT: return "SIGINT";
        case SIGTERM: return "SIGTERM";
        case SIGHUP: return "SIGHUP";
        default: return "a signal";
    }
}

// Scenarios times first-stage entries up to which the master over the
// scenarios' points is built: its rows are that number plus the scenarios.
constexpr long kColumnBoundEntries = 100000;

class OptionRun {
public:
    OptionRun(const RunOptions& o, SCENARIOS& S, SolveSession& session, CheckedOutput& results,
              const ModelTemplate& tpl, RunRecord& record)
        : o_(o),
          S_(S),
          session_(session),
          results_(results),
          record_(record),
          tpl_(tpl),
          rounds_(tpl, S, o, [this](int iteration) { solveAll(iteration); }),
          perVariable_(o.rhoAuto || !o.rhoFile.empty() || o.rhoUpdate != "none" || o.accelerate > 0),
          acceleration_(o.accelerate),
          integer_(integerFirstStage(tpl)),
          heuristics_(S.numVariables1, IntegerHeuristicSettings{integer_ ? o.fixAfter : 0, integer_ ? o.slamAfter : 0}) {
        if (!o.rhoFile.empty()) {
            rho_ = readRhoFile(o.rhoFile, S.numVariables1);
            for (size_t j = 0; j < rho_.size(); j++) {
                const std::string what = "--rho-file '" + o.rhoFile + "' for x('" + std::to_string(j + 1) + "')";
                refuseValueLostInWriting(what.c_str(), rho_[j], o.digits);
            }
        }
        else rho_.assign(static_cast<size_t>(S.numVariables1), o.rho);  // 0 with --rho auto until iteration 0
        S_.rho = o.rhoFile.empty() ? o.rho : meanOf(rho_);
        rounds_.useRhoPerVariable(&rho_);
        // Binary or integer decisions: the outer bound also from the scenarios' points (needs their costs).
        const long entries = static_cast<long>(S.numScenarios) * S.numVariables1;
        if (integer_ && !o.costVariable.empty() && entries > kColumnBoundEntries)
            std::printf("The outer bound from the scenarios' points is off: %d scenarios times %d first-stage entries "
                        "is more than its master can take (%ld).\n\n", S.numScenarios, S.numVariables1,
                        kColumnBoundEntries);
        if (integer_ && !o.costVariable.empty() && entries <= kColumnBoundEntries) {
            // About two million stored numbers at most, 20 to 1000 points per scenario.
            const long perScenario = std::max(20L, std::min(1000L, 2000000L / std::max(1L, entries)));
            columns_.reset(new ColumnBound(S.numScenarios, S.numVariables1, static_cast<size_t>(perScenario)));
            rounds_.onPoint([this](int s, const std::vector<double>& x, double cost) {
                if (columns_->add(s, x, cost)) newPoints_++;
            });
        }
        rounds_.onModelsWritten([this](int iteration, int written) { session_.modelsWritten(iteration, written); });
        session_.onScenarioSolved([this](int k) { rounds_.scenarioSolved(k); });
        // rho_j that differ from each other: with --rho auto, --rho-file or --rho-update.
        if (o.rhoAuto || !o.rhoFile.empty() || o.rhoUpdate != "none") {
            const std::string warning = meanRhoOnlyWarning(tpl.lines(), tpl.fileName());
            if (!warning.empty()) std::printf("%s\n\n", warning.c_str());
        }
    }

    // The session may outlive the run: it must not call back into it.
    ~OptionRun() { session_.onScenarioSolved({}); }
    OptionRun(const OptionRun&) = delete;
    OptionRun& operator=(const OptionRun&) = delete;

    // The textbook first iteration: every scenario alone (weights 0, rho 0),
    // their average as the first average, rho (x_k - average) as the weights.
    // Their mean objective is an outer bound: weights 0 balance.
    void solveScenariosAlone() {
        auto start = Clock::now();
        currentIteration_ = 0;
        if (o_.verbose) printIterationHeader(0);
        HedgingRounds::Step step = rounds_.hedgingStep(0, true);
        if (o_.verbose) printIterationDecisions(S_);
        IterationNumbers numbers = report(0, step);
        numbers.hasChange = false;
        if (o_.verbose) std::printf("Distance parameter delta in %d-th iteration is %0.9f.\n\n", 0, numbers.delta);
        if (step.hasObjectiveMean) {
            numbers.hasLower = true;
            numbers.lower = step.objectiveMean;
            bounds_.offerLower(step.objectiveMean, 0);
        }
        // --rho auto reads the scenarios' slopes at the average from the inner-bound round.
        if (o_.boundEvery > 0 || o_.rhoAuto) evaluateBounds(0, numbers, false);
        if (o_.rhoAuto) chooseRho(step);
        updateWeights();
        finishIteration(numbers, start);
    }

    // --resume: the state after the recorded run's last iteration; the next one follows it.
    void resumeFrom(const ResumeRecord& resumed) {
        const ResumeState& state = resumed.state;
        restoreState(state, S_, bounds_);
        rho_ = state.rho;
        acceleration_.restore(state.acceleration);
        firstIteration_ = state.iteration + 1;
        currentIteration_ = firstIteration_;
        record_.carryIterations(resumed.iterations);
        if (!state.fixings.empty()) {
            heuristics_.restore(state.fixings);
            rounds_.fixInHedgingSteps(heuristics_.fixings());
            std::printf("%zu entries of x stay fixed as the recorded run fixed them.\n", state.fixings.size());
        }
        std::printf("%s\n\n", resumed.origin.c_str());
    }

    // The dialogue's iteration and stop rule, with the bounds and the gap stop.
    void iterate() {
        int iter = firstIteration_;
        // The first iteration alone may already close the gap (the bounds of iteration 0).
        if (bounds_.within(o_.gap, o_.absGap)) why_ = gapReached();
        bool stop = !why_.empty();
        while (!stop && iter <= o_.maxIterations) {
            currentIteration_ = iter;
            if (interruptedBy() != 0) break;  // between two iterations: nothing is lost
            if (boundsOnly_) {
                boundOnlyIteration(iter);
                stop = !why_.empty();
                iter++;
                continue;
            }
            auto start = Clock::now();
            if (o_.verbose) printIterationHeader(iter);
            std::vector<double> builtWith = currentAverage(S_);
            const std::vector<double> pointBefore = o_.accelerate > 0 ? hedgingPoint(S_, rho_) : std::vector<double>();
            const std::vector<double> rhoBefore = rho_;
            HedgingRounds::Step step = rounds_.hedgingStep(iter, false);
            if (o_.verbose) printIterationDecisions(S_);
            IterationNumbers numbers = report(iter, step);
            numbers.change = averageChange(S_, builtWith);
            if (o_.verbose) {
                std::printf("Distance parameter delta in %d-th iteration is %0.9f.\n\n", iter, numbers.delta);
                std::printf("Change of the first-stage average in %d-th iteration is %0.9f.\n\n", iter, numbers.change);
            }
            const bool converged = o_.tolerance > numbers.delta && o_.tolerance > numbers.change;
            if (!converged && o_.rhoUpdate == "balance") {
                balanceRho(S_, builtWith, rho_);
                S_.rho = meanOf(rho_);
            }
            if (!converged) updateWeights();
            if (!converged && integer_) applyIntegerHeuristics(iter, numbers.delta);
            const bool last = converged || iter == o_.maxIterations;
            if (last || (o_.boundEvery > 0 && iter % o_.boundEvery == 0)) evaluateBounds(iter, numbers, true);
            // The scenarios' own average is what this iteration reports; the
            // mixed state (also after the last iteration, for --resume) is
            // what the next one starts from.
            numbers.average = currentAverage(S_);
            lastAverage_ = numbers.average;
            if (!converged && o_.accelerate > 0) accelerate(pointBefore, rhoBefore);
            finishIteration(numbers, start);
            if (bounds_.within(o_.gap, o_.absGap)) why_ = gapReached();
            else if (converged && columnsMayClose() && iter < o_.maxIterations) {
                boundsOnly_ = true;
                agreed_ = numbers;
                std::printf("The scenarios agree; the bound rounds go on until the gap is within %s.\n",
                            o_.gap >= 0 && o_.absGap >= 0 ? "--gap or --abs-gap" : o_.gap >= 0 ? "--gap" : "--abs-gap");
            } else if (converged) why_ = "the scenarios agree within the tolerance";
            else if (last) why_ = "the iteration limit";
            stop = !why_.empty();
            iter++;
        }
        iterations_ = iter - 1;
        if (interruptedBy() != 0) stoppedBy(interruptedBy());
        if (why_.empty()) why_ = "the iteration limit";
    }

    // An interruption ended the workers: the iteration under way is lost, the
    // ones before it stand (their bounds, plan and record).
    void stoppedBy(int signal) {
        why_ = std::string("interrupted by ") + signalName(signal) +
               " in iteration " + std::to_string(currentIteration_) + "; the iterations before it stand";
        iterations_ = std::max(0, currentIteration_ - 1);
    }

    void finish(double seconds) {
        if (!o_.verbose) std::printf("\n");
        FinalAnswer answer;
        answer.verdict = printTrustVerdict(bounds_, o_.gap >= 0 ? o_.gap : kDefaultVerdictGap, why_,
                                           lastAverage_.empty() ? currentAverage(S_) : lastAverage_, o_.absGap);
        answer.reason = why_;
        answer.iterations = iterations_;
        answer.hasPlan = bounds_.hasUpper();
        answer.plan = bounds_.plan();
        answer.hasLower = bounds_.hasLower();
        answer.lower = bounds_.lower();
        answer.hasUpper = bounds_.hasUpper();
        answer.upper = bounds_.upper();
        answer.seconds = seconds;
        record_.finish(answer);
    }

    RunTimes& times() { return times_; }
    const BoundKeeper& bounds() const { return bounds_; }

private:
    std::string gapReached() const {
        return o_.gap >= 0 && bounds_.gap() <= o_.gap ? "the gap of the bounds is within --gap"
                                                      : "the bounds are within --abs-gap";
    }

    // One rho for every variable keeps the dialogue's arithmetic bit for bit.
    void updateWeights() {
        if (perVariable_) updateWeightsPerVariable(S_, rho_, S_.rho);
        else S_.updateAllWeights(o_.rho);
    }

    // Anderson acceleration of the map from one iteration's state to the
    // next; a change of rho changes the map and starts the history afresh.
    void accelerate(const std::vector<double>& pointBefore, const std::vector<double>& rhoBefore) {
        if (rhoBefore != rho_) {
            acceleration_.reset();
            return;
        }
        setHedgingPoint(S_, acceleration_.next(pointBefore, hedgingPoint(S_, rho_)), rho_);
    }

    // --rho auto: the curvature of the scenarios' costs between their own
    // optima and the average (slopes from the inner-bound round); without
    // slopes, the cost per unit over the spread of the first solutions.
    void chooseRho(const HedgingRounds::Step& step) {
        rho_ = secantRho(S_, rounds_.planMarginals(), currentAverage(S_));
        if (rho_.empty()) {
            std::printf("rho auto: the slopes at the average give no curvature (no marginals in the solution files, "
                        "a scenario that cannot take the average, or scenarios that already agree); rho is the cost "
                        "per unit over the spread of the first solutions.\n\n");
            rho_ = costOverSpreadRho(S_, costPerUnitEstimate(S_, costOf(step)));
        }
        for (const std::string& line : guardAutoRho(S_, rhoScale(S_, costOf(step)), rho_))
            std::printf("%s\n\n", line.c_str());
        // A rho the models would read as 0 leaves the scenarios without a pull.
        const double smallest =
            o_.digits == kFullPrecision ? std::numeric_limits<double>::min() : std::pow(10.0, -o_.digits);
        for (size_t j = 0; j < rho_.size(); j++)
            if (rho_[j] < smallest) {
                std::printf("rho auto: rho of x('%zu') is %g, below what %d decimals can write; it is %g.\n\n", j + 1,
                            rho_[j], o_.digits, smallest);
                rho_[j] = smallest;
            }
        S_.rho = meanOf(rho_);
    }

    static double costOf(const HedgingRounds::Step& step) {
        return step.hasObjectiveMean ? step.objectiveMean : step.expectedCost;
    }

    void solveAll(int iteration) {
        auto solveStart = Clock::now();
        try {
            session_.solveAll(iteration);
        } catch (const GeneralException&) {
            // A model that does not compile fails alike in every scenario: say it once, at the template's line.
            const std::string report = compileErrorReport(tpl_.fileName(), tpl_.lines(), S_.numScenarios,
                                                          S_.numVariables1, S_.numVariables2);
            if (report.empty()) throw;
            throw GeneralException(report.c_str());
        }
        times_.solving += secondsSince(solveStart);
        // The model's x and y do not change between rounds: the first round's listings show them.
        if (!entriesChecked_)
            for (int k = 1; k <= S_.numScenarios; k++)
                checkStageEntries(scenarioFileName(k, "lst"), k, S_.numVariables1, S_.numVariables2);
        entriesChecked_ = true;
        times_.solverSum += session_.lastSolveSeconds();
        times_.solveRounds++;
    }

    // The numbers every iteration has; results.txt gets its block.
    IterationNumbers report(int iteration, const HedgingRounds::Step& step) {
        IterationNumbers numbers;
        numbers.iteration = iteration;
        numbers.delta = S_.calcTerminationCondition();
        numbers.hasExpectedCost = step.hasExpectedCost;
        numbers.expectedCost = step.expectedCost;
        S_.saveAllScenarioSolutionsToFile(iteration, numbers.delta, results_.stream());
        results_.flush();
        return numbers;
    }

    // The outer bound from the current weights (it needs solves only after
    // the first iteration) and the inner bound of the current average.
    void evaluateBounds(int iteration, IterationNumbers& numbers, bool outer) {
        double lower = 0.0, upper = 0.0;
        if (outer && rounds_.outerBound(iteration, lower)) {
            numbers.hasLower = true;
            numbers.lower = lower;
            bounds_.offerLower(lower, iteration);
        }
        if (outer && columns_) columnOuterBound(iteration, numbers);
        const std::vector<double> plan = currentAverage(S_);
        if (integer_ && !integralPlan(plan)) {
            integerInnerBounds(iteration, plan, numbers);
            return;
        }
        if (integer_) integerInnerBounds(iteration, plan, numbers);
        if (rounds_.innerBound(iteration, plan, upper)) {
            tried_.insert(plan);
            if (!numbers.hasUpper || upper < numbers.upper) numbers.upper = upper;
            numbers.hasUpper = true;
            bounds_.offerUpper(upper, plan, iteration);
        }
    }

    // The outer bound with the weights of the master over the scenarios'
    // points (ColumnBound); its solutions are new points.
    void columnOuterBound(int iteration, IterationNumbers& numbers) {
        const ColumnBound::Master master = columns_->solve(rounds_.probabilities());
        columnsCanRise_ = false;
        if (!master.solved) return;
        newPoints_ = 0;
        double lower = 0.0;
        if (!rounds_.outerBound(iteration, master.weights, lower)) return;
        if (!numbers.hasLower || lower > numbers.lower) numbers.lower = lower;
        numbers.hasLower = true;
        bounds_.offerLower(lower, iteration);
        // No new point: the weights priced every point the scenarios can give, the bound is what
        // this relaxation gives; so is a bound that met the master's value.
        const double slack = 1e-9 * std::max(1.0, std::fabs(master.value));
        columnsCanRise_ = newPoints_ > 0 && bounds_.lower() < master.value - slack;
        if (o_.verbose)
            std::printf("Outer bound from the scenarios' points in iteration %d: %.10g (their master %.10g over %zu "
                        "points, %d new).\n\n", iteration, lower, master.value, columns_->points(), newPoints_);
    }

    // After the scenarios agree: whether more bound rounds may still close the gap.
    bool columnsMayClose() const {
        return columns_ && columnsCanRise_ && (o_.gap >= 0 || o_.absGap >= 0) && bounds_.hasUpper() &&
               !bounds_.within(o_.gap, o_.absGap);
    }

    // An iteration after the scenarios agree: no hedging step (it would give
    // the same solutions), only the outer bound from the scenarios' points.
    void boundOnlyIteration(int iteration) {
        currentIteration_ = iteration;
        auto start = Clock::now();
        IterationNumbers numbers = agreed_;
        numbers.iteration = iteration;
        numbers.hasLower = numbers.hasUpper = false;
        columnOuterBound(iteration, numbers);
        finishIteration(numbers, start);
        if (bounds_.within(o_.gap, o_.absGap)) why_ = gapReached();
        else if (!columnsCanRise_)
            why_ = "the scenarios agree, and the outer bound from their points can rise no further";
        else if (iteration == o_.maxIterations) why_ = "the iteration limit";
    }

    std::vector<std::vector<double>> firstStages() const {
        std::vector<std::vector<double>> stages;
        for (int s = 0; s < S_.numScenarios; s++) {
            const VECTOR* x = S_.scenarios[s]->solution1;
            stages.emplace_back(x->data, x->data + x->size);
        }
        return stages;
    }

    // Fixing and slamming (IntegerHeuristics): a fixed entry holds in every
    // later hedging step; one line says which, at what value and why.
    void applyIntegerHeuristics(int iteration, double delta) {
        const std::vector<EntryFixed> fixed = heuristics_.afterStep(firstStages(), rounds_.probabilities(), delta);
        for (const EntryFixed& f : fixed)
            std::printf("Iteration %d: x('%d') fixed at %g from now on: %s.\n", iteration, f.entry + 1, f.value,
                        f.reason.c_str());
        if (!fixed.empty()) rounds_.fixInHedgingSteps(heuristics_.fixings());
    }

    // An integer first stage: the rounded average and a scenario's own first
    // stage each bound round (IntegerPlans), each plan once in the run. A
    // fractional average is not solved: no scenario can take it.
    void integerInnerBounds(int iteration, const std::vector<double>& average, IterationNumbers& numbers) {
        for (const PlanCandidate& c : integerCandidates(average, firstStages(), rounds_.probabilities(), tried_, 1)) {
            if (c.plan == average) continue;  // the caller solves the average itself
            tried_.insert(c.plan);
            double upper = 0.0;
            std::string failure;
            if (rounds_.innerBound(iteration, c.plan, upper, &failure)) {
                if (!numbers.hasUpper || upper < numbers.upper) numbers.upper = upper;
                numbers.hasUpper = true;
                bounds_.offerUpper(upper, c.plan, iteration);
            } else {
                std::printf("Inner bound: the plan %s, %s, skipped: %s.\n", planText(c.plan).c_str(),
                            c.origin.c_str(), failure.c_str());
            }
        }
        // Slopes for --rho auto belong to the average only.
        rounds_.forgetPlanMarginals();
    }

    void finishIteration(IterationNumbers& numbers, Clock::time_point start) {
        numbers.hasBestLower = bounds_.hasLower();
        numbers.bestLower = bounds_.lower();
        numbers.hasBestUpper = bounds_.hasUpper();
        numbers.bestUpper = bounds_.upper();
        if (numbers.average.empty()) numbers.average = currentAverage(S_);
        if (perVariable_) numbers.rho = rho_;
        numbers.seconds = secondsSince(start);
        // One line per iteration; --verbose keeps the blocks apart.
        std::printf("%s\n%s", iterationLine(numbers, bounds_).c_str(), o_.verbose ? "\n" : "");
        std::fflush(stdout);
        // Without --json there is no record: the state is not captured every iteration for nothing.
        if (!record_.recording()) return;
        // Set before the iteration is written, so the file always holds a state to go on from.
        ResumeState state = capturedState(S_, numbers.iteration, rho_, bounds_, acceleration_.history());
        state.fixings = heuristics_.fixedEntries();
        record_.setResumeState(resumeStateText(state));
        record_.addIteration(numbers);
    }

    const RunOptions& o_;
    SCENARIOS& S_;
    SolveSession& session_;
    CheckedOutput& results_;
    RunRecord& record_;
    const ModelTemplate& tpl_;
    HedgingRounds rounds_;
    BoundKeeper bounds_;
    RunTimes times_;
    std::string why_;
    int iterations_ = 0;
    int currentIteration_ = 0;
    int firstIteration_ = 1;
    const bool perVariable_;
    AndersonAcceleration acceleration_;
    std::vector<double> lastAverage_;  // the scenarios' average of the last iteration
    std::vector<double> rho_;  // rho_j of the first stage; S_.rho (code 300, second stage) is their mean
    const bool integer_;       // the template declares x binary or integer
    IntegerHeuristics heuristics_;  // fixing and slamming, for an integer first stage only
    std::set<std::vector<double>> tried_;  // integer plans whose inner bound was solved
    bool entriesChecked_ = false;          // the listings' x and y checked against --n1 and --n2
    std::unique_ptr<ColumnBound> columns_;  // the scenarios' points, for an integer first stage with --cost
    int newPoints_ = 0;                     // points first seen since the last column bound round
    bool columnsCanRise_ = false;           // the last column bound round found new points below the master
    bool boundsOnly_ = false;               // the scenarios agree: only bound rounds from here on
    IterationNumbers agreed_;               // the iteration in which they agreed
};

// --ef-check: the extensive form's optimum beside the bounds of the run.
void printExtensiveCheck(const ExtensiveFormAnswer& ef, const BoundKeeper& bounds) {
    if (!ef.optimal) {
        std::printf("Extensive form: no optimum (%s); nothing to compare the bounds with.\n\n", ef.statusText.c_str());
        return;
    }
    std::printf("Extensive form optimum %.10g", ef.expectedCost);
    if (bounds.hasLower()) std::printf("; outer bound L = %.10g (L - EF = %.3e)", bounds.lower(), bounds.lower() - ef.expectedCost);
    if (bounds.hasUpper())
        std::printf("; inner bound U = %.10g (U - EF = %.3e, relative %.3e)", bounds.upper(), bounds.upper() - ef.expectedCost,
                    (bounds.upper() - ef.expectedCost) / std::max(1.0, std::fabs(ef.expectedCost)));
    std::printf(".\n\n");
}

void printTimes(const RunTimes& t, int workers) {
    double perRound = t.solveRounds > 0 ? t.iterating / t.solveRounds : 0.0;
    std::printf("Time: %.3f s in all, %.3f s to start %d workers; %d solve rounds in %.3f s (%.4f s per round); "
                "waiting for the solves %.3f s (solver time %.3f s summed over the scenarios); "
                "pha's own work %.3f s (%.1f%% of the rounds).\n\n",
                t.total, t.startUp, workers, t.solveRounds, t.iterating, perRound, t.solving, t.solverSum, t.own(),
                t.iterating > 0 ? 100.0 * t.own() / t.iterating : 0.0);
}

// An earlier run's report and record are kept under numbered names; a
// resumed run goes on in its report (and so leaves results.txt where it is).
void keepEarlierRun(const RunOptions& o) {
    std::vector<std::string> names;
    if (o.resumeFile.empty()) names.push_back(kResultsFile);
    if (!o.jsonFile.empty()) names.push_back(o.jsonFile);
    for (const std::string& name : names) {
        const std::string kept = keepPreviousRecord(name);
        if (!kept.empty()) std::printf("The earlier run's '%s' is kept as '%s'.\n", name.c_str(), kept.c_str());
    }
}

void removeScenarioFiles(int numScenarios) {
    for (int k = 1; k <= numScenarios; k++)
        for (const char* extension : {"gms", "lst", "sol"}) std::remove(scenarioFileName(k, extension).c_str());
}

// Before the scenario set is allocated: its decisions, weights and averages
// (2 n1 + 3 n2 values per scenario) must fit into the machine's memory, so that
// a wrong --n2 ends with a message instead of a run killed for want of memory.
void refuseSetBeyondMemory(const RunOptions& o) {
    FILE* file = std::fopen(o.scenariosFile.c_str(), "r");
    if (file == nullptr) return;  // the reader names the file
    long long lines = 0;
    std::string line;
    while (readWholeLine(file, line))
        if (line[0] != '%') lines++;
    std::fclose(file);
    const double bytes = static_cast<double>(lines) * (2.0 * o.n1 + 3.0 * o.n2) * sizeof(double);
    const long pages = sysconf(_SC_PHYS_PAGES), pageSize = sysconf(_SC_PAGE_SIZE);
    if (pages <= 0 || pageSize <= 0 || bytes <= static_cast<double>(pages) * static_cast<double>(pageSize)) return;
    std::ostringstream message;
    message.precision(3);
    message << " > ERROR! " << lines << " scenario lines of '" << o.scenariosFile << "' with --n1 " << o.n1
            << " and --n2 " << o.n2 << " need " << bytes / 1e9 << " GB for their decisions and weights alone; "
            << "this machine has " << static_cast<double>(pages) * static_cast<double>(pageSize) / 1e9
            << " GB. Check --n2.";
    throw WrongInputParameter(message.str().c_str());
}

// Before anything is written: every output a regular file where it exists, none
// of them an input or another output (--json farmer.gms, --json pha.lock).
void refuseUnsafeOutputs(const RunOptions& o, int numScenarios) {
    std::vector<RunFile> inputs = {{"the --template file", o.templateFile}, {"the --scenarios file", o.scenariosFile}};
    if (!o.rhoFile.empty()) inputs.push_back({"the --rho-file", o.rhoFile});
    if (o.start != "solve" && o.start != "zero") inputs.push_back({"the --start file", o.start});
    std::vector<RunFile> outputs = {{"the lock of the run", runLockFileName()}};
    if (!o.jsonFile.empty()) outputs.push_back({"--json", o.jsonFile});
    std::vector<RunFile> runFiles;  // what the hedging writes besides the record
    if (!o.extensiveForm) {
        if (!o.jsonFile.empty()) outputs.push_back({"the temporary of --json", o.jsonFile + ".part"});
        runFiles.push_back({"the results file", kResultsFile});
        for (int k = 1; k <= numScenarios; k++)
            for (const char* extension : {"gms", "lst", "sol"})
                runFiles.push_back({"a scenario file", scenarioFileName(k, extension)});
    }
    outputs.insert(outputs.end(), runFiles.begin(), runFiles.end());
    std::string conflict = outputConflict(outputs, inputs);
    // The record may replace the --resume record it was read from (it is read whole first), and nothing else may.
    if (conflict.empty() && !o.resumeFile.empty() && !o.extensiveForm)
        conflict = outputConflict(runFiles, {{"the --resume record", o.resumeFile}});
    if (!conflict.empty()) throw WrongInputParameter((" > ERROR! " + conflict).c_str());
    // The record is first written after the first iteration: a folder it cannot go into is named now.
    if (!o.jsonFile.empty()) {
        const size_t slash = o.jsonFile.find_last_of('/');
        const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : o.jsonFile.substr(0, slash);
        if (access(folder.c_str(), W_OK | X_OK) != 0)
            throw WrongInputParameter((" > ERROR! --json '" + o.jsonFile + "': the folder '" + folder +
                                       "' cannot be written: " + std::strerror(errno) + ".")
                                          .c_str());
    }
}

// --ef: the extensive form alone, solved in this process; no workers, no hedging.
void runExtensiveFormOnly(const RunOptions& o, const SCENARIOS& S, const ModelTemplate& tpl) {
    refuseExtensiveFormWithout(o, gamsPathOf(o));
    const ExtensiveFormAnswer answer = solveExtensiveForm(tpl, S, o);
    printExtensiveForm(answer);
    if (!o.jsonFile.empty()) {
        std::string error;
        const std::string text = "{\n\"extensive_form\": " + extensiveFormJson(answer) + "\n}\n";
        if (!replaceWholeFile(o.jsonFile, text, error)) throw GeneralException((" > ERROR! --json: " + error).c_str());
    }
    if (!answer.hasPlan)
        throw GeneralException((" > ERROR! The extensive form has no optimum: " + answer.statusText + ".").c_str());
}

void runAndReport(const RunOptions& o);

}  // namespace

void runOptionMode(const RunOptions& o) {
    try {
        runAndReport(o);
    } catch (const GeneralException&) {
        // Interrupted before the iterations (the workers starting): the signal's line says it all.
        if (interruptedBy() == 0) throw;
    }
    // Interrupted: the plan and bounds so far are printed and recorded; a script still sees the signal.
    if (interruptedBy() != 0) {
        std::fflush(stdout);
        std::exit(128 + interruptedBy());
    }
}

namespace {

void runAndReport(const RunOptions& given) {
    auto start = Clock::now();
    RunLock lock;
    std::string settings = given.scenariosFile;
    refuseSetBeyondMemory(given);
    std::unique_ptr<SCENARIOS> S(new SCENARIOS(&settings[0], given.n1, given.n2));
    refuseUnsafeOutputs(given, S->numScenarios);
    if (given.verbose) S->printAllScenarios();
    // --resume: the record is checked whole before anything runs, and gives rho when the command line does not.
    ResumeRecord resumed;
    resumed.options = given;
    if (!given.resumeFile.empty() && !given.extensiveForm) resumed = readResumeRecord(given, S->numScenarios);
    const RunOptions& o = resumed.options;
    // The template is read and the options checked against it before any worker starts.
    ModelTemplate tpl(o.templateFile);
    // Without weight and average codes (pha's own terms) any number of first-stage variables fits, and
    // with phaData any number of values.
    S->checkIntegrity(kProbabilityTolerance, usesHedgingCodes(tpl), tpl.usesDataParameter());
    if (o.start != "solve" && o.start != "zero") seedFromFile(*S, o.start);
    S->rho = o.rho;
    refuseNameNotInTemplate("--cost", o.costVariable, o.templateFile, tpl.lines());
    refuseNameNotInTemplate("--objective", o.objectiveVariable, o.templateFile, tpl.lines());
    if (o.extensiveForm) return runExtensiveFormOnly(o, *S, tpl);
    std::printf("%s\n\n", checkedHedgingTerms(tpl, o).line.c_str());
    ExtensiveFormAnswer extensive;
    if (o.extensiveCheck) {
        refuseExtensiveFormWithout(o, gamsPathOf(o));
        extensive = solveExtensiveForm(tpl, *S, o);
        printExtensiveForm(extensive);
    }

    std::string gamsPath = gamsPathOf(o);
    keepEarlierRun(o);
    // A resumed run goes on in the results of the run it resumes.
    CheckedOutput results(kResultsFile, !o.resumeFile.empty());
    deferInterruptExit(true);
    SolveSession session(S->numScenarios, o.workers, gamsPath, o.solveTimeout);
    std::printf("pha %s: %d scenarios on %d workers.\n\n", kPhaVersion, S->numScenarios, session.workers());
    RunRecord record(o.jsonFile, o, S->numScenarios, session.workers());
    if (o.extensiveCheck) record.setExtensiveForm(extensiveFormJson(extensive));

    OptionRun run(o, *S, session, results, tpl, record);
    run.times().startUp = secondsSince(start);
    auto iterating = Clock::now();
    try {
        if (!o.resumeFile.empty())
            run.resumeFrom(resumed);
        else if (o.start == "solve" && o.maxIterations > 0)
            run.solveScenariosAlone();
        run.iterate();
    } catch (const GeneralException&) {
        // An interruption ends the workers, and the wait for them with an error: the run reports what it has.
        if (interruptedBy() == 0) throw;
        run.stoppedBy(interruptedBy());
    }
    run.times().iterating = secondsSince(iterating);
    session.close();
    results.close();

    run.finish(secondsSince(start));
    run.times().total = secondsSince(start);
    if (o.extensiveCheck) printExtensiveCheck(extensive, run.bounds());
    printTimes(run.times(), session.workers());
    std::fflush(stdout);
    removeScenarioFiles(S->numScenarios);
}

}  // namespace
