// Discrete models: CBC's optimum where the relaxation differs, the relaxed
// types, the GAMS statuses of infeasible and unsupported models, and marginals
// from the final LP with the discrete columns fixed.
#include <gtest/gtest.h>

#include <cmath>

#include "InstanceBuilder.h"
#include "SolveEngine.h"

namespace gamsub::testing {
namespace {

// max 8a + 11b + 6c + 4d with 5a + 7b + 4c + 3d <= 14, all binary: b, c and d
// fill the knapsack (21); the relaxation takes a, b and half of c (22).
ModelInstance& knapsack(InstanceBuilder& b, int columns[4]) {
    const char* names[4] = {"a", "b", "c", "d"};
    for (int k = 0; k < 4; k++) columns[k] = b.variable("take", {names[k]}, 0.0, 1.0);
    b.kind("take", VarKind::Binary);
    int z = b.variable("z");
    b.equation("room", {}, b.linear({{columns[0], 5}, {columns[1], 7}, {columns[2], 4}, {columns[3], 3}}), RowType::L,
               b.c(14));
    b.equation("value", {}, b.x(z), RowType::E,
               b.linear({{columns[0], 8}, {columns[1], 11}, {columns[2], 6}, {columns[3], 4}}));
    return b.finish(z);
}

TEST(Mip, KnapsackOptimumAndItsRelaxation) {
    int take[4];
    InstanceBuilder mip(ModelType::MIP, Sense::Maximize);
    ModelInstance& m = knapsack(mip, take);
    std::string announced = solverFor(m);
    SolveStatus status = solveInstance(m);
    EXPECT_EQ(announced, status.solverName);
    EXPECT_EQ("CBC", status.solverName);
    EXPECT_EQ(1, status.solverStatus);
    EXPECT_EQ(1, status.modelStatus) << status.solverMessage;
    EXPECT_NEAR(21.0, status.objective, 1e-9);
    EXPECT_EQ(0.0, m.columns[take[0]].level);
    for (int k = 1; k < 4; k++) EXPECT_EQ(1.0, m.columns[take[k]].level) << k;

    InstanceBuilder rmip(ModelType::RMIP, Sense::Maximize);
    ModelInstance& r = knapsack(rmip, take);
    announced = solverFor(r);
    SolveStatus relaxed = solveInstance(r);
    EXPECT_EQ(announced, relaxed.solverName);
    EXPECT_EQ("CLP", relaxed.solverName);
    EXPECT_EQ(1, relaxed.modelStatus);
    EXPECT_NEAR(22.0, relaxed.objective, 1e-9);
    EXPECT_NEAR(0.5, r.columns[take[2]].level, 1e-12);
}

// Open a plant (fixed cost 10, capacity 8) or buy at 3 per unit; demand 5.
// Opening costs 10 + 5 = 15 < 15.01 = 5 * 3.002: the plant opens. With the
// plant fixed open, demand is priced at the plant's unit cost 1.
TEST(Mip, MarginalsComeFromTheFinalLpWithDiscreteColumnsFixed) {
    InstanceBuilder b(ModelType::MIP);
    int open = b.variable("open", {}, 0.0, 1.0);
    b.kind("open", VarKind::Binary);
    int make = b.positive("make"), buy = b.positive("buy"), z = b.variable("z");
    b.equation("capacity", {}, b.x(make), RowType::L, b.mul(b.c(8), b.x(open)));
    int demand = b.equation("demand", {}, b.linear({{make, 1}, {buy, 1}}), RowType::G, b.c(5));
    b.equation("cost", {}, b.x(z), RowType::E, b.linear({{open, 10}, {make, 1}, {buy, 3.002}}));
    ModelInstance& m = b.finish(z);
    SolveStatus status = solveInstance(m);
    EXPECT_EQ(1, status.modelStatus) << status.solverMessage;
    EXPECT_NEAR(15.0, status.objective, 1e-9);
    EXPECT_EQ(1.0, m.columns[open].level);
    EXPECT_NEAR(1.0, m.rows[demand].marginal, 1e-9);
    EXPECT_NEAR(2.002, m.columns[buy].marginal, 1e-9);
}

TEST(Mip, InfeasibleAndUnsupportedModels) {
    // 2x + 2y = 3 has no integer solution, though its relaxation has many: 10 Integer Infeasible.
    {
        InstanceBuilder b(ModelType::MIP);
        int x = b.variable("x", {}, 0.0, 5.0), y = b.variable("y", {}, 0.0, 5.0), z = b.variable("z");
        b.kind("x", VarKind::Integer);
        b.kind("y", VarKind::Integer);
        b.equation("odd", {}, b.linear({{x, 2}, {y, 2}}), RowType::E, b.c(3));
        b.equation("obj", {}, b.x(z), RowType::E, b.linear({{x, 1}, {y, 1}}));
        SolveStatus status = solveInstance(b.finish(z));
        EXPECT_EQ(1, status.solverStatus);
        EXPECT_EQ(10, status.modelStatus) << status.solverMessage;
    }
    // A binary that must reach 2: not even the relaxation is feasible, 19 Infeasible - No Solution.
    {
        InstanceBuilder b(ModelType::MIP);
        int x = b.variable("x", {}, 0.0, 1.0), z = b.variable("z");
        b.kind("x", VarKind::Binary);
        b.equation("two", {}, b.x(x), RowType::G, b.c(2));
        b.equation("obj", {}, b.x(z), RowType::E, b.x(x));
        SolveStatus status = solveInstance(b.finish(z));
        EXPECT_EQ(19, status.modelStatus) << status.solverMessage;
    }
    // Semi-continuous columns are beyond the bundled MIP engine: a capability problem, no solution.
    {
        InstanceBuilder b(ModelType::MIP);
        int x = b.variable("x", {}, 1.0, 4.0), z = b.variable("z");
        b.kind("x", VarKind::SemiCont);
        b.equation("obj", {}, b.x(z), RowType::E, b.x(x));
        SolveStatus status = solveInstance(b.finish(z));
        EXPECT_EQ(6, status.solverStatus);
        EXPECT_EQ(14, status.modelStatus);
    }
}

}  // namespace
}  // namespace gamsub::testing

