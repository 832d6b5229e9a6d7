// Placeholder until this stage is written; every entry point fails loudly.
#include "GAMSInOut.h"
#include "Exceptions.h"

void SCENARIOS::makeGAMSSourceFiles(char*) { throw GeneralException("not implemented yet"); }
