// What one scenario's solve gave, read after a round of solves: x, y, the
// objective and the cost, from the solution file scenario<k>.sol the model
// wrote at full precision, or from the listing when there is none; and how
// the solve ended, from the listing's model status.
#ifndef PHA_SCENARIORESULTS_H
#define PHA_SCENARIORESULTS_H

#include <string>
#include <vector>

struct ScenarioResult {
    std::vector<double> x, y;
    std::vector<double> xMarginal;  // x.m of every first-stage variable, or empty
    bool hasObjective = false;
    double objective = 0.0;
    bool hasCost = false;
    double cost = 0.0;
    bool fromSolutionFile = false;
};

// How a solve ended, from its listing's model status: Solved (1, 2, 8, 15, 16,
// 17: an optimum, or for a mixed-integer model its solution); Feasible (7: a
// feasible point that is not known to be optimal, good for the hedging step
// and an inner bound, not for an outer bound); Infeasible (4, 5, 6, 10, 19 or
// the infeasibility marker); Unbounded (3, 18); Failed (any other status, or
// no status at all). `detail` gets the status line, and for a failure the
// listing's error lines.
enum class SolveEnd { Solved, Feasible, Infeasible, Unbounded, Failed };
SolveEnd listingSolveEnd(const std::string& listing, std::string* detail = nullptr);

// What an outer bound may take from a solve: a mixed-integer solve that ended
// with an integer solution whose optimum is not proven (model status 8: it
// stopped at optcr, optca or a limit) is not a bound by its objective, only by
// the "Best possible:" value its solver printed, when it printed one.
struct ListingBound {
    long modelStatus = 0;  // 0: no status line
    bool hasBestPossible = false;
    double bestPossible = 0.0;
};
ListingBound listingBound(const std::string& listing);

// Reads a solution file: lines "x <j> <value>", "y <j> <value>",
// "xm <j> <marginal>", "objective <value>", "cost <value>". Marginals are
// kept only when every first-stage variable has a finite one (EPS is 0). Every x and y entry must stand once, and
// the objective and cost when asked for. Throws GeneralException naming the
// file, the line and the value for a value that is not a finite number.
ScenarioResult readSolutionFile(const std::string& name, int n1, int n2, bool wantObjective, bool wantCost);

// Scenario k's result: its solution file when this round wrote it (pha marks
// it stale before each round, see markStale), else its listing
// (x and y as the listing readers read them, the objective and cost with the
// objective-value reader). Empty variable names are not read.
// `levelsFromListing` takes x and y from the listing in any case, as the
// dialogue reads them (listings print levels with a few decimals only).
ScenarioResult readScenarioResult(int k, int n1, int n2, const std::string& objectiveVariable,
                                  const std::string& costVariable, bool levelsFromListing = false);

#endif
