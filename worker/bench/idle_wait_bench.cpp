// How much processor time a rank spends waiting for a slower rank, with the
// blocking MPI_Bcast (OpenMPI busy-polls) and with the worker's quiet wait.
// Rank 0 works (sleeps) for a while, then broadcasts; every other rank waits
// for it, as the workers wait for pha's next command.
// usage: mpirun -np P idle-wait-bench [seconds]
#include <mpi.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <sys/resource.h>
#include <unistd.h>

#include "QuietMpi.h"

namespace {

double cpuSeconds() {
    struct rusage usage;
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// The largest processor time any waiting rank spent in one round.
double waitRound(int rank, double seconds, bool quiet) {
    double before = cpuSeconds();
    if (rank == 0) usleep(static_cast<useconds_t>(seconds * 1e6));
    int command = 1;
    if (quiet) {
        MPI_Request request;
        MPI_Ibcast(&command, 1, MPI_INT, 0, MPI_COMM_WORLD, &request);
        waitQuietly(request);
    } else {
        MPI_Bcast(&command, 1, MPI_INT, 0, MPI_COMM_WORLD);
    }
    double spent = rank == 0 ? 0.0 : cpuSeconds() - before;
    double most = 0.0;
    MPI_Allreduce(&spent, &most, 1, MPI_DOUBLE, MPI_MAX, MPI_COMM_WORLD);
    return most;
}

}  // namespace

int main(int argc, char** argv) {
    MPI_Init(&argc, &argv);
    int rank = 0, size = 1;
    MPI_Comm_rank(MPI_COMM_WORLD, &rank);
    MPI_Comm_size(MPI_COMM_WORLD, &size);
    double seconds = argc > 1 ? std::strtod(argv[1], nullptr) : 2.0;
    double busy = waitRound(rank, seconds, false);
    double quiet = waitRound(rank, seconds, true);
    if (rank == 0) {
        std::printf("%d ranks, rank 0 works %.1f s; processor time of the busiest waiting rank:\n", size, seconds);
        std::printf("  blocking MPI_Bcast      %8.3f s (%5.1f%% of the wait)\n", busy, 100 * busy / seconds);
        std::printf("  quiet wait (scw)        %8.3f s (%5.1f%% of the wait)\n", quiet, 100 * quiet / seconds);
    }
    MPI_Finalize();
    return 0;
}
