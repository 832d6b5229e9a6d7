// Substitution codes of the model template: "@" and a number, replaced by a
// scenario's parameters, weights, averages, the penalty rho or its number.
#ifndef PHA_TEMPLATECODES_H
#define PHA_TEMPLATECODES_H

#include <string>

#include "GAMSInOut.h"

// Where a template line comes from, for the error messages.
struct TemplatePlace {
    const char* fileName;
    long lineNumber;  // 1-based
};

// Replaces every code of `body` (one template line without its line feed) by
// its value for the scenario with index s. A blank after a code ends it and is
// dropped; any other character up to that blank or the line end belongs to the
// code. Throws GeneralException for a code that has no value.
std::string expandTemplateLine(const std::string& body, const SCENARIOS& set, int s, const TemplatePlace& place);

#endif
