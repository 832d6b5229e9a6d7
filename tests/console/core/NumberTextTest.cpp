// The model writer's numbers against printf, whose text they must reproduce.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdio>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "NumberText.h"

namespace {

std::string printed(const char* format, int precision, double value) {
    std::vector<char> text(static_cast<size_t>(std::snprintf(nullptr, 0, format, precision, value)) + 1);
    std::snprintf(text.data(), text.size(), format, precision, value);
    return text.data();
}

TEST(NumberText, SameTextAsPrintfForEveryPrecisionAndRange) {
    std::vector<double> values = {0.0, -0.0, 0.5, 1.5, 2.5, -2.5, 0.125, 0.0625, 1e15 + 0.5, 9.5, 99.5, 0.05, 0.15,
                                  1.0 / 3, 170.0, 0.1, 1e21, 1e22, 123456789012345678.0, DBL_MIN, DBL_MIN / 8,
                                  std::numeric_limits<double>::denorm_min(), DBL_MAX, -DBL_MAX, DBL_EPSILON,
                                  std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(),
                                  std::numeric_limits<double>::quiet_NaN(), -std::numeric_limits<double>::quiet_NaN()};
    // Random values over the whole exponent range of doubles, both signs.
    std::mt19937_64 random(20261208);
    std::uniform_real_distribution<double> mantissa(1.0, 2.0);
    std::uniform_int_distribution<int> exponent(-1074, 1023);
    for (int k = 0; k < 4000; k++) {
        const double v = std::ldexp(mantissa(random), exponent(random));
        values.push_back(k % 2 == 0 ? v : -v);
    }
    // Values near rounding borders of few decimals, as the models' values often are.
    std::uniform_int_distribution<long> cents(-10000000, 10000000);
    for (int k = 0; k < 2000; k++) values.push_back(static_cast<double>(cents(random)) / 1000.0 + 0.0005);

    for (double v : values) {
        for (int precision = 0; precision <= 17; precision++) {
            std::string general = "x = ", fixed = "x = ";
            appendGeneral(general, v, precision);
            appendFixed(fixed, v, precision);
            ASSERT_EQ(general, "x = " + printed("%.*g", precision, v)) << "precision " << precision;
            ASSERT_EQ(fixed, "x = " + printed("%.*f", precision, v)) << "precision " << precision;
        }
    }
    // Longer than the writer's own buffer: printf writes it.
    std::string huge;
    appendFixed(huge, -DBL_MAX, 40);
    EXPECT_EQ(huge, printed("%.*f", 40, -DBL_MAX));
    std::string many;
    appendGeneral(many, 0.1, 200);
    EXPECT_EQ(many, printed("%.*g", 200, 0.1));
}

}  // namespace
