#include "RunRecord.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <nlohmann/json.hpp>

#include "Bounds.h"
#include "Exceptions.h"
#include "SafeFiles.h"

namespace {

using nlohmann::json;

// JSON has no infinity or NaN: a number that is not finite is recorded as null.
json number(bool present, double value) {
    if (!present || !std::isfinite(value)) return nullptr;
    return value;
}

json gapOf(bool hasLower, double lower, bool hasUpper, double upper) {
    if (!hasLower || !hasUpper) return nullptr;
    return relativeGap(upper, lower);
}

}  // namespace

std::string fileHash(const std::string& fileName) {
    std::ifstream in(fileName, std::ios::binary);
    if (!in) return "";
    std::uint64_t hash = 14695981039346656037ULL;
    char buffer[65536];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
        for (std::streamsize i = 0; i < in.gcount(); i++) {
            hash ^= static_cast<unsigned char>(buffer[i]);
            hash *= 1099511628211ULL;
        }
        if (!in) break;
    }
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash));
    return text;
}

RunRecord::RunRecord(const std::string& fileName, const RunOptions& o, int numScenarios, int workers)
    : fileName_(fileName) {
    json settings = {{"template", o.templateFile},
                     {"scenarios", o.scenariosFile},
                     {"numScenarios", numScenarios},
                     {"n1", o.n1},
                     {"n2", o.n2},
                     {"tolerance", o.tolerance},
                     {"rho", o.rhoAuto ? json("auto") : json(o.rho)},
                     {"rhoFile", o.rhoFile},
                     {"rhoUpdate", o.rhoUpdate},
                     {"accelerate", o.accelerate},
                     {"maxIterations", o.maxIterations},
                     {"start", o.start},
                     {"workers", workers},
                     {"digits", o.digits == kFullPrecision ? json("full") : json(o.digits)},
                     {"cost", o.costVariable},
                     {"objective", o.objectiveVariable},
                     {"boundEvery", o.boundEvery},
                     {"gap", o.gap >= 0 ? json(o.gap) : json(nullptr)},
                     {"absGap", o.absGap >= 0 ? json(o.absGap) : json(nullptr)},
                     {"templateHash", fileHash(o.templateFile)},
                     {"scenariosHash", fileHash(o.scenariosFile)}};
    settings_ = settings.dump();
}

void RunRecord::addIteration(const IterationNumbers& n) {
    json it = {{"iteration", n.iteration},
               {"delta", number(true, n.delta)},
               {"D", number(n.hasChange, n.change)},
               {"expectedCost", number(n.hasExpectedCost, n.expectedCost)},
               {"L", number(n.hasLower, n.lower)},
               {"U", number(n.hasUpper, n.upper)},
               {"bestL", number(n.hasBestLower, n.bestLower)},
               {"bestU", number(n.hasBestUpper, n.bestUpper)},
               {"gap", gapOf(n.hasBestLower, n.bestLower, n.hasBestUpper, n.bestUpper)},
               {"average", n.average},
               {"rho", n.rho},
               {"seconds", n.seconds}};
    iterations_.push_back(it.dump());
    write();
}

void RunRecord::finish(const FinalAnswer& a) {
    json answer = {{"verdict", a.verdict},
                   {"reason", a.reason},
                   {"iterations", a.iterations},
                   {"plan", a.hasPlan ? json(a.plan) : json(nullptr)},
                   {"U", number(a.hasUpper, a.upper)},
                   {"L", number(a.hasLower, a.lower)},
                   {"gap", gapOf(a.hasLower, a.lower, a.hasUpper, a.upper)},
                   {"seconds", a.seconds}};
    final_ = answer.dump();
    write();
}

std::string RunRecord::text() const {
    // Assembled from the parts dumped when they were recorded, one iteration a line.
    std::string text = "{\n\"settings\": " + settings_ + ",\n\"iterations\": [";
    for (size_t i = 0; i < iterations_.size(); i++) text += (i == 0 ? "\n" : ",\n") + iterations_[i];
    text += "\n],\n\"final\": " + (final_.empty() ? std::string("null") : final_);
    if (!resume_.empty()) text += ",\n\"resume\": " + resume_;
    if (!extensiveForm_.empty()) text += ",\n\"extensive_form\": " + extensiveForm_;
    text += "\n}\n";
    return text;
}

void RunRecord::write() const {
    if (fileName_.empty()) return;
    // Renamed into place, so a reader never sees half a record.
    std::string error;
    if (!replaceWholeFile(fileName_, text(), error)) throw GeneralException((" > ERROR! --json: " + error).c_str());
}
