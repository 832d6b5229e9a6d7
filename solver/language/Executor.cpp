#include "Executor.h"
#include "UnloadText.h"

#include <chrono>
#include <cmath>
#include <iomanip>
#include <sstream>

#include "Display.h"
#include "Evaluator.h"
#include "Instantiate.h"
#include "ModelStatistics.h"
#include "PutWriter.h"
#include "SolveEngine.h"
#include "SolverControls.h"

namespace gamsub {

namespace {

const char* const kExecutionSection = "E x e c u t i o n";

std::string shortNumber(double v) {
    std::ostringstream out;
    out << std::setprecision(15) << v;
    return out.str();
}

void executionPage(Listing& listing) {
    if (listing.section() != kExecutionSection) listing.newPage(kExecutionSection);
}

ExecError tooMany(int line, const std::string& symbol) {
    return ExecError{line, "'" + symbol + "' would hold more than " + std::to_string(kMaxEntries) +
                               " entries, the most this solver keeps in one symbol or computes in one statement"};
}

// A solve failed in a way that must stop the run (its message is already written).
struct SolveAborted {};

// break and continue: unwind to the innermost loop, while, for or repeat.
struct BreakLoop {};
struct ContinueLoop {};

class Runner {
public:
    Runner(SymbolTable& st, Listing& listing, std::ostream* log, const ExecuteSettings& settings)
        : st_(st), listing_(listing), log_(log), options_(settings.solve), budget_(settings.solve.reslim),
          ev_(st, &budget_), puts_(st, settings.directory) {}

    void block(const std::vector<Statement>& statements, Env& env);
    void loopBody(const std::vector<Statement>& statements, Env& env);
    void finish(int line) { puts_.closeAll(line); }
    double ipoptSeconds = 0.0;
    std::vector<SolveOptions> solveOptions;

private:
    void statement(const Statement& s, Env& env);
    void assign(const Statement& s, Env& env);
    void assignSet(const Statement& s, Env& env, const std::vector<std::string>& indices);
    void setOption(const std::string& name, double v, SolveOptions& into, int line);
    void solve(const Statement& s);

