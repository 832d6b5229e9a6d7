// scw, the solver worker. Classic: started by mpirun once per iteration with
// one process per scenario; rank r solves scenario r+1 of the working
// directory with GAMS. With --serve: started once per run (see Serve.h).
#include "QuietMpi.h"
#include "ScenarioSolve.h"
#include "Serve.h"

#include <mpi.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <sys/stat.h>

namespace {

void printUsage(const char* program) {
    std::fprintf(stderr,
                 "usage: mpirun -np N %s WORKDIR GAMSPATH\n"
                 "       mpirun -np P %s --serve WORKDIR GAMSPATH [ANSWERS]\n"
                 "  WORKDIR   absolute path of the directory with scenario1.gms ... scenarioN.gms\n"
                 "  GAMSPATH  the GAMS directory or the gams executable itself\n"
                 "Rank r runs GAMS on scenario<r+1>.gms, writes scenario<r+1>.lst and then creates done<r+1>.\n"
                 "With --serve the ranks stay and solve on command from standard input (used by pha's option mode);\n"
                 "rank 0 answers into the named pipe ANSWERS (standard output without it).\n",
                 program, program);
}

bool isDirectory(const char* path) {
    struct stat info;
    return stat(path, &info) == 0 && S_ISDIR(info.st_mode);
}

}  // namespace

int main(int argc, char** argv) {
    // scw WORKDIR GAMSPATH, or scw --serve WORKDIR GAMSPATH [ANSWERS].
    bool serving = (argc == 4 || argc == 5) && std::strcmp(argv[1], "--serve") == 0;
    int first = serving ? 2 : 1;
    const int expected = serving ? argc : first + 2;
    // Checked before MPI starts, so a wrong call also fails outside mpirun.
    if (argc != expected || argv[first][0] == '\0' || argv[first + 1][0] == '\0' || !isDirectory(argv[first])) {
        if (argc == expected && argv[first][0] != '\0' && !isDirectory(argv[first])) {
            std::fprintf(stderr, "scw: '%s' is not a directory\n", argv[first]);
        }
        printUsage(argc > 0 ? argv[0] : "scw");
        return 2;
    }
    const std::string dir = argv[first], gamsPath = argv[first + 1];
    const std::string answers = serving && argc == 5 ? argv[4] : "";
    MPI_Init(&argc, &argv);
    int rank = 0;
    MPI_Comm_rank(MPI_COMM_WORLD, &rank);

    if (serving) {
        int status = serve(dir, gamsPath, answers);
        MPI_Finalize();
        return status;
    }

    bool marked = solveScenario(dir, gamsPath, rank + 1);

    // Waits for the other ranks without holding a processor.
    MPI_Request request;
    MPI_Ibarrier(MPI_COMM_WORLD, &request);
    waitQuietly(request);
    MPI_Finalize();
    return marked ? 0 : 1;
}
