#include "Evaluator.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cmath>
#include <random>

namespace gamsub {

TimeBudget::TimeBudget(double seconds)
    : deadline_(std::chrono::steady_clock::now() +
                std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                    std::chrono::duration<double>(std::min(seconds, 1e9)))),
      seconds_(seconds) {}

std::string TimeBudget::limitText() const {
    char text[32];
    std::snprintf(text, sizeof text, "%g", seconds_);
    return text;
}

void TimeBudget::check(int line) const {
    if ((++ticks_ & 255u) != 0) return;  // the clock is read once every 256 checks
    if (std::chrono::steady_clock::now() > deadline_)
        throw ExecError{line, "Resource limit exceeded: evaluation ran past the time limit (reslim = " + limitText() + " s)"};
}

void TimeBudget::restart(double seconds) {
    deadline_ = std::chrono::steady_clock::now() +
                std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                    std::chrono::duration<double>(std::min(seconds, 1e9)));
    seconds_ = seconds;
}

void TimeBudget::extend(double seconds) {
    deadline_ += std::chrono::duration_cast<std::chrono::steady_clock::duration>(std::chrono::duration<double>(seconds));
}

int Env::get(const std::string& index) const {
    for (size_t k = bind_.size(); k-- > 0;)
        if (bind_[k].first == index) return bind_[k].second;
    return -1;
}

// The element `shift` places after (before) `label` in the set's order; -1
// beyond the ends of a non-circular set, where GAMS's lags and leads find nothing.
int Evaluator::shifted(const IndexArg& a, int label) const {
    const Symbol& set = sym(a.shiftSet);
    auto at = set.ordOf.find(label);
    long n = static_cast<long>(set.members.size());
    if (at == set.ordOf.end() || n == 0) return -1;
    long position = at->second - 1 + a.shift;
    if (a.circular) position = ((position % n) + n) % n;
    if (position < 0 || position >= n) return -1;
    return set.members[static_cast<size_t>(position)][0];
}

Tuple Evaluator::tupleOf(const std::vector<IndexArg>& idx, const Env& env) const {
    Tuple t;
    t.reserve(idx.size());
    for (const IndexArg& a : idx) {
        int label = a.isLabel ? a.label : env.get(a.index);
        if (label < 0 && a.singleton >= 0) {
            const Symbol& s = sym(a.singleton);
            label = s.members.empty() ? -1 : s.members.front()[0];
        }
        if (a.shift != 0 && label >= 0) label = shifted(a, label);
        t.push_back(label);
    }
    return t;
}

void Evaluator::forEach(const std::vector<std::string>& indices, Env& env, const Expr* cond, int line,
                        const std::function<void()>& body) const {
    size_t mark = env.size();
    try {
        loop(indices, 0, env, cond, line, body);
    } catch (...) {  // break, continue or an error: the bindings made here go
        env.truncate(mark);
        throw;
    }
}

void Evaluator::loop(const std::vector<std::string>& indices, size_t k, Env& env, const Expr* cond, int line,
                     const std::function<void()>& body) const {
    if (k == indices.size()) {
        if (!cond || truth(*cond, env)) body();
        return;
    }
    if (env.get(indices[k]) >= 0 && std::find(indices.begin(), indices.begin() + static_cast<long>(k), indices[k]) !=
                                        indices.begin() + static_cast<long>(k)) {
        loop(indices, k + 1, env, cond, line, body);  // the same index twice: already bound
        return;
    }
    int set = st_.setOf(indices[k]);
    if (set < 0) throw ExecError{line, "'" + indices[k] + "' is not a set"};
    // By position: the body may change the set (a dynamic set), which must not
    // invalidate this walk.
    for (size_t at = 0; at < sym(set).members.size(); at++) {
        if (budget_) budget_->check(line);
        const Tuple& m = sym(set).members[at];
        if (m.empty()) continue;
        env.push(indices[k], m[0]);
        loop(indices, k + 1, env, cond, line, body);
        env.pop();
    }
}