    SymbolTable& st_;
    Listing& listing_;
    std::ostream* log_;
    SolveOptions options_;
    TimeBudget budget_;
    Evaluator ev_;
    PutWriter puts_;
    int decimals_ = 3;
};

void Runner::block(const std::vector<Statement>& statements, Env& env) {
    for (const Statement& s : statements) statement(s, env);
}

// One pass of a loop's body; `continue` ends the pass, `break` goes on to the loop.
void Runner::loopBody(const std::vector<Statement>& statements, Env& env) {
    try {
        block(statements, env);
    } catch (const ContinueLoop&) {
    }
}

void Runner::setOption(const std::string& name, double v, SolveOptions& into, int line) {
    if (std::isnan(v) || v < 0) throw ExecError{line, "option " + name + " must be a non-negative number"};
    if (name == "reslim") into.reslim = v;
    else if (name == "optcr") into.optcr = v;
    else if (name == "optca") into.optca = v;
    else if (name == "iterlim") into.iterlim = v > 2e9 ? 2000000000L : static_cast<long>(v);
    else if (name == "holdfixed") {
        if (v != 0 && v != 1) throw ExecError{line, "holdfixed must be 0 or 1"};
        into.holdFixed = v == 1;
    }
}

void Runner::statement(const Statement& s, Env& env) {
    budget_.check(s.line);
    switch (s.kind) {
    case Statement::Assign:
        assign(s, env);
        return;
    case Statement::Option:
        if (s.value) ev_.seed(ev_.eval(*s.value, env));  // execseed = ...
        for (const auto& [name, v] : s.options) {
            if (name == "decimals") decimals_ = static_cast<int>(v);
            else if (name == "seed") ev_.seed(v);
            else {
                setOption(name, v, options_, s.line);
                // The model's own time limit bounds the front end's loops as the command line's does.
                if (name == "reslim") budget_.restart(v);
            }
        }
        return;
    case Statement::Display:
        executionPage(listing_);
        for (const DisplayItem& item : s.items) writeDisplay(listing_.out(), st_, item, s.line, decimals_);
        return;
    case Statement::FileAttr:
        st_.symbols[static_cast<size_t>(s.sym)].fileAttrs[s.attr] = ev_.eval(*s.value, env);
        return;
    case Statement::Put:
    case Statement::PutClose:
        puts_.run(s, env, ev_);
        return;
    case Statement::Loop:
        try {
            ev_.forEach(s.loopIdx, env, s.cond.get(), s.line, [&]() { loopBody(s.body, env); });
        } catch (const BreakLoop&) {
        }
        return;
    case Statement::If:
        for (const Branch& b : s.branches)
            if (ev_.truth(*b.cond, env)) {
                block(b.body, env);
                return;
            }
        block(s.elseBody, env);
        return;
    case Statement::While:
        try {
            while (ev_.truth(*s.cond, env)) {
                budget_.check(s.line);
                loopBody(s.body, env);
            }
        } catch (const BreakLoop&) {
        }
        return;
    case Statement::For: {
        double from = ev_.eval(*s.value, env), to = ev_.eval(*s.to, env);
        double step = s.step ? ev_.eval(*s.step, env) : 1.0;
        if (!(step > 0) || !std::isfinite(from) || !std::isfinite(to))
            throw ExecError{s.line, "A for statement needs finite bounds and a positive step"};
        // GAMS counts a fixed number of times, whatever the body does to the counter.
        double times = std::floor((s.downward ? from - to : to - from) / step) + 1;
        try {
            for (double k = 0; k < times; k++) {
                budget_.check(s.line);
                st_.symbols[static_cast<size_t>(s.sym)].values[Tuple{}] = from + (s.downward ? -k : k) * step;
                loopBody(s.body, env);
            }
        } catch (const BreakLoop&) {
        }
        return;
    }
    case Statement::Repeat:
        try {
            do {
                budget_.check(s.line);
                loopBody(s.body, env);
            } while (!ev_.truth(*s.cond, env));
        } catch (const BreakLoop&) {
        }
        return;
    case Statement::Break:
        if (!s.cond || ev_.truth(*s.cond, env)) throw BreakLoop{};
        return;
    case Statement::Continue:
        if (!s.cond || ev_.truth(*s.cond, env)) throw ContinueLoop{};
        return;
    case Statement::Abort:
        if (!s.cond || ev_.truth(*s.cond, env))
            throw ExecError{s.line, "Abort triggered" + (s.attr.empty() ? std::string() : ": " + s.attr)};
        return;
    case Statement::Solve:
        solve(s);
        return;
    case Statement::Refused:
        throw ExecError{s.line, s.attr};
    case Statement::Unload: {
        std::vector<int> ids;
        for (const DisplayItem& item : s.items) ids.push_back(item.sym);
        const std::string path = unloadTextName(s.attr);
        if (!writeUnloadText(path, st_, ids, "execute_unload '" + s.attr + "' at line " + std::to_string(s.line)))
            throw ExecError{s.line, "execute_unload cannot write '" + path + "'"};
        executionPage(listing_);
        listing_.out() << "--- execute_unload at line " << s.line << ": no GDX library exists here; the symbols are "
                       << "written as text to " << path << "\n\n";
        if (log_) *log_ << "--- execute_unload: no GDX library here, written as text to " << path << '\n';
        return;
    }
    }
}

void Runner::assign(const Statement& s, Env& env) {
    Symbol& target = st_.symbols[static_cast<size_t>(s.sym)];
    if (target.kind == SymKind::Model) {
        // m.optcr = ...: the model's own limits, ahead of the option statements'.
        double v = ev_.eval(*s.value, env);
        ControlInfo info = modelAttribute(s.attr);
        if (info.use == ControlUse::Limit) {
            SolveOptions check;
            setOption(s.attr, v, check, s.line);
            target.modelOptions[s.attr] = v;
            if (s.attr == "reslim") budget_.restart(v);
        } else if (info.use == ControlUse::Result) {  // as GAMS: kept until the next solve writes it
            (s.attr == "modelstat" ? target.modelStat : s.attr == "solvestat" ? target.solveStat : target.objVal) = v;
        } else if (info.use == ControlUse::OnlyAt && v != info.only) {
            throw ExecError{s.line, target.name + "." + s.attr + " = " + shortNumber(v) + " is not supported: " + info.why};
        }
        return;
    }
    // Indices that an enclosing loop binds are fixed here, not iterated.
    std::vector<std::string> indices;
    for (const IndexArg& a : s.idx)
        if (!a.isLabel && env.get(a.index) < 0) indices.push_back(a.index);
    if (target.kind == SymKind::Set) {
        assignSet(s, env, indices);
        return;
    }
    // GAMS evaluates the whole right-hand side (and the condition) with the
    // values from before the statement, also where it reads the symbol it
    // assigns (q(i,j) = 2*q(j,i)): evaluate everything, then store.
    std::vector<std::pair<Tuple, double>> results;
    ev_.forEach(indices, env, s.cond.get(), s.line, [&]() {
        Tuple t = ev_.tupleOf(s.idx, env);
        if (!Evaluator::complete(t)) return;  // p(t+1) beyond the last t: nothing to assign
        if (results.size() >= kMaxEntries) throw tooMany(s.line, target.name);
        results.emplace_back(std::move(t), ev_.eval(*s.value, env));
    });
    for (auto& [t, v] : results) {
        if (target.kind == SymKind::Parameter) {
            target.values[t] = v;
            if (target.values.size() > kMaxEntries) throw tooMany(s.line, target.name);
            continue;
        }
        if (target.kind == SymKind::Equation) {  // e.l, e.m: levels and marginals
            auto& lm = target.equLevels[t];
            if (s.attr == "l") lm.first = v;
            else if (s.attr == "m") lm.second = v;
            continue;
        }
        VarAttrs& a = target.attrs[t];
        if (s.attr == "lo") a.lo = v;
        else if (s.attr == "up") a.up = v;
        else if (s.attr == "l") a.l = v;
        else if (s.attr == "m") a.m = v;
        else if (s.attr == "scale") a.scale = v;
        else if (s.attr == "fx") a.lo = a.up = a.l = v;
    }
}

// s(i) = yes$(...): elements join where the value is non-zero and leave where it
// is zero. The changes apply once all elements are evaluated, so that a loop
// over the set itself sees it unchanged.
void Runner::assignSet(const Statement& s, Env& env, const std::vector<std::string>& indices) {
    std::vector<Tuple> joining, leaving;
    ev_.forEach(indices, env, s.cond.get(), s.line, [&]() {
        Tuple t = ev_.tupleOf(s.idx, env);
        if (!Evaluator::complete(t)) return;
        if (joining.size() + leaving.size() >= kMaxEntries) throw tooMany(s.line, st_.symbols[static_cast<size_t>(s.sym)].name);
        (ev_.eval(*s.value, env) != 0.0 ? joining : leaving).push_back(std::move(t));
    });
    Symbol& set = st_.symbols[static_cast<size_t>(s.sym)];
    if (set.singleton && !joining.empty()) {
        // A singleton set always holds one element: the one assigned replaces it.
        if (joining.size() > 1)
            throw ExecError{s.line, "Singleton set '" + set.name + "' would hold more than one element"};
        set.members = {joining.front()};
        set.memberSet = {joining.front()};
        st_.finishSet(s.sym);
        return;
    }
    bool changed = false;
    for (const Tuple& t : leaving) changed = set.memberSet.erase(t) > 0 || changed;
    if (changed) {
        std::vector<Tuple> kept;
        for (const Tuple& t : set.members)
            if (set.memberSet.count(t)) kept.push_back(t);
        set.members = std::move(kept);
    }
    for (const Tuple& t : joining)
        if (set.memberSet.insert(t).second) {
            set.members.push_back(t);
            changed = true;
            if (set.members.size() > kMaxEntries) throw tooMany(s.line, set.name);
        }
    if (changed) st_.finishSet(s.sym);
}

void Runner::solve(const Statement& s) {
    const Symbol& model = st_.symbols[static_cast<size_t>(s.model)];
    if (log_) *log_ << "--- Generating " << modelTypeName(s.type) << " model " << model.name << '\n';
    ModelInstance instance;
    auto generationStart = std::chrono::steady_clock::now();
    try {
        instance = instantiate(st_, s, &budget_);
    } catch (const ExecError& e) {
        executionPage(listing_);
        listing_.out() << "**** Exec Error at line " << e.line << ": " << e.message << "\n\n"
                       << "**** SOLVE from line " << s.line << " ABORTED, EXECERROR = 1\n\n";
        if (log_) *log_ << "*** Error at line " << e.line << ": " << e.message << '\n';
        throw SolveAborted{};
    }
    instance.options = options_;
    for (const auto& [name, v] : model.modelOptions) setOption(name, v, instance.options, s.line);
    solveOptions.push_back(instance.options);
    writeModelStatistics(listing_, instance,
                         std::chrono::duration<double>(std::chrono::steady_clock::now() - generationStart).count());
    if (log_)
        *log_ << "---   " << instance.rows.size() << " rows  " << instance.columns.size() << " columns\n";
    auto solveStart = std::chrono::steady_clock::now();
    SolveStatus status = solveInstance(instance, [this](const std::string& solver) {
        if (log_) *log_ << "--- Executing " << solver << '\n' << std::flush;
    });
    budget_.extend(std::chrono::duration<double>(std::chrono::steady_clock::now() - solveStart).count());
    ipoptSeconds += status.ipoptSeconds;
    if (log_)
        *log_ << "--- Solver status " << status.solverStatus << ", model status " << status.modelStatus
              << (status.solverMessage.empty() ? "" : ": " + status.solverMessage) << '\n';
    if (instance.options.holdFixed) {
        // The fixed variables were constants of the solve: no marginal exists for them.
        for (Column& c : instance.columns)
            if (c.lower == c.upper) c.marginal = NAN;
    }
    writeSolutionReport(listing_, instance, status);
    storeSolution(st_, instance, status, s.model);
}

}  // namespace

ExecutionResult execute(const std::vector<Statement>& program, SymbolTable& st, Listing& listing, std::ostream* log) {
    return execute(program, st, listing, log, ExecuteSettings());
}

ExecutionResult execute(const std::vector<Statement>& program, SymbolTable& st, Listing& listing, std::ostream* log,
                        const ExecuteSettings& settings) {
    ExecutionResult result;
    Runner runner(st, listing, log, settings);
    int lastLine = program.empty() ? 0 : program.back().line;
    try {
        Env env;
        runner.block(program, env);
        runner.finish(lastLine);
    } catch (const SolveAborted&) {
        result.execErrors++;  // later statements would work on wrong data
    } catch (const ExecError& e) {
        executionPage(listing);
        listing.out() << "**** Exec Error at line " << e.line << ": " << e.message << "\n\n";
        if (log) *log << "*** Error at line " << e.line << ": " << e.message << '\n';
        result.execErrors++;
    }
    result.ipoptSeconds = runner.ipoptSeconds;
    result.solveOptions = runner.solveOptions;
    return result;
}

}  // namespace gamsub
