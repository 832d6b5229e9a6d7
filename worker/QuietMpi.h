// Collective operations that wait without holding a processor. OpenMPI's
// blocking collectives busy-poll; with more ranks than cores an idle rank
// would then take processor time from the ranks that are still solving.
#ifndef SCW_QUIETMPI_H
#define SCW_QUIETMPI_H

#include <mpi.h>

// Waits for `request` by testing it with growing pauses (50 us up to 5 ms),
// so a waiting rank costs next to nothing and reacts within a few ms.
void waitQuietly(MPI_Request& request);

#endif
