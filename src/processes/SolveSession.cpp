#include "SolveSession.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <poll.h>
#include <sstream>
#include <unistd.h>

#include "Exceptions.h"
#include "ParallelSolve.h"
#include "SolveOutcome.h"
#include "WorkerProgram.h"

namespace {


// The "iteration" of the workers' start-up, in messages.
const int kStartUp = -1;

void removeDoneFiles(int n) {
    for (int k = 1; k <= n; k++) std::remove(doneFilePath("", k).c_str());
}

bool fileExists(const std::string& name) { return access(name.c_str(), F_OK) == 0; }

std::vector<int> scenariosWithoutDoneFile(int n) {
    std::vector<int> missing;
    for (int k = 1; k <= n; k++)
        if (!fileExists(doneFilePath("", k))) missing.push_back(k);
    return missing;
}

bool writeAll(int fd, const std::string& text) {
    size_t written = 0;
    while (written < text.size()) {
        ssize_t n = write(fd, text.data() + written, text.size() - written);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        written += static_cast<size_t>(n);
    }
    return true;
}

}  // namespace

int workerCount(int requested, int numScenarios) {
    int p = requested;
    if (p <= 0) {
        long cores = sysconf(_SC_NPROCESSORS_ONLN);
        p = cores > 0 ? static_cast<int>(cores) : 1;
    }
    return std::max(1, std::min(p, numScenarios));
}

SolveSession::SolveSession(int numScenarios, int workers, const std::string& gamsPath, double solveTimeout)
    : numScenarios_(numScenarios), workers_(workerCount(workers, numScenarios)), solveTimeout_(solveTimeout) {
    // A worker that dies closes the pipe; writing to it must be an error, not a signal.
    std::signal(SIGPIPE, SIG_IGN);
    command_ = {"mpirun", "-np", std::to_string(workers_), workerProgram(), "--serve", currentDirectory(), gamsPath};
    LaunchResult failure{};
    child_ = startChild(command_, "", true, true, failure);
    if (child_.pid < 0) {
        throw GeneralException((" > ERROR! The solver workers '" + commandLine(command_) +
                                "' could not be started (" + failure.describe() + ").")
                                   .c_str());
    }
    awaitAnswer("ready", 0.0, kStartUp);
}

SolveSession::~SolveSession() {
    try {
        close();
    } catch (...) {
        // Ending the workers must not throw from a destructor.
    }
}

void SolveSession::close() {
    if (child_.pid < 0) return;
    if (child_.inFd >= 0) {
        writeAll(child_.inFd, "quit\n");
        ::close(child_.inFd);
        child_.inFd = -1;
    }
    // The ranks end at once when told; give them a moment, then end them.
    LaunchResult result{};
    for (int i = 0; i < 250 && !pollChild(child_, result); i++) usleep(20 * 1000);
    if (child_.pid >= 0) stopChild(child_, 2.0);
    if (child_.outFd >= 0) {
        ::close(child_.outFd);
        child_.outFd = -1;
    }
    child_.pid = -1;
}

bool SolveSession::readAnswer(std::string& line, double deadlineSeconds, bool& timedOut) {
    timedOut = false;
    auto start = std::chrono::steady_clock::now();
    for (;;) {
        size_t end = pending_.find('\n');
        if (end != std::string::npos) {
            line = pending_.substr(0, end);
            pending_.erase(0, end + 1);
            return true;
        }
        int waitMs = -1;
        if (deadlineSeconds > 0) {
            double left = deadlineSeconds -
                          std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            if (left <= 0) {
                timedOut = true;
                return false;
            }
            waitMs = static_cast<int>(std::min(left * 1000.0 + 1, 60000.0));
        }
        struct pollfd p = {child_.outFd, POLLIN, 0};
        int ready = poll(&p, 1, waitMs);
        if (ready < 0 && errno == EINTR) continue;
        if (ready <= 0) continue;
        char buffer[4096];
        ssize_t got = read(child_.outFd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) return false;
        pending_.append(buffer, static_cast<size_t>(got));
    }
}

void SolveSession::fail(const std::string& cause, int iteration) {
    std::vector<int> missing = scenariosWithoutDoneFile(numScenarios_);
    std::string message = " > ERROR! The solver workers '" + commandLine(command_) + "' " + cause;
    if (iteration == kStartUp) {
        message += " while starting.";
    } else {
        message += " in iteration " + std::to_string(iteration) + "; " + std::to_string(missing.size()) + " of " +
                   std::to_string(numScenarios_) + " scenarios reported no result";
        if (!missing.empty()) message += " (scenario " + scenarioList(missing) + ")";
        message += ".";
    }
    if (child_.pid >= 0) stopChild(child_, 2.0);
    child_.pid = -1;
    throw GeneralException(message.c_str());
}

std::vector<std::string> SolveSession::awaitAnswer(const std::string& expected, double deadlineSeconds,
                                                   int iteration) {
    for (;;) {
        std::string line;
        bool timedOut = false;
        if (!readAnswer(line, deadlineSeconds, timedOut)) {
            if (timedOut) {
                std::ostringstream limit;
                limit << "did not finish within the time limit (" << solveTimeout_ << " s per solve, "
                      << deadlineSeconds << " s for the iteration)";
                fail(limit.str(), iteration);
            }
            LaunchResult ended = waitChild(child_);
            child_.pid = -1;
            fail("ended early (" + ended.describe() + ")", iteration);
        }
        std::istringstream in(line);
        std::vector<std::string> words;
        for (std::string w; in >> w;) words.push_back(w);
        if (!words.empty() && words[0] == expected) return words;
        // Whatever else reaches rank 0's output is the user's to see.
        std::fprintf(stderr, "%s\n", line.c_str());
    }
}

void SolveSession::solveAll(int iteration) {
    if (child_.pid < 0) throw GeneralException(" > ERROR! The solver workers are no longer running.");
    // A done file left by an aborted earlier run would pass for this iteration's.
    removeDoneFiles(numScenarios_);

    std::string command = "solve " + std::to_string(iteration) + " " + std::to_string(numScenarios_) + "\n";
    if (!writeAll(child_.inFd, command)) {
        LaunchResult ended{};
        pollChild(child_, ended);
        fail("ended before the solve could start (" + ended.describe() + ")", iteration);
    }
    int perWorker = (numScenarios_ + workers_ - 1) / workers_;
    double deadline = solveTimeout_ > 0 ? solveTimeout_ * perWorker : 0.0;
    std::vector<std::string> answer = awaitAnswer("done", deadline, iteration);
    // "done ITERATION FAILED SECONDS"
    if (answer.size() < 4 || answer[1] != std::to_string(iteration))
        fail("answered for another iteration", iteration);
    lastSolveSeconds_ = std::strtod(answer[3].c_str(), nullptr);

    std::vector<int> missing = scenariosWithoutDoneFile(numScenarios_);
    if (!missing.empty()) fail("reported the iteration done without a done file", iteration);
    std::vector<int> all(static_cast<size_t>(numScenarios_));
    for (int k = 1; k <= numScenarios_; k++) all[static_cast<size_t>(k - 1)] = k;
    // The done files say how each solve ended; a failed one is never read as a result.
    try {
        refuseFailedSolves(all);
    } catch (...) {
        removeDoneFiles(numScenarios_);
        throw;
    }
    removeDoneFiles(numScenarios_);
}
