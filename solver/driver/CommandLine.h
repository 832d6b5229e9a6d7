// The command line, as GAMS reads it: `gams MODEL[.gms] [key=value ...]`,
// where `key=value`, `-key=value`, `-key value` and `key value` are the same.
#ifndef GAMSUB_COMMANDLINE_H
#define GAMSUB_COMMANDLINE_H

#include <map>
#include <string>
#include <vector>

#include "ModelInstance.h"

namespace gamsub {

struct Options {
    std::string input;    // as given
    std::string output;   // o= / output=; empty: base name + .lst
    int logOption = 3;    // lo=: 0 none, 2 to logFile, 3 standard output
    std::string logFile;  // lf=
    std::string curdir;   // curdir= / cdir=
    SolveOptions limits;  // reslim=, optcr=, optca=, iterlim=: every solve's defaults
    std::map<std::string, std::string> variables;  // --name=value: compile-time variables, lower-case names
    bool bundledId = false;  // --bundled-id: print the bundled solver's marker and stop
    std::string error;    // a message when the command line is unusable
};

Options parseCommandLine(const std::vector<std::string>& args);

// The input file to open: the name as given, or with ".gms" appended when
// that exists instead.
std::string resolveInput(const std::string& name);

// The default listing name: the input's base name with ".lst" (in the directory of the run).
std::string defaultListing(const std::string& input);

}  // namespace gamsub

#endif
