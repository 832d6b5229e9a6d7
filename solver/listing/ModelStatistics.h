// The "Model Statistics" page GAMS writes before each solve: counts of
// equation and variable blocks, single rows and columns, and non-zeros.
#ifndef GAMSUB_MODELSTATISTICS_H
#define GAMSUB_MODELSTATISTICS_H

#include "Listing.h"
#include "ModelInstance.h"

namespace gamsub {

// Distinct columns of each row, summed: the Jacobian's non-zeros.
long countNonZeros(const ModelInstance& model);

void writeModelStatistics(Listing& listing, const ModelInstance& model, double generationSeconds);

}  // namespace gamsub

#endif
