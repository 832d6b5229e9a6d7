// LP models by Clp's simplex: a vertex (basic) solution, marginals from the
// final basis, EPS for nonbasic elements whose marginal is zero.
#ifndef GAMSUB_CLPENGINE_H
#define GAMSUB_CLPENGINE_H

#include <chrono>
#include <vector>

#include "CompiledModel.h"
#include "LinearProblem.h"
#include "ModelInstance.h"

namespace gamsub {

struct SimplexResult {
    enum Outcome { Optimal, Infeasible, Unbounded, IterationLimit, TimeLimit, Failed } outcome = Failed;
    int iterations = 0;
    std::vector<double> x, rowDuals, reducedCosts;      // per variable / constraint of the problem
    std::vector<char> columnNonbasic, rowNonbasic;      // at a bound in the final basis
};

// Solves the problem's continuous relaxation (integrality is ignored) with
// Clp's dual simplex after presolve, within `seconds` and `iterations`.
SimplexResult runSimplex(const LinearProblem& problem, double seconds, long iterations);

// Levels, row levels, marginals and EPS marks from a simplex result.
void transferSimplexSolution(ModelInstance& model, CompiledModel& compiled, const SimplexResult& result);

// The whole LP solve: statuses, the solution and the solver's lines of the listing.
void solveWithClp(ModelInstance& model, CompiledModel& compiled, SolveStatus& status);

}  // namespace gamsub

#endif
