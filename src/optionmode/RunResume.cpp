#include "RunResume.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <limits>
#include <sstream>
#include <nlohmann/json.hpp>

#include "CheckedNumbers.h"
#include "Exceptions.h"
#include "RunRecord.h"

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
    if (!s.fixings.empty()) {
        json fixed = json::array();
        for (const auto& f : s.fixings) fixed.push_back({{"entry", f.first + 1}, {"value", f.second}});
        j["fixings"] = fixed;
    }
    return j.dump();
}

namespace {

// Strict readers of the record's fields: a wrong type, size or value is
// refused naming the field, never converted (nlohmann would read 2.5 or true as an int).
class RecordReader {
public:
    explicit RecordReader(const std::string& fileName) : fileName_(fileName) {}

    [[noreturn]] void refuse(const std::string& field, const std::string& text) const {
        refuseResume(fileName_, "\"" + field + "\" " + text);
    }

    const json& at(const json& object, const std::string& field, const std::string& key) const {
        if (!object.is_object() || !object.contains(key)) refuse(field, "is missing.");
        return object[key];
    }

    int whole(const json& value, const std::string& field, long long low, long long high,
              const std::string& range) const {
        if (!value.is_number_integer()) refuse(field, "is " + shown(value) + ", not a whole number.");
        const long long v = value.is_number_unsigned() ? static_cast<long long>(std::min<unsigned long long>(
                                                             value.get<unsigned long long>(), 1ULL << 62))
                                                       : value.get<long long>();
        if (v < low || v > high) refuse(field, "is " + shown(value) + ", outside " + range + ".");
        return static_cast<int>(v);
    }

    double finite(const json& value, const std::string& field) const {
        if (!value.is_number()) refuse(field, "is " + shown(value) + ", not a number.");
        const double v = value.get<double>();
        if (!std::isfinite(v)) refuse(field, "is not a finite number.");
        return v;
    }

    double positive(const json& value, const std::string& field) const {
        const double v = finite(value, field);
        const std::string why = checkFinite(v);
        if (!(v > 0.0) || !why.empty()) refuse(field, "is " + shown(value) + "; rho must be a number > 0.");
        return v;
    }

    std::vector<double> row(const json& value, const std::string& field, size_t size, bool positiveOnly = false) const {
        if (!value.is_array()) refuse(field, "is " + shown(value) + ", not a list of numbers.");
        if (value.size() != size)
            refuse(field, "has " + std::to_string(value.size()) + " entries where this run has " +
                              std::to_string(size) + " (" + sizes_ + ").");
        std::vector<double> values;
        for (size_t j = 0; j < value.size(); j++) {
            const std::string entry = field + "[" + std::to_string(j) + "]";
            values.push_back(positiveOnly ? positive(value[j], entry) : finite(value[j], entry));
        }
        return values;
    }

    std::vector<std::vector<double>> table(const json& value, const std::string& field, size_t rows,
                                           size_t columns) const {
        if (!value.is_array()) refuse(field, "is " + shown(value) + ", not a list of lists.");
        if (value.size() != rows)
            refuse(field, "has " + std::to_string(value.size()) + " rows where this run has " + std::to_string(rows) +
                              " (" + sizes_ + ").");
        std::vector<std::vector<double>> values;
        for (size_t r = 0; r < value.size(); r++) values.push_back(row(value[r], field + "[" + std::to_string(r) + "]", columns));
        return values;
    }

    void setSizes(const std::string& sizes) { sizes_ = sizes; }

