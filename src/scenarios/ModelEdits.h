// The option mode's edits of a generated scenario model: it finds the model's
// solve statement and adds lines just before it (the first stage fixed at a
// plan) and just after it (the solution written at full precision).
#ifndef PHA_MODELEDITS_H
#define PHA_MODELEDITS_H

#include <string>
#include <vector>

// The one solve statement of a model text.
struct SolveStatement {
    size_t begin = 0;         // offset of the word "solve"
    size_t end = 0;           // offset just past its ";"
    long line = 0;            // 1-based line of the word "solve"
    std::string model;        // the model it solves
    std::string objective;    // the variable it minimises or maximises; empty when none
    bool maximizing = false;
    std::string type;         // the model type after "using"; empty when none
    // Offsets of the objective's and the type's words; 0 when there is none.
    size_t objectiveBegin = 0, objectiveEnd = 0;
    size_t typeBegin = 0, typeEnd = 0;
};

// The model statement that declares one model.
struct ModelStatement {
    size_t begin = 0;         // offset of the word "model" that opens the statement
    size_t listEnd = 0;       // offset of the "/" that closes the model's equation list
    bool all = false;         // the list holds "all"
    long line = 0;            // 1-based line of the word "model"
};

// Finds the solve statement of GAMS source `text`, passing over comment lines,
// $ontext blocks, dollar control lines and quoted texts; the statement may
// span lines and be written in any letter case. Throws GeneralException naming
// `sourceName` when there is no solve statement or more than one.
SolveStatement findSolveStatement(const std::string& text, const std::string& sourceName);

// Finds the model statement of GAMS source `text` that declares `model` (any
// letter case) with an equation list. Throws GeneralException naming
// `sourceName` when there is none.
ModelStatement findModelStatement(const std::string& text, const std::string& model, const std::string& sourceName);

// "x.fx('1') = 170;" lines, one per first-stage entry that is not NaN (NaN: left free), each value written so
// that it reads back as the same double.
std::string fixFirstStageLines(const std::vector<double>& plan);

// The statements that write x.l, y.l, the objective and (when `costVariable`
// is not empty) the cost to `solutionFile` at full precision, one value a line.
std::string solutionBlock(const std::string& solutionFile, int n1, int n2, const std::string& objectiveVariable,
                          const std::string& costVariable);
// The block in its two parts, for a writer of many models: the line that
// names the file, and the statements, the same for every scenario.
std::string solutionFileLine(const std::string& solutionFile);
std::string solutionStatements(int n1, int n2, const std::string& objectiveVariable, const std::string& costVariable);

// `text` with `before` placed just before the solve statement and `after` just
// after its ";", each on lines of their own.
std::string aroundSolve(const std::string& text, const SolveStatement& solve, const std::string& before,
                        const std::string& after);

// aroundSolve's two additions, for a writer that builds the model in one
// pass: `out` holds the text up to the solve statement, or up to its ";"
// (`lineFeedFollows`: a line feed comes next in the text).
void appendBeforeSolve(std::string& out, const std::string& before);
void appendAfterSolve(std::string& out, const std::string& after, bool lineFeedFollows);

// A double written with 17 significant digits: it reads back unchanged.
std::string exactText(double value);
void appendExactText(std::string& out, double value);

#endif
