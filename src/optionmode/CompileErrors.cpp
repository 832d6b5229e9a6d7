#include "CompileErrors.h"

#include "CheckedNumbers.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

#include "ScenarioModels.h"
#include "TextLines.h"

namespace {

bool isDigit(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }

// The lines of a file without their line ends; false when it cannot be opened.
bool readLines(const std::string& name, std::vector<std::string>& lines) {
    FILE* file = std::fopen(name.c_str(), "r");
    if (file == nullptr) return false;
    std::string line;
    while (readWholeLine(file, line)) lines.push_back(withoutLineEnd(line));
    std::fclose(file);
    return true;
}

// An echoed source line: blanks, the line number, two blanks, the text.
bool echoedLine(const std::string& line, long& number, size_t& textStart) {
    size_t i = line.find_first_not_of(' ');
    if (i == std::string::npos || !isDigit(line[i])) return false;
    size_t end = i;
    while (end < line.size() && isDigit(line[end])) end++;
    if (end - i > 9) return false;
    if (end < line.size() && line.compare(end, 2, "  ") != 0) return false;
    long long value = 0;
    if (!readWholeNumber(line.substr(i, end - i), 0, 999999999, value).empty()) return false;
    number = static_cast<long>(value);
    textStart = std::min(line.size(), end + 2);
    return true;
}

// "****   $170" or "****   $140   $171" or "****  $140,171": the columns and codes.
bool markerLine(const std::string& line, std::vector<std::pair<size_t, int>>& marks) {
    if (line.compare(0, 4, "****") != 0) return false;
    size_t i = 4;
    while (i < line.size() && line[i] == ' ') i++;
    if (i >= line.size() || line[i] != '$') return false;
    for (i = 4; i < line.size(); i++) {
        if (line[i] != '$') continue;
        size_t column = i;
        for (;;) {
            size_t d = i + 1;
            while (d < line.size() && isDigit(line[d])) d++;
            long long code = 0;
            if (d == i + 1 || !readWholeNumber(line.substr(i + 1, d - i - 1), 0, 999999, code).empty()) break;
            marks.emplace_back(column, static_cast<int>(code));
            i = d;
            if (i < line.size() && line[i] == ',') continue;  // "$140,171": more codes at the same place
            i--;
            break;
        }
    }
    return !marks.empty();
}

// "**** 170  Domain violation ..." : the code and its text.
bool explanationLine(const std::string& line, int& code, std::string& text) {
    if (line.compare(0, 4, "****") != 0) return false;
    size_t i = line.find_first_not_of(' ', 4);
    if (i == std::string::npos || !isDigit(line[i])) return false;
    size_t end = i;
    while (end < line.size() && isDigit(line[end])) end++;
    if (end - i > 6 || line.compare(end, 2, "  ") != 0) return false;
    long long value = 0;
    if (!readWholeNumber(line.substr(i, end - i), 0, 999999, value).empty()) return false;
    code = static_cast<int>(value);
    size_t start = line.find_first_not_of(' ', end);
    text = start == std::string::npos ? "" : line.substr(start);
    return true;
}

// A substitution code in a template line: '@', then everything up to a blank, and that blank.
size_t codeEnd(const std::string& line, size_t at) {
    size_t end = line.find(' ', at);
    return end == std::string::npos ? line.size() : end + 1;
}

// The template line's literal pieces between its codes, each with its column.
struct Piece {
    std::string text;
    size_t column;  // 0-based in the template line
};
std::vector<Piece> literalPieces(const std::string& line) {
    std::vector<Piece> pieces;
    size_t start = 0;
    for (;;) {
        size_t at = line.find('@', start);
        if (at == std::string::npos) {
            pieces.push_back(Piece{line.substr(start), start});
            return pieces;
        }
        pieces.push_back(Piece{line.substr(start, at - start), start});
        start = codeEnd(line, at);
    }
}

// Where each piece stands in `model`, or false when the line does not match:
// the first piece at the start, the last at the end, the others leftmost between.
bool placePieces(const std::vector<Piece>& pieces, const std::string& model, std::vector<size_t>& places) {
    places.clear();
    if (pieces.size() == 1) {
        places.push_back(0);
        return pieces[0].text == model;
    }
    if (model.compare(0, pieces[0].text.size(), pieces[0].text) != 0) return false;
    places.push_back(0);
    size_t from = pieces[0].text.size();
    for (size_t p = 1; p + 1 < pieces.size(); p++) {
        size_t at = model.find(pieces[p].text, from);
        if (at == std::string::npos) return false;
        places.push_back(at);
        from = at + pieces[p].text.size();
    }
    const std::string& last = pieces.back().text;
    if (model.size() < from + last.size() || model.compare(model.size() - last.size(), last.size(), last) != 0)
        return false;
    places.push_back(model.size() - last.size());
    return true;
}

bool templateMatches(const std::string& templateLine, const std::string& modelLine) {
    std::vector<size_t> places;
    return placePieces(literalPieces(templateLine), modelLine, places);
}

std::string scenarioList(const std::vector<int>& scenarios) {
    std::string text;
    for (size_t i = 0; i < scenarios.size(); i++) text += (i > 0 ? ", " : "") + std::to_string(scenarios[i]);
    return text;
}

bool sameErrors(const std::vector<CompileError>& a, const std::vector<CompileError>& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); i++)
        if (a[i].modelLine != b[i].modelLine || a[i].column != b[i].column || a[i].code != b[i].code) return false;
    return true;
}

