#include "RunGams.h"

#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <climits>
#include <fstream>
#include <iomanip>
#include <iostream>
#include <map>
#include <new>
#include <sstream>

#include "BundledIdentity.h"
#include "CheckedOutputFile.h"
#include "CommandLine.h"
#include "Executor.h"
#include "Listing.h"
#include "ListingSource.h"
#include "Parser.h"
#include "PhaseTimes.h"
#include "SourceText.h"
#include "WarmStarts.h"

namespace gamsub {

namespace {

using Clock = std::chrono::steady_clock;

double since(Clock::time_point t) { return std::chrono::duration<double>(Clock::now() - t).count(); }

std::string workingDirectory() {
    std::vector<char> buffer(PATH_MAX + 1, '\0');
    if (!getcwd(buffer.data(), buffer.size() - 1)) return ".";
    return buffer.data();
}

bool isDirectory(const std::string& path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::string joined(const std::string& directory, const std::string& path) {
    if (path.empty() || path[0] == '/' || directory.empty()) return path;
    return directory.back() == '/' ? directory + path : directory + "/" + path;
}

// $include takes relative names against the folder of the file being read.
std::string directoryOf(const std::string& path) {
    size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash == 0 ? 1 : slash);
}

std::string seconds(double s) {
    std::ostringstream o;
    o << std::fixed << std::setprecision(3) << std::setw(13) << s;
    return o.str();
}

// One run: the paths it works on and the streams it writes.
class GamsRun {
public:
    GamsRun(std::ostream& console, std::ostream& errors) : console_(console), errors_(errors) {}

    int run(const std::vector<std::string>& args);

private:
    int compileAndExecute();
    bool openLog(const Options& options);
    void fileSummary(std::ostream& out) const;
    // Closes the listing and the log; false (with a message on stderr) when
    // either could not be written completely.
    bool finishFiles(const std::string& status);

