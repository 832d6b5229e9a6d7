// A model instance compiled for Ipopt: the variables and constraints Ipopt
// sees, their sparsity structures, and evaluation of values and exact first
// and second derivatives.
#ifndef GAMSUB_COMPILEDMODEL_H
#define GAMSUB_COMPILEDMODEL_H

#include <vector>

#include "ExpressionAD.h"
#include "ModelInstance.h"

namespace gamsub {

// One entry q of a quadratic form, row >= column: q x_r x_c off the
// diagonal, q/2 x_r^2 on it; positions are the entries' Jacobian slots.
struct QuadraticEntry {
    int row = 0, column = 0;
    double q = 0.0;
    int rowPosition = -1, columnPosition = -1;
};

// constant + linear part + sum weight * tape, over Ipopt's variables. Tapes
// of degree <= 2 are also kept as an explicit quadratic form (offset, linear
// part merged, `quadratic`), so values and gradients skip them; `general`
// lists the other tapes (indices into `tapes`).
struct CompiledFunction {
    double constant = 0.0;
    std::vector<int> linearVariables;
    std::vector<double> linearCoefficients;
    std::vector<int> tapes;
    std::vector<double> weights;
    double quadraticOffset = 0.0;
    std::vector<QuadraticEntry> quadratic;
    std::vector<int> general;
};

class CompiledModel {
public:
    explicit CompiledModel(const ModelInstance& model);

    int variableCount() const { return static_cast<int>(columnOfVariable_.size()); }
    int constraintCount() const { return static_cast<int>(rowOfConstraint_.size()); }
    int columnOfVariable(int v) const { return columnOfVariable_[v]; }
    int variableOfColumn(int c) const { return variableOfColumn_[c]; }
    int rowOfConstraint(int k) const { return rowOfConstraint_[k]; }
    // The rows' constant terms (GAMS moves them to the right-hand side).
    double rowConstant(int row) const { return rowSplits_[row].constant; }
    // Rows without any variable: not given to Ipopt, checked directly.
    const std::vector<int>& constantRows() const { return constantRows_; }

    // When the objective column is defined by one equation it is eliminated:
    // that row's index and the objective column's coefficient in it; else -1.
    int substitutedRow() const { return substitutedRow_; }
    double substitutedCoefficient() const { return substitutedCoefficient_; }
    // +1 when minimising, -1 when maximising: Ipopt minimises sign * objective.
    double sign() const { return sign_; }

    void constraintBounds(int k, double& lower, double& upper) const;
    const std::vector<int>& jacobianRows() const { return jacobianRows_; }
    const std::vector<int>& jacobianColumns() const { return jacobianColumns_; }
    const std::vector<int>& hessianRows() const { return hessianRows_; }
    const std::vector<int>& hessianColumns() const { return hessianColumns_; }
    int nonlinearJacobianCount() const { return nonlinearJacobianCount_; }
    bool linearEqualities() const { return linearEqualities_; }
    bool linearInequalities() const { return linearInequalities_; }
    bool constantHessian() const { return constantHessian_; }
    bool linear() const { return tapes_.empty(); }
    // The objective and constraint k as compiled (their quadratic parts explicit).
    const CompiledFunction& objectiveFunction() const { return objective_; }
    const CompiledFunction& constraintFunction(int k) const { return constraints_[static_cast<size_t>(k)]; }

    // Variables the engine holds fixed (by Ipopt variable; empty: none). Their
    // derivative entries are not needed by the solver, so one that is infinite
    // or undefined at the held value (sqrt of a variable held at 0) is returned
    // as it is instead of failing the evaluation; every other entry must be finite.
    void setHeldVariables(std::vector<char> held);
    bool held(int v) const { return !held_.empty() && held_[static_cast<size_t>(v)] != 0; }

    // Evaluations at Ipopt's x; each returns false where the model is undefined.
    bool objective(const double* x, double& value);
    bool objectiveGradient(const double* x, double* gradient);
    bool constraints(const double* x, double* values);
    bool jacobian(const double* x, double* values);
    bool lagrangianHessian(const double* x, double objectiveFactor, const double* lambda, double* values);

    // Every model row's body without its constant, at the columns' levels, and
    // the sum of its terms' magnitudes (the scale of its rounding error).
    bool rowActivities(const std::vector<double>& columnLevels, std::vector<double>& activities,
                       std::vector<double>& magnitudes);
    // Ipopt's x from the columns' levels.
    std::vector<double> variablesFromColumns(const std::vector<double>& columnLevels) const;

private:
    bool functionValue(const CompiledFunction& f, const double* x, double& value);
    void compileRows(const ModelInstance& model);
    void chooseObjective(const ModelInstance& model);
    void chooseVariables(const ModelInstance& model);
    void buildFunctions(const ModelInstance& model);
    void separateQuadratic(CompiledFunction& f);
    void buildJacobian();
    void buildHessian();

    std::vector<AffineSplit> rowSplits_;
    std::vector<std::vector<int>> rowTapes_;  // tape of each term of each row
    std::vector<TermTape> tapes_;
    std::vector<int> constantRows_;
    int substitutedRow_ = -1;
    double substitutedCoefficient_ = 0.0;
    int objectiveColumn_ = -1;
    double sign_ = 1.0;

    std::vector<int> columnOfVariable_, variableOfColumn_, rowOfConstraint_;
    std::vector<RowType> constraintType_;
    CompiledFunction objective_;
    std::vector<CompiledFunction> constraints_;

    std::vector<int> jacobianRows_, jacobianColumns_;
    std::vector<double> jacobianConstant_;          // linear parts, computed once
    std::vector<std::vector<int>> linearPositions_; // per constraint, per linear entry
    std::vector<std::vector<int>> termPositions_;   // per (constraint, general term), flattened
    std::vector<int> termUseStart_;                 // first term use of each constraint
    int nonlinearJacobianCount_ = 0;

    std::vector<int> hessianRows_, hessianColumns_;
    std::vector<std::vector<int>> hessianPositions_;  // per tape, its lower triangle
    std::vector<double> tapeMultiplier_;
    bool linearEqualities_ = true, linearInequalities_ = true, constantHessian_ = true;

    std::vector<char> held_;

    TapeWorkspace workspace_;
    std::vector<double> scratch_;
    std::vector<double> origin_;
};

}  // namespace gamsub

#endif
