#include "ExtensiveForm.h"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <map>
#include <sstream>

#include <nlohmann/json.hpp>

#include "BundledIdentity.h"
#include "CompileErrors.h"
#include "Evaluator.h"
#include "Executor.h"
#include "Instantiate.h"
#include "Listing.h"
#include "ModelInstance.h"
#include "Parser.h"
#include "SolveEngine.h"
#include "SourceText.h"
#include "StatusTexts.h"
#include "Exceptions.h"

namespace {

using gamsub::ModelInstance;
using gamsub::ModelType;

std::string lowerCase(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

[[noreturn]] void refuse(const std::string& text) {
    const std::string message = " > ERROR! " + text;
    throw GeneralException(message.c_str());
}

// A model type as (discrete, nonlinearity 0 linear / 1 quadratic / 2 smooth / 3 non-smooth).
struct TypeClass {
    bool discrete = false;
    int level = 0;
};

TypeClass classOf(ModelType t) {
    switch (t) {
    case ModelType::LP: case ModelType::RMIP: return {false, 0};
    case ModelType::QCP: case ModelType::RMIQCP: return {false, 1};
    case ModelType::NLP: case ModelType::RMINLP: return {false, 2};
    case ModelType::DNLP: return {false, 3};
    case ModelType::MIP: return {true, 0};
    case ModelType::MIQCP: return {true, 1};
    case ModelType::MINLP: return {true, 2};
    case ModelType::MCP:
    case ModelType::CNS:
        refuse(std::string("a ") + gamsub::modelTypeName(t) + " model has no objective to hedge");
    }
    return {true, 3};
}

ModelType typeOf(TypeClass c) {
    if (c.discrete) return c.level == 0 ? ModelType::MIP : c.level == 1 ? ModelType::MIQCP : ModelType::MINLP;
    return c.level == 0 ? ModelType::LP : c.level == 1 ? ModelType::QCP : c.level == 2 ? ModelType::NLP : ModelType::DNLP;
}

// A limit that an option statement or a model attribute sets (names as the solver reads them).
void applyLimit(gamsub::SolveOptions& into, const std::string& name, double v) {
    if (std::isnan(v) || v < 0) return;
    const std::string n = lowerCase(name);
    if (n == "reslim") into.reslim = v;
    else if (n == "optcr") into.optcr = v;
    else if (n == "optca") into.optca = v;
    else if (n == "iterlim") into.iterlim = v > 2e9 ? 2000000000L : static_cast<long>(v);
}

// Scenario k's model compiled and executed up to its solve statement, and
// instantiated there as the solve would.
ModelInstance scenarioInstance(const std::string& text, int k, const std::string& templateName) {
    const std::string where = "scenario " + std::to_string(k) + "'s model (from '" + templateName + "')";
    gamsub::CompileErrors errors;
    gamsub::SourceSettings settings;
    settings.fileName = "scenario" + std::to_string(k) + ".gms";
    gamsub::SourceText source = gamsub::prepareSource(text, errors, settings);
    gamsub::SymbolTable symbols;
    std::vector<gamsub::Statement> program = gamsub::Parser(source, symbols, errors).parse();
    if (!errors.empty()) {
        const gamsub::CompileError& e = errors.all().front();
        refuse("The extensive form cannot be built: " + where + " does not compile.\n >> Line " +
               std::to_string(e.line) + ": error " + std::to_string(e.code) + " " + e.message);
    }
    size_t solveAt = program.size();
    for (size_t i = 0; i < program.size(); i++)
        if (program[i].kind == gamsub::Statement::Solve) {
            solveAt = i;
            break;
        }
    if (solveAt == program.size())
        refuse("The extensive form cannot be built: the solve statement of " + where +
               " is inside a loop or an if.\n >> The extensive form takes the model of a solve statement that "
               "stands on its own.");
    std::vector<std::pair<std::string, double>> limits;  // option statements before the solve, in order
    for (size_t i = 0; i < solveAt; i++) limits.insert(limits.end(), program[i].options.begin(), program[i].options.end());
    std::vector<gamsub::Statement> before(std::make_move_iterator(program.begin()),
                                          std::make_move_iterator(program.begin() + static_cast<long>(solveAt)));
    std::ostringstream discarded;
    gamsub::Listing listing(discarded, "");
    gamsub::ExecutionResult executed = gamsub::execute(before, symbols, listing, nullptr);
    if (executed.execErrors > 0)
        refuse("The extensive form cannot be built: " + where + " stops with an execution error before its solve.\n" +
               " >> " + discarded.str().substr(discarded.str().rfind("**** Exec Error") == std::string::npos
                                                    ? 0
                                                    : discarded.str().rfind("**** Exec Error")));
    try {
        gamsub::TimeBudget budget(1000.0);
        ModelInstance instance = gamsub::instantiate(symbols, program[solveAt], &budget);
        // The limits its solve would have: option statements before it, then the model's attributes.
        for (const auto& [name, v] : limits) applyLimit(instance.options, name, v);
        const int model = program[solveAt].model;
        if (model >= 0 && static_cast<size_t>(model) < symbols.symbols.size())
            for (const auto& [name, v] : symbols.symbols[static_cast<size_t>(model)].modelOptions)
                applyLimit(instance.options, name, v);
        return instance;
    } catch (const gamsub::ExecError& e) {
        refuse("The extensive form cannot be built: " + where + " cannot be generated.\n >> Line " +
               std::to_string(e.line) + ": " + e.message);
    }
}

// The column of a scalar variable named `name` (any letter case), or -1.
int scalarColumn(const ModelInstance& m, const std::string& name) {
    const std::string wanted = lowerCase(name);
    for (const gamsub::Block& b : m.varBlocks)
        if (lowerCase(b.name) == wanted && b.dimension == 0 && b.members.size() == 1) return b.members.front();
    return -1;
}

// Whether the expression `root` uses column `column`.
bool usesColumn(const gamsub::ExpressionPool& pool, int root, int column) {
    std::vector<int> open{root};
    std::vector<bool> seen(pool.nodes.size(), false);
    while (!open.empty()) {
        const int n = open.back();
        open.pop_back();
        if (n < 0 || static_cast<size_t>(n) >= pool.nodes.size() || seen[static_cast<size_t>(n)]) continue;
        seen[static_cast<size_t>(n)] = true;
        const gamsub::Node& node = pool.nodes[static_cast<size_t>(n)];
        if (node.op == gamsub::Op::Var && node.var == column) return true;
        open.insert(open.end(), node.args.begin(), node.args.end());
    }
    return false;
}

// The joined instance, scenario by scenario.
class ExtensiveBuilder {
public:
    ExtensiveBuilder(int n1, const std::string& costVariable) : n1_(n1), cost_(costVariable) {
        ef_.modelName = "extensive";
        firstStage_.assign(static_cast<size_t>(n1), -1);
    }

    void add(const ModelInstance& m, int k, double probability) {
        const std::string where = "scenario " + std::to_string(k) + "'s model";
        const int costColumn = scalarColumn(m, cost_);
        if (costColumn < 0)
            refuse("The extensive form cannot be built: " + where + " has no scalar variable '" + cost_ +
                   "' that an equation uses (--cost).");
        if (m.sense != gamsub::Sense::Minimize)
            refuse("The extensive form cannot be built: " + where + " maximises; minimise the negative instead.");
        if (k == 1) {
            ef_.options = m.options;
            type_ = classOf(m.type);
        } else {
            TypeClass c = classOf(m.type);
            type_.discrete = type_.discrete || c.discrete;
            type_.level = std::max(type_.level, c.level);
        }
        // The variable the scenario minimises holds its cost and the hedging
        // terms (at zero here): it and the rows that define it stay out.
        const int dropped = m.objectiveColumn != costColumn ? m.objectiveColumn : -1;

        std::vector<int> columnAt(m.columns.size(), -1);
        const std::string suffix = "_s" + std::to_string(k);
        bool sawFirstStage = false;
        for (const gamsub::Block& b : m.varBlocks) {
            if (lowerCase(b.name) == "x") {
                sawFirstStage = true;
                addFirstStage(m, b, columnAt, where);
                continue;
            }
            if (b.members.size() == 1 && b.members.front() == dropped) continue;
            gamsub::Block block = b;
            block.name += suffix;
            block.members.clear();
            const int blockIndex = static_cast<int>(ef_.varBlocks.size());
            for (int c : b.members) {
                gamsub::Column column = m.columns[static_cast<size_t>(c)];
                column.block = blockIndex;
                columnAt[static_cast<size_t>(c)] = static_cast<int>(ef_.columns.size());
                block.members.push_back(static_cast<int>(ef_.columns.size()));
                ef_.columns.push_back(std::move(column));
            }
            ef_.varBlocks.push_back(std::move(block));
        }
        if (!sawFirstStage && n1_ > 0)
            refuse("The extensive form cannot be built: no equation of " + where + " uses the first stage x.");

        // The expressions, in their order; a column that stays out becomes 0
        // (only the rows left out use it).
        const int offset = static_cast<int>(ef_.pool.nodes.size());
        for (const gamsub::Node& node : m.pool.nodes) {
            gamsub::Node copy = node;
            if (copy.op == gamsub::Op::Var) {
                const int at = copy.var >= 0 && static_cast<size_t>(copy.var) < columnAt.size()
                                   ? columnAt[static_cast<size_t>(copy.var)] : -1;
                if (at < 0) {
                    copy.op = gamsub::Op::Const;
                    copy.value = 0.0;
                }
                copy.var = at;
            }
            for (int& a : copy.args) a += offset;
            ef_.pool.add(std::move(copy));
        }
        for (const gamsub::Block& b : m.equBlocks) {
            gamsub::Block block = b;
            block.name += suffix;
            block.members.clear();
            const int blockIndex = static_cast<int>(ef_.equBlocks.size());
            for (int r : b.members) {
                const gamsub::Row& source = m.rows[static_cast<size_t>(r)];
                if (dropped >= 0 && usesColumn(m.pool, source.body, dropped)) continue;
                gamsub::Row row = source;
                row.block = blockIndex;
                row.body += offset;
                block.members.push_back(static_cast<int>(ef_.rows.size()));
                ef_.rows.push_back(std::move(row));
            }
            if (!block.members.empty()) ef_.equBlocks.push_back(std::move(block));
        }
        costs_.push_back(columnAt[static_cast<size_t>(costColumn)]);
        probabilities_.push_back(probability);
    }

    // The objective column and its row: sum_k p_k cost_k.
    ModelInstance& finish() {
        for (int j = 0; j < n1_; j++)
            if (firstStage_[static_cast<size_t>(j)] < 0)
                refuse("The extensive form cannot be built: no equation of any scenario uses x('" +
                       std::to_string(j + 1) + "').");
        const int objective = static_cast<int>(ef_.columns.size());
        gamsub::Block objectiveBlock;
        objectiveBlock.name = "expectedCost";
        objectiveBlock.text = "sum over the scenarios of probability times cost";
        objectiveBlock.members = {objective};
        gamsub::Column column;
        column.block = static_cast<int>(ef_.varBlocks.size());
        ef_.varBlocks.push_back(objectiveBlock);
        ef_.columns.push_back(column);
        std::vector<int> terms{ef_.pool.variable(objective)};
        for (size_t k = 0; k < costs_.size(); k++)
            terms.push_back(ef_.pool.apply(gamsub::Op::Mul, {ef_.pool.constant(-probabilities_[k]),
                                                             ef_.pool.variable(costs_[k])}));
        gamsub::Block rowBlock;
        rowBlock.name = "expectedCostDefinition";
        gamsub::Row row;
        row.block = static_cast<int>(ef_.equBlocks.size());
        row.type = gamsub::RowType::E;
        row.body = ef_.pool.apply(gamsub::Op::Add, terms);
        rowBlock.members = {static_cast<int>(ef_.rows.size())};
        ef_.equBlocks.push_back(rowBlock);
        ef_.rows.push_back(row);
        ef_.objectiveColumn = objective;
        ef_.objectiveName = objectiveBlock.name;
        ef_.sense = gamsub::Sense::Minimize;
        ef_.type = typeOf(type_);
        return ef_;
    }

    const std::vector<int>& firstStage() const { return firstStage_; }
    const std::vector<int>& costs() const { return costs_; }

private:
    // x('j') of every scenario is the one column x('j') of the extensive form,
    // within the tightest of the scenarios' bounds.
    void addFirstStage(const ModelInstance& m, const gamsub::Block& b, std::vector<int>& columnAt,
                       const std::string& where) {
        if (b.dimension != 1) refuse("The extensive form cannot be built: x in " + where + " is not indexed once.");
        if (xBlock_ < 0) {
            xBlock_ = static_cast<int>(ef_.varBlocks.size());
            gamsub::Block block = b;
            block.members.clear();
            ef_.varBlocks.push_back(block);
        }
        for (int c : b.members) {
            const gamsub::Column& source = m.columns[static_cast<size_t>(c)];
            const std::string& label = source.labels.front();
            int j = -1;
            for (int i = 1; i <= n1_; i++)
                if (label == std::to_string(i)) j = i - 1;
            if (j < 0)
                refuse("The extensive form cannot be built: " + where + " uses x('" + label +
                       "'); the first stage is x('1')..x('" + std::to_string(n1_) + "') (--n1).");
            int& at = firstStage_[static_cast<size_t>(j)];
            if (at < 0) {
                at = static_cast<int>(ef_.columns.size());
                gamsub::Column column = source;
                column.block = xBlock_;
                ef_.columns.push_back(column);
                ef_.varBlocks[static_cast<size_t>(xBlock_)].members.push_back(at);
            } else {
                gamsub::Column& shared = ef_.columns[static_cast<size_t>(at)];
                shared.lower = std::max(shared.lower, source.lower);
                shared.upper = std::min(shared.upper, source.upper);
            }
            columnAt[static_cast<size_t>(c)] = at;
        }
    }

    int n1_;
    std::string cost_;
    ModelInstance ef_;
    int xBlock_ = -1;
    TypeClass type_;
    std::vector<int> firstStage_;
    std::vector<int> costs_;
    std::vector<double> probabilities_;
};

}  // namespace

void refuseExtensiveFormWithout(const RunOptions& o, const std::string& gamsPath) {
    if (o.costVariable.empty())
        refuse("--ef needs --cost: the extensive form minimises the expected value of the scenarios' cost variable.");
    std::string program = gamsPath;
    // A directory names the program "gams" inside it.
    if (!gamsub::namesBundledSolver(program)) program = gamsPath + "/gams";
    if (!gamsub::namesBundledSolver(program))
        refuse("--ef solves the extensive form with the bundled solver in this process; '" + gamsPath +
               "' is not the bundled solver (or cannot be read).\n >> Give --gams the bundled solver (build/solver/gams), or run PH without --ef.");
}

ExtensiveFormAnswer solveExtensiveForm(const ModelTemplate& tpl, const SCENARIOS& set, const RunOptions& o) {
    const auto start = std::chrono::steady_clock::now();
    ModelRound round;
    round.style.digits = o.digits;
    round.style.strict = true;
    round.style.weightsOff = true;
    round.style.rhoOff = true;
    const std::vector<double> noRho(static_cast<size_t>(set.numVariables1), 0.0);
    round.style.rhoPerVariable = &noRho;
    round.solutionFiles = false;

    ExtensiveBuilder builder(set.numVariables1, o.costVariable);
    for (int s = 0; s < set.numScenarios; s++) {
        const ModelInstance m = scenarioInstance(scenarioModelText(tpl, set, s, round), s + 1, tpl.fileName());
        builder.add(m, s + 1, set.scenarios[s]->probability);
    }
    ModelInstance& ef = builder.finish();

    ExtensiveFormAnswer answer;
    answer.modelType = gamsub::modelTypeName(ef.type);
    answer.solver = gamsub::solverFor(ef);
    answer.rows = static_cast<int>(ef.rows.size());
    answer.columns = static_cast<int>(ef.columns.size());
    const gamsub::SolveStatus status = gamsub::solveInstance(ef);
    answer.solverStatus = status.solverStatus;
    answer.modelStatus = status.modelStatus;
    answer.statusText = gamsub::modelStatusText(status.modelStatus);
    answer.optimal = status.modelStatus == 1 || status.modelStatus == 2;
    answer.hasPlan = answer.optimal || status.modelStatus == 8;
    if (answer.hasPlan) {
        for (int c : builder.firstStage()) answer.plan.push_back(ef.columns[static_cast<size_t>(c)].level);
        for (size_t k = 0; k < builder.costs().size(); k++)
            answer.expectedCost +=
                set.scenarios[k]->probability * ef.columns[static_cast<size_t>(builder.costs()[k])].level;
    }
    answer.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return answer;
}

void printExtensiveForm(const ExtensiveFormAnswer& a) {
    std::printf("Extensive form: %s, %d rows, %d columns, solved by %s in %.3f s: solver status %d, model status %d "
                "(%s).\n",
                a.modelType.c_str(), a.rows, a.columns, a.solver.c_str(), a.seconds, a.solverStatus, a.modelStatus,
                a.statusText.c_str());
    if (a.hasPlan) {
        std::printf("\nPlan of the extensive form:\n");
        for (size_t j = 0; j < a.plan.size(); j++) std::printf("  x('%zu') = %.10g\n", j + 1, a.plan[j]);
        std::printf("Expected cost of the extensive form = %.10g\n", a.expectedCost);
    }
    if (a.optimal)
        std::printf("\n********** The extensive form is solved: no plan costs less than %.10g%s. **********\n\n",
                    a.expectedCost, a.modelStatus == 2 ? " nearby (a local optimum)" : "");
    else if (a.hasPlan)
        std::printf("\n********** The extensive form has a plan, not proven optimal. **********\n\n");
    else
        std::printf("\n********** The extensive form has no optimum: %s. **********\n\n", a.statusText.c_str());
    std::fflush(stdout);
}

std::string extensiveFormJson(const ExtensiveFormAnswer& a) {
    nlohmann::json j;
    j["model_type"] = a.modelType;
    j["solver"] = a.solver;
    j["rows"] = a.rows;
    j["columns"] = a.columns;
    j["solver_status"] = a.solverStatus;
    j["model_status"] = a.modelStatus;
    j["status"] = a.statusText;
    j["optimal"] = a.optimal;
    if (a.hasPlan) {
        j["plan"] = a.plan;
        j["expected_cost"] = a.expectedCost;
    } else {
        j["plan"] = nullptr;
        j["expected_cost"] = nullptr;
    }
    j["seconds"] = a.seconds;
    return j.dump(1);
}
