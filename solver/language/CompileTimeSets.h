// What the source compiled so far tells about a set: GAMS evaluates card(i) in
// $if/$eval at compile time, from the data statements seen up to that line.
#ifndef GAMSUB_COMPILETIMESETS_H
#define GAMSUB_COMPILETIMESETS_H

#include <string>

#include "SourceText.h"

namespace gamsub {

// The number of elements set `name` has after the lines of `soFar`: its data
// statements only, since no assignment has run at compile time. False, with
// `error`, when `name` is no set or the lines so far do not compile on their own.
bool compileTimeCardinality(const SourceText& soFar, const std::string& name, double& count, std::string& error);

}  // namespace gamsub

#endif
