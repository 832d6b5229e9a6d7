#include "InProcessSolver.h"

#include "BundledIdentity.h"
#include "RunGams.h"
#include "WarmStarts.h"

#include <malloc.h>

bool namesBundledSolver(const std::string& gamsPath) {
    return gamsub::namesBundledSolver(gamsExecutable(gamsPath));
}

void prepareForManySolves() {
    gamsub::keepWarmStarts(true);
    // The heap keeps up to 64 MB of freed memory at its top, and blocks up to
    // 4 MB come from the heap rather than from a mapping of their own.
    mallopt(M_TRIM_THRESHOLD, 64 << 20);
    mallopt(M_MMAP_THRESHOLD, 4 << 20);
}

LaunchResult runBundledSolver(const std::vector<std::string>& command, const std::string&) {
    // The command carries curdir=, which the library resolves every path against.
    std::vector<std::string> args(command.begin() + (command.empty() ? 0 : 1), command.end());
    int status = gamsub::runGams(args);
    LaunchResult result{};
    result.started = true;
    result.exited = true;
    result.exitStatus = status;
    return result;
}
