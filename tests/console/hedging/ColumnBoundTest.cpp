// The outer bound from the scenarios' points: the master's weights balance,
// price the disagreement with the right sign, and give the Lagrangian bound.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "ColumnBound.h"

namespace {

// sum_k p_k min over the points of k of (cost + w_k x): the Lagrangian bound
// when the points are all of each scenario's solutions.
double lagrangian(const std::vector<std::vector<std::pair<std::vector<double>, double>>>& scenarios,
                  const std::vector<double>& p, const std::vector<std::vector<double>>& w) {
    double sum = 0.0;
    for (size_t k = 0; k < scenarios.size(); k++) {
        double best = std::numeric_limits<double>::infinity();
        for (const auto& point : scenarios[k]) {
            double v = point.second;
            for (size_t j = 0; j < point.first.size(); j++) v += w[k][j] * point.first[j];
            best = std::min(best, v);
        }
        sum += p[k] * best;
    }
    return sum;
}

}  // namespace

TEST(ColumnBound, OpposedScenariosGetTheWeightsThatCloseTheBound) {
    // Scenario 1 pays 10 to open, scenario 2 pays 10 to leave closed: any plan
    // costs 5 in expectation, and only w = (-10, +10) makes the bound 5.
    std::vector<std::vector<std::pair<std::vector<double>, double>>> points = {
        {{{0.0}, 0.0}, {{1.0}, 10.0}}, {{{0.0}, 10.0}, {{1.0}, 0.0}}};
    const std::vector<double> p = {0.5, 0.5};
    ColumnBound columns(2, 1);
    for (int k = 0; k < 2; k++)
        for (const auto& point : points[static_cast<size_t>(k)]) EXPECT_TRUE(columns.add(k, point.first, point.second));
    const ColumnBound::Master master = columns.solve(p);
    ASSERT_TRUE(master.solved);
    EXPECT_NEAR(master.value, 5.0, 1e-9);
    EXPECT_NEAR(master.weights[0][0], -10.0, 1e-7);
    EXPECT_NEAR(master.weights[1][0], 10.0, 1e-7);
    EXPECT_NEAR(lagrangian(points, p, master.weights), 5.0, 1e-7);
}

TEST(ColumnBound, WeightsBalanceAndNeverPromiseMoreThanTheExtensiveForm) {
    // Three scenarios, two binary entries, unequal probabilities; every
    // scenario knows all four plans. The master then is the Lagrangian dual,
    // which lies between the wait-and-see value and the extensive form's.
    const std::vector<double> p = {0.2, 0.3, 0.5};
    const std::vector<std::vector<double>> plans = {{0, 0}, {0, 1}, {1, 0}, {1, 1}};
    const double cost[3][4] = {{7, 3, 5, 9}, {2, 8, 4, 6}, {6, 5, 1, 7}};
    std::vector<std::vector<std::pair<std::vector<double>, double>>> points(3);
    ColumnBound columns(3, 2);
    for (int k = 0; k < 3; k++)
        for (int c = 0; c < 4; c++) {
            points[static_cast<size_t>(k)].push_back({plans[static_cast<size_t>(c)], cost[k][c]});
            columns.add(k, plans[static_cast<size_t>(c)], cost[k][c]);
        }
    const ColumnBound::Master master = columns.solve(p);
    ASSERT_TRUE(master.solved);
    double extensive = std::numeric_limits<double>::infinity(), waitAndSee = 0.0;
    for (int c = 0; c < 4; c++) extensive = std::min(extensive, 0.2 * cost[0][c] + 0.3 * cost[1][c] + 0.5 * cost[2][c]);
    for (int k = 0; k < 3; k++) waitAndSee += p[static_cast<size_t>(k)] * *std::min_element(cost[k], cost[k] + 4);
    for (int j = 0; j < 2; j++) {
        double balance = 0.0;
        for (int k = 0; k < 3; k++) balance += p[static_cast<size_t>(k)] * master.weights[static_cast<size_t>(k)][static_cast<size_t>(j)];
        EXPECT_NEAR(balance, 0.0, 1e-12);
    }
    const double bound = lagrangian(points, p, master.weights);
    EXPECT_LE(bound, extensive + 1e-9);
    EXPECT_GE(bound, waitAndSee - 1e-9);
    // With every point known, the weights reach the master's value: the bound is the dual's best.
    EXPECT_NEAR(bound, master.value, 1e-7);
}

TEST(ColumnBound, KeepsTheCheaperCostOfAPointAndRefusesWhatCannotBeAPoint) {
    ColumnBound columns(2, 1, 2);
    EXPECT_TRUE(columns.add(0, {1.0}, 4.0));
    EXPECT_FALSE(columns.add(0, {1.0}, 3.0));  // the same point, cheaper: kept, not new
    EXPECT_FALSE(columns.add(0, {1.0}, 9.0));
    EXPECT_FALSE(columns.add(2, {1.0}, 1.0));  // no such scenario
    EXPECT_FALSE(columns.add(0, {1.0, 0.0}, 1.0));  // wrong length
    EXPECT_FALSE(columns.add(0, {std::nan("")}, 1.0));
    EXPECT_FALSE(columns.solve({0.5, 0.5}).solved);  // scenario 2 has no point yet
    EXPECT_TRUE(columns.add(1, {1.0}, 5.0));
    const ColumnBound::Master master = columns.solve({0.5, 0.5});
    ASSERT_TRUE(master.solved);
    EXPECT_NEAR(master.value, 0.5 * 3.0 + 0.5 * 5.0, 1e-9);
    // At most two points per scenario: the oldest goes.
    EXPECT_TRUE(columns.add(0, {0.0}, 6.0));
    EXPECT_TRUE(columns.add(0, {2.0}, 1.0));
    EXPECT_EQ(columns.points(), 3u);
}
