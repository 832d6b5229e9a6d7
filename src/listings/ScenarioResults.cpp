#include "ScenarioResults.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <sstream>
#include <string_view>

#include "DataContainers.h"
#include "Exceptions.h"
#include "GAMSInOut.h"
#include "ListingScan.h"
#include "SafeFiles.h"
#include "ScenarioModels.h"

namespace {

// The words of `line` as a stream would read them (split at white space), without a stream per line.
void splitWords(std::string_view line, std::vector<std::string_view>& words) {
    words.clear();
    const auto blank = [](char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; };
    for (size_t at = 0; at < line.size();) {
        while (at < line.size() && blank(line[at])) at++;
        size_t end = at;
        while (end < line.size() && !blank(line[end])) end++;
        if (end > at) words.push_back(line.substr(at, end - at));
        at = end;
    }
}

[[noreturn]] void refuseLine(const ListingFile& file, std::string_view line, const std::string& reason) {
    std::string message = " > ERROR! A line of the solution file cannot be read.\n >> The file '" +
                          std::string(file.name()) + "', line " + std::to_string(file.lineNumber()) + ": '" +
                          std::string(line) + "'\n >> " + reason;
    throw GeneralException(message.c_str());
}

// The whole token as a finite number; GAMS writes special values as words
// (INF, NA, UNDF), C libraries as inf and nan: none of them is one.
bool finiteNumber(std::string_view token, double& value) {
    // strtod reads a terminated text: the token is copied into a buffer kept from call to call.
    thread_local std::string text;
    text.assign(token.data(), token.size());
    errno = 0;
    char* end = nullptr;
    value = std::strtod(text.c_str(), &end);
    return !text.empty() && *end == '\0' && errno != ERANGE && std::isfinite(value);
}

double finiteValue(const ListingFile& file, std::string_view line, std::string_view token) {
    double value = 0.0;
    if (!finiteNumber(token, value))
        refuseLine(file, line, "The value '" + std::string(token) + "' is not a finite number.");
    return value;
}

// Stores entry `label` (1-based) of a stage, once.
void storeEntry(const ListingFile& file, std::string_view line, std::string_view label, double value,
                std::vector<double>& entries, std::vector<bool>& seen) {
    long number = 0;
    if (!labelNumber(label, number) || std::to_string(number) != label || number < 1 ||
        number > static_cast<long>(entries.size()))
        refuseLine(file, line, "The entry number must be a number from 1 to " + std::to_string(entries.size()) + ".");
    if (seen[static_cast<size_t>(number - 1)]) refuseLine(file, line, "The entry stands twice.");
    seen[static_cast<size_t>(number - 1)] = true;
    entries[static_cast<size_t>(number - 1)] = value;
}

void requireAll(const std::string& name, const char* stage, const std::vector<bool>& seen) {
    for (size_t j = 0; j < seen.size(); j++)
        if (!seen[j]) {
            std::string message = " > ERROR! The solution file '" + name + "' has no value for " + stage + "('" +
                                  std::to_string(j + 1) + "').";
            throw GeneralException(message.c_str());
        }
}

// The number of a "**** MODEL STATUS" line; false for any other line.
bool modelStatus(std::string_view line, long& status) {
    static const std::string_view prefix = "**** MODEL STATUS";
    return line.compare(0, prefix.size(), prefix) == 0 && labelNumber(line.substr(prefix.size()), status);
}

SolveEnd endOfStatus(long status) {
    switch (status) {
        case 1: case 2: case 8: case 15: case 16: case 17: return SolveEnd::Solved;
        case 7: return SolveEnd::Feasible;
        case 4: case 5: case 6: case 10: case 19: return SolveEnd::Infeasible;
        case 3: case 18: return SolveEnd::Unbounded;
        default: return SolveEnd::Failed;
    }
}

double listingScalar(const std::string& listing, const std::string& variable) {
    SCALAR value(0.0);
    std::string file = listing, name = variable;
    SCENARIOS::readObjValueFromLSTFile(&file[0], &name[0], value);
    return value.data;
}

std::vector<double> listingVector(const std::string& listing, const char* variable, int size) {
    VECTOR v(size);
    for (int j = 0; j < size; j++) v.data[j] = 0.0;
    std::string file = listing, name = variable;
    SCENARIOS::readVectorDataFromLSTFile(&file[0], &name[0], v);
    return std::vector<double>(v.data, v.data + size);
}

}  // namespace

