// The bundled solver for a subset of the GAMS language: compiles the model
// file, runs it, and writes a listing that reads like a GAMS listing.
#include <unistd.h>

#include <chrono>
#include <climits>
#include <cstdio>
#include <fstream>
#include <iomanip>
#include <iostream>
#include <memory>
#include <sstream>

#include "CommandLine.h"
#include "Executor.h"
#include "Listing.h"
#include "ListingSource.h"
#include "Parser.h"
#include "SourceText.h"

using namespace gamsub;

namespace {

using Clock = std::chrono::steady_clock;

double since(Clock::time_point t) { return std::chrono::duration<double>(Clock::now() - t).count(); }

std::string absolutePath(const std::string& path) {
    if (!path.empty() && path[0] == '/') return path;
    std::vector<char> buf(PATH_MAX + 1, '\0');
    if (!getcwd(buf.data(), buf.size() - 1)) return path;
    return std::string(buf.data()) + "/" + path;
}

std::string seconds(double s) {
    std::ostringstream o;
    o << std::fixed << std::setprecision(3) << std::setw(13) << s;
    return o.str();
}

void fileSummary(std::ostream& out, const std::string& input, const std::string& output) {
    out << "\n\n**** FILE SUMMARY\n\nInput      " << absolutePath(input) << "\nOutput     " << absolutePath(output)
        << '\n';
}

int run(const std::vector<std::string>& args, Clock::time_point start) {
    Options opt = parseCommandLine(args);
    if (!opt.error.empty()) {
        std::cerr << "*** " << opt.error << '\n';
        return 6;  // GAMS's code for a bad command line parameter
    }
    if (!opt.curdir.empty() && chdir(opt.curdir.c_str()) != 0) {
        std::cerr << "*** Cannot change to directory " << opt.curdir << '\n';
        return 6;
    }
    std::string input = resolveInput(opt.input);
    std::string output = opt.output.empty() ? defaultListing(input) : opt.output;

    std::ofstream logFile;
    std::ostream* log = nullptr;
    if (opt.logOption == 2) {
        logFile.open(opt.logFile.empty() ? defaultListing(input).substr(0, defaultListing(input).size() - 4) + ".log"
                                         : opt.logFile);
        if (logFile) log = &logFile;
    } else if (opt.logOption != 0) {
        log = &std::cout;
    }
    if (log) *log << "--- Job " << input << " Start (bundled GAMS-subset solver)\n";

    std::ofstream lst(output, std::ios::binary);
    if (!lst) {
        std::cerr << "*** Cannot open the listing file " << output << '\n';
        if (log) *log << "*** Cannot open the listing file " << output << '\n';
        return 5;  // GAMS's code for a file error
    }

    std::ifstream in(input, std::ios::binary);
    std::string text;
    CompileErrors errors;
    if (!in) {
        errors.add(1, 1, 900, "Could not open the input file " + input);
    } else {
        std::ostringstream ss;
        ss << in.rdbuf();
        text = ss.str();
    }
    if (log) *log << "--- Starting compilation\n";
    SourceText source = prepareSource(text, errors);
    SymbolTable symbols;
    std::vector<Statement> program = Parser(source, symbols, errors).parse();

    Listing listing(lst, source.title);
    listing.newPage("C o m p i l a t i o n");
    writeSourceEcho(lst, source, errors);
    if (!errors.empty()) {
        lst << "\n**** " << errors.count() << " ERROR(S)   0 WARNING(S)\n";
        lst << "\n\nCOMPILATION TIME     =" << seconds(since(start)) << " SECONDS      0 MB  gams-subset\n";
        fileSummary(lst, input, output);
        lst << "\n**** USER ERROR(S) ENCOUNTERED\n";
        if (log) {
            for (const CompileError& e : errors.all())
                *log << "*** Error " << e.code << " in " << input << " line " << e.line << ": " << e.message << '\n';
            *log << "--- Job " << input << " Stop\n*** Status: Compilation error(s)\n";
            *log << "--- Timing: total " << std::fixed << std::setprecision(3) << since(start) << " s, Ipopt 0.000 s\n";
        }
        return 2;
    }
    lst << "\n\nCOMPILATION TIME     =" << seconds(since(start)) << " SECONDS      0 MB  gams-subset\n";

    if (log) *log << "--- Starting execution\n";
    Clock::time_point execStart = Clock::now();
    ExecutionResult result = execute(program, symbols, listing, log);
    lst << "\n\nEXECUTION TIME       =" << seconds(since(execStart)) << " SECONDS      0 MB  gams-subset\n";
    fileSummary(lst, input, output);
    if (result.execErrors > 0) lst << "\n**** USER ERROR(S) ENCOUNTERED\n";
    lst.flush();
    if (log) {
        *log << "--- Job " << input << " Stop\n*** Status: "
             << (result.execErrors ? "Execution error(s)" : "Normal completion") << '\n';
        *log << "--- Timing: total " << std::fixed << std::setprecision(3) << since(start) << " s, Ipopt "
             << result.ipoptSeconds << " s\n";
    }
    return result.execErrors ? 3 : 0;
}

}  // namespace

int main(int argc, char** argv) {
    Clock::time_point start = Clock::now();
    std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + (argc > 0 ? argc : 0));
    try {
        return run(args, start);
    } catch (const std::exception& e) {
        // Nothing should get here; if it does, fail like a GAMS system error, not a crash.
        std::cerr << "*** Internal error: " << e.what() << '\n';
        return 3;
    } catch (...) {
        std::cerr << "*** Internal error\n";
        return 3;
    }
}
