#include "Instantiate.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>

#include "SystemStructure.h"

namespace gamsub {

namespace {

class Builder {
public:
    Builder(const SymbolTable& st, ModelInstance& m, const TimeBudget* budget) : st_(st), ev_(st, budget), m_(m) {}

    int build(const Expr& e, Env& env);
    // The column of variable `sym`'s element `t`, made on first use.
    int columnFor(int sym, const Tuple& t, int line);
    std::map<int, std::map<Tuple, int>> columnOf;  // variable symbol -> element -> column

private:
    int column(const Expr& e, Env& env);
    int sum(std::vector<int> terms);
    bool isConst(int node, double v) const {
        const Node& n = m_.pool.nodes[static_cast<size_t>(node)];
        return n.op == Op::Const && n.value == v;
    }

    const SymbolTable& st_;
    Evaluator ev_;
    ModelInstance& m_;
};

int Builder::column(const Expr& e, Env& env) { return columnFor(e.sym, ev_.tupleOf(e.idx, env), e.line); }

int Builder::columnFor(int sym, const Tuple& t, int line) {
    auto& elements = columnOf[sym];
    auto it = elements.find(t);
    if (it != elements.end()) return it->second;
    const Symbol& v = st_.symbols[static_cast<size_t>(sym)];
    auto a = v.attrs.find(t);
    VarAttrs attrs = a == v.attrs.end() ? VarAttrs() : a->second;
    Column c;
    for (int label : t) c.labels.push_back(st_.labels.name(label));
    c.lower = st_.lowerOf(v, attrs);
    c.upper = st_.upperOf(v, attrs);
    c.level = attrs.l;
    if (std::isnan(c.lower) || std::isnan(c.upper) || std::isnan(c.level))
        throw ExecError{line, "a bound or level of " + v.name + " is NA"};
    c.scale = attrs.scale;
    m_.columns.push_back(c);
    int index = static_cast<int>(m_.columns.size()) - 1;
    elements.emplace(t, index);
    return index;
}

// An n-ary sum of the non-zero terms.
int Builder::sum(std::vector<int> terms) {
    std::vector<int> kept;
    for (int t : terms) {
        const Node& n = m_.pool.nodes[static_cast<size_t>(t)];
        if (n.op == Op::Const && n.value == 0.0) continue;
        if (n.op == Op::Add) {  // flatten nested sums
            kept.insert(kept.end(), n.args.begin(), n.args.end());
            continue;
        }
        kept.push_back(t);
    }
    if (kept.empty()) return m_.pool.constant(0.0);
    if (kept.size() == 1) return kept[0];
    return m_.pool.apply(Op::Add, kept);
}

int Builder::build(const Expr& e, Env& env) {
    if (!e.hasVar) {
        double v = ev_.eval(e, env);
        // No solver takes an infinite coefficient or constant; GAMS refuses them at generation.
        if (!std::isfinite(v))
            throw ExecError{e.line, std::string("an equation term is ") + (std::isnan(v) ? "UNDF" : v > 0 ? "+INF" : "-INF") +
                                        ": infinite or undefined coefficients and constants are not allowed in equations"};
        return m_.pool.constant(v);
    }
    switch (e.kind) {
    case EK::VarRef:
        if (!Evaluator::complete(ev_.tupleOf(e.idx, env))) return m_.pool.constant(0.0);  // x(t-1) before the first t
        return m_.pool.variable(column(e, env));
    case EK::Neg:
        return m_.pool.apply(Op::Neg, {build(*e.args[0], env)});
    case EK::Dollar:
        for (size_t k = 1; k < e.args.size(); k++)
            if (ev_.eval(*e.args[k], env) == 0.0) return m_.pool.constant(0.0);
        return build(*e.args[0], env);
    case EK::Bin: {
        // One precedence level per node: a sum, a product or a power chain.
        const std::string& first = e.ops[0];
        if (first == "+" || first == "-") {
            std::vector<int> terms;
            terms.reserve(e.args.size());
            for (size_t k = 0; k < e.args.size(); k++) {
                int t = build(*e.args[k], env);
                terms.push_back(k > 0 && e.ops[k - 1] == "-" ? m_.pool.apply(Op::Neg, {t}) : t);
            }
            return sum(terms);
        }
        int acc = build(*e.args[0], env);
        for (size_t k = 1; k < e.args.size(); k++) {
            const std::string& op = e.ops[k - 1];
            int b = build(*e.args[k], env);
            if (op == "*") {
                if (isConst(acc, 0.0) || isConst(b, 0.0)) acc = m_.pool.constant(0.0);
                else if (isConst(acc, 1.0)) acc = b;
                else if (!isConst(b, 1.0)) acc = m_.pool.apply(Op::Mul, {acc, b});
            } else if (op == "/") {
                if (isConst(b, 0.0)) throw ExecError{e.line, "division by zero (0)"};
                acc = m_.pool.apply(Op::Div, {acc, b});
            } else if (op == "**") {
                acc = isConst(b, 2.0) ? m_.pool.apply(Op::Sqr, {acc}) : m_.pool.apply(Op::Pow, {acc, b});
            } else {
                throw ExecError{e.line, "operator '" + op + "' is not allowed on variables in an equation"};
            }
        }
        return acc;
    }
    case EK::Func: {
        std::vector<int> args;
        for (const ExprPtr& a : e.args) args.push_back(build(*a, env));
        const std::string& f = e.name;
        if (f == "sqr") return m_.pool.apply(Op::Sqr, args);
        if (f == "sqrt") return m_.pool.apply(Op::Sqrt, args);
        if (f == "exp") return m_.pool.apply(Op::Exp, args);
        if (f == "log") return m_.pool.apply(Op::Log, args);
        if (f == "log10" || f == "log2")  // log(x) / log(base)
            return m_.pool.apply(Op::Mul, {m_.pool.apply(Op::Log, args),
                                           m_.pool.constant(1.0 / std::log(f == "log10" ? 10.0 : 2.0))});
        if (f == "rpower") return m_.pool.apply(Op::Pow, args);
        if (f == "abs") return m_.pool.apply(Op::Abs, args);
        if (f == "power") return isConst(args[1], 2.0) ? m_.pool.apply(Op::Sqr, {args[0]}) : m_.pool.apply(Op::Pow, args);
        if (f == "sin") return m_.pool.apply(Op::Sin, args);
        if (f == "cos") return m_.pool.apply(Op::Cos, args);
        if (f == "loggamma") return m_.pool.apply(Op::LogGamma, args);
        if (f == "gamma") return m_.pool.apply(Op::Exp, {m_.pool.apply(Op::LogGamma, args)});  // for x > 0
        if (f == "centropy") {  // x*log((x+z)/(y+z)), z = 1e-20 unless given
            int z = args.size() > 2 ? args[2] : m_.pool.constant(1e-20);
            int ratio = m_.pool.apply(Op::Div, {m_.pool.apply(Op::Add, {args[0], z}), m_.pool.apply(Op::Add, {args[1], z})});
            return m_.pool.apply(Op::Mul, {args[0], m_.pool.apply(Op::Log, {ratio})});
        }
        if (f == "min") return m_.pool.apply(Op::Min, args);
        if (f == "max") return m_.pool.apply(Op::Max, args);
        throw ExecError{e.line, "function " + f + " of variables is not supported"};
    }
    case EK::Agg: {
        std::vector<int> terms;
        ev_.forEach(e.aggIdx, env, e.args[0].get(), e.line, [&]() { terms.push_back(build(*e.args[1], env)); });
        if (e.name == "sum") return sum(terms);
        if (terms.empty()) return m_.pool.constant(e.name == "prod" ? 1.0 : e.name == "smin" ? kInf : -kInf);
        if (terms.size() == 1) return terms[0];
        if (e.name == "smin") return m_.pool.apply(Op::Min, terms);
        if (e.name == "smax") return m_.pool.apply(Op::Max, terms);
        int p = terms[0];
        for (size_t k = 1; k < terms.size(); k++) p = m_.pool.apply(Op::Mul, {p, terms[k]});
        return p;
    }
    default:
        throw ExecError{e.line, "this kind of expression is not allowed on variables in an equation"};
    }
}

// Polynomial degree of every pool node in the columns (99: not polynomial), for
// the model type check; arguments precede their nodes, so one pass suffices.
std::vector<int> degrees(const ExpressionPool& pool) {
    std::vector<int> d(pool.nodes.size(), 0);
    for (size_t i = 0; i < pool.nodes.size(); i++) {
        const Node& n = pool.nodes[i];
        auto arg = [&](size_t k) { return d[static_cast<size_t>(n.args[k])]; };
        int& out = d[i];
        switch (n.op) {
        case Op::Const: out = 0; break;
        case Op::Var: out = 1; break;
        case Op::Add:
            out = 0;
            for (size_t k = 0; k < n.args.size(); k++) out = std::max(out, arg(k));
            break;
        case Op::Sub: out = std::max(arg(0), arg(1)); break;
        case Op::Neg: out = arg(0); break;
        case Op::Mul: out = std::min(99, arg(0) + arg(1)); break;
        case Op::Div: out = arg(1) == 0 ? arg(0) : 99; break;
        case Op::Sqr: out = std::min(99, 2 * arg(0)); break;
        case Op::Pow: {
            const Node& ex = pool.nodes[static_cast<size_t>(n.args[1])];
            bool intExp = ex.op == Op::Const && ex.value >= 0 && ex.value <= 10 && ex.value == std::floor(ex.value);
            out = arg(0) == 0 && arg(1) == 0 ? 0 : intExp ? std::min(99, arg(0) * static_cast<int>(ex.value)) : 99;
            break;
        }
        default: {
            bool constant = true;
            for (size_t k = 0; k < n.args.size(); k++) constant = constant && arg(k) == 0;
            out = constant ? 0 : 99;
        }
        }
    }
    return d;
}

std::string elementName(const std::string& name, const std::vector<std::string>& labels) {
    std::string s = name;
    if (!labels.empty()) {
        s += "(";
        for (size_t k = 0; k < labels.size(); k++) s += (k ? "," : "") + labels[k];
        s += ")";
    }
    return s;
}

std::string rowName(const Symbol& eq, const Row& r) { return elementName(eq.name, r.labels); }

// The variable blocks paired in the model's equation.variable list (by block index).
std::vector<int> pairedBlocks(const SymbolTable& st, const Symbol& model, const ModelInstance& m) {
    std::vector<int> blocks;
    for (const auto& pair : model.pairs)
        for (size_t k = 0; k < m.varBlocks.size(); k++)
            if (m.varBlocks[k].name == st.symbols[static_cast<size_t>(pair.second)].name) blocks.push_back(static_cast<int>(k));
    return blocks;
}

std::string boundText(double v) {
    char text[40];
    std::snprintf(text, sizeof text, "%.15g", v);
    return text;
}

}  // namespace

ModelInstance instantiate(const SymbolTable& st, const Statement& solve, const TimeBudget* budget) {
    ModelInstance m;
    const Symbol& model = st.symbols[static_cast<size_t>(solve.model)];
    m.modelName = model.name;
    m.type = solve.type;
    m.sense = solve.sense;
    if (solve.objective >= 0) m.objectiveName = st.symbols[static_cast<size_t>(solve.objective)].name;
    m.solveLine = solve.line;

    Builder b(st, m, budget);
    Evaluator ev(st, budget);
    std::vector<int> equations = model.equations;
    std::sort(equations.begin(), equations.end());
    equations.erase(std::unique(equations.begin(), equations.end()), equations.end());
    for (int eqSym : equations) {
        const Symbol& eq = st.symbols[static_cast<size_t>(eqSym)];
        Block block;
        block.name = eq.name;
        block.text = eq.text;
        block.dimension = eq.dim;
        int blockIndex = static_cast<int>(m.equBlocks.size());
        Env env;
        ev.forEach(eq.def.domainIdx, env, eq.def.condition.get(), eq.def.line, [&]() {
            Tuple labels = ev.tupleOf(eq.def.domainArgs, env);
            if (!Evaluator::complete(labels)) return;  // e(t+1).. for the last t: no row
            Row r;
            r.block = blockIndex;
            // MCP: the element of the paired variable with the same labels
            for (const auto& [pairEq, pairVar] : model.pairs)
                if (pairEq == eqSym && m.type == ModelType::MCP) r.matchedColumn = b.columnFor(pairVar, labels, solve.line);
            for (int label : labels) r.labels.push_back(st.labels.name(label));
            r.type = eq.def.type;
            int lhs = b.build(*eq.def.lhs, env);
            int rhs = b.build(*eq.def.rhs, env);
            const Node& rn = m.pool.nodes[static_cast<size_t>(rhs)];
            r.body = rn.op == Op::Const && rn.value == 0.0 ? lhs : m.pool.apply(Op::Sub, {lhs, rhs});
            m.rows.push_back(r);
            block.members.push_back(static_cast<int>(m.rows.size()) - 1);
        });
        m.equBlocks.push_back(block);
    }

    // Columns appear in the listing by declaration order and element order.
    for (const auto& [varSym, elements] : b.columnOf) {
        const Symbol& v = st.symbols[static_cast<size_t>(varSym)];
        Block block;
        block.name = v.name;
        block.text = v.text;
        block.dimension = v.dim;
        block.kind = v.varKind;
        for (const auto& [tuple, col] : elements) {
            (void)tuple;
            block.members.push_back(col);
            m.columns[static_cast<size_t>(col)].block = static_cast<int>(m.varBlocks.size());
        }
        m.varBlocks.push_back(block);
    }
    if (hasObjective(m.type)) {
        auto obj = b.columnOf.find(solve.objective);
        if (obj == b.columnOf.end() || obj->second.empty())
            throw ExecError{solve.line, "The objective variable '" + m.objectiveName +
                                            "' does not appear in the equations of model '" + model.name + "'"};
        m.objectiveColumn = obj->second.begin()->second;
    } else {
        checkSystemStructure(m, pairedBlocks(st, model, m), solve.line);
    }

    // As GAMS: a continuous model type does not relax a discrete variable, it
    // refuses it; a discrete type needs whole bounds on integer kinds.
    bool continuousType = m.type == ModelType::LP || m.type == ModelType::QCP || m.type == ModelType::NLP ||
                          m.type == ModelType::DNLP || !hasObjective(m.type);
    for (const Block& block : m.varBlocks) {
        bool discrete = block.kind != VarKind::Free && block.kind != VarKind::Positive && block.kind != VarKind::Negative;
        bool wholeBounds = block.kind == VarKind::Binary || block.kind == VarKind::Integer || block.kind == VarKind::SemiInt;
        if (block.members.empty() || !discrete) continue;
        if (continuousType)
            throw ExecError{solve.line, "Model '" + model.name + "' is solved as " + modelTypeName(m.type) +
                                            " but holds the discrete variable '" + block.name +
                                            "' (as in GAMS, not allowed: use " +
                                            (m.type == ModelType::LP    ? "MIP, or RMIP to relax it)"
                                             : !hasObjective(m.type) ? "continuous variables)"
                                                                     : "MIQCP or MINLP, or RMIQCP or RMINLP to relax it)")};
        if (!wholeBounds) continue;
        for (int col : block.members) {
            const Column& c = m.columns[static_cast<size_t>(col)];
            for (double bound : {c.lower, c.upper})
                if (std::isfinite(bound) && bound != std::floor(bound))
                    throw ExecError{solve.line, "Bounds on discrete variables have to be whole numbers: " +
                                                    elementName(block.name, c.labels) + " has the bound " + boundText(bound)};
        }
    }

    bool linearType = m.type == ModelType::LP || m.type == ModelType::MIP || m.type == ModelType::RMIP;
    bool quadraticType = m.type == ModelType::QCP || m.type == ModelType::MIQCP || m.type == ModelType::RMIQCP;
    if (linearType || quadraticType) {
        int limit = linearType ? 1 : 2;
        std::vector<int> degree = degrees(m.pool);
        for (const Row& r : m.rows) {
            if (degree[static_cast<size_t>(r.body)] > limit) {
                const Symbol& eq = st.symbols[static_cast<size_t>(equations[static_cast<size_t>(r.block)])];
                bool discrete = m.type == ModelType::MIP || m.type == ModelType::MIQCP;
                throw ExecError{solve.line, std::string("Equation ") + rowName(eq, r) + " is " +
                                                (limit == 1 ? "nonlinear" : "not quadratic") + ": model type " +
                                                modelTypeName(m.type) + " does not allow it (use " +
                                                (limit == 1 ? (discrete ? "MIQCP or MINLP" : "QCP or NLP")
                                                            : (discrete ? "MINLP" : "NLP")) +
                                                ")"};
            }
        }
    }
    return m;
}

// The symbol-table key of a column's or row's labels.
static Tuple tupleOfLabels(const SymbolTable& st, const std::vector<std::string>& labels) {
    Tuple t;
    for (const std::string& label : labels) t.push_back(st.labels.find(label));
    return t;
}

void storeSolution(SymbolTable& st, const ModelInstance& m, const SolveStatus& status, int modelSym) {
    Symbol& model = st.symbols[static_cast<size_t>(modelSym)];
    model.modelStat = status.modelStatus;
    model.solveStat = status.solverStatus;
    model.objVal = status.objective;
    for (const Block& block : m.varBlocks) {
        int sym = st.find(block.name);
        if (sym < 0) continue;
        Symbol& v = st.symbols[static_cast<size_t>(sym)];
        for (int col : block.members) {
            const Column& c = m.columns[static_cast<size_t>(col)];
            VarAttrs& a = v.attrs[tupleOfLabels(st, c.labels)];
            a.l = c.level;
            a.m = c.marginal;
        }
    }
    for (const Block& block : m.equBlocks) {
        int sym = st.find(block.name);
        if (sym < 0) continue;
        Symbol& eq = st.symbols[static_cast<size_t>(sym)];
        for (int row : block.members) {
            const Row& r = m.rows[static_cast<size_t>(row)];
            eq.equLevels[tupleOfLabels(st, r.labels)] = {r.level, r.marginal};
        }
    }
}

}  // namespace gamsub
