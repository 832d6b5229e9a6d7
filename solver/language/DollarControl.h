// Pieces of the dollar control language that need no file access: %name%
// substitution, the conditions of $if, and the arithmetic of $eval.
#ifndef GAMSUB_DOLLARCONTROL_H
#define GAMSUB_DOLLARCONTROL_H

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace gamsub {

// Replaces every %name% that is defined (names case-insensitive), and GAMS's
// constants %modelStat.xxx% and %solveStat.xxx%; other text stays as written.
// A %gams.xxx% or %system.xxx% that is neither defined nor a user parameter
// (gams.u1 .. gams.user9, empty when not given) is named in `unknown` and stays
// as written: its value is not guessed.
// Inside a $batinclude, `arguments` are its arguments: %1, %2, ... (no closing
// '%') stand for them, and for nothing beyond the last one.
std::string substituteVariables(const std::string& line, const std::map<std::string, std::string>& variables,
                                std::vector<std::string>* unknown = nullptr,
                                const std::vector<std::string>* arguments = nullptr);

// The value of GAMS's compile-time constant `name` (lower case, such as
// "modelstat.optimal" or "solvestat.normalcompletion"); false when it is none.
bool systemConstant(const std::string& name, std::string& value);

// card(NAME) at compile time: sets `count`, or `error` and false.
using CardinalityLookup = std::function<bool(const std::string& name, double& count, std::string& error)>;

// A $if condition at the start of `text`: [not] set NAME | exist FILE | 'a' == 'b' |
// a == b; with `numeric` ($ife) a and b are constant expressions compared as
// numbers, or a lone expression holds when it is not zero. Returns false when it
// cannot be read (with the reason in `problem` when known); sets `holds` and
// `rest` (what follows it).
bool readCondition(const std::string& text, bool ignoreCase, bool numeric,
                   const std::map<std::string, std::string>& variables,
                   const std::function<bool(const std::string&)>& fileExists, bool& holds, std::string& rest,
                   const CardinalityLookup& card = nullptr, std::string* problem = nullptr);

// $eval: + - * / ** and parentheses over numbers, the comparisons (< <= = <> >= >
// and lt le eq ne ge gt) and not, and, or, xor giving 1 or 0, with min, max, abs,
// round, floor, ceil, mod, sqr, sqrt, fact, and card(SET) through `card`.
// Returns false with `error` set when the text is no such expression.
bool evaluateConstant(const std::string& text, double& value, std::string& error,
                      const CardinalityLookup& card = nullptr);

// A value as $eval stores it: whole numbers without decimals.
std::string evalText(double value);

}  // namespace gamsub

#endif
