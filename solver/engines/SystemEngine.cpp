#include "SystemEngine.h"

#include <chrono>
#include <cmath>
#include <stdexcept>

#include "ListingNumbers.h"
#include "SemismoothNewton.h"
#include "SolutionTransfer.h"

namespace gamsub {

namespace {

// The cap on Newton iterations when the model sets none lower: a method that
// has not converged by then is going nowhere.
constexpr long kIterationCap = 5000;

struct Pairing {
    std::vector<int> unknownVariable;   // compiled variable of each unknown
    std::vector<int> functionRow;       // model row of each unknown's function
    std::vector<int> constraintOfRow;   // compiled constraint of each model row, -1 if none
    std::vector<int> unknownOfVariable; // unknown of each compiled variable, -1 if fixed
    std::vector<int> functionOfConstraint;
};

bool fixedColumn(const Column& c) { return c.lower == c.upper; }

Pairing pairUp(const ModelInstance& model, const CompiledModel& compiled) {
    Pairing p;
    p.constraintOfRow.assign(model.rows.size(), -1);
    for (int k = 0; k < compiled.constraintCount(); k++) p.constraintOfRow[compiled.rowOfConstraint(k)] = k;
    std::vector<int> rowOfColumn(model.columns.size(), -1);
    std::vector<int> unmatchedRows;
    for (size_t r = 0; r < model.rows.size(); r++) {
        if (model.type == ModelType::MCP && model.rows[r].matchedColumn >= 0)
            rowOfColumn[static_cast<size_t>(model.rows[r].matchedColumn)] = static_cast<int>(r);
        else
            unmatchedRows.push_back(static_cast<int>(r));
    }
    size_t nextUnmatched = 0;
    p.unknownOfVariable.assign(static_cast<size_t>(compiled.variableCount()), -1);
    p.functionOfConstraint.assign(static_cast<size_t>(compiled.constraintCount()), -1);
    // Columns in listing order, so that the implicit matching is the same on every run.
    for (const Block& block : model.varBlocks)
        for (int c : block.members) {
            if (fixedColumn(model.columns[static_cast<size_t>(c)])) continue;
            int row = rowOfColumn[static_cast<size_t>(c)];
            if (row < 0) {
                if (nextUnmatched >= unmatchedRows.size()) throw std::logic_error("more unknowns than equations");
                row = unmatchedRows[nextUnmatched++];
            }
            int constraint = p.constraintOfRow[static_cast<size_t>(row)];
            int variable = compiled.variableOfColumn(c);
            if (constraint < 0 || variable < 0) throw std::logic_error("a paired row or column is not compiled");
            p.unknownOfVariable[static_cast<size_t>(variable)] = static_cast<int>(p.unknownVariable.size());
            p.functionOfConstraint[static_cast<size_t>(constraint)] = static_cast<int>(p.functionRow.size());
            p.unknownVariable.push_back(variable);
            p.functionRow.push_back(row);
        }
    if (nextUnmatched != unmatchedRows.size()) throw std::logic_error("more equations than unknowns");
    return p;
}

void setStatus(const NewtonResult& result, ModelType type, SolveStatus& status) {
    bool solved = result.outcome == NewtonResult::Solved;
    status.modelStatus = solved ? (type == ModelType::MCP ? 1 : 16) : 6;
    switch (result.outcome) {
        case NewtonResult::Solved:
            status.solverStatus = 1;
            status.solverMessage = formatted("Solved. Residual %.3g after %ld Newton iterations.", result.residual,
                                             result.iterations);
            return;
        case NewtonResult::Stalled:
            status.solverStatus = 1;
            status.modelStatus = 5;
            status.solverMessage = formatted("Locally infeasible. No further progress at residual %.3g.", result.residual);
            return;
        case NewtonResult::IterationLimit:
            status.solverStatus = 2;
            break;
        case NewtonResult::TimeLimit: status.solverStatus = 3; break;
        case NewtonResult::EvaluationError:
            status.solverStatus = 5;
            status.modelStatus = 13;
            status.solverMessage = "Evaluation error. A function or its derivative is undefined at the current point.";
            return;
    }
    status.solverMessage = formatted("Stopped at a limit. Residual %.3g is above the tolerance.", result.residual);
}

}  // namespace

void solveSystem(ModelInstance& model, CompiledModel& compiled, SolveStatus& status) {
    status.objective = NAN;
    Pairing pairs = pairUp(model, compiled);
    size_t n = pairs.unknownVariable.size();
    std::vector<double> all = compiled.variablesFromColumns(projectedLevels(model));

    BoxSystem system;
    system.complementary = model.type == ModelType::MCP;
    system.lower.resize(n);
    system.upper.resize(n);
    std::vector<double> start(n);
    for (size_t j = 0; j < n; j++) {
        const Column& c = model.columns[static_cast<size_t>(compiled.columnOfVariable(pairs.unknownVariable[j]))];
        system.lower[j] = c.lower;
        system.upper[j] = c.upper;
        start[j] = all[static_cast<size_t>(pairs.unknownVariable[j])];
    }
    auto fullPoint = [&](const std::vector<double>& x) {
        std::vector<double> point = all;
        for (size_t j = 0; j < n; j++) point[static_cast<size_t>(pairs.unknownVariable[j])] = x[j];
        return point;
    };
    std::vector<double> constraintValues(static_cast<size_t>(compiled.constraintCount()));
    system.values = [&](const std::vector<double>& x, std::vector<double>& f) {
        std::vector<double> point = fullPoint(x);
        if (!compiled.constraints(point.data(), constraintValues.data())) return false;
        for (size_t j = 0; j < n; j++) {
            int row = pairs.functionRow[j];
            f[j] = constraintValues[static_cast<size_t>(pairs.constraintOfRow[static_cast<size_t>(row)])] +
                   compiled.rowConstant(row);
        }
        return true;
    };
    std::vector<double> jacobianValues(compiled.jacobianRows().size());
    system.jacobian = [&](const std::vector<double>& x, std::vector<JacobianEntry>& entries) {
        std::vector<double> point = fullPoint(x);
        if (!compiled.jacobian(point.data(), jacobianValues.data())) return false;
        entries.clear();
        for (size_t e = 0; e < jacobianValues.size(); e++) {
            int function = pairs.functionOfConstraint[static_cast<size_t>(compiled.jacobianRows()[e])];
            int unknown = pairs.unknownOfVariable[static_cast<size_t>(compiled.jacobianColumns()[e])];
            if (function < 0 || unknown < 0 || jacobianValues[e] == 0.0) continue;
            if (!std::isfinite(jacobianValues[e])) return false;
            entries.push_back({function, unknown, jacobianValues[e]});
        }
        return true;
    };

    NewtonLimits limits;
    limits.iterations = std::min(model.options.iterlim, kIterationCap);
    limits.seconds = model.options.reslim;
    NewtonResult result = solveBoxSystem(system, start, limits);
    setStatus(result, model.type, status);
    if (result.outcome == NewtonResult::IterationLimit && model.options.iterlim > kIterationCap) {
        status.solverStatus = 4;  // our own cap, not the model's iterlim
        status.solverMessage = formatted("Terminated after %ld Newton iterations. Residual %.3g is above the tolerance.",
                                         kIterationCap, result.residual);
    }
    status.iterations = static_cast<int>(result.iterations);

    transferSolution(model, compiled, fullPoint(result.x), nullptr);
    bool solved = result.outcome == NewtonResult::Solved;
    for (Row& row : model.rows) row.marginal = NAN;
    for (Column& column : model.columns) column.marginal = NAN;
    if (model.type != ModelType::MCP) return;
    // GAMS's MCP convention: a row's marginal is its partner's level, a
    // column's marginal the value of its partner's function (lhs - rhs).
    for (Row& row : model.rows) {
        if (row.matchedColumn < 0) continue;
        Column& column = model.columns[static_cast<size_t>(row.matchedColumn)];
        row.marginal = column.level;
        double rhs = row.type == RowType::L ? row.upper : row.lower;
        double f = row.level - rhs;
        column.marginal = std::fabs(f) <= 1e-9 * (1.0 + std::fabs(rhs)) ? 0.0 : f;
    }
    // An unmatched free column's function is zero at a solution, whichever row it pairs with.
    for (size_t j = 0; j < n && solved; j++) {
        int c = compiled.columnOfVariable(pairs.unknownVariable[j]);
        if (model.rows[static_cast<size_t>(pairs.functionRow[j])].matchedColumn != c)
            model.columns[static_cast<size_t>(c)].marginal = 0.0;
    }
}

}  // namespace gamsub
