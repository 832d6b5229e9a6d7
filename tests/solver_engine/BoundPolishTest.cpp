// Derivatives that are infinite at a held variable's level, and the bound
// polish that finishes an Ipopt run stalled next to such bounds.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "BoundPolish.h"
#include "CompiledModel.h"
#include "InstanceBuilder.h"
#include "SolveEngine.h"

namespace gamsub::testing {
namespace {

bool solverSectionHas(const SolveStatus& status, const std::string& part) {
    for (const std::string& line : status.solverLines)
        if (line.find(part) != std::string::npos) return true;
    return false;
}

// min sqrt(x) + sqrt(y) + (y - 1)^2 subject to sqrt(x) + y <= 3, x, y >= 0.
ModelInstance rootsModel() {
    InstanceBuilder b(ModelType::NLP);
    int x = b.positive("x"), y = b.positive("y"), z = b.variable("z");
    b.equation("cap", {}, b.op(Op::Add, {b.op(Op::Sqrt, {b.x(x)}), b.x(y)}), RowType::L, b.c(3));
    b.equation("obj", {}, b.x(z), RowType::E,
               b.op(Op::Add, {b.op(Op::Sqrt, {b.x(x)}), b.op(Op::Sqrt, {b.x(y)}),
                              b.op(Op::Sqr, {b.op(Op::Sub, {b.x(y), b.c(1)})})}));
    return b.finish(z);
}

// At x = 0 the derivatives of sqrt(x) are infinite: an evaluation error,
// unless x is held, and then only x's own entries may be infinite.
TEST(HeldDerivatives, OnlyTheHeldVariablesEntriesMayBeInfinite) {
    ModelInstance m = rootsModel();
    CompiledModel model(m);
    ASSERT_EQ(2, model.variableCount());
    std::vector<double> at{0.0, 1.0}, gradient(2), jacobian(model.jacobianRows().size()),
        hessian(model.hessianRows().size());
    std::vector<double> lambda{0.5};
    int x = 0;
    EXPECT_FALSE(model.objectiveGradient(at.data(), gradient.data()));
    EXPECT_FALSE(model.jacobian(at.data(), jacobian.data()));

    model.setHeldVariables({1, 0});
    ASSERT_TRUE(model.objectiveGradient(at.data(), gradient.data()));
    EXPECT_TRUE(std::isinf(gradient[x]) && gradient[x] > 0);
    EXPECT_DOUBLE_EQ(0.5, gradient[1]);  // 1/(2 sqrt(1)) + 2 (1 - 1)
    ASSERT_TRUE(model.jacobian(at.data(), jacobian.data()));
    for (size_t e = 0; e < jacobian.size(); e++)
        if (model.jacobianColumns()[e] != x) {
            EXPECT_DOUBLE_EQ(1.0, jacobian[e]);
        }
    ASSERT_TRUE(model.lagrangianHessian(at.data(), 1.0, lambda.data(), hessian.data()));
    for (size_t e = 0; e < hessian.size(); e++)
        if (model.hessianRows()[e] == 1 && model.hessianColumns()[e] == 1) {
            EXPECT_DOUBLE_EQ(-0.25 + 2.0, hessian[e]);
        }

    // Held y does not excuse x.
    model.setHeldVariables({0, 1});
    EXPECT_FALSE(model.objectiveGradient(at.data(), gradient.data()));
    EXPECT_THROW(model.setHeldVariables({1}), std::invalid_argument);
}

// x held at its lower bound 0 (y free, at 0) with each objective: the hold is
// optimal only where the objective does not fall as x rises.
TEST(BoundPolish, HeldBoundPassesOnlyWhereTheObjectiveRisesInward) {
    struct Case {
        const char* what;
        bool optimal;
        std::function<int(InstanceBuilder&, int)> objective;
    };
    std::vector<Case> cases = {
        {"sqrt(x): +inf", true, [](InstanceBuilder& b, int x) { return b.op(Op::Sqrt, {b.x(x)}); }},
        {"-sqrt(x): -inf", false, [](InstanceBuilder& b, int x) { return b.op(Op::Neg, {b.op(Op::Sqrt, {b.x(x)})}); }},
        {"(x + 1)^2: +2", true, [](InstanceBuilder& b, int x) { return b.op(Op::Sqr, {b.linear({{x, 1}}, 1)}); }},
        {"(x - 1)^2: -2", false, [](InstanceBuilder& b, int x) { return b.op(Op::Sqr, {b.linear({{x, 1}}, -1)}); }},
        // 0 * inf at 0: measured one-sidedly, +1 and -1.
        {"sqrt(x*x)", true, [](InstanceBuilder& b, int x) { return b.op(Op::Sqrt, {b.mul(b.x(x), b.x(x))}); }},
        {"-sqrt(x*x)", false,
         [](InstanceBuilder& b, int x) { return b.op(Op::Neg, {b.op(Op::Sqrt, {b.mul(b.x(x), b.x(x))})}); }},
    };
    for (const Case& c : cases) {
        InstanceBuilder b(ModelType::NLP);
        int x = b.positive("x"), y = b.variable("y"), z = b.variable("z");
        b.equation("obj", {}, b.x(z), RowType::E, b.op(Op::Add, {c.objective(b, x), b.op(Op::Sqr, {b.x(y)})}));
        ModelInstance& m = b.finish(z);
        CompiledModel model(m);
        ASSERT_EQ(2, model.variableCount()) << c.what;
        std::vector<double> lower{0, -kInf}, upper{kInf, kInf};
        BoundPolish plan = planBoundPolish({1e-9, 0.0}, lower, upper);
        ASSERT_EQ(1, plan.held) << c.what;
        model.setHeldVariables({1, 0});
        EXPECT_EQ(c.optimal, heldBoundsOptimal(model, plan, plan.start, {}, lower, upper)) << c.what;
    }
}

// min sqrt(x1) + 2 sqrt(x2) + 3 sqrt(x3), x1 + x2 + x3 >= 4: concave costs
// end at the vertex x1 = 4, where Ipopt alone cannot meet its tolerances (the
// other two derivatives grow without limit). Held at 0, they are optimal:
// objective 2, marginals +INF, and the row's marginal 1/(2 sqrt(4)).
TEST(BoundPolish, ConcaveCostsEndAtTheirVertex) {
    InstanceBuilder b(ModelType::NLP);
    int x1 = b.variable("x", {"1"}, 0, kInf, 1), x2 = b.variable("x", {"2"}, 0, kInf, 1);
    int x3 = b.variable("x", {"3"}, 0, kInf, 2), z = b.variable("z");
    int dem = b.equation("dem", {}, b.linear({{x1, 1}, {x2, 1}, {x3, 1}}), RowType::G, b.c(4));
    b.equation("obj", {}, b.x(z), RowType::E,
               b.op(Op::Add, {b.op(Op::Sqrt, {b.x(x1)}), b.mul(b.c(2), b.op(Op::Sqrt, {b.x(x2)})),
                              b.mul(b.c(3), b.op(Op::Sqrt, {b.x(x3)}))}));
    ModelInstance& m = b.finish(z);
    SolveStatus status = solveInstance(m);
    EXPECT_EQ(1, status.solverStatus);
    EXPECT_EQ(2, status.modelStatus);
    EXPECT_NEAR(2.0, status.objective, 1e-8);
    EXPECT_NEAR(4.0, m.columns[x1].level, 1e-8);
    EXPECT_EQ(0.0, m.columns[x2].level);
    EXPECT_EQ(0.0, m.columns[x3].level);
    EXPECT_TRUE(std::isinf(m.columns[x2].marginal) && m.columns[x2].marginal > 0);
    EXPECT_NEAR(0.25, m.rows[dem].marginal, 1e-7);
    EXPECT_TRUE(solverSectionHas(status, "held there"));
    EXPECT_EQ(0, status.evaluationErrors);
}

// A variable the model fixes at 0 under sqrt: its infinite derivative is not
// an evaluation error (Ipopt takes it out of the problem).
TEST(BoundPolish, SqrtOfAVariableFixedAtZero) {
    InstanceBuilder b(ModelType::NLP);
    int x = b.variable("x", {}, 0, 0, 0), y = b.variable("y"), z = b.variable("z");
    b.equation("obj", {}, b.x(z), RowType::E,
               b.op(Op::Add, {b.op(Op::Sqrt, {b.x(x)}), b.op(Op::Sqr, {b.linear({{y, 1}}, -2)})}));
    ModelInstance& m = b.finish(z);
    SolveStatus status = solveInstance(m);
    EXPECT_EQ(1, status.solverStatus);
    EXPECT_EQ(2, status.modelStatus);
    EXPECT_NEAR(0.0, status.objective, 1e-9);
    EXPECT_NEAR(2.0, m.columns[y].level, 1e-7);
    EXPECT_TRUE(std::isinf(m.columns[x].marginal) && m.columns[x].marginal > 0);
    EXPECT_EQ(0, status.evaluationErrors);
}

}  // namespace
}  // namespace gamsub::testing
