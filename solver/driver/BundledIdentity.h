// How a program that is given a GAMS path can tell that it names this
// bundled solver (and may call it in its own process) rather than a real GAMS.
#ifndef GAMSUB_BUNDLEDIDENTITY_H
#define GAMSUB_BUNDLEDIDENTITY_H

#include <string>

namespace gamsub {

// Compiled into the gams executable as one contiguous string, and printed by
// `gams --bundled-id`; a real GAMS contains neither.
extern const char* const kBundledSolverMarker;

// True when the file at `path` (links followed) contains the marker: a scan
// of the file, no process started. False when it cannot be read.
bool namesBundledSolver(const std::string& path);

}  // namespace gamsub

#endif
