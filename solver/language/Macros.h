// GAMS's $macro: `$macro name(a,b) body` defines, and `name(x,y)` in later
// statements stands for the body with a and b replaced by x and y, as text.
// Only the plain form is read; the body's & and && operators, .local and
// macros that run over several lines are refused, never guessed.
#ifndef GAMSUB_MACROS_H
#define GAMSUB_MACROS_H

#include <map>
#include <string>
#include <vector>

namespace gamsub {

class MacroTable {
public:
    // `text` is what follows `$macro`. False, with `error`, when it is no macro this reads.
    bool define(const std::string& text, std::string& error);
    // `line` with every call of a macro expanded (and the calls in the expansions).
    // False, with `error`, when a call is malformed or the expansion runs away.
    bool expand(const std::string& line, std::string& out, std::string& error) const;
    bool empty() const { return macros_.empty(); }

private:
    struct Macro {
        std::vector<std::string> parameters;  // lower case
        bool withParentheses = false;
        std::string body;
    };
    bool expandOnce(const std::string& line, std::string& out, bool& changed, std::string& error) const;
    std::map<std::string, Macro> macros_;  // lower-case names
};

}  // namespace gamsub

#endif
