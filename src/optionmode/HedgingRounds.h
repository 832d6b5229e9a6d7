// The option mode's rounds of solves. A hedging step solves every scenario
// with its weights, the averages and rho, and brings x, y and the costs back
// into the scenario set; the bound rounds solve every scenario once more,
// with rho 0 and the current weights (outer bound) or with the first stage
// fixed at a plan and weights and rho 0 (inner bound). Bound rounds write
// their values with at least 15 decimals, so the bounds do not depend on the
// decimals of the hedging steps.
#ifndef PHA_HEDGINGROUNDS_H
#define PHA_HEDGINGROUNDS_H

#include <functional>
#include <set>
#include <string>
#include <vector>

#include "GAMSInOut.h"
#include "HedgingTerms.h"
#include "RunOptions.h"
#include "ScenarioModels.h"
#include "ScenarioResults.h"

// Checks the options against the template and returns the objective variable
// (from --objective or the solve statement): a minimisation, rho > 0, rho and
// the tolerance not written as 0 at the decimals. Throws WrongInputParameter.
std::string checkedObjectiveVariable(const ModelTemplate& tpl, const RunOptions& options);

// The checks above, then who writes the hedging terms (chooseHedgingTerms):
// the variable the models minimise and the line that says so.
HedgingTermsChoice checkedHedgingTerms(const ModelTemplate& tpl, const RunOptions& options);

// How a scenario's solve of the current round ended, read as soon as it was solved.
struct KnownEnd {
    bool read = false;
    SolveEnd end = SolveEnd::Failed;
    std::string detail;
    bool solutionRead = false;  // its solution file, read whole (readSolutionFile)
    ScenarioResult solution;
};

class HedgingRounds {
public:
    // Solves scenario1.gms .. scenarioN.gms of the working directory.
    using SolveAll = std::function<void(int iteration)>;

    // Checks the options as checkedObjectiveVariable does.
    HedgingRounds(const ModelTemplate& tpl, SCENARIOS& set, const RunOptions& options, SolveAll solveAll);

    // Told how many models of a round are written so far (1..N, in order), so
    // that their solves may start while the rest are written.
    void onModelsWritten(std::function<void(int iteration, int written)> written) {
        modelsWritten_ = std::move(written);
    }

    // Scenario k of the current round is solved: its listing is read now, while
    // the others are still being solved, instead of after the round.
    void scenarioSolved(int k);

    // rho_j for the template codes 500..; kept by the caller.
    void useRhoPerVariable(const std::vector<double>* rho) { rhoPerVariable_ = rho; }
    // Entries of x fixed in the hedging steps from now on (NaN: free); the
    // bound rounds never use them, so that the outer bound stays one.
    void fixInHedgingSteps(const std::vector<double>& fixings) { fixings_ = fixings; }

    // Hears every feasible point a round gives: scenario (0-based), its first
    // stage and its cost (--cost). For the outer bound from the scenarios' points.
    using PointSeen = std::function<void(int scenario, const std::vector<double>& x, double cost)>;
    void onPoint(PointSeen seen) { pointSeen_ = std::move(seen); }

    const std::string& objectiveVariable() const { return objective_; }
    std::vector<double> probabilities() const;

    struct Step {
        bool hasExpectedCost = false;
        double expectedCost = 0.0;  // sum_k p_k cost_k, with --cost
        bool hasObjectiveMean = false;  // only for a step alone
        double objectiveMean = 0.0;     // sum_k p_k z_k: with weights and rho 0 an outer bound
    };
    // One hedging step; `alone` writes weights and rho as 0 (the first
    // iteration of --start solve). Fills solution1/solution2 of every scenario
    // and the averages. An infeasible or unbounded scenario stops the run
    // (GeneralException).
    Step hedgingStep(int iteration, bool alone);

    // sum_k p_k z_k with rho 0 and the current weights. False, with the reason
    // printed, when the weights do not balance or a scenario is infeasible or
    // unbounded.
    bool outerBound(int iteration, double& lower);
    // The same with other balanced weights than the scenarios' own (one
    // vector per scenario): the outer bound from the scenarios' points.
    bool outerBound(int iteration, const std::vector<std::vector<double>>& weights, double& lower);

    // sum_k p_k cost_k with x fixed at `plan` (the objective when there is no
    // --cost). False, with the reason printed (or put into `failure` when
    // given), when a scenario cannot take the plan.
    bool innerBound(int iteration, const std::vector<double>& plan, double& upper, std::string* failure = nullptr);
    // No slopes until the next inner-bound round (its plan was not the average).
    void forgetPlanMarginals() { planMarginals_.clear(); }

    // x.m of every scenario in the last inner-bound round (the slope of its
    // cost along each first-stage variable at the plan), or empty when a
    // solution file did not give them.
    const std::vector<std::vector<double>>& planMarginals() const { return planMarginals_; }

private:
    std::vector<double> fixings_;  // see fixInHedgingSteps
    ModelRound round(bool weightsOff, bool rhoOff, bool forBound) const;
    void solve(const ModelRound& round, int iteration);
    // sum_k p_k z_k of the round just solved; false, with the reason printed,
    // when an objective cannot be read. `instead`: values to take in place of
    // z_k where they are not NaN (a smaller proven bound).
    bool meanObjective(int iteration, const char* bound, double& mean,
                       const std::vector<double>* instead = nullptr) const;
    void tellPoint(int scenario, const ScenarioResult& r) const;
    // Per scenario, the best possible value to take for z_k where a mixed-integer
    // solve's optimum is not proven (NaN elsewhere); false, with the reason
    // printed, when such a listing gives none.
    bool provenBounds(int iteration, std::vector<double>& proven) const;
    // readScenarioResult of scenario s + 1, from what scenarioSolved read when that serves.
    ScenarioResult resultOf(int s, const std::string& objectiveVariable, const std::string& costVariable,
                            bool levelsFromListing = false) const;
    // "No <bound> bound in iteration N<why>", each reason once unless --verbose.
    void notice(int iteration, const char* bound, const std::string& why) const;

    const ModelTemplate& tpl_;
    SCENARIOS& set_;
    const RunOptions& options_;
    SolveAll solveAll_;
    std::function<void(int iteration, int written)> modelsWritten_;
    std::vector<KnownEnd> knownEnds_;  // of the current round, per scenario
    std::string objective_;
    bool termsByPha_ = false;
    AddedTerms addedTerms_;
    const std::vector<double>* rhoPerVariable_ = nullptr;
    std::vector<std::vector<double>> planMarginals_;
    PointSeen pointSeen_;
    mutable std::set<std::string> said_;  // the reasons of notices already printed
};

#endif
