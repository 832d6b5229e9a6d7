// The many-scenario farmer generator: the published noise, rounding, and the
// files it writes.
#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>
#include <string>

#include "FarmerScenarios.h"

TEST(FarmerScenarios, BaseTypesAndThePublishedNoise) {
    // Scenarios 0, 1, 2: below, average, above average, without noise.
    EXPECT_EQ(farmerYields(0), (Yields{2.0, 2.4, 16.0}));
    EXPECT_EQ(farmerYields(1), (Yields{2.5, 3.0, 20.0}));
    EXPECT_EQ(farmerYields(2), (Yields{3.0, 3.6, 24.0}));
    // The published scenario 3: below-average yields plus the seeded noise.
    Yields y3 = farmerYields(3);
    EXPECT_NEAR(y3[0], 2.5508, 5e-5);
    EXPECT_NEAR(y3[1], 3.1081, 5e-5);
    EXPECT_NEAR(y3[2], 16.2909, 5e-5);
    // Noise lies in [0, 1) over the base type k mod 3, and is reproducible.
    for (unsigned k = 3; k < 200; ++k) {
        Yields y = farmerYields(k), base = farmerYields(k % 3);
        for (int c = 0; c < 3; ++c) {
            EXPECT_GE(y[c], base[c]);
            EXPECT_LT(y[c], base[c] + 1.0);
        }
        EXPECT_EQ(y, farmerYields(k));
    }
}

TEST(FarmerScenarios, SettingsFileCarriesTheRoundedYieldsAndProbabilitiesSummingToOne) {
    std::vector<Yields> inst = farmerInstance(7, 3);
    EXPECT_DOUBLE_EQ(inst[3][0], 2.551);
    EXPECT_DOUBLE_EQ(inst[3][2], 16.291);
    std::ostringstream out;
    writeSettingsFile(out, inst);
    std::istringstream in(out.str());
    std::string line;
    std::getline(in, line);
    EXPECT_EQ(line[0], '%');
    double sum = 0.0;
    int count = 0;
    while (std::getline(in, line)) {
        std::istringstream words(line);
        double p, a, b, c;
        ASSERT_TRUE(static_cast<bool>(words >> p >> a >> b >> c)) << line;
        EXPECT_EQ((Yields{a, b, c}), inst[count]) << line;
        sum += p;
        ++count;
    }
    EXPECT_EQ(count, 7);
    EXPECT_NEAR(sum, 1.0, 1e-12);
}

TEST(FarmerScenarios, ExtensiveFormHasOneAlignedTableRowPerScenario) {
    std::vector<Yields> inst = farmerInstance(12, -1);
    std::ostringstream out;
    writeExtensiveForm(out, inst);
    const std::string ef = out.str();
    EXPECT_NE(ef.find("s 'yield scenarios' / k0*k11 /"), std::string::npos);
    // Table entries must end where their column heading ends.
    size_t head = ef.find("Table yield(s,i)");
    ASSERT_NE(head, std::string::npos);
    std::istringstream lines(ef.substr(head));
    std::string title, columns, row;
    std::getline(lines, title);
    std::getline(lines, columns);
    for (int k = 0; k < 12; ++k) {
        std::getline(lines, row);
        if (k == 11) row = row.substr(0, row.size() - 2);  // the closing " ;"
        EXPECT_EQ(row.size(), columns.size()) << row;
        EXPECT_NE(row[row.size() - 1], ' ');
    }
    EXPECT_EQ(row.substr(0, 7), "    k11");
}
