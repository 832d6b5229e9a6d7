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
    bool hasObjective = false;
    double objective = 0.0;
    bool hasCost = false;
    double cost = 0.0;
    bool fromSolutionFile = false;
};

enum class SolveEnd { Solved, Infeasible, Unbounded };

// How the solve of a listing ended: Infeasible for the infeasibility marker or
// the model statuses 4, 5, 6, 10, 19; Unbounded for 3 and 18; Solved otherwise.
SolveEnd listingSolveEnd(const std::string& listing);

// Reads a solution file: lines "x <j> <value>", "y <j> <value>",
// "objective <value>", "cost <value>". Every x and y entry must stand once, and
// the objective and cost when asked for. Throws GeneralException naming the
// file, the line and the value for a value that is not a finite number.
ScenarioResult readSolutionFile(const std::string& name, int n1, int n2, bool wantObjective, bool wantCost);

// Scenario k's result: its solution file when it exists, else its listing
// (x and y as the listing readers read them, the objective and cost with the
// objective-value reader). Empty variable names are not read.
ScenarioResult readScenarioResult(int k, int n1, int n2, const std::string& objectiveVariable,
                                  const std::string& costVariable);

#endif
