// The bridge between the language front end and the solve engine: a model
// instantiated over its sets, as columns (variables), rows (equations) and
// expressions over the columns. The front end builds it for each `solve`
// statement; the engine solves it and writes the solution part of the listing.
#ifndef GAMSUB_MODELINSTANCE_H
#define GAMSUB_MODELINSTANCE_H

#include <limits>
#include <string>
#include <vector>

namespace gamsub {

constexpr double kInf = std::numeric_limits<double>::infinity();

// Expression graph. Nodes live in one pool and refer to their arguments by
// index; a node's arguments always have smaller indices than the node itself.
enum class Op {
    Const,  // value
    Var,    // column index in `var`
    Add,    // n-ary sum of args
    Sub,    // args[0] - args[1]
    Mul,    // args[0] * args[1]
    Div,    // args[0] / args[1]
    Neg,    // -args[0]
    Pow,    // args[0] ** args[1] (also GAMS power(x, n))
    Sqr,    // args[0]^2
    Sqrt,
    Exp,
    Log,
    Abs,
    Min,    // n-ary
    Max,    // n-ary
    Sin,
    Cos,
    LogGamma,  // log(gamma(x)), x > 0
};

struct Node {
    Op op = Op::Const;
    double value = 0.0;     // Const only
    int var = -1;           // Var only
    std::vector<int> args;  // operands, by pool index
};

struct ExpressionPool {
    std::vector<Node> nodes;

    int constant(double v) {
        Node n;
        n.op = Op::Const;
        n.value = v;
        return add(std::move(n));
    }
    int variable(int column) {
        Node n;
        n.op = Op::Var;
        n.var = column;
        return add(std::move(n));
    }
    int apply(Op op, std::vector<int> args) {
        Node n;
        n.op = op;
        n.args = std::move(args);
        return add(std::move(n));
    }
    // Appends the node; returns its pool index.
    int add(Node n) {
        nodes.push_back(std::move(n));
        return static_cast<int>(nodes.size()) - 1;
    }
};

// Binary, Integer, the semi-continuous and the SOS kinds make a column discrete;
// a relaxed model type (RMIP, ...) solves them as continuous within their bounds.
// An SOS1 (SOS2) variable's elements that share all indices but the last form
// one set, of which at most one (two neighbouring, in the last index's order) may be nonzero.
enum class VarKind { Free, Positive, Negative, Binary, Integer, SemiCont, SemiInt, Sos1, Sos2 };
enum class RowType { E, L, G };  // =e=, =l=, =g=
// MCP and CNS have no objective: a complementarity problem over matched
// equation.variable pairs, and a square system of equations.
enum class ModelType { LP, QCP, NLP, DNLP, MIP, RMIP, MIQCP, RMIQCP, MINLP, RMINLP, MCP, CNS };

inline bool hasObjective(ModelType type) { return type != ModelType::MCP && type != ModelType::CNS; }

// The type's name as GAMS writes it ("LP", "MIQCP", ...).
inline const char* modelTypeName(ModelType type) {
    switch (type) {
    case ModelType::LP: return "LP";
    case ModelType::QCP: return "QCP";
    case ModelType::NLP: return "NLP";
    case ModelType::DNLP: return "DNLP";
    case ModelType::MIP: return "MIP";
    case ModelType::RMIP: return "RMIP";
    case ModelType::MIQCP: return "MIQCP";
    case ModelType::RMIQCP: return "RMIQCP";
    case ModelType::MINLP: return "MINLP";
    case ModelType::RMINLP: return "RMINLP";
    case ModelType::MCP: return "MCP";
    case ModelType::CNS: return "CNS";
    }
    return "?";
}

// Limits and tolerances of one solve (GAMS's option and command-line names).
struct SolveOptions {
    double reslim = 1000.0;  // seconds a solve may take
    double optcr = 1e-4;     // relative optimality gap for discrete models
    double optca = 0.0;      // absolute optimality gap for discrete models
    long iterlim = 2000000000L;
    // holdfixed = 1: fixed variables are constants of the solve, so the solver
    // gives no marginal for them (shown as NA, refused when read).
    bool holdFixed = false;
};
enum class Sense { Minimize, Maximize };

// One column of the instance: one element of a declared variable.
struct Column {
    int block = -1;                   // index into ModelInstance::varBlocks
    std::vector<std::string> labels;  // one label per index position
    double lower = -kInf, upper = kInf, level = 0.0, scale = 1.0;
    double marginal = 0.0;            // filled by the engine after the solve
    bool nonbasic = false;            // a simplex engine's final basis has it at a bound: a zero marginal is EPS
};

// One row: body =type= 0, where body = lhs - rhs of the equation.
struct Row {
    int block = -1;                   // index into ModelInstance::equBlocks
    std::vector<std::string> labels;
    RowType type = RowType::E;
    int body = -1;                    // pool index of lhs - rhs
    double level = 0.0, marginal = 0.0;  // filled by the engine after the solve
    double lower = -kInf, upper = kInf;  // filled by the engine: minus the body's constant, per type
    bool nonbasic = false;               // as Column::nonbasic
    int matchedColumn = -1;              // MCP: the column of its equation.variable pair, -1 if unmatched
};

// A declared variable or equation as the listing shows it: its elements in
// listing order (declaration order of the model's items, elements sorted as
// GAMS sorts them) are the columns or rows whose `block` is this block.
struct Block {
    std::string name;
    std::string text;  // explanatory text, may be empty
    int dimension = 0;
    VarKind kind = VarKind::Free;  // variables only
    std::vector<int> members;      // column or row indices, in listing order
};

struct ModelInstance {
    std::string modelName;   // as written in the source (listing shows it upper-cased where GAMS does)
    ModelType type = ModelType::LP;
    Sense sense = Sense::Minimize;
    int objectiveColumn = -1;  // the scalar variable being optimised; -1 for MCP and CNS
    std::string objectiveName;
    int solveLine = 0;         // source line of the solve statement ("FROM LINE")
    SolveOptions options;      // as set by `option` statements and the command line

    ExpressionPool pool;
    std::vector<Column> columns;
    std::vector<Row> rows;
    std::vector<Block> varBlocks;  // declaration order
    std::vector<Block> equBlocks;  // declaration order
};

// GAMS's status codes as the SOLVE SUMMARY prints them.
struct SolveStatus {
    std::string solverName = "IPOPT";  // as the SOLVE SUMMARY names it
    int solverStatus = 1;   // 1 Normal Completion, 2 Iteration Interrupt, 3 Resource Interrupt, 4 Terminated by Solver, 5 Evaluation Interrupt, 13 System Failure
    int modelStatus = 2;    // 1 Optimal, 2 Locally Optimal, 3 Unbounded, 4 Infeasible, 5 Locally Infeasible, 6 Intermediate Infeasible, 7 Intermediate Nonoptimal, 13 Error No Solution
    double objective = 0.0;
    int iterations = 0;
    double seconds = 0.0;       // resource usage shown in the SOLVE SUMMARY
    double ipoptSeconds = 0.0;  // time spent inside Ipopt's own algorithm (excluding our callbacks)
    std::string solverMessage;  // short text for the solver's own section of the listing
    int evaluationErrors = 0;   // function evaluations that failed (log of 0, overflow, ...)
    std::vector<std::string> solverLines;  // the solver's own section of the listing, line by line
};

}  // namespace gamsub

#endif
