// The solve engine: Ipopt on an instantiated model, and the solution part of
// the listing (SOLVE SUMMARY, equation and variable blocks, REPORT SUMMARY).
#ifndef GAMSUB_SOLVEENGINE_H
#define GAMSUB_SOLVEENGINE_H

#include "Listing.h"
#include "ModelInstance.h"

namespace gamsub {

// Solves the instance with Ipopt, starting from the columns' levels. Fills
// every column's level and marginal and every row's level and marginal.
SolveStatus solveInstance(ModelInstance& model);

// Writes the "Solution Report" page of one solve into the listing.
void writeSolutionReport(Listing& listing, const ModelInstance& model, const SolveStatus& status);

}  // namespace gamsub

#endif
