// The compilation part of the listing: the numbered source echo with the
// `****` error marker lines and their explanations, and the error count.
#ifndef GAMSUB_LISTINGSOURCE_H
#define GAMSUB_LISTINGSOURCE_H

#include <ostream>

#include "CompileErrors.h"
#include "SourceText.h"

namespace gamsub {

void writeSourceEcho(std::ostream& out, const SourceText& source, const CompileErrors& errors);

}  // namespace gamsub

#endif
