#include "HedgingTerms.h"

#include <algorithm>
#include <cctype>
#include <map>

#include "Exceptions.h"
#include "TemplateCodes.h"

const char* const kAddedObjective = "phaObjective";

namespace {

// Every name pha adds to a model; a template must not use them.
const char* const kAddedNames[] = {"phaW", "phaXbar", "phaRho", "phaObjective", "phaHedgedCost"};

std::string lowered(const std::string& text) {
    std::string out(text);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

bool identifierChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

// Whether the declaration list `list` (up to its ';') declares x: an item
// starts the list or follows a comma or a line break, and is x before '(' or
// a blank, a comma or the end.
bool declaresX(const std::string& list) {
    for (size_t at = 0; at < list.size(); at++) {
        if (list[at] != 'x') continue;
        size_t before = at;
        while (before > 0 && (list[before - 1] == ' ' || list[before - 1] == '\t')) before--;
        bool starts = before == 0 || list[before - 1] == ',' || list[before - 1] == '\n';
        bool ends = at + 1 == list.size() || !identifierChar(list[at + 1]);
        if (starts && ends && (before == 0 || at == 0 || !identifierChar(list[at - 1]))) return true;
    }
    return false;
}

// The first code of a weight (@100..), an average (@200..), rho (@300) or a
// rho_j (@500..) in the template; code -1 when there is none.
struct CodePlace {
    long code = -1;
    long line = 0;
};
CodePlace firstHedgingCode(const ModelTemplate& tpl) {
    for (const auto& [line, text] : tpl.statementLines())
        for (size_t at = text.find('@'); at != std::string::npos; at = text.find('@', at + 1)) {
            long n = 0;
            size_t d = at + 1;
            for (; d < text.size() && std::isdigit(static_cast<unsigned char>(text[d])) && n < 1000; d++)
                n = n * 10 + (text[d] - '0');
            if (d == at + 1) continue;
            if ((n >= 100 && n <= 300) || (n >= 500 && n <= 599)) return CodePlace{n, line};
        }
    return CodePlace{};
}

[[noreturn]] void refuse(const std::string& text) { throw WrongInputParameter((" > ERROR! " + text).c_str()); }

// The type a solve needs once a quadratic term joins a linear objective.
std::string quadraticType(const std::string& type) {
    static const std::map<std::string, std::string> raised = {{"lp", "qcp"}, {"mip", "miqcp"}, {"rmip", "rmiqcp"}};
    const auto found = raised.find(lowered(type));
    return found == raised.end() ? type : found->second;
}

std::string entry(const char* name, size_t j) { return std::string(name) + "('" + std::to_string(j + 1) + "')"; }

// The parameters with this round's values, pha's objective variable and the
// equation that defines it.
std::string addedBlock(const AddedTerms& terms, const TermValues& v, size_t n1) {
    std::string block =
        "* Added by pha: the progressive hedging terms of this round (" + terms.costVariable +
        " is the scenario's cost).\n"
        "Parameter phaW(*)    'progressive hedging weights of x, written by pha'\n"
        "          phaXbar(*) 'first-stage average, written by pha'\n"
        "          phaRho(*)  'penalty parameter of each x, written by pha';\n";
    for (size_t j = 0; j < n1; j++) {
        block += entry("phaW", j) + " = " + writtenValue(v.digits, v.weights.empty() ? 0.0 : v.weights[j]) + ";\n";
        block += entry("phaXbar", j) + " = " + writtenValue(v.digits, v.average[j]) + ";\n";
        block += entry("phaRho", j) + " = " + writtenValue(v.digits, v.rho.empty() ? 0.0 : v.rho[j]) + ";\n";
    }
    block += std::string("Variable ") + kAddedObjective + " '" + terms.costVariable +
             " plus the progressive hedging terms';\n"
             "Equation phaHedgedCost 'defines " + kAddedObjective + "';\n"
             "phaHedgedCost.. " + kAddedObjective + " =e= " + terms.costVariable;
    for (size_t j = 0; j < n1; j++) {
        const std::string x = entry("x", j), w = entry("phaW", j), xbar = entry("phaXbar", j),
                          rho = entry("phaRho", j);
        block += "\n    + " + w + "*" + x;
        if (v.rho.empty()) continue;
        // A binary x has x^2 = x: (x - xbar)^2 = x (1 - 2 xbar) + xbar^2, linear in x.
        if (terms.kind == FirstStageKind::Binary)
            block += " + " + rho + "/2*(" + x + "*(1 - 2*" + xbar + ") + sqr(" + xbar + "))";
        else
            block += " + " + rho + "/2*sqr(" + x + " - " + xbar + ")";
    }
    block += ";\n";
    return block;
}

}  // namespace

bool usesHedgingCodes(const ModelTemplate& tpl) { return firstHedgingCode(tpl).code >= 0; }

FirstStageKind firstStageKind(const ModelTemplate& tpl) {
    std::string text;
    for (const auto& line : tpl.statementLines()) text += line.second + "\n";
    for (const char* kind : {"binary", "integer"}) {
        size_t at = 0;
        while ((at = text.find(kind, at)) != std::string::npos) {
            size_t after = at + std::string(kind).size();
            bool word = (at == 0 || !identifierChar(text[at - 1]));
            size_t v = after;
            while (v < text.size() && std::isspace(static_cast<unsigned char>(text[v]))) v++;
            at = after;
            if (!word || text.compare(v, 8, "variable") != 0) continue;
            size_t list = v + 8;
            if (list < text.size() && text[list] == 's') list++;
            size_t end = text.find(';', list);
            if (declaresX(text.substr(list, end == std::string::npos ? std::string::npos : end - list)))
                return kind[0] == 'b' ? FirstStageKind::Binary : FirstStageKind::Integer;
        }
    }
    return FirstStageKind::Continuous;
}

HedgingTermsChoice chooseHedgingTerms(const ModelTemplate& tpl, const std::string& costVariable,
                                      const std::string& objective) {
    HedgingTermsChoice choice;
    choice.objective = objective;
    const std::string cost = lowered(costVariable);
    // The solve statement itself must minimise the cost: pha replaces its objective.
    if (cost.empty() || lowered(objective) != cost || lowered(tpl.solve().objective) != cost) {
        choice.line = "Hedging terms: the template's own (its solve statement minimises " + objective +
                      (costVariable.empty() ? "" : ", not the cost " + costVariable) + ")" +
                      (usesHedgingCodes(tpl) ? "." : "; it uses no weight, average or rho code.");
        return choice;
    }
    const std::string where = "The template '" + tpl.fileName() + "' minimises its cost " + costVariable +
                              " (--cost), so pha adds the hedging terms to it";
    const CodePlace code = firstHedgingCode(tpl);
    if (code.code >= 0)
        refuse(where + ", but it also uses the code @" + std::to_string(code.code) + " in line " +
               std::to_string(code.line) + " (a weight, an average or rho): the terms would count twice.\n"
               " >> Either drop the weight, average and rho codes (pha writes the terms), or minimise a variable "
               "of your own that holds the cost and your terms.");
    for (const char* name : kAddedNames)
        if (const long line = tpl.lineUsing(name))
            refuse(where + ", but it uses the name " + name + " in line " + std::to_string(line) +
                   ", which pha adds to every model.\n >> Rename it in the template.");
    choice.byPha = true;
    choice.objective = kAddedObjective;
    const FirstStageKind kind = firstStageKind(tpl);
    choice.line = "Hedging terms: added by pha to the cost " + costVariable + " (w'x + rho/2 ||x - xbar||^2" +
                  (kind == FirstStageKind::Binary    ? ", linear for the binary x: x^2 = x"
                   : kind == FirstStageKind::Integer ? ", quadratic for the integer x"
                                                     : "") +
                  ").";
    return choice;
}

std::string withAddedTerms(const std::string& model, const std::string& sourceName, const AddedTerms& terms,
                           const TermValues& values) {
    const SolveStatement solve = findSolveStatement(model, sourceName);
    const ModelStatement declared = findModelStatement(model, solve.model, sourceName);
    const size_t n1 = values.average.size();
    if ((!values.weights.empty() && values.weights.size() != n1) || (!values.rho.empty() && values.rho.size() != n1))
        throw GeneralException(" > ERROR! The hedging terms have weights or rho for another number of first-stage "
                               "variables than the average.");
    const bool quadratic = !values.rho.empty() && n1 > 0 && terms.kind != FirstStageKind::Binary;
    // The edits from the end of the text to its start, so that every offset still holds.
    struct Edit {
        size_t begin, end;
        std::string text;
    };
    std::vector<Edit> edits;
    if (solve.objectiveEnd > 0) edits.push_back({solve.objectiveBegin, solve.objectiveEnd, kAddedObjective});
    if (quadratic && solve.typeEnd > 0) edits.push_back({solve.typeBegin, solve.typeEnd, quadraticType(solve.type)});
    if (!declared.all) edits.push_back({declared.listEnd, declared.listEnd, ", phaHedgedCost "});
    std::string before = addedBlock(terms, values, n1);
    if (declared.begin > 0 && model[declared.begin - 1] != '\n') before = "\n" + before;
    edits.push_back({declared.begin, declared.begin, before});
    std::sort(edits.begin(), edits.end(), [](const Edit& a, const Edit& b) { return a.begin > b.begin; });
    std::string out = model;
    for (const Edit& e : edits) out.replace(e.begin, e.end - e.begin, e.text);
    return out;
}
