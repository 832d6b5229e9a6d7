#include "QuietMpi.h"

#include <ctime>

void waitQuietly(MPI_Request& request) {
    int finished = 0;
    MPI_Test(&request, &finished, MPI_STATUS_IGNORE);
    long pauseNs = 50 * 1000;
    while (!finished) {
        struct timespec pause = {0, pauseNs};
        nanosleep(&pause, nullptr);
        if (pauseNs < 5 * 1000 * 1000) pauseNs *= 2;
        MPI_Test(&request, &finished, MPI_STATUS_IGNORE);
    }
}
