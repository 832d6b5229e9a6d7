#include "ScenarioModels.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

#include "Exceptions.h"
#include "HedgingTerms.h"
#include "SafeFiles.h"
#include "TextLines.h"

namespace {

std::string lowered(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

bool isWordPart(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

// Whether a code is a number alone, so that its value (a number: digits,
// sign, point, exponent, or inf and nan) reads for the solve statement search
// as the code does: digits only (a carriage return at the line end goes with
// the code and, like the line end, is no character), no word part just before
// its "@" or just after the blank dropped with it.
bool codeStandsAlone(const std::string& body, const LinePiece& code) {
    size_t digits = code.begin;
    while (digits < code.end && std::isdigit(static_cast<unsigned char>(body[digits]))) digits++;
    if (digits == code.begin) return false;
    const bool lineEnd = digits + 1 == code.end && body[digits] == '\r' && code.end == body.size();
    if (digits != code.end && !lineEnd) return false;
    const size_t at = code.begin - 1;
    if (at > 0 && isWordPart(body[at - 1])) return false;
    const size_t next = code.end + 1;
    return next >= body.size() || !isWordPart(body[next]);
}

// The piece of a line that begins at `column`, a literal run cut there when it
// holds the column; pieces.size() for the line's end. False for a column
// within a code.
bool pieceAt(std::vector<LinePiece>& pieces, size_t lineLength, size_t column, size_t& piece) {
    for (size_t k = 0; k < pieces.size(); k++) {
        const LinePiece p = pieces[k];
        const size_t spanBegin = p.code ? p.begin - 1 : p.begin;
        const size_t spanEnd = p.code ? std::min(p.end + 1, lineLength) : p.end;
        if (column == spanBegin) {
            piece = k;
            return true;
        }
        if (column > spanBegin && column < spanEnd) {
            if (p.code) return false;
            pieces[k].end = column;
            pieces.insert(pieces.begin() + static_cast<std::ptrdiff_t>(k) + 1, LinePiece{false, column, p.end});
            piece = k + 1;
            return true;
        }
    }
    piece = pieces.size();
    return column == lineLength;
}

}  // namespace

ModelTemplate::ModelTemplate(const std::string& fileName) : fileName_(fileName) {
    FILE* file = std::fopen(fileName.c_str(), "rt");
    if (file == nullptr) throw FileNotExists(fileName.c_str());
    std::string line, text;
    std::vector<size_t> lineStarts;
    while (readWholeLine(file, line)) {
        if (line.back() == '\n') line.pop_back();
        lines_.push_back(line);
        lineStarts.push_back(text.size());
        text += line + '\n';
    }
    std::fclose(file);
    solve_ = findSolveStatement(text, fileName_);
    bool inText = false;  // between $ontext and $offtext
    for (size_t n = 0; n < lines_.size(); n++) {
        const std::string low = lowered(lines_[n]);
        if (inText || low.compare(0, 7, "$ontext") == 0) {
            inText = inText ? low.compare(0, 8, "$offtext") != 0 : true;
            continue;
        }
        if (low.empty() || low[0] == '*') continue;
        statementLines_.emplace_back(static_cast<long>(n) + 1, low);
    }
    usesData_ = lineUsing("phaData") > 0;
    for (const std::string& body : lines_) {
        pieces_.push_back(linePieces(body));
        for (const LinePiece& piece : pieces_.back()) {
            if (piece.code) codeCount_++;
            else literalSize_ += piece.end - piece.begin;
        }
    }
    mapSolveStatement(lineStarts);
}

void ModelTemplate::mapSolveStatement(const std::vector<size_t>& lineStarts) {
    for (size_t n = 0; n < lines_.size(); n++) {
        // A comment line, or a line of an $ontext block, stays one whatever its codes hold.
        if (!lines_[n].empty() && lines_[n][0] == '*') continue;
        for (const LinePiece& piece : pieces_[n])
            if (piece.code && !codeStandsAlone(lines_[n], piece)) return;
    }
    // The line of an offset into the template's text (its lines, each with a line feed).
    const auto lineOf = [&](size_t offset) {
        const auto after = std::upper_bound(lineStarts.begin(), lineStarts.end(), offset);
        return static_cast<size_t>(after - lineStarts.begin()) - 1;
    };
    // "solve" begins a line's character; the ";" ends one, so its line is that of the ";".
    solveBegin_.line = lineOf(solve_.begin);
    solveEnd_.line = lineOf(solve_.end - 1);
    const size_t beginColumn = solve_.begin - lineStarts[solveBegin_.line];
    const size_t endColumn = solve_.end - lineStarts[solveEnd_.line];
    // The beginning first: cutting at the end never moves a piece before it.
    solveMapped_ =
        pieceAt(pieces_[solveBegin_.line], lines_[solveBegin_.line].size(), beginColumn, solveBegin_.piece) &&
        pieceAt(pieces_[solveEnd_.line], lines_[solveEnd_.line].size(), endColumn, solveEnd_.piece);
}

long ModelTemplate::lineUsing(const std::string& name) const {
    const std::string wanted = lowered(name);
    const auto part = [](char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; };
    for (const auto& [line, text] : statementLines_)
        for (size_t at = text.find(wanted); at != std::string::npos; at = text.find(wanted, at + 1)) {
            const size_t after = at + wanted.size();
            if ((at == 0 || !part(text[at - 1])) && (after >= text.size() || !part(text[after]))) return line;
        }
    return 0;
}

std::string scenarioFileName(int k, const char* extension) {
    return "scenario" + std::to_string(k) + "." + extension;
}

namespace {

// phaData('1') .. phaData('n'): the scenario's values from the settings file
// (phaData('1') is the value of @0), written as the codes write them.
void appendDataBlock(std::string& out, const SCENARIO& scenario, int digits) {
    out += "* Added by pha: the values of this scenario from the settings file.\n"
           "Parameter phaData(*) 'values of this scenario from the settings file, written by pha';\n";
    for (int j = 0; j < scenario.numParameters; j++) {
        out += "phaData('";
        out += std::to_string(j + 1);
        out += "') = ";
        appendWrittenValue(out, digits, scenario.data[j]);
        out += ";\n";
    }
}

// The values of pha's own hedging terms for scenario s, as the codes would give them.
TermValues termValues(const SCENARIOS& set, int s, const ModelRound& round) {
    TermValues v;
    v.digits = round.style.digits;
    const size_t n1 = static_cast<size_t>(set.numVariables1);
    const VECTOR* w = set.scenarios[s]->weights1;
    v.average.assign(set.averageSolution1->data, set.averageSolution1->data + n1);
    if (!round.style.weightsOff) v.weights.assign(w->data, w->data + n1);
    if (!round.style.rhoOff) {
        if (round.style.rhoPerVariable != nullptr) v.rho = *round.style.rhoPerVariable;
        v.rho.resize(n1, set.rho);  // one rho for every variable, or rho_j of each
    }
    return v;
}

// The lines the round puts just before the solve statement.
std::string beforeSolve(const ModelRound& round) {
    return round.fixedPlan.empty() ? "" : fixFirstStageLines(round.fixedPlan);
}

// What the round puts just after the solve statement of every scenario: the
// solution block without the line that names scenario s's file.
std::string solutionStatementsOf(const SCENARIOS& set, const ModelRound& round) {
    return round.solutionFiles
               ? solutionStatements(set.numVariables1, set.numVariables2, round.objectiveVariable, round.costVariable)
               : "";
}

// The lines the round puts just after the solve statement of scenario s.
std::string afterSolve(int s, const ModelRound& round, const std::string& statements) {
    return round.solutionFiles ? solutionFileLine(scenarioFileName(s + 1, "sol")) + statements : "";
}

// Scenario s's model into `model`, its earlier text replaced.
void buildScenarioModel(std::string& model, const ModelTemplate& tpl, const SCENARIOS& set, int s,
                        const ModelRound& round, const std::string& before, const std::string& after) {
    const bool edits = !before.empty() || !after.empty();
    // pha's hedging terms rewrite the text: the statement is then looked for in it.
    const bool mapped = edits && round.addedTerms == nullptr && tpl.solveMapped();
    const SCENARIO& scenario = *set.scenarios[s];
    model.clear();
    model.reserve(tpl.literalSize() + tpl.lines().size() + 32 * tpl.codeCount() + before.size() + after.size() +
                  (tpl.usesDataParameter() ? 160 + 48 * static_cast<size_t>(scenario.numParameters) : 0));
    if (tpl.usesDataParameter()) appendDataBlock(model, scenario, round.style.digits);
    const ModelTemplate::PieceMark& begin = tpl.solveBegin();
    const ModelTemplate::PieceMark& end = tpl.solveEnd();
    for (size_t n = 0; n < tpl.lines().size(); n++) {
        const TemplatePlace place{tpl.fileName().c_str(), static_cast<long>(n) + 1};
        const std::vector<LinePiece>& pieces = tpl.pieces()[n];
        for (size_t k = 0; k <= pieces.size(); k++) {
            if (mapped && n == begin.line && k == begin.piece) appendBeforeSolve(model, before);
            // At the line's end the text goes on with its line feed.
            if (mapped && n == end.line && k == end.piece) appendAfterSolve(model, after, k == pieces.size());
            if (k < pieces.size()) appendLinePiece(model, tpl.lines()[n], pieces[k], set, s, place, round.style);
        }
        model += '\n';
    }
    if (mapped) return;
    if (round.addedTerms != nullptr)
        model = withAddedTerms(model, tpl.fileName(), *round.addedTerms, termValues(set, s, round));
    if (edits) model = aroundSolve(model, findSolveStatement(model, tpl.fileName()), before, after);
}

}  // namespace

std::string scenarioModelText(const ModelTemplate& tpl, const SCENARIOS& set, int s, const ModelRound& round) {
    std::string model;
    const std::string after = afterSolve(s, round, solutionStatementsOf(set, round));
    buildScenarioModel(model, tpl, set, s, round, beforeSolve(round), after);
    return model;
}

void writeScenarioModels(const ModelTemplate& tpl, const SCENARIOS& set, const ModelRound& round,
                         const std::function<void(int written)>& written) {
    const std::string before = beforeSolve(round);
    const std::string statements = solutionStatementsOf(set, round);
    std::string model;  // one buffer for every scenario's text
    for (int s = 0; s < set.numScenarios; s++) {
        buildScenarioModel(model, tpl, set, s, round, before, afterSolve(s, round, statements));
        const std::string name = scenarioFileName(s + 1, "gms");
        // The last round's solution must not pass for this one's: marked stale in place, it reads as none.
        markStale(scenarioFileName(s + 1, "sol"));
        std::string error;
        if (!overwriteWholeFile(name, model, error)) throw GeneralException((" > ERROR! " + error).c_str());
        if (written) written(s + 1);
    }
}