// No message grows without end: this many errors, then a count of the rest.
const size_t kMaxErrorsShown = 10;

}  // namespace

std::vector<CompileError> listingCompileErrors(const std::string& listing) {
    std::vector<std::string> lines;
    std::vector<CompileError> errors;
    if (!readLines(listing, lines)) return errors;
    long echoed = 0;
    size_t textStart = 0;
    std::string echoedText;
    size_t firstOfMarker = 0;        // the first error of the last marker line
    std::vector<size_t> explained;   // the errors the last explanation line belongs to
    bool messageSection = false;     // GAMS's "Error Messages": "140  Unknown symbol" lines
    for (const std::string& line : lines) {
        long number = 0;
        if (line == "Error Messages") {
            messageSection = true;
            continue;
        }
        size_t start = 0;
        if (messageSection && echoedLine(line, number, start)) {
            for (CompileError& e : errors)
                if (e.code == number && e.text.empty()) e.text = line.substr(start);
            continue;
        }
        std::vector<std::pair<size_t, int>> marks;
        int code = 0;
        std::string text;
        if (markerLine(line, marks)) {
            firstOfMarker = errors.size();
            explained.clear();
            for (const auto& mark : marks) {
                CompileError e;
                e.modelLine = echoed;
                e.column = mark.first >= textStart ? static_cast<long>(mark.first - textStart) + 1 : 1;
                e.sourceLine = echoedText;
                e.code = mark.second;
                errors.push_back(e);
            }
        } else if (explanationLine(line, code, text)) {
            explained.clear();
            for (size_t i = firstOfMarker; i < errors.size(); i++)
                if (errors[i].code == code && errors[i].text.empty()) {
                    errors[i].text = text;
                    explained.push_back(i);
                }
        } else if (line.compare(0, 7, "****   ") == 0 && line.find_first_not_of(' ', 4) != std::string::npos) {
            // An explanation continued on the next line: "****         supports)".
            for (size_t i : explained) errors[i].text += " " + line.substr(line.find_first_not_of(' ', 4));
        } else if (echoedLine(line, number, start)) {
            echoed = number;
            textStart = start;
            echoedText = line.substr(start);
            explained.clear();
        } else {
            explained.clear();
        }
    }
    return errors;
}

std::vector<long> templateLineOfModelLines(const std::vector<std::string>& templateLines,
                                           const std::vector<std::string>& model) {
    const size_t n = templateLines.size(), m = model.size();
    std::vector<long> origin(m, -1);
    // The table of a longest common subsequence; a template too long for it
    // is matched line by line in order instead.
    if (n * m > 20000000) {
        size_t t = 0;
        for (size_t g = 0; g < m && t < n; g++)
            if (templateMatches(templateLines[t], model[g])) origin[g] = static_cast<long>(t++);
        return origin;
    }
    std::vector<std::vector<int>> best(n + 1, std::vector<int>(m + 1, 0));
    for (size_t t = n; t-- > 0;)
        for (size_t g = m; g-- > 0;)
            best[t][g] = templateMatches(templateLines[t], model[g]) ? best[t + 1][g + 1] + 1
                                                                    : std::max(best[t + 1][g], best[t][g + 1]);
    size_t t = 0, g = 0;
    while (t < n && g < m) {
        if (templateMatches(templateLines[t], model[g]) && best[t][g] == best[t + 1][g + 1] + 1) {
            origin[g++] = static_cast<long>(t++);
        } else if (best[t + 1][g] >= best[t][g + 1]) {
            t++;
        } else {
            g++;
        }
    }
    return origin;
}

