// Parsed expressions. Indices refer to sets by the name written (an alias
// keeps its own name, since it is bound separately), labels by their number.
#ifndef GAMSUB_AST_H
#define GAMSUB_AST_H

#include <memory>
#include <string>
#include <vector>

namespace gamsub {

struct IndexArg {
    bool isLabel = false;
    int label = -1;     // label number when isLabel
    std::string index;  // lower-case set or alias name otherwise
    int shift = 0;         // lag (< 0) or lead (> 0): i-1, i+2
    bool circular = false; // i--1, i++1: wraps around the set's ends
    int shiftSet = -1;     // the set whose order the shift follows
    int singleton = -1;    // an uncontrolled singleton set: stands for its one element (none when empty)
};

enum class EK {
    Number,
    Param,      // parameter value: sym, idx
    VarRef,     // variable in an equation (no attribute): sym, idx
    Attr,       // variable or equation attribute value: sym, attr, idx
    ModelAttr,  // model attribute (modelstat, solvestat, objval): sym, attr
    SetMember,  // 1 when idx is a member of set sym
    Ord,        // ord(index): idx[0]
    Card,       // card(sym)
    Func,       // name, args
    Agg,        // name (sum prod smin smax), aggIdx, args[0] condition or null, args[1] body
    Neg,
    Not,
    Bin,        // args[0] ops[0] args[1] ops[1] args[2] ..., folded from the left; ops: + - * / ** and or xor
                // (one precedence level per node) or a single comparison < <= = <> > >=
    Dollar,     // args[0] $ args[1] $ args[2] ...: args[0] when every condition holds
};

struct Expr;
using ExprPtr = std::shared_ptr<Expr>;

struct Expr {
    EK kind = EK::Number;
    double number = 0.0;
    int sym = -1;
    std::string name;  // function or aggregation; attribute name for Attr
    std::vector<std::string> ops;  // Bin: the operator before args[k + 1]
    std::vector<IndexArg> idx;
    std::vector<std::string> aggIdx;  // indices controlled by an aggregation
    std::vector<ExprPtr> args;  // long written-out chains are one node with many args, not a deep tree
    bool hasVar = false;  // contains a VarRef: not a constant during model generation
    int line = 0;

    Expr() = default;
    Expr(const Expr&) = delete;
    Expr& operator=(const Expr&) = delete;
    // Long written-out sums are deep trees: release them without recursion.
    ~Expr() {
        std::vector<ExprPtr> pending;
        for (ExprPtr& a : args) pending.push_back(std::move(a));
        while (!pending.empty()) {
            ExprPtr p = std::move(pending.back());
            pending.pop_back();
            if (p && p.use_count() == 1)
                for (ExprPtr& a : p->args) pending.push_back(std::move(a));
        }
    }
};

}  // namespace gamsub

#endif
