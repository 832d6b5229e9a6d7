// Expressions, with GAMS's precedence: or/xor < and < not < comparisons <
// + - < * / < unary sign < ** < $.
#include <algorithm>
#include <cmath>

#include "Parser.h"

namespace gamsub {

namespace {

ExprPtr make(EK kind, int line) {
    auto e = std::make_shared<Expr>();
    e->kind = kind;
    e->line = line;
    return e;
}

ExprPtr binary(const std::string& op, ExprPtr a, ExprPtr b, int line) {
    ExprPtr e = make(EK::Bin, line);
    e->ops = {op};
    e->hasVar = a->hasVar || b->hasVar;
    e->args = {std::move(a), std::move(b)};
    return e;
}

// Operands joined by operators of one precedence level, as one n-ary node, so
// that a chain of a million terms is no deeper than one term.
class Chain {
public:
    explicit Chain(ExprPtr first) : first_(std::move(first)) {}
    void add(const std::string& op, ExprPtr operand, int line) {
        if (!node_) {
            node_ = make(EK::Bin, line);
            node_->hasVar = first_->hasVar;
            node_->args.push_back(std::move(first_));
        }
        node_->hasVar = node_->hasVar || operand->hasVar;
        node_->ops.push_back(op);
        node_->args.push_back(std::move(operand));
    }
    ExprPtr result() { return node_ ? std::move(node_) : std::move(first_); }

private:
    ExprPtr first_, node_;
};

const char* const kFunctions[] = {"sqr",     "sqrt",    "exp",    "log",    "log10",  "log2",       "power",
                                  "abs",     "min",     "max",    "round",  "floor",  "ceil",       "mod",
                                  "sign",    "sameas",  "sin",    "cos",    "tan",    "arctan",     "arcsin",
                                  "arccos",  "sinh",    "cosh",   "tanh",   "trunc",  "frac",       "uniform",
                                  "normal",  "uniformint", "ifthen", "rpower", "arctan2", "sigmoid", "errorf",
                                  "gamma",   "loggamma", "centropy"};

}  // namespace

// Deeply nested input must end in an error, not in a stack overflow.
Parser::DepthGuard::DepthGuard(Parser& p) : parser(p) {
    if (++parser.depth_ > 200) {
        parser.depth_ = 0;  // the error abandons the whole statement
        parser.fail(kErrUnsupported, "Expression nested too deeply (more than 200 levels)");
    }
}

Parser::DepthGuard::~DepthGuard() {
    if (parser.depth_ > 0) parser.depth_--;
}

bool Parser::isControlled(const std::string& index) const {
    return std::find(controlled_.begin(), controlled_.end(), toLower(index)) != controlled_.end();
}

ExprPtr Parser::expression() { return orExpr(); }

ExprPtr Parser::orExpr() {
    Chain chain(andExpr());
    while (isWord("or") || isWord("xor")) {
        std::string op = toLower(tok_.text);
        int line = tok_.line;
        advance();
        chain.add(op, andExpr(), line);
    }
    return chain.result();
}

ExprPtr Parser::andExpr() {
    Chain chain(notExpr());
    while (isWord("and")) {
        int line = tok_.line;
        advance();
        chain.add("and", notExpr(), line);
    }
    return chain.result();
}

// `not not ... x`: a loop, not a recursion; two nots make a truth value.
ExprPtr Parser::notExpr() {
    int count = 0, line = tok_.line;
    for (; isWord("not"); count++) advance();
    ExprPtr e = compareExpr();
    for (int k = 0; k < (count == 0 ? 0 : count % 2 == 1 ? 1 : 2); k++) {
        ExprPtr n = make(EK::Not, line);
        n->hasVar = e->hasVar;
        n->args = {std::move(e)};
        e = std::move(n);
    }
    return e;
}

ExprPtr Parser::compareExpr() {
    ExprPtr e = addExpr();
    static const std::pair<const char*, const char*> ops[] = {
        {"lt", "<"}, {"le", "<="}, {"eq", "="}, {"ne", "<>"}, {"gt", ">"}, {"ge", ">="},
        {"<", "<"}, {"<=", "<="}, {"=", "="}, {"==", "="}, {"<>", "<>"}, {">", ">"}, {">=", ">="}};
    for (const auto& op : ops) {
        bool word = op.first[0] >= 'a';
        if ((word && isWord(op.first)) || (!word && isPunct(op.first))) {
            int line = tok_.line;
            advance();
            return binary(op.second, e, addExpr(), line);
        }
    }
    return e;
}

ExprPtr Parser::addExpr() {
    Chain chain(mulExpr());
    while (isPunct("+") || isPunct("-")) {
        std::string op = tok_.text;
        int line = tok_.line;
        advance();
        chain.add(op, mulExpr(), line);
    }
    return chain.result();
}

ExprPtr Parser::mulExpr() {
    Chain chain(unaryExpr());
    while (isPunct("*") || isPunct("/")) {
        std::string op = tok_.text;
        int line = tok_.line;
        advance();
        chain.add(op, unaryExpr(), line);
    }
    return chain.result();
}

// Leading signs, read in a loop: an odd number of minus signs negates.
ExprPtr Parser::unaryExpr() {
    bool negate = false;
    int line = tok_.line;
    while (isPunct("-") || isPunct("+")) {
        if (isPunct("-")) negate = !negate;
        advance();
    }
    ExprPtr arg = powerExpr();
    if (!negate) return arg;
    ExprPtr e = make(EK::Neg, line);
    e->hasVar = arg->hasVar;
    e->args = {std::move(arg)};
    return e;
}

ExprPtr Parser::powerExpr() {
    Chain chain(dollarExpr());
    while (isPunct("**")) {
        int line = tok_.line;
        advance();
        ExprPtr exponent;
        if (isPunct("-") || isPunct("+"))
            exponent = unaryExpr();
        else
            exponent = dollarExpr();
        chain.add("**", exponent, line);
    }
    return chain.result();
}

ExprPtr Parser::dollarExpr() {
    ExprPtr e = primary();
    if (!isPunct("$")) return e;
    ExprPtr d = make(EK::Dollar, tok_.line);
    d->hasVar = e->hasVar;
    d->args.push_back(std::move(e));
    while (isPunct("$")) {
        advance();
        ExprPtr cond = primary();
        if (cond->hasVar) fail(kErrUnsupported, "A condition must not depend on variables");
        d->args.push_back(std::move(cond));
    }
    return d;
}

ExprPtr Parser::primary() {
    DepthGuard guard(*this);
    Token t = tok_;
    if (t.kind == Tok::Number) {
        advance();
        ExprPtr e = make(EK::Number, t.line);
        e->number = t.number;
        return e;
    }
    if (isPunct("(")) {
        advance();
        ExprPtr e = expression();
        expectPunct(")", "to close the parenthesis");
        return e;
    }
    if (isWord("not")) return notExpr();
    if (t.kind != Tok::Ident) {
        if (t.kind == Tok::String) fail(kErrSyntax, "A quoted label is only allowed as an index, as in p('label')");
        if (t.kind == Tok::End) fail(kErrSyntax, "Unexpected end of file in an expression");
        fail(kErrSyntax, "Operand expected, found '" + t.text + "'");
    }
    std::string w = toLower(t.text);
    int sym = st_.find(t.text);
    if (sym < 0) {
        advance();
        if (isPunct("(")) {
            if (w == "sum" || w == "prod" || w == "smin" || w == "smax") return aggregation(w, t.line);
            if (w == "ord" || w == "card" ||
                std::find_if(std::begin(kFunctions), std::end(kFunctions), [&](const char* f) { return w == f; }) != std::end(kFunctions))
                return functionCall(w, t.line);
            failAt(t, kErrUnknownSymbol,
                   "Unknown symbol '" + t.text + "' (neither declared nor a function this solver supports)");
        }
        ExprPtr e = make(EK::Number, t.line);
        if (w == "inf") e->number = kInf;
        else if (w == "eps" || w == "no") e->number = 0.0;
        else if (w == "yes") e->number = 1.0;
        else if (w == "pi") e->number = M_PI;
        else if (w == "na") e->number = std::nan("");
        else failAt(t, kErrUnknownSymbol, "Unknown symbol '" + t.text + "'");
        return e;
    }
    advance();
    return symbolRef(t);
}

ExprPtr Parser::symbolRef(const Token& nameTok) {
    int sym = st_.find(nameTok.text);
    const Symbol& s = st_.symbols[static_cast<size_t>(sym)];
    std::string attr;
    if (isPunct(".")) {
        advance();
        if (tok_.kind != Tok::Ident) fail(kErrSyntax, "Attribute name expected after '.'");
        attr = toLower(tok_.text);
        advance();
    }
    ExprPtr e = make(EK::Param, nameTok.line);
    e->sym = sym;
    switch (s.kind) {
    case SymKind::Parameter:
        if (!attr.empty()) failAt(nameTok, kErrSyntax, "A parameter has no attribute ." + attr);
        e->kind = EK::Param;
        break;
    case SymKind::Variable:
        if (attr.empty()) {
            if (!allowVars_)
                failAt(nameTok, kErrSyntax, "Variable '" + s.name + "' needs an attribute here, such as .l or .m");
            e->kind = EK::VarRef;
            e->hasVar = true;
        } else {
            if (attr != "l" && attr != "m" && attr != "lo" && attr != "up" && attr != "scale" && attr != "fx")
                failAt(nameTok, kErrUnsupported, "Variable attribute ." + attr + " is not supported by this solver");
            e->kind = EK::Attr;
            e->name = attr;
        }
        break;
    case SymKind::Equation:
        if (attr != "l" && attr != "m")
            failAt(nameTok, kErrUnsupported, "Equations can only be read through .l or .m here");
        e->kind = EK::Attr;
        e->name = attr;
        break;
    case SymKind::Set:
    case SymKind::Alias:
        if (!attr.empty()) {
            // i.pos, i.off, ...: of the element the controlled index i stands at.
            static const char* const known[] = {"pos", "ord", "off", "rev", "first", "last", "len", "val"};
            if (std::find_if(std::begin(known), std::end(known), [&](const char* k) { return attr == k; }) == std::end(known))
                failAt(nameTok, kErrUnsupported, "Set attribute ." + attr +
                                                     " is not supported by this solver (pos ord off rev first last len val are)");
            if (s.dim != 1) failAt(nameTok, kErrDimension, "Set attributes need a one-dimensional set");
            if (!isControlled(nameTok.text)) failAt(nameTok, kErrUncontrolled, "Uncontrolled set '" + nameTok.text + "' in ." + attr);
            e->kind = EK::Ord;
            e->name = attr;
            e->sym = st_.setOf(nameTok.text);
            IndexArg a;
            a.index = toLower(nameTok.text);
            e->idx = {a};
            return e;
        }
        e->kind = EK::SetMember;
        if (!isPunct("(")) failAt(nameTok, kErrSyntax, "A set in an expression needs its indices, as in s(i)");
        break;
    case SymKind::File:
        failAt(nameTok, kErrSyntax, "File '" + s.name + "' has no value in an expression");
    case SymKind::Model:
        if (attr != "modelstat" && attr != "solvestat" && attr != "objval" && attr != "reslim" && attr != "optcr" &&
            attr != "optca" && attr != "iterlim")
            failAt(nameTok, kErrUnsupported, "Model attribute ." + attr + " is not supported (modelstat, solvestat, objval are)");
        e->kind = EK::ModelAttr;
        e->name = attr;
        return e;
    }
    e->idx = indexList(sym);
    fixOpenDomain(sym, e->idx.size());
    if (static_cast<int>(e->idx.size()) != s.dim)
        failAt(nameTok, kErrDimension,
               "Dimension different: '" + s.name + "' has " + std::to_string(s.dim) + " index position(s)");
    return e;
}

ExprPtr Parser::binaryAnd(ExprPtr a, ExprPtr b) {
    int line = a->line;
    return binary("and", std::move(a), std::move(b), line);
}

// A multi-dimensional set used as an index, where a sum, loop or equation
// domain controls it (d(s1,s2)): it stands for its indices s1, s2.
bool Parser::tupleControlled(const std::string& name) const {
    auto it = tupleOf_.find(toLower(name));
    if (it == tupleOf_.end()) return false;
    for (const IndexArg& a : it->second)
        if (!isControlled(a.index)) return false;
    return true;
}

bool Parser::tupleIndex(std::vector<IndexArg>& out) {
    if (tok_.kind != Tok::Ident) return false;
    int set = st_.setOf(tok_.text);
    if (set < 0 || st_.symbols[static_cast<size_t>(set)].dim < 2) return false;
    if (!tupleControlled(tok_.text))
        fail(kErrUncontrolled, "The multi-dimensional set '" + tok_.text +
                                   "' stands for indices only where a sum, loop or equation domain controls it, as in "
                                   "sum(" + tok_.text + "(i,j), ...)");
    const std::vector<IndexArg>& args = tupleOf_.at(toLower(tok_.text));
    out.insert(out.end(), args.begin(), args.end());
    advance();
    return true;
}

std::vector<IndexArg> Parser::indexList(int sym) {
    std::vector<IndexArg> idx;
    if (!isPunct("(")) return idx;
    advance();
    for (int position = 0;; position++) {
        if (tupleIndex(idx)) position = static_cast<int>(idx.size()) - 1;
        else idx.push_back(indexArg(sym, position));
        if (isPunct(",")) {
            advance();
            continue;
        }
        expectPunct(")", "to close the index list");
        return idx;
    }
}

IndexArg Parser::indexArg(int sym, int position) {
    const Symbol& s = st_.symbols[static_cast<size_t>(sym)];
    int domain = position < static_cast<int>(s.domain.size()) ? s.domain[static_cast<size_t>(position)] : -1;
    IndexArg a;
    if (tok_.kind == Tok::String) {
        a.isLabel = true;
        a.label = st_.labels.find(tok_.text);
        if (a.label < 0) fail(116, "Label '" + tok_.text + "' is unknown");
        int set = domain >= 0 ? st_.setOf(st_.symbols[static_cast<size_t>(domain)].name) : -1;
        if (set >= 0 && !st_.symbols[static_cast<size_t>(set)].memberSet.count(Tuple{a.label}))
            fail(kErrDomainElement, "Domain violation: '" + tok_.text + "' is not an element of set '" +
                                        st_.symbols[static_cast<size_t>(set)].name + "'");
        advance();
        return a;
    }
    if (tok_.kind != Tok::Ident) fail(kErrSyntax, "Index (a set name) or quoted label expected");
    int set = st_.setOf(tok_.text);
    if (set < 0) {
        if (st_.find(tok_.text) < 0)
            fail(kErrUnknownSymbol, "Unknown symbol '" + tok_.text + "' (labels need quotes, as in x('" + tok_.text + "'))");
        fail(kErrSyntax, "'" + tok_.text + "' is not a set and cannot be an index");
    }
    if (st_.symbols[static_cast<size_t>(set)].dim != 1)
        fail(kErrUnsupported, "Multi-dimensional set '" + tok_.text + "' as an index is not supported by this solver");
    if (!isControlled(tok_.text)) {
        if (!st_.symbols[static_cast<size_t>(set)].singleton)
            fail(kErrUncontrolled, "Uncontrolled set '" + tok_.text + "' entered as constant");
        a.singleton = set;  // a singleton set names its element without being controlled
    }
    if (domain >= 0 && !st_.within(st_.find(tok_.text), domain) &&
        st_.rootSet(set) != st_.rootSet(domain))
        fail(kErrDomainSet, "Domain violation: set '" + tok_.text + "' is not within '" +
                                st_.symbols[static_cast<size_t>(domain)].name + "'");
    a.index = toLower(tok_.text);
    advance();
    readShift(a, set);
    return a;
}

// i+1, i-1 (linear), i++1, i--1 (circular) after an index: lags and leads.
void Parser::readShift(IndexArg& a, int set) {
    if (isPunct("+") || isPunct("-")) {
        bool lead = isPunct("+");
        advance();
        if ((lead && isPunct("+")) || (!lead && isPunct("-"))) {
            a.circular = true;
            advance();
        }
        if (tok_.kind != Tok::Number || tok_.number != static_cast<int>(tok_.number) || tok_.number < 0 ||
            tok_.number > 1e9)
            fail(kErrUnsupported, "Line " + std::to_string(tok_.line) + ", column " + std::to_string(tok_.start.col + 1) +
                                      ": a lag or lead needs a whole number here (i+1, t-2)");
        a.shift = (lead ? 1 : -1) * static_cast<int>(tok_.number);
        a.shiftSet = st_.rootSet(set);
        advance();
    }
}

// sum(ij(i,j), ...), sum(nh(i+1), ...), loop(p('max'), ...) and sum(sameas(i,j), ...):
// the indices inside that are not controlled yet are what the aggregation runs
// over, the set or sameas its condition. A multi-dimensional set so written
// stands for its indices while they are controlled: sum(d(s1,s2), f(d)) is f(s1,s2).
ExprPtr Parser::domainCondition(const Token& nameTok, std::vector<std::string>& indices,
                                std::vector<IndexArg>* argsOut) {
    advance();  // '('
    bool sameas = toLower(nameTok.text) == "sameas";
    int setSym = sameas ? -1 : st_.setOf(nameTok.text);
    std::vector<Token> inner;
    std::vector<IndexArg> args;
    ExprPtr innerTuples;  // l(ll,s1,s2) with ll multi-dimensional: ll's own membership too
    for (;;) {
        inner.push_back(tok_);
        IndexArg a;
        if (tok_.kind == Tok::String) {
            a.isLabel = true;
            a.label = st_.labels.find(tok_.text);  // unknown: a member of nothing
            advance();
        } else {
            int set = tok_.kind == Tok::Ident ? st_.setOf(tok_.text) : -1;
            if (!sameas && set >= 0 && st_.symbols[static_cast<size_t>(set)].dim > 1) {
                std::vector<IndexArg> whole;
                if (tupleControlled(tok_.text)) {
                    tupleIndex(whole);
                } else {
                    ExprPtr member = wholeTuple(tok_, whole);
                    innerTuples = innerTuples ? binaryAnd(innerTuples, member) : member;
                    advance();
                }
                for (const IndexArg& w : whole)
                    if (!isControlled(w.index) && std::find(indices.begin(), indices.end(), w.index) == indices.end())
                        indices.push_back(w.index);
                args.insert(args.end(), whole.begin(), whole.end());
                if (!isPunct(",")) break;
                advance();
                continue;
            }
            expectIdent("an index set");
            if (set < 0) failAt(inner.back(), kErrSyntax, "'" + inner.back().text + "' is not a set");
            a.index = toLower(inner.back().text);
            if (!sameas) readShift(a, set);
            if (!isControlled(a.index) && std::find(indices.begin(), indices.end(), a.index) == indices.end())
                indices.push_back(a.index);
        }
        args.push_back(a);
        if (!isPunct(",")) break;
        advance();
    }
    expectPunct(")", "to close the index list");
    ExprPtr cond = make(EK::SetMember, nameTok.line);
    if (sameas) {
        if (inner.size() != 2) failAt(nameTok, kErrSyntax, "sameas() compares two indices or labels");
        cond->kind = EK::Func;
        cond->name = "sameas";
    } else {
        cond->sym = st_.find(nameTok.text);
        fixOpenDomain(setSym, args.size());
        int dim = st_.symbols[static_cast<size_t>(setSym)].dim;
        if (static_cast<int>(args.size()) != dim)
            failAt(nameTok, kErrDimension, "Dimension different: '" + nameTok.text + "' has " + std::to_string(dim) +
                                               " index position(s)");
        if (dim > 1) {
            bool plain = true;
            for (const IndexArg& a : args) plain = plain && !a.isLabel && a.shift == 0;
            if (plain) tupleOf_[toLower(nameTok.text)] = args;
        }
    }
    cond->idx = args;
    if (argsOut) *argsOut = args;
    return innerTuples ? binaryAnd(innerTuples, cond) : cond;
}

// A multi-dimensional set written alone where indices are controlled (sum(low,
// ...), e(low).., p(low) = ...): it runs over its own elements and stands for
// them as an index. Its positions get indices of their own, `low.1`, `low.2`,
// which run over its domain sets (SymbolTable::setOf).
ExprPtr Parser::wholeTuple(const Token& nameTok, std::vector<IndexArg>& args) {
    int set = st_.setOf(nameTok.text);
    std::vector<int> domain = st_.symbols[static_cast<size_t>(set)].domain;
    args.clear();
    for (size_t k = 0; k < domain.size(); k++) {
        if (domain[k] < 0)
            failAt(nameTok, kErrUnsupported, "'" + nameTok.text + "' has a '*' in its domain: write its indices, as in " +
                                                 nameTok.text + "(i,j)");
        IndexArg a;
        a.index = toLower(st_.symbols[static_cast<size_t>(set)].name) + "." + std::to_string(k + 1);
        if (isControlled(a.index)) failAt(nameTok, 125, "Set '" + nameTok.text + "' is under control already");
        args.push_back(a);
    }
    tupleOf_[toLower(nameTok.text)] = args;
    ExprPtr cond = make(EK::SetMember, nameTok.line);
    cond->sym = st_.find(nameTok.text);
    cond->idx = args;
    return cond;
}

// What a sum, prod, smin, smax or loop runs over: one item or a parenthesised
// list. An item is a set; a multi-dimensional set (over its domain's indices);
// a set with indices, s(i,j) or nh(i+1); a set with a label, p('max') (p runs
// over that one element); or sameas(i,j). New indices go to `indices`, the
// conditions the items bring into `cond`. Indices already controlled are errors.
void Parser::controlList(std::vector<std::string>& indices, ExprPtr& cond) {
    bool list = isPunct("(");
    if (list) advance();
    auto addIndex = [&](const Token& t, const std::string& index) {
        if (isControlled(index) || std::find(indices.begin(), indices.end(), index) != indices.end())
            failAt(t, 125, "Set '" + index + "' is under control already");
        indices.push_back(index);
    };
    auto addCond = [&](ExprPtr c) { cond = cond ? binaryAnd(cond, std::move(c)) : std::move(c); };
    for (;;) {
        Token t = tok_;
        expectIdent("an index set");
        int set = st_.setOf(t.text);
        bool sameas = toLower(t.text) == "sameas";
        if (set < 0 && !sameas) failAt(t, kErrSyntax, "'" + t.text + "' is not a set");
        if (isPunct("(") && set >= 0 && st_.symbols[static_cast<size_t>(set)].dim == 1 && peek().kind == Tok::String) {
            advance();  // p('max'): p over that element only
            Token label = tok_;
            advance();
            expectPunct(")", "to close the label");
            addIndex(t, toLower(t.text));
            ExprPtr only = make(EK::Func, t.line);
            only->name = "sameas";
            IndexArg a, b;
            a.index = toLower(t.text);
            b.isLabel = true;
            b.label = st_.labels.find(label.text);
            only->idx = {a, b};
            addCond(only);
        } else if (isPunct("(")) {
            std::vector<std::string> inner;
            ExprPtr member = domainCondition(t, inner);
            for (const std::string& index : inner) addIndex(t, index);
            addCond(member);
        } else if (st_.symbols[static_cast<size_t>(set)].dim == 1) {
            addIndex(t, toLower(t.text));
        } else {
            std::vector<IndexArg> args;
            ExprPtr member = wholeTuple(t, args);
            for (const IndexArg& a : args) addIndex(t, a.index);
            addCond(member);
        }
        if (!list || !isPunct(",")) break;
        advance();
    }
    if (list) expectPunct(")", "to close the index list");
}

ExprPtr Parser::aggregation(const std::string& name, int line) {
    advance();  // '('
    ExprPtr e = make(EK::Agg, line);
    e->name = name;
    size_t mark = controlled_.size();
    ExprPtr cond;
    try {
        controlList(e->aggIdx, cond);
        for (const std::string& idx : e->aggIdx) controlled_.push_back(idx);
        if (isPunct("$")) {
            advance();
            ExprPtr more = primary();
            if (more->hasVar) fail(kErrUnsupported, "A condition must not depend on variables");
            cond = cond ? binary("and", cond, more, line) : more;
        }
        expectPunct(",", "between the indices and the expression");
        ExprPtr body = expression();
        expectPunct(")", ("to close the " + name).c_str());
        e->args = {cond, body};
        e->hasVar = body->hasVar;
    } catch (...) {
        controlled_.resize(mark);
        throw;
    }
    controlled_.resize(mark);
    return e;
}

ExprPtr Parser::functionCall(const std::string& name, int line) {
    advance();  // '('
    if (name == "ord" || name == "card") {
        ExprPtr e = make(name == "ord" ? EK::Ord : EK::Card, line);
        Token t = tok_;
        expectIdent("a set");
        int set = st_.setOf(t.text);
        if (set < 0) failAt(t, kErrSyntax, "'" + t.text + "' is not a set");
        if (name == "ord") {
            if (!isControlled(t.text)) failAt(t, kErrUncontrolled, "Uncontrolled set '" + t.text + "' in ord()");
            if (st_.symbols[static_cast<size_t>(set)].dim != 1) failAt(t, kErrDimension, "ord() needs a one-dimensional set");
            IndexArg a;
            a.index = toLower(t.text);
            e->idx = {a};
        }
        e->sym = set;
        expectPunct(")", "to close the function call");
        return e;
    }
    ExprPtr e = make(EK::Func, line);
    e->name = name;
    if (name == "sameas") {
        // sameas(i, j), sameas(i, 'label'): compares labels, not values.
        for (int k = 0; k < 2; k++) {
            IndexArg a;
            if (tok_.kind == Tok::String) {
                a.isLabel = true;
                a.label = st_.labels.find(tok_.text);  // unknown: equal to nothing
            } else if (tok_.kind == Tok::Ident && st_.setOf(tok_.text) >= 0) {
                if (!isControlled(tok_.text)) fail(kErrUncontrolled, "Uncontrolled set '" + tok_.text + "' in sameas()");
                a.index = toLower(tok_.text);
            } else {
                fail(kErrSyntax, "sameas() compares set indices or quoted labels");
            }
            e->idx.push_back(a);
            advance();
            if (k == 0) expectPunct(",", "between the arguments of sameas");
        }
        expectPunct(")", "to close sameas");
        return e;
    }
    for (;;) {
        e->args.push_back(expression());
        e->hasVar = e->hasVar || e->args.back()->hasVar;
        if (!isPunct(",")) break;
        advance();
    }
    expectPunct(")", "to close the function call");
    size_t n = e->args.size();
    bool two = name == "power" || name == "mod" || name == "uniform" || name == "normal" || name == "uniformint" ||
               name == "rpower" || name == "arctan2";
    bool many = name == "min" || name == "max";
    bool three = name == "ifthen";
    if (name == "centropy" && n != 2 && n != 3) fail(kErrSyntax, "Wrong number of arguments for centropy");
    if ((two && n != 2) || (three && n != 3) || (many && n < 2) ||
        (!two && !three && !many && name != "round" && name != "centropy" && n != 1) || (name == "round" && n > 2))
        fail(kErrSyntax, "Wrong number of arguments for " + name);
    // On variables: the functions the derivative code knows, and log10, log2, rpower built from them.
    static const char* const onVariables[] = {"sqr", "sqrt", "exp", "log", "log10", "log2", "power", "rpower",
                                              "abs", "min", "max", "sin", "cos", "gamma", "loggamma", "centropy"};
    bool known = std::find_if(std::begin(onVariables), std::end(onVariables),
                              [&](const char* f) { return name == f; }) != std::end(onVariables);
    if (e->hasVar && !known) fail(kErrUnsupported, "Function " + name + " of variables is not supported by this solver");
    return e;
}

}  // namespace gamsub
