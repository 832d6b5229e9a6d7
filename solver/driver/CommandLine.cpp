#include "CommandLine.h"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <fstream>

#include "SolverControls.h"

namespace gamsub {

namespace {

std::string lower(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

bool exists(const std::string& path) {
    std::ifstream f(path);
    return f.good();
}

// A limit or tolerance: a finite number, not negative.
bool nonNegative(const std::string& value, double& result) {
    char* end = nullptr;
    double v = std::strtod(value.c_str(), &end);
    if (value.empty() || !end || *end != '\0' || !std::isfinite(v) || v < 0) return false;
    result = v;
    return true;
}

void apply(Options& o, const std::string& key, const std::string& value) {
    std::string k = lower(key);
    double number = 0.0;
    if (k == "reslim" || k == "optcr" || k == "optca" || k == "iterlim") {
        if (!nonNegative(value, number) || (k == "iterlim" && number > 2147483647.0)) {
            o.error = "Bad value for option " + key + ": " + value;
        } else if (k == "reslim") {
            o.limits.reslim = number;
        } else if (k == "optcr") {
            o.limits.optcr = number;
        } else if (k == "optca") {
            o.limits.optca = number;
        } else {
            o.limits.iterlim = static_cast<long>(number);
        }
    } else if (k == "holdfixed") {
        if (value != "0" && value != "1")
            o.error = "Bad value for option " + key + ": " + value + " (0 or 1)";
        else
            o.limits.holdFixed = value == "1";
    } else if (k == "o" || k == "output") {
        o.output = value;
    } else if (k == "lo" || k == "logoption") {
        char* end = nullptr;
        long v = std::strtol(value.c_str(), &end, 10);
        if (value.empty() || !end || *end != '\0' || v < 0 || v > 4)
            o.error = "Bad value for option " + key + ": " + value;
        else
            o.logOption = static_cast<int>(v);
    } else if (k == "lf" || k == "logfile") {
        o.logFile = value;
    } else if (k == "curdir" || k == "cdir") {
        o.curdir = value;
    } else if (isModelTypeName(k)) {
        // lp=cplex and the like: this program runs its own solvers, but the
        // model may read the choice back as %gams.lp%.
        o.variables["gams." + k] = value;
    } else {
        // A solver control given on the command line (optfile=1, holdfixed=1, ...)
        // is held to the option statement's rules; everything else (ps, pw,
        // solver choices, ...) only shapes GAMS's own output and is accepted.
        ControlInfo info = optionStatement(k);
        char* end = nullptr;
        double v = std::strtod(value.c_str(), &end);
        bool atDefault = info.use == ControlUse::OnlyAt &&
                         ((!value.empty() && *end == '\0' && v == info.only) || (k == "solveopt" && lower(value) == "merge"));
        if (info.known && (info.use == ControlUse::Refused || (info.use == ControlUse::OnlyAt && !atDefault)))
            o.error = "Option " + key + "=" + value + " is not supported: " + info.why;
    }
}

}  // namespace

Options parseCommandLine(const std::vector<std::string>& args) {
    Options o;
    for (size_t k = 0; k < args.size(); k++) {
        std::string a = args[k];
        if (a == "--bundled-id") {
            o.bundledId = true;
            continue;
        }
        size_t equals = a.find('=');
        if (a.compare(0, 2, "--") == 0 && equals != std::string::npos && equals > 2) {
            o.variables[lower(a.substr(2, equals - 2))] = a.substr(equals + 1);
            continue;
        }
        bool dashed = !a.empty() && a[0] == '-';
        while (!a.empty() && a[0] == '-') a.erase(0, 1);
        size_t eq = a.find('=');
        if (eq != std::string::npos) {
            apply(o, a.substr(0, eq), a.substr(eq + 1));
        } else if (!dashed && o.input.empty()) {
            o.input = args[k];
        } else if (k + 1 < args.size()) {
            apply(o, a, args[k + 1]);
            k++;
        } else {
            o.error = "Option " + args[k] + " has no value";
        }
    }
    if (o.input.empty() && o.error.empty() && !o.bundledId) o.error = "No input file given: usage gams MODEL[.gms] [key=value ...]";
    return o;
}

std::string resolveInput(const std::string& name) {
    if (exists(name)) return name;
    if (exists(name + ".gms")) return name + ".gms";
    return name;
}

std::string defaultListing(const std::string& input) {
    std::string base = input;
    size_t slash = base.find_last_of('/');
    if (slash != std::string::npos) base = base.substr(slash + 1);
    size_t dot = base.find_last_of('.');
    if (dot != std::string::npos && dot > 0) base = base.substr(0, dot);
    return base + ".lst";
}

}  // namespace gamsub
