#include "Serve.h"

#include "InProcessSolver.h"
#include "QuietMpi.h"
#include "RankPipes.h"
#include "RankReports.h"
#include "ScenarioSolve.h"

#include <mpi.h>

#include <cerrno>
#include <chrono>
#include <cstdint>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <unistd.h>
#include <cstdio>
#include <iostream>
#include <sstream>
#include <string>

namespace {

// One command as every rank receives it.
struct Command {
    int quit = 1;
    int iteration = 0;
    int numScenarios = 0;
};

// Rank 0 reads the next command; anything it cannot understand ends the loop.
Command readCommand() {
    Command c;
    std::string line;
    if (!std::getline(std::cin, line)) return c;
    std::istringstream words(line);
    std::string verb;
    words >> verb;
    if (verb == "solve" && words >> c.iteration >> c.numScenarios && c.numScenarios >= 0) {
        c.quit = 0;
    } else if (verb != "quit") {
        std::fprintf(stderr, "scw: unknown command '%s'; stopping\n", line.c_str());
    }
    return c;
}

Command shareCommand(int rank) {
    Command c;
    if (rank == 0) c = readCommand();
    int fields[3] = {c.quit, c.iteration, c.numScenarios};
    MPI_Request request;
    MPI_Ibcast(fields, 3, MPI_INT, 0, MPI_COMM_WORLD, &request);
    waitQuietly(request);
    return Command{fields[0], fields[1], fields[2]};
}

// Rank 0's answer channel: the named pipe pha reads. Where rank 0 cannot
// open it (it runs on another host of a cluster, where the pipe is not), its
// answers go to standard output, each line marked with the pipe's name, which
// nothing else prints.
class Answers {
public:
    // Non-blocking open: no reader is an error at once, not a wait.
    explicit Answers(const std::string& path)
        : fd_(path.empty() ? -1 : open(path.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC)),
          mark_(path.empty() ? "" : "answer " + path + " ") {
        if (fd_ >= 0) {
            fcntl(fd_, F_SETFL, fcntl(fd_, F_GETFL) & ~O_NONBLOCK);
            mark_.clear();
        }
    }
    ~Answers() {
        if (fd_ >= 0) close(fd_);
    }
    Answers(const Answers&) = delete;
    Answers& operator=(const Answers&) = delete;

    void send(const std::string& line) {
        if (fd_ < 0) {
            // The solver's output may end without a line break: the marked answer starts a line of its own.
            std::printf("\n%s%s", mark_.c_str(), line.c_str());
            std::fflush(stdout);
            return;
        }
        size_t written = 0;
        while (written < line.size()) {
            ssize_t n = write(fd_, line.data() + written, line.size() - written);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) break;
            written += static_cast<size_t>(n);
        }
    }

private:
    int fd_;
    std::string mark_;
};

double secondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Every rank on pha's host: each takes its commands from its own pipe, takes
// the next scenario not yet taken whenever it is free, and reports every
// scenario the moment it is solved; no rank waits for another.
int serveOnPipes(RankPipes& pipes, int rank, const std::string& dir, const std::string& gamsPath,
                 const GamsRunner& runGams) {
    std::string line;
    const auto unknown = [rank](const std::string& command) {
        std::fprintf(stderr, "scw: rank %d: unknown command '%s'; stopping\n", rank, command.c_str());
        return 1;
    };
    while (pipes.readCommand(line)) {
        std::istringstream words(line);
        std::string verb;
        int iteration = 0, numScenarios = 0, released = 0;
        std::uint32_t tag = 0;
        words >> verb;
        if (verb == "quit") break;
        if (verb == "upto") continue;  // a release of a round this rank has left: every scenario was taken
        // "solve ITERATION N RELEASED TAG": scenarios up to RELEASED may be taken at once; the others once
        // an "upto K" line has released them (pha is still writing their models).
        if (verb != "solve" || !(words >> iteration >> numScenarios >> released >> tag) || numScenarios < 0)
            return unknown(line);
        for (;;) {
            int k = 0;
            const ScenarioClaims::Take taken = pipes.claims().take(tag, numScenarios, released, k);
            if (taken == ScenarioClaims::Take::Over) break;
            if (taken == ScenarioClaims::Take::Wait) {
                if (!pipes.readCommand(line)) return 0;
                std::istringstream more(line);
                more >> verb;
                if (verb == "quit") return 0;
                if (verb != "upto" || !(more >> released)) return unknown(line);
                continue;
            }
            const auto begin = std::chrono::steady_clock::now();
            const SolveOutcome outcome = solveScenarioQuietly(dir, gamsPath, k, runGams);
            if (!pipes.report(formatScenarioReport(k, secondsSince(begin), outcome))) return 1;
        }
    }
    return 0;
}

}  // namespace

int serve(const std::string& dir, const std::string& gamsPath, const std::string& answerPath) {
    int rank = 0, size = 1;
    MPI_Comm_rank(MPI_COMM_WORLD, &rank);
    MPI_Comm_size(MPI_COMM_WORLD, &size);
    // The bundled solver runs in this process; a real GAMS is started per solve.
    GamsRunner runGams = runAndWait;
    if (namesBundledSolver(gamsPath)) {
        runGams = runBundledSolver;
        prepareForManySolves();
    }

    // A report pipe whose reader has gone is an error to see, not a signal that ends the rank.
    std::signal(SIGPIPE, SIG_IGN);
    // Only rank 0 answers.
    std::unique_ptr<Answers> answers;
    if (rank == 0) answers.reset(new Answers(answerPath));
    // Start-up is over once every rank is here; pha times the solves from then on.
    // The ranks' own pipes serve only when every rank has found them.
    RankPipes pipes(answerPath, rank);
    int mine = pipes.open() ? 1 : 0, everyRank = 0;
    MPI_Request started;
    MPI_Iallreduce(&mine, &everyRank, 1, MPI_INT, MPI_MIN, MPI_COMM_WORLD, &started);
    waitQuietly(started);
    if (!everyRank) pipes.close();
    if (rank == 0) answers->send("ready " + std::to_string(size) + (everyRank ? " pipes" : "") + "\n");
    if (everyRank) return serveOnPipes(pipes, rank, dir, gamsPath, runGams);

    for (;;) {
        Command c = shareCommand(rank);
        if (c.quit) break;

        double mine[2] = {0.0, 0.0};  // failed solves, seconds spent solving
        for (int k = rank + 1; k <= c.numScenarios; k += size) {
            auto begin = std::chrono::steady_clock::now();
            if (!solveScenario(dir, gamsPath, k, runGams, false)) mine[0] += 1.0;
            mine[1] += std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
        }
        double total[2] = {0.0, 0.0};
        MPI_Request request;
        MPI_Ireduce(mine, total, 2, MPI_DOUBLE, MPI_SUM, 0, MPI_COMM_WORLD, &request);
        waitQuietly(request);
        if (rank == 0) {
            char line[128];
            std::snprintf(line, sizeof line, "done %d %d %.6f\n", c.iteration, static_cast<int>(total[0]), total[1]);
            answers->send(line);
        }
    }
    return 0;
}
