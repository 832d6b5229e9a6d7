// Statement dispatch and declarations.
#include "Parser.h"

namespace gamsub {

Parser::Parser(const SourceText& source, SymbolTable& symbols, CompileErrors& errors)
    : st_(symbols), errors_(errors), sc_(source) {
    advance();
}

void Parser::advance() {
    prevEnd_ = tokEnd_;
    tok_ = sc_.next();
    tokEnd_ = sc_.position();
}

Token Parser::peek() {
    Position at = sc_.position();
    Token t = sc_.next();
    sc_.seek(at);
    return t;
}

bool Parser::isPunct(const char* p) const { return tok_.kind == Tok::Punct && tok_.text == p; }

bool Parser::isWord(const char* w) const { return tok_.kind == Tok::Ident && toLower(tok_.text) == w; }

void Parser::fail(int code, const std::string& message) const { failAt(tok_, code, message); }

void Parser::failAt(const Token& t, int code, const std::string& message) const {
    throw Failure{t.line, t.lastCol, code, message};
}

void Parser::expectPunct(const char* p, const char* what) {
    if (!isPunct(p)) fail(kErrSyntax, std::string("'") + p + "' expected " + what);
    advance();
}

std::string Parser::expectIdent(const char* what) {
    if (tok_.kind != Tok::Ident) fail(kErrSyntax, std::string("Identifier expected: ") + what);
    std::string s = tok_.text;
    advance();
    return s;
}

// After an error: skip to the end of the statement.
void Parser::recover() {
    while (tok_.kind != Tok::End && !isPunct(";")) advance();
    if (isPunct(";")) advance();
}

std::vector<Statement> Parser::parse() {
    std::vector<Statement> program;
    while (tok_.kind != Tok::End) {
        Position before = tok_.start;
        try {
            statement(program);
            if (tok_.start.line == before.line && tok_.start.col == before.col && tok_.kind != Tok::End)
                fail(kErrSyntax, "Unrecognizable item");  // guarantees progress
        } catch (const Failure& f) {
            errors_.add(f.line, f.col, f.code, f.message);
            controlled_.clear();
            loopControlled_.clear();
            blockDepth_ = 0;
            loopBodies_ = 0;
            untilDepth_ = 0;
            allowVars_ = false;
            recover();
        }
    }
    return program;
}

void Parser::statement(std::vector<Statement>& out) {
    if (isPunct(";")) {
        advance();
        return;
    }
    if (tok_.kind != Tok::Ident) fail(kErrSyntax, "Unrecognizable item: a statement must begin with a keyword or a symbol");
    std::string w = toLower(tok_.text);
    if (w == "set" || w == "sets") {
        advance();
        declareSets(false);
    } else if (w == "singleton" && st_.find(tok_.text) < 0) {
        advance();
        if (!isWord("set") && !isWord("sets")) fail(kErrSyntax, "'Set' expected after 'Singleton'");
        advance();
        declareSets(true);
    } else if (w == "alias") {
        advance();
        declareAlias();
    } else if (w == "parameter" || w == "parameters" || w == "scalar" || w == "scalars") {
        advance();
        declareParameters(w[0] == 's');
    } else if (w == "table") {
        advance();
        declareTable();
    } else if (w == "variable" || w == "variables") {
        advance();
        declareVariables(VarKind::Free, false);
    } else if (w == "free" || w == "positive" || w == "negative" || w == "binary" || w == "integer" ||
               w == "sos1" || w == "sos2" || w == "semicont" || w == "semiint" || w == "nonnegative") {
        Token kindTok = tok_;
        advance();
        if (!isWord("variable") && !isWord("variables")) fail(kErrSyntax, "'Variable' expected after '" + kindTok.text + "'");
        advance();
        declareVariables(variableKind(w), true);
    } else if (w == "equation" || w == "equations") {
        advance();
        declareEquations();
    } else if (w == "model" || w == "models") {
        advance();
        declareModels();
    } else if (w == "solve") {
        out.push_back(solve());
    } else if (w == "display") {
        out.push_back(display());
    } else if (w == "option" || w == "options") {
        option(out);
    } else if (w == "file" || w == "files") {
        advance();
        declareFiles();
    } else if (w == "execseed" && st_.find(tok_.text) < 0) {
        // execseed = n; seeds uniform() and normal(), as `option seed` does.
        Statement st = openStatement(Statement::Option);
        expectPunct("=", "after execseed");
        controlled_ = loopControlled_;
        st.value = expression();
        endStatement("at the end of the assignment");
        out.push_back(st);
    } else if (w == "loop" && st_.find(tok_.text) < 0) {
        out.push_back(loopStatement());
    } else if (w == "if" && st_.find(tok_.text) < 0) {
        out.push_back(ifStatement());
    } else if (w == "while" && st_.find(tok_.text) < 0) {
        out.push_back(whileStatement());
    } else if (w == "for" && st_.find(tok_.text) < 0) {
        out.push_back(forStatement());
    } else if (w == "repeat" && st_.find(tok_.text) < 0) {
        out.push_back(repeatStatement());
    } else if ((w == "break" || w == "continue") && st_.find(tok_.text) < 0) {
        out.push_back(loopExit(w == "break" ? Statement::Break : Statement::Continue));
    } else if (w == "abort" && st_.find(tok_.text) < 0) {
        out.push_back(abortStatement());
    } else if (w == "execute" && st_.find(tok_.text) < 0 && peek().kind == Tok::String) {
        // execute 'command': compiles, as in GAMS; running a command is refused
        // when the statement is reached (a statement never reached does nothing in GAMS either).
        Statement st = openStatement(Statement::Refused);
        st.attr = "the execute statement (running '" + tok_.text + "') is not supported by this solver";
        advance();
        endStatement("after the command of the execute statement");
        out.push_back(st);
    } else if (w == "execute_unload" && st_.find(tok_.text) < 0 && peek().kind == Tok::String) {
        out.push_back(unloadStatement());
    } else if (w == "put" || w == "putclose") {
        out.push_back(putStatement(w == "putclose"));
    } else {
        int sym = st_.find(tok_.text);
        if (sym < 0) {
            static const char* const unsupported[] = {"put_utility", "put_utilities", "execute",
                                                      "execute_unload", "execute_load", "acronym", "acronyms",
                                                      "function"};
            if (w == "execute_unload" || w == "execute_load" || w == "execute_loadpoint" || w == "execute_unloaddi" ||
                w == "execute_unloadidx" || w == "execute_loaddc")
                fail(kErrUnsupported, "Line " + std::to_string(tok_.line) + ", column " + std::to_string(tok_.start.col + 1) +
                                          ": '" + tok_.text + "' reads or writes a GDX file, and no GDX library exists "
                                          "here (only execute_unload with a quoted file name is written, as text): "
                                          "remove the statement or keep the data in the model's own text");
            for (const char* u : unsupported)
                if (w == u)
                    fail(kErrUnsupported, "Line " + std::to_string(tok_.line) + ", column " +
                                              std::to_string(tok_.start.col + 1) + ": the '" + tok_.text +
                                              "' statement is not supported by this solver");
            fail(kErrUnknownSymbol, "Unknown symbol '" + tok_.text + "'");
        }
        if (st_.symbols[static_cast<size_t>(sym)].kind == SymKind::Equation && !peek().isDot()) {
            defineEquation(sym);
        } else {
            out.push_back(assignment(sym));
        }
    }
}

// ---- declarations ----

VarKind Parser::variableKind(const std::string& word) {
    if (word == "positive" || word == "nonnegative") return VarKind::Positive;
    if (word == "negative") return VarKind::Negative;
    if (word == "binary") return VarKind::Binary;
    if (word == "integer") return VarKind::Integer;
    if (word == "semicont") return VarKind::SemiCont;
    if (word == "semiint") return VarKind::SemiInt;
    if (word == "sos1") return VarKind::Sos1;
    if (word == "sos2") return VarKind::Sos2;
    return VarKind::Free;
}

int Parser::declareName(SymKind kind, const Token& nameTok) {
    if (st_.find(nameTok.text) >= 0)
        failAt(nameTok, kErrDuplicate, "Symbol '" + nameTok.text + "' is already declared");
    Symbol s;
    s.name = nameTok.text;
    s.kind = kind;
    return st_.add(std::move(s));
}

std::vector<int> Parser::domainList() {
    std::vector<int> dom;
    if (!isPunct("(")) return dom;
    advance();
    for (;;) {
        if (isPunct("*")) {
            dom.push_back(-1);
            advance();
        } else if (tok_.kind == Tok::Ident) {
            int set = st_.setOf(tok_.text);
            if (set < 0) {
                if (st_.find(tok_.text) < 0) fail(kErrUnknownSymbol, "Unknown symbol '" + tok_.text + "' in a domain list");
                fail(kErrSyntax, "'" + tok_.text + "' is not a set and cannot be a domain");
            }
            if (st_.symbols[static_cast<size_t>(set)].dim != 1)
                fail(kErrDimension, "A domain set must be one-dimensional");
            dom.push_back(st_.find(tok_.text));
            advance();
        } else {
            fail(kErrSyntax, "Set name or '*' expected in the domain list");
        }
        if (isPunct(",")) {
            advance();
            continue;
        }
        expectPunct(")", "to close the domain list");
        return dom;
    }
}

// The explanatory text on the rest of the declaration line: quoted, or plain
// words up to a '/', ',' or ';'. Leaves the current token after it.
std::string Parser::explanatoryText(bool toLineEnd) {
    sc_.seek(prevEnd_);
    sc_.skipBlanks();
    std::string text;
    char c = sc_.peekChar();
    if (c == '\'' || c == '"') {
        sc_.getChar();
        while (sc_.peekChar() && sc_.peekChar() != c) text += sc_.getChar();
        if (sc_.peekChar() != c) {
            Token t;
            t.line = sc_.lineNumber();
            t.lastCol = sc_.position().col;
            failAt(t, kErrSyntax, "Closing quote missing in the explanatory text");
        }
        sc_.getChar();
    } else if (c && c != '/' && c != ',' && c != ';' && c != '(') {
        while (sc_.peekChar() && (toLineEnd || (sc_.peekChar() != '/' && sc_.peekChar() != ',' && sc_.peekChar() != ';')))
            text += sc_.getChar();
        while (!text.empty() && text.back() == ' ') text.pop_back();
    }
    tokEnd_ = sc_.position();
    advance();
    return text;
}

// GAMS lets a declaration end without ';' when the next one begins.
bool Parser::isDeclarationKeyword(const std::string& word) {
    static const char* const words[] = {"set", "sets", "singleton", "alias", "parameter", "parameters", "scalar", "scalars",
                                        "table", "variable", "variables", "free", "positive", "negative",
                                        "binary", "integer", "semicont", "semiint", "sos1", "sos2",
                                        "equation", "equations", "model", "models", "solve", "display",
                                        "option", "options", "nonnegative", "file", "files", "put", "putclose"};
    std::string w = toLower(word);
    for (const char* k : words)
        if (w == k) return true;
    return false;
}

void Parser::endDeclaration() { endStatement("at the end of the declaration"); }

bool Parser::nextItem() {
    if (isPunct(",")) {
        advance();
        return tok_.kind == Tok::Ident;  // a trailing comma before ';' is harmless
    }
    if (isPunct(";")) return false;
    if (atStatementKeyword()) return false;
    if (tok_.kind == Tok::Ident && tok_.line > prevEnd_.line + 1) return true;  // one item per line
    fail(kErrSyntax, "',' or ';' expected between declarations");
}

// A symbol declared earlier without data may be declared again with its data
// (`Set i;` ... `Set i / a, b /;`); returns it, or -1 when the name is new.
int Parser::laterData(SymKind kind, const Token& nameTok) {
    int sym = st_.find(nameTok.text);
    if (sym < 0) return -1;
    const Symbol& s = st_.symbols[static_cast<size_t>(sym)];
    if (s.kind != kind || !s.members.empty() || !s.values.empty()) return declareName(kind, nameTok);  // the duplicate error
    return sym;
}

void Parser::declareSets(bool singleton) {
    while (tok_.kind == Tok::Ident) {
        Token nameTok = tok_;
        advance();
        int again = laterData(SymKind::Set, nameTok);
        int sym = again >= 0 ? again : declareName(SymKind::Set, nameTok);
        std::vector<int> dom = domainList();
        Symbol& s = st_.symbols[static_cast<size_t>(sym)];
        if (again < 0 || !dom.empty()) {
            if (again >= 0 && static_cast<int>(dom.size()) != s.dim)
                failAt(nameTok, kErrDimension, "Dimension different from the earlier declaration of '" + nameTok.text + "'");
            s.domain = dom;
            s.dim = dom.empty() ? 1 : static_cast<int>(dom.size());
            if (dom.empty()) s.domain.push_back(-1);
            s.domainOpen = dom.empty() && again < 0;
        }
        std::string text = explanatoryText();
        if (!text.empty() || again < 0) st_.symbols[static_cast<size_t>(sym)].text = text;
        st_.symbols[static_cast<size_t>(sym)].singleton = singleton;
        if (isPunct("/")) setData(sym);
        if (singleton && st_.symbols[static_cast<size_t>(sym)].members.size() > 1)
            failAt(nameTok, kErrDimension, "Singleton set '" + nameTok.text + "' has more than one element");
        st_.finishSet(sym);
        if (!nextItem()) break;
    }
    endDeclaration();
}

void Parser::declareAlias() {
    // Alias (i, j [, k ...]);  the set may stand at either end (Alias (ip, i)),
    // and several parenthesised groups may follow one another.
    do {
        expectPunct("(", "after Alias");
        std::vector<Token> names;
        for (;;) {
            names.push_back(tok_);
            expectIdent(names.size() == 1 ? "the set to alias" : "an alias name");
            if (!isPunct(",")) break;
            advance();
        }
        expectPunct(")", "to close the alias list");
        if (names.size() < 2) failAt(names[0], kErrSyntax, "An alias needs a set and at least one new name");
        size_t base = 0;
        if (st_.setOf(names[0].text) < 0 && st_.find(names[0].text) < 0 && names.size() == 2 &&
            st_.setOf(names[1].text) >= 0)
            base = 1;  // Alias (ip, i): the declared set is the last one
        int set = st_.setOf(names[base].text);
        if (set < 0) {
            if (st_.find(names[base].text) < 0)
                failAt(names[base], kErrUnknownSymbol, "Unknown symbol '" + names[base].text + "': an alias needs a declared set");
            failAt(names[base], kErrSyntax, "'" + names[base].text + "' is not a set");
        }
        if (st_.symbols[static_cast<size_t>(set)].dim != 1)
            failAt(names[base], kErrUnsupported, "An alias of the multi-dimensional set '" + names[base].text +
                                                     "' is not supported by this solver");
        for (size_t k = 0; k < names.size(); k++) {
            if (k == base) continue;
            int sym = declareName(SymKind::Alias, names[k]);
            Symbol& a = st_.symbols[static_cast<size_t>(sym)];
            a.aliasOf = set;
            a.dim = 1;
            a.domain = {-1};
        }
        if (isPunct(",")) advance();
    } while (isPunct("("));
    endStatement("at the end of the alias statement");
}

void Parser::declareParameters(bool scalar) {
    while (tok_.kind == Tok::Ident) {
        Token nameTok = tok_;
        advance();
        int again = laterData(SymKind::Parameter, nameTok);
        int sym = again >= 0 ? again : declareName(SymKind::Parameter, nameTok);
        std::vector<int> dom = scalar ? std::vector<int>() : domainList();
        if (scalar && isPunct("(")) fail(kErrDimension, "A scalar has no domain");
        if (again < 0) {
            setDomain(sym, dom);
            st_.symbols[static_cast<size_t>(sym)].domainOpen = !scalar && dom.empty();
        } else if (!dom.empty() && static_cast<int>(dom.size()) != st_.symbols[static_cast<size_t>(sym)].dim) {
            failAt(nameTok, kErrDimension, "Dimension different from the earlier declaration of '" + nameTok.text + "'");
        }
        std::string text = explanatoryText();
        if (!text.empty() || again < 0) st_.symbols[static_cast<size_t>(sym)].text = text;
        if (isPunct("/")) parameterData(sym);
        if (!nextItem()) break;
    }
    endDeclaration();
}

void Parser::declareVariables(VarKind kind, bool kindGiven) {
    while (tok_.kind == Tok::Ident) {
        Token nameTok = tok_;
        advance();
        int existing = st_.find(nameTok.text);
        int sym;
        if (existing >= 0 && kindGiven && st_.symbols[static_cast<size_t>(existing)].kind == SymKind::Variable) {
            // `Positive Variable x;` after `Variables x(i);` changes the kind of x.
            sym = existing;
            std::vector<int> dom = domainList();
            if (!dom.empty() && static_cast<int>(dom.size()) != st_.symbols[static_cast<size_t>(sym)].dim)
                failAt(nameTok, kErrDimension, "Dimension different from the earlier declaration of '" + nameTok.text + "'");
            std::string text = explanatoryText();
            if (!text.empty()) st_.symbols[static_cast<size_t>(sym)].text = text;
        } else {
            sym = declareName(SymKind::Variable, nameTok);
            std::vector<int> dom = domainList();
            setDomain(sym, dom);
            st_.symbols[static_cast<size_t>(sym)].domainOpen = dom.empty();
            st_.symbols[static_cast<size_t>(sym)].text = explanatoryText();
        }
        st_.symbols[static_cast<size_t>(sym)].varKind = kind;
        if (isPunct("/")) fail(kErrUnsupported, "Data lists for variables are not supported by this solver");
        if (!nextItem()) break;
    }
    endDeclaration();
}

// The domain just read becomes the symbol's, and fixes its dimension.
void Parser::setDomain(int sym, const std::vector<int>& dom) {
    Symbol& s = st_.symbols[static_cast<size_t>(sym)];
    s.domain = dom;
    s.dim = static_cast<int>(dom.size());
}

void Parser::fixOpenDomain(int sym, size_t dim) {
    Symbol& s = st_.symbols[static_cast<size_t>(sym)];
    if (!s.domainOpen) return;
    s.domainOpen = false;
    s.domain.assign(dim, -1);
    s.dim = static_cast<int>(dim);
}

void Parser::declareEquations() {
    while (tok_.kind == Tok::Ident) {
        Token nameTok = tok_;
        advance();
        int sym = declareName(SymKind::Equation, nameTok);
        std::vector<int> dom = domainList();
        setDomain(sym, dom);
        st_.symbols[static_cast<size_t>(sym)].text = explanatoryText();
        if (!nextItem()) break;
    }
    endDeclaration();
}

// `eq.x` in a model list: eq is matched with x for MCP; both must have the same
// index positions, matched element by element, and neither may be paired twice.
void Parser::modelPair(Symbol& m, int eq, const Token& eqTok) {
    advance();
    Token varTok = tok_;
    std::string name = expectIdent("the variable of the equation.variable pair");
    int var = st_.find(name);
    if (var < 0) failAt(varTok, kErrUnknownSymbol, "Unknown symbol '" + name + "'");
    const Symbol& v = st_.symbols[static_cast<size_t>(var)];
    const Symbol& e = st_.symbols[static_cast<size_t>(eq)];
    if (v.kind != SymKind::Variable) failAt(varTok, kErrModel, "'" + name + "' is not a variable (equation.variable pair)");
    if (v.dim != e.dim)
        failAt(varTok, kErrDimension, "Pair " + e.name + "." + v.name + ": the equation has " + std::to_string(e.dim) +
                                          " index position(s), the variable " + std::to_string(v.dim) +
                                          " (this solver matches elements with the same labels only)");
    for (const auto& [pe, pv] : m.pairs) {
        if (pe == eq && pv != var) failAt(eqTok, kErrModel, "Equation '" + e.name + "' is already paired with '" + st_.symbols[static_cast<size_t>(pv)].name + "'");
        if (pv == var && pe != eq) failAt(varTok, kErrModel, "Variable '" + v.name + "' is already paired with '" + st_.symbols[static_cast<size_t>(pe)].name + "'");
    }
    m.pairs.emplace_back(eq, var);
}

void Parser::declareModels() {
    while (tok_.kind == Tok::Ident) {
        Token nameTok = tok_;
        advance();
        int sym = declareName(SymKind::Model, nameTok);
        st_.symbols[static_cast<size_t>(sym)].text = explanatoryText();
        expectPunct("/", "to begin the model's equation list");
        Symbol& m = st_.symbols[static_cast<size_t>(sym)];
        while (!isPunct("/")) {
            bool minus = isPunct("-");  // all - e: every equation but e
            if (minus) advance();
            Token t = tok_;
            std::string name = expectIdent("an equation name or 'all'");
            int eq = st_.find(name);
            if (minus) {
                if (eq < 0 || st_.symbols[static_cast<size_t>(eq)].kind != SymKind::Equation)
                    failAt(t, kErrModel, "An equation expected after '-' in the model's list");
                m.excludedEquations.push_back(eq);
            } else if (toLower(name) == "all" && eq < 0) {
                // As GAMS: every equation declared so far; one declared after
                // the model statement is not part of the model.
                m.allEquations = true;
                for (size_t k = 0; k < st_.symbols.size(); k++)
                    if (st_.symbols[k].kind == SymKind::Equation) m.equations.push_back(static_cast<int>(k));
            } else if (eq < 0) {
                failAt(t, kErrUnknownSymbol, "Unknown symbol '" + name + "'");
            } else if (st_.symbols[static_cast<size_t>(eq)].kind == SymKind::Equation) {
                m.equations.push_back(eq);
                if (isPunct(".")) modelPair(m, eq, t);
            } else if (st_.symbols[static_cast<size_t>(eq)].kind == SymKind::Model) {
                const Symbol& other = st_.symbols[static_cast<size_t>(eq)];
                if (other.allEquations) m.allEquations = true;
                m.equations.insert(m.equations.end(), other.equations.begin(), other.equations.end());
                m.excludedEquations.insert(m.excludedEquations.end(), other.excludedEquations.begin(),
                                           other.excludedEquations.end());
                m.pairs.insert(m.pairs.end(), other.pairs.begin(), other.pairs.end());
            } else {
                failAt(t, kErrModel, "'" + name + "' is not an equation");
            }
            if (isPunct("."))
                failAt(t, kErrModel, "Only an equation can be paired with a variable ('" + name + ".')");
            if (isPunct(",") || isPunct("+")) advance();  // `/ m + mn /` joins lists as ',' does
        }
        advance();
        if (!nextItem()) break;
    }
    endStatement("at the end of the model statement");
}

}  // namespace gamsub
