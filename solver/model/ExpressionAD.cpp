#include "ExpressionAD.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <string>
#include <unordered_map>
#include <utility>

namespace gamsub {

namespace {

bool isUnary(Op op) {
    return op == Op::Neg || op == Op::Sqr || op == Op::Sqrt || op == Op::Exp || op == Op::Log || op == Op::Abs ||
           op == Op::Sin || op == Op::Cos || op == Op::LogGamma;
}

// digamma (psi) and trigamma (psi') for x > 0: shifted up by the recurrences
// psi(x) = psi(x+1) - 1/x, psi'(x) = psi'(x+1) + 1/x^2, then the asymptotic series.
double digamma(double x) {
    double shift = 0.0;
    for (; x < 10.0; x += 1.0) shift -= 1.0 / x;
    double r = 1.0 / (x * x);
    return shift + std::log(x) - 0.5 / x -
           r * (1.0 / 12 - r * (1.0 / 120 - r * (1.0 / 252 - r * (1.0 / 240 - r * (1.0 / 132)))));
}

double trigamma(double x) {
    double shift = 0.0;
    for (; x < 10.0; x += 1.0) shift += 1.0 / (x * x);
    double r = 1.0 / (x * x);
    return shift + 1.0 / x + 0.5 * r +
           r / x * (1.0 / 6 - r * (1.0 / 30 - r * (1.0 / 42 - r * (1.0 / 30 - r * (5.0 / 66)))));
}

bool isBinary(Op op) { return op == Op::Sub || op == Op::Mul || op == Op::Div || op == Op::Pow; }

// Value of one operation on its argument values.
double operationValue(Op op, const double* a, int n) {
    switch (op) {
        case Op::Add: {
            double sum = 0.0;
            for (int j = 0; j < n; j++) sum += a[j];
            return sum;
        }
        case Op::Sub: return a[0] - a[1];
        case Op::Mul: return a[0] * a[1];
        case Op::Div: return a[0] / a[1];
        case Op::Neg: return -a[0];
        case Op::Pow: return std::pow(a[0], a[1]);
        case Op::Sqr: return a[0] * a[0];
        case Op::Sqrt: return std::sqrt(a[0]);
        case Op::Exp: return std::exp(a[0]);
        case Op::Log: return std::log(a[0]);
        case Op::Abs: return std::fabs(a[0]);
        case Op::Min: return *std::min_element(a, a + n);
        case Op::Max: return *std::max_element(a, a + n);
        case Op::Sin: return std::sin(a[0]);
        case Op::Cos: return std::cos(a[0]);
        case Op::LogGamma: return a[0] > 0 ? std::lgamma(a[0]) : std::nan("");
        case Op::Const:
        case Op::Var: break;
    }
    return std::nan("");
}

// First partials d1[j] and, for unary and binary operations, second partials
// d2 = (d/da da, d/da db, d/db db) at argument values a with result v.
void operationPartials(Op op, const double* a, int n, double v, bool constantExponent, double* d1, double* d2) {
    d2[0] = d2[1] = d2[2] = 0.0;
    switch (op) {
        case Op::Add:
            for (int j = 0; j < n; j++) d1[j] = 1.0;
            return;
        case Op::Sub: d1[0] = 1.0; d1[1] = -1.0; return;
        case Op::Mul: d1[0] = a[1]; d1[1] = a[0]; d2[1] = 1.0; return;
        case Op::Div: {
            double inv = 1.0 / a[1];
            d1[0] = inv;
            d1[1] = -a[0] * inv * inv;
            d2[1] = -inv * inv;
            d2[2] = 2.0 * a[0] * inv * inv * inv;
            return;
        }
        case Op::Neg: d1[0] = -1.0; return;
        case Op::Pow: {
            double e = a[1];
            if (constantExponent) {
                // Constant exponents are the common case; keep 0 * inf out of it.
                d1[1] = 0.0;
                if (e == 0.0) { d1[0] = 0.0; return; }
                if (e == 1.0) { d1[0] = 1.0; return; }
                d1[0] = e * std::pow(a[0], e - 1.0);
                d2[0] = e == 2.0 ? 2.0 : e * (e - 1.0) * std::pow(a[0], e - 2.0);
                return;
            }
            double logBase = std::log(a[0]);
            d1[0] = e * std::pow(a[0], e - 1.0);
            d1[1] = v * logBase;
            d2[0] = e * (e - 1.0) * std::pow(a[0], e - 2.0);
            d2[1] = std::pow(a[0], e - 1.0) * (1.0 + e * logBase);
            d2[2] = v * logBase * logBase;
            return;
        }
        case Op::Sqr: d1[0] = 2.0 * a[0]; d2[0] = 2.0; return;
        case Op::Sqrt: d1[0] = 0.5 / v; d2[0] = -0.25 / (v * a[0]); return;
        case Op::Exp: d1[0] = v; d2[0] = v; return;
        case Op::Log: d1[0] = 1.0 / a[0]; d2[0] = -1.0 / (a[0] * a[0]); return;
        case Op::Abs: d1[0] = a[0] > 0 ? 1.0 : (a[0] < 0 ? -1.0 : 0.0); return;
        case Op::Sin: d1[0] = std::cos(a[0]); d2[0] = -v; return;
        case Op::Cos: d1[0] = -std::sin(a[0]); d2[0] = -v; return;
        case Op::LogGamma: d1[0] = digamma(a[0]); d2[0] = trigamma(a[0]); return;
        case Op::Min:
        case Op::Max: {
            // Nonsmooth (DNLP): the derivative of the selected argument.
            int chosen = 0;
            for (int j = 1; j < n; j++)
                if (op == Op::Min ? a[j] < a[chosen] : a[j] > a[chosen]) chosen = j;
            for (int j = 0; j < n; j++) d1[j] = j == chosen ? 1.0 : 0.0;
            return;
        }
        case Op::Const:
        case Op::Var: return;
    }
}

int arity(const Node& node) { return static_cast<int>(node.args.size()); }

void checkArity(const Node& node, size_t index) {
    int n = arity(node);
    bool ok = true;
    if (isUnary(node.op)) ok = n == 1;
    else if (isBinary(node.op)) ok = n == 2;
    else if (node.op == Op::Add || node.op == Op::Min || node.op == Op::Max) ok = n >= 1;
    if (!ok) throw std::invalid_argument("expression node " + std::to_string(index) + " has a wrong number of arguments");
}

}  // namespace

PoolFacts analysePool(const ExpressionPool& pool) {
    PoolFacts facts;
    size_t count = pool.nodes.size();
    facts.hasVariable.assign(count, 0);
    facts.constantValue.assign(count, 0.0);
    std::vector<double> argValues;
    for (size_t i = 0; i < count; i++) {
        const Node& node = pool.nodes[i];
        if (node.op == Op::Const) { facts.constantValue[i] = node.value; continue; }
        if (node.op == Op::Var) {
            if (node.var < 0) throw std::invalid_argument("variable node without a column");
            facts.hasVariable[i] = 1;
            continue;
        }
        checkArity(node, i);
        argValues.clear();
        for (int arg : node.args) {
            if (arg < 0 || static_cast<size_t>(arg) >= i)
                throw std::invalid_argument("expression node " + std::to_string(i) + " refers to a later node");
            if (facts.hasVariable[arg]) facts.hasVariable[i] = 1;
            argValues.push_back(facts.constantValue[arg]);
        }
        if (!facts.hasVariable[i]) facts.constantValue[i] = operationValue(node.op, argValues.data(), arity(node));
    }
    return facts;
}

AffineSplitter::AffineSplitter(const ExpressionPool& pool, const PoolFacts& facts, size_t columnCount)
    : pool_(pool), facts_(facts), coefficient_(columnCount, 0.0), touched_(columnCount, 0) {}

AffineSplit AffineSplitter::split(int root) {
    AffineSplit result;
    if (root < 0 || static_cast<size_t>(root) >= pool_.nodes.size())
        throw std::invalid_argument("equation body outside the expression pool");
    std::vector<std::pair<int, double>> terms;
    std::vector<std::pair<int, double>> stack{{root, 1.0}};
    while (!stack.empty()) {
        auto [index, weight] = stack.back();
        stack.pop_back();
        if (weight == 0.0) continue;  // 0 * anything drops out, as in GAMS
        if (!facts_.hasVariable[index]) { result.constant += weight * facts_.constantValue[index]; continue; }
        const Node& node = pool_.nodes[index];
        const std::vector<int>& a = node.args;
        switch (node.op) {
            case Op::Var: {
                if (static_cast<size_t>(node.var) >= coefficient_.size())
                    throw std::invalid_argument("variable node refers to a missing column");
                if (!touched_[node.var]) { touched_[node.var] = 1; result.linearColumns.push_back(node.var); }
                coefficient_[node.var] += weight;
                break;
            }
            case Op::Add:
                for (int arg : a) stack.push_back({arg, weight});
                break;
            case Op::Sub:
                stack.push_back({a[0], weight});
                stack.push_back({a[1], -weight});
                break;
            case Op::Neg: stack.push_back({a[0], -weight}); break;
            case Op::Mul:
                if (!facts_.hasVariable[a[0]]) stack.push_back({a[1], weight * facts_.constantValue[a[0]]});
                else if (!facts_.hasVariable[a[1]]) stack.push_back({a[0], weight * facts_.constantValue[a[1]]});
                else terms.push_back({index, weight});
                break;
            case Op::Div:
                if (!facts_.hasVariable[a[1]]) stack.push_back({a[0], weight / facts_.constantValue[a[1]]});
                else terms.push_back({index, weight});
                break;
            default: terms.push_back({index, weight});
        }
    }
    std::sort(result.linearColumns.begin(), result.linearColumns.end());
    std::vector<int> columns;
    for (int column : result.linearColumns) {
        double c = coefficient_[column];
        coefficient_[column] = 0.0;
        touched_[column] = 0;
        if (c == 0.0) continue;  // x - x leaves nothing
        columns.push_back(column);
        result.linearCoefficients.push_back(c);
    }
    result.linearColumns = std::move(columns);
    std::sort(terms.begin(), terms.end());
    for (const auto& [node, weight] : terms) {
        if (!result.terms.empty() && result.terms.back() == node) result.termWeights.back() += weight;
        else { result.terms.push_back(node); result.termWeights.push_back(weight); }
    }
    return result;
}

TermTape::TermTape(const ExpressionPool& pool, const PoolFacts& facts, int root, std::vector<int>& localOf) {
    std::vector<int> collected;
    std::vector<int> stack{root};
    while (!stack.empty()) {
        int index = stack.back();
        stack.pop_back();
        if (localOf[index] != -1) continue;
        localOf[index] = 0;
        collected.push_back(index);
        if (facts.hasVariable[index])
            for (int arg : pool.nodes[index].args)
                if (localOf[arg] == -1) stack.push_back(arg);
    }
    std::sort(collected.begin(), collected.end());
    for (size_t k = 0; k < collected.size(); k++) localOf[collected[k]] = static_cast<int>(k);

    std::unordered_map<int, int> localVariable;
    std::vector<int> degree(collected.size(), 0);
    for (size_t k = 0; k < collected.size(); k++) {
        int index = collected[k];
        const Node& source = pool.nodes[index];
        TapeNode node;
        if (!facts.hasVariable[index]) {
            node.op = Op::Const;
            node.constant = facts.constantValue[index];
        } else if (source.op == Op::Var) {
            node.op = Op::Var;
            auto found = localVariable.emplace(source.var, static_cast<int>(variables_.size()));
            if (found.second) variables_.push_back(source.var);
            node.variable = found.first->second;
            degree[k] = 1;
        } else {
            node.op = source.op;
            node.argBegin = static_cast<int>(args_.size());
            node.argCount = arity(source);
            for (int arg : source.args) args_.push_back(localOf[arg]);
            const int* a = args_.data() + node.argBegin;
            int d0 = degree[a[0]];
            int highest = 0;
            for (int j = 0; j < node.argCount; j++) highest = std::max(highest, degree[a[j]]);
            switch (node.op) {
                case Op::Add:
                case Op::Sub:
                case Op::Neg: degree[k] = highest; break;
                case Op::Mul: degree[k] = std::min(3, degree[a[0]] + degree[a[1]]); break;
                case Op::Div: degree[k] = degree[a[1]] == 0 ? d0 : 3; break;
                case Op::Sqr: degree[k] = std::min(3, 2 * d0); break;
                case Op::Pow: {
                    node.constantExponent = !facts.hasVariable[source.args[1]];
                    double e = facts.constantValue[source.args[1]];
                    bool smallNatural = node.constantExponent && e >= 0 && e <= 3 && std::floor(e) == e;
                    degree[k] = smallNatural ? std::min(3, d0 * static_cast<int>(e)) : (highest == 0 ? 0 : 3);
                    break;
                }
                default: degree[k] = highest == 0 ? 0 : 3;
            }
        }
        nodes_.push_back(node);
    }
    degree_ = degree.empty() ? 0 : degree.back();
    for (int index : collected) localOf[index] = -1;
}

void TermTape::remapVariables(const std::vector<int>& globalOfColumn) {
    for (int& v : variables_) v = globalOfColumn.at(static_cast<size_t>(v));
}

bool TermTape::forward(const double* x, TapeWorkspace& ws, bool withPartials) const {
    size_t count = nodes_.size();
    if (ws.value.size() < count) {
        ws.value.resize(count);
        ws.adjoint.resize(count);
        ws.dot.resize(count);
        ws.adjointDot.resize(count);
        ws.secondPartial.resize(3 * count);
    }
    if (ws.firstPartial.size() < args_.size()) ws.firstPartial.resize(args_.size());
    std::vector<double>& argValues = ws.argValues;
    for (size_t i = 0; i < count; i++) {
        const TapeNode& node = nodes_[i];
        double v;
        if (node.op == Op::Const) v = node.constant;
        else if (node.op == Op::Var) v = x[variables_[node.variable]];
        else {
            argValues.resize(node.argCount);
            for (int j = 0; j < node.argCount; j++) argValues[j] = ws.value[args_[node.argBegin + j]];
            v = operationValue(node.op, argValues.data(), node.argCount);
            if (withPartials)
                operationPartials(node.op, argValues.data(), node.argCount, v, node.constantExponent,
                              ws.firstPartial.data() + node.argBegin, ws.secondPartial.data() + 3 * i);
        }
        if (!std::isfinite(v)) return false;
        ws.value[i] = v;
    }
    return true;
}

void TermTape::reverse(TapeWorkspace& ws) const {
    size_t count = nodes_.size();
    std::fill(ws.adjoint.begin(), ws.adjoint.begin() + count, 0.0);
    ws.adjoint[count - 1] = 1.0;
    for (size_t i = count; i-- > 0;) {
        const TapeNode& node = nodes_[i];
        double adj = ws.adjoint[i];
        if (adj == 0.0) continue;
        for (int j = 0; j < node.argCount; j++)
            ws.adjoint[args_[node.argBegin + j]] += adj * ws.firstPartial[node.argBegin + j];
    }
}

bool TermTape::value(const double* x, double& out, TapeWorkspace& ws) const {
    if (nodes_.empty() || !forward(x, ws, false)) return false;
    out = ws.value[nodes_.size() - 1];
    return true;
}

bool TermTape::gradient(const double* x, double* grad, TapeWorkspace& ws, bool requireFinite) const {
    if (nodes_.empty() || !forward(x, ws, true)) return false;
    reverse(ws);
    size_t k = variables_.size();
    for (size_t v = 0; v < k; v++) grad[v] = 0.0;
    for (size_t i = 0; i < nodes_.size(); i++)
        if (nodes_[i].op == Op::Var) grad[nodes_[i].variable] += ws.adjoint[i];
    for (size_t v = 0; v < k && requireFinite; v++)
        if (!std::isfinite(grad[v])) return false;
    return true;
}

// Forward-over-reverse: one tangent sweep per local variable gives one Hessian column.
bool TermTape::hessian(const double* x, double* lower, TapeWorkspace& ws, bool requireFinite) const {
    if (nodes_.empty() || !forward(x, ws, true)) return false;
    reverse(ws);
    size_t count = nodes_.size();
    int k = static_cast<int>(variables_.size());
    for (int direction = 0; direction < k; direction++) {
        for (size_t i = 0; i < count; i++) {
            const TapeNode& node = nodes_[i];
            double d = 0.0;
            if (node.op == Op::Var) d = node.variable == direction ? 1.0 : 0.0;
            else
                for (int j = 0; j < node.argCount; j++)
                    d += ws.firstPartial[node.argBegin + j] * ws.dot[args_[node.argBegin + j]];
            ws.dot[i] = d;
        }
        std::fill(ws.adjointDot.begin(), ws.adjointDot.begin() + count, 0.0);
        for (size_t i = count; i-- > 0;) {
            const TapeNode& node = nodes_[i];
            if (node.argCount == 0) continue;
            double adjDot = ws.adjointDot[i];
            double adj = ws.adjoint[i];
            const int* a = args_.data() + node.argBegin;
            const double* d1 = ws.firstPartial.data() + node.argBegin;
            const double* d2 = ws.secondPartial.data() + 3 * i;
            for (int j = 0; j < node.argCount; j++) ws.adjointDot[a[j]] += adjDot * d1[j];
            if (adj == 0.0) continue;
            if (isUnary(node.op)) ws.adjointDot[a[0]] += adj * d2[0] * ws.dot[a[0]];
            else if (isBinary(node.op)) {
                ws.adjointDot[a[0]] += adj * (d2[0] * ws.dot[a[0]] + d2[1] * ws.dot[a[1]]);
                ws.adjointDot[a[1]] += adj * (d2[1] * ws.dot[a[0]] + d2[2] * ws.dot[a[1]]);
            }
        }
        for (int r = direction; r < k; r++) lower[r * (r + 1) / 2 + direction] = 0.0;
        for (size_t i = 0; i < count; i++) {
            const TapeNode& node = nodes_[i];
            if (node.op == Op::Var && node.variable >= direction)
                lower[node.variable * (node.variable + 1) / 2 + direction] += ws.adjointDot[i];
        }
    }
    for (int e = 0; e < k * (k + 1) / 2 && requireFinite; e++)
        if (!std::isfinite(lower[e])) return false;
    return true;
}

}  // namespace gamsub
