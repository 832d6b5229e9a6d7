#include "ResultsFile.h"

#include <cmath>
#include <cstdlib>
#include <limits>

namespace {

// Where the values of the next "  > value" lines go.
enum class Target { none, first, second, average };

std::string stripLineEnd(std::string line) {
    while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) line.pop_back();
    return line;
}

bool startsWith(const std::string& s, const std::string& prefix) {
    return s.compare(0, prefix.size(), prefix) == 0;
}

[[noreturn]] void fail(long lineNo, const std::string& what, const std::string& line) {
    throw ResultsFormatError("line " + std::to_string(lineNo) + ": " + what + ": '" + line + "'");
}

// Parses the whole rest of text as one number; refuses anything else.
double number(const std::string& text, long lineNo, const std::string& line) {
    const char* begin = text.c_str();
    char* end = nullptr;
    double v = std::strtod(begin, &end);
    if (end == begin) fail(lineNo, "a number was expected", line);
    while (*end == ' ' || *end == '\t') ++end;
    if (*end != '\0') fail(lineNo, "unexpected text after the number", line);
    return v;
}

int integerAfter(const std::string& line, size_t pos, char terminator, long lineNo) {
    std::string text = line.substr(pos);
    if (terminator != '\0') {
        if (text.empty() || text.back() != terminator) fail(lineNo, "malformed heading", line);
        text.pop_back();
    }
    double v = number(text, lineNo, line);
    if (v != std::floor(v) || std::fabs(v) > std::numeric_limits<int>::max())
        fail(lineNo, "an integer was expected", line);
    return static_cast<int>(v);
}

}  // namespace

std::vector<IterationBlock> readResults(std::istream& in) {
    std::vector<IterationBlock> blocks;
    IterationBlock current;
    bool inBlock = false;
    Target target = Target::none;
    std::string raw;
    long lineNo = 0;
    while (std::getline(in, raw)) {
        ++lineNo;
        const std::string line = stripLineEnd(raw);
        if (line.empty()) continue;
        if (startsWith(line, "Iteration ")) {
            // A block without its "Dist" line is dropped when the next begins.
            current = IterationBlock();
            current.iteration = integerAfter(line, 10, ':', lineNo);
            inBlock = true;
            target = Target::none;
            continue;
        }
        if (!inBlock) fail(lineNo, "text before the first 'Iteration' heading", line);
        if (startsWith(line, " Scenario ")) {
            ScenarioDecisions s;
            s.number = integerAfter(line, 10, '\0', lineNo);
            current.scenarios.push_back(s);
            target = Target::none;
        } else if (line == " : 1st stage decision:" || line == " : 2nd stage decision:") {
            if (current.scenarios.empty()) fail(lineNo, "decision outside a scenario", line);
            target = line[3] == '1' ? Target::first : Target::second;
        } else if (line == "Average solution:") {
            target = Target::average;
        } else if (startsWith(line, "  > ")) {
            double v = number(line.substr(4), lineNo, line);
            switch (target) {
                case Target::first: current.scenarios.back().firstStage.push_back(v); break;
                case Target::second: current.scenarios.back().secondStage.push_back(v); break;
                case Target::average: current.average.push_back(v); break;
                case Target::none: fail(lineNo, "value outside a decision list", line);
            }
        } else if (startsWith(line, "Dist = ")) {
            current.delta = number(line.substr(7), lineNo, line);
            blocks.push_back(current);
            inBlock = false;
            target = Target::none;
        } else {
            fail(lineNo, "unknown line", line);
        }
    }
    return blocks;
}

std::vector<double> averageChanges(const std::vector<IterationBlock>& blocks) {
    // The first block has no predecessor in the report: not a number.
    std::vector<double> changes;
    if (!blocks.empty()) changes.push_back(std::numeric_limits<double>::quiet_NaN());
    for (size_t b = 1; b < blocks.size(); ++b) {
        const std::vector<double>& now = blocks[b].average;
        const std::vector<double>& before = blocks[b - 1].average;
        double sum = 0.0;
        for (size_t j = 0; j < now.size() && j < before.size(); ++j)
            sum += (now[j] - before[j]) * (now[j] - before[j]);
        changes.push_back(static_cast<double>(blocks[b].scenarios.size()) * sum);
    }
    return changes;
}
