// Exact derivatives against central finite differences at random points.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "CompiledModel.h"
#include "ExpressionAD.h"
#include "InstanceBuilder.h"

namespace gamsub::testing {
namespace {

// Nonlinear rows over three variables exercising every operation, with
// quadratic terms (kept as explicit forms) beside general ones; the points
// drawn keep them inside their domains (positive bases, logs, roots).
ModelInstance exercisingModel() {
    InstanceBuilder b(ModelType::DNLP);
    int u = b.variable("u", {}, 0.5, 3, 1);
    int v = b.variable("v", {}, 0.5, 3, 1);
    int w = b.variable("w", {}, 0.5, 3, 1);
    int z = b.variable("z");
    auto X = [&](int col) { return b.x(col); };
    int uv = b.mul(X(u), X(v));
    // shared subexpression uv used in several rows
    b.equation("e1", {}, b.op(Op::Add, {b.op(Op::Exp, {b.op(Op::Div, {uv, X(w)})}), b.op(Op::Log, {b.op(Op::Add, {X(u), X(w)})})}),
               RowType::L, b.c(100));
    b.equation("e2", {}, b.op(Op::Sub, {b.op(Op::Pow, {X(u), X(v)}), b.op(Op::Sqrt, {b.mul(uv, X(w))})}), RowType::G, b.c(-50));
    b.equation("e3", {}, b.op(Op::Add, {b.op(Op::Pow, {b.op(Op::Add, {X(w), b.c(1)}), b.c(3.5)}), b.op(Op::Neg, {b.op(Op::Sqr, {uv})}),
                                        b.mul(b.c(2), b.op(Op::Abs, {b.op(Op::Sub, {X(u), b.c(7)})}))}),
               RowType::E, b.c(1));
    b.equation("e4", {}, b.op(Op::Add, {b.op(Op::Max, {X(u), b.mul(b.c(5), X(v)), b.c(20)}),
                                        b.op(Op::Min, {b.mul(X(w), X(w)), b.c(-20)}), b.op(Op::Pow, {X(v), b.c(-2)}), uv}),
               RowType::L, b.c(100));
    b.equation("obj", {}, b.x(z), RowType::E,
               b.op(Op::Add, {b.mul(uv, uv), b.op(Op::Div, {b.c(1), b.op(Op::Add, {X(w), X(u)})}), b.linear({{u, 2}, {v, -1}}),
                              b.op(Op::Sqr, {b.op(Op::Sub, {X(v), b.c(1)})}), b.mul(b.c(3), b.mul(X(u), X(w)))}));
    return b.finish(z);
}

double lagrangian(CompiledModel& model, const std::vector<double>& x, double sigma, const std::vector<double>& lambda) {
    double f = 0.0;
    EXPECT_TRUE(model.objective(x.data(), f));
    std::vector<double> g(model.constraintCount());
    EXPECT_TRUE(model.constraints(x.data(), g.data()));
    double sum = sigma * f;
    for (size_t k = 0; k < g.size(); k++) sum += lambda[k] * g[k];
    return sum;
}

TEST(Derivatives, GradientJacobianAndHessianMatchFiniteDifferences) {
    ModelInstance m = exercisingModel();
    CompiledModel model(m);
    ASSERT_EQ(3, model.variableCount());  // z is eliminated through its equation
    ASSERT_EQ(4, model.constraintCount());
    std::mt19937 random(7);
    std::uniform_real_distribution<double> point(0.6, 2.9), multiplier(-2, 2);
    const double h = 1e-5;
    for (int trial = 0; trial < 20; trial++) {
        std::vector<double> x{point(random), point(random), point(random)};
        std::vector<double> lambda{multiplier(random), multiplier(random), multiplier(random), multiplier(random)};
        double sigma = multiplier(random);

        std::vector<double> grad(3);
        ASSERT_TRUE(model.objectiveGradient(x.data(), grad.data()));
        std::vector<double> jac(model.jacobianRows().size());
        ASSERT_TRUE(model.jacobian(x.data(), jac.data()));
        for (int i = 0; i < 3; i++) {
            std::vector<double> up = x, down = x;
            up[i] += h;
            down[i] -= h;
            double fu, fd;
            model.objective(up.data(), fu);
            model.objective(down.data(), fd);
            EXPECT_NEAR((fu - fd) / (2 * h), grad[i], 1e-5 * (1 + std::fabs(grad[i])));
            std::vector<double> gu(4), gd(4);
            model.constraints(up.data(), gu.data());
            model.constraints(down.data(), gd.data());
            std::vector<double> column(4, 0.0);
            for (size_t e = 0; e < jac.size(); e++)
                if (model.jacobianColumns()[e] == i) column[model.jacobianRows()[e]] += jac[e];
            for (int k = 0; k < 4; k++)
                EXPECT_NEAR((gu[k] - gd[k]) / (2 * h), column[k], 1e-5 * (1 + std::fabs(column[k]))) << "row " << k;
        }

        std::vector<double> hess(model.hessianRows().size());
        ASSERT_TRUE(model.lagrangianHessian(x.data(), sigma, lambda.data(), hess.data()));
        double dense[3][3] = {};
        for (size_t e = 0; e < hess.size(); e++) {
            int r = model.hessianRows()[e], c = model.hessianColumns()[e];
            ASSERT_GE(r, c) << "lower triangle only";
            dense[r][c] += hess[e];
            if (r != c) dense[c][r] += hess[e];
        }
        const double k = 1e-4;
        for (int i = 0; i < 3; i++)
            for (int j = 0; j < 3; j++) {
                auto at = [&](double di, double dj) {
                    std::vector<double> p = x;
                    p[i] += di;
                    p[j] += dj;
                    return lagrangian(model, p, sigma, lambda);
                };
                double fd = (at(k, k) - at(k, -k) - at(-k, k) + at(-k, -k)) / (4 * k * k);
                EXPECT_NEAR(fd, dense[i][j], 1e-4 * (1 + std::fabs(fd))) << i << "," << j;
            }
    }
}

TEST(Derivatives, AffineSplitMovesConstantsAndMergesTerms) {
    InstanceBuilder b;
    int x = b.variable("x"), y = b.variable("y");
    // 2*(x + 3) - (y - x)/4 + 5 - x*y - x*y: constant 11, x: 2.25, y: -0.25, term x*y weight -2
    int xy = b.mul(b.x(x), b.x(y));
    int body = b.op(Op::Add, {b.mul(b.c(2), b.op(Op::Add, {b.x(x), b.c(3)})),
                              b.op(Op::Neg, {b.op(Op::Div, {b.op(Op::Sub, {b.x(y), b.x(x)}), b.c(4)})}), b.c(5),
                              b.op(Op::Neg, {xy}), b.op(Op::Neg, {xy})});
    PoolFacts facts = analysePool(b.model().pool);
    AffineSplitter splitter(b.model().pool, facts, b.model().columns.size());
    AffineSplit split = splitter.split(body);
    EXPECT_DOUBLE_EQ(11.0, split.constant);
    ASSERT_EQ(2u, split.linearColumns.size());
    EXPECT_DOUBLE_EQ(2.25, split.linearCoefficients[0]);
    EXPECT_DOUBLE_EQ(-0.25, split.linearCoefficients[1]);
    ASSERT_EQ(1u, split.terms.size());
    EXPECT_DOUBLE_EQ(-2.0, split.termWeights[0]);
}

TEST(Derivatives, UndefinedPointsAreReportedNotReturned) {
    InstanceBuilder b;
    int x = b.variable("x");
    int root = b.op(Op::Add, {b.op(Op::Log, {b.x(x)}), b.op(Op::Sqrt, {b.x(x)})});
    PoolFacts facts = analysePool(b.model().pool);
    std::vector<int> scratch(b.model().pool.nodes.size(), -1);
    TermTape tape(b.model().pool, facts, root, scratch);
    TapeWorkspace ws;
    double value = 0, grad = 0, hess = 0;
    double bad = -1.0, zero = 0.0, good = 4.0;
    EXPECT_FALSE(tape.value(&bad, value, ws));
    EXPECT_FALSE(tape.gradient(&zero, &grad, ws));  // log(0) and 1/sqrt(0)
    ASSERT_TRUE(tape.hessian(&good, &hess, ws));
    EXPECT_NEAR(-1.0 / 16 - 0.25 * std::pow(4.0, -1.5), hess, 1e-12);
    EXPECT_EQ(3, tape.degree());
}

}  // namespace
}  // namespace gamsub::testing
