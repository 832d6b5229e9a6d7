// Fixing and slamming of integer first-stage entries: when each fires, what
// value it fixes, and that nothing fires with both turned off.
#include <gtest/gtest.h>

#include <cmath>

#include "IntegerHeuristics.h"

namespace {
const std::vector<double> kEqual = {0.5, 0.5};
}

TEST(IntegerHeuristics, FixingNeedsWholeAgreementForKStepsInARow) {
    IntegerHeuristics h(3, {2, 0});
    // Entry 0 agreed at 1, entry 1 disagrees, entry 2 agreed but fractional.
    std::vector<std::vector<double>> step = {{1, 0, 0.5}, {1, 1, 0.5}};
    EXPECT_TRUE(h.afterStep(step, kEqual, 1.0).empty());
    std::vector<EntryFixed> fixed = h.afterStep(step, kEqual, 0.5);
    ASSERT_EQ(fixed.size(), 1u);
    EXPECT_EQ(fixed[0].entry, 0);
    EXPECT_EQ(fixed[0].value, 1.0);
    EXPECT_EQ(h.fixings()[0], 1.0);
    EXPECT_TRUE(std::isnan(h.fixings()[1]) && std::isnan(h.fixings()[2]));

    // An interruption resets the count; a change of the agreed value too.
    IntegerHeuristics g(1, {2, 0});
    EXPECT_TRUE(g.afterStep({{1}, {1}}, kEqual, 1.0).empty());
    EXPECT_TRUE(g.afterStep({{1}, {0}}, kEqual, 0.9).empty());
    EXPECT_TRUE(g.afterStep({{0}, {0}}, kEqual, 0.5).empty());
    EXPECT_EQ(g.afterStep({{0}, {0}}, kEqual, 0.2).size(), 1u);
    EXPECT_TRUE(g.allFixed());
}

TEST(IntegerHeuristics, SlammingFixesTheEntryWithTheMostProbabilityAfterAStall) {
    IntegerHeuristics h(2, {0, 2});
    const std::vector<double> p = {0.2, 0.3, 0.5};
    // Entry 1: 80% chose 1; entry 0: split half and half.
    std::vector<std::vector<double>> step = {{1, 0}, {1, 1}, {0, 1}};
    EXPECT_TRUE(h.afterStep(step, p, 1.0).empty());
    EXPECT_TRUE(h.afterStep(step, p, 0.999).empty());  // less than 1% better: a stalled step
    std::vector<EntryFixed> slammed = h.afterStep(step, p, 1.2);
    ASSERT_EQ(slammed.size(), 1u);
    EXPECT_EQ(slammed[0].entry, 1);
    EXPECT_EQ(slammed[0].value, 1.0);
    EXPECT_NE(slammed[0].reason.find("80%"), std::string::npos) << slammed[0].reason;
    // Progress resets the count.
    EXPECT_TRUE(h.afterStep(step, p, 0.5).empty());
    EXPECT_TRUE(h.afterStep(step, p, 0.5).empty());
    EXPECT_EQ(h.afterStep(step, p, 0.5).size(), 1u);
    EXPECT_TRUE(h.allFixed());

    IntegerHeuristics off(2, {0, 0});
    for (int k = 0; k < 20; k++) EXPECT_TRUE(off.afterStep({{1, 0}, {1, 0}, {1, 0}}, p, 1.0).empty());
    EXPECT_FALSE(off.anyFixed());
}
