#include "CompileTimeSets.h"

#include "CompileErrors.h"
#include "Parser.h"
#include "Symbols.h"

namespace gamsub {

bool compileTimeCardinality(const SourceText& soFar, const std::string& name, double& count, std::string& error) {
    // The parser puts declarations and their data into the symbol table as it
    // reads, which is exactly the state GAMS's compiler has at this line.
    SymbolTable symbols;
    CompileErrors errors;
    Parser(soFar, symbols, errors).parse();
    if (!errors.empty()) {
        error = "card(" + name + ") at compile time needs the lines before it to compile on their own (line " +
                std::to_string(errors.all().front().line) + ": " + errors.all().front().message + ")";
        return false;
    }
    int set = symbols.setOf(name);
    if (set < 0) {
        error = "card(" + name + ") at compile time: '" + name + "' is not a set declared before this line";
        return false;
    }
    count = static_cast<double>(symbols.symbols[static_cast<size_t>(set)].members.size());
    return true;
}

}  // namespace gamsub
