// Numeric evaluation of expressions during execution, and iteration over the
// elements that controlled indices run through.
#ifndef GAMSUB_EVALUATOR_H
#define GAMSUB_EVALUATOR_H

#include <algorithm>
#include <chrono>
#include <cmath>
#include <functional>
#include <random>
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

// The time the front end may spend evaluating (GAMS's reslim): loops and model
// generation check it as they run and stop with an execution error once it is spent.
class TimeBudget {
public:
    explicit TimeBudget(double seconds);
    void check(int line) const;    // throws ExecError when the time is up
    void extend(double seconds);   // time spent elsewhere (in a solver) does not count
    void restart(double seconds);  // option reslim / m.reslim: `seconds` more from now
    double limit() const { return seconds_; }
    std::string limitText() const;  // the limit as the message shows it
private:
    std::chrono::steady_clock::time_point deadline_;
    double seconds_;
    mutable unsigned ticks_ = 0;
};

// Current labels of the controlled indices.
class Env {
public:
    int get(const std::string& index) const;  // -1 when unbound
    void push(const std::string& index, int label) { bind_.emplace_back(index, label); }
    void pop() { bind_.pop_back(); }
    void truncate(size_t n) { bind_.resize(std::min(n, bind_.size())); }
    size_t size() const { return bind_.size(); }

private:
    std::vector<std::pair<std::string, int>> bind_;
};

class Evaluator {
public:
    explicit Evaluator(const SymbolTable& symbols, const TimeBudget* budget = nullptr)
        : st_(symbols), budget_(budget) {}

    double eval(const Expr& e, Env& env) const;
    bool truth(const Expr& e, Env& env) const;  // a condition; NA in one is an execution error
    Tuple tupleOf(const std::vector<IndexArg>& idx, const Env& env) const;
    // False when a lag or lead went beyond its set (a label is -1).
    static bool complete(const Tuple& t) {
        for (int label : t)
            if (label < 0) return false;
        return true;
    }
    // Calls `body` once per combination of the indices' elements (in label
    // order) for which `cond` (may be null) holds.
    void forEach(const std::vector<std::string>& indices, Env& env, const Expr* cond, int line,
                 const std::function<void()>& body) const;
    const Symbol& sym(int id) const { return st_.symbols[static_cast<size_t>(id)]; }
    void seed(double value) { random_.seed(static_cast<unsigned long long>(std::fabs(value))); }

private:
    int shifted(const IndexArg& a, int label) const;
    double function(const Expr& e, Env& env) const;
    double binary(const Expr& e, Env& env) const;
    double aggregate(const Expr& e, Env& env) const;
    void loop(const std::vector<std::string>& indices, size_t k, Env& env, const Expr* cond, int line,
              const std::function<void()>& body) const;

    const SymbolTable& st_;
    const TimeBudget* budget_;
    mutable std::mt19937_64 random_{3141};  // uniform(), normal(): GAMS's default seed, set by `option seed`
};

}  // namespace gamsub

#endif