    // A value for a message, cut short.
    static std::string shown(const json& value) {
        std::string text = value.dump();
        if (text.size() > 40) text = text.substr(0, 40) + "...";
        return text;
    }

private:
    std::string fileName_;
    std::string sizes_;
};

std::string digitsText(int digits) { return digits == kFullPrecision ? "full" : std::to_string(digits); }

// The record's settings against the command line's where they shape the
// iterates; a rho not given on the command line is taken from the record.
void reconcileSettings(const RecordReader& reader, const json& settings, RunOptions& o, std::string& fromRecord) {
    const auto differ = [&reader](const std::string& option, const std::string& given, const std::string& recorded) {
        reader.refuse("settings", "say " + option + " " + recorded + "; the command line says " + given +
                                      ". Give the record's value, or start a new run without --resume.");
    };
    const auto text = [&reader](const json& s, const char* key) {
        const json& v = reader.at(s, std::string("settings.") + key, key);
        if (!v.is_string()) reader.refuse(std::string("settings.") + key, "is not a text.");
        return v.get<std::string>();
    };
    const json& rho = reader.at(settings, "settings.rho", "rho");
    const std::string recordRhoFile = text(settings, "rhoFile");
    const bool recordAuto = rho.is_string() && rho.get<std::string>() == "auto";
    const bool rhoGiven = o.rhoAuto || o.rho > 0.0 || !o.rhoFile.empty();
    std::string recordRho = recordAuto ? "auto" : !recordRhoFile.empty() ? "--rho-file " + recordRhoFile : "";
    if (recordRho.empty()) {
        std::ostringstream number;
        number << reader.positive(rho, "settings.rho");
        recordRho = number.str();
    }
    if (!rhoGiven) {
        o.rhoAuto = recordAuto;
        o.rhoFile = recordRhoFile;
        if (!recordAuto && recordRhoFile.empty()) o.rho = rho.get<double>();
        fromRecord += ", rho (" + recordRho + ")";
    } else if (o.rhoAuto != recordAuto || o.rhoFile.empty() != recordRhoFile.empty() ||
               (!o.rhoAuto && o.rhoFile.empty() && rho.get<double>() != o.rho)) {
        std::ostringstream given;
        given << (o.rhoAuto ? "auto" : !o.rhoFile.empty() ? "--rho-file " + o.rhoFile : "");
        if (!o.rhoAuto && o.rhoFile.empty()) given << o.rho;
        differ("--rho", given.str(), recordRho);
    }
    if (text(settings, "rhoUpdate") != o.rhoUpdate) differ("--rho-update", o.rhoUpdate, text(settings, "rhoUpdate"));
    const int accelerate = reader.whole(reader.at(settings, "settings.accelerate", "accelerate"),
                                        "settings.accelerate", 0, 50, "0 to 50");
    if (accelerate != o.accelerate) differ("--accelerate", std::to_string(o.accelerate), std::to_string(accelerate));
    const json& digits = reader.at(settings, "settings.digits", "digits");
    const std::string recordDigits =
        digits.is_string() ? digits.get<std::string>()
                           : std::to_string(reader.whole(digits, "settings.digits", 0, 17, "0 to 17"));
    if (recordDigits != digitsText(o.digits)) differ("--digits", digitsText(o.digits), recordDigits);
    if (text(settings, "cost") != o.costVariable)
        differ("--cost", "'" + o.costVariable + "'", "'" + text(settings, "cost") + "'");
    if (text(settings, "objective") != o.objectiveVariable)
        differ("--objective", "'" + o.objectiveVariable + "'", "'" + text(settings, "objective") + "'");
    // The scenarios themselves: the same files, not only the same sizes.
    for (const auto& file : {std::make_pair("templateHash", o.templateFile), std::make_pair("scenariosHash", o.scenariosFile)}) {
        const std::string recorded = text(settings, file.first);
        if (recorded != fileHash(file.second))
            reader.refuse(std::string("settings.") + file.first,
                          "does not match '" + file.second + "': the record was made from another " +
                              (file.first == std::string("templateHash") ? "template" : "settings file") +
                              " (or the file has changed since).");
    }
}

}  // namespace

