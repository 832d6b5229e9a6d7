// Placeholder until this stage is written; every entry point fails loudly.
#include "GAMSInOut.h"
#include "Exceptions.h"

void SCENARIOS::calcAverageSolution() { throw GeneralException("not implemented yet"); }
double SCENARIOS::calcTerminationCondition() { throw GeneralException("not implemented yet"); }
void SCENARIOS::updateAllWeights(double) { throw GeneralException("not implemented yet"); }
void SCENARIOS::changeRho(double) { throw GeneralException("not implemented yet"); }
