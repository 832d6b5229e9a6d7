#include "ScenarioSolve.h"

#include "Launch.h"
#include "SolveOutcome.h"

#include <cstdio>
#include <string>
#include <sys/stat.h>

namespace {

std::string inDir(const std::string& dir, const std::string& name) {
    if (!dir.empty() && dir.back() == '/') return dir + name;
    return dir + "/" + name;
}

bool isDirectory(const std::string& path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
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
    return solveScenario(dir, gamsPath, k, [](const std::vector<std::string>& command, const std::string& workDir) {
        return runAndWait(command, workDir);
    });
}

SolveOutcome solveScenarioQuietly(const std::string& dir, const std::string& gamsPath, int k,
                                  const GamsRunner& runGams) {
    const std::string listing = inDir(dir, "scenario" + std::to_string(k) + ".lst");
    clearListing(listing);
    return outcomeOfSolve(runGams(gamsCommand(gamsPath, dir, k), dir), listing);
}

bool solveScenario(const std::string& dir, const std::string& gamsPath, int k, const GamsRunner& runGams,
                   bool sayFailures) {
    std::string name = "scenario" + std::to_string(k);
    std::string listing = inDir(dir, name + ".lst");
    // An old listing must not pass for this solve's result, nor a link there be written through.
    clearListing(listing);
    std::remove(doneFilePath(dir, k).c_str());

    std::vector<std::string> command = gamsCommand(gamsPath, dir, k);
    LaunchResult run = runGams(command, dir);
    SolveOutcome outcome = outcomeOfSolve(run, listing);
    if (sayFailures && !run.succeeded()) {
        std::fprintf(stderr, "scw: GAMS failed on %s (%s): %s\n", inDir(dir, name + ".gms").c_str(),
                     commandLine(command).c_str(), run.describe().c_str());
    } else if (sayFailures && !outcome.listingWritten) {
        std::fprintf(stderr, "scw: GAMS wrote no listing '%s' for %s.gms\n", listing.c_str(), name.c_str());
    }
    std::string error;
    if (!writeDoneFile(dir, k, outcome, error)) {
        std::fprintf(stderr, "scw: %s\n", error.c_str());
        return false;
    }
    return true;
}
