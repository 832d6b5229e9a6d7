#include "Executor.h"

#include <chrono>

#include "Display.h"
#include "Evaluator.h"
#include "Instantiate.h"
#include "ModelStatistics.h"
#include "SolveEngine.h"

namespace gamsub {

namespace {

const char* const kExecutionSection = "E x e c u t i o n";

void executionPage(Listing& listing) {
    if (listing.section() != kExecutionSection) listing.newPage(kExecutionSection);
}

void assign(const Statement& s, SymbolTable& st) {
    Evaluator ev(st);
    std::vector<std::string> indices;
    for (const IndexArg& a : s.idx)
        if (!a.isLabel) indices.push_back(a.index);
    Env env;
    Symbol& target = st.symbols[static_cast<size_t>(s.sym)];
    ev.forEach(indices, env, s.cond.get(), s.line, [&]() {
        Tuple t = ev.tupleOf(s.idx, env);
        double v = ev.eval(*s.value, env);
        if (target.kind == SymKind::Parameter) {
            target.values[t] = v;
            return;
        }
        VarAttrs& a = target.attrs[t];
        if (s.attr == "lo") a.lo = v;
        else if (s.attr == "up") a.up = v;
        else if (s.attr == "l") a.l = v;
        else if (s.attr == "m") a.m = v;
        else if (s.attr == "scale") a.scale = v;
        else if (s.attr == "fx") a.lo = a.up = a.l = v;
    });
}

}  // namespace

ExecutionResult execute(const std::vector<Statement>& program, SymbolTable& st, Listing& listing, std::ostream* log) {
    ExecutionResult result;
    int decimals = 3;
    for (const Statement& s : program) {
        try {
            if (s.kind == Statement::Assign) {
                assign(s, st);
            } else if (s.kind == Statement::Option) {
                if (s.decimals >= 0) decimals = s.decimals;
            } else if (s.kind == Statement::Display) {
                executionPage(listing);
                for (const DisplayItem& item : s.items) writeDisplay(listing.out(), st, item, s.line, decimals);
            } else {
                const Symbol& model = st.symbols[static_cast<size_t>(s.model)];
                if (log) *log << "--- Generating " << modelTypeName(s.type) << " model " << model.name << '\n';
                ModelInstance instance;
                auto generationStart = std::chrono::steady_clock::now();
                try {
                    instance = instantiate(st, s);
                } catch (const ExecError& e) {
                    executionPage(listing);
                    listing.out() << "**** Exec Error at line " << e.line << ": " << e.message << "\n\n"
                                  << "**** SOLVE from line " << s.line << " ABORTED, EXECERROR = 1\n\n";
                    if (log) *log << "*** Error at line " << e.line << ": " << e.message << '\n';
                    result.execErrors++;
                    break;
                }
                writeModelStatistics(listing, instance,
                                     std::chrono::duration<double>(std::chrono::steady_clock::now() - generationStart).count());
                if (log)
                    *log << "---   " << instance.rows.size() << " rows  " << instance.columns.size() << " columns\n"
                         << "--- Executing IPOPT\n";
                SolveStatus status = solveInstance(instance);
                result.ipoptSeconds += status.ipoptSeconds;
                if (log)
                    *log << "--- Solver status " << status.solverStatus << ", model status " << status.modelStatus
                         << (status.solverMessage.empty() ? "" : ": " + status.solverMessage) << '\n';
                writeSolutionReport(listing, instance, status);
                storeSolution(st, instance, status, s.model);
            }
        } catch (const ExecError& e) {
            executionPage(listing);
            listing.out() << "**** Exec Error at line " << e.line << ": " << e.message << "\n\n";
            if (log) *log << "*** Error at line " << e.line << ": " << e.message << '\n';
            result.execErrors++;
            break;  // later statements would work on wrong data
        }
    }
    return result;
}

}  // namespace gamsub
