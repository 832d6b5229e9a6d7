// The settings-file reader: one scenario per line, the probability first and
// the parameters after it, items separated by blanks or tabs, "%" lines and
// blank lines skipped. Every item must be wholly a number: "1O0" or "0,10"
// is refused with the file, line, column and item, never read as 1 or 0.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "CheckedNumbers.h"
#include "Exceptions.h"
#include "GAMSInOut.h"
#include "TextLines.h"

namespace {

struct FileCloser {
    void operator()(FILE* f) const { std::fclose(f); }
};

bool isSeparator(char c) { return c == ' ' || c == '\t'; }

// The values of one line (its line end already removed), each read by the
// checked number reader; `where` ("in the file 'F', line N") goes into the message.
std::vector<double> lineValues(const std::string& line, const std::string& where) {
    std::vector<double> values;
    size_t pos = 0;
    while (pos < line.size()) {
        if (isSeparator(line[pos])) {
            pos++;
            continue;
        }
        size_t end = pos;
        while (end < line.size() && !isSeparator(line[end])) end++;
        const std::string item = line.substr(pos, end - pos);
        double value = 0.0;
        const std::string why = readDecimal(item, value);
        if (!why.empty()) {
            const std::string message = " > ERROR! The value " + quotedToken(item) + " " + where + ", column " +
                                        std::to_string(pos + 1) + " " + why + ".";
            throw GeneralException(message.c_str());
        }
        values.push_back(value);
        pos = end;
    }
    return values;
}

// Probabilities outside [0, 1] would pass the sum test (2 and -1 add up to 1).
void checkProbability(double probability, const std::string& line, const std::string& where) {
    if (probability >= 0.0 && probability <= 1.0) return;
    size_t start = 0;
    while (start < line.size() && isSeparator(line[start])) start++;
    size_t end = start;
    while (end < line.size() && !isSeparator(line[end])) end++;
    const std::string message = " > ERROR! The probability " + quotedToken(line.substr(start, end - start)) + " " +
                                where + " does not lie between 0 and 1.";
    throw GeneralException(message.c_str());
}

// The first value is the probability, the rest are the parameters.
void fillScenario(SCENARIO* s, const std::vector<double>& values) {
    std::free(s->data);
    s->data = nullptr;
    s->numParameters = 0;
    s->probability = values.empty() ? 0.0 : values[0];
    if (values.size() <= 1) return;
    const size_t count = values.size() - 1;
    s->data = static_cast<double*>(std::malloc(count * sizeof(double)));
    if (s->data == nullptr) throw std::bad_alloc();
    for (size_t j = 0; j < count; j++) s->data[j] = values[j + 1];
    s->numParameters = static_cast<int>(count);
}

bool isBlankLine(const std::string& line) {
    for (char c : line)
        if (!isSeparator(c)) return false;
    return true;
}

}  // namespace

void SCENARIOS::readScenarioFromLine(SCENARIO* s, char* line) {
    const std::string text = line == nullptr ? std::string() : withoutLineEnd(line);
    fillScenario(s, lineValues(text, "in the line"));
}

void SCENARIOS::loadScenariosSettingFromFile(char* fileName) {
    FILE* opened = std::fopen(fileName, "r");
    if (opened == nullptr) throw FileNotExists(fileName);
    std::unique_ptr<FILE, FileCloser> file(opened);

    scenarios = nullptr;
    numParameters = 0;
    numScenarios = 0;
    settingsFile = fileName;
    settingsLines.clear();

    // Read into a growing vector, then moved into the set's array: linear in the lines.
    std::vector<std::unique_ptr<SCENARIO>> read;
    std::string line;
    long lineNumber = 0;
    while (readWholeLine(file.get(), line)) {
        lineNumber++;
        if (line[0] == '%') continue;
        const std::string text = withoutLineEnd(line);
        if (isBlankLine(text)) continue;
        const std::string where = "in the file '" + std::string(fileName) + "', line " + std::to_string(lineNumber);
        const std::vector<double> values = lineValues(text, where);
        checkProbability(values[0], text, where);
        read.emplace_back(new SCENARIO(numVariables1, numVariables2));
        fillScenario(read.back().get(), values);
        settingsLines.push_back(lineNumber);
    }

    // The set takes its parameter count from the last scenario, so it needs one.
    if (read.empty()) {
        std::string message = "The file '" + std::string(fileName) + "' does not contain any scenario.";
        throw GeneralException(message.c_str());
    }
    scenarios = static_cast<SCENARIO**>(std::malloc(read.size() * sizeof(SCENARIO*)));
    if (scenarios == nullptr) throw std::bad_alloc();
    for (auto& s : read) scenarios[numScenarios++] = s.release();
    numParameters = scenarios[numScenarios - 1]->numParameters;
}
