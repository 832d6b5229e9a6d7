// Placeholder until this stage is written; every entry point fails loudly.
#include "GAMSInOut.h"
#include "Exceptions.h"

void SCENARIOS::printAllScenarios() { throw GeneralException("not implemented yet"); }
void SCENARIOS::checkIntegrity(double) { throw GeneralException("not implemented yet"); }
