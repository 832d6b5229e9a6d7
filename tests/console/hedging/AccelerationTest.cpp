// Anderson acceleration of the hedging map, and the hedging state as one
// point of that map.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

#include "AndersonAcceleration.h"
#include "Bounds.h"
#include "GAMSInOut.h"
#include "HedgingPoint.h"
#include "ScratchDirectory.h"

namespace {

// z <- A z + b, a slow linear contraction (factor 0.95) with fixed point (1, -2, 3).
std::vector<double> slowMap(const std::vector<double>& z) {
    const double fixed[3] = {1, -2, 3};
    const double a[3][3] = {{0.95, 0.0, 0.0}, {0.1, 0.9, 0.0}, {0.0, 0.05, 0.92}};
    std::vector<double> image(3);
    for (int i = 0; i < 3; i++) {
        image[static_cast<size_t>(i)] = fixed[i];
        for (int j = 0; j < 3; j++) image[static_cast<size_t>(i)] += a[i][j] * (z[static_cast<size_t>(j)] - fixed[j]);
    }
    return image;
}

double distanceToFixedPoint(const std::vector<double>& z) {
    return std::sqrt(std::pow(z[0] - 1, 2) + std::pow(z[1] + 2, 2) + std::pow(z[2] - 3, 2));
}

TEST(AndersonAcceleration, SolvesALinearMapInAFewStepsWherePlainIterationCrawls) {
    AndersonAcceleration mixer(5);
    std::vector<double> z = {0, 0, 0}, plain = z;
    for (int k = 0; k < 8; k++) {
        z = mixer.next(z, slowMap(z));
        plain = slowMap(plain);
    }
    // With memory at least the dimension, the mix is exact on a linear map.
    EXPECT_LT(distanceToFixedPoint(z), 1e-6);
    EXPECT_GT(distanceToFixedPoint(plain), 1.0);
}

TEST(AndersonAcceleration, ARefusedMixGoesBackToThePlainStepAndTheHistoryRestoresExactly) {
    AndersonAcceleration mixer(3), copy(3);
    std::vector<double> z = {0, 0, 0};
    for (int k = 0; k < 3; k++) z = mixer.next(z, slowMap(z));
    ASSERT_TRUE(mixer.lastAccelerated());
    copy.restore(mixer.history());
    EXPECT_EQ(copy.next(z, slowMap(z)), mixer.next(z, slowMap(z)));

    // The map answers the mixed point with a residual far larger than the
    // last one: the plain image of the point before is taken instead.
    AndersonAcceleration guarded(3);
    std::vector<double> a = {0, 0, 0};
    const std::vector<double> b = guarded.next(a, slowMap(a));
    const std::vector<double> c = guarded.next(b, slowMap(b));
    ASSERT_TRUE(guarded.lastAccelerated());
    const std::vector<double> far = {1e6, 1e6, 1e6};
    EXPECT_EQ(guarded.next(c, far), slowMap(b));
    EXPECT_FALSE(guarded.lastAccelerated());
}

TEST(HedgingPoint, RebuildsAverageAndBalancedWeightsFromAnyPoint) {
    ScratchDirectory scratch("hedging-point");
    std::unique_ptr<SCENARIOS> set(scenarioSetFrom("0.2 1\n0.3 2\n0.5 3\n", 2, 0));
    const std::vector<double> rho = {2.0, 0.5};
    const double w[3][2] = {{1.0, -4.0}, {2.0, 2.0}, {-1.6, 0.4}};  // sum_k p_k w_k = 0
    for (int s = 0; s < 3; s++)
        for (int j = 0; j < 2; j++) set->scenarios[s]->weights1->data[j] = w[s][j];
    set->averageSolution1->data[0] = 10;
    set->averageSolution1->data[1] = -3;
    const std::vector<double> point = hedgingPoint(*set, rho);
    setHedgingPoint(*set, point, rho);
    EXPECT_NEAR(set->averageSolution1->data[0], 10, 1e-12);
    EXPECT_NEAR(set->averageSolution1->data[1], -3, 1e-12);
    EXPECT_NEAR(set->scenarios[2]->weights1->data[0], -1.6, 1e-12);

    // An arbitrary point (as a mix of points gives) still has balanced weights.
    std::vector<double> moved = point;
    for (size_t i = 0; i < moved.size(); i++) moved[i] += 0.37 * static_cast<double>(i * i) - 1.0;
    setHedgingPoint(*set, moved, rho);
    std::vector<std::vector<double>> weights;
    for (int s = 0; s < 3; s++)
        weights.emplace_back(set->scenarios[s]->weights1->data, set->scenarios[s]->weights1->data + 2);
    EXPECT_TRUE(weightBalance({0.2, 0.3, 0.5}, weights).holds);
    EXPECT_EQ(hedgingPoint(*set, rho).size(), moved.size());
    for (size_t i = 0; i < moved.size(); i++) EXPECT_NEAR(hedgingPoint(*set, rho)[i], moved[i], 1e-12);
}

}  // namespace
