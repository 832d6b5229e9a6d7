// LPs solved by the simplex engine: a vertex of a degenerate optimal face,
// marginals that price every cell, and EPS where GAMS with a simplex solver prints it.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <sstream>
#include <string>

#include "InstanceBuilder.h"
#include "SolutionReport.h"
#include "SolveEngine.h"

namespace gamsub::testing {
namespace {

// Two plants (capacity 300 and 500) ship to three markets (demand 200, 300,
// 300): supply equals demand, so one row is redundant and the duals are not
// unique. Plant a's remaining 100 units cost the same to markets 2 and 3
// as plant b's (5 + 6 = 8 + 3): the optimal face is the segment a.m2 = t,
// a.m3 = 100 - t, b.m2 = 300 - t, b.m3 = 200 + t, t in [0, 100], cost 3700.
struct Transport {
    std::map<std::string, double> cost = {{"a.m1", 4}, {"a.m2", 5}, {"a.m3", 8},
                                          {"b.m1", 5}, {"b.m2", 3}, {"b.m3", 6}};
    std::map<std::string, int> cell;
    std::map<std::string, int> supply, demand;
    ModelInstance* model = nullptr;
    InstanceBuilder builder{ModelType::LP};

    Transport() {
        InstanceBuilder& b = builder;
        for (const auto& entry : cost) {
            std::string plant = entry.first.substr(0, 1), market = entry.first.substr(2);
            cell[entry.first] = b.variable("x", {plant, market}, 0.0, kInf, 0.0, "shipments");
        }
        int z = b.variable("z");
        std::map<std::string, double> capacity = {{"a", 300}, {"b", 500}}, need = {{"m1", 200}, {"m2", 300}, {"m3", 300}};
        for (const auto& [plant, amount] : capacity) {
            std::vector<std::pair<int, double>> terms;
            for (const auto& [market, unused] : need) terms.push_back({cell[plant + "." + market], 1.0});
            supply[plant] = b.equation("supply", {plant}, b.linear(terms), RowType::L, b.c(amount));
        }
        for (const auto& [market, amount] : need) {
            std::vector<std::pair<int, double>> terms;
            for (const auto& [plant, unused] : capacity) terms.push_back({cell[plant + "." + market], 1.0});
            demand[market] = b.equation("demand", {market}, b.linear(terms), RowType::G, b.c(amount));
        }
        std::vector<std::pair<int, double>> total;
        for (const auto& [name, c] : cost) total.push_back({cell[name], c});
        b.equation("total", {}, b.x(z), RowType::E, b.linear(total));
        model = &b.finish(z);
    }
    double level(const std::string& name) const { return model->columns[cell.at(name)].level; }
};

TEST(SimplexLp, DegenerateTransportEndsAtAVertexWithEpsMarginals) {
    Transport t;
    ModelInstance& m = *t.model;
    SolveStatus status = solveInstance(m);
    ASSERT_EQ(1, status.modelStatus) << status.solverMessage;
    EXPECT_EQ("CLP", status.solverName);
    EXPECT_NEAR(3700, status.objective, 1e-9);
    EXPECT_EQ(200.0, t.level("a.m1"));
    EXPECT_EQ(0.0, t.level("b.m1"));
    // A vertex, t = 0 or 100: an interior point method ends in the middle, t = 50.
    double toTwo = t.level("a.m2"), toThree = t.level("a.m3");
    EXPECT_TRUE((toTwo == 0.0 && toThree == 100.0) || (toTwo == 100.0 && toThree == 0.0)) << toTwo << " " << toThree;
    EXPECT_EQ(300.0 - toTwo, t.level("b.m2"));
    EXPECT_EQ(200.0 + toTwo, t.level("b.m3"));

    // Every cell priced by its rows: marginal = cost - supply dual - demand dual,
    // zero for the cells in the basis, never negative in a minimisation.
    for (const auto& [name, c] : t.cost) {
        const Column& x = m.columns[t.cell[name]];
        double priced = c - m.rows[t.supply[name.substr(0, 1)]].marginal - m.rows[t.demand[name.substr(2)]].marginal;
        EXPECT_NEAR(priced, x.marginal, 1e-9) << name;
        EXPECT_GE(x.marginal, 0.0) << name;
        if (x.level > 0) {
            EXPECT_EQ(0.0, x.marginal) << name;
        }
    }
    for (const auto& [plant, row] : t.supply) EXPECT_LE(m.rows[row].marginal, 0.0) << plant;
    for (const auto& [market, row] : t.demand) EXPECT_GE(m.rows[row].marginal, 0.0) << market;

    // The tied cell left at zero is nonbasic with a zero marginal: EPS in the listing.
    std::string tied = toTwo == 0.0 ? "a.m2" : "a.m3";
    const Column& idle = m.columns[t.cell[tied]];
    EXPECT_TRUE(idle.nonbasic);
    EXPECT_EQ(0.0, idle.marginal);
    std::ostringstream listing;
    writeSolutionBlocks(listing, m, status);
    std::string text = listing.str();
    std::string line = tied.substr(0, 1) + "." + tied.substr(2) + "      .         .        +INF       EPS ";
    EXPECT_NE(std::string::npos, text.find(line)) << text;
    // A basic variable's zero marginal stays ".".
    EXPECT_NE(std::string::npos, text.find("a.m1      .      200.000     +INF       .    ")) << text;
}

// An infeasible LP and an unbounded one, as the simplex engine reports them.
TEST(SimplexLp, InfeasibleAndUnboundedStatuses) {
    {
        InstanceBuilder b(ModelType::LP);
        int x = b.positive("x"), z = b.variable("z");
        b.equation("low", {}, b.x(x), RowType::G, b.c(2));
        b.equation("high", {}, b.x(x), RowType::L, b.c(1));
        b.equation("obj", {}, b.x(z), RowType::E, b.x(x));
        SolveStatus status = solveInstance(b.finish(z));
        EXPECT_EQ(1, status.solverStatus);
        EXPECT_EQ(4, status.modelStatus);
    }
    {
        InstanceBuilder b(ModelType::LP, Sense::Maximize);
        int x = b.positive("x"), y = b.positive("y"), z = b.variable("z");
        b.equation("link", {}, b.linear({{x, 1}, {y, -1}}), RowType::L, b.c(1));
        b.equation("obj", {}, b.x(z), RowType::E, b.linear({{x, 1}, {y, 1}}));
        SolveStatus status = solveInstance(b.finish(z));
        EXPECT_EQ(3, status.modelStatus);
    }
}

// An iteration limit of 1 stops the simplex before the optimum of a model that needs more.
TEST(SimplexLp, IterationLimitInterrupts) {
    Transport t;
    t.model->options.iterlim = 1;
    SolveStatus status = solveInstance(*t.model);
    EXPECT_EQ(2, status.solverStatus) << status.solverMessage;
    EXPECT_TRUE(status.modelStatus == 6 || status.modelStatus == 7) << status.modelStatus;
}

}  // namespace
}  // namespace gamsub::testing
