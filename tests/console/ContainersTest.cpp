#include <gtest/gtest.h>

#include "DataContainers.h"

// Scaffold check that the test harness links; real container tests follow.
TEST(Containers, NewVectorIsZeroAndEmpty) {
    VECTOR v(3);
    EXPECT_TRUE(v.isEmpty);
    for (int i = 0; i < v.size; i++) EXPECT_EQ(v.data[i], 0.0);
}
