// Inner-bound plans for an integer first stage. The average of binary
// decisions is mostly fractional and no scenario can take it; the plans
// tried instead are the rounded average and the scenarios' own first stages,
// the one the most probability mass chose first. Each distinct plan is
// solved once in the run: its cost does not change with the weights.
#ifndef PHA_INTEGERPLANS_H
#define PHA_INTEGERPLANS_H

#include <set>
#include <string>
#include <vector>

#include "ScenarioModels.h"

// True when the template declares the first-stage variable x binary or integer.
bool integerFirstStage(const ModelTemplate& tpl);

// True when every entry is a whole number.
bool integralPlan(const std::vector<double>& plan);

struct PlanCandidate {
    std::vector<double> plan;
    std::string origin;  // "the rounded average", "the first stage of scenario 3"
};

// The plans of one bound round, none of them in `tried`: the rounded average,
// then up to `scenarioPlans` distinct first stages of the scenarios (rounded),
// the most probable first (ties: the lowest scenario). `firstStages[k]` is
// scenario k's first stage.
std::vector<PlanCandidate> integerCandidates(const std::vector<double>& average,
                                             const std::vector<std::vector<double>>& firstStages,
                                             const std::vector<double>& probabilities,
                                             const std::set<std::vector<double>>& tried, int scenarioPlans);

// "(1, 0, 1)".
std::string planText(const std::vector<double>& plan);

#endif
