// Substitution codes of the model template: "@" and a number, replaced by a
// scenario's parameters, weights, averages, the penalty rho or its number.
#ifndef PHA_TEMPLATECODES_H
#define PHA_TEMPLATECODES_H

#include <cstddef>
#include <string>
#include <vector>

#include "GAMSInOut.h"

// Where a template line comes from, for the error messages.
struct TemplatePlace {
    const char* fileName;
    long lineNumber;  // 1-based
};

// How the option mode writes code values; the default is the dialogue's way.
struct CodeStyle {
    int digits = 3;           // decimals of every value but the scenario number; < 0: 17 significant digits
    bool strict = false;      // refuse a code with characters glued to it ("@0;")
    bool weightsOff = false;  // every weight written as 0 (first solves, inner bound solves)
    bool rhoOff = false;      // rho written as 0 (first solves and every bound solve)
    // rho_j of the first-stage variables for the codes 500.. (option mode
    // only; without it those codes are unknown, as in the dialogue).
    const std::vector<double>* rhoPerVariable = nullptr;
};

// Replaces every code of `body` (one template line without its line feed) by
// its value for the scenario with index s. A blank after a code ends it and is
// dropped; any other character up to that blank or the line end belongs to the
// code. Throws GeneralException for a code that has no value.
std::string expandTemplateLine(const std::string& body, const SCENARIOS& set, int s, const TemplatePlace& place);
std::string expandTemplateLine(const std::string& body, const SCENARIOS& set, int s, const TemplatePlace& place,
                               const CodeStyle& style);

// A template line is cut into its pieces once, so that each scenario's
// expansion only appends: a literal run of the line's characters
// [begin, end), or a code whose text (after the "@", without the blank that
// ends it) is [begin, end).
struct LinePiece {
    bool code = false;
    size_t begin = 0, end = 0;
};
std::vector<LinePiece> linePieces(const std::string& body);

// Appends one piece of `body` for the scenario with index s: a literal run as
// it is, a code by its value. Throws as expandTemplateLine does.
void appendLinePiece(std::string& out, const std::string& body, const LinePiece& piece, const SCENARIOS& set, int s,
                     const TemplatePlace& place, const CodeStyle& style);

// Each range of codes holds 100 values: the parameters @0..@99, the weights
// @100..@199, the averages @200..@299. Refuses a scenario set with more than
// 100 parameters or first-stage variables, whose codes would run into the next
// range. (With more than 100 first- and second-stage variables together, the
// codes of the second-stage weights and averages are refused where a template
// uses them.) Without `weightCodes` (a template with no weight or average
// code) the first stage is not counted; with `dataParameter` (the template
// reads the values as phaData) the parameters are not.
void refuseCodeRangeOverflow(const SCENARIOS& set, bool weightCodes = true, bool dataParameter = false);

// A value as a code is written: with `digits` decimals, or (digits < 0) 17
// significant digits that read back as the same double.
std::string writtenValue(int digits, double value);
void appendWrittenValue(std::string& out, int digits, double value);

// Refuses a value that the models would receive as 0 at the given decimals
// (a rho of 0.0004 written with 3 decimals), naming the option.
void refuseValueLostInWriting(const char* option, double value, int digits);

#endif
