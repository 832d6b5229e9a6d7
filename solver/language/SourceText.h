// The model file as read: the original lines for the listing's source echo,
// and the same lines cleaned of comments and dollar control lines for the
// scanner, with included files in place. Line numbers are 1-based and shared by both.
#ifndef GAMSUB_SOURCETEXT_H
#define GAMSUB_SOURCETEXT_H

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "CompileErrors.h"

namespace gamsub {

struct SourceLine {
    std::string original;
    std::string clean;     // what the scanner sees
    bool numbered = true;  // false inside $ontext/$offtext: echoed without a number
};

// A folder that is removed, with what it holds, when this object goes.
struct ScratchFolder {
    std::string path;
    explicit ScratchFolder(std::string p) : path(std::move(p)) {}
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    ~ScratchFolder();
};

struct SourceText {
    std::vector<SourceLine> lines;
    std::string title;  // $title text, empty when none
    // %gams.scrdir%: made when the model first names it, removed with the last
    // copy of this source text, as GAMS removes its scratch folder at the end of a run.
    std::shared_ptr<const ScratchFolder> scratch;
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
