// The solve engine: picks the library for the model's type (Clp for LP and
// RMIP, CBC for MIP, Ipopt for QCP, NLP, DNLP, RMIQCP and RMINLP, Bonmin for
// MIQCP and MINLP, the semismooth Newton method for MCP and CNS; a model whose rows turned out linear goes to Clp or CBC
// whatever its type, and so does a discrete model nonlinear only through
// squares of binaries, x*x = x) and solves an instantiated model with it.
// Bonmin searches in a child process: a fault inside it is a failed solve.
#ifndef GAMSUB_SOLVEENGINE_H
#define GAMSUB_SOLVEENGINE_H

#include <functional>
#include <string>

#include "ModelInstance.h"
// The front end writes the solution report right after the solve.

#include "SolutionReport.h"

namespace gamsub {

// Solves the instance within its options (reslim, iterlim, optcr, optca),
// starting from the columns' levels. Fills every column's level and marginal
// and every row's level and marginal, and the solver's lines of the listing.
// `announce`, when given, hears the chosen solver's name ("CLP", "CBC",
// "IPOPT", "BONMIN") before the solve starts, for the log.
SolveStatus solveInstance(ModelInstance& model, const std::function<void(const std::string&)>& announce = {});

// The solver's name that solveInstance will use for the model.
std::string solverFor(const ModelInstance& model);

}  // namespace gamsub

#endif
