// The extensive form of the scenario set (--ef, --ef-check): every scenario's
// model written from the template with the hedging terms at zero, each
// instantiated on its own by the bundled solver in this process, and the
// instances joined into one: the columns and rows of every scenario kept apart,
// the first stage x one set of columns shared by all, and the objective the
// probability-weighted sum of the scenarios' --cost variables.
#ifndef PHA_EXTENSIVEFORM_H
#define PHA_EXTENSIVEFORM_H

#include <string>
#include <vector>

#include "GAMSInOut.h"
#include "RunOptions.h"
#include "ScenarioModels.h"

struct ExtensiveFormAnswer {
    std::string modelType;        // the most general of the scenarios' types ("LP", "MIQCP", ...)
    std::string solver;           // the library that solved it ("CLP", "IPOPT", ...)
    int rows = 0, columns = 0;
    int solverStatus = 0, modelStatus = 0;
    std::string statusText;       // the model status in words
    bool optimal = false;         // optimal (or locally optimal for a nonlinear model)
    bool hasPlan = false;         // a feasible plan: optimal or an integer solution
    std::vector<double> plan;     // x('1')..x('n1')
    double expectedCost = 0.0;    // sum_k p_k cost_k at the plan
    double seconds = 0.0;         // building and solving
};

// Refuses --ef with a GAMS that is not the bundled solver, and without --cost.
void refuseExtensiveFormWithout(const RunOptions& options, const std::string& gamsPath);

// Builds and solves the extensive form. Throws GeneralException when a
// scenario model does not compile or cannot be generated, or lacks x or the
// cost variable; a solve without an optimum is an answer, not an exception.
ExtensiveFormAnswer solveExtensiveForm(const ModelTemplate& tpl, const SCENARIOS& set, const RunOptions& options);

// The console lines of the answer: the plan, its expected cost, the status.
void printExtensiveForm(const ExtensiveFormAnswer& answer);

// The answer as a JSON object.
std::string extensiveFormJson(const ExtensiveFormAnswer& answer);

#endif
