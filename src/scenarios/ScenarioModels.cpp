#include "ScenarioModels.h"

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

}  // namespace

ModelTemplate::ModelTemplate(const std::string& fileName) : fileName_(fileName) {
    FILE* file = std::fopen(fileName.c_str(), "rt");
    if (file == nullptr) throw FileNotExists(fileName.c_str());
    std::string line, text;
    while (readWholeLine(file, line)) {
        if (line.back() == '\n') line.pop_back();
        lines_.push_back(line);
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
std::string dataBlock(const SCENARIO& scenario, int digits) {
    std::string block = "* Added by pha: the values of this scenario from the settings file.\n"
                        "Parameter phaData(*) 'values of this scenario from the settings file, written by pha';\n";
    for (int j = 0; j < scenario.numParameters; j++)
        block += "phaData('" + std::to_string(j + 1) + "') = " + writtenValue(digits, scenario.data[j]) + ";\n";
    return block;
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

}  // namespace

std::string scenarioModelText(const ModelTemplate& tpl, const SCENARIOS& set, int s, const ModelRound& round) {
    std::string model = tpl.usesDataParameter() ? dataBlock(*set.scenarios[s], round.style.digits) : "";
    for (size_t n = 0; n < tpl.lines().size(); n++) {
        TemplatePlace place{tpl.fileName().c_str(), static_cast<long>(n) + 1};
        model += expandTemplateLine(tpl.lines()[n], set, s, place, round.style);
        model += '\n';
    }
    if (round.addedTerms != nullptr)
        model = withAddedTerms(model, tpl.fileName(), *round.addedTerms, termValues(set, s, round));
    const std::string before = round.fixedPlan.empty() ? "" : fixFirstStageLines(round.fixedPlan);
    const std::string after =
        round.solutionFiles ? solutionBlock(scenarioFileName(s + 1, "sol"), set.numVariables1, set.numVariables2,
                                            round.objectiveVariable, round.costVariable)
                            : "";
    if (before.empty() && after.empty()) return model;
    // Expanded values hold no words, so the statement is found as in the template.
    return aroundSolve(model, findSolveStatement(model, tpl.fileName()), before, after);
}

void writeScenarioModels(const ModelTemplate& tpl, const SCENARIOS& set, const ModelRound& round,
                         const std::function<void(int written)>& written) {
    for (int s = 0; s < set.numScenarios; s++) {
        const std::string model = scenarioModelText(tpl, set, s, round);
        const std::string name = scenarioFileName(s + 1, "gms");
        // The last round's solution must not pass for this one's: marked stale in place, it reads as none.
        markStale(scenarioFileName(s + 1, "sol"));
        std::string error;
        if (!overwriteWholeFile(name, model, error)) throw GeneralException((" > ERROR! " + error).c_str());
        if (written) written(s + 1);
    }
}
