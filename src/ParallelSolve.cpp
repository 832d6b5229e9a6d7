// The parallel solve of one iteration: start the solver worker through mpirun,
// one process per scenario, and wait for every scenario's done file.
#include "GAMSInOut.h"
#include "Exceptions.h"
#include "Launch.h"
#include "SolveOutcome.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

// The working directory's absolute path, however long it is.
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

// mpirun finds "scw" through the PATH; when it is not there but lies beside
// this program (as in a build tree), its absolute path is handed over instead.
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

std::string doneFileName(int k) { return "done" + std::to_string(k); }

void removeDoneFiles(int n) {
    for (int k = 1; k <= n; k++) std::remove(doneFileName(k).c_str());
}

}  // namespace

void PHA::runGAMSinParallel() {
    const int n = S->numScenarios;
    // The path is passed as one argument without a shell, so nothing in it is
    // interpreted; only the line break that ended its line is dropped.
    std::string gamsPath = withoutTrailingLineBreaks(pathGams != nullptr ? pathGams : "");
    std::vector<std::string> command = {"mpirun", "-np", std::to_string(n), workerProgram(),
                                        currentDirectory(), gamsPath};
    // A done file left by an aborted earlier run would pass for this iteration's.
    removeDoneFiles(n);
    LaunchResult launch = runAndWait(command);

    bool allScenariosFinished = false;
    while (!allScenariosFinished) {
        sleep(1);
        std::printf("\n >>> Waiting for the LST file with results for all scenarios...\n"
                    "     If you see this message while GAMS is not computing, \n"
                    "     then there is probably a syntax error in scenarioX.gms files.\n\n");
        std::fflush(stdout);
        int csum = 0;
        for (int k = 1; k <= n; k++) {
            if (fexist(doneFileName(k).c_str())) csum++;
        }
        if (csum == n) {
            allScenariosFinished = true;
            std::vector<int> all;
            for (int k = 1; k <= n; k++) all.push_back(k);
            try {
                // A failed or killed solve must never be read as a result.
                refuseFailedSolves(all);
            } catch (...) {
                removeDoneFiles(n);
                throw;
            }
        } else if (!launch.succeeded()) {
            // Nothing will create the missing done files: waiting would never end.
            std::string message = " > ERROR! The solver launch '" + commandLine(command) + "' failed (" +
                                  launch.describe() + "); " + std::to_string(n - csum) + " of " +
                                  std::to_string(n) + " scenarios reported no result.";
            removeDoneFiles(n);
            throw GeneralException(message.c_str());
        }
    }
    removeDoneFiles(n);
}
