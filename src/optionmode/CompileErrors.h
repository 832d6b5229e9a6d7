// A scenario model that does not compile is the template's fault (or the
// counts' fault), the same in every scenario: it is reported once, at its
// place in the template, with the source line and the column.
#ifndef PHA_COMPILEERRORS_H
#define PHA_COMPILEERRORS_H

#include <string>
#include <vector>

// One error of a listing's compilation: the $nnn marker under an echoed line.
struct CompileError {
    long modelLine = 0;      // the line of the compiled model (scenario<k>.gms)
    long column = 0;         // 1-based, where the marker points
    std::string sourceLine;  // the echoed line of the compiled model
    int code = 0;            // the number after the $
    std::string text;        // the error's explanation from the listing; may be empty
};

// The compile errors of a listing, in the order the listing shows them; empty
// when it shows none (or cannot be read).
std::vector<CompileError> listingCompileErrors(const std::string& listing);

// Where each line of `model` came from in `templateLines`: the 0-based
// template line, or -1 for a line the option mode added. A template line
// matches a model line when its text, with every substitution code standing
// for any text, is the model line; the longest sequence of such matches wins.
std::vector<long> templateLineOfModelLines(const std::vector<std::string>& templateLines,
                                           const std::vector<std::string>& model);

// The column of `templateLine` that became `modelColumn` (both 1-based) of
// `modelLine`: inside a substitution code's value, the code's own column.
long templateColumn(const std::string& templateLine, const std::string& modelLine, long modelColumn);

// The report of a round in which scenarios did not compile, or "" when no
// listing of scenario 1..numScenarios shows a compile error. Every distinct
// error once, at its template place; which scenarios share the errors.
std::string compileErrorReport(const std::string& templateName, const std::vector<std::string>& templateLines,
                               int numScenarios, int n1, int n2);

#endif
