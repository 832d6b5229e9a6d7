// A linear (or mixed-integer linear) model as the simplex and branch-and-cut
// libraries take it: bounds, objective and a sparse matrix over the compiled
// model's variables and constraints, minimising sign * objective.
#ifndef GAMSUB_LINEARPROBLEM_H
#define GAMSUB_LINEARPROBLEM_H

#include <CoinPackedMatrix.hpp>

#include <vector>

#include "CompiledModel.h"
#include "ModelInstance.h"

namespace gamsub {

struct LinearProblem {
    std::vector<double> columnLower, columnUpper, objective;
    std::vector<double> rowLower, rowUpper;
    CoinPackedMatrix matrix;        // constraints x variables
    std::vector<char> integer;      // per variable: must take a whole value
    int columnCount() const { return static_cast<int>(objective.size()); }
    int rowCount() const { return static_cast<int>(rowLower.size()); }
};

// The compiled model must be linear, or nonlinear only through squares of
// binary columns (onlyBinarySquares), which become the columns. Infinite bounds become COIN's infinity.
// `discrete`: Binary and Integer columns keep their integrality (else relaxed).
LinearProblem linearProblem(const ModelInstance& model, CompiledModel& compiled, bool discrete);

// The kind of a column, from its block.
VarKind kindOf(const ModelInstance& model, int column);
bool isDiscrete(VarKind kind);
// True when some column of the model is discrete.
bool hasDiscreteColumns(const ModelInstance& model);

}  // namespace gamsub

#endif
