#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "GAMSInOut.h"

namespace {

// A scenario set read from a settings file holding `lines`; decisions are filled in by hand.
class HedgingArithmetic : public ::testing::Test {
protected:
    std::string settingsFile;

    SCENARIOS* makeSet(const char* lines, int nV1, int nV2) {
        char name[] = "/tmp/hedging-arithmetic-XXXXXX";
        int fd = mkstemp(name);
        EXPECT_GE(fd, 0);
        FILE* f = fdopen(fd, "w");
        std::fputs(lines, f);
        std::fclose(f);
        settingsFile = name;
        return new SCENARIOS(&settingsFile[0], nV1, nV2);
    }
    void TearDown() override {
        if (!settingsFile.empty()) std::remove(settingsFile.c_str());
    }
    static void setDecision(VECTOR* v, std::initializer_list<double> values) {
        int i = 0;
        for (double x : values) v->data[i++] = x;
    }
};

TEST_F(HedgingArithmetic, TwoScenarioExampleAveragesMeasuresAndUpdatesWeights) {
    SCENARIOS* set = makeSet("0.5 1\n0.5 2\n", 2, 1);
    setDecision(set->scenarios[0]->solution1, {1, 2});
    setDecision(set->scenarios[1]->solution1, {3, 6});
    setDecision(set->scenarios[0]->solution2, {7});
    setDecision(set->scenarios[1]->solution2, {-8});
    setDecision(set->averageSolution1, {100, 100});  // a start-up seed is overwritten

    set->calcAverageSolution();
    EXPECT_DOUBLE_EQ(set->averageSolution1->data[0], 2.0);
    EXPECT_DOUBLE_EQ(set->averageSolution1->data[1], 4.0);
    // The second-stage "average" of each scenario is its own decision.
    EXPECT_DOUBLE_EQ(set->averageSolution2[0]->data[0], 7.0);
    EXPECT_DOUBLE_EQ(set->averageSolution2[1]->data[0], -8.0);

    EXPECT_DOUBLE_EQ(set->calcTerminationCondition(), 10.0);

    set->updateAllWeights(0.5);
    set->updateAllWeights(0.5);  // weights accumulate across iterations
    EXPECT_DOUBLE_EQ(set->scenarios[0]->weights1->data[0], -1.0);
    EXPECT_DOUBLE_EQ(set->scenarios[0]->weights1->data[1], -2.0);
    EXPECT_DOUBLE_EQ(set->scenarios[1]->weights1->data[0], 1.0);
    EXPECT_DOUBLE_EQ(set->scenarios[1]->weights1->data[1], 2.0);
    EXPECT_EQ(set->scenarios[0]->weights2->data[0], 0.0);
    EXPECT_EQ(set->scenarios[1]->weights2->data[0], 0.0);

    // The second-stage formula still applies when the average differs from the decision.
    set->averageSolution2[0]->data[0] = 5.0;
    set->updateAllWeights(0.5);
    EXPECT_DOUBLE_EQ(set->scenarios[0]->weights2->data[0], 1.0);
    delete set;
}

TEST_F(HedgingArithmetic, ProbabilityWeightsTheAverageButNotTheDistance) {
    SCENARIOS* set = makeSet("1 0\n0 0\n", 1, 0);
    setDecision(set->scenarios[0]->solution1, {4});
    setDecision(set->scenarios[1]->solution1, {10});
    set->calcAverageSolution();
    EXPECT_DOUBLE_EQ(set->averageSolution1->data[0], 4.0);
    EXPECT_DOUBLE_EQ(set->calcTerminationCondition(), 36.0);
    delete set;
}

TEST_F(HedgingArithmetic, OneScenarioNeverMovesItsWeights) {
    SCENARIOS* set = makeSet("1 0\n", 2, 2);
    setDecision(set->scenarios[0]->solution1, {3.25, -1});
    setDecision(set->scenarios[0]->solution2, {8, 9});
    set->calcAverageSolution();
    EXPECT_EQ(set->calcTerminationCondition(), 0.0);
    set->updateAllWeights(2.0);
    for (int j = 0; j < 2; j++) {
        EXPECT_EQ(set->scenarios[0]->weights1->data[j], 0.0);
        EXPECT_EQ(set->scenarios[0]->weights2->data[j], 0.0);
    }
    delete set;
}

TEST_F(HedgingArithmetic, ChangeRhoScalesTheModelPenalty) {
    SCENARIOS* set = makeSet("1 0\n", 1, 1);
    set->rho = 1.5;
    set->changeRho(4.0);
    EXPECT_DOUBLE_EQ(set->rho, 6.0);
    delete set;
}

}  // namespace
