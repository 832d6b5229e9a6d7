#include "RunResume.h"

#include <fstream>
#include <nlohmann/json.hpp>

#include "Exceptions.h"

namespace {

using nlohmann::json;

std::vector<double> valuesOf(const VECTOR* v) { return std::vector<double>(v->data, v->data + v->size); }

void copyInto(const std::vector<double>& values, VECTOR* v) {
    for (int j = 0; j < v->size && j < static_cast<int>(values.size()); j++) v->data[j] = values[static_cast<size_t>(j)];
}

[[noreturn]] void refuseResume(const std::string& fileName, const std::string& text) {
    const std::string message = " > ERROR! --resume '" + fileName + "': " + text;
    throw WrongInputParameter(message.c_str());
}

// Every row has `columns` entries and there are `rows` rows.
bool shaped(const std::vector<std::vector<double>>& table, size_t rows, size_t columns) {
    if (table.size() != rows) return false;
    for (const auto& row : table)
        if (row.size() != columns) return false;
    return true;
}

}  // namespace

ResumeState capturedState(const SCENARIOS& set, int iteration, const std::vector<double>& rho,
                          const BoundKeeper& bounds, const AndersonAcceleration::History& acceleration) {
    ResumeState state;
    state.iteration = iteration;
    for (int s = 0; s < set.numScenarios; s++) {
        state.weights1.push_back(valuesOf(set.scenarios[s]->weights1));
        state.weights2.push_back(valuesOf(set.scenarios[s]->weights2));
        state.second.push_back(valuesOf(set.averageSolution2[s]));
    }
    state.average = valuesOf(set.averageSolution1);
    state.rho = rho;
    state.rhoScalar = set.rho;
    state.hasLower = bounds.hasLower();
    state.hasUpper = bounds.hasUpper();
    state.lower = bounds.lower();
    state.upper = bounds.upper();
    state.lowerIteration = bounds.lowerIteration();
    state.upperIteration = bounds.upperIteration();
    state.plan = bounds.plan();
    state.acceleration = acceleration;
    return state;
}

std::string resumeStateText(const ResumeState& s) {
    // nlohmann writes doubles so that they read back bit for bit.
    json j = {{"iteration", s.iteration}, {"weights1", s.weights1}, {"weights2", s.weights2},
              {"average", s.average},     {"second", s.second},     {"rho", s.rho},
              {"rhoScalar", s.rhoScalar}};
    if (s.hasLower) j["lower"] = {{"value", s.lower}, {"iteration", s.lowerIteration}};
    if (s.hasUpper) j["upper"] = {{"value", s.upper}, {"iteration", s.upperIteration}, {"plan", s.plan}};
    if (!s.acceleration.points.empty())
        j["acceleration"] = {{"points", s.acceleration.points},
                             {"images", s.acceleration.images},
                             {"lastResidual", s.acceleration.lastResidual},
                             {"lastAccelerated", s.acceleration.lastAccelerated}};
    return j.dump();
}

ResumeState readResumeState(const std::string& fileName, int numScenarios, int n1, int n2) {
    std::ifstream in(fileName);
    if (!in) refuseResume(fileName, "the file cannot be read.");
    ResumeState s;
    try {
        const json record = json::parse(in);
        if (!record.contains("resume") || record["resume"].is_null())
            refuseResume(fileName, "the record has no \"resume\" entry (no iteration finished).");
        const json& r = record["resume"];
        s.iteration = r.at("iteration").get<int>();
        s.weights1 = r.at("weights1").get<std::vector<std::vector<double>>>();
        s.weights2 = r.at("weights2").get<std::vector<std::vector<double>>>();
        s.average = r.at("average").get<std::vector<double>>();
        s.second = r.at("second").get<std::vector<std::vector<double>>>();
        s.rho = r.at("rho").get<std::vector<double>>();
        s.rhoScalar = r.at("rhoScalar").get<double>();
        if (r.contains("lower")) {
            s.hasLower = true;
            s.lower = r["lower"].at("value").get<double>();
            s.lowerIteration = r["lower"].at("iteration").get<int>();
        }
        if (r.contains("upper")) {
            s.hasUpper = true;
            s.upper = r["upper"].at("value").get<double>();
            s.upperIteration = r["upper"].at("iteration").get<int>();
            s.plan = r["upper"].at("plan").get<std::vector<double>>();
        }
        if (r.contains("acceleration")) {
            const json& a = r["acceleration"];
            s.acceleration.points = a.at("points").get<std::vector<std::vector<double>>>();
            s.acceleration.images = a.at("images").get<std::vector<std::vector<double>>>();
            s.acceleration.lastResidual = a.at("lastResidual").get<double>();
            s.acceleration.lastAccelerated = a.at("lastAccelerated").get<bool>();
        }
    } catch (const json::exception& e) {
        refuseResume(fileName, std::string("not a record of pha --json: ") + e.what());
    }
    const size_t k = static_cast<size_t>(numScenarios), m1 = static_cast<size_t>(n1), m2 = static_cast<size_t>(n2);
    if (!shaped(s.weights1, k, m1) || !shaped(s.weights2, k, m2) || !shaped(s.second, k, m2) ||
        s.average.size() != m1 || s.rho.size() != m1 || (s.hasUpper && s.plan.size() != m1) ||
        s.acceleration.points.size() != s.acceleration.images.size() ||
        !shaped(s.acceleration.points, s.acceleration.points.size(), k * m1) ||
        !shaped(s.acceleration.images, s.acceleration.images.size(), k * m1))
        refuseResume(fileName, "it was written for another number of scenarios or variables than " +
                                   std::to_string(numScenarios) + " scenarios, --n1 " + std::to_string(n1) +
                                   " and --n2 " + std::to_string(n2) + ".");
    return s;
}

void restoreState(const ResumeState& state, SCENARIOS& set, BoundKeeper& bounds) {
    for (int s = 0; s < set.numScenarios; s++) {
        const size_t i = static_cast<size_t>(s);
        copyInto(state.weights1[i], set.scenarios[s]->weights1);
        copyInto(state.weights2[i], set.scenarios[s]->weights2);
        copyInto(state.second[i], set.averageSolution2[s]);
        copyInto(state.second[i], set.scenarios[s]->solution2);
        copyInto(state.average, set.scenarios[s]->solution1);
    }
    copyInto(state.average, set.averageSolution1);
    set.rho = state.rhoScalar;
    if (state.hasLower) bounds.offerLower(state.lower, state.lowerIteration);
    if (state.hasUpper) bounds.offerUpper(state.upper, state.plan, state.upperIteration);
}
