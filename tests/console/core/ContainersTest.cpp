#include <gtest/gtest.h>

#include <string>

#include "DataContainers.h"

using testing::internal::CaptureStdout;
using testing::internal::GetCapturedStdout;

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
