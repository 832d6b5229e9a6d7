// Equation definitions, assignments, solve and display statements.
#include <algorithm>

#include "Parser.h"
#include "SolverControls.h"

namespace gamsub {

void Parser::defineEquation(int sym) {
    Token nameTok = tok_;
    advance();
    Symbol& s = st_.symbols[static_cast<size_t>(sym)];
    if (s.def.defined) failAt(nameTok, 150, "Equation '" + s.name + "' is defined more than once");
    EquDefinition def;
    def.line = nameTok.line;
    controlled_.clear();
    if (isPunct("(")) {
        advance();
        for (size_t position = 0;; position++) {
            Token t = tok_;
            expectIdent("an index set");
            int set = st_.setOf(t.text);
            if (set < 0) failAt(t, kErrSyntax, "'" + t.text + "' is not a set (equations are defined over sets)");
            if (isPunct("(") || st_.symbols[static_cast<size_t>(set)].dim > 1) {
                // e(ij(i,j)).. and e(ij).. : rows over i and j where ij holds.
                std::vector<std::string> inner;
                std::vector<IndexArg> whole;
                ExprPtr member = isPunct("(") ? domainCondition(t, inner, &whole) : wholeTuple(t, whole);
                for (const IndexArg& a : whole) {
                    if (a.isLabel) failAt(t, kErrUnsupported, "A label inside an equation's domain is not supported by this solver");
                    def.domainIdx.push_back(a.index);
                    def.domainArgs.push_back(a);
                    controlled_.push_back(a.index);
                }
                position += whole.size() - 1;
                def.condition = def.condition ? binaryAnd(def.condition, member) : member;
                if (!isPunct(",")) break;
                advance();
                continue;
            }
            if (st_.symbols[static_cast<size_t>(set)].dim != 1)
                failAt(t, kErrUnsupported, "Multi-dimensional set '" + t.text + "' as an index is not supported by this solver");
            int domain = position < s.domain.size() ? s.domain[position] : -1;
            if (domain >= 0 && !st_.within(st_.find(t.text), domain) && st_.rootSet(set) != st_.rootSet(domain))
                failAt(t, kErrDomainSet, "Domain violation: set '" + t.text + "' is not within '" +
                                             st_.symbols[static_cast<size_t>(domain)].name + "'");
            def.domainIdx.push_back(toLower(t.text));
            controlled_.push_back(toLower(t.text));
            IndexArg arg;
            arg.index = toLower(t.text);
            readShift(arg, set);
            def.domainArgs.push_back(arg);
            if (!isPunct(",")) break;
            advance();
        }
        expectPunct(")", "to close the equation's domain");
    }
    if (s.dim == 0 && s.domain.empty() && !def.domainIdx.empty()) {
        // Equation e; ... e(i).. : the definition gives the domain.
        std::vector<int> dom;
        for (const std::string& idx : def.domainIdx) dom.push_back(st_.find(idx));
        setDomain(sym, dom);
    }
    if (static_cast<int>(def.domainIdx.size()) != st_.symbols[static_cast<size_t>(sym)].dim)
        failAt(nameTok, kErrDimension, "Dimension different: equation '" + s.name + "' is declared with " +
                                           std::to_string(s.dim) + " index position(s)");
    if (isPunct("$")) {
        advance();
        ExprPtr more = primary();
        if (more->hasVar) fail(kErrUnsupported, "A condition must not depend on variables");
        def.condition = def.condition ? binaryAnd(def.condition, more) : more;
    }
    if (!isPunct("..")) fail(kErrSyntax, "'..' expected in the definition of equation '" + s.name + "'");
    advance();
    allowVars_ = true;
    try {
        def.lhs = expression();
        if (isPunct("=n=") || isPunct("=x=") || isPunct("=c=") || isPunct("=b="))
            fail(kErrUnsupported, "Equation type " + tok_.text + " is not supported by this solver");
        if (isPunct("=e=")) def.type = RowType::E;
        else if (isPunct("=l=")) def.type = RowType::L;
        else if (isPunct("=g=")) def.type = RowType::G;
        else fail(kErrSyntax, "'=e=', '=l=' or '=g=' expected in the equation");
        advance();
        def.rhs = expression();
    } catch (...) {
        allowVars_ = false;
        controlled_.clear();
        throw;
    }
    allowVars_ = false;
    controlled_.clear();
    endStatement("at the end of the equation");
    def.defined = true;
    st_.symbols[static_cast<size_t>(sym)].def = def;
}

// A statement of this kind on the current token's line; moves past its first token.
Statement Parser::openStatement(Statement::Kind kind) {
    Statement st;
    st.kind = kind;
    st.line = tok_.line;
    advance();
    return st;
}

Statement Parser::assignment(int sym) {
    Token nameTok = tok_;
    Statement st = openStatement(Statement::Assign);
    st.sym = sym;
    const Symbol& s = st_.symbols[static_cast<size_t>(sym)];
    if (isPunct("..")) failAt(nameTok, kErrSyntax, "'" + s.name + "' is not an equation: '..' is not allowed here");
    if (isPunct(".")) {
        advance();
        if (tok_.kind != Tok::Ident) fail(kErrSyntax, "Attribute name expected after '.'");
        st.attr = toLower(tok_.text);
        advance();
    }
    if (s.kind == SymKind::Alias)
        failAt(nameTok, kErrSyntax, "'" + s.name + "' is an alias: assign to the set it names");
    if (s.kind == SymKind::Set && !st.attr.empty())
        failAt(nameTok, kErrSyntax, "A set has no attribute ." + st.attr + " to assign");
    if (s.kind == SymKind::File) return fileAttribute(sym, nameTok, st);
    if (s.kind == SymKind::Model) {
        // m.optcr, m.reslim, ... set the model's own limits; m.modelstat and the
        // like keep the value; controls without effect on a solution are
        // accepted; the rest is refused (at run time when only a value is wrong).
        if (st.attr.empty()) failAt(nameTok, kErrSyntax, "A model cannot be assigned a value");
        ControlInfo info = modelAttribute(st.attr);
        if (info.use == ControlUse::Refused)
            failAt(nameTok, kErrUnsupported, "Model attribute ." + st.attr + " is not supported: " + info.why);
        if (!isPunct("=")) fail(kErrSyntax, "'=' expected for an assignment");
        advance();
        controlled_ = loopControlled_;
        st.value = expression();
        endStatement("at the end of the assignment");
        return st;
    }
    if (s.kind == SymKind::Parameter && !st.attr.empty())
        failAt(nameTok, kErrSyntax, "A parameter has no attribute ." + st.attr);
    // e.lo and e.up come from the equation's constant when the model is generated:
    // assigning them has no meaning here, and is refused rather than dropped.
    if (s.kind == SymKind::Equation && st.attr != "l" && st.attr != "m" && st.attr != "scale")
        failAt(nameTok, kErrUnsupported, "Equation attribute ." + st.attr + " cannot be assigned by this solver (.l .m .scale can)");
    if (s.kind == SymKind::Variable) {
        const std::string& a = st.attr;
        if (a.empty())
            failAt(nameTok, kErrSyntax, "'" + s.name + "' is a variable: an assignment needs an attribute (.lo .up .fx .l .m "
                                        ".scale), and only equations are defined with '..'");
        if (a != "lo" && a != "up" && a != "fx" && a != "l" && a != "m" && a != "scale")
            failAt(nameTok, kErrUnsupported, "Variable attribute ." + a + " is not supported by this solver");
    }
    // The index names on the left are what the assignment runs over.
    controlled_ = loopControlled_;
    ExprPtr tupleConds;  // p(k) = ... with k multi-dimensional: over k's elements
    if (isPunct("(")) {
        advance();
        for (int position = 0;; position++) {
            int whole = tok_.kind == Tok::Ident ? st_.setOf(tok_.text) : -1;
            bool subset = whole >= 0 && peek().kind == Tok::Punct && peek().text == "(";
            if (whole >= 0 && !isControlled(tok_.text) && (subset || (st_.symbols[static_cast<size_t>(whole)].dim > 1 &&
                                                                     !tupleControlled(tok_.text)))) {
                // p(low(n,nn)) = ... and p(low) = ...: over the set's elements only.
                Token setTok = tok_;
                std::vector<IndexArg> args;
                std::vector<std::string> inner;
                ExprPtr member;
                if (subset) {
                    advance();
                    member = domainCondition(setTok, inner, &args);
                } else {
                    member = wholeTuple(setTok, args);
                    advance();
                }
                for (const IndexArg& a : args)
                    if (!a.isLabel && !isControlled(a.index)) controlled_.push_back(a.index);
                tupleConds = tupleConds ? binaryAnd(tupleConds, member) : member;
                st.idx.insert(st.idx.end(), args.begin(), args.end());
                position = static_cast<int>(st.idx.size()) - 1;
                if (!isPunct(",")) break;
                advance();
                continue;
            }
            if (tupleIndex(st.idx)) {
                position = static_cast<int>(st.idx.size()) - 1;
                if (!isPunct(",")) break;
                advance();
                continue;
            }
            // p(i,i) = ...: the same index twice is the diagonal, as in GAMS.
            if (tok_.kind == Tok::Ident && st_.setOf(tok_.text) >= 0 && !isControlled(tok_.text))
                controlled_.push_back(toLower(tok_.text));
            // A new label in a `*` position of the left side joins the universe.
            if (tok_.kind == Tok::String && tok_.number >= 0 &&
                (position >= static_cast<int>(s.domain.size()) || s.domain[static_cast<size_t>(position)] < 0))
                st_.labels.intern(tok_.text);
            st.idx.push_back(indexArg(sym, position));
            if (!isPunct(",")) break;
            advance();
        }
        expectPunct(")", "to close the index list");
    }
    fixOpenDomain(sym, st.idx.size());
    if (static_cast<int>(st.idx.size()) != s.dim)
        failAt(nameTok, kErrDimension, "Dimension different: '" + s.name + "' has " + std::to_string(s.dim) + " index position(s)");
    try {
        if (isPunct("$")) {
            advance();
            st.cond = primary();
        }
        if (tupleConds) st.cond = st.cond ? binaryAnd(tupleConds, st.cond) : tupleConds;
        if (!isPunct("=")) fail(kErrSyntax, "'=' expected for an assignment");
        advance();
        st.value = expression();
    } catch (...) {
        controlled_ = loopControlled_;
        throw;
    }
    controlled_ = loopControlled_;
    endStatement("at the end of the assignment");
    return st;
}

Statement Parser::solve() {
    Statement st = openStatement(Statement::Solve);
    Token modelTok = tok_;
    std::string name = expectIdent("the model name");
    st.model = st_.find(name);
    if (st.model < 0) failAt(modelTok, kErrUnknownSymbol, "Unknown symbol '" + name + "'");
    if (st_.symbols[static_cast<size_t>(st.model)].kind != SymKind::Model)
        failAt(modelTok, kErrModel, "'" + name + "' is not a model");
    bool haveType = false, haveSense = false;
    while (!atStatementEnd() && !atStatementKeyword()) {
        Token t = tok_;
        std::string w = toLower(expectIdent("'using', 'minimizing' or 'maximizing'"));
        if (w == "using" || w == "use") {
            Token typeTok = tok_;
            std::string type = toLower(expectIdent("a model type"));
            if (!modelTypeOf(type, st.type))
                failAt(typeTok, kErrUnsupported,
                       "Line " + std::to_string(typeTok.line) + ", column " + std::to_string(typeTok.start.col + 1) +
                           ": model type " + typeTok.text +
                           " is not supported by this solver (lp, qcp, nlp, dnlp, mip, rmip, miqcp, rmiqcp, minlp, "
                           "rminlp, mcp and cns are)");
            haveType = true;
        } else if (w.compare(0, 3, "min") == 0 || w.compare(0, 3, "max") == 0) {
            // min, minimizing, minimize ...: GAMS reads the direction from the word's start
            st.sense = w.compare(0, 3, "min") == 0 ? Sense::Minimize : Sense::Maximize;
            Token varTok = tok_;
            std::string var = expectIdent("the objective variable");
            st.objective = st_.find(var);
            if (st.objective < 0) failAt(varTok, kErrUnknownSymbol, "Unknown symbol '" + var + "'");
            const Symbol& v = st_.symbols[static_cast<size_t>(st.objective)];
            if (v.kind != SymKind::Variable) failAt(varTok, kErrModel, "'" + var + "' is not a variable");
            if (v.dim != 0) failAt(varTok, kErrDimension, "The objective variable must be a scalar variable");
            haveSense = true;
        } else {
            failAt(t, kErrSyntax, "'using', 'minimizing' or 'maximizing' expected in the solve statement");
        }
    }
    if (!haveType) fail(kErrSyntax, "'using' and a model type expected in the solve statement");
    bool noObjective = !hasObjective(st.type);
    if (noObjective && haveSense)
        failAt(modelTok, kErrModel, std::string("A ") + modelTypeName(st.type) + " model has no objective: no 'minimizing' or 'maximizing'");
    if (!noObjective && !haveSense)
        fail(kErrUnsupported, "A solve without 'minimizing' or 'maximizing' (a feasibility model) is not supported by this solver");
    Symbol& m = st_.symbols[static_cast<size_t>(st.model)];
    if (!m.pairs.empty() && st.type != ModelType::MCP)
        failAt(modelTok, kErrModel, "Model '" + m.name + "' has equation.variable pairs: only an MCP solve matches them (solved as " +
                                        modelTypeName(st.type) + " here)");
    for (int ex : m.excludedEquations) m.equations.erase(std::remove(m.equations.begin(), m.equations.end(), ex), m.equations.end());
    // An equation named twice (`/ all, e /`, a model joined with its own equations) is one equation.
    std::vector<int> unique;
    for (int eq : m.equations)
        if (std::find(unique.begin(), unique.end(), eq) == unique.end()) unique.push_back(eq);
    m.equations.swap(unique);
    for (int eq : m.equations)
        if (!st_.symbols[static_cast<size_t>(eq)].def.defined)
            failAt(modelTok, 71, "Equation '" + st_.symbols[static_cast<size_t>(eq)].name + "' of model '" + m.name +
                                     "' has no definition");
    if (m.equations.empty()) failAt(modelTok, kErrModel, "Model '" + m.name + "' has no equations");
    endStatement("at the end of the solve statement");
    return st;
}

// `option name = value, ...;`. Numeric options with an effect (decimals, reslim,
// optcr, optca, iterlim, seed) become a statement; controls without effect on a
// solution (listing layout, solver choices, threads) are accepted; a display
// format `option p:3:1:1` is accepted (it shapes displays only); anything else
// is refused here, naming the option, rather than ignored.
void Parser::option(std::vector<Statement>& out) {
    Statement st;
    st.kind = Statement::Option;
    st.line = tok_.line;
    advance();
    while (!atStatementEnd() && !atStatementKeyword()) {
        if (isPunct(",")) {
            advance();
            continue;
        }
        Token nameTok = tok_;
        std::string name = toLower(expectIdent("an option name"));
        if (isPunct(":")) {  // display format of a symbol: p:decimals[:rows:columns]
            while (isPunct(":") || tok_.kind == Tok::Number) advance();
            continue;
        }
        if (name == "clear" || name == "kill")
            failAt(nameTok, kErrUnsupported, "option " + nameTok.text + " (resetting a symbol) is not supported by this solver");
        if (isPunct("<") || isPunct("<="))
            failAt(nameTok, kErrUnsupported, "option '" + nameTok.text + " <' (projecting a symbol) is not supported by this solver");
        ControlInfo info = optionStatement(name);
        if (info.use == ControlUse::Refused || info.use == ControlUse::Result)
            failAt(nameTok, kErrUnsupported, "option " + nameTok.text + " is not supported: " + info.why);
        if (!isPunct("=")) {
            if (info.use == ControlUse::NoEffect) continue;
            fail(kErrSyntax, "'=' and a value expected for option " + nameTok.text);
        }
        advance();
        if (tok_.kind == Tok::Ident || tok_.kind == Tok::String) {  // lp = cbc, solprint = off, solveopt = merge
            std::string word = toLower(tok_.text);
            bool harmless = info.use == ControlUse::NoEffect || (name == "solveopt" && word == "merge");
            if (!harmless) fail(kErrUnsupported, "option " + nameTok.text + " = " + tok_.text + " is not supported: " + info.why);
            advance();
            continue;
        }
        double sign = 1.0;
        if (isPunct("-") || isPunct("+")) {
            sign = isPunct("-") ? -1.0 : 1.0;
            advance();
        }
        if (tok_.kind != Tok::Number) fail(kErrSyntax, "A number expected for option " + nameTok.text);
        double v = sign * tok_.number;
        if (info.use == ControlUse::OnlyAt && v != info.only)
            fail(kErrUnsupported, "option " + nameTok.text + " = " + tok_.text + " is not supported: " + info.why);
        if (name == "decimals" && (v < 0 || v > 8 || v != static_cast<int>(v)))
            fail(kErrSyntax, "option decimals needs a whole number from 0 to 8");
        if (name != "seed" && v < 0) fail(kErrSyntax, "option " + name + " must not be negative");
        if (name == "decimals") st.decimals = static_cast<int>(v);
        if (info.use == ControlUse::Limit || name == "decimals" || name == "seed") st.options.emplace_back(name, v);
        advance();
    }
    endStatement("at the end of the option statement");
    if (!st.options.empty()) out.push_back(st);
}

bool Parser::modelTypeOf(const std::string& word, ModelType& type) {
    static const std::pair<const char*, ModelType> types[] = {
        {"lp", ModelType::LP},         {"qcp", ModelType::QCP},     {"nlp", ModelType::NLP},
        {"dnlp", ModelType::DNLP},     {"mip", ModelType::MIP},     {"rmip", ModelType::RMIP},
        {"miqcp", ModelType::MIQCP},   {"rmiqcp", ModelType::RMIQCP}, {"minlp", ModelType::MINLP},
        {"rminlp", ModelType::RMINLP}, {"mcp", ModelType::MCP},       {"cns", ModelType::CNS}};
    for (const auto& [name, t] : types)
        if (word == name) {
            type = t;
            return true;
        }
    return false;
}

Statement Parser::display() {
    Statement st = openStatement(Statement::Display);
    for (;;) {
        DisplayItem item;
        if (tok_.kind == Tok::String) {
            item.text = tok_.text;
            advance();
        } else {
            Token nameTok = tok_;
            std::string name = expectIdent("a symbol to display");
            item.sym = st_.find(name);
            if (item.sym < 0) failAt(nameTok, kErrUnknownSymbol, "Unknown symbol '" + name + "'");
            const Symbol& s = st_.symbols[static_cast<size_t>(item.sym)];
            if (s.kind == SymKind::File) failAt(nameTok, kErrSyntax, "A file cannot be displayed");
            if (isPunct(".")) {
                advance();
                item.attr = toLower(expectIdent("an attribute"));
                if (s.kind == SymKind::Model) {
                    if (item.attr != "modelstat" && item.attr != "solvestat" && item.attr != "objval")
                        failAt(nameTok, kErrUnsupported, "Model attribute ." + item.attr + " cannot be displayed by this solver");
                } else if (s.kind != SymKind::Variable && s.kind != SymKind::Equation)
                    failAt(nameTok, kErrSyntax, "Only variables and equations have attributes to display");
                if (s.kind != SymKind::Model && item.attr != "l" && item.attr != "m" && item.attr != "lo" &&
                    item.attr != "up" && item.attr != "scale")
                    failAt(nameTok, kErrUnsupported, "Attribute ." + item.attr + " cannot be displayed by this solver");
            } else if (s.kind == SymKind::Variable || s.kind == SymKind::Equation) {
                item.attr = "l";  // GAMS displays a variable without suffix as its level
            } else if (s.kind == SymKind::Model) {
                failAt(nameTok, kErrUnsupported, "Models cannot be displayed");
            }
        }
        st.items.push_back(item);
        if (!isPunct(",")) break;
        advance();
    }
    endStatement("at the end of the display statement");
    return st;
}

}  // namespace gamsub
