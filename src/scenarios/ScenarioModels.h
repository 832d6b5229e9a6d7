// The option mode's scenario models: the template read once per run, and each
// round of solves written from it with the round's own edits (values at the
// chosen decimals, weights or rho written as 0, the first stage fixed at a
// plan, the solution written at full precision to scenario<k>.sol).
#ifndef PHA_SCENARIOMODELS_H
#define PHA_SCENARIOMODELS_H

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "GAMSInOut.h"
#include "ModelEdits.h"
#include "TemplateCodes.h"

class ModelTemplate {
public:
    // Reads the template and finds its solve statement; throws FileNotExists
    // or GeneralException (no solve statement, more than one).
    explicit ModelTemplate(const std::string& fileName);

    const std::string& fileName() const { return fileName_; }
    const std::vector<std::string>& lines() const { return lines_; }
    // The solve statement as it stands in the template.
    const SolveStatement& solve() const { return solve_; }
    // The lines that GAMS reads as statements (no comment lines, nothing
    // between $ontext and $offtext), in lower case, with their 1-based numbers.
    const std::vector<std::pair<long, std::string>>& statementLines() const { return statementLines_; }
    // The first statement line that uses `name` (any letter case) as a word; 0 when none does.
    long lineUsing(const std::string& name) const;
    // Whether a statement of the template uses phaData, the scenario's values
    // as a parameter that the option mode writes at the top of every model.
    bool usesDataParameter() const { return lineUsing("phaData") > 0; }

private:
    std::string fileName_;
    std::vector<std::string> lines_;
    SolveStatement solve_;
    std::vector<std::pair<long, std::string>> statementLines_;
};

struct AddedTerms;

// What one round of solves asks of the models.
struct ModelRound {
    CodeStyle style;
    std::vector<double> fixedPlan;  // not empty: x fixed at this plan before the solve
    bool solutionFiles = true;      // write scenario<k>.sol after the solve
    std::string objectiveVariable;  // written to the solution file when not empty
    std::string costVariable;       // written to the solution file when not empty
    const AddedTerms* addedTerms = nullptr;  // not null: pha adds the hedging terms (HedgingTerms)
};

// The name of scenario k's model, listing and solution file (k from 1).
std::string scenarioFileName(int k, const char* extension);

// Scenario s's model text (s from 0) for the round: the template's lines with
// their codes, phaData when the template uses it, pha's hedging terms, the
// fixed plan and the solution block.
std::string scenarioModelText(const ModelTemplate& tpl, const SCENARIOS& set, int s, const ModelRound& round);

// Writes scenario<k>.gms for every scenario, in the order of k, and marks
// scenario<k>.sol stale (markStale), so that a solve that writes none never
// passes off an older one. Silent: the option mode reports rounds, not files.
// `written(k)`, when given, is called once scenarios 1..k are written, so that
// their solves may start while the rest are written.
void writeScenarioModels(const ModelTemplate& tpl, const SCENARIOS& set, const ModelRound& round,
                         const std::function<void(int written)>& written = {});

#endif
