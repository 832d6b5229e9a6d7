// Builds model instances by hand, the way the front end would, for the engine's tests.
#ifndef SOLVER_ENGINE_TESTS_INSTANCEBUILDER_H
#define SOLVER_ENGINE_TESTS_INSTANCEBUILDER_H

#include <string>
#include <utility>
#include <vector>

#include "ModelInstance.h"

namespace gamsub::testing {

class InstanceBuilder {
public:
    explicit InstanceBuilder(ModelType type = ModelType::LP, Sense sense = Sense::Minimize);

    // One element of variable `name` (a new block on first use); returns the column.
    int variable(const std::string& name, std::vector<std::string> labels = {}, double lower = -kInf,
                 double upper = kInf, double level = 0.0, const std::string& text = "");
    int positive(const std::string& name, std::vector<std::string> labels = {}) {
        return variable(name, std::move(labels), 0.0);
    }
    // Gives variable `name` (declared before) a kind: Binary, Integer, ...
    void kind(const std::string& name, VarKind kind);
    // One element of equation `name`: lhs - rhs =type= 0.
    int equation(const std::string& name, std::vector<std::string> labels, int lhs, RowType type, int rhs,
                 const std::string& text = "");

    // Expression nodes.
    int x(int column) { return model_.pool.variable(column); }
    int c(double value) { return model_.pool.constant(value); }
    int op(Op op, std::vector<int> args) { return model_.pool.apply(op, std::move(args)); }
    int mul(int a, int b) { return op(Op::Mul, {a, b}); }
    // constant + sum coefficient * column, built as the front end builds sums.
    int linear(const std::vector<std::pair<int, double>>& terms, double constant = 0.0);

    // Objective: the scalar variable `column`; the solve statement's line.
    ModelInstance& finish(int objectiveColumn, int solveLine = 10);
    ModelInstance& model() { return model_; }

private:
    ModelInstance model_;
};

}  // namespace gamsub::testing

#endif
