// The persistent worker of pha's option mode: started once per run as
// `mpirun -np P scw --serve DIR GAMSPATH`, it solves every iteration's
// scenario models when told to, until told to stop.
//
// Protocol (rank 0's standard input and output, which mpirun forwards):
//   scw -> "ready P"             every rank has started (P ranks)
//   pha -> "solve ITERATION N"   solve scenario1.gms .. scenarioN.gms in DIR;
//                                rank r takes the scenarios r+1, r+1+P, ...
//   scw -> "done ITERATION F S"  all N are done (each has written its done
//                                file), F of them failed, S is the sum of
//                                the solves' wall times in seconds
//   pha -> "quit" (or end of input): the ranks end.
#ifndef SCW_SERVE_H
#define SCW_SERVE_H

#include <string>

// Runs the command loop on every rank (MPI must be initialised); returns the
// process's exit status.
int serve(const std::string& dir, const std::string& gamsPath);

#endif
