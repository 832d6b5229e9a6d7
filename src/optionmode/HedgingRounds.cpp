#include "HedgingRounds.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <sstream>
#include <utility>

#include "Bounds.h"
#include "Exceptions.h"
#include "SafeFiles.h"
#include "ScenarioResults.h"

namespace {

// Bound rounds write the weights and the plan at least this precisely.
const int kBoundDigits = 15;

[[noreturn]] void refuseOption(const std::string& text) { throw WrongInputParameter((" > ERROR! " + text).c_str()); }

const char* endName(SolveEnd end) {
    switch (end) {
        case SolveEnd::Unbounded: return "unbounded";
        case SolveEnd::Infeasible: return "infeasible";
        case SolveEnd::Feasible: return "solved without a proven optimum";
        case SolveEnd::Failed: return "not solved";
        default: return "solved";
    }
}

// How each scenario's solve of the round ended; a failed solve stops the run
// (its listing's error lines in the message), and so does an unbounded or
// infeasible one when `stopOnEveryFault` (the hedging steps).
// `known`: what scenarioSolved read during the round (an empty detail and
// Failed for a scenario it did not read; those are read now).
std::vector<SolveEnd> solveEnds(int numScenarios, bool stopOnEveryFault, const std::vector<KnownEnd>& known) {
    std::vector<SolveEnd> ends;
    for (int k = 1; k <= numScenarios; k++) {
        const std::string listing = scenarioFileName(k, "lst");
        std::string detail;
        const bool read = static_cast<size_t>(k) <= known.size() && known[static_cast<size_t>(k - 1)].read;
        const SolveEnd end = read ? known[static_cast<size_t>(k - 1)].end : listingSolveEnd(listing, &detail);
        if (read) detail = known[static_cast<size_t>(k - 1)].detail;
        const bool stop = end == SolveEnd::Failed ||
                          (stopOnEveryFault && (end == SolveEnd::Unbounded || end == SolveEnd::Infeasible));
        if (stop) {
            std::string message = " > ERROR! The model of scenario " + std::to_string(k) + " is " + endName(end) +
                                  " (see '" + listing + "')." + detail;
            if (end == SolveEnd::Unbounded)
                message += "\n >> Progressive hedging needs a finite optimum in every scenario: bound the variables "
                           "or check the scenario's data.";
            message += "\n >> The run stops.";
            throw GeneralException(message.c_str());
        }
        ends.push_back(end);
    }
    return ends;
}

}  // namespace

std::string checkedObjectiveVariable(const ModelTemplate& tpl, const RunOptions& options) {
    // --rho auto and --rho-file are checked when their values are known.
    const bool perVariable = options.rhoAuto || !options.rhoFile.empty();
    if (!perVariable && !(options.rho > 0.0)) refuseOption("The penalty parameter --rho must be positive.");
    if (!perVariable) refuseValueLostInWriting("--rho", options.rho, options.digits);
    // delta sums squared distances: the tolerance asks the scenarios to agree
    // within its square root, which the written values must be able to show.
    if (options.digits != kFullPrecision && options.tolerance > 0.0 && std::sqrt(options.tolerance) < 0.5 * std::pow(10.0, -options.digits)) {
        std::ostringstream text;
        text << "The tolerance " << options.tolerance << " of --tol asks the scenarios to agree within "
             << std::sqrt(options.tolerance) << ", which is written into the models as 0 with " << options.digits
             << " decimals.\n >> Give more decimals with --digits.";
        refuseOption(text.str());
    }
    const SolveStatement& solve = tpl.solve();
    const std::string place = "The solve statement in line " + std::to_string(solve.line) + " of '" + tpl.fileName() + "'";
    if (solve.maximizing)
        refuseOption(place + " maximises.\n >> The bounds are those of a minimisation: minimise the negative "
                             "of the objective instead.");
    const std::string objective = options.objectiveVariable.empty() ? solve.objective : options.objectiveVariable;
    if (objective.empty()) refuseOption(place + " optimises no variable.\n >> Name the variable with --objective.");
    return objective;
}

