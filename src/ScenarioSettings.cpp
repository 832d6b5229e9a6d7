// Placeholder until this stage is written; every entry point fails loudly.
#include "GAMSInOut.h"
#include "Exceptions.h"

void SCENARIOS::readScenarioFromLine(SCENARIO*, char*) { throw GeneralException("not implemented yet"); }
void SCENARIOS::loadScenariosSettingFromFile(char*) { throw GeneralException("not implemented yet"); }
