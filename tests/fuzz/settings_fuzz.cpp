// Fuzz target: the settings-file reader and the consistency check.
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>

#include "Exceptions.h"
#include "GAMSInOut.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static FILE* quiet = std::freopen("/dev/null", "w", stdout);  // the listing of scenarios
    (void)quiet;
    std::ofstream("fuzz-settings.txt", std::ios::binary).write(reinterpret_cast<const char*>(data),
                                                                static_cast<std::streamsize>(size));
    char name[] = "fuzz-settings.txt";
    try {
        SCENARIOS set(name, 2, 1);
        set.printAllScenarios();
        set.checkIntegrity(1e-7);
    } catch (const GeneralException&) {
        // A refusal is the reader's answer to a bad file.
    }
    return 0;
}
