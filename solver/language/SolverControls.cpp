#include "SolverControls.h"


namespace gamsub {

namespace {

struct Entry {
    const char* name;
    ControlInfo info;
};

constexpr ControlInfo limit{ControlUse::Limit, 0.0, ""};
constexpr ControlInfo result{ControlUse::Result, 0.0, ""};
constexpr ControlInfo none{ControlUse::NoEffect, 0.0, ""};

// Controls with the same meaning as option and as model attribute.
const Entry kShared[] = {
    {"reslim", limit},
    {"optcr", limit},
    {"optca", limit},
    {"iterlim", limit},
    // Listing layout, solver links, threads, memory, tolerances of reports,
    // finite differences (derivatives here are exact): no effect on a solution.
    {"limrow", none},
    {"limcol", none},
    {"solprint", none},
    {"sysout", none},
    {"solvelink", none},
    {"threads", none},
    {"bratio", none},
    {"domlim", none},
    {"tolinfrep", none},
    {"tolinfeas", none},
    {"tolproj", none},
    {"workspace", none},
    {"workfactor", none},
    {"dictfile", none},
    {"fddelta", none},
    {"fdopt", none},
    {"zerores", none},
    {"zeroresrep", none},
    {"scaleopt", none},  // scaling changes the numbers a solver sees, not the solution
    {"prioropt", none},
    {"tryint", none},
    {"trylinear", none},
    {"reform", none},
    {"mcprholdfx", none},
    // Harmless at their defaults only.
    {"optfile", {ControlUse::OnlyAt, 0.0, "solver option files are not read by this solver"}},
    {"nodlim", {ControlUse::OnlyAt, 0.0, "a node limit is not applied by this solver"}},
    {"savepoint", {ControlUse::OnlyAt, 0.0, "save points (GDX files) are not written by this solver"}},
    {"holdfixed", limit},
    {"integer1", {ControlUse::OnlyAt, 0.0, "solver-specific integer controls are not passed on by this solver"}},
    {"integer2", {ControlUse::OnlyAt, 0.0, "solver-specific integer controls are not passed on by this solver"}},
    {"integer3", {ControlUse::OnlyAt, 0.0, "solver-specific integer controls are not passed on by this solver"}},
    {"integer4", {ControlUse::OnlyAt, 0.0, "solver-specific integer controls are not passed on by this solver"}},
    {"integer5", {ControlUse::OnlyAt, 0.0, "solver-specific integer controls are not passed on by this solver"}},
    {"real1", {ControlUse::OnlyAt, 0.0, "solver-specific real controls are not passed on by this solver"}},
    {"real2", {ControlUse::OnlyAt, 0.0, "solver-specific real controls are not passed on by this solver"}},
    {"real3", {ControlUse::OnlyAt, 0.0, "solver-specific real controls are not passed on by this solver"}},
    {"real4", {ControlUse::OnlyAt, 0.0, "solver-specific real controls are not passed on by this solver"}},
    {"real5", {ControlUse::OnlyAt, 0.0, "solver-specific real controls are not passed on by this solver"}},
    // GAMS's solveopt: 0 replace, 1 merge (the default), 2 clear.
    {"solveopt", {ControlUse::OnlyAt, 1.0, "only the default merge of solution values is implemented by this solver"}},
    {"cutoff", {ControlUse::Refused, 0.0, "an objective cutoff is not applied by this solver"}},
    {"cheat", {ControlUse::Refused, 0.0, "a cheat value is not applied by this solver"}},
    {"cutlow", {ControlUse::Refused, 0.0, "objective bounds are not applied by this solver"}},
    {"cutup", {ControlUse::Refused, 0.0, "objective bounds are not applied by this solver"}},
    {"defpoint", {ControlUse::Refused, 0.0, "the default-point control is not implemented by this solver"}},
};

const Entry kModelOnly[] = {
    {"modelstat", result},
    {"solvestat", result},
    {"objval", result},
};

const Entry kOptionOnly[] = {
    {"decimals", none},  // handled by the option statement itself
    {"seed", none},
    // Which solver GAMS would call for a model type: this solver picks its own.
    {"lp", none}, {"mip", none}, {"rmip", none}, {"nlp", none}, {"dnlp", none}, {"qcp", none},
    {"miqcp", none}, {"rmiqcp", none}, {"minlp", none}, {"rminlp", none}, {"mcp", none}, {"cns", none},
    {"profile", none}, {"profiletol", none}, {"eject", none}, {"measure", none}, {"memorystat", none},
    {"dispwidth", none}, {"dmpsym", none}, {"dmpopt", none}, {"dmpusersym", none}, {"subsystems", none},
    {"sparserun", none}, {"strictsingleton", none}, {"threadsasync", none}, {"asyncsollst", none},
    {"checkerrorlevel", none}, {"logoption", none},
    {"forlim", {ControlUse::Refused, 0.0, "a limit on for-statement iterations is not applied by this solver"}},
    {"intvarup", {ControlUse::Refused, 0.0, "a default bound for integer variables is not applied by this solver"}},
};

bool lookUp(const Entry* begin, const Entry* end, const std::string& name, ControlInfo& out) {
    for (const Entry* e = begin; e != end; ++e)
        if (name == e->name) {
            out = e->info;
            return true;
        }
    return false;
}

const ControlInfo kUnknown{ControlUse::Refused, 0.0, "this solver does not know what it does", false};

}  // namespace

ControlInfo modelAttribute(const std::string& name) {
    ControlInfo info;
    if (lookUp(std::begin(kModelOnly), std::end(kModelOnly), name, info)) return info;
    if (lookUp(std::begin(kShared), std::end(kShared), name, info)) return info;
    return kUnknown;
}

ControlInfo optionStatement(const std::string& name) {
    ControlInfo info;
    if (lookUp(std::begin(kOptionOnly), std::end(kOptionOnly), name, info)) return info;
    if (lookUp(std::begin(kShared), std::end(kShared), name, info)) return info;
    return kUnknown;
}

const std::vector<std::string>& modelTypeNames() {
    static const std::vector<std::string> types = {"lp",    "mip",    "rmip", "nlp", "dnlp", "qcp",   "miqcp", "rmiqcp",
                                                   "minlp", "rminlp", "mcp",  "cns", "mpec", "rmpec", "emp"};
    return types;
}

bool isModelTypeName(const std::string& name) {
    for (const std::string& t : modelTypeNames())
        if (name == t) return true;
    return false;
}

const char* solverNameFor(const std::string& type) {
    if (type == "lp" || type == "rmip") return "CLP";
    if (type == "mip") return "CBC";
    return nullptr;
}

}  // namespace gamsub