    std::ostream& console_;
    std::ostream& errors_;
    Clock::time_point start_ = Clock::now();
    PhaseClock phases_;
    std::string base_;  // the directory relative paths are taken against (absolute)
    std::string input_, output_, logPath_;
    CheckedOutputFile listingFile_, logFile_;
    std::ostream* log_ = nullptr;
    SolveOptions limits_;
    std::map<std::string, std::string> variables_;
    bool listingOpen_ = false;
    double solverSeconds_ = 0.0;
};

bool GamsRun::openLog(const Options& options) {
    if (options.logOption == 0) return true;
    if (options.logOption != 2) {
        log_ = &console_;
        return true;
    }
    std::string listingBase = defaultListing(input_);
    logPath_ = joined(base_, options.logFile.empty() ? listingBase.substr(0, listingBase.size() - 4) + ".log"
                                                     : options.logFile);
    if (!logFile_.open(logPath_)) {
        errors_ << "*** Cannot open the log file " << logPath_ << ": " << logFile_.error() << '\n';
        return false;
    }
    log_ = &logFile_;
    return true;
}

void GamsRun::fileSummary(std::ostream& out) const {
    out << "\n\n**** FILE SUMMARY\n\nInput      " << input_ << "\nOutput     " << output_ << '\n';
}

bool GamsRun::finishFiles(const std::string& status) {
    bool complete = !listingOpen_ || listingFile_.close();
    if (!complete)
        errors_ << "*** Could not write the listing file " << output_ << " completely: " << listingFile_.error() << '\n';
    if (log_) {
        *log_ << "--- Job " << input_ << " Stop\n*** Status: " << (complete ? status : "File error(s)") << '\n';
        *log_ << "--- Timing: total " << std::fixed << std::setprecision(3) << since(start_) << " s, Ipopt "
              << solverSeconds_ << " s\n";
        bool logComplete = log_ == &logFile_ ? logFile_.close() : static_cast<bool>(log_->flush());
        if (!logComplete) {
            errors_ << "*** Could not write the log " << (logPath_.empty() ? "to standard output" : logPath_)
                    << " completely" << (logFile_.failed() ? ": " + logFile_.error() : std::string()) << '\n';
            complete = false;
        }
    }
    return complete;
}

int GamsRun::run(const std::vector<std::string>& args) {
    Options options = parseCommandLine(args);
    if (!options.error.empty()) {
        errors_ << "*** " << options.error << '\n';
        return kParameterError;
    }
    if (options.bundledId) {
        console_ << kBundledSolverMarker << '\n';
        return kNormalReturn;
    }
    limits_ = options.limits;
    variables_ = options.variables;
    std::string cwd = workingDirectory();
    base_ = options.curdir.empty() ? cwd : joined(cwd, options.curdir);
    if (!isDirectory(base_)) {
        errors_ << "*** Cannot use directory " << options.curdir << '\n';
        return kParameterError;
    }
    input_ = resolveInput(joined(base_, options.input));
    output_ = joined(base_, options.output.empty() ? defaultListing(input_) : options.output);
    if (!openLog(options)) return kFileError;
    if (log_) *log_ << "--- Job " << input_ << " Start (bundled GAMS-subset solver)\n";

    if (!listingFile_.open(output_)) {
        errors_ << "*** Cannot open the listing file " << output_ << ": " << listingFile_.error() << '\n';
        if (log_) *log_ << "*** Cannot open the listing file " << output_ << '\n';
        finishFiles("File error(s)");
        return kFileError;
    }
    listingOpen_ = true;
    phases_.lap(&PhaseTimes::commandLine);
    return compileAndExecute();
}

int GamsRun::compileAndExecute() {
    std::ifstream in(input_, std::ios::binary);
    std::string text;
    CompileErrors errors;
    if (!in) {
        errors.add(1, 1, 900, "Could not open the input file " + input_);
    } else {
        std::ostringstream ss;
        ss << in.rdbuf();
        text = ss.str();
    }
    if (log_) *log_ << "--- Starting compilation\n";
    SourceSettings sourceSettings;
    sourceSettings.directory = directoryOf(input_);
    sourceSettings.fileName = input_;
    sourceSettings.variables = variables_;
    SourceText source = prepareSource(text, errors, sourceSettings);
    SymbolTable symbols;
    std::vector<Statement> program = Parser(source, symbols, errors).parse();
    phases_.lap(&PhaseTimes::frontEnd);

    std::ostream& lst = listingFile_;
    Listing listing(lst, source.title);
    listing.newPage("C o m p i l a t i o n");
    writeSourceEcho(lst, source, errors);
    phases_.lap(&PhaseTimes::sourceEcho);
    if (!errors.empty()) {
        lst << "\n**** " << errors.count() << " ERROR(S)   0 WARNING(S)\n";
        lst << "\n\nCOMPILATION TIME     =" << seconds(since(start_)) << " SECONDS      0 MB  gams-subset\n";
        fileSummary(lst);
        lst << "\n**** USER ERROR(S) ENCOUNTERED\n";
        if (log_)
            for (const CompileError& e : errors.all())
                *log_ << "*** Error " << e.code << " in " << input_ << " line " << e.line << ": " << e.message << '\n';
        return finishFiles("Compilation error(s)") ? kCompilationError : kFileError;
    }
    lst << "\n\nCOMPILATION TIME     =" << seconds(since(start_)) << " SECONDS      0 MB  gams-subset\n";

    if (log_) *log_ << "--- Starting execution\n";
    beginWarmStartRun(input_);
    Clock::time_point execStart = Clock::now();
    ExecuteSettings settings;
    settings.solve = limits_;
    settings.directory = base_;
    ExecutionResult result = execute(program, symbols, listing, log_, settings);
    phases_.lap(&PhaseTimes::execution);
    solverSeconds_ = result.ipoptSeconds;
    lst << "\n\nEXECUTION TIME       =" << seconds(since(execStart)) << " SECONDS      0 MB  gams-subset\n";
    fileSummary(lst);
    if (result.execErrors > 0) lst << "\n**** USER ERROR(S) ENCOUNTERED\n";
    bool failed = result.execErrors > 0;
    bool finished = finishFiles(failed ? "Execution error(s)" : "Normal completion");
    phases_.lap(&PhaseTimes::closeFiles);
    if (!finished) return kFileError;
    return failed ? kExecutionError : kNormalReturn;
}

}  // namespace

int runGams(const std::vector<std::string>& args, std::ostream& console, std::ostream& errors) {
    try {
        GamsRun run(console, errors);
        return run.run(args);
    } catch (const std::bad_alloc&) {
        errors << "*** Out of memory: the model needs more memory than this machine gives the solver\n";
    } catch (const std::exception& e) {
        // Nothing should get here; if it does, fail like a GAMS system error, not a crash.
        errors << "*** Internal error: " << e.what() << '\n';
    } catch (...) {
        errors << "*** Internal error\n";
    }
    return kSystemError;
}

int runGams(const std::vector<std::string>& args) { return runGams(args, std::cout, std::cerr); }

}  // namespace gamsub