ResumeRecord readResumeRecord(const RunOptions& commandLine, int numScenarios) {
    const std::string& fileName = commandLine.resumeFile;
    std::ifstream in(fileName);
    if (!in) refuseResume(fileName, "the file cannot be read.");
    ResumeRecord result;
    result.options = commandLine;
    RunOptions& o = result.options;
    ResumeState& s = result.state;
    RecordReader reader(fileName);
    const size_t k = static_cast<size_t>(numScenarios), m1 = static_cast<size_t>(o.n1), m2 = static_cast<size_t>(o.n2);
    reader.setSizes(std::to_string(numScenarios) + " scenarios, --n1 " + std::to_string(o.n1) + ", --n2 " +
                    std::to_string(o.n2));
    std::string fromRecord = "the weights, the averages and rho_j after the iteration, the best bounds";
    try {
        const json record = json::parse(in);
        if (!record.is_object()) refuseResume(fileName, "not a record of pha --json (not a JSON object).");
        if (!record.contains("resume") || record["resume"].is_null())
            refuseResume(fileName, "the record has no \"resume\" entry (no iteration finished).");
        const json& settings = reader.at(record, "settings", "settings");
        const int recordScenarios =
            reader.whole(reader.at(settings, "settings.numScenarios", "numScenarios"), "settings.numScenarios", 1,
                         std::numeric_limits<int>::max(), "1 and more");
        if (recordScenarios != numScenarios)
            reader.refuse("settings.numScenarios", "is " + std::to_string(recordScenarios) + "; the settings file '" +
                                                       o.scenariosFile + "' has " + std::to_string(numScenarios) + ".");
        for (const auto& n : {std::make_pair("n1", o.n1), std::make_pair("n2", o.n2)}) {
            const int recorded = reader.whole(reader.at(settings, std::string("settings.") + n.first, n.first),
                                              std::string("settings.") + n.first, 0, kMaxSecondStage, "the counts");
            if (recorded != n.second)
                reader.refuse(std::string("settings.") + n.first, "is " + std::to_string(recorded) + "; the command line says --" +
                                                              n.first + " " + std::to_string(n.second) + ".");
        }
        reconcileSettings(reader, settings, o, fromRecord);

        const json& r = record["resume"];
        s.iteration = reader.whole(reader.at(r, "resume.iteration", "iteration"), "resume.iteration", 0,
                                   o.maxIterations, "0 to --max-iter " + std::to_string(o.maxIterations));
        s.weights1 = reader.table(reader.at(r, "resume.weights1", "weights1"), "resume.weights1", k, m1);
        s.weights2 = reader.table(reader.at(r, "resume.weights2", "weights2"), "resume.weights2", k, m2);
        s.average = reader.row(reader.at(r, "resume.average", "average"), "resume.average", m1);
        s.second = reader.table(reader.at(r, "resume.second", "second"), "resume.second", k, m2);
        s.rho = reader.row(reader.at(r, "resume.rho", "rho"), "resume.rho", m1, true);
        s.rhoScalar = reader.positive(reader.at(r, "resume.rhoScalar", "rhoScalar"), "resume.rhoScalar");
        const std::string upTo = "0 to the iteration " + std::to_string(s.iteration);
        if (r.contains("lower")) {
            s.hasLower = true;
            s.lower = reader.finite(reader.at(r["lower"], "resume.lower.value", "value"), "resume.lower.value");
            s.lowerIteration = reader.whole(reader.at(r["lower"], "resume.lower.iteration", "iteration"),
                                            "resume.lower.iteration", 0, s.iteration, upTo);
        }
        if (r.contains("upper")) {
            s.hasUpper = true;
            s.upper = reader.finite(reader.at(r["upper"], "resume.upper.value", "value"), "resume.upper.value");
            s.upperIteration = reader.whole(reader.at(r["upper"], "resume.upper.iteration", "iteration"),
                                            "resume.upper.iteration", 0, s.iteration, upTo);
            s.plan = reader.row(reader.at(r["upper"], "resume.upper.plan", "plan"), "resume.upper.plan", m1);
        }
        if (r.contains("acceleration")) {
            const json& a = r["acceleration"];
            const json& points = reader.at(a, "resume.acceleration.points", "points");
            const size_t memory = points.is_array() ? points.size() : 0;
            s.acceleration.points = reader.table(points, "resume.acceleration.points", memory, k * m1);
            s.acceleration.images =
                reader.table(reader.at(a, "resume.acceleration.images", "images"), "resume.acceleration.images", memory, k * m1);
            s.acceleration.lastResidual =
                reader.finite(reader.at(a, "resume.acceleration.lastResidual", "lastResidual"), "resume.acceleration.lastResidual");
            const json& last = reader.at(a, "resume.acceleration.lastAccelerated", "lastAccelerated");
            if (!last.is_boolean()) reader.refuse("resume.acceleration.lastAccelerated", "is not true or false.");
            s.acceleration.lastAccelerated = last.get<bool>();
        }
        if (r.contains("fixings")) {
            const json& fixed = r["fixings"];
            if (!fixed.is_array()) reader.refuse("resume.fixings", "is not a list.");
            std::vector<bool> seen(m1, false);
            for (size_t f = 0; f < fixed.size(); f++) {
                const std::string field = "resume.fixings[" + std::to_string(f) + "]";
                const int entry = reader.whole(reader.at(fixed[f], field + ".entry", "entry"), field + ".entry", 1,
                                               static_cast<int>(m1), "1 to --n1");
                if (seen[static_cast<size_t>(entry - 1)]) reader.refuse(field + ".entry", "names an entry fixed twice.");
                seen[static_cast<size_t>(entry - 1)] = true;
                const double value = reader.finite(reader.at(fixed[f], field + ".value", "value"), field + ".value");
                if (value != std::round(value)) reader.refuse(field + ".value", "is not a whole number.");
                s.fixings.emplace_back(entry - 1, value);
            }
        }
        // The iterations the record went through, so that the new record is the whole run's.
        const json& iterations = reader.at(record, "iterations", "iterations");
        if (!iterations.is_array()) reader.refuse("iterations", "is not a list.");
        for (const json& it : iterations) {
            if (!it.is_object() || !it.contains("iteration") || !it["iteration"].is_number_integer())
                reader.refuse("iterations", "holds an entry without a whole \"iteration\".");
            if (it["iteration"].get<long long>() <= s.iteration) result.iterations.push_back(it.dump());
        }
    } catch (const json::exception& e) {
        refuseResume(fileName, std::string("not a record of pha --json: ") + e.what());
    }
    result.origin = "Resuming after iteration " + std::to_string(s.iteration) + " of '" + fileName +
                    "'. From the record: " + fromRecord +
                    ". From the command line: --tol, --max-iter, --gap, --bound-every, --workers, --solve-timeout, "
                    "--json.";
    return result;
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
