#include "LinearProblem.h"

#include "BinarySquares.h"

#include <CoinFinite.hpp>

#include <cmath>

namespace gamsub {

namespace {

double coinBound(double value) {
    if (value == kInf) return COIN_DBL_MAX;
    if (value == -kInf) return -COIN_DBL_MAX;
    return value;
}

}  // namespace

VarKind kindOf(const ModelInstance& model, int column) {
    int block = model.columns.at(static_cast<size_t>(column)).block;
    if (block < 0 || static_cast<size_t>(block) >= model.varBlocks.size()) return VarKind::Free;
    return model.varBlocks[static_cast<size_t>(block)].kind;
}

bool isDiscrete(VarKind kind) {
    return kind == VarKind::Binary || kind == VarKind::Integer || kind == VarKind::SemiCont ||
           kind == VarKind::SemiInt || kind == VarKind::Sos1 || kind == VarKind::Sos2;
}

bool hasDiscreteColumns(const ModelInstance& model) {
    for (size_t c = 0; c < model.columns.size(); c++)
        if (isDiscrete(kindOf(model, static_cast<int>(c)))) return true;
    return false;
}

LinearProblem linearProblem(const ModelInstance& model, CompiledModel& compiled, bool discrete) {
    LinearProblem lp;
    int n = compiled.variableCount(), m = compiled.constraintCount();
    // A linear model's derivatives are its coefficients, the same at every point.
    std::vector<double> origin(static_cast<size_t>(n), 0.0);
    lp.objective.assign(static_cast<size_t>(n), 0.0);
    compiled.objectiveGradient(origin.data(), lp.objective.data());
    for (int v = 0; v < n; v++) {
        int column = compiled.columnOfVariable(v);
        const Column& c = model.columns[static_cast<size_t>(column)];
        VarKind kind = kindOf(model, column);
        lp.columnLower.push_back(coinBound(c.lower));
        lp.columnUpper.push_back(coinBound(c.upper));
        lp.integer.push_back(discrete && (kind == VarKind::Binary || kind == VarKind::Integer) ? 1 : 0);
    }
    for (int k = 0; k < m; k++) {
        double lower, upper;
        compiled.constraintBounds(k, lower, upper);
        lp.rowLower.push_back(coinBound(lower));
        lp.rowUpper.push_back(coinBound(upper));
    }
    std::vector<double> values(compiled.jacobianRows().size());
    compiled.jacobian(origin.data(), values.data());
    lp.matrix = CoinPackedMatrix(true, compiled.jacobianRows().data(), compiled.jacobianColumns().data(),
                                 values.data(), static_cast<CoinBigIndex>(values.size()));
    // The triplet constructor sizes the matrix by its largest indices: empty trailing rows or columns count too.
    lp.matrix.setDimensions(m, n);
    // A discrete model that is not linear: the caller found only squares of
    // binaries, and x*x = x holds where integrality is kept. A relaxed or
    // continuous model keeps its quadratic part for the caller (Clp's QP).
    if (discrete && !compiled.linear()) linearizeBinarySquares(compiled, lp);
    return lp;
}

}  // namespace gamsub
