// The bundled solver as a library: one call does what one run of
// `gams MODEL [key=value ...]` does (same listing, log and exit status), so a
// program can run many solves one after another in its own process.
#ifndef GAMSUB_RUNGAMS_H
#define GAMSUB_RUNGAMS_H

#include <ostream>
#include <string>
#include <vector>

namespace gamsub {

// GAMS's exit statuses that the bundled solver uses.
enum GamsExitStatus {
    kNormalReturn = 0,
    kCompilationError = 2,
    kExecutionError = 3,
    kFileError = 5,       // a listing or log that cannot be opened or written completely
    kParameterError = 6,  // an unusable command line
    kSystemError = 8,     // an internal failure of the solver itself
};

// `args` as on the command line, without the program name. Relative paths
// (input, o=, lf=) are taken against curdir= when given, else against the
// process's working directory, which is never changed. The log (lo=3) goes
// to `console`, messages about unusable files or options to `errors`.
// Keeps no state between calls (except each model's last basis when the
// caller switched that memory on, WarmStarts.h), never exits the process, lets
// no exception out.
int runGams(const std::vector<std::string>& args, std::ostream& console, std::ostream& errors);

// The same with the process's standard output and standard error.
int runGams(const std::vector<std::string>& args);

}  // namespace gamsub

#endif
