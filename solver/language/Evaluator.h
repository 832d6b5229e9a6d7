// Numeric evaluation of expressions during execution, and iteration over the
// elements that controlled indices run through.
#ifndef GAMSUB_EVALUATOR_H
#define GAMSUB_EVALUATOR_H

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "Symbols.h"

namespace gamsub {

// An execution error: the listing shows it as "**** Exec Error at line N: ...".
struct ExecError {
    int line;
    std::string message;
};

// Current labels of the controlled indices.
class Env {
public:
    int get(const std::string& index) const;  // -1 when unbound
    void push(const std::string& index, int label) { bind_.emplace_back(index, label); }
    void pop() { bind_.pop_back(); }
    size_t size() const { return bind_.size(); }

private:
    std::vector<std::pair<std::string, int>> bind_;
};

class Evaluator {
public:
    explicit Evaluator(const SymbolTable& symbols) : st_(symbols) {}

    double eval(const Expr& e, Env& env) const;
    Tuple tupleOf(const std::vector<IndexArg>& idx, const Env& env) const;
    // Calls `body` once per combination of the indices' elements (in label
    // order) for which `cond` (may be null) holds.
    void forEach(const std::vector<std::string>& indices, Env& env, const Expr* cond, int line,
                 const std::function<void()>& body) const;
    const Symbol& sym(int id) const { return st_.symbols[static_cast<size_t>(id)]; }

private:
    double function(const Expr& e, Env& env) const;
    double binary(const Expr& e, Env& env) const;
    double aggregate(const Expr& e, Env& env) const;
    void loop(const std::vector<std::string>& indices, size_t k, Env& env, const Expr* cond, int line,
              const std::function<void()>& body) const;

    const SymbolTable& st_;
};

}  // namespace gamsub

#endif
