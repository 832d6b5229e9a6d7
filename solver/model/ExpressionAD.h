// Automatic differentiation over the instance's expression graph: the split of
// a row into constant, linear part and nonlinear terms, and small tapes that
// give a nonlinear term's value, gradient and (dense, lower) Hessian.
#ifndef GAMSUB_EXPRESSIONAD_H
#define GAMSUB_EXPRESSIONAD_H

#include <vector>

#include "ModelInstance.h"

namespace gamsub {

// Facts about every pool node, computed in one pass (arguments come first).
struct PoolFacts {
    std::vector<char> hasVariable;
    std::vector<double> constantValue;  // value of nodes without variables
};
PoolFacts analysePool(const ExpressionPool& pool);

// body = constant + sum coefficient * column + sum weight * term(pool node).
struct AffineSplit {
    double constant = 0.0;
    std::vector<int> linearColumns;
    std::vector<double> linearCoefficients;
    std::vector<int> terms;
    std::vector<double> termWeights;
};

// Splits expressions into their affine part and nonlinear terms. Keeps dense
// scratch space over the columns, so one splitter serves all rows.
class AffineSplitter {
public:
    AffineSplitter(const ExpressionPool& pool, const PoolFacts& facts, size_t columnCount);
    AffineSplit split(int root);

private:
    const ExpressionPool& pool_;
    const PoolFacts& facts_;
    std::vector<double> coefficient_;
    std::vector<char> touched_;
};

// Scratch space shared by all tapes (resized on demand).
struct TapeWorkspace {
    std::vector<double> value, adjoint, dot, adjointDot, firstPartial, secondPartial, argValues;
};

// One nonlinear term compiled into a topologically ordered tape over its own
// variables (numbered 0..k-1 locally; `variables()` maps them to global ones).
class TermTape {
public:
    // `localOf` is scratch indexed by pool node, all -1 on entry and on return.
    TermTape(const ExpressionPool& pool, const PoolFacts& facts, int root, std::vector<int>& localOf);

    const std::vector<int>& variables() const { return variables_; }
    void remapVariables(const std::vector<int>& globalOfColumn);
    // Polynomial degree 0, 1 or 2; 3 for anything of higher degree or not polynomial.
    int degree() const { return degree_; }
    size_t size() const { return nodes_.size(); }

    // Each returns false when an operation is undefined or overflows at x
    // (x is indexed by the global numbering of `variables()`). With
    // `requireFinite` false, a derivative entry that is infinite or undefined
    // (sqrt at 0) is left in the result for the caller to judge.
    bool value(const double* x, double& out, TapeWorkspace& ws) const;
    // The gradient, by local variable, into grad[0..k-1].
    bool gradient(const double* x, double* grad, TapeWorkspace& ws, bool requireFinite = true) const;
    // Lower triangle of the Hessian, row by row: entry (r, c), c <= r, at r*(r+1)/2 + c.
    bool hessian(const double* x, double* lower, TapeWorkspace& ws, bool requireFinite = true) const;

private:
    struct TapeNode {
        Op op = Op::Const;
        double constant = 0.0;
        int variable = -1;  // local variable index (Var)
        int argBegin = 0, argCount = 0;
        bool constantExponent = false;  // Pow with a constant exponent
    };
    bool forward(const double* x, TapeWorkspace& ws, bool withPartials) const;
    void reverse(TapeWorkspace& ws) const;

    std::vector<TapeNode> nodes_;
    std::vector<int> args_;
    std::vector<int> variables_;
    int degree_ = 0;
};

}  // namespace gamsub

#endif
