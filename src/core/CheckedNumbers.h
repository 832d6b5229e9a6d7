// The one reader of numbers written by the user: numeric options, settings
// values, rho files, start files and resume records. A text is either wholly a
// finite number in decimal notation or refused with the reason, and nothing is
// thrown: the caller names the item (option, file, line, column).
#ifndef PHA_CHECKEDNUMBERS_H
#define PHA_CHECKEDNUMBERS_H

#include <string>

// Reads all of `text` as [+-]digits[.digits][(e|E)[+-]digits] (".5" and "5."
// too). Returns "" and sets `value`, or why the text is refused: "is not a
// number", "is not a finite number" (nan, inf, beyond the double range), or "is
// too close to 0 to be held exactly (...)" for a subnormal or an underflow.
std::string readDecimal(const std::string& text, double& value);

// Reads all of `text` as a whole number [+-]digits within [low, high].
// Returns "" and sets `value`, or why the text is refused.
std::string readWholeNumber(const std::string& text, long long low, long long high, long long& value);

// `text` in single quotes for a message, cut to 40 characters with its full
// length named, so that a huge token is never echoed whole.
std::string quotedToken(const std::string& text);

// The same for a finite double already read (a JSON number, say): "" when it
// is a normal number or 0, else why it is refused.
std::string checkFinite(double value);

#endif
