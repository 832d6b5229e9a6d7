// The option mode: every run parameter given on the command line, nothing asked.
#ifndef PHA_RUNOPTIONS_H
#define PHA_RUNOPTIONS_H

#include <string>
#include <vector>

// --digits not given: every value written so that it reads back as the same double.
constexpr int kFullPrecision = -1;

// The defaults of the stop rule and the bounds, measured on the examples with
// tools/bench-defaults: with --tol 1e-4 the farmer, LandS, the quadratic and
// the facility example end within 1e-5 of the extensive form's cost, in at
// most 79 iterations (the L-shaped example, a hard case, in 232); a bound
// round costs about one iteration, so bounds every 10 iterations take 6 to
// 10% of the time (15% for the nonlinear example).
constexpr double kDefaultTolerance = 1e-4;
constexpr int kDefaultMaxIterations = 300;
constexpr int kDefaultBoundEvery = 10;
// Integer first stages: fix an entry every scenario chose for this many steps in a row,
// slam one after this many steps without progress (IntegerHeuristics; 0 turns either off).
constexpr int kDefaultFixAfter = 3;
constexpr int kDefaultSlamAfter = 10;
// The ranges of the counts, checked before anything is allocated; they keep
// every count and every iteration number far from the int range. (--n1 has
// the second stage's bound: the codes @100.. and @200.. hold 100 values each,
// which is checked against the template, since pha's own terms need no codes.)
constexpr int kMaxSecondStage = 1000000;
constexpr int kMaxIterations = 1000000000;
constexpr int kMaxWorkers = 100000;

struct RunOptions {
    // What the dialogue asks for.
    std::string templateFile;   // --template
    std::string scenariosFile;  // --scenarios
    int n1 = 0;                 // --n1: first-stage variables
    int n2 = 0;                 // --n2: second-stage variables
    double tolerance = kDefaultTolerance;  // --tol: the stop tolerance for delta
    double rho = 0.0;           // --rho: the penalty parameter (0 with --rho auto or only --rho-file)
    bool rhoAuto = false;       // --rho auto: rho per first-stage variable after iteration 0
    std::string rhoFile;        // --rho-file: rho per first-stage variable
    std::string rhoUpdate = "none";  // --rho-update: none or balance
    int maxIterations = kDefaultMaxIterations;  // --max-iter
    int accelerate = 0;         // --accelerate: Anderson acceleration with this memory; 0: off
    int fixAfter = kDefaultFixAfter;    // --fix-after: integer entries agreed this many steps are fixed; 0: off
    int slamAfter = kDefaultSlamAfter;  // --slam-after: steps without progress before one integer entry is slammed; 0: off

    // How the scenarios are solved.
    std::string gamsPath;       // --gams; empty: the first line of pathGAMS.txt
    std::string start = "solve";  // --start: "solve", "zero" or a file of first-stage values per scenario
    int workers = 0;            // --workers: MPI ranks; 0: the number of cores, at most the scenarios
    double solveTimeout = 0.0;  // --solve-timeout: seconds one iteration's solves may take; 0: no limit

    // What the run measures and reports.
    std::string costVariable;       // --cost: scalar variable holding a scenario's cost without hedging terms
    std::string objectiveVariable;  // --objective: default the variable the solve statement optimises
    int boundEvery = kDefaultBoundEvery;  // --bound-every: bounds every K iterations (and at the end); 0: only at the end
    double gap = -1.0;              // --gap: stop when the relative gap of the bounds is at most this; < 0: off
    double absGap = -1.0;           // --abs-gap: stop when U - L is at most this; < 0: off
    int digits = kFullPrecision;    // --digits: decimals of the values written into the models
    std::string jsonFile;           // --json: a machine-readable record of the run
    std::string resumeFile;         // --resume: a --json record to go on from
    bool extensiveForm = false;     // --ef: solve the extensive form instead of hedging
    bool extensiveCheck = false;    // --ef-check: solve it first, and print it beside the bounds at the end
    bool verbose = false;           // --verbose: every iteration's decisions and the settings on the console
};

// What the command line asked for: a run, or only a text to print.
struct ParsedCommandLine {
    enum Action { Run, PrintAndExit, Refuse } action = Run;
    RunOptions options;
    std::string text;  // help, version, or the refusal with its usage line
};

// Parses pha's arguments (without the program name). The checks are those of
// the dialogue; each refusal names the option and the value.
ParsedCommandLine parseRunOptions(const std::vector<std::string>& args);

#endif
