// Pieces of the solution listing: the SOLVE SUMMARY, the EQU/VAR blocks and
// the REPORT SUMMARY, in the older GAMS layout.
#ifndef GAMSUB_SOLUTIONREPORT_H
#define GAMSUB_SOLUTIONREPORT_H

#include <ostream>

#include "Listing.h"
#include "ModelInstance.h"

namespace gamsub {

void writeSolveSummary(std::ostream& out, const ModelInstance& model, const SolveStatus& status);
// The EQU and VAR blocks followed by the REPORT SUMMARY.
void writeSolutionBlocks(std::ostream& out, const ModelInstance& model, const SolveStatus& status);
// The whole "Solution Report" page of one solve.
void writeSolutionReport(Listing& listing, const ModelInstance& model, const SolveStatus& status);

}  // namespace gamsub

#endif
