#include "WorkerProgram.h"

#include <cerrno>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "Exceptions.h"

namespace {

bool isExecutableFile(const std::string& path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && access(path.c_str(), X_OK) == 0;
}

bool workerOnPath() {
    const char* path = std::getenv("PATH");
    if (path == nullptr) return false;
    std::string list(path);
    size_t start = 0;
    while (start <= list.size()) {
        size_t end = list.find(':', start);
        if (end == std::string::npos) end = list.size();
        std::string dir = list.substr(start, end - start);
        if (dir.empty()) dir = ".";
        if (isExecutableFile(dir + "/scw")) return true;
        start = end + 1;
    }
    return false;
}

}  // namespace

std::string currentDirectory() {
    std::vector<char> buffer(256);
    while (getcwd(buffer.data(), buffer.size()) == nullptr) {
        if (errno != ERANGE) {
            throw GeneralException(" > ERROR! The path of the working directory cannot be determined.");
        }
        buffer.resize(buffer.size() * 2);
    }
    return std::string(buffer.data());
}

std::string workerProgram() {
    if (workerOnPath()) return "scw";
    std::vector<char> buffer(256);
    for (;;) {
        ssize_t n = readlink("/proc/self/exe", buffer.data(), buffer.size());
        if (n < 0) return "scw";
        if (static_cast<size_t>(n) < buffer.size()) {
            std::string self(buffer.data(), static_cast<size_t>(n));
            size_t slash = self.rfind('/');
            if (slash == std::string::npos) return "scw";
            std::string beside = self.substr(0, slash + 1) + "scw";
            return isExecutableFile(beside) ? beside : "scw";
        }
        buffer.resize(buffer.size() * 2);
    }
}
