// Waiting for the done files of one launch of the solver worker.
#include "ParallelSolve.h"
#include "CheckedNumbers.h"
#include "Exceptions.h"
#include "Launch.h"
#include "SolveOutcome.h"
#include "TextLines.h"

#include <cctype>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

const char* const kWaitingMessage =
    "\n >>> Waiting for the LST file with results for all scenarios...\n"
    "     If you see this message while GAMS is not computing, \n"
    "     then there is probably a syntax error in scenarioX.gms files.\n\n";

double secondsSince(const std::chrono::steady_clock::time_point& start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

std::vector<int> scenariosWithoutDoneFile(const std::vector<int>& scenarios) {
    std::vector<int> missing;
    for (int k : scenarios)
        if (!fexist(doneFilePath("", k).c_str())) missing.push_back(k);
    return missing;
}

std::string noResultMessage(const DoneFileWait& wait, const std::string& what, const std::vector<int>& missing) {
    return " > ERROR! The solver launch '" + wait.launchText + "' " + what + "; " + std::to_string(missing.size()) +
           " of " + std::to_string(wait.scenarios.size()) + " scenarios reported no result.\n >> No done file for " +
           "scenario " + scenarioList(missing) + ".";
}

}  // namespace

std::string scenarioList(const std::vector<int>& scenarios) {
    std::string text;
    for (size_t i = 0; i < scenarios.size();) {
        size_t j = i;
        while (j + 1 < scenarios.size() && scenarios[j + 1] == scenarios[j] + 1) j++;
        if (!text.empty()) text += ", ";
        text += std::to_string(scenarios[i]);
        if (j > i) text += "-" + std::to_string(scenarios[j]);
        i = j + 1;
    }
    return text;
}

double iterationTimeLimitFromEnvironment() {
    const char* text = std::getenv("PHA_ITERATION_TIMEOUT");
    if (text == nullptr || *text == '\0') return 0;
    std::string value = text;
    while (!value.empty() && std::isspace(static_cast<unsigned char>(value.back()))) value.pop_back();
    double seconds = 0.0;
    if (!readDecimal(value, seconds).empty() || seconds <= 0) {
        std::string message = " > ERROR! The environment variable PHA_ITERATION_TIMEOUT='" + std::string(text) +
                              "' is not a time limit: give a positive number of seconds.";
        throw GeneralException(message.c_str());
    }
    return seconds;
}

void waitForDoneFiles(ChildProcess& launch, const DoneFileWait& wait) {
    const auto start = std::chrono::steady_clock::now();
    const bool terminal = isatty(STDOUT_FILENO) == 1;
    bool launchEnded = launch.pid < 0;
    LaunchResult result{true, 0, true, 0, 0};
    bool messageShown = false;
    for (;;) {
        sleep(1);
        if (!terminal || !messageShown) std::printf("%s", kWaitingMessage);
        messageShown = true;
        if (!launchEnded) launchEnded = pollChild(launch, result);
        std::vector<int> missing = scenariosWithoutDoneFile(wait.scenarios);
        if (terminal) {
            // One line, rewritten in place: how many are done and for how long.
            std::printf("\r     %zu of %zu scenarios done after %.0f s ", wait.scenarios.size() - missing.size(),
                        wait.scenarios.size(), secondsSince(start));
            if (missing.empty()) std::printf("\n");
        }
        std::fflush(stdout);
        if (missing.empty()) break;
        if (launchEnded) {
            // Nothing will create the missing done files: waiting would never end.
            if (terminal) std::printf("\n");
            std::string what = result.succeeded() ? "ended (" + result.describe() + ")"
                                                  : "failed (" + result.describe() + ")";
            throw GeneralException(noResultMessage(wait, what, missing).c_str());
        }
        if (wait.timeLimitSeconds > 0 && secondsSince(start) >= wait.timeLimitSeconds) {
            if (terminal) std::printf("\n");
            stopChild(launch, kStopGraceSeconds);
            char limit[64];
            std::snprintf(limit, sizeof limit, "%g", wait.timeLimitSeconds);
            std::string what = "was stopped after the time limit of " + std::string(limit) + " s";
            throw GeneralException(noResultMessage(wait, what, missing).c_str());
        }
    }
    if (!wait.launchEndsWithTheSolves || launchEnded) return;
    // The ranks leave once all are done, which takes a while with hundreds
    // of them on few cores; only a time limit cuts that short.
    while (!pollChild(launch, result)) {
        if (wait.timeLimitSeconds > 0 && secondsSince(start) >= wait.timeLimitSeconds) break;
        usleep(20 * 1000);
    }
    stopChild(launch, kStopGraceSeconds);  // nothing to do once it has ended
}
