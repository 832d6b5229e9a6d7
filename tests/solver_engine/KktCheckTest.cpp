// The first-order check that lets a point Ipopt stopped at without
// converging count as locally optimal: it must refuse every point that is
// not a KKT point, by the sign of a multiplier or a reduced cost.
#include <gtest/gtest.h>

#include <vector>

#include "CompiledModel.h"
#include "InstanceBuilder.h"
#include "IpoptAdapter.h"
#include "KktCheck.h"

namespace gamsub::testing {
namespace {

// min (x - 1)^2 + (y - 2)^2 + (w + 1)^2 subject to x + y <= 2, x, y, w >= 0:
// the optimum (0.5, 1.5, 0) with the multiplier 1 of the row, w held at its bound by a reduced cost of 2.
ModelInstance projection() {
    InstanceBuilder b(ModelType::NLP);
    int x = b.positive("x"), y = b.positive("y"), w = b.positive("w"), z = b.variable("z");
    b.equation("cap", {}, b.op(Op::Add, {b.x(x), b.x(y)}), RowType::L, b.c(2));
    b.equation("obj", {}, b.x(z), RowType::E,
               b.op(Op::Add, {b.op(Op::Sqr, {b.op(Op::Sub, {b.x(x), b.c(1)})}),
                              b.op(Op::Sqr, {b.op(Op::Sub, {b.x(y), b.c(2)})}),
                              b.op(Op::Sqr, {b.op(Op::Add, {b.x(w), b.c(1)})})}));
    return b.finish(z);
}

TEST(KktCheck, OnlyAKktPointPasses) {
    ModelInstance m = projection();
    CompiledModel model(m);
    ASSERT_EQ(3, model.variableCount());
    ASSERT_EQ(1, model.constraintCount());
    const double inf = 1e300;
    IpoptAdapter nlp(model, {0, 0, 0}, {inf, inf, inf}, {0, 0, 0});

    KktResidual at = kktResidual(nlp, {0.5, 1.5, 0.0}, {1.0});
    EXPECT_TRUE(at.evaluated);
    EXPECT_TRUE(kktSatisfied(at)) << at.primal << " " << at.dual << " " << at.complementarity;
    // The row's multiplier with the wrong sign for an active <= row.
    EXPECT_FALSE(kktSatisfied(kktResidual(nlp, {0.5, 1.5, 0.0}, {-1.0})));
    // A feasible point on the row that is not the projection: the reduced costs do not vanish.
    EXPECT_FALSE(kktSatisfied(kktResidual(nlp, {0.4, 1.6, 0.0}, {1.0})));
    // Inside the row a multiplier must be 0.
    EXPECT_FALSE(kktSatisfied(kktResidual(nlp, {0.5, 1.4, 0.0}, {1.0})));
    // w off its bound: its reduced cost 2 (w + 1) is not 0.
    EXPECT_FALSE(kktSatisfied(kktResidual(nlp, {0.5, 1.5, 0.1}, {1.0})));
    // Outside a bound.
    EXPECT_FALSE(kktSatisfied(kktResidual(nlp, {0.5, 1.5, -0.01}, {1.0})));
    // Wrong sizes are not evaluated.
    EXPECT_FALSE(kktResidual(nlp, {0.5, 1.5}, {1.0}).evaluated);
}

}  // namespace
}  // namespace gamsub::testing
