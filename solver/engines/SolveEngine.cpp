#include "SolveEngine.h"

#include <chrono>
#include <cmath>
#include <exception>

#include "BinarySquares.h"
#include "BonminEngine.h"
#include "CbcEngine.h"
#include "ClpEngine.h"
#include "CompiledModel.h"
#include "IpoptEngine.h"
#include "LinearProblem.h"
#include "ListingNumbers.h"
#include "PhaseTimes.h"
#include "SolutionTransfer.h"
#include "SystemEngine.h"

namespace gamsub {

namespace {

double secondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

enum class Engine { Clp, ClpQuadratic, Cbc, Ipopt, Bonmin, Newton };

// Relaxed types and models without a discrete column go to the continuous
// engines. `linear`: the rows are linear (the front end refuses nonlinear
// rows in LP, RMIP and MIP models, so the type alone decides in practice).
// A discrete model nonlinear only through squares of binaries is a MIP.
Engine engineFor(const ModelInstance& model, const CompiledModel& compiled) {
    if (!hasObjective(model.type)) return Engine::Newton;  // MCP, CNS: a system, not an optimisation
    bool discrete = hasDiscreteColumns(model);
    bool linear = compiled.linear();
    bool mip = discrete && (linear || onlyBinarySquares(model, compiled));
    switch (model.type) {
        case ModelType::LP:
        case ModelType::RMIP: return linear ? Engine::Clp : Engine::Ipopt;
        case ModelType::MIP:
        case ModelType::MIQCP:
        case ModelType::MINLP:
            if (mip) return Engine::Cbc;
            if (linear) return Engine::Clp;
            return discrete ? Engine::Bonmin : Engine::Ipopt;
        default:
            // A QCP or NLP whose nonlinear terms all vanish (a quadratic
            // penalty with weight 0) is an LP: the simplex method solves it
            // exactly, at a vertex, where the interior point can stall on
            // its degenerate faces.
            return linear ? Engine::Clp : Engine::Ipopt;
    }
}

const char* engineName(Engine engine) {
    switch (engine) {
        case Engine::Clp:
        case Engine::ClpQuadratic: return "CLP";
        case Engine::Cbc: return "CBC";
        case Engine::Bonmin: return "BONMIN";
        case Engine::Newton: return "NEWTON";
        case Engine::Ipopt: break;
    }
    return "IPOPT";
}

// A binary column lies in [0, 1] whatever bounds the model gave it.
void boundBinaryColumns(ModelInstance& model) {
    for (size_t c = 0; c < model.columns.size(); c++) {
        if (kindOf(model, static_cast<int>(c)) != VarKind::Binary) continue;
        Column& column = model.columns[c];
        column.lower = std::max(column.lower, 0.0);
        column.upper = std::min(column.upper, 1.0);
    }
}

bool constantRowViolated(const ModelInstance& model, const CompiledModel& compiled) {
    for (int r : compiled.constantRows()) {
        const Row& row = model.rows[r];
        if (relativeViolation(row.level, row.lower, row.upper) > kInfeasible) return true;
    }
    return false;
}

bool allVariablesFixed(const ModelInstance& model, const CompiledModel& compiled) {
    for (int v = 0; v < compiled.variableCount(); v++) {
        const Column& column = model.columns[compiled.columnOfVariable(v)];
        if (column.lower != column.upper) return false;
    }
    return true;
}

bool isLinearType(ModelType type) { return type == ModelType::LP || type == ModelType::MIP || type == ModelType::RMIP; }

// A model without any variable left to choose (Ipopt refuses it when it has
// equations): the rows decide on their own at the fixed levels.
void solveWithoutVariables(ModelInstance& model, CompiledModel& compiled, SolveStatus& status) {
    // Without constraints the marginals are the objective's own slopes; with
    // them the multipliers are not determined, and the marginals stay zero.
    std::vector<double> noConstraints;
    transferSolution(model, compiled, compiled.variablesFromColumns(projectedLevels(model)),
                     compiled.constraintCount() == 0 ? &noConstraints : nullptr);
    bool feasible = largestViolation(model) <= kInfeasible;
    status.solverStatus = 1;
    status.modelStatus = feasible ? (isLinearType(model.type) ? 1 : 2) : 4;
    status.solverMessage = feasible ? "Optimal solution. No variable is free to change."
                                    : "Infeasible solution. The equations cannot hold at the fixed levels.";
}

void finishSolverLines(SolveStatus& status, double callbackSeconds) {
    status.solverLines.push_back(" ** " + status.solverMessage);
    status.solverLines.push_back(" ");
    status.solverLines.push_back(" ");
    double total = status.seconds;
    status.solverLines.push_back(formatted(" %s time Total %*s%10.3f seconds", status.solverName.c_str(),
                                           static_cast<int>(std::max<size_t>(1, 27 - status.solverName.size())), "",
                                           total));
    if (status.solverName == "IPOPT" || status.solverName == "BONMIN") {
        double share = total > 0 ? 100.0 * callbackSeconds / total : 0.0;
        status.solverLines.push_back(
            formatted("   of which: Function evaluations        %10.3f = %4.1f%%", callbackSeconds, share));
    }
    status.solverLines.push_back(" ");
}

// A continuous model that is a convex quadratic program (a hedging model's
// proximal term) goes to Clp's quadratic simplex instead of Ipopt: a vertex
// method that ends exactly on the active bounds, in a fraction of the time.
Engine chooseEngine(const ModelInstance& model, CompiledModel& compiled, QuadraticObjective& quadratic) {
    Engine engine = engineFor(model, compiled);
    if (engine == Engine::Ipopt && hasObjective(model.type) && convexQuadratic(compiled, quadratic)) return Engine::ClpQuadratic;
    return engine;
}

}  // namespace

std::string solverFor(const ModelInstance& model) {
    CompiledModel compiled(model);
    QuadraticObjective quadratic;
    return engineName(chooseEngine(model, compiled, quadratic));
}

SolveStatus solveInstance(ModelInstance& model, const std::function<void(const std::string&)>& announce) {
    SolveStatus status;
    auto started = std::chrono::steady_clock::now();
    double callbackSeconds = 0.0;
    try {
        PhaseClock clock;
        boundBinaryColumns(model);
        CompiledModel compiled(model);
        setRowBounds(model, compiled);
        clock.lap(&PhaseTimes::engineCompile);
        QuadraticObjective quadratic;
        Engine engine = chooseEngine(model, compiled, quadratic);
        status.solverName = engineName(engine);
        if (announce) announce(status.solverName);
        bool inconsistentBounds = false;
        for (const Column& column : model.columns)
            if (column.lower > column.upper) inconsistentBounds = true;
        if (inconsistentBounds) {
            transferSolution(model, compiled, compiled.variablesFromColumns(projectedLevels(model)), nullptr);
            status.solverStatus = 1;
            status.modelStatus = 4;
            status.solverMessage = "Infeasible solution. A variable's lower bound exceeds its upper bound.";
        } else if (engine == Engine::Newton) {
            solveSystem(model, compiled, status);
        } else if (allVariablesFixed(model, compiled)) {
            solveWithoutVariables(model, compiled, status);
        } else {
            switch (engine) {
                case Engine::Clp: solveWithClp(model, compiled, status); break;
                case Engine::ClpQuadratic:
                    solveWithClpQuadratic(model, compiled, quadratic, status);
                    if (status.modelStatus == 13) {
                        // Clp gave up on the numbers: Ipopt solves any convex program.
                        status = SolveStatus();
                        solveWithIpopt(model, compiled, status, callbackSeconds);
                    }
                    break;
                case Engine::Cbc: solveWithCbc(model, compiled, status); break;
                case Engine::Bonmin: solveWithBonmin(model, compiled, status, callbackSeconds); break;
                case Engine::Ipopt: solveWithIpopt(model, compiled, status, callbackSeconds); break;
                case Engine::Newton: break;  // solved above
            }
            if (constantRowViolated(model, compiled)) {
                status.solverStatus = 1;
                status.modelStatus = engine == Engine::Cbc || engine == Engine::Bonmin ? 10 : 4;
                status.solverMessage = "Infeasible solution. An equation without variables cannot hold.";
            }
        }
    } catch (const std::exception& error) {
        status.solverStatus = 13;
        status.modelStatus = 13;
        status.solverMessage = std::string("Error. ") + error.what();
    }
    status.seconds = secondsSince(started);
    if (!hasObjective(model.type)) status.objective = NAN;  // no objective value to report
    else if (model.objectiveColumn >= 0 && static_cast<size_t>(model.objectiveColumn) < model.columns.size())
        status.objective = model.columns[model.objectiveColumn].level + 0.0;  // no "-0.0000"
    finishSolverLines(status, callbackSeconds);
    return status;
}

}  // namespace gamsub
