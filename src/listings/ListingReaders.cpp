// Reads the levels of variables back from the GAMS listings, and stops the
// program when a listing reports an infeasible solve.
//
// Each reader collects the values of one whole listing before it writes any:
// a listing that lacks the variable or has a row that does not fit leaves the
// container exactly as it was. The absence of the variable is reported for
// every listing on its own, so values of an earlier listing never pass for
// fresh ones.
#include "GAMSInOut.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "Exceptions.h"
#include "ListingScan.h"

namespace {

struct LevelAt {
    long row;     // 0-based
    long column;  // 0-based; 0 for a vector
    double level;
};

// The LOWER column is passed over; the LEVEL column after it is the value.
double rowLevel(const ListingFile& file, const char* variable, const std::string& row, size_t pos) {
    std::string lower = nextColumn(row, pos);
    std::string level = nextColumn(row, pos);
    if (level.empty()) refuseRow(file, variable, row, "It has no LEVEL column.");
    double value = levelValue(level);
    // nan, INF or 1e999 would end in averages that are not numbers.
    if (!std::isfinite(value)) refuseRow(file, variable, row, "Its LEVEL value '" + level + "' is not a finite number.");
    return value;
}

// A 1-based element number of the row, checked against the container's size.
long elementIndex(const ListingFile& file, const char* variable, const std::string& row, const std::string& token,
                  const char* what, long size) {
    long number = 0;
    if (!labelNumber(token, number) || number < 1 || number > size)
        refuseRow(file, variable, row,
                  std::string("Its ") + what + " must be a number from 1 to " + std::to_string(size) +
                      ": the model and the numbers of variables given at start-up do not match.");
    return number - 1;
}

}  // namespace

void SCENARIOS::readVectorDataFromLSTFile(char* sourceFile, char* nameOfVariable, VECTOR& v) {
    ListingFile file(sourceFile);
    std::vector<LevelAt> levels;
    bool found = forEachTableRow(file, nameOfVariable, [&](const std::string& row) {
        size_t pos = row.find(' ');
        if (pos == std::string::npos) pos = row.size();
        long e = elementIndex(file, nameOfVariable, row, row.substr(0, pos), "label", v.size);
        levels.push_back(LevelAt{e, 0, rowLevel(file, nameOfVariable, row, pos)});
    });
    if (!found) throw NoOccurenceOfVariableInLSTFile(nameOfVariable, sourceFile);
    v.isEmpty = false;
    for (const LevelAt& at : levels) v.data[at.row] = at.level;
}

void SCENARIOS::readMatrixDataFromLSTFile(char* sourceFile, char* nameOfVariable, MATRIX& m) {
    ListingFile file(sourceFile);
    std::vector<LevelAt> levels;
    bool found = forEachTableRow(file, nameOfVariable, [&](const std::string& row) {
        // Labels read row.column, each position padded with blanks: "1 .2", "10.11".
        size_t point = row.find('.');
        if (point == std::string::npos) refuseRow(file, nameOfVariable, row, "Its label has no point between row and column.");
        size_t pos = row.find(' ', point + 1);
        if (pos == std::string::npos) pos = row.size();
        long r = elementIndex(file, nameOfVariable, row, row.substr(0, point), "row label", m.rows);
        long c = elementIndex(file, nameOfVariable, row, row.substr(point + 1, pos - point - 1), "column label", m.cols);
        levels.push_back(LevelAt{r, c, rowLevel(file, nameOfVariable, row, pos)});
    });
    if (!found) throw NoOccurenceOfVariableInLSTFile(nameOfVariable, sourceFile);
    m.isEmpty = false;
    for (const LevelAt& at : levels) m.data[at.row][at.column] = at.level;
}

void SCENARIOS::readObjValueFromLSTFile(char* sourceFile, char* nameOfVariable, SCALAR& s) {
    ListingFile file(sourceFile);
    bool found = false;
    double value = 0.0;
    std::string line;
    size_t afterName = 0;
    // A scalar's values stand on its marker line; a later marker line overwrites.
    while (file.next(line)) {
        if (!isMarkerOf(line, nameOfVariable, afterName)) continue;
        found = true;
        value = rowLevel(file, nameOfVariable, line, afterName);
    }
    if (!found) throw NoOccurenceOfVariableInLSTFile(nameOfVariable, sourceFile);
    s.isEmpty = false;
    s.data = value;
}

namespace {

// Solve-summary model statuses that mean no feasible point was found:
// Infeasible, Locally Infeasible, Intermediate Infeasible, Integer
// Infeasible, Infeasible - No Solution. LP solvers report only these.
bool isInfeasibleModelStatus(const std::string& line) {
    static const std::string prefix = "**** MODEL STATUS";
    if (line.compare(0, prefix.size(), prefix) != 0) return false;
    long status = 0;
    if (!labelNumber(line.substr(prefix.size()), status)) return false;
    return status == 4 || status == 5 || status == 6 || status == 10 || status == 19;
}

bool reportsInfeasibility(const char* nameFile) {
    ListingFile file(nameFile);
    std::string line;
    while (file.next(line))
        if (line.compare(0, 24, " ** Infeasible solution.") == 0 || isInfeasibleModelStatus(line)) return true;
    return false;
}

bool startsAfterBlanks(const std::string& line, const char* text) {
    size_t start = line.find_first_not_of(' ');
    return start != std::string::npos && line.compare(start, std::strlen(text), text) == 0;
}

// A listing cut short (a solver that died while writing it, a full disk) must
// not pass for a result: it needs its solve summary, and after the last
// variable table the report summary that GAMS writes there.
void refuseIncompleteListing(const char* nameFile) {
    ListingFile file(nameFile);
    std::string line;
    long summary = 0, lastTable = 0, report = 0;
    while (file.next(line)) {
        if (startsAfterBlanks(line, "S O L V E      S U M M A R Y")) summary = file.lineNumber();
        else if (summary > 0 && line.compare(0, 9, "---- VAR ") == 0) lastTable = file.lineNumber();
        else if (line.compare(0, 19, "**** REPORT SUMMARY") == 0) report = file.lineNumber();
    }
    std::string problem;
    if (summary == 0) problem = "it has no SOLVE SUMMARY: the model was not solved, or the listing was cut short.";
    else if (lastTable > 0 && report < lastTable)
        problem = "it has no REPORT SUMMARY after its variables: the listing was cut short.";
    if (problem.empty()) return;
    std::string message = " > ERROR! The listing '" + std::string(nameFile) + "' is not complete: " + problem;
    throw GeneralException(message.c_str());
}

}  // namespace

void SCENARIOS::checkInfeasibility(char* nameFile, int s) {
    if (!reportsInfeasibility(nameFile)) return;  // the listing is closed on either path
    std::printf(" !!! Infeasible solution in scenario %d.\n", s);
    std::fflush(stdout);
    std::exit(1);
}

void SCENARIOS::loadAllScenarioSolutionsFromLSTFiles() {
    for (int k = 1; k <= numScenarios; k++) {
        std::string name = "scenario" + std::to_string(k) + ".lst";
        char x[] = "x";
        char y[] = "y";
        refuseIncompleteListing(name.c_str());
        try {
            readVectorDataFromLSTFile(&name[0], x, *scenarios[k - 1]->solution1);
            readVectorDataFromLSTFile(&name[0], y, *scenarios[k - 1]->solution2);
        } catch (...) {
            // An infeasible solve may print no solution at all: report the
            // infeasibility rather than the missing variable.
            if (fexist(name.c_str())) checkInfeasibility(&name[0], k);
            throw;
        }
        checkInfeasibility(&name[0], k);
    }
}
