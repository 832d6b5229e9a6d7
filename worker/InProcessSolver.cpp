#include "InProcessSolver.h"

#include "BundledIdentity.h"
#include "RunGams.h"

bool namesBundledSolver(const std::string& gamsPath) {
    return gamsub::namesBundledSolver(gamsExecutable(gamsPath));
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