long templateColumn(const std::string& templateLine, const std::string& modelLine, long modelColumn) {
    const std::vector<Piece> pieces = literalPieces(templateLine);
    std::vector<size_t> places;
    if (!placePieces(pieces, modelLine, places)) return modelColumn;
    const size_t at = static_cast<size_t>(std::max(1L, modelColumn) - 1);
    for (size_t p = 0; p < pieces.size(); p++) {
        if (at >= places[p] && at < places[p] + pieces[p].text.size())
            return static_cast<long>(pieces[p].column + (at - places[p])) + 1;
        // Between this piece and the next: inside the value of the code that follows it.
        if (p + 1 < pieces.size() && at >= places[p] + pieces[p].text.size() && at < places[p + 1])
            return static_cast<long>(pieces[p].column + pieces[p].text.size()) + 1;
    }
    return static_cast<long>(templateLine.size()) + 1;
}

std::string compileErrorReport(const std::string& templateName, const std::vector<std::string>& templateLines,
                               int numScenarios, int n1, int n2) {
    std::vector<std::vector<CompileError>> errorsOf(static_cast<size_t>(numScenarios));
    int first = 0;
    for (int k = 1; k <= numScenarios; k++) {
        errorsOf[static_cast<size_t>(k - 1)] = listingCompileErrors(scenarioFileName(k, "lst"));
        if (first == 0 && !errorsOf[static_cast<size_t>(k - 1)].empty()) first = k;
    }
    if (first == 0) return "";
    const std::vector<CompileError>& errors = errorsOf[static_cast<size_t>(first - 1)];
    std::vector<int> same, other;
    for (int k = 1; k <= numScenarios; k++) {
        const std::vector<CompileError>& e = errorsOf[static_cast<size_t>(k - 1)];
        if (sameErrors(e, errors)) same.push_back(k);
        else if (!e.empty()) other.push_back(k);
    }
    const std::string model = scenarioFileName(first, "gms");
    std::vector<std::string> modelLines;
    readLines(model, modelLines);
    const std::vector<long> origin = templateLineOfModelLines(templateLines, modelLines);

    std::string text = " > ERROR! The model does not compile: " + std::to_string(errors.size()) +
                       (errors.size() == 1 ? " error" : " errors");
    if (static_cast<int>(same.size()) == numScenarios) text += (numScenarios > 1 ? ", the same in every scenario" : "");
    else text += " in scenario " + scenarioList(same);
    text += " (the listing '" + scenarioFileName(first, "lst") + "').";
    bool inStageLine = false, inValueLine = false;  // faults in pha's lines of x and y, or of the cost
    for (size_t i = 0; i < errors.size() && i < kMaxErrorsShown; i++) {
        const CompileError& e = errors[i];
        const size_t g = static_cast<size_t>(e.modelLine - 1);
        const bool known = e.modelLine >= 1 && g < origin.size();
        const std::string message = (e.text.empty() ? "error" : e.text) + " ($" + std::to_string(e.code) + ")";
        std::string shown = e.sourceLine;
        long column = e.column;
        if (known && origin[g] >= 0) {
            const std::string& line = templateLines[static_cast<size_t>(origin[g])];
            column = templateColumn(line, modelLines[g], e.column);
            shown = line;
            text += "\n >> '" + templateName + "', line " + std::to_string(origin[g] + 1) + ", column " +
                    std::to_string(column) + ": " + message;
        } else {
            if (known) {
                const bool value = e.sourceLine.find("put 'cost '") != std::string::npos ||
                                   e.sourceLine.find("put 'objective '") != std::string::npos;
                inValueLine = inValueLine || value;
                inStageLine = inStageLine || !value;
            }
            text += "\n >> " + std::string(known ? "A line pha adds to the template" : "A line of the model") +
                    " ('" + model + "', line " + std::to_string(e.modelLine) + "), column " +
                    std::to_string(column) + ": " + message;
        }
        text += "\n >>   " + shown + "\n >>   " + std::string(static_cast<size_t>(std::max(1L, column) - 1), ' ') + "^";
    }
    if (errors.size() > kMaxErrorsShown)
        text += "\n >> (and " + std::to_string(errors.size() - kMaxErrorsShown) + " more errors in the listing)";
    if (inValueLine)
        text += "\n >> --cost and --objective must name scalar variables of the model.";
    if (inStageLine)
        text += "\n >> pha's lines read x('1')..x('" + std::to_string(n1) + "') and y('1')..y('" +
                std::to_string(n2) + "') (--n1 " + std::to_string(n1) + ", --n2 " + std::to_string(n2) +
                "): the model's x and y must have the labels 1 to " + std::to_string(n1) + " and 1 to " +
                std::to_string(n2) + ".";
    if (!other.empty()) text += "\n >> Scenario " + scenarioList(other) + " has other errors: see its listing.";
    text += "\n >> The run stops.";
    return text;
}