bool Evaluator::truth(const Expr& e, Env& env) const {
    double v = eval(e, env);
    if (std::isnan(v)) throw ExecError{e.line, "NA used as a condition"};
    return v != 0.0;
}

double Evaluator::eval(const Expr& e, Env& env) const {
    switch (e.kind) {
    case EK::Number:
        return e.number;
    case EK::Param: {
        const Symbol& s = sym(e.sym);
        auto it = s.values.find(tupleOf(e.idx, env));
        return it == s.values.end() ? 0.0 : it->second;
    }
    case EK::Attr: {
        const Symbol& s = sym(e.sym);
        Tuple t = tupleOf(e.idx, env);
        if (!complete(t)) return 0.0;  // a lag or lead beyond the set
        if (s.kind == SymKind::Equation) {
            auto it = s.equLevels.find(t);
            if (it == s.equLevels.end()) return 0.0;
            return e.name == "l" ? it->second.first : it->second.second;
        }
        auto it = s.attrs.find(t);
        VarAttrs a = it == s.attrs.end() ? VarAttrs() : it->second;
        if (e.name == "l") return a.l;
        if (e.name == "m") {
            if (std::isnan(a.m))
                throw ExecError{e.line, s.name + ".m is NA: not available (a variable fixed in a solve with holdfixed = 1 "
                                        "has no marginal)"};
            return a.m;
        }
        if (e.name == "scale") return a.scale;
        if (e.name == "up") return st_.upperOf(s, a);
        return st_.lowerOf(s, a);  // lo, fx
    }
    case EK::ModelAttr: {
        const Symbol& s = sym(e.sym);
        if (e.name == "modelstat" || e.name == "solvestat" || e.name == "objval") {
            double v = e.name == "modelstat" ? s.modelStat : e.name == "solvestat" ? s.solveStat : s.objVal;
            return std::isnan(v) ? 0.0 : v;
        }
        // A limit the model set itself; GAMS's default for one never set is not modelled here.
        auto it = s.modelOptions.find(e.name);
        if (it == s.modelOptions.end())
            throw ExecError{e.line, s.name + "." + e.name + " is read before the model sets it"};
        return it->second;
    }
    case EK::SetMember: {
        int set = st_.setOf(sym(e.sym).name);
        return set >= 0 && sym(set).memberSet.count(tupleOf(e.idx, env)) ? 1.0 : 0.0;
    }
    case EK::Ord: {
        int set = st_.setOf(e.idx[0].index);
        if (set < 0) return 0.0;
        int label = env.get(e.idx[0].index);
        auto it = sym(set).ordOf.find(label);
        double pos = it == sym(set).ordOf.end() ? 0.0 : it->second;
        double card = static_cast<double>(sym(set).members.size());
        if (e.name.empty() || e.name == "ord" || e.name == "pos") return pos;
        if (e.name == "off") return pos - 1;
        if (e.name == "rev") return card - pos;
        if (e.name == "first") return pos == 1 ? 1.0 : 0.0;
        if (e.name == "last") return pos == card ? 1.0 : 0.0;
        const std::string& text = label >= 0 ? st_.labels.name(label) : std::string();
        if (e.name == "len") return static_cast<double>(text.size());
        char* end = nullptr;
        double v = std::strtod(text.c_str(), &end);  // .val: the label read as a number
        if (text.empty() || *end != '\0') throw ExecError{e.line, "'" + text + "' is not a number: no ." + e.name};
        return v;
    }
    case EK::Card:
        return static_cast<double>(sym(e.sym).members.size());
    case EK::Func:
        return function(e, env);
    case EK::Agg:
        return aggregate(e, env);
    case EK::Neg:
        return -eval(*e.args[0], env);
    case EK::Not:
        return eval(*e.args[0], env) == 0.0 ? 1.0 : 0.0;
    case EK::Bin:
        return binary(e, env);
    case EK::Dollar:
        for (size_t k = 1; k < e.args.size(); k++) {
            double c = eval(*e.args[k], env);
            if (std::isnan(c)) throw ExecError{e.line, "NA used as a condition"};
            if (c == 0.0) return 0.0;
        }
        return eval(*e.args[0], env);
    case EK::VarRef:
        throw ExecError{e.line, "A variable without attribute cannot be evaluated here"};
    }
    return 0.0;
}

