#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "Bounds.h"
#include "Exceptions.h"
#include "GAMSInOut.h"
#include "RhoPerVariable.h"
#include "ScratchDirectory.h"
#include "TemplateCodes.h"

namespace {

class RhoPerVariable : public ::testing::Test {
protected:
    ScratchDirectory scratch{"rho-per-variable"};

    // Three scenarios, two first-stage variables, one second-stage one.
    std::unique_ptr<SCENARIOS> threeScenarios(const double x[3][2]) {
        std::unique_ptr<SCENARIOS> set(scenarioSetFrom("0.5 1\n0.25 2\n0.25 3\n", 2, 1));
        for (int s = 0; s < 3; s++)
            for (int j = 0; j < 2; j++) set->scenarios[s]->solution1->data[j] = x[s][j];
        set->calcAverageSolution();
        return set;
    }

    static std::string refusal(const std::string& text, int n1) {
        std::ofstream("rho.txt") << text;
        try {
            readRhoFile("rho.txt", n1);
        } catch (const WrongInputParameter& e) {
            return e.message;
        }
        return "";
    }
};

TEST_F(RhoPerVariable, FileGivesOneValueAVariableAndNamesLineAndValueOfABadOne) {
    std::ofstream("rho.txt") << "% rho of wheat, corn\n2.5\n\n0.125\n";
    EXPECT_EQ(readRhoFile("rho.txt", 2), (std::vector<double>{2.5, 0.125}));
    const std::string negative = refusal("1\n-3\n", 2);
    EXPECT_NE(negative.find("'rho.txt', line 2: '-3'"), std::string::npos) << negative;
    EXPECT_NE(refusal("1\ninf\n", 2).find("line 2: 'inf'"), std::string::npos);
    EXPECT_NE(refusal("0\n1\n", 2).find("line 1: '0'"), std::string::npos);
    EXPECT_NE(refusal("1 2\n", 2).find("line 1: one value a line"), std::string::npos);
    EXPECT_NE(refusal("1\n", 2).find("1 values, --n1 asks for 2"), std::string::npos);
}

TEST_F(RhoPerVariable, CostOverSpreadFollowsTheProbabilityWeightedDeviation) {
    const double x[3][2] = {{10, 4}, {20, 4}, {30, 4.5}};  // averages 17.5 and 4.125
    auto set = threeScenarios(x);
    // spread_0 = 0.5*7.5 + 0.25*2.5 + 0.25*12.5 = 7.5; spread_1 = 0.1875 < 1.
    const std::vector<double> rho = costOverSpreadRho(*set, {150.0, 30.0});
    EXPECT_DOUBLE_EQ(rho[0], 150.0 / 7.5);
    EXPECT_DOUBLE_EQ(rho[1], 30.0);
    // The cost scale: |E cost| per unit of the average's size.
    EXPECT_DOUBLE_EQ(costPerUnitEstimate(*set, -432.5)[1], 432.5 / (17.5 + 4.125));
}

// Costs h_j/2 (x_j - xi_kj)^2: each scenario alone chooses xi_k, its slope at
// a plan a is h_j (a_j - xi_kj), and the secant is h_j exactly.
TEST_F(RhoPerVariable, SecantOfTheSlopesIsTheCurvatureOfQuadraticCosts) {
    const double x[3][2] = {{10, 4}, {20, 4}, {30, 5}};
    auto set = threeScenarios(x);
    const std::vector<double> h = {4.0, 0.5}, plan = {17.0, 4.5};
    std::vector<std::vector<double>> slopes;
    for (int s = 0; s < 3; s++) slopes.push_back({h[0] * (plan[0] - x[s][0]), h[1] * (plan[1] - x[s][1])});
    const std::vector<double> rho = secantRho(*set, slopes, plan);
    ASSERT_EQ(rho.size(), 2u);
    EXPECT_NEAR(rho[0], 4.0, 1e-12);
    EXPECT_NEAR(rho[1], 0.5, 1e-12);

    // A variable whose slopes tell nothing takes the secant over all variables.
    for (auto& g : slopes) g[1] = 0.0;
    const double overall = (0.5 * 4 * 49 + 0.25 * 4 * 9 + 0.25 * 4 * 169) /
                           (0.5 * 49 + 0.25 * 9 + 0.25 * 169 + 0.5 * 0.25 + 0.25 * 0.25 + 0.25 * 0.25);
    EXPECT_NEAR(secantRho(*set, slopes, plan)[1], overall, 1e-12);
    // No curvature at all, or slopes of another shape: nothing to go by.
    for (auto& g : slopes) g = {0.0, 0.0};
    EXPECT_TRUE(secantRho(*set, slopes, plan).empty());
    EXPECT_TRUE(secantRho(*set, {{1.0, 1.0}}, plan).empty());
}

TEST_F(RhoPerVariable, WeightsBalanceWithAnyRhoAndBalancingMovesRhoBothWays) {
    const double x[3][2] = {{10, 4}, {20, 4}, {30, 4.5}};
    auto set = threeScenarios(x);
    std::vector<double> rho{3.0, 0.5};
    updateWeightsPerVariable(*set, rho, 1.0);
    EXPECT_DOUBLE_EQ(set->scenarios[0]->weights1->data[0], 3.0 * (10 - 17.5));
    EXPECT_DOUBLE_EQ(set->scenarios[2]->weights1->data[1], 0.5 * (4.5 - 4.125));
    // Balancing: variable 0 disagrees and its average did not move (raise);
    // variable 1's average moved far while the scenarios nearly agree (lower).
    ASSERT_TRUE(balanceRho(*set, {17.5, 40.0}, rho));
    EXPECT_DOUBLE_EQ(rho[0], 6.0);
    EXPECT_DOUBLE_EQ(rho[1], 0.25);
    updateWeightsPerVariable(*set, rho, 1.0);
    std::vector<std::vector<double>> weights;
    for (int s = 0; s < 3; s++)
        weights.emplace_back(set->scenarios[s]->weights1->data, set->scenarios[s]->weights1->data + 2);
    EXPECT_TRUE(weightBalance({0.5, 0.25, 0.25}, weights).holds);
    // Residuals within a factor 10 of each other leave rho alone.
    std::vector<double> kept{1.0, 1.0};
    EXPECT_FALSE(balanceRho(*set, {17.5 - 5.0, 4.125 - 0.2}, kept));
}

TEST_F(RhoPerVariable, CodesFiveHundredAreRhoPerVariableInTheOptionModeOnly) {
    const double x[3][2] = {{1, 2}, {1, 2}, {1, 2}};
    auto set = threeScenarios(x);
    const TemplatePlace place{"t.gms", 4};
    const std::vector<double> rho{0.5, 8.25};
    CodeStyle style;
    style.rhoPerVariable = &rho;
    EXPECT_EQ(expandTemplateLine("r('1') = @500 ; r('2') = @501 ;", *set, 0, place, style),
              "r('1') = 0.500; r('2') = 8.250;");
    style.rhoOff = true;
    EXPECT_EQ(expandTemplateLine("@501 ;", *set, 0, place, style), "0.000;");
    const auto message = [&](const CodeStyle& st) {
        try {
            expandTemplateLine("@502 ;", *set, 0, place, st);
        } catch (const GeneralException& e) {
            return std::string(e.message);
        }
        return std::string();
    };
    EXPECT_NE(message(style).find("500 to 501 stand for rho"), std::string::npos);
    EXPECT_NE(message(CodeStyle()).find("Unknown substitution code"), std::string::npos);
}

}  // namespace
