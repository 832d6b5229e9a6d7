// The option mode: every run parameter given on the command line, nothing asked.
#ifndef PHA_RUNOPTIONS_H
#define PHA_RUNOPTIONS_H

#include <string>
#include <vector>

// --digits not given: every value written so that it reads back as the same double.
constexpr int kFullPrecision = -1;

// The ranges of the counts, checked before anything is allocated: the codes
// @100.. and @200.. hold 100 first-stage values each; the others keep every
// count and every iteration number far from the int range.
constexpr int kMaxFirstStage = 100;
constexpr int kMaxSecondStage = 1000000;
constexpr int kMaxIterations = 1000000000;
constexpr int kMaxWorkers = 100000;

struct RunOptions {
    // What the dialogue asks for.
    std::string templateFile;   // --template
    std::string scenariosFile;  // --scenarios
    int n1 = 0;                 // --n1: first-stage variables
    int n2 = 0;                 // --n2: second-stage variables
    double tolerance = 0.0;     // --tol: the stop tolerance for delta
    double rho = 0.0;           // --rho: the penalty parameter (0 with --rho auto or only --rho-file)
    bool rhoAuto = false;       // --rho auto: rho per first-stage variable after iteration 0
    std::string rhoFile;        // --rho-file: rho per first-stage variable
    std::string rhoUpdate = "none";  // --rho-update: none or balance
    int maxIterations = 0;      // --max-iter
    int accelerate = 0;         // --accelerate: Anderson acceleration with this memory; 0: off

    // How the scenarios are solved.
    std::string gamsPath;       // --gams; empty: the first line of pathGAMS.txt
    std::string start = "solve";  // --start: "solve", "zero" or a file of first-stage values per scenario
    int workers = 0;            // --workers: MPI ranks; 0: the number of cores, at most the scenarios
    double solveTimeout = 0.0;  // --solve-timeout: seconds one iteration's solves may take; 0: no limit

    // What the run measures and reports.
    std::string costVariable;       // --cost: scalar variable holding a scenario's cost without hedging terms
    std::string objectiveVariable;  // --objective: default the variable the solve statement optimises
    int boundEvery = 0;             // --bound-every: bounds every K iterations (and at the end); 0: only at the end
    double gap = -1.0;              // --gap: stop when the relative gap of the bounds is at most this; < 0: off
    int digits = kFullPrecision;    // --digits: decimals of the values written into the models
    std::string jsonFile;           // --json: a machine-readable record of the run
    std::string resumeFile;         // --resume: a --json record to go on from
    bool extensiveForm = false;     // --ef: solve the extensive form instead of hedging
    bool extensiveCheck = false;    // --ef-check: solve it first, and print it beside the bounds at the end
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
