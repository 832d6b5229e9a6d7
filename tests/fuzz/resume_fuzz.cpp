// Fuzz target: the --resume record reader. Whatever the record holds, it is
// either taken whole or refused with WrongInputParameter, never a crash, an
// exception of another kind or an iteration outside [0, --max-iter].
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>

#include "Exceptions.h"
#include "RunResume.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // The files the seed record was made from (their hashes are in its settings).
    static const bool written = [] {
        std::ofstream("fuzz-template.gms", std::ios::binary) << "* template\n";
        std::ofstream("fuzz-scenarios.txt", std::ios::binary) << "0.5 1\n0.5 2\n";
        return true;
    }();
    (void)written;
    std::ofstream("fuzz-record.json", std::ios::binary)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    RunOptions o;
    o.templateFile = "fuzz-template.gms";
    o.scenariosFile = "fuzz-scenarios.txt";
    o.resumeFile = "fuzz-record.json";
    o.n1 = 1;
    o.n2 = 1;
    o.maxIterations = 6;
    try {
        const ResumeRecord r = readResumeRecord(o, 2);
        if (r.state.iteration < 0 || r.state.iteration > o.maxIterations || r.options.rho < 0) std::abort();
    } catch (const WrongInputParameter&) {
        // A refusal is the reader's answer to a bad record.
    }
    return 0;
}
