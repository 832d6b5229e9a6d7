#include "RunJson.h"

#include <cmath>
#include <nlohmann/json.hpp>

namespace {

using nlohmann::json;

double numberOrNaN(const json& object, const char* key) {
    auto it = object.find(key);
    if (it == object.end() || it->is_null()) return NAN;
    if (!it->is_number()) throw ResultsFormatError(std::string("'") + key + "' is not a number");
    return it->get<double>();
}

std::vector<double> numbers(const json& value, const char* what) {
    if (value.is_null()) return {};
    if (!value.is_array()) throw ResultsFormatError(std::string("'") + what + "' is not a list");
    std::vector<double> out;
    for (const json& v : value) {
        if (!v.is_number()) throw ResultsFormatError(std::string("'") + what + "' holds something not a number");
        out.push_back(v.get<double>());
    }
    return out;
}

}  // namespace

bool looksLikeJson(std::istream& in) {
    int c;
    while ((c = in.peek()) != EOF && std::isspace(c)) in.get();
    return c == '{';
}

RunJson readRunJson(std::istream& in) {
    json record;
    try {
        record = json::parse(in);
    } catch (const json::exception& e) {
        throw ResultsFormatError(std::string("not valid JSON: ") + e.what());
    }
    if (!record.is_object() || !record.contains("iterations") || !record["iterations"].is_array())
        throw ResultsFormatError("no list of iterations");
    RunJson run;
    const json settings = record.value("settings", json::object());
    const int numScenarios = settings.is_object() ? settings.value("numScenarios", 0) : 0;
    for (const json& it : record["iterations"]) {
        if (!it.is_object() || !it.contains("iteration") || !it["iteration"].is_number_integer())
            throw ResultsFormatError("an iteration without its number");
        IterationBlock block;
        block.iteration = it["iteration"].get<int>();
        block.delta = numberOrNaN(it, "delta");
        block.average = numbers(it.value("average", json()), "average");
        // The record keeps no scenario decisions; the scenarios are listed by
        // number, so that D (which counts them) is computed as for results.txt.
        for (int k = 1; k <= numScenarios; k++) block.scenarios.push_back(ScenarioDecisions{k, {}, {}});
        std::vector<double> rho = numbers(it.value("rho", json()), "rho");
        if (rho.empty() && settings.is_object() && settings.contains("rho") && settings["rho"].is_number() &&
            settings["rho"].get<double>() > 0.0)
            rho.assign(1, settings["rho"].get<double>());
        run.rho.push_back(rho);
        run.blocks.push_back(block);
        run.bounds.push_back(BoundPoint{block.iteration, numberOrNaN(it, "expectedCost"), numberOrNaN(it, "bestL"),
                                        numberOrNaN(it, "bestU"), numberOrNaN(it, "gap")});
    }
    run.lower = run.upper = run.gap = NAN;
    const json final = record.value("final", json());
    if (final.is_object()) {
        run.verdict = final.value("verdict", std::string());
        run.plan = numbers(final.value("plan", json()), "plan");
        run.lower = numberOrNaN(final, "L");
        run.upper = numberOrNaN(final, "U");
        run.gap = numberOrNaN(final, "gap");
    }
    return run;
}
