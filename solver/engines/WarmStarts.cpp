#include "WarmStarts.h"

#include <map>
#include <utility>

namespace gamsub {

namespace {

struct Memory {
    bool on = false;
    std::string input;
    int solve = 0;  // solves recalled in this run
    std::map<std::pair<std::string, int>, WarmStart> kept;
};

Memory& memory() {
    thread_local Memory m;
    return m;
}

}  // namespace

void keepWarmStarts(bool on) {
    Memory& m = memory();
    m.on = on;
    if (!on) m.kept.clear();
}

bool keepingWarmStarts() { return memory().on; }

void beginWarmStartRun(const std::string& input) {
    Memory& m = memory();
    m.input = input;
    m.solve = 0;
}

const WarmStart* recallWarmStart(std::uint64_t structure) {
    Memory& m = memory();
    if (!m.on) return nullptr;
    m.solve++;
    auto found = m.kept.find({m.input, m.solve});
    if (found == m.kept.end() || found->second.structure != structure) return nullptr;
    return &found->second;
}

void rememberWarmStart(WarmStart start) {
    Memory& m = memory();
    if (!m.on || m.solve == 0) return;
    m.kept[{m.input, m.solve}] = std::move(start);
}

std::uint64_t shapeHash(std::uint64_t seed, const std::vector<int>& values) {
    // FNV-1a over the values' bytes, after the count.
    std::uint64_t h = seed ^ 1469598103934665603ULL;
    auto mix = [&h](std::uint64_t v) {
        for (int b = 0; b < 8; b++) {
            h ^= (v >> (8 * b)) & 0xffU;
            h *= 1099511628211ULL;
        }
    };
    mix(values.size());
    for (int v : values) mix(static_cast<std::uint64_t>(static_cast<std::int64_t>(v)));
    return h;
}

}  // namespace gamsub
