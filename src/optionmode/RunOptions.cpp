#include "RunOptions.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "ModelNames.h"
#include "CheckedNumbers.h"
#include "InputFiles.h"
#include "Version.h"

namespace {

// Every numeric option is read by the checked number reader before CLI11
// converts it, so no conversion can fail or overflow later; each refusal names
// the option (CLI11 puts it first) and the value.
std::string finiteNumber(const std::string& text) {
    double v = 0.0;
    const std::string why = readDecimal(text, v);
    return why.empty() ? "" : quotedToken(text) + " " + why;
}

std::string positiveNumber(const std::string& text) {
    double v = 0.0;
    const std::string why = readDecimal(text, v);
    if (!why.empty()) return quotedToken(text) + " " + why;
    if (v <= 0.0) return quotedToken(text) + " must be greater than 0";
    return "";
}

std::string nonNegativeNumber(const std::string& text) {
    double v = 0.0;
    const std::string why = readDecimal(text, v);
    if (!why.empty()) return quotedToken(text) + " " + why;
    if (v < 0.0) return quotedToken(text) + " must not be negative";
    return "";
}

// A whole number within [low, high]; the range is part of the help text too.
CLI::Validator wholeNumber(long long low, long long high) {
    return CLI::Validator(
        [low, high](const std::string& text) {
            long long v = 0;
            const std::string why = readWholeNumber(text, low, high, v);
            return why.empty() ? std::string() : quotedToken(text) + " " + why;
        },
        "in [" + std::to_string(low) + ", " + std::to_string(high) + "]");
}

// Input files are read whole: a device, a pipe or a directory is refused, not read until memory runs out.
std::string regularFile(const std::string& text) {
    const std::string why = regularInputFile(text);
    return why.empty() ? "" : quotedToken(text) + " " + why;
}

// --n1: a whole number from 1 (a run without a first stage hedges nothing) up
// to the second stage's bound; the code range (@100.., 100 values) is checked
// against the template, where pha's own hedging terms lift it.
std::string firstStageCount(const std::string& text) {
    long long v = 0;
    const std::string why = readWholeNumber(text, 0, kMaxSecondStage, v);
    if (!why.empty()) return quotedToken(text) + " " + why;
    if (v < 1) return "'" + text + "' must be at least 1: without first-stage variables there is nothing to hedge";
    return "";
}

// --start takes "solve", "zero" or the name of an existing file.
std::string startChoice(const std::string& text) {
    if (text == "solve" || text == "zero") return "";
    return regularFile(text);
}

// --rho takes "auto" or a positive number.
std::string rhoChoice(const std::string& text) {
    if (text == "auto") return "";
    return positiveNumber(text);
}

// CLI11 would first miss the required option an unknown one was meant to be
// ("--max-iters 100": "--max-iter is required"): the unknown one is named first.
void refuseUnknownOptions(const CLI::App& app, const std::vector<std::string>& args) {
    std::vector<std::string> known = {"--help", "--version"};
    for (const CLI::Option* option : app.get_options())
        for (const std::string& name : option->get_lnames()) known.push_back("--" + name);
    for (const std::string& arg : args) {
        if (arg.compare(0, 2, "--") != 0 || arg.size() == 2) continue;
        const std::string name = arg.substr(0, arg.find('='));
        if (std::find(known.begin(), known.end(), name) != known.end()) continue;
        const std::string nearest = nearestName(name, known);
        throw CLI::ExtrasError("'" + name + "' is not an option of pha" +
                                   (nearest.empty() ? "" : "; did you mean '" + nearest + "'?"),
                               CLI::ExitCodes::ExtrasError);
    }
}

}  // namespace

