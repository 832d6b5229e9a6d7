#include <gtest/gtest.h>

#include <string>

#include "DataContainers.h"

using testing::internal::CaptureStdout;
using testing::internal::GetCapturedStdout;

TEST(Containers, NewContainersAreZeroAndMarkedEmpty) {
    VECTOR v(3);
    EXPECT_EQ(v.size, 3);
    EXPECT_TRUE(v.isEmpty);
    for (int i = 0; i < v.size; i++) EXPECT_EQ(v.data[i], 0.0);

    MATRIX m(2, 3);
    EXPECT_TRUE(m.isEmpty);
    for (int i = 0; i < m.rows; i++)
        for (int j = 0; j < m.cols; j++) EXPECT_EQ(m.data[i][j], 0.0);

    // Direct element writes leave the flag alone: only a listing reader clears it.
    v.data[1] = 4.0;
    m.data[1][2] = 5.0;
    EXPECT_TRUE(v.isEmpty);
    EXPECT_TRUE(m.isEmpty);
}

TEST(Containers, PrintFormats) {
    VECTOR v(2);
    v.data[0] = 1.5;
    v.data[1] = -2.0;
    CaptureStdout();
    v.printVector();
    EXPECT_EQ(GetCapturedStdout(), "\n        1.50000\n       -2.00000\n\n");

    VECTOR none(0);
    CaptureStdout();
    none.printVector();
    EXPECT_EQ(GetCapturedStdout(), "\n\n");

    MATRIX m(2, 2);
    m.data[0][0] = 1.0;
    m.data[0][1] = -0.125;
    m.data[1][1] = 1234.567;
    CaptureStdout();
    m.printMatrix();
    EXPECT_EQ(GetCapturedStdout(),
              "MATRIX:\n           1.00          -0.12\n           0.00        1234.57\n\n");

    MATRIX empty(0, 4);
    CaptureStdout();
    empty.printMatrix();
    EXPECT_EQ(GetCapturedStdout(), "MATRIX:\n\n");

    SCALAR s(1234.567);
    EXPECT_TRUE(s.isEmpty);
    CaptureStdout();
    s.printScalar();
    EXPECT_EQ(GetCapturedStdout(), "OBJECTIVE VALUE:         1234.57\n\n");
}
