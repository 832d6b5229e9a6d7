// Control statements: loop, if/elseif/else, while, abort, and the ends of
// statements inside their bodies.
#include "Parser.h"

namespace gamsub {

bool Parser::atStatementEnd() const {
    if (isPunct(";") || tok_.kind == Tok::End) return true;  // GAMS accepts a missing ';' at the end of the file
    return blockDepth_ > 0 && (isPunct(")") || isWord("else") || isWord("elseif") || (untilDepth_ > 0 && isWord("until")));
}

void Parser::endStatement(const char* what) {
    if (isPunct(";")) {
        advance();
        return;
    }
    // GAMS lets a statement end without ';' where the next begins with a keyword.
    if (!atStatementEnd() && !atStatementKeyword()) fail(kErrSyntax, std::string("';' expected ") + what);
}

bool Parser::atStatementKeyword() const {
    if (tok_.kind != Tok::Ident) return false;
    if (isDeclarationKeyword(tok_.text)) return true;
    static const char* const control[] = {"loop", "if", "while", "for", "repeat", "abort", "break", "continue",
                                          "execseed", "execute"};
    std::string w = toLower(tok_.text);
    for (const char* k : control)
        if (w == k) return st_.find(tok_.text) < 0;
    return false;
}

// Statements up to the closing ')' of a loop, if or while (or an else/elseif).
void Parser::blockBody(std::vector<Statement>& out, bool stopAtElse) {
    if (++blockDepth_ > 100) {
        blockDepth_ = 0;
        fail(kErrUnsupported, "Control statements nested too deeply (more than 100 levels)");
    }
    while (!isPunct(")") && !(stopAtElse && (isWord("else") || isWord("elseif"))) && !(untilDepth_ > 0 && isWord("until"))) {
        if (tok_.kind == Tok::End) fail(kErrSyntax, "')' expected to close the control statement");
        if (tok_.kind == Tok::Ident && isDeclarationKeyword(tok_.text) && !isWord("solve") && !isWord("display") &&
            !isWord("option") && !isWord("options") && !isWord("put") && !isWord("putclose"))
            fail(kErrSyntax, "Declarations are not allowed inside a loop, if or while statement");
        Position before = tok_.start;
        statement(out);
        if (tok_.start.line == before.line && tok_.start.col == before.col && !isPunct(")"))
            fail(kErrSyntax, "Unrecognizable item");
    }
    blockDepth_--;
}

Statement Parser::loopStatement() {
    Statement st = openStatement(Statement::Loop);
    expectPunct("(", "after loop");
    controlled_ = loopControlled_;
    controlList(st.loopIdx, st.cond);
    size_t mark = loopControlled_.size();
    for (const std::string& idx : st.loopIdx) loopControlled_.push_back(idx);
    controlled_ = loopControlled_;
    if (isPunct("$")) {
        advance();
        ExprPtr more = primary();
        st.cond = st.cond ? binaryAnd(st.cond, more) : more;
    }
    expectPunct(",", "between the loop's indices and its statements");
    loopBodies_++;
    blockBody(st.body, false);
    loopBodies_--;
    loopControlled_.resize(mark);
    controlled_ = loopControlled_;
    expectPunct(")", "to close the loop");
    endStatement("after the loop");
    return st;
}

Statement Parser::ifStatement() {
    Statement st = openStatement(Statement::If);
    expectPunct("(", "after if");
    for (;;) {
        Branch b;
        controlled_ = loopControlled_;
        b.cond = expression();
        if (b.cond->hasVar) fail(kErrSyntax, "A variable needs an attribute (.l, .m, ...) in a condition");
        expectPunct(",", "after the condition");
        blockBody(b.body, true);
        st.branches.push_back(std::move(b));
        if (!isWord("elseif")) break;
        advance();
    }
    if (isWord("else")) {
        advance();
        blockBody(st.elseBody, false);
    }
    expectPunct(")", "to close the if statement");
    endStatement("after the if statement");
    return st;
}

Statement Parser::whileStatement() {
    Statement st = openStatement(Statement::While);
    expectPunct("(", "after while");
    controlled_ = loopControlled_;
    st.cond = expression();
    expectPunct(",", "after the condition");
    loopBodies_++;
    blockBody(st.body, false);
    loopBodies_--;
    expectPunct(")", "to close the while statement");
    endStatement("after the while statement");
    return st;
}

// for (s = a to|downto b [by c], ...);  s is a scalar parameter.
Statement Parser::forStatement() {
    Statement st = openStatement(Statement::For);
    expectPunct("(", "after for");
    Token var = tok_;
    expectIdent("a scalar parameter to count with");
    st.sym = st_.find(var.text);
    if (st.sym < 0 || st_.symbols[static_cast<size_t>(st.sym)].kind != SymKind::Parameter ||
        st_.symbols[static_cast<size_t>(st.sym)].dim != 0)
        failAt(var, kErrSyntax, "A for statement counts with a declared scalar parameter");
    expectPunct("=", "after the counter");
    controlled_ = loopControlled_;
    st.value = expression();
    if (isWord("downto")) st.downward = true;
    else if (!isWord("to")) fail(kErrSyntax, "'to' or 'downto' expected in the for statement");
    advance();
    st.to = expression();
    if (isWord("by")) {
        advance();
        st.step = expression();
    }
    expectPunct(",", "before the statements of the for statement");
    loopBodies_++;
    blockBody(st.body, false);
    loopBodies_--;
    expectPunct(")", "to close the for statement");
    endStatement("after the for statement");
    return st;
}

// repeat (statements until cond);  or  repeat statements until cond;
Statement Parser::repeatStatement() {
    Statement st = openStatement(Statement::Repeat);
    bool parenthesised = isPunct("(");
    if (parenthesised) advance();
    untilDepth_++;
    loopBodies_++;
    blockBody(st.body, false);
    loopBodies_--;
    untilDepth_--;
    if (!isWord("until")) fail(kErrSyntax, "'until' expected in the repeat statement");
    advance();
    controlled_ = loopControlled_;
    st.cond = expression();
    if (parenthesised) expectPunct(")", "to close the repeat statement");
    endStatement("after the repeat statement");
    return st;
}

// abort[$cond] ['text'] [, items];  stops the run with an execution error.
Statement Parser::abortStatement() {
    Statement st = openStatement(Statement::Abort);
    controlled_ = loopControlled_;
    if (isPunct("$")) {
        advance();
        st.cond = primary();
    }
    while (!atStatementEnd() && !atStatementKeyword()) {
        if (tok_.kind == Tok::String && st.attr.empty()) st.attr = tok_.text;  // the message
        advance();
    }
    endStatement("at the end of the abort statement");
    return st;
}

}  // namespace gamsub

