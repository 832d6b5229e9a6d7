// Runs the compiled statements in order: assignments, solves and displays,
// writing into the listing and the log.
#ifndef GAMSUB_EXECUTOR_H
#define GAMSUB_EXECUTOR_H

#include <ostream>
#include <vector>

#include "Listing.h"
#include "Program.h"
#include "Symbols.h"

namespace gamsub {

struct ExecutionResult {
    int execErrors = 0;
    double ipoptSeconds = 0.0;
};

// `log` may be null (lo=0).
ExecutionResult execute(const std::vector<Statement>& program, SymbolTable& symbols, Listing& listing,
                        std::ostream* log);

}  // namespace gamsub

#endif
