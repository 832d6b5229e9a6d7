// farmer-scenarios: writes an N-scenario farmer instance for pha (settings
// file) and its extensive form, for tests and benchmarks with many scenarios.
#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <string>

#include "FarmerScenarios.h"

namespace {

void usage() {
    std::cerr << "usage: farmer-scenarios N [--dir DIR] [--exact]\n"
                 "  writes DIR/scenarios.txt (settings file for pha with the farmer template)\n"
                 "  and DIR/farmer-ef.gms (extensive form of the same instance); DIR defaults to .\n"
                 "  Yields are rounded to the three decimals that pha writes into the models, so\n"
                 "  that both files describe the same problem; --exact keeps every digit.\n";
}

bool writeFile(const std::string& path, void (*writer)(std::ostream&, const std::vector<Yields>&),
               const std::vector<Yields>& yields) {
    std::ofstream out(path);
    if (out) writer(out, yields);
    out.close();
    if (!out) {
        std::cerr << "farmer-scenarios: cannot write '" << path << "'\n";
        return false;
    }
    std::cout << "wrote " << path << "\n";
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    long n = -1;
    std::string dir = ".";
    bool exact = false;
    for (int a = 1; a < argc; ++a) {
        std::string arg = argv[a];
        if (arg == "--dir" && a + 1 < argc) {
            dir = argv[++a];
        } else if (arg == "--exact") {
            exact = true;
        } else if (n < 0 && !arg.empty() && arg[0] != '-') {
            char* end = nullptr;
            errno = 0;
            n = std::strtol(arg.c_str(), &end, 10);
            if (*end != '\0' || errno != 0 || n < 1 || n > 1000000) {
                std::cerr << "farmer-scenarios: N must be a whole number from 1 to 1000000\n";
                return 2;
            }
        } else {
            usage();
            return 2;
        }
    }
    if (n < 1) {
        usage();
        return 2;
    }
    std::vector<Yields> yields = farmerInstance(static_cast<unsigned>(n), exact ? -1 : 3);
    bool ok = writeFile(dir + "/scenarios.txt", writeSettingsFile, yields) &&
              writeFile(dir + "/farmer-ef.gms", writeExtensiveForm, yields);
    return ok ? 0 : 2;
}
