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
    bool usesDataParameter() const { return usesData_; }

    // The lines cut into literal runs and codes (TemplateCodes' linePieces).
    const std::vector<std::vector<LinePiece>>& pieces() const { return pieces_; }
    // Where the solve statement's word "solve" and the end of its ";" lie among
    // the pieces: before piece `piece` of line `line` (piece == the line's
    // count of pieces: at the line's end).
    struct PieceMark {
        size_t line = 0, piece = 0;
    };
    // Whether the solve statement of every expanded model is the template's,
    // at solveBegin() and solveEnd(). It is when every code outside comment
    // lines is a number alone between characters that no word continues: its
    // value (a number) then neither joins nor splits a word, a quoted text, a
    // comment or a statement.
    bool solveMapped() const { return solveMapped_; }
    const PieceMark& solveBegin() const { return solveBegin_; }
    const PieceMark& solveEnd() const { return solveEnd_; }
    // The characters of the template's lines without their codes, and its count of codes.
    size_t literalSize() const { return literalSize_; }
    size_t codeCount() const { return codeCount_; }

private:
    void mapSolveStatement(const std::vector<size_t>& lineStarts);

    std::string fileName_;
    std::vector<std::string> lines_;
    SolveStatement solve_;
    std::vector<std::pair<long, std::string>> statementLines_;
    bool usesData_ = false;
    std::vector<std::vector<LinePiece>> pieces_;
    bool solveMapped_ = false;
    PieceMark solveBegin_, solveEnd_;
    size_t literalSize_ = 0, codeCount_ = 0;
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
