#include "Serve.h"

#include "InProcessSolver.h"
#include "QuietMpi.h"
#include "ScenarioSolve.h"

#include <mpi.h>

#include <chrono>
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

}  // namespace

int serve(const std::string& dir, const std::string& gamsPath) {
    int rank = 0, size = 1;
    MPI_Comm_rank(MPI_COMM_WORLD, &rank);
    MPI_Comm_size(MPI_COMM_WORLD, &size);
    // The bundled solver runs in this process; a real GAMS is started per solve.
    GamsRunner runGams = runAndWait;
    if (namesBundledSolver(gamsPath)) {
        runGams = runBundledSolver;
        prepareForManySolves();
    }

    // Start-up is over once every rank is here; pha times the solves from then on.
    MPI_Request started;
    MPI_Ibarrier(MPI_COMM_WORLD, &started);
    waitQuietly(started);
    if (rank == 0) {
        std::printf("ready %d\n", size);
        std::fflush(stdout);
    }

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
            std::printf("done %d %d %.6f\n", c.iteration, static_cast<int>(total[0]), total[1]);
            std::fflush(stdout);
        }
    }
    return 0;
}
