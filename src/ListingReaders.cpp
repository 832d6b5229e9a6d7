// Placeholder until this stage is written; every entry point fails loudly.
#include "GAMSInOut.h"
#include "Exceptions.h"

void SCENARIOS::readMatrixDataFromLSTFile(char*, char*, MATRIX&) { throw GeneralException("not implemented yet"); }
void SCENARIOS::readVectorDataFromLSTFile(char*, char*, VECTOR&) { throw GeneralException("not implemented yet"); }
void SCENARIOS::readObjValueFromLSTFile(char*, char*, SCALAR&) { throw GeneralException("not implemented yet"); }
void SCENARIOS::checkInfeasibility(char*, int) { throw GeneralException("not implemented yet"); }
void SCENARIOS::loadAllScenarioSolutionsFromLSTFiles() { throw GeneralException("not implemented yet"); }
