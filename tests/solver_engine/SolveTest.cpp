// Solves of hand-built instances with known optima, statuses and marginals.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "InstanceBuilder.h"
#include "SolveEngine.h"

namespace gamsub::testing {
namespace {

void expectRelative(double expected, double actual, double tolerance = 1e-6) {
    EXPECT_NEAR(expected, actual, tolerance * std::max(1.0, std::fabs(expected)));
}

bool solverSectionHas(const SolveStatus& status, const std::string& start) {
    for (const std::string& line : status.solverLines)
        if (line.rfind(start, 0) == 0) return true;
    return false;
}

// The beet quota of Birge and Louveaux's farmer in one scenario (its whole
// extensive form is in the model corpus): min z, z = 260 x - 36 w, 24 x - w >= 0,
// w <= 6000, so x = 250 and w = 6000. The binding row's terms are large
// (24 * 250 - 6000), yet its level lies exactly on the bound; a ton more costs 260/24.
TEST(SolveLp, BindingRowWithLargeTermsSitsOnItsBound) {
    InstanceBuilder b(ModelType::LP);
    int x = b.positive("x"), w = b.positive("w"), z = b.variable("z");
    int beets = b.equation("beets", {}, b.linear({{x, 24}, {w, -1}}), RowType::G, b.c(0));
    b.equation("quota", {}, b.x(w), RowType::L, b.c(6000));
    b.equation("obj", {}, b.x(z), RowType::E, b.linear({{x, 260}, {w, -36}}));
    ModelInstance& m = b.finish(z);

    SolveStatus status = solveInstance(m);
    EXPECT_EQ(1, status.solverStatus);
    EXPECT_EQ(1, status.modelStatus);
    expectRelative(-151000, status.objective);
    expectRelative(250, m.columns[x].level);
    EXPECT_EQ(0.0, m.rows[beets].level);
    expectRelative(260.0 / 24, m.rows[beets].marginal);
    // z - cost = 0: a unit more on its right-hand side moves z by one.
    EXPECT_DOUBLE_EQ(1.0, m.rows.back().marginal);
    EXPECT_GE(status.ipoptSeconds, 0.0);
    EXPECT_LE(status.ipoptSeconds, status.seconds);
    EXPECT_TRUE(solverSectionHas(status, " ** Optimal solution."));
}

// min z with cost =e= z (cost written first), cost = 3x + 2y, x + y >= 4:
// y = 4, cost 8; the objective row's marginal is -1 as GAMS shows it.
TEST(SolveLp, ObjectiveRowWrittenCostFirst) {
    InstanceBuilder b(ModelType::LP);
    int x = b.positive("x"), y = b.positive("y"), z = b.variable("z");
    b.equation("demand", {}, b.linear({{x, 1}, {y, 1}}), RowType::G, b.c(4));
    b.equation("obj", {}, b.linear({{x, 3}, {y, 2}}), RowType::E, b.x(z));
    ModelInstance& m = b.finish(z);

    SolveStatus status = solveInstance(m);
    EXPECT_EQ(1, status.modelStatus);
    expectRelative(8, status.objective);
    expectRelative(4, m.columns[y].level);
    EXPECT_DOUBLE_EQ(-1.0, m.rows.back().marginal);
}

// max 3x + 2y, x + y + w <= 6 with w fixed at 2, x + 3y <= 8, x in [0, 3]:
// x = 3, y = 1, objective 11; marginals per unit for a maximisation.
TEST(SolveLp, MaximisationWithBoundsAndFixedVariable) {
    InstanceBuilder b(ModelType::LP, Sense::Maximize);
    int x = b.variable("x", {}, 0, 3);
    int y = b.positive("y");
    int w = b.variable("w", {}, 2, 2, 2);
    int z = b.variable("z");
    int r1 = b.equation("r1", {}, b.linear({{x, 1}, {y, 1}, {w, 1}}), RowType::L, b.c(6));
    int r2 = b.equation("r2", {}, b.linear({{x, 1}, {y, 3}}), RowType::L, b.c(8));
    b.equation("obj", {}, b.x(z), RowType::E, b.linear({{x, 3}, {y, 2}}));
    ModelInstance& m = b.finish(z);

    SolveStatus status = solveInstance(m);
    EXPECT_EQ(1, status.modelStatus);
    expectRelative(11, status.objective);
    expectRelative(3, m.columns[x].level);
    expectRelative(1, m.columns[y].level);
    EXPECT_EQ(3.0, m.columns[x].level) << "a level on its bound is shown as the bound";
    expectRelative(1, m.columns[x].marginal);    // a unit more upper bound on x gains 3 - 2
    expectRelative(-2, m.columns[w].marginal);   // a unit more w costs a unit of y
    EXPECT_EQ(0.0, m.columns[y].marginal);       // between its bounds
    expectRelative(2, m.rows[r1].marginal);
    EXPECT_EQ(0.0, m.rows[r2].marginal);         // slack row
    // LOWER/UPPER are minus the row's constant terms, LEVEL the rest.
    EXPECT_EQ(-kInf, m.rows[r1].lower);
    EXPECT_EQ(6.0, m.rows[r1].upper);
    EXPECT_DOUBLE_EQ(6.0, m.rows[r1].level);
}

// min (x1 - 1)^2 + (x2 - 2)^2 s.t. x1 + x2 <= 1: x = (0, 1), value 2, and
// relaxing the row by one unit lowers the objective by 2. A convex QP: Clp's
// quadratic simplex solves it to its (global) optimum.
TEST(SolveNlp, ConstrainedQuadratic) {
    InstanceBuilder b(ModelType::QCP);
    int x1 = b.variable("x", {"1"});
    int x2 = b.variable("x", {"2"});
    int z = b.variable("z");
    int row = b.equation("cap", {}, b.linear({{x1, 1}, {x2, 1}}, 3), RowType::L, b.c(4));
    int f = b.op(Op::Add, {b.op(Op::Sqr, {b.op(Op::Sub, {b.x(x1), b.c(1)})}),
                           b.op(Op::Pow, {b.op(Op::Sub, {b.x(x2), b.c(2)}), b.c(2)})});
    b.equation("obj", {}, b.x(z), RowType::E, f);
    ModelInstance& m = b.finish(z);

    EXPECT_EQ("CLP", solverFor(m));
    SolveStatus status = solveInstance(m);
    EXPECT_EQ("CLP", status.solverName);
    EXPECT_EQ(1, status.solverStatus);
    EXPECT_EQ(1, status.modelStatus);
    expectRelative(2, status.objective);
    expectRelative(0, m.columns[x1].level);
    expectRelative(1, m.columns[x2].level);
    expectRelative(-2, m.rows[row].marginal);
    EXPECT_EQ(1.0, m.rows[row].upper);  // x1 + x2 + 3 =l= 4 moves 3 to the right
    EXPECT_EQ(0, status.evaluationErrors);
}

// min x^2 + y^2 + xy - 4x - 4y s.t. x + y <= 1.5 (the Hessian couples x and
// y): the optimum (0.75, 0.75) and the row's marginal -1.75 to the last digit,
// taken from the final active set. The same objective maximised, or with the
// coupling 3xy (an indefinite Hessian), is not a convex QP and goes to Ipopt.
TEST(SolveNlp, ConvexQuadraticToTheLastDigitOthersToIpopt) {
    auto coupled = [](InstanceBuilder& b, double coupling, int& x, int& y, int& row) -> ModelInstance& {
        x = b.variable("x", {}, 0.0, kInf);
        y = b.variable("y", {}, 0.0, kInf);
        int z = b.variable("z");
        row = b.equation("room", {}, b.linear({{x, 1}, {y, 1}}), RowType::L, b.c(1.5));
        int f = b.op(Op::Add, {b.op(Op::Sqr, {b.x(x)}), b.op(Op::Sqr, {b.x(y)}), b.mul(b.c(coupling), b.mul(b.x(x), b.x(y))),
                               b.linear({{x, -4}, {y, -4}})});
        b.equation("obj", {}, b.x(z), RowType::E, f);
        return b.finish(z);
    };
    int x, y, row;
    InstanceBuilder convex(ModelType::QCP);
    ModelInstance& m = coupled(convex, 1.0, x, y, row);
    SolveStatus status = solveInstance(m);
    EXPECT_EQ("CLP", status.solverName);
    EXPECT_EQ(1, status.modelStatus) << status.solverMessage;
    EXPECT_DOUBLE_EQ(0.75, m.columns[x].level);
    EXPECT_DOUBLE_EQ(0.75, m.columns[y].level);
    EXPECT_DOUBLE_EQ(-1.75, m.rows[row].marginal);
    EXPECT_DOUBLE_EQ(-4.3125, status.objective);

    InstanceBuilder indefinite(ModelType::QCP);
    EXPECT_EQ("IPOPT", solverFor(coupled(indefinite, 3.0, x, y, row)));
    InstanceBuilder maximised(ModelType::QCP, Sense::Maximize);
    ModelInstance& concave = coupled(maximised, 1.0, x, y, row);
    concave.columns[x].upper = concave.columns[y].upper = 1.0;
    EXPECT_EQ("IPOPT", solverFor(concave));
}

// Hock-Schittkowski 71: products, a sum of squares, bounds; the objective
// variable is also bounded, so it stays a variable of its own.
ModelInstance& hockSchittkowski71(InstanceBuilder& b, int x[4]) {
    double start[4] = {1, 5, 5, 1};
    for (int i = 0; i < 4; i++) x[i] = b.variable("x", {std::to_string(i + 1)}, 1, 5, start[i]);
    int z = b.variable("z", {}, -1000, 1000);
    int product = b.mul(b.mul(b.x(x[0]), b.x(x[1])), b.mul(b.x(x[2]), b.x(x[3])));
    b.equation("prod", {}, product, RowType::G, b.c(25));
    b.equation("sphere", {}, b.op(Op::Add, {b.op(Op::Sqr, {b.x(x[0])}), b.op(Op::Sqr, {b.x(x[1])}),
                                            b.op(Op::Sqr, {b.x(x[2])}), b.op(Op::Sqr, {b.x(x[3])})}),
               RowType::E, b.c(40));
    int sum = b.linear({{x[0], 1}, {x[1], 1}, {x[2], 1}});
    b.equation("obj", {}, b.x(z), RowType::E, b.op(Op::Add, {b.mul(b.mul(b.x(x[0]), b.x(x[3])), sum), b.x(x[2])}));
    return b.finish(z);
}

TEST(SolveNlp, HockSchittkowski71) {
    InstanceBuilder b(ModelType::NLP);
    int x[4];
    ModelInstance& m = hockSchittkowski71(b, x);

    SolveStatus status = solveInstance(m);
    EXPECT_EQ(2, status.modelStatus);
    expectRelative(17.0140173, status.objective);
    double expected[4] = {1.0, 4.7429994, 3.8211503, 1.3794082};
    for (int i = 0; i < 4; i++) expectRelative(expected[i], m.columns[x[i]].level);
    expectRelative(1, m.rows.back().marginal);  // z - f = 0, z kept as a variable
}

// The solve's own limits stop Ipopt: reslim on the wall clock (3 Resource
// Interrupt), iterlim as Ipopt's iteration limit (2 Iteration Interrupt).
TEST(SolveNlp, ResourceAndIterationLimits) {
    int x[4];
    InstanceBuilder timed(ModelType::NLP);
    ModelInstance& t = hockSchittkowski71(timed, x);
    t.options.reslim = 0.0;
    SolveStatus status = solveInstance(t);
    EXPECT_EQ(3, status.solverStatus) << status.solverMessage;
    EXPECT_TRUE(status.modelStatus == 6 || status.modelStatus == 7) << status.modelStatus;

    InstanceBuilder counted(ModelType::NLP);
    ModelInstance& c = hockSchittkowski71(counted, x);
    c.options.iterlim = 2;
    status = solveInstance(c);
    EXPECT_EQ(2, status.solverStatus) << status.solverMessage;
    EXPECT_EQ(2, status.iterations);
}

// min x + y s.t. x^2 + y^2 <= 2: (-1, -1); the Lagrangian's Hessian depends
// on the row's multiplier, and a unit more room lowers the objective by 1/2.
TEST(SolveNlp, QuadraticConstraint) {
    InstanceBuilder b(ModelType::QCP);
    int x = b.variable("x", {}, -kInf, kInf, 0.5);
    int y = b.variable("y", {}, -kInf, kInf, 0.1);
    int z = b.variable("z");
    int disc = b.equation("disc", {}, b.op(Op::Add, {b.op(Op::Sqr, {b.x(x)}), b.mul(b.x(y), b.x(y))}), RowType::L,
                          b.c(2));
    b.equation("obj", {}, b.x(z), RowType::E, b.linear({{x, 1}, {y, 1}}));
    ModelInstance& m = b.finish(z);
    SolveStatus status = solveInstance(m);
    EXPECT_EQ(2, status.modelStatus);
    expectRelative(-2, status.objective);
    expectRelative(-1, m.columns[x].level);
    expectRelative(-0.5, m.rows[disc].marginal);
    EXPECT_EQ(2.0, m.rows[disc].level);
}

// z =e= sqr(x) + 1 with x fixed at 2 and no other row: x's marginal is the
// objective's slope 4; the row moves its constant 1 to LOWER/UPPER.
TEST(SolveNlp, FixedVariableWithoutConstraints) {
    InstanceBuilder b(ModelType::NLP);
    int x = b.variable("x", {}, 2, 2, 2);
    int z = b.variable("z");
    int row = b.equation("o1", {}, b.x(z), RowType::E, b.op(Op::Add, {b.op(Op::Sqr, {b.x(x)}), b.c(1)}));
    ModelInstance& m = b.finish(z);
    SolveStatus status = solveInstance(m);
    EXPECT_EQ(2, status.modelStatus);
    expectRelative(5, status.objective);
    expectRelative(4, m.columns[x].marginal);
    EXPECT_EQ(1.0, m.rows[row].lower);
    EXPECT_EQ(1.0, m.rows[row].upper);
    expectRelative(1, m.rows[row].level);
}

TEST(SolveStatuses, InfeasibleLpAndNlp) {
    {
        InstanceBuilder b(ModelType::LP);
        int x = b.positive("x"), y = b.positive("y"), z = b.variable("z");
        b.equation("lo", {}, b.linear({{x, 1}, {y, 1}}), RowType::G, b.c(5));
        b.equation("hi", {}, b.linear({{x, 1}, {y, 1}}), RowType::L, b.c(3));
        b.equation("obj", {}, b.x(z), RowType::E, b.x(x));
        ModelInstance& m = b.finish(z);
        SolveStatus status = solveInstance(m);
        EXPECT_EQ(1, status.solverStatus);
        EXPECT_EQ(4, status.modelStatus);
        EXPECT_TRUE(solverSectionHas(status, " ** Infeasible solution."));
    }
    {
        InstanceBuilder b(ModelType::NLP);
        int x = b.variable("x"), y = b.variable("y"), z = b.variable("z");
        b.equation("disc", {}, b.op(Op::Add, {b.op(Op::Sqr, {b.x(x)}), b.op(Op::Sqr, {b.x(y)})}), RowType::L, b.c(1));
        b.equation("line", {}, b.linear({{x, 1}, {y, 1}}), RowType::G, b.c(3));
        b.equation("obj", {}, b.x(z), RowType::E, b.x(x));
        ModelInstance& m = b.finish(z);
        SolveStatus status = solveInstance(m);
        EXPECT_EQ(1, status.solverStatus);
        EXPECT_EQ(5, status.modelStatus);
        EXPECT_TRUE(solverSectionHas(status, " ** Infeasible solution."));
    }
}

// Every variable fixed (Ipopt would refuse: too few degrees of freedom): the
// rows are checked at the fixed levels.
TEST(SolveStatuses, AllVariablesFixed) {
    for (double y0 : {2.0, 3.0}) {
        InstanceBuilder b(ModelType::NLP);
        int x = b.variable("x", {}, 1, 1, 1), y = b.variable("y", {}, y0, y0, y0), z = b.variable("z");
        b.equation("e1", {}, b.linear({{x, 1}, {y, 1}}), RowType::E, b.c(3));
        b.equation("obj", {}, b.x(z), RowType::E, b.op(Op::Add, {b.x(x), b.op(Op::Sqr, {b.x(y)})}));
        ModelInstance& m = b.finish(z);
        SolveStatus status = solveInstance(m);
        EXPECT_EQ(1, status.solverStatus);
        EXPECT_EQ(y0 == 2.0 ? 2 : 4, status.modelStatus);
        expectRelative(1 + y0 * y0, status.objective);
    }
}

// log(x) cannot be evaluated at the start: no crash, the failures are
// counted and the status says there is no optimal solution.
TEST(SolveStatuses, EvaluationErrorAtStart) {
    InstanceBuilder b(ModelType::NLP);
    int x = b.variable("x", {}, -kInf, kInf, -1);
    int z = b.variable("z");
    b.equation("obj", {}, b.x(z), RowType::E, b.op(Op::Log, {b.x(x)}));
    ModelInstance& m = b.finish(z);
    SolveStatus status = solveInstance(m);
    EXPECT_GT(status.evaluationErrors, 0);
    EXPECT_NE(1, status.solverStatus);
    EXPECT_NE(2, status.modelStatus);
}

// A malformed instance is reported, never a crash.
TEST(SolveStatuses, MalformedInstanceIsASystemFailure) {
    InstanceBuilder b(ModelType::LP);
    int x = b.positive("x");
    b.model().pool.nodes.push_back(Node{Op::Add, 0.0, -1, {99}});
    b.equation("r", {}, b.x(x), RowType::G, b.c(1));
    ModelInstance& m = b.finish(x);
    SolveStatus status = solveInstance(m);
    EXPECT_EQ(13, status.solverStatus);
    EXPECT_EQ(13, status.modelStatus);
}

}  // namespace
}  // namespace gamsub::testing