ParsedCommandLine parseRunOptions(const std::vector<std::string>& args) {
    ParsedCommandLine parsed;
    RunOptions& o = parsed.options;
    // --ef hedges nothing: the hedging parameters are not asked for.
    const bool hedging = std::find(args.begin(), args.end(), "--ef") == args.end();

    CLI::App app{"pha: two-stage progressive hedging over a GAMS model template.\n"
                 "Without arguments pha asks for every run parameter on the console.",
                 "pha"};
    app.set_version_flag("--version", std::string("pha ") + kPhaVersion);
    app.get_formatter()->column_width(30);

    const auto finite = CLI::Validator(finiteNumber, "NUMBER");
    const auto positive = CLI::Validator(positiveNumber, "NUMBER > 0");
    const auto nonNegative = CLI::Validator(nonNegativeNumber, "NUMBER >= 0");
    const auto inputFile = CLI::Validator(regularFile, "FILE");

    app.add_option("--template", o.templateFile, "GAMS model template with substitution codes")
        ->required()->check(inputFile);
    app.add_option("--scenarios", o.scenariosFile, "scenario settings file: probability and parameters per line")
        ->required()->check(inputFile);
    // Without a first stage there is nothing to hedge: x would go unread.
    app.add_option("--n1", o.n1, "number of first-stage variables x('1')..x('N1'), at least 1")
        ->required()->check(CLI::Validator(firstStageCount, "N >= 1"));
    app.add_option("--n2", o.n2, "number of second-stage variables y('1')..y('N2')")
        ->required()->check(wholeNumber(0, kMaxSecondStage));
    app.add_option("--tol", o.tolerance, "stop tolerance for delta (and for the change of the average)")
        ->capture_default_str()->check(nonNegative);
    std::string rhoText;
    auto* rhoOption = app.add_option("--rho", rhoText,
                                     "penalty parameter rho, or auto: rho per first-stage variable from the "
                                     "scenarios' first solutions (needs --start solve)")
                          ->check(CLI::Validator(rhoChoice, "NUMBER > 0|auto"));
    app.add_option("--rho-file", o.rhoFile, "rho per first-stage variable, one value a line (instead of --rho)")
        ->check(inputFile)->excludes(rhoOption);
    app.add_option("--rho-update", o.rhoUpdate,
                   "none, or balance: raise or lower rho per variable as the scenarios disagree or the average moves")
        ->capture_default_str()->check(CLI::IsMember({"none", "balance"}));
    app.add_option("--max-iter", o.maxIterations, "maximum number of iterations")
        ->capture_default_str()->check(wholeNumber(1, kMaxIterations));
    app.add_option("--accelerate", o.accelerate,
                   "Anderson acceleration: mix the last M iterations' states into the next (0: off)")
        ->capture_default_str()->check(wholeNumber(0, 50));

    app.add_option("--gams", o.gamsPath, "GAMS directory or program (default: first line of pathGAMS.txt)");
    app.add_option("--start", o.start,
                   "first iteration: solve (scenarios alone, then weights), zero (average 0), "
                   "or a file with the first-stage values of every scenario")
        ->capture_default_str()->check(CLI::Validator(startChoice, "solve|zero|FILE"));
    app.add_option("--workers", o.workers, "MPI worker processes (default: the number of cores, at most the scenarios)")
        ->check(wholeNumber(1, kMaxWorkers));
    app.add_option("--solve-timeout", o.solveTimeout,
                   "seconds one scenario's solve may take before the run stops (0: no limit)")
        ->capture_default_str()->check(nonNegative);
    app.add_option("--cost", o.costVariable,
                   "scalar variable holding a scenario's cost without the hedging terms (default: none, no expected "
                   "cost and no upper bound); when the solve statement minimises it, pha adds the hedging terms");
    app.add_option("--objective", o.objectiveVariable,
                   "scalar variable the scenario model optimises (default: the one its solve statement names)");
    app.add_option("--fix-after", o.fixAfter,
                   "binary or integer x: fix an entry that every scenario chose for K hedging steps in a row (0: off)")
        ->capture_default_str()->check(CLI::NonNegativeNumber);
    app.add_option("--slam-after", o.slamAfter,
                   "binary or integer x: after K steps without progress, fix the entry most of the probability agrees "
                   "on at that value (0: off)")
        ->capture_default_str()->check(CLI::NonNegativeNumber);
    app.add_option("--bound-every", o.boundEvery, "compute the bounds every K iterations (0: only at the end)")
        ->capture_default_str()->check(wholeNumber(0, kMaxIterations));
    app.add_option("--gap", o.gap,
                   "stop when the relative gap (U - L)/max(|U|, 1e-10) of the bounds is at most G (default: off)")
        ->check(nonNegative);
    app.add_option("--abs-gap", o.absGap, "stop when the bounds differ by at most A, U - L <= A (default: off)")
        ->check(nonNegative);
    app.add_option("--digits", o.digits,
                   "decimals of the values written into the scenario models (default: full precision, every value "
                   "as 17 significant digits that read back unchanged; the dialogue writes 3 decimals)")
        ->check(wholeNumber(0, 17));
    app.add_option("--json", o.jsonFile, "write a machine-readable record of the run to this file");
    app.add_option("--resume", o.resumeFile,
                   "go on from the last iteration recorded in this --json record (give the run's other options "
                   "again; --rho may be left out)")
        ->check(inputFile);

    auto* efOption = app.add_flag("--ef", o.extensiveForm,
                                  "solve the extensive form (all scenarios in one model, one shared first stage, "
                                  "the expected --cost minimised) with the bundled solver instead of hedging");
    app.add_flag("--ef-check", o.extensiveCheck,
                 "solve the extensive form first and print its optimum beside the bounds at the end")
        ->excludes(efOption);

    app.add_flag("--verbose", o.verbose,
                 "print the settings and every iteration's decisions per scenario (default: one line per iteration)");

    std::vector<std::string> reversed(args.rbegin(), args.rend());
    try {
        refuseUnknownOptions(app, args);
        app.parse(reversed);
        // --resume takes rho from the record when it is not given.
        if (rhoText.empty() && o.rhoFile.empty() && hedging && o.resumeFile.empty()) throw CLI::RequiredError("--rho");
        o.rhoAuto = rhoText == "auto";
        // Checked by rhoChoice: a finite number > 0.
        if (!rhoText.empty() && !o.rhoAuto) readDecimal(rhoText, o.rho);
        if (o.rhoAuto && o.start != "solve")
            throw CLI::ValidationError("--rho auto", "needs --start solve (it is chosen from the first solutions)");
    } catch (const CLI::CallForHelp&) {
        parsed.action = ParsedCommandLine::PrintAndExit;
        parsed.text = app.help();
    } catch (const CLI::CallForVersion& e) {
        parsed.action = ParsedCommandLine::PrintAndExit;
        parsed.text = e.what() + std::string("\n");
    } catch (const CLI::ParseError& e) {
        parsed.action = ParsedCommandLine::Refuse;
        parsed.text = std::string(" > ERROR! ") + e.what() + "\n" + "Usage: pha --template F --scenarios F "
                      "--n1 N --n2 N --rho R [options]\n"
                      "       pha --template F --scenarios F --n1 N --n2 N --cost VAR --ef\n"
                      "       pha --help   lists every option with its default\n";
    }
    return parsed;
}
