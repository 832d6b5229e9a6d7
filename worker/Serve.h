// The persistent worker of pha's option mode: started once per run as
// `mpirun -np P scw --serve DIR GAMSPATH ANSWERS`, it solves every iteration's
// scenario models when told to, until told to stop.
//
// Protocol: commands on rank 0's standard input (which mpirun forwards),
// answers into ANSWERS, a named pipe pha made and reads. A rank 0 that cannot
// open it (on another host of a cluster, or without ANSWERS) writes each answer
// to its standard output as "answer ANSWERS <line>", on a line of its own. Standard output stays the solver's, so nothing a
// model prints can pass for an answer.
//   scw -> "ready P"             every rank has started (P ranks)
//   scw -> "ready P pipes"       ... and every rank has opened its own pipes
//                                ANSWERS.to-rank-R and ANSWERS.from-rank-R
//                                (RankReports.h): from then on each rank
//                                takes its commands from the first and
//                                reports each scenario into the second, and
//                                nothing below goes through rank 0. There
//   pha -> "solve ITERATION N UPTO"  lets the ranks start on the scenarios
//                                up to UPTO while pha writes the others;
//   pha -> "upto K"              releases the scenarios up to K.
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
int serve(const std::string& dir, const std::string& gamsPath, const std::string& answers = "");

#endif
