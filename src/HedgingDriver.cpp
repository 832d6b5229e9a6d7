// Placeholder until this stage is written; every entry point fails loudly.
#include "GAMSInOut.h"
#include "Exceptions.h"

PHA::PHA(SCENARIOS*, char*, double, double) : S(nullptr), templet(nullptr), pathGams(nullptr), eps(0), rho(0) { throw GeneralException("not implemented yet"); }
PHA::~PHA() {}
