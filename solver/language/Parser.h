// Compiles the cleaned source: declarations and data go into the symbol
// table at once (as in GAMS, data is known at compile time); assignments,
// solves and displays become statements. Errors are collected, never thrown out.
#ifndef GAMSUB_PARSER_H
#define GAMSUB_PARSER_H

#include <map>
#include <string>
#include <vector>

#include "CompileErrors.h"
#include "Program.h"
#include "Scanner.h"
#include "Symbols.h"

namespace gamsub {

class Parser {
public:
    Parser(const SourceText& source, SymbolTable& symbols, CompileErrors& errors);
    std::vector<Statement> parse();

private:
    struct Failure {  // a compilation error that abandons the current statement
        int line, col, code;
        std::string message;
    };

    // Tokens
    void advance();
    Token peek();  // the token after the current one, without moving
    bool isPunct(const char* p) const;
    bool isWord(const char* w) const;  // identifier, case-insensitive
    void expectPunct(const char* p, const char* what);
    std::string expectIdent(const char* what);
    [[noreturn]] void fail(int code, const std::string& message) const;
    [[noreturn]] void failAt(const Token& t, int code, const std::string& message) const;
    void recover();

    // Statements
    void statement(std::vector<Statement>& out);
    void declareSets(bool singleton);
    void declareAlias();
    void declareParameters(bool scalar);
    void declareTable();
    void declareVariables(VarKind kind, bool kindGiven);
    static VarKind variableKind(const std::string& word);  // free, positive, binary, ...
    void declareEquations();
    void declareModels();
    void modelPair(Symbol& model, int equation, const Token& equationToken);
    void defineEquation(int sym);
    Statement assignment(int sym);
    Statement openStatement(Statement::Kind kind);
    Statement solve();
    Statement display();
    void option(std::vector<Statement>& out);
    static bool modelTypeOf(const std::string& word, ModelType& type);
    void declareFiles();
    bool atStatementEnd() const;
    bool atStatementKeyword() const;  // a keyword that begins a statement: the one before may omit its ';'
    void endStatement(const char* what);
    void blockBody(std::vector<Statement>& out, bool stopAtElse);
    Statement loopStatement();
    Statement ifStatement();
    Statement whileStatement();
    Statement abortStatement();
    Statement unloadStatement();
    Statement loopExit(Statement::Kind kind);
    Statement forStatement();
    Statement repeatStatement();
    Statement fileAttribute(int sym, const Token& nameTok, Statement st);
    Statement putStatement(bool close);
    void putItemFormat(PutItem& item);

    // Declaration helpers
    int declareName(SymKind kind, const Token& nameTok);
    int laterData(SymKind kind, const Token& nameTok);
    std::vector<int> domainList();
    void setDomain(int sym, const std::vector<int>& dom);
    void fixOpenDomain(int sym, size_t dim);  // the first reference of a symbol declared without a domain
    std::string explanatoryText(bool toLineEnd = false);
    bool nextItem();  // after an item: true when another follows
    void endDeclaration();  // ';', or nothing when a declaration keyword follows
    static bool isDeclarationKeyword(const std::string& word);

    // Data read by layout
    void setData(int sym);
    void parameterData(int sym);
    bool rangeStarFollows();
    bool readLabelTuple(std::vector<std::string>& parts, int& col);
    std::vector<std::string> readLabelPosition(int& col);
    std::vector<std::vector<std::string>> readLabelTuples(int& col);
    std::string readLabel(int& col);
    std::vector<std::string> expandRange(const std::string& from, const std::string& to, int col);
    double readValue(int& col);
    double compileTimeValue(int& col);
    Tuple toTuple(int sym, const std::vector<std::string>& parts, int line, int col);
    void beginRawData();
    bool nextDataItem(const char* list);
    void endRawData();

    // Expressions
    ExprPtr expression();
    ExprPtr orExpr();
    ExprPtr andExpr();
    ExprPtr notExpr();
    ExprPtr compareExpr();
    ExprPtr addExpr();
    ExprPtr mulExpr();
    ExprPtr unaryExpr();
    ExprPtr powerExpr();
    ExprPtr dollarExpr();
    ExprPtr primary();
    ExprPtr symbolRef(const Token& nameTok);
    ExprPtr aggregation(const std::string& name, int line);
    // `argsOut`: the index positions written, multi-dimensional sets expanded.
    ExprPtr domainCondition(const Token& nameTok, std::vector<std::string>& indices,
                            std::vector<IndexArg>* argsOut = nullptr);
    ExprPtr functionCall(const std::string& name, int line);
    std::vector<IndexArg> indexList(int sym);
    IndexArg indexArg(int sym, int position);
    bool tupleIndex(std::vector<IndexArg>& out);
    bool tupleControlled(const std::string& name) const;
    ExprPtr wholeTuple(const Token& nameTok, std::vector<IndexArg>& args);
    void controlList(std::vector<std::string>& indices, ExprPtr& cond);
    static ExprPtr binaryAnd(ExprPtr a, ExprPtr b);  // both conditions
    void readShift(IndexArg& a, int set);
    bool isControlled(const std::string& index) const;

    SymbolTable& st_;
    CompileErrors& errors_;
    Scanner sc_;
    Token tok_;
    Position tokEnd_, prevEnd_;
    std::vector<std::string> controlled_;  // indices bound where an expression is read
    std::vector<std::string> loopControlled_;  // indices the enclosing loops bind
    // A multi-dimensional set written as the domain of a sum, loop or equation,
    // d(s1,s2), and the indices it stands for where `d` is used as an index.
    std::map<std::string, std::vector<IndexArg>> tupleOf_;
    bool allowVars_ = false;              // inside an equation definition
    int depth_ = 0;                        // nesting of parentheses and calls, bounded
    int blockDepth_ = 0;                   // nesting of loop, if and while bodies
    int untilDepth_ = 0;                   // inside repeat bodies, where `until` ends the body
    int loopBodies_ = 0;                   // inside loop, while, for or repeat bodies: break and continue allowed
    struct DepthGuard {
        explicit DepthGuard(Parser& p);
        ~DepthGuard();
        Parser& parser;
    };
};

}  // namespace gamsub

#endif
