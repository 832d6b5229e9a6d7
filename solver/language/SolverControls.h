// The solver controls a model can set, by `option name = value` or as a model
// attribute `m.name = value`, and what this solver makes of each: a limit it
// applies, a result it keeps, a control with no effect on the solution (listing
// layout, threads, memory), one that is harmless only at its default value, or
// one it refuses. A control missing from the table is refused: an ignored
// control could change the answer without a word.
#ifndef GAMSUB_SOLVERCONTROLS_H
#define GAMSUB_SOLVERCONTROLS_H

#include <string>
#include <vector>

namespace gamsub {

enum class ControlUse {
    Limit,      // reslim, optcr, optca, iterlim: applied to the next solves
    Result,     // modelstat, solvestat, objval: written by a solve, may be assigned
    NoEffect,   // listing layout, threads, memory, solver choice: nothing to do
    OnlyAt,     // harmless at its default value `only`, refused at any other (optfile, nodlim, ...)
    Refused,    // changes the solution in a way this solver does not implement
};

struct ControlInfo {
    ControlUse use = ControlUse::Refused;
    double only = 0.0;     // OnlyAt: the one value accepted
    const char* why = "";  // OnlyAt and Refused: what this solver does not do
    bool known = true;     // false: a name the table does not hold
};

// `name` in lower case. Unknown names come back Refused with a general reason.
ControlInfo modelAttribute(const std::string& name);
ControlInfo optionStatement(const std::string& name);

// The model types a command line or an option statement may name a solver for
// (lp, mip, rmip, nlp, ...), lower case.
const std::vector<std::string>& modelTypeNames();
bool isModelTypeName(const std::string& name);

// The solver this program runs for model type `type` (lower case) whatever the
// model holds: "CLP" for lp and rmip, "CBC" for mip; nullptr for the types whose
// solver depends on the model (a quadratic or linear nlp goes to CLP, ...), so
// that %system.nlp% or system.nlp is refused rather than named wrongly.
const char* solverNameFor(const std::string& type);

}  // namespace gamsub

#endif
