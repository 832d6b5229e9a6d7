// Test support: each case that touches files runs in a fresh working
// directory of its own, which is removed again when the case ends.
#ifndef PHA_TESTS_SCRATCHDIRECTORY_H
#define PHA_TESTS_SCRATCHDIRECTORY_H

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "GAMSInOut.h"

class ScratchDirectory {
public:
    explicit ScratchDirectory(const std::string& prefix) : previous_(std::filesystem::current_path()) {
        std::string pattern = std::filesystem::temp_directory_path().string() + "/" + prefix + "-XXXXXX";
        std::vector<char> name(pattern.begin(), pattern.end());
        name.push_back('\0');
        if (mkdtemp(name.data()) == nullptr) throw std::runtime_error("no temporary folder for " + prefix);
        path_ = name.data();
        std::filesystem::current_path(path_);
    }
    ~ScratchDirectory() {
        std::error_code ignored;
        std::filesystem::current_path(previous_, ignored);
        std::filesystem::remove_all(path_, ignored);
    }
    ScratchDirectory(const ScratchDirectory&) = delete;
    ScratchDirectory& operator=(const ScratchDirectory&) = delete;

    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path previous_, path_;
};

inline void writeFile(const std::string& name, const std::string& text) {
    std::ofstream(name, std::ios::binary) << text;
}

inline std::string readFile(const std::string& name) {
    std::ostringstream text;
    text << std::ifstream(name, std::ios::binary).rdbuf();
    return text.str();
}

// A scenario set read from a settings file "settings.txt" with the given text,
// written into the current directory.
inline SCENARIOS* scenarioSetFrom(const std::string& settings, int nV1, int nV2) {
    writeFile("settings.txt", settings);
    char name[] = "settings.txt";
    return new SCENARIOS(name, nV1, nV2);
}

#endif
