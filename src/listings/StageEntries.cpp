#include "StageEntries.h"

#include <cstdlib>
#include <vector>

#include "Exceptions.h"
#include "ListingScan.h"

namespace {

const char* optionOf(const char* variable) { return variable[0] == 'x' ? "--n1" : "--n2"; }

[[noreturn]] void refuse(const ListingFile& file, long lineNumber, int scenario, const char* variable, int n,
                         const std::string& what, const std::string& hint) {
    const std::string range = n > 0 ? std::string(variable) + "('1').." + variable + "('" + std::to_string(n) + "')"
                                    : std::string("no ") + variable;
    std::string message = " > ERROR! Scenario " + std::to_string(scenario) + ": " + what +
                          "\n >> The listing '" + file.name() + "', line " + std::to_string(lineNumber) +
                          ".\n >> pha reads " + range + " (" + optionOf(variable) + " " + std::to_string(n) +
                          "); " + hint + "\n >> The run stops.";
    throw GeneralException(message.c_str());
}

// A value as a listing prints it: a number, "." for zero, or a special value.
bool listingValue(const std::string& token) {
    if (token == "." || token == "+INF" || token == "-INF" || token == "EPS" || token == "NA" || token == "UNDF")
        return true;
    char* end = nullptr;
    std::strtod(token.c_str(), &end);
    return !token.empty() && *end == '\0';
}

// A scalar's values stand on its marker line: LOWER, LEVEL, UPPER, MARGINAL.
// Anything else after the name is the variable's explanatory text.
bool scalarMarker(const std::string& line, size_t afterName) {
    std::vector<std::string> tokens;
    for (size_t pos = afterName;;) {
        std::string token = nextColumn(line, pos);
        if (token.empty()) break;
        tokens.push_back(token);
    }
    if (tokens.size() != 4) return false;
    for (const std::string& t : tokens)
        if (!listingValue(t)) return false;
    return true;
}

void checkVariable(const std::string& listing, int scenario, const char* variable, int n) {
    ListingFile file(listing.c_str());
    std::vector<bool> seen(static_cast<size_t>(n), false);
    std::string line;
    size_t afterName = 0;
    long table = 0;  // the line of the last marker of the variable
    while (file.next(line)) {
        if (!isMarkerOf(line, variable, afterName)) continue;
        table = file.lineNumber();
        if (scalarMarker(line, afterName))
            refuse(file, file.lineNumber(), scenario, variable, n, std::string("the model's ") + variable + " is a scalar.",
                   std::string("declare ") + variable + " over a set of the labels 1 to n.");
        // An empty line, the column header and another empty line precede the rows.
        bool more = true;
        for (int skipped = 0; skipped < 3 && more; skipped++) more = file.next(line);
        while (more && file.next(line) && !line.empty()) {
            size_t at = 0;
            const std::string label = nextColumn(line, at);
            long number = 0;
            const bool plain = labelNumber(label, number) && std::to_string(number) == label;
            const std::string entry = std::string(variable) + "('" + label + "')";
            if (!plain || number < 1)
                refuse(file, file.lineNumber(), scenario, variable, n, "the model has " + entry + ", whose label is not a number 1, 2, ...",
                       std::string("label the entries of ") + variable + " 1 to " + std::to_string(n) + ".");
            if (number > n)
                refuse(file, file.lineNumber(), scenario, variable, n, "the model has " + entry + ", beyond " + optionOf(variable) + " " +
                           std::to_string(n) + ".",
                       "give the number of entries the model has, or remove the extra ones from the model.");
            seen[static_cast<size_t>(number - 1)] = true;
        }
    }
    if (table == 0) return;
    for (size_t j = 0; j < seen.size(); j++)
        if (!seen[j])
            refuse(file, table, scenario, variable, n,
                   std::string("the model has no ") + variable + "('" + std::to_string(j + 1) + "').",
                   std::string("the model must have every one of them (a variable that appears in no equation is "
                               "not part of the model); or give ") + optionOf(variable) + " the number it has.");
}

}  // namespace

void checkStageEntries(const std::string& listing, int scenario, int n1, int n2) {
    checkVariable(listing, scenario, "x", n1);
    checkVariable(listing, scenario, "y", n2);
}