HedgingTermsChoice checkedHedgingTerms(const ModelTemplate& tpl, const RunOptions& options) {
    return chooseHedgingTerms(tpl, options.costVariable, checkedObjectiveVariable(tpl, options));
}

HedgingRounds::HedgingRounds(const ModelTemplate& tpl, SCENARIOS& set, const RunOptions& options, SolveAll solveAll)
    : tpl_(tpl), set_(set), options_(options), solveAll_(std::move(solveAll)) {
    const HedgingTermsChoice terms = checkedHedgingTerms(tpl, options);
    objective_ = terms.objective;
    termsByPha_ = terms.byPha;
    addedTerms_.costVariable = options.costVariable;
    addedTerms_.kind = firstStageKind(tpl);
}

std::vector<double> HedgingRounds::probabilities() const {
    std::vector<double> p;
    for (int s = 0; s < set_.numScenarios; s++) p.push_back(set_.scenarios[s]->probability);
    return p;
}

ModelRound HedgingRounds::round(bool weightsOff, bool rhoOff, bool forBound) const {
    ModelRound r;
    r.style.digits = forBound && options_.digits != kFullPrecision ? std::max(options_.digits, kBoundDigits)
                                                                   : options_.digits;
    r.style.strict = true;
    r.style.weightsOff = weightsOff;
    r.style.rhoOff = rhoOff;
    r.style.rhoPerVariable = rhoPerVariable_;
    r.objectiveVariable = objective_;
    r.costVariable = options_.costVariable;
    if (termsByPha_) r.addedTerms = &addedTerms_;
    return r;
}

void HedgingRounds::scenarioSolved(int k) {
    if (k < 1 || k > set_.numScenarios) return;
    KnownEnd& known = knownEnds_[static_cast<size_t>(k - 1)];
    try {
        known.end = listingSolveEnd(scenarioFileName(k, "lst"), &known.detail);
        known.read = true;
        const std::string solution = scenarioFileName(k, "sol");
        if (isFresh(solution)) {
            known.solution = readSolutionFile(solution, set_.numVariables1, set_.numVariables2, false, false);
            known.solutionRead = true;
        }
    } catch (const GeneralException&) {
        // Read again after the round, where its message stops the run in the order of the scenarios.
    }
}

ScenarioResult HedgingRounds::resultOf(int s, const std::string& objectiveVariable, const std::string& costVariable,
                                       bool levelsFromListing) const {
    const KnownEnd* known = static_cast<size_t>(s) < knownEnds_.size() ? &knownEnds_[static_cast<size_t>(s)] : nullptr;
    // A value the file lacks is read again below, for the message that names it.
    if (known != nullptr && known->solutionRead && !levelsFromListing &&
        (objectiveVariable.empty() || known->solution.hasObjective) && (costVariable.empty() || known->solution.hasCost))
        return known->solution;
    return readScenarioResult(s + 1, set_.numVariables1, set_.numVariables2, objectiveVariable, costVariable,
                              levelsFromListing);
}

void HedgingRounds::solve(const ModelRound& round, int iteration) {
    knownEnds_.assign(static_cast<size_t>(set_.numScenarios), KnownEnd());
    std::function<void(int)> written;
    if (modelsWritten_) written = [this, iteration](int k) { modelsWritten_(iteration, k); };
    writeScenarioModels(tpl_, set_, round, written);
    solveAll_(iteration);
}

