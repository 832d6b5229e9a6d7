// Runs the compiled statements in order: assignments, solves, displays, puts and
// the control statements around them, writing into the listing and the log.
#ifndef GAMSUB_EXECUTOR_H
#define GAMSUB_EXECUTOR_H

#include <ostream>
#include <string>
#include <vector>

#include "Listing.h"
#include "Program.h"
#include "Symbols.h"

namespace gamsub {

struct ExecutionResult {
    int execErrors = 0;
    double ipoptSeconds = 0.0;
    std::vector<SolveOptions> solveOptions;  // the limits each generated solve was given, in order
};

// What the command line sets for a run (GAMS's reslim=, optcr=, ...); option
// statements and model attributes override them.
struct ExecuteSettings {
    SolveOptions solve;      // solve.reslim also bounds the front end's own evaluation
    std::string directory;   // relative put file names are taken against it (GAMS's curdir); empty: the process's
};

// `log` may be null (lo=0).
ExecutionResult execute(const std::vector<Statement>& program, SymbolTable& symbols, Listing& listing,
                        std::ostream* log);
ExecutionResult execute(const std::vector<Statement>& program, SymbolTable& symbols, Listing& listing,
                        std::ostream* log, const ExecuteSettings& settings);

}  // namespace gamsub

#endif