SolveEnd listingSolveEnd(const std::string& listing, std::string* detail) {
    ListingFile file(listing.c_str());
    std::string statusLine, errors;
    std::string_view line;
    SolveEnd end = SolveEnd::Failed;  // a listing without a model status solved nothing
    bool infeasibleMarker = false;
    long status = 0;
    while (file.next(line)) {
        // Every line looked for begins with "*" or " *": most lines are passed over at their first characters.
        if (line.size() < 2 || (line[0] != '*' && (line[0] != ' ' || line[1] != '*'))) continue;
        if (line.compare(0, 24, " ** Infeasible solution.") == 0) infeasibleMarker = true;
        if (modelStatus(line, status)) {
            end = endOfStatus(status);
            statusLine = line;
        }
        if (line.compare(0, 4, "****") == 0 || line.compare(0, 9, " ** Error") == 0)
            errors.append("\n >> ").append(line);
    }
    if (infeasibleMarker) end = SolveEnd::Infeasible;
    if (detail != nullptr) *detail = end == SolveEnd::Failed ? errors : "\n >> " + statusLine;
    return end;
}

ListingBound listingBound(const std::string& listing) {
    ListingFile file(listing.c_str());
    ListingBound bound;
    static const std::string label = "Best possible";
    for (std::string line; file.next(line);) {
        long status = 0;
        if (modelStatus(line, status)) bound.modelStatus = status;
        const size_t at = line.find(label);
        if (at == std::string::npos) continue;
        const size_t colon = line.find(':', at + label.size());
        if (colon == std::string::npos || line.find_first_not_of(' ', at + label.size()) != colon) continue;
        std::istringstream rest(line.substr(colon + 1));
        std::string token;
        double value = 0.0;
        if (rest >> token && finiteNumber(token, value)) {
            bound.hasBestPossible = true;
            bound.bestPossible = value;
        }
    }
    return bound;
}

ScenarioResult readSolutionFile(const std::string& name, int n1, int n2, bool wantObjective, bool wantCost) {
    ScenarioResult result;
    result.fromSolutionFile = true;
    result.x.assign(static_cast<size_t>(n1), 0.0);
    result.y.assign(static_cast<size_t>(n2), 0.0);
    std::vector<bool> seenX(result.x.size(), false), seenY(result.y.size(), false);
    std::vector<double> marginal(static_cast<size_t>(n1), 0.0);
    std::vector<bool> seenMarginal(marginal.size(), false);
    bool marginalsUsable = true;
    ListingFile file(name.c_str());
    std::string_view line;
    std::vector<std::string_view> tokens;
    while (file.next(line)) {
        splitWords(line, tokens);
        if (tokens.empty()) continue;
        const std::string_view key = tokens[0];
        if ((key == "x" || key == "y") && tokens.size() == 3) {
            double value = finiteValue(file, line, tokens[2]);
            if (key == "x") storeEntry(file, line, tokens[1], value, result.x, seenX);
            else storeEntry(file, line, tokens[1], value, result.y, seenY);
        } else if (key == "xm" && tokens.size() == 3) {
            // Marginals only guide the choice of rho: one that is not a
            // number (UNDF, NA) makes them all unusable, not the file.
            double value = 0.0;
            if (tokens[2] == "EPS" || finiteNumber(tokens[2], value))
                storeEntry(file, line, tokens[1], value, marginal, seenMarginal);
            else
                marginalsUsable = false;
        } else if (key == "objective" && tokens.size() == 2) {
            result.objective = finiteValue(file, line, tokens[1]);
            result.hasObjective = true;
        } else if (key == "cost" && tokens.size() == 2) {
            result.cost = finiteValue(file, line, tokens[1]);
            result.hasCost = true;
        } else {
            refuseLine(file, line, "Lines read 'x <number> <value>', 'y <number> <value>', 'xm <number> <value>', "
                                   "'objective <value>' or 'cost <value>'.");
        }
    }
    requireAll(name, "x", seenX);
    requireAll(name, "y", seenY);
    if (marginalsUsable && std::find(seenMarginal.begin(), seenMarginal.end(), false) == seenMarginal.end())
        result.xMarginal = marginal;
    if ((wantObjective && !result.hasObjective) || (wantCost && !result.hasCost)) {
        std::string message = " > ERROR! The solution file '" + name + "' has no value for the " +
                              (wantCost && !result.hasCost ? "cost." : "objective.");
        throw GeneralException(message.c_str());
    }
    return result;
}

ScenarioResult readScenarioResult(int k, int n1, int n2, const std::string& objectiveVariable,
                                  const std::string& costVariable, bool levelsFromListing) {
    const std::string solution = scenarioFileName(k, "sol");
    const std::string listing = scenarioFileName(k, "lst");
    if (isFresh(solution)) {
        ScenarioResult result = readSolutionFile(solution, n1, n2, !objectiveVariable.empty(), !costVariable.empty());
        if (levelsFromListing) {
            result.x = listingVector(listing, "x", n1);
            result.y = listingVector(listing, "y", n2);
        }
        return result;
    }
    ScenarioResult result;
    result.x = listingVector(listing, "x", n1);
    result.y = listingVector(listing, "y", n2);
    if (!objectiveVariable.empty()) {
        result.objective = listingScalar(listing, objectiveVariable);
        result.hasObjective = true;
    }
    if (!costVariable.empty()) {
        result.cost = listingScalar(listing, costVariable);
        result.hasCost = true;
    }
    return result;
}
