// LP models by Clp's simplex: a vertex (basic) solution, marginals from the
// final basis, EPS for nonbasic elements whose marginal is zero. Convex
// quadratic programs (linear rows, a constant positive semidefinite Hessian of
// the objective: a hedging model's proximal term) by Clp's primal simplex with
// the quadratic objective, the same way.
#ifndef GAMSUB_CLPENGINE_H
#define GAMSUB_CLPENGINE_H

#include <chrono>
#include <vector>

#include "CompiledModel.h"
#include "LinearProblem.h"
#include "ModelInstance.h"
#include "WarmStarts.h"

namespace gamsub {

struct SimplexResult {
    enum Outcome { Optimal, Infeasible, Unbounded, IterationLimit, TimeLimit, Failed } outcome = Failed;
    int iterations = 0;
    std::vector<double> x, rowDuals, reducedCosts;      // per variable / constraint of the problem
    std::vector<char> columnNonbasic, rowNonbasic;      // at a bound in the final basis
};

// The objective's quadratic part, 1/2 x'Hx over the compiled model's
// variables: the lower triangle of H by column (row >= column).
struct QuadraticObjective {
    std::vector<int> rows, columns;
    std::vector<double> values;
};

// Solves the problem's continuous relaxation (integrality is ignored) with
// Clp's dual simplex after presolve, within `seconds` and `iterations`.
SimplexResult runSimplex(const LinearProblem& problem, double seconds, long iterations);
// The same with an optional quadratic objective (solved by the primal simplex,
// without presolve), an optional start (basis and values) and, when `end` is
// given, the final basis and values written there after an optimal solve.
SimplexResult runSimplex(const LinearProblem& problem, double seconds, long iterations,
                         const QuadraticObjective* quadratic, const WarmStart* start, WarmStart* end);

// True when the compiled model is a convex quadratic program: every row
// linear, the objective of degree 2 with a positive semidefinite Hessian
// (checked densely per block of variables its entries link, each of at most a
// few hundred).
// Fills `quadratic` then.
bool convexQuadratic(CompiledModel& compiled, QuadraticObjective& quadratic);

// The whole solve of a convex quadratic program (see convexQuadratic); it
// starts from the last solution of the same structure when the caller keeps
// them (WarmStarts.h).
void solveWithClpQuadratic(ModelInstance& model, CompiledModel& compiled, const QuadraticObjective& quadratic,
                           SolveStatus& status);

// Levels, row levels, marginals and EPS marks from a simplex result.
void transferSimplexSolution(ModelInstance& model, CompiledModel& compiled, const SimplexResult& result);

// The whole LP solve: statuses, the solution and the solver's lines of the
// listing. Always from scratch: an LP's marginals are often not unique (a
// hedging model's slopes at a kink), and another start could pick others.
void solveWithClp(ModelInstance& model, CompiledModel& compiled, SolveStatus& status);

}  // namespace gamsub

#endif