HedgingRounds::Step HedgingRounds::hedgingStep(int iteration, bool alone) {
    ModelRound models = round(alone, alone, false);
    if (!alone) models.fixedPlan = fixings_;
    solve(models, iteration);
    solveEnds(set_.numScenarios, true, knownEnds_);
    std::vector<double> costs;
    for (int s = 0; s < set_.numScenarios; s++) {
        // With the dialogue's 3 decimals the levels come from the listing, as
        // there, so that the iterates stay the dialogue's; costs always have
        // full precision.
        ScenarioResult r = resultOf(s, "", options_.costVariable, options_.digits == 3);
        SCENARIO* scenario = set_.scenarios[s];
        std::copy(r.x.begin(), r.x.end(), scenario->solution1->data);
        std::copy(r.y.begin(), r.y.end(), scenario->solution2->data);
        scenario->solution1->isEmpty = scenario->solution2->isEmpty = false;
        costs.push_back(r.cost);
        tellPoint(s, r);
    }
    set_.calcAverageSolution();
    Step step;
    step.hasExpectedCost = !options_.costVariable.empty();
    step.expectedCost = expectation(probabilities(), costs);
    // Alone, every scenario's optimum counts: their mean is an outer bound.
    std::vector<double> proven;
    if (alone)
        step.hasObjectiveMean =
            provenBounds(iteration, proven) && meanObjective(iteration, "outer", step.objectiveMean, &proven);
    return step;
}

void HedgingRounds::notice(int iteration, const char* bound, const std::string& why) const {
    // The same reason every bound round would fill the console: said once unless --verbose.
    const std::string key = std::string(bound) + why;
    const bool first = said_.insert(key).second;
    if (!first && !options_.verbose) return;
    std::printf("No %s bound in iteration %d%s%s\n", bound, iteration, why.c_str(),
                first && !options_.verbose ? " (said once; --verbose repeats it)" : "");
}

bool HedgingRounds::provenBounds(int iteration, std::vector<double>& proven) const {
    // An integer solution whose optimum is not proven bounds by its solver's best possible value only.
    proven.assign(static_cast<size_t>(set_.numScenarios), std::numeric_limits<double>::quiet_NaN());
    for (int s = 0; s < set_.numScenarios; s++) {
        const ListingBound b = listingBound(scenarioFileName(s + 1, "lst"));
        if (b.modelStatus != 8) continue;
        if (!b.hasBestPossible) {
            notice(iteration, "outer", ": scenario " + std::to_string(s + 1) +
                                           " ended with an integer solution whose optimum is not proven (model status "
                                           "8), and its listing gives no best possible value.");
            return false;
        }
        proven[static_cast<size_t>(s)] = b.bestPossible;
    }
    return true;
}

void HedgingRounds::tellPoint(int scenario, const ScenarioResult& r) const {
    if (pointSeen_ && r.hasCost) pointSeen_(scenario, r.x, r.cost);
}

bool HedgingRounds::meanObjective(int iteration, const char* bound, double& mean,
                                  const std::vector<double>* instead) const {
    std::vector<double> objectives;
    // The cost too when someone collects the points.
    const std::string cost = pointSeen_ ? options_.costVariable : std::string();
    try {
        for (int s = 0; s < set_.numScenarios; s++) {
            const ScenarioResult r = resultOf(s, objective_, cost);
            const double other = instead != nullptr ? (*instead)[static_cast<size_t>(s)] : r.objective;
            objectives.push_back(std::isnan(other) ? r.objective : std::min(other, r.objective));
            tellPoint(s, r);
        }
    } catch (const GeneralException& e) {
        notice(iteration, bound, std::string(":\n") + e.message);
        return false;
    }
    mean = expectation(probabilities(), objectives);
    return true;
}

