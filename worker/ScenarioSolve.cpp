#include "ScenarioSolve.h"

#include "Launch.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string inDir(const std::string& dir, const std::string& name) {
    if (!dir.empty() && dir.back() == '/') return dir + name;
    return dir + "/" + name;
}

bool isDirectory(const std::string& path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

// Written under a private name and renamed, so that a reader never sees a
// half-made done file.
bool createDoneFile(const std::string& dir, int k, const std::string& note) {
    std::string done = inDir(dir, "done" + std::to_string(k));
    std::string part = done + ".part" + std::to_string(getpid());
    FILE* f = std::fopen(part.c_str(), "w");
    if (f == nullptr) {
        std::fprintf(stderr, "scw: cannot create '%s': %s\n", part.c_str(), std::strerror(errno));
        return false;
    }
    std::fprintf(f, "%s\n", note.c_str());
    bool written = std::fclose(f) == 0;
    if (!written || std::rename(part.c_str(), done.c_str()) != 0) {
        std::fprintf(stderr, "scw: cannot create '%s': %s\n", done.c_str(), std::strerror(errno));
        std::remove(part.c_str());
        return false;
    }
    return true;
}

}  // namespace

std::string gamsExecutable(const std::string& gamsPath) {
    std::string path = withoutTrailingLineBreaks(gamsPath);
    if (isDirectory(path)) return inDir(path, "gams");
    return path;
}

std::vector<std::string> gamsCommand(const std::string& gamsPath, const std::string& dir, int k) {
    std::string name = "scenario" + std::to_string(k);
    return {gamsExecutable(gamsPath), name + ".gms", "o=" + name + ".lst", "lo=0",
            "ps=9999", "pw=255", "curdir=" + dir};
}

bool solveScenario(const std::string& dir, const std::string& gamsPath, int k) {
    std::string name = "scenario" + std::to_string(k);
    std::string listing = inDir(dir, name + ".lst");
    // An old listing must not pass for this solve's result.
    std::remove(listing.c_str());
    std::remove(inDir(dir, "done" + std::to_string(k)).c_str());

    std::vector<std::string> command = gamsCommand(gamsPath, dir, k);
    LaunchResult run = runAndWait(command, dir);
    std::string note = "gams " + run.describe();
    if (!run.succeeded()) {
        std::fprintf(stderr, "scw: GAMS failed on %s (%s): %s\n", inDir(dir, name + ".gms").c_str(),
                     commandLine(command).c_str(), run.describe().c_str());
    } else if (access(listing.c_str(), R_OK) != 0) {
        std::fprintf(stderr, "scw: GAMS wrote no listing '%s' for %s.gms\n", listing.c_str(), name.c_str());
        note = "no listing";
    }
    return createDoneFile(dir, k, note);
}
