// Fuzz target: the bundled solver's language front end. The input is compiled
// as a GAMS program and, when it compiles, run without a log and with a time
// limit of half a second, as `gams input lo=0 reslim=0.5` would.
#include <cstdint>
#include <sstream>
#include <string>

#include "Executor.h"
#include "Listing.h"
#include "ListingSource.h"
#include "Parser.h"
#include "SourceText.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace gamsub;
    std::string text(reinterpret_cast<const char*>(data), size);
    CompileErrors errors;
    SourceText source = prepareSource(text, errors);
    SymbolTable symbols;
    std::vector<Statement> program = Parser(source, symbols, errors).parse();
    std::ostringstream lst;
    Listing listing(lst, source.title);
    writeSourceEcho(lst, source, errors);
    if (!errors.empty()) return 0;
    ExecuteSettings settings;
    settings.solve.reslim = 0.5;
    execute(program, symbols, listing, nullptr, settings);
    return 0;
}
