// Pieces of the dollar control language that need no file access: %name%
// substitution, the conditions of $if, and the arithmetic of $eval.
#ifndef GAMSUB_DOLLARCONTROL_H
#define GAMSUB_DOLLARCONTROL_H

#include <functional>
#include <map>
#include <string>

namespace gamsub {

// Replaces every %name% that is defined (names case-insensitive); %gams.xxx% and
// %system.xxx% that are not defined become empty; other text stays as written.
std::string substituteVariables(const std::string& line, const std::map<std::string, std::string>& variables);

// A $if condition at the start of `text`: [not] set NAME | exist FILE | 'a' == 'b' |
// a == b. Returns false when it cannot be read; sets `holds` and `rest` (what follows it).
bool readCondition(const std::string& text, bool ignoreCase, const std::map<std::string, std::string>& variables,
                   const std::function<bool(const std::string&)>& fileExists, bool& holds, std::string& rest);

// $eval: + - * / ** and parentheses over numbers, with min, max, abs, round, floor,
// ceil, mod. Returns false with `error` set when the text is no such expression.
bool evaluateConstant(const std::string& text, double& value, std::string& error);

// A value as $eval stores it: whole numbers without decimals.
std::string evalText(double value);

}  // namespace gamsub

#endif
