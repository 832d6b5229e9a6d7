// scw, the solver worker: started by mpirun with one process per scenario;
// rank r solves scenario r+1 of the working directory with GAMS.
#include "ScenarioSolve.h"

#include <mpi.h>

#include <cstdio>
#include <ctime>
#include <string>
#include <sys/stat.h>

namespace {

void printUsage(const char* program) {
    std::fprintf(stderr,
                 "usage: mpirun -np N %s WORKDIR GAMSPATH\n"
                 "  WORKDIR   absolute path of the directory with scenario1.gms ... scenarioN.gms\n"
                 "  GAMSPATH  the GAMS directory or the gams executable itself\n"
                 "Rank r runs GAMS on scenario<r+1>.gms, writes scenario<r+1>.lst and then creates done<r+1>.\n",
                 program);
}

bool isDirectory(const char* path) {
    struct stat info;
    return stat(path, &info) == 0 && S_ISDIR(info.st_mode);
}

// Waits for the other ranks without holding a processor: with more scenarios
// than cores a spinning rank would slow down the ranks that are still solving.
void waitForOthersQuietly() {
    MPI_Request request;
    MPI_Ibarrier(MPI_COMM_WORLD, &request);
    int finished = 0;
    MPI_Test(&request, &finished, MPI_STATUS_IGNORE);
    while (!finished) {
        struct timespec pause = {0, 20 * 1000 * 1000};
        nanosleep(&pause, nullptr);
        MPI_Test(&request, &finished, MPI_STATUS_IGNORE);
    }
}

}  // namespace

int main(int argc, char** argv) {
    // Checked before MPI starts, so a wrong call also fails outside mpirun.
    if (argc != 3 || argv[1][0] == '\0' || argv[2][0] == '\0' || !isDirectory(argv[1])) {
        if (argc == 3 && argv[1][0] != '\0' && !isDirectory(argv[1])) {
            std::fprintf(stderr, "scw: '%s' is not a directory\n", argv[1]);
        }
        printUsage(argc > 0 ? argv[0] : "scw");
        return 2;
    }
    MPI_Init(&argc, &argv);
    int rank = 0;
    MPI_Comm_rank(MPI_COMM_WORLD, &rank);

    bool marked = solveScenario(argv[1], argv[2], rank + 1);

    waitForOthersQuietly();
    MPI_Finalize();
    return marked ? 0 : 1;
}
