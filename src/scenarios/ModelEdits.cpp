#include "ModelEdits.h"

#include <cmath>
#include <cctype>
#include <cstring>

#include "Exceptions.h"
#include "NumberText.h"

namespace {

bool isWordStart(char c) { return std::isalpha(static_cast<unsigned char>(c)) || c == '_'; }
bool isWordPart(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

std::string lowerCase(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// Whether `text` holds `keyword` (lower case) at `pos` as a whole word, in any letter case.
bool keywordAt(const std::string& text, size_t pos, const std::string& keyword) {
    if (lowerCase(text.substr(pos, keyword.size())) != keyword) return false;
    size_t after = pos + keyword.size();
    return after >= text.size() || !isWordPart(text[after]);
}

// The parts of GAMS source that matter for finding statements: words and the
// semicolons that end statements, outside comments and quoted texts.
struct Token {
    bool isWord;
    size_t begin, end;
    long line;
    char before;  // the last significant character before the token; 0 at the start
};

std::vector<Token> statementTokens(const std::string& text) {
    std::vector<Token> tokens;
    bool inTextBlock = false;  // between $ontext and $offtext
    char last = 0;
    long line = 1;
    for (size_t start = 0; start < text.size(); line++) {
        size_t lineEnd = text.find('\n', start);
        if (lineEnd == std::string::npos) lineEnd = text.size();
        if (inTextBlock) {
            inTextBlock = !keywordAt(text, start, "$offtext");
        } else if (text[start] == '$') {
            // Dollar control lines ($title, $include, ...) carry no statements.
            inTextBlock = keywordAt(text, start, "$ontext");
        } else if (text[start] != '*') {  // a "*" in the first column makes a comment line
            for (size_t i = start; i < lineEnd;) {
                const char c = text[i];
                if (c == '\'' || c == '"') {  // a quoted text ends at its quote or the line end
                    size_t close = text.find(c, i + 1);
                    i = close == std::string::npos || close > lineEnd ? lineEnd : close + 1;
                    last = c;
                } else if (isWordPart(c)) {
                    size_t end = i;
                    while (end < lineEnd && isWordPart(text[end])) end++;
                    if (isWordStart(c)) tokens.push_back(Token{true, i, end, line, last});
                    last = 'a';
                    i = end;
                } else {
                    if (c == ';') tokens.push_back(Token{false, i, i + 1, line, last});
                    if (!std::isspace(static_cast<unsigned char>(c))) last = c;
                    i++;
                }
            }
        }
        start = lineEnd + 1;
    }
    return tokens;
}

// "solve" opens a statement at the start, after a ";", or as the first word
// inside a loop or if: "loop(s, solve m using lp minimizing z);".
bool opensSolve(const std::string& text, const Token& t) {
    return t.isWord && (t.before == 0 || t.before == ';' || t.before == '(' || t.before == ',') &&
           t.end - t.begin == 5 && keywordAt(text, t.begin, "solve");
}

[[noreturn]] void refuse(const std::string& headline, const std::string& sourceName, const std::string& reason) {
    std::string message = " > ERROR! " + headline + "\n >> The model '" + sourceName + "'\n >> " + reason;
    throw GeneralException(message.c_str());
}

}  // namespace

SolveStatement findSolveStatement(const std::string& text, const std::string& sourceName) {
    const std::vector<Token> tokens = statementTokens(text);
    std::vector<SolveStatement> found;
    for (size_t t = 0; t < tokens.size(); t++) {
        if (!opensSolve(text, tokens[t])) continue;
        SolveStatement solve;
        solve.begin = tokens[t].begin;
        solve.line = tokens[t].line;
        std::vector<std::string> words;
        std::vector<const Token*> wordTokens;
        size_t u = t + 1;
        for (; u < tokens.size() && tokens[u].isWord; u++) {
            words.push_back(text.substr(tokens[u].begin, tokens[u].end - tokens[u].begin));
            wordTokens.push_back(&tokens[u]);
        }
        if (u == tokens.size())
            refuse("The solve statement of the model has no ';' at its end.", sourceName,
                   "It begins in line " + std::to_string(solve.line) + ".");
        solve.end = tokens[u].end;
        if (!words.empty()) solve.model = words[0];
        // "using nlp minimizing z" and "minimizing z using nlp" are both GAMS.
        for (size_t w = 1; w + 1 < words.size(); w++) {
            const std::string word = lowerCase(words[w]);
            if ((word == "using" || word == "use") && solve.type.empty()) {
                solve.type = words[w + 1];
                solve.typeBegin = wordTokens[w + 1]->begin;
                solve.typeEnd = wordTokens[w + 1]->end;
            }
            bool minimizing = word == "minimizing" || word == "minimising" || word == "min";
            bool maximizing = word == "maximizing" || word == "maximising" || word == "max";
            if ((!minimizing && !maximizing) || !solve.objective.empty()) continue;
            solve.objective = words[w + 1];
            solve.maximizing = maximizing;
            solve.objectiveBegin = wordTokens[w + 1]->begin;
            solve.objectiveEnd = wordTokens[w + 1]->end;
        }
        found.push_back(solve);
        t = u;
    }
    if (found.empty())
        refuse("The model has no solve statement.", sourceName,
               "The option mode adds its lines around the one solve statement of the template.");
    if (found.size() > 1)
        refuse("The model has more than one solve statement.", sourceName,
               "Solve statements begin in lines " + std::to_string(found[0].line) + " and " +
                   std::to_string(found[1].line) + "; the option mode needs exactly one.");
    return found[0];
}

namespace {

// Past blanks, line ends and comment lines (a "*" in the first column).
size_t skipBlanks(const std::string& text, size_t pos) {
    while (pos < text.size()) {
        const char c = text[pos];
        if (c == '*' && (pos == 0 || text[pos - 1] == '\n')) {
            pos = text.find('\n', pos);
            if (pos == std::string::npos) return text.size();
        } else if (!std::isspace(static_cast<unsigned char>(c))) {
            return pos;
        }
        pos++;
    }
    return pos;
}

// The offset of the first of `stops` at or after `pos` outside quoted texts
// and comment lines; npos when none.
size_t findOutsideQuotes(const std::string& text, size_t pos, const char* stops) {
    for (; pos < text.size(); pos++) {
        const char c = text[pos];
        if (c == '*' && pos > 0 && text[pos - 1] == '\n') {
            pos = text.find('\n', pos);
            if (pos == std::string::npos) return std::string::npos;
        } else if (c == '\'' || c == '"') {
            const size_t close = text.find(c, pos + 1);
            if (close == std::string::npos) return std::string::npos;
            pos = close;
        } else if (std::strchr(stops, c) != nullptr) {
            return pos;
        }
    }
    return std::string::npos;
}

}  // namespace

ModelStatement findModelStatement(const std::string& text, const std::string& model, const std::string& sourceName) {
    const std::string wanted = lowerCase(model);
    for (const Token& t : statementTokens(text)) {
        if (!t.isWord || (t.before != 0 && t.before != ';')) continue;
        if (!keywordAt(text, t.begin, "model") && !keywordAt(text, t.begin, "models")) continue;
        // model name ['text'] / list / {, name ['text'] / list /} ;
        size_t pos = t.end;
        for (;;) {
            pos = skipBlanks(text, pos);
            size_t nameEnd = pos;
            while (nameEnd < text.size() && isWordPart(text[nameEnd])) nameEnd++;
            if (nameEnd == pos) break;
            const std::string name = lowerCase(text.substr(pos, nameEnd - pos));
            const size_t open = findOutsideQuotes(text, nameEnd, "/,;");
            if (open == std::string::npos || text[open] != '/') break;
            const size_t close = findOutsideQuotes(text, open + 1, "/;");
            if (close == std::string::npos || text[close] != '/') break;
            if (name == wanted) {
                ModelStatement statement;
                statement.begin = t.begin;
                statement.listEnd = close;
                statement.line = t.line;
                const std::string list = lowerCase(text.substr(open + 1, close - open - 1));
                for (size_t at = list.find("all"); at != std::string::npos; at = list.find("all", at + 1))
                    if ((at == 0 || !isWordPart(list[at - 1])) && (at + 3 >= list.size() || !isWordPart(list[at + 3])))
                        statement.all = true;
                return statement;
            }
            pos = skipBlanks(text, close + 1);
            if (pos >= text.size() || text[pos] != ',') break;
            pos++;
        }
    }
    refuse("The model statement of the solved model was not found.", sourceName,
           "pha adds its hedging terms to the equation list of the model '" + model +
               "', which a model statement of the template must declare (Model " + model + " / all /;).");
}

std::string exactText(double value) {
    std::string text;
    appendExactText(text, value);
    return text;
}

void appendExactText(std::string& out, double value) { appendGeneral(out, value, 17); }

std::string fixFirstStageLines(const std::vector<double>& plan) {
    std::string lines;
    for (size_t j = 0; j < plan.size(); j++) {
        if (std::isnan(plan[j])) continue;
        lines += "x.fx('" + std::to_string(j + 1) + "') = ";
        appendExactText(lines, plan[j]);
        lines += ";\n";
    }
    return lines;
}

// The one place that knows how a solution file is written; the solution file
// reader knows how it is read.
std::string solutionBlock(const std::string& solutionFile, int n1, int n2, const std::string& objectiveVariable,
                          const std::string& costVariable) {
    return solutionFileLine(solutionFile) + solutionStatements(n1, n2, objectiveVariable, costVariable);
}

std::string solutionFileLine(const std::string& solutionFile) {
    return "file phaSolution / '" + solutionFile + "' /;\n";
}

std::string solutionStatements(int n1, int n2, const std::string& objectiveVariable, const std::string& costVariable) {
    std::string block = "phaSolution.nr = 2; phaSolution.nw = 0; phaSolution.nd = 15;\n"
                        "put phaSolution;\n";
    for (int j = 1; j <= n1; j++)
        block += "put 'x " + std::to_string(j) + " ' x.l('" + std::to_string(j) + "') /;\n";
    for (int j = 1; j <= n1; j++)
        block += "put 'xm " + std::to_string(j) + " ' x.m('" + std::to_string(j) + "') /;\n";
    for (int j = 1; j <= n2; j++)
        block += "put 'y " + std::to_string(j) + " ' y.l('" + std::to_string(j) + "') /;\n";
    if (!objectiveVariable.empty()) block += "put 'objective ' " + objectiveVariable + ".l /;\n";
    if (!costVariable.empty()) block += "put 'cost ' " + costVariable + ".l /;\n";
    block += "putclose phaSolution;\n";
    return block;
}

std::string aroundSolve(const std::string& text, const SolveStatement& solve, const std::string& before,
                        const std::string& after) {
    std::string out;
    out.reserve(text.size() + before.size() + after.size() + 2);
    out.append(text, 0, solve.begin);
    appendBeforeSolve(out, before);
    out.append(text, solve.begin, solve.end - solve.begin);
    appendAfterSolve(out, after, solve.end < text.size() && text[solve.end] == '\n');
    out.append(text, solve.end, std::string::npos);
    return out;
}

void appendBeforeSolve(std::string& out, const std::string& before) {
    if (before.empty()) return;
    if (!out.empty() && out.back() != '\n') out += '\n';
    out += before;
    if (out.back() != '\n') out += '\n';
}

void appendAfterSolve(std::string& out, const std::string& after, bool lineFeedFollows) {
    if (after.empty()) return;
    out += '\n';
    out += after;
    // What followed the ";" on its line stays on a line of its own.
    if (out.back() == '\n' && lineFeedFollows) out.pop_back();
}