namespace gamsub::testing {
namespace {

// min (x - 1.4)^2 + (y - 2.6)^2 with x + y <= 3.5: the relaxation moves to the
// row, (1.15, 2.35), 0.125; with integer x and y the best point is (1, 2), 0.52.
ModelInstance& roundedPoint(InstanceBuilder& b, int& x, int& y) {
    x = b.variable("x", {}, 0.0, 5.0);
    y = b.variable("y", {}, 0.0, 5.0);
    b.kind("x", VarKind::Integer);
    b.kind("y", VarKind::Integer);
    int z = b.variable("z");
    b.equation("room", {}, b.linear({{x, 1}, {y, 1}}), RowType::L, b.c(3.5));
    int dx = b.op(Op::Sqr, {b.op(Op::Sub, {b.x(x), b.c(1.4)})});
    int dy = b.op(Op::Sqr, {b.op(Op::Sub, {b.x(y), b.c(2.6)})});
    b.equation("distance", {}, b.x(z), RowType::E, b.op(Op::Add, {dx, dy}));
    return b.finish(z);
}

TEST(Minlp, ConvexIntegerOptimumAndItsRelaxation) {
    int x, y;
    InstanceBuilder minlp(ModelType::MINLP);
    ModelInstance& m = roundedPoint(minlp, x, y);
    EXPECT_EQ("BONMIN", solverFor(m));
    SolveStatus status = solveInstance(m);
    EXPECT_EQ("BONMIN", status.solverName);
    EXPECT_EQ(1, status.modelStatus) << status.solverMessage;
    EXPECT_NEAR(0.52, status.objective, 1e-7);
    EXPECT_NEAR(1.0, m.columns[x].level, 1e-9);
    EXPECT_NEAR(2.0, m.columns[y].level, 1e-9);

    InstanceBuilder relaxed(ModelType::RMINLP);
    ModelInstance& r = roundedPoint(relaxed, x, y);
    SolveStatus relaxedStatus = solveInstance(r);
    EXPECT_EQ("CLP", relaxedStatus.solverName);  // a convex QP once relaxed
    EXPECT_NEAR(0.125, relaxedStatus.objective, 1e-7);
    EXPECT_NEAR(1.15, r.columns[x].level, 1e-6);
}

}  // namespace
}  // namespace gamsub::testing
