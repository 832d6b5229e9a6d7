#include <gtest/gtest.h>

#include <memory>

#include "GAMSInOut.h"
#include "ScratchDirectory.h"

namespace {

// Each case reads its scenario set in a fresh working directory; decisions are then set by hand.
class HedgingArithmetic : public ::testing::Test {
protected:
    ScratchDirectory scratch{"hedging-arithmetic"};
};

TEST_F(HedgingArithmetic, TwoScenarioExampleAveragesMeasuresAndUpdatesWeights) {
    std::unique_ptr<SCENARIOS> set(scenarioSetFrom("0.5 1\n0.5 2\n", 2, 1));
    double* x1 = set->scenarios[0]->solution1->data;
    double* x2 = set->scenarios[1]->solution1->data;
    x1[0] = 1, x1[1] = 2, x2[0] = 3, x2[1] = 6;
    set->scenarios[0]->solution2->data[0] = 7;
    set->scenarios[1]->solution2->data[0] = -8;
    set->averageSolution1->data[0] = 100;  // a start-up seed is overwritten

    set->calcAverageSolution();
    EXPECT_DOUBLE_EQ(set->averageSolution1->data[0], 2.0);
    EXPECT_DOUBLE_EQ(set->averageSolution1->data[1], 4.0);
    EXPECT_EQ(set->averageSolution2[0]->data[0], 7.0);  // each scenario's own decision
    EXPECT_EQ(set->averageSolution2[1]->data[0], -8.0);
    EXPECT_DOUBLE_EQ(set->calcTerminationCondition(), 10.0);

    set->updateAllWeights(0.5);
    set->updateAllWeights(0.5);  // weights accumulate across iterations
    const double expected[2][2] = {{-1, -2}, {1, 2}};
    for (int s = 0; s < 2; s++) {
        for (int j = 0; j < 2; j++) EXPECT_DOUBLE_EQ(set->scenarios[s]->weights1->data[j], expected[s][j]);
        EXPECT_EQ(set->scenarios[s]->weights2->data[0], 0.0);
    }
    // The second-stage formula still applies when the average differs from the decision.
    set->averageSolution2[0]->data[0] = 5.0;
    set->updateAllWeights(0.5);
    EXPECT_DOUBLE_EQ(set->scenarios[0]->weights2->data[0], 1.0);
}

TEST_F(HedgingArithmetic, ProbabilityWeightsTheAverageButNotTheDistance) {
    std::unique_ptr<SCENARIOS> set(scenarioSetFrom("1 0\n0 0\n", 1, 0));
    set->scenarios[0]->solution1->data[0] = 4;
    set->scenarios[1]->solution1->data[0] = 10;
    set->calcAverageSolution();
    EXPECT_DOUBLE_EQ(set->averageSolution1->data[0], 4.0);
    EXPECT_DOUBLE_EQ(set->calcTerminationCondition(), 36.0);
    set->updateAllWeights(1.0);
    EXPECT_EQ(set->scenarios[0]->weights1->data[0], 0.0);  // the decision equal to the average keeps its weight
    EXPECT_EQ(set->scenarios[1]->weights1->data[0], 6.0);
}

}  // namespace
