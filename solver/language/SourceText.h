// The model file as read: the original lines for the listing's source echo,
// and the same lines cleaned of comments and dollar control lines for the
// scanner, with included files in place. Line numbers are 1-based and shared by both.
#ifndef GAMSUB_SOURCETEXT_H
#define GAMSUB_SOURCETEXT_H

#include <map>
#include <string>
#include <vector>

#include "CompileErrors.h"

namespace gamsub {

struct SourceLine {
    std::string original;
    std::string clean;     // what the scanner sees
    bool numbered = true;  // false inside $ontext/$offtext: echoed without a number
};

struct SourceText {
    std::vector<SourceLine> lines;
    std::string title;  // $title text, empty when none
    // %gams.scrdir%: made when the model first names it; the run removes it at its end, as GAMS does.
    std::string scratchDirectory;
};

struct SourceSettings {
    std::string directory;                         // where $include looks for relative names; empty: the working directory
    std::string fileName;                          // the input file as named (for %gams.input%, %system.fn% ...)
    std::map<std::string, std::string> variables;  // compile-time variables (--name=value), lower-case names
};

// Splits `text` into lines and applies the dollar control options of the
// subset ($set, $if, $include, %name% ...); unsupported ones are reported into `errors`.
SourceText prepareSource(const std::string& text, CompileErrors& errors);
SourceText prepareSource(const std::string& text, CompileErrors& errors, const SourceSettings& settings);

}  // namespace gamsub

#endif