double Evaluator::function(const Expr& e, Env& env) const {
    if (e.name == "sameas") {
        Tuple t = tupleOf(e.idx, env);
        return t.size() == 2 && t[0] >= 0 && t[0] == t[1] ? 1.0 : 0.0;
    }
    std::vector<double> a;
    for (const ExprPtr& x : e.args) a.push_back(eval(*x, env));
    const std::string& f = e.name;
    if (f == "sqr") return a[0] * a[0];
    if (f == "sqrt") {
        if (a[0] < 0) throw ExecError{e.line, "sqrt of a negative number (" + std::to_string(a[0]) + ")"};
        return std::sqrt(a[0]);
    }
    if (f == "exp") return std::exp(a[0]);
    if (f == "log" || f == "log10") {
        if (a[0] <= 0) throw ExecError{e.line, f + " of a non-positive number (" + std::to_string(a[0]) + ")"};
        return f == "log" ? std::log(a[0]) : std::log10(a[0]);
    }
    if (f == "power") {
        if (a[1] != std::floor(a[1])) throw ExecError{e.line, "power() needs an integer exponent"};
        return std::pow(a[0], a[1]);
    }
    if (f == "abs") return std::fabs(a[0]);
    if (f == "min") return *std::min_element(a.begin(), a.end());
    if (f == "max") return *std::max_element(a.begin(), a.end());
    if (f == "round") {
        double scale = a.size() > 1 ? std::pow(10.0, a[1]) : 1.0;
        return std::round(a[0] * scale) / scale;
    }
    if (f == "floor") return std::floor(a[0]);
    if (f == "ceil") return std::ceil(a[0]);
    if (f == "sign") return a[0] > 0 ? 1.0 : a[0] < 0 ? -1.0 : 0.0;
    if (f == "mod") {
        if (a[1] == 0) throw ExecError{e.line, "mod by zero"};
        return std::fmod(a[0], a[1]);
    }
    if (f == "log2") {
        if (a[0] <= 0) throw ExecError{e.line, "log2 of a non-positive number (" + std::to_string(a[0]) + ")"};
        return std::log2(a[0]);
    }
    if (f == "rpower") {
        if (a[0] < 0 || (a[0] == 0 && a[1] < 0)) throw ExecError{e.line, "rPower: FUNC DOMAIN: x**y, x < 0"};
        return std::pow(a[0], a[1]);
    }
    if (f == "sin") return std::sin(a[0]);
    if (f == "cos") return std::cos(a[0]);
    if (f == "tan") return std::tan(a[0]);
    if (f == "arctan") return std::atan(a[0]);
    if (f == "arctan2") return std::atan2(a[0], a[1]);
    if (f == "arcsin" || f == "arccos") {
        if (a[0] < -1 || a[0] > 1) throw ExecError{e.line, f + " of a number outside [-1, 1]"};
        return f == "arcsin" ? std::asin(a[0]) : std::acos(a[0]);
    }
    if (f == "sinh") return std::sinh(a[0]);
    if (f == "cosh") return std::cosh(a[0]);
    if (f == "tanh") return std::tanh(a[0]);
    if (f == "trunc") return std::trunc(a[0]);
    if (f == "frac") return a[0] - std::trunc(a[0]);
    if (f == "sigmoid") return 1.0 / (1.0 + std::exp(-a[0]));
    if (f == "gamma") {
        if (a[0] <= 0 && a[0] == std::floor(a[0])) throw ExecError{e.line, "gamma of zero or a negative whole number"};
        return std::tgamma(a[0]);
    }
    if (f == "loggamma") {
        if (a[0] <= 0) throw ExecError{e.line, "loggamma of a non-positive number"};
        return std::lgamma(a[0]);
    }
    if (f == "centropy") {  // x*log((x+z)/(y+z)), z = 1e-20 unless given
        double z = a.size() > 2 ? a[2] : 1e-20;
        double ratio = (a[0] + z) / (a[1] + z);
        if (!(ratio > 0)) throw ExecError{e.line, "centropy: (x+z)/(y+z) is not positive"};
        return a[0] * std::log(ratio);
    }
    if (f == "errorf") return 0.5 * std::erfc(-a[0] / std::sqrt(2.0));
    if (f == "ifthen") return a[0] != 0.0 ? a[1] : a[2];
    if (f == "uniform") {
        if (a[1] < a[0]) throw ExecError{e.line, "uniform(low, high) needs low <= high"};
        return std::uniform_real_distribution<double>(a[0], std::nextafter(a[1], kInf))(random_);
    }
    if (f == "uniformint") {
        double low = std::ceil(a[0]), high = std::floor(a[1]);
        if (high < low || high - low > 1e15) throw ExecError{e.line, "uniformint(low, high) needs an integer between low and high"};
        return low + std::floor(std::uniform_real_distribution<double>(0.0, high - low + 1.0)(random_));
    }
    if (f == "normal") {
        if (a[1] < 0) throw ExecError{e.line, "normal(mean, deviation) needs a non-negative deviation"};
        if (a[1] == 0) return a[0];
        return std::normal_distribution<double>(a[0], a[1])(random_);
    }
    throw ExecError{e.line, "unknown function " + f};
}

