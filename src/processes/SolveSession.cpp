#include "SolveSession.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sstream>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include "CheckedNumbers.h"
#include "Exceptions.h"
#include "ParallelSolve.h"
#include "SolveOutcome.h"
#include "WorkerProgram.h"

namespace {


// The "iteration" of the workers' start-up, in messages.
const int kStartUp = -1;

// What the workers' start-up may take at least (mpirun and MPI_Init on a loaded machine take seconds).
const double kStartUpSeconds = 60.0;

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

// Why the workers could not record a result: a full run folder is the common cause, and it shows only in
// their own messages otherwise. "" when the folder has room.
std::string fullRunFolder() {
    struct statvfs space;
    if (statvfs(".", &space) == 0 && space.f_bavail == 0)
        return "could not record their results: the run folder '" + currentDirectory() +
               "' is full (no space left on its device)";
    return "";
}

std::string withoutDoneFiles() {
    const std::string full = fullRunFolder();
    return full.empty() ? "reported the iteration done without a done file (the workers' messages above say why)" : full;
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

double startUpSeconds(double solveTimeout) { return std::max(kStartUpSeconds, solveTimeout); }

SolveSession::SolveSession(int numScenarios, int workers, const std::string& gamsPath, double solveTimeout)
    : numScenarios_(numScenarios), workers_(workerCount(workers, numScenarios)), solveTimeout_(solveTimeout) {
    // A worker that dies closes the pipe; writing to it must be an error, not a signal.
    std::signal(SIGPIPE, SIG_IGN);
    makeAnswerPipe();
    // Open MPI binds each rank to a core of its own by default. pha works beside the ranks (it writes the next
    // models while they solve), and on a shared machine other programs do too: unbound, the system moves a
    // rank to whichever core is free. A binding the user chose stays.
    setenv("OMPI_MCA_hwloc_base_binding_policy", "none", 0);
    command_ = {"mpirun", "-np",    std::to_string(workers_), workerProgram(), "--serve", currentDirectory(),
                gamsPath, answerPath_};
    LaunchResult failure{};
    child_ = startChild(command_, "", true, true, failure);
    if (child_.pid < 0) {
        removeAnswerPipe();
        throw GeneralException((" > ERROR! The solver workers '" + commandLine(command_) +
                                "' could not be started (" + failure.describe() + ").")
                                   .c_str());
    }
    try {
        const std::vector<std::string> ready = awaitAnswer("ready", startUpSeconds(solveTimeout_), kStartUp);
        onRankPipes_ = ready.size() >= 3 && ready[2] == "pipes" && static_cast<int>(reportFds_.size()) == workers_;
    } catch (...) {
        // No destructor runs for a constructor that throws: the pipe and the workers' pipes go here.
        for (int* fd : {&child_.inFd, &child_.outFd})
            if (*fd >= 0) ::close(*fd), *fd = -1;
        removeAnswerPipe();
        throw;
    }
    if (!onRankPipes_) {
        for (int& fd : commandFds_) ::close(fd);
        for (int& fd : reportFds_) ::close(fd);
        commandFds_.clear();
        reportFds_.clear();
    }
    readers_.assign(reportFds_.size(), ScenarioReportReader());
    // Both ends are open now: the names can go, so that a run ended by a signal leaves nothing in the
    // temporary directory. The name stays known: a rank 0 on another host marks its answers with it.
    unlinkPipeNames();
    rmdir(answerDir_.c_str());
}

void SolveSession::unlinkPipeNames() {
    if (answerPath_.empty()) return;
    unlink(answerPath_.c_str());
    unlink(scenarioClaimsFile(answerPath_).c_str());
    for (int r = 0; r < workers_; r++) {
        unlink(rankCommandPipe(answerPath_, r).c_str());
        unlink(rankReportPipe(answerPath_, r).c_str());
    }
}

void SolveSession::makeAnswerPipe() {
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp != nullptr && tmp[0] != '\0' ? tmp : "/tmp") + "/pha-answers-XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    if (mkdtemp(name.data()) == nullptr)
        throw GeneralException((" > ERROR! The directory for the workers' answers '" + pattern +
                                "' cannot be created: " + std::strerror(errno) + ".")
                                   .c_str());
    answerDir_ = name.data();
    answerPath_ = answerDir_ + "/answers";
    // Non-blocking: the open must not wait for the workers, and a read must not hang when they are gone.
    if (mkfifo(answerPath_.c_str(), 0600) != 0 ||
        (answerFd_ = open(answerPath_.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC)) < 0) {
        const std::string cause = std::strerror(errno);
        removeAnswerPipe();
        throw GeneralException((" > ERROR! The pipe for the workers' answers '" + answerPath_ +
                                "' cannot be made: " + cause + ".")
                                   .c_str());
    }
    // Each rank's own pair. pha holds both ends of a command pipe, so that a rank waiting for its next
    // command never reads an end of input while pha runs. Without them, or without the count of the
    // scenarios taken that the ranks share, the ranks work through rank 0.
    if (!claims_.create(scenarioClaimsFile(answerPath_))) return;
    for (int r = 0; r < workers_; r++) {
        const std::string commands = rankCommandPipe(answerPath_, r), reports = rankReportPipe(answerPath_, r);
        int commandFd = -1, reportFd = -1;
        if (mkfifo(commands.c_str(), 0600) == 0) commandFd = open(commands.c_str(), O_RDWR | O_CLOEXEC);
        if (mkfifo(reports.c_str(), 0600) == 0) reportFd = open(reports.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        if (commandFd < 0 || reportFd < 0) {
            // Without both names that rank cannot find its pair, and all ranks work through rank 0.
            if (commandFd >= 0) ::close(commandFd);
            if (reportFd >= 0) ::close(reportFd);
            unlink(commands.c_str());
            unlink(reports.c_str());
            continue;
        }
        commandFds_.push_back(commandFd);
        reportFds_.push_back(reportFd);
    }
}

void SolveSession::removeAnswerPipe() {
    if (answerFd_ >= 0) ::close(answerFd_);
    answerFd_ = -1;
    for (int fd : commandFds_) ::close(fd);
    for (int fd : reportFds_)
        if (fd >= 0) ::close(fd);
    commandFds_.clear();
    reportFds_.clear();
    claims_.release();
    unlinkPipeNames();
    if (!answerDir_.empty()) rmdir(answerDir_.c_str());
    answerPath_.clear();
    answerDir_.clear();
}

SolveSession::~SolveSession() {
    try {
        close();
    } catch (...) {
        // Ending the workers must not throw from a destructor.
    }
    removeAnswerPipe();
}

void SolveSession::close() {
    if (child_.pid < 0) return;
    for (int fd : commandFds_) writeAll(fd, "quit\n");
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
    removeAnswerPipe();
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
        struct pollfd p[2] = {{answerFd_, POLLIN, 0}, {child_.outFd, POLLIN, 0}};
        int ready = poll(p, child_.outFd >= 0 ? 2 : 1, waitMs);
        if (ready < 0 && errno == EINTR) continue;
        if (ready <= 0) continue;
        char buffer[4096];
        if (child_.outFd >= 0 && p[1].revents != 0) {
            // Whatever the workers and the solver print is the user's to see, never an answer.
            ssize_t got = read(child_.outFd, buffer, sizeof buffer);
            if (got < 0 && errno == EINTR) continue;
            if (got <= 0) {
                passOnOutput(true);
                ::close(child_.outFd);
                child_.outFd = -1;  // mpirun has ended or closed its output: the answers end too
                if (p[0].revents == 0 && pending_.find('\n') == std::string::npos) return false;
            } else {
                outputPending_.append(buffer, static_cast<size_t>(got));
                passOnOutput(false);
            }
        }
        if (p[0].revents != 0) {
            ssize_t got = read(answerFd_, buffer, sizeof buffer);
            if (got < 0 && (errno == EINTR || errno == EAGAIN)) continue;
            if (got <= 0) return false;  // rank 0 closed the pipe: it has ended
            pending_.append(buffer, static_cast<size_t>(got));
        }
    }
}

void SolveSession::passOnOutput(bool all) {
    // A rank 0 on another host, where the pipe is not, answers on its output with the pipe's name first.
    const std::string mark = "answer " + answerPath_ + " ";
    const auto take = [this, &mark](const std::string& line) {
        if (line.rfind(mark, 0) == 0) pending_ += line.substr(mark.size()) + "\n";
        else if (!line.empty()) std::fprintf(stderr, "%s\n", line.c_str());
    };
    size_t end;
    while ((end = outputPending_.find('\n')) != std::string::npos) {
        take(outputPending_.substr(0, end));
        outputPending_.erase(0, end + 1);
    }
    if (all && !outputPending_.empty()) {
        take(outputPending_);
        outputPending_.clear();
    }
}

void SolveSession::fail(const std::string& cause, int iteration) {
    std::vector<int> missing = onRankPipes_ ? scenariosWithoutResult() : scenariosWithoutDoneFile(numScenarios_);
    std::string message = " > ERROR! The solver workers '" + commandLine(command_) + "' " + cause;
    if (iteration == kStartUp) {
        message += " while starting";
        if (cause.rfind("did not", 0) == 0) {
            std::ostringstream limit;
            limit << " (they must be up within " << startUpSeconds(solveTimeout_)
                  << " s: 60 s, or --solve-timeout when that is longer)";
            message += limit.str();
        }
        message += ".";
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
            if (timedOut && iteration == kStartUp) fail("did not report ready", iteration);
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
        fail("answered '" + line.substr(0, 80) + "' where '" + expected + "' was due", iteration);
    }
}

void SolveSession::solveAll(int iteration) {
    if (child_.pid < 0) throw GeneralException(" > ERROR! The solver workers are no longer running.");
    int perWorker = (numScenarios_ + workers_ - 1) / workers_;
    double deadline = solveTimeout_ > 0 ? solveTimeout_ * perWorker : 0.0;
    if (onRankPipes_) {
        solveOnRankPipes(iteration, deadline);
        return;
    }
    // A done file left by an aborted earlier run would pass for this iteration's.
    removeDoneFiles(numScenarios_);

    std::string command = "solve " + std::to_string(iteration) + " " + std::to_string(numScenarios_) + "\n";
    if (!writeAll(child_.inFd, command)) {
        LaunchResult ended{};
        pollChild(child_, ended);
        fail("ended before the solve could start (" + ended.describe() + ")", iteration);
    }
    std::vector<std::string> answer = awaitAnswer("done", deadline, iteration);
    // "done ITERATION FAILED SECONDS"
    if (answer.size() < 4 || answer[1] != std::to_string(iteration))
        fail("answered for another iteration", iteration);
    if (!readDecimal(answer[3], lastSolveSeconds_).empty()) fail("answered '" + answer[3] + "' as its solve time", iteration);

    std::vector<int> missing = scenariosWithoutDoneFile(numScenarios_);
    if (!missing.empty()) fail(withoutDoneFiles(), iteration);
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

std::vector<int> SolveSession::scenariosWithoutResult() const {
    std::vector<int> missing;
    for (int k = 1; k <= numScenarios_; k++)
        if (static_cast<size_t>(k) > reported_.size() || !reported_[static_cast<size_t>(k - 1)]) missing.push_back(k);
    return missing;
}

void SolveSession::tellRanks(const std::string& line, int iteration) {
    for (int fd : commandFds_)
        if (!writeAll(fd, line + "\n")) fail("could not be told to solve (" + std::string(std::strerror(errno)) + ")", iteration);
}

void SolveSession::openRound(int iteration, int released) {
    reported_.assign(static_cast<size_t>(numScenarios_), 0);
    unreported_ = numScenarios_;
    failedSolves_.clear();
    lastSolveSeconds_ = 0.0;
    // Every rank has left the last round (all its scenarios were reported): the count may start again.
    if (++roundTag_ == 0) roundTag_ = 1;
    claims_.openRound(roundTag_);
    tellRanks("solve " + std::to_string(iteration) + " " + std::to_string(numScenarios_) + " " +
                  std::to_string(released) + " " + std::to_string(roundTag_),
              iteration);
    roundOpen_ = true;
    released_ = released;
}

void SolveSession::modelsWritten(int iteration, int written) {
    if (!onRankPipes_ || child_.pid < 0) return;
    if (!roundOpen_) {
        // The first model starts a rank: a free rank takes each scenario as it is released.
        openRound(iteration, written);
        return;
    }
    // Until every rank has had a model to start on, each one is released at once; then in batches of
    // about an eighth of the round (each release is a line to every rank).
    const int batch = std::max(workers_, numScenarios_ / 8);
    if (written == numScenarios_ || released_ < workers_ || written - released_ >= batch) {
        tellRanks("upto " + std::to_string(written), iteration);
        released_ = written;
    }
}

void SolveSession::solveOnRankPipes(int iteration, double deadlineSeconds) {
    if (!roundOpen_) openRound(iteration, numScenarios_);
    else if (released_ < numScenarios_) tellRanks("upto " + std::to_string(numScenarios_), iteration);
    roundOpen_ = false;
    const auto start = std::chrono::steady_clock::now();
    std::vector<struct pollfd> watched;
    std::vector<int> rankOf;
    while (unreported_ > 0) {
        int waitMs = -1;
        if (deadlineSeconds > 0) {
            const double left =
                deadlineSeconds - std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            if (left <= 0) {
                std::ostringstream limit;
                limit << "did not finish within the time limit (" << solveTimeout_ << " s per solve, "
                      << deadlineSeconds << " s for the iteration)";
                fail(limit.str(), iteration);
            }
            waitMs = static_cast<int>(std::min(left * 1000.0 + 1, 60000.0));
        }
        watched.clear();
        rankOf.clear();
        for (size_t r = 0; r < reportFds_.size(); r++)
            if (reportFds_[r] >= 0) {
                watched.push_back({reportFds_[r], POLLIN, 0});
                rankOf.push_back(static_cast<int>(r));
            }
        if (child_.outFd >= 0) watched.push_back({child_.outFd, POLLIN, 0});
        if (watched.empty()) failAsEnded(iteration);
        const int ready = poll(watched.data(), watched.size(), waitMs);
        if (ready < 0 && errno != EINTR)
            fail("could not be waited for (" + std::string(std::strerror(errno)) + ")", iteration);
        if (ready <= 0) continue;  // interrupted, or the time limit is checked above
        for (size_t i = 0; i < rankOf.size(); i++)
            if (watched[i].revents != 0 && !takeReports(rankOf[i], iteration)) failAsEnded(iteration);
        if (child_.outFd >= 0 && watched.back().revents != 0) {
            char buffer[4096];
            const ssize_t got = read(child_.outFd, buffer, sizeof buffer);
            if (got > 0) {
                outputPending_.append(buffer, static_cast<size_t>(got));
                passOnOutput(false);
            } else if (got == 0 || errno != EINTR) {
                // mpirun has ended: what the ranks reported before is still taken, then the iteration fails.
                passOnOutput(true);
                ::close(child_.outFd);
                child_.outFd = -1;
                for (size_t r = 0; r < reportFds_.size(); r++)
                    if (reportFds_[r] >= 0) takeReports(static_cast<int>(r), iteration);
                if (unreported_ > 0) failAsEnded(iteration);
            }
        }
    }
    // Solves that wrote no listing into a full folder: the folder is the cause to name.
    if (!failedSolves_.empty() && !fullRunFolder().empty()) {
        for (const auto& failed : failedSolves_)
            if (!failed.second.listingWritten) reported_[static_cast<size_t>(failed.first - 1)] = 0;
        fail(fullRunFolder(), iteration);
    }
    refuseFailedOutcomes(failedSolves_);
}

bool SolveSession::takeReports(int rank, int iteration) {
    const size_t r = static_cast<size_t>(rank);
    for (;;) {
        char buffer[65536];
        const ssize_t got = read(reportFds_[r], buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0 && errno == EAGAIN) break;
        if (got <= 0) {
            ::close(reportFds_[r]);
            reportFds_[r] = -1;
            return false;
        }
        readers_[r].add(buffer, static_cast<size_t>(got));
        if (static_cast<size_t>(got) < sizeof buffer) break;
    }
    ScenarioReport report;
    for (;;) {
        try {
            if (!readers_[r].next(report)) break;
        } catch (const GeneralException& e) {
            fail("(rank " + std::to_string(rank) + ") sent " + e.message + ", which is no scenario's report", iteration);
        }
        const int k = report.scenario;
        // Only a scenario some rank has taken, once: a report of any other would pass off a result never solved.
        const bool taken = static_cast<std::uint32_t>(k) <= claims_.taken();
        if (k > numScenarios_ || !taken || reported_[static_cast<size_t>(k - 1)])
            fail("(rank " + std::to_string(rank) + ") reported scenario " + std::to_string(k) +
                     ", which no rank had taken to solve in this iteration or which was reported before",
                 iteration);
        reported_[static_cast<size_t>(k - 1)] = 1;
        unreported_--;
        lastSolveSeconds_ += report.seconds;
        if (!report.outcome.normal()) failedSolves_.emplace_back(k, report.outcome);
        else if (scenarioSolved_) scenarioSolved_(k);
    }
    return true;
}

void SolveSession::failAsEnded(int iteration) {
    // A rank that closed its pipe has ended; mpirun ends the others and itself soon after.
    LaunchResult ended{};
    bool over = false;
    for (int i = 0; i < 250 && !(over = pollChild(child_, ended)); i++) usleep(20 * 1000);
    if (!over) fail("lost a rank (its report pipe closed)", iteration);
    child_.pid = -1;
    fail("ended early (" + ended.describe() + ")", iteration);
}
