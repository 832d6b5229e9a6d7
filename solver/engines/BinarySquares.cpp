#include "BinarySquares.h"

namespace gamsub {

namespace {

bool squaresOfBinaries(const ModelInstance& model, const CompiledModel& compiled, const CompiledFunction& f) {
    if (!f.general.empty()) return false;
    for (const QuadraticEntry& entry : f.quadratic) {
        if (entry.row != entry.column) return false;
        if (kindOf(model, compiled.columnOfVariable(entry.row)) != VarKind::Binary) return false;
    }
    return true;
}

}  // namespace

bool onlyBinarySquares(const ModelInstance& model, const CompiledModel& compiled) {
    if (compiled.linear()) return false;
    if (!squaresOfBinaries(model, compiled, compiled.objectiveFunction())) return false;
    for (int k = 0; k < compiled.constraintCount(); k++)
        if (!squaresOfBinaries(model, compiled, compiled.constraintFunction(k))) return false;
    return true;
}

void linearizeBinarySquares(const CompiledModel& compiled, LinearProblem& problem) {
    for (const QuadraticEntry& entry : compiled.objectiveFunction().quadratic)
        problem.objective.at(static_cast<size_t>(entry.row)) += entry.q / 2;
    for (int k = 0; k < compiled.constraintCount(); k++)
        for (const QuadraticEntry& entry : compiled.constraintFunction(k).quadratic) {
            double now = problem.matrix.getCoefficient(k, entry.row);
            problem.matrix.modifyCoefficient(k, entry.row, now + entry.q / 2);
        }
}

}  // namespace gamsub