namespace {

double apply(const std::string& op, double x, double y, int line) {
    switch (op[0]) {
    case '+': return x + y;
    case '-': return x - y;
    case '/':
        if (y == 0.0) throw ExecError{line, "division by zero (0)"};
        return x / y;
    case '*':
        if (op.size() == 1) return x * y;
        if (x < 0 && y != std::floor(y)) throw ExecError{line, "rPower: FUNC DOMAIN: x**y, x < 0"};
        if (x == 0 && y < 0) throw ExecError{line, "division by zero in x**y"};
        return std::pow(x, y);
    default: break;
    }
    // NA (a NaN here) would compare false everywhere; GAMS has rules of its own for it.
    if (std::isnan(x) || std::isnan(y))
        throw ExecError{line, "NA used in '" + op + "': this solver computes nothing from a value that is not available"};
    if (op == "and") return x != 0.0 && y != 0.0 ? 1.0 : 0.0;
    if (op == "or") return x != 0.0 || y != 0.0 ? 1.0 : 0.0;
    if (op == "xor") return ((x != 0.0) != (y != 0.0)) ? 1.0 : 0.0;
    if (op == "<") return x < y;
    if (op == "<=") return x <= y;
    if (op == "=") return x == y;
    if (op == "<>") return x != y;
    if (op == ">") return x > y;
    if (op == ">=") return x >= y;
    throw ExecError{line, "unknown operator " + op};
}

}  // namespace

// An n-ary chain, folded from the left; `and` and `or` skip what cannot change them.
double Evaluator::binary(const Expr& e, Env& env) const {
    double acc = eval(*e.args[0], env);
    for (size_t k = 1; k < e.args.size(); k++) {
        const std::string& op = e.ops[k - 1];
        if (op == "and" && acc == 0.0) continue;
        if (op == "or" && acc != 0.0) {
            acc = 1.0;
            continue;
        }
        acc = apply(op, acc, eval(*e.args[k], env), e.line);
    }
    return acc;
}

double Evaluator::aggregate(const Expr& e, Env& env) const {
    const std::string& f = e.name;
    double acc = f == "prod" ? 1.0 : f == "smin" ? kInf : f == "smax" ? -kInf : 0.0;
    forEach(e.aggIdx, env, e.args[0].get(), e.line, [&]() {
        double v = eval(*e.args[1], env);
        if (f == "sum") acc += v;
        else if (f == "prod") acc *= v;
        else if (f == "smin") acc = std::min(acc, v);
        else acc = std::max(acc, v);
    });
    return acc;
}

}  // namespace gamsub