bool HedgingRounds::outerBound(int iteration, double& lower) {
    std::vector<std::vector<double>> weights;
    for (int s = 0; s < set_.numScenarios; s++) {
        const VECTOR* w = set_.scenarios[s]->weights1;
        weights.emplace_back(w->data, w->data + w->size);
    }
    WeightBalance balance = weightBalance(probabilities(), weights);
    if (!balance.holds) {
        std::ostringstream why;
        why << ": the weights do not balance (sum of p_k w_k is " << balance.worst << " for x('" << balance.entry + 1
            << "'), not 0).";
        notice(iteration, "outer", why.str());
        return false;
    }
    solve(round(false, true, true), iteration);
    const std::vector<SolveEnd> ends = solveEnds(set_.numScenarios, false, knownEnds_);
    for (int s = 0; s < set_.numScenarios; s++)
        if (ends[static_cast<size_t>(s)] != SolveEnd::Solved) {
            notice(iteration, "outer", ": scenario " + std::to_string(s + 1) + " is " +
                                           endName(ends[static_cast<size_t>(s)]) + " with rho 0 and its weights.");
            return false;
        }
    std::vector<double> proven;
    return provenBounds(iteration, proven) && meanObjective(iteration, "outer", lower, &proven);
}

bool HedgingRounds::outerBound(int iteration, const std::vector<std::vector<double>>& weights, double& lower) {
    if (weights.size() != static_cast<size_t>(set_.numScenarios)) return false;
    for (const std::vector<double>& w : weights)
        if (w.size() != static_cast<size_t>(set_.numVariables1)) return false;
    // The scenarios' own weights go back whatever happens: the hedging steps go on with them.
    struct Swap {
        SCENARIOS& set;
        std::vector<std::vector<double>> kept;
        void exchange() {
            for (int s = 0; s < set.numScenarios && static_cast<size_t>(s) < kept.size(); s++) {
                VECTOR* w = set.scenarios[s]->weights1;
                for (int j = 0; j < w->size && static_cast<size_t>(j) < kept[static_cast<size_t>(s)].size(); j++)
                    std::swap(w->data[j], kept[static_cast<size_t>(s)][static_cast<size_t>(j)]);
            }
        }
        ~Swap() { exchange(); }
    } swap{set_, weights};
    swap.exchange();
    return outerBound(iteration, lower);
}

bool HedgingRounds::innerBound(int iteration, const std::vector<double>& plan, double& upper, std::string* failure) {
    ModelRound fixed = round(true, true, true);
    fixed.fixedPlan = plan;
    planMarginals_.clear();
    solve(fixed, iteration);
    const std::vector<SolveEnd> ends = solveEnds(set_.numScenarios, false, knownEnds_);
    bool allSolved = true;
    for (int s = 0; s < set_.numScenarios; s++) {
        const SolveEnd end = ends[static_cast<size_t>(s)];
        // A feasible point of every scenario is enough: its cost is at least the optimum's.
        if (end != SolveEnd::Solved && end != SolveEnd::Feasible) {
            if (failure != nullptr)
                *failure = "scenario " + std::to_string(s + 1) + " is " + endName(end);
            else
                notice(iteration, "inner", ": with the plan, scenario " + std::to_string(s + 1) + " is " +
                                               endName(end) + ".");
            return false;
        }
        allSolved = allSolved && end == SolveEnd::Solved;
    }
    // With weights and rho 0 the objective is the cost, when no cost variable is named.
    const bool byCost = !options_.costVariable.empty();
    std::vector<double> costs;
    std::vector<std::vector<double>> marginals;
    try {
        for (int s = 0; s < set_.numScenarios; s++) {
            ScenarioResult r = resultOf(s, byCost ? "" : objective_, options_.costVariable);
            costs.push_back(byCost ? r.cost : r.objective);
            tellPoint(s, r);
            if (!r.xMarginal.empty()) marginals.push_back(r.xMarginal);
        }
    } catch (const GeneralException& e) {
        if (failure != nullptr)
            *failure = e.message;
        else
            notice(iteration, "inner", std::string(":\n") + e.message);
        return false;
    }
    // Slopes count only where every scenario reached its optimum at the plan.
    if (allSolved && marginals.size() == costs.size()) planMarginals_ = marginals;
    upper = expectation(probabilities(), costs);
    return true;
}
