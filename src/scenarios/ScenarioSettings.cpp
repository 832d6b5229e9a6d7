// The settings-file reader: one scenario per line, the probability first and
// the parameters after it, items separated by blanks only, "%" lines skipped.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <new>
#include <string>

#include "Exceptions.h"
#include "GAMSInOut.h"
#include "TextLines.h"

namespace {

// Parameters grow one entry at a time, so the array is exactly numParameters long.
void appendParameter(SCENARIO* s, double value) {
    size_t count = static_cast<size_t>(s->numParameters) + 1;
    double* grown = static_cast<double*>(std::realloc(s->data, count * sizeof(double)));
    if (grown == nullptr) throw std::bad_alloc();
    s->data = grown;
    s->data[s->numParameters] = value;
    s->numParameters++;
}

struct FileCloser {
    void operator()(FILE* f) const { std::fclose(f); }
};

// The first blank-separated item of the line whose value (read like atof) is
// not a finite number; "" when all are finite.
std::string firstNonFiniteItem(const std::string& line) {
    size_t pos = 0;
    while (pos < line.size()) {
        size_t end = line.find(' ', pos);
        if (end == std::string::npos) end = line.size();
        std::string item = withoutLineEnd(line.substr(pos, end - pos));
        if (!item.empty() && !std::isfinite(std::atof(item.c_str()))) return item;
        pos = end + 1;
    }
    return "";
}

// Infinite or undefined values and probabilities outside [0, 1] would pass the
// sum test (2 and -1 add up to 1) and end in averages that are not numbers.
void checkScenarioValues(const SCENARIO& s, const std::string& line, const char* fileName, long lineNumber) {
    std::string where = "in the file '" + std::string(fileName) + "', line " + std::to_string(lineNumber);
    std::string item = firstNonFiniteItem(line);
    if (!item.empty()) {
        std::string message = " > ERROR! The value '" + item + "' " + where + " is not a finite number.";
        throw GeneralException(message.c_str());
    }
    if (!(s.probability >= 0.0 && s.probability <= 1.0)) {
        std::string first = line.substr(0, line.find(' '));
        std::string message = " > ERROR! The probability '" + withoutLineEnd(first) + "' " + where +
                              " does not lie between 0 and 1.";
        throw GeneralException(message.c_str());
    }
}

}  // namespace

// Every character but the blank belongs to an item, the line end included:
// atof ignores it after a number, and after a trailing blank it forms an item
// of its own that counts as a parameter 0.
void SCENARIOS::readScenarioFromLine(SCENARIO* s, char* line) {
    std::free(s->data);
    s->data = nullptr;
    s->numParameters = 0;
    if (line == nullptr) return;

    std::string item;
    bool isItProbability = true;
    for (const char* c = line; *c != '\0'; c++) {
        bool isBlank = *c == ' ';
        if (!isBlank) item.push_back(*c);
        if (isBlank && !item.empty() && isItProbability) {
            s->probability = std::atof(item.c_str());
            item.clear();
            isItProbability = false;
        }
        // A blank at the very end with nothing pending closes nothing and adds nothing.
        bool isLast = c[1] == '\0';
        if (!item.empty() && (isBlank || isLast)) {
            appendParameter(s, std::atof(item.c_str()));
            item.clear();
        }
    }
}

void SCENARIOS::loadScenariosSettingFromFile(char* fileName) {
    FILE* opened = std::fopen(fileName, "r");
    if (opened == nullptr) throw FileNotExists(fileName);
    std::unique_ptr<FILE, FileCloser> file(opened);

    scenarios = nullptr;
    numParameters = 0;
    numScenarios = 0;

    // Lines are read whole, so a long line is one scenario, never two.
    std::string line;
    long lineNumber = 0;
    while (readWholeLine(file.get(), line)) {
        lineNumber++;
        if (line[0] == '%') continue;
        size_t count = static_cast<size_t>(numScenarios) + 1;
        SCENARIO** grown = static_cast<SCENARIO**>(std::realloc(scenarios, count * sizeof(SCENARIO*)));
        if (grown == nullptr) throw std::bad_alloc();
        scenarios = grown;
        scenarios[numScenarios] = new SCENARIO(numVariables1, numVariables2);
        numScenarios++;
        readScenarioFromLine(scenarios[numScenarios - 1], &line[0]);
        checkScenarioValues(*scenarios[numScenarios - 1], line, fileName, lineNumber);
    }

    // The set takes its parameter count from the last scenario, so it needs one.
    if (numScenarios == 0) {
        std::string message = "The file '" + std::string(fileName) + "' does not contain any scenario.";
        throw GeneralException(message.c_str());
    }
    numParameters = scenarios[numScenarios - 1]->numParameters;
}