namespace gamsub {

// break[$cond]; continue[$cond];  inside the body of a loop, while, for or repeat.
Statement Parser::loopExit(Statement::Kind kind) {
    Token word = tok_;
    if (loopBodies_ == 0)
        fail(kErrSyntax, "'" + word.text + "' is only allowed inside a loop, while, for or repeat statement");
    Statement st = openStatement(kind);
    if (isPunct("$")) {  // break$(cond): only when cond holds
        advance();
        controlled_ = loopControlled_;
        st.cond = primary();
    }
    if (tok_.kind == Tok::Number)
        fail(kErrUnsupported, "'" + word.text + "' with a count of levels is not supported by this solver");
    endStatement(("after " + word.text).c_str());
    return st;
}

// execute_unload 'file' [sym[, sym] ...]: no GDX library exists here, so the
// symbols are written as text to file.txt when the statement runs (see
// UnloadText.h). Renaming (name=sym) and anything but whole symbols is refused.
Statement Parser::unloadStatement() {
    Statement st = openStatement(Statement::Unload);
    st.attr = tok_.text;
    if (st.attr.empty()) fail(kErrSyntax, "execute_unload needs a file name");
    advance();
    while (!atStatementEnd() && !atStatementKeyword()) {
        if (isPunct(",")) {
            advance();
            continue;
        }
        Token nameTok = tok_;
        std::string name = expectIdent("a symbol to unload");
        int sym = st_.find(name);
        if (sym < 0) failAt(nameTok, kErrUnknownSymbol, "Unknown symbol '" + name + "'");
        if (isPunct("=") || isPunct("."))
            failAt(tok_, kErrUnsupported, "execute_unload writes whole symbols under their own names only here");
        DisplayItem item;
        item.sym = sym;
        st.items.push_back(item);
    }
    endStatement("at the end of the execute_unload statement");
    return st;
}

}  // namespace gamsub
