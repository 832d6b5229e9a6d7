// Placeholder until this stage is written; every entry point fails loudly.
#include "GAMSInOut.h"
#include "Exceptions.h"

void PHA::runPHA(int) { throw GeneralException("not implemented yet"); }
void SCENARIOS::saveAllScenarioSolutionsToFile(int, double, FILE*) { throw GeneralException("not implemented yet"); }
void SCENARIOS::printAllScenarioSolutions() { throw GeneralException("not implemented yet"); }
