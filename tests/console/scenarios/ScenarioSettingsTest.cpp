#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "Exceptions.h"
#include "GAMSInOut.h"
#include "ScratchDirectory.h"

namespace {

const std::string exampleFile = std::string(PHA_TEST_DATA_DIR) + "/dialogue/settings-example.txt";

std::unique_ptr<SCENARIOS> load(std::string path, int nV1 = 1, int nV2 = 1) {
    return std::make_unique<SCENARIOS>(&path[0], nV1, nV2);
}

std::vector<double> parameters(const SCENARIO* s) { return std::vector<double>(s->data, s->data + s->numParameters); }

// Settings files are written into a fresh working directory of each case.
class SettingsFile : public ::testing::Test {
protected:
    ScratchDirectory scratch{"settings"};
    std::unique_ptr<SCENARIOS> from(const std::string& text) { return std::unique_ptr<SCENARIOS>(scenarioSetFrom(text, 1, 1)); }
};

}  // namespace

TEST_F(SettingsFile, WorkedExample) {
    auto set = load(exampleFile, 2, 3);
    ASSERT_EQ(set->numScenarios, 3);
    EXPECT_EQ(set->numParameters, 2);
    const double probability[] = {0.3, 0.5, 0.2};
    const std::vector<double> values[] = {{100, 2.5}, {120, 2}, {150, 1.5}};
    for (int k = 0; k < 3; k++) {
        const SCENARIO* s = set->scenarios[k];
        EXPECT_DOUBLE_EQ(s->probability, probability[k]) << "scenario " << k + 1;
        EXPECT_EQ(parameters(s), values[k]) << "scenario " << k + 1;
        EXPECT_EQ(s->weights1->size, 2);
        EXPECT_EQ(s->solution2->size, 3);
        EXPECT_EQ(set->averageSolution2[k]->size, 3);
    }
    EXPECT_EQ(set->averageSolution1->size, 2);
}

TEST_F(SettingsFile, SingleLines) {
    struct Row {
        const char* line;
        double probability;
        std::vector<double> values;
    };
    const Row rows[] = {
        {"0.5 1 2\n", 0.5, {1, 2}},
        {"  0.5   1\n", 0.5, {1}},
        {"0.5 1 \n", 0.5, {1}},
        {"0.5 1 2\r\n", 0.5, {1, 2}},
        {"0.5\n", 0.5, {}},
        {"0.5\t1\t2\n", 0.5, {1, 2}},
        {"0.25 3.0 -1.5e2 .5 7. +2E-1\n", 0.25, {3, -150, 0.5, 7, 0.2}},
        {"0.5 1 2", 0.5, {1, 2}},
        {"0.5 1 2  ", 0.5, {1, 2}},
    };
    auto set = load(exampleFile);
    for (const Row& row : rows) {
        SCENARIO s(1, 1);
        std::string line = row.line;
        set->readScenarioFromLine(&s, &line[0]);
        EXPECT_DOUBLE_EQ(s.probability, row.probability) << "line '" << row.line << "'";
        EXPECT_EQ(parameters(&s), row.values) << "line '" << row.line << "'";
        EXPECT_EQ(s.data == nullptr, row.values.empty());
    }
}

TEST_F(SettingsFile, LineEndsCommentsAndLongLines) {
    // Comments anywhere do not count; CR LF line ends give the same values.
    auto set = from("% head\r\n0.3 100 2.5\r\n%0.9 9\r\n0.7  120 2\r\n% tail\r\n");
    ASSERT_EQ(set->numScenarios, 2);
    EXPECT_EQ(parameters(set->scenarios[1]), (std::vector<double>{120, 2}));
    EXPECT_DOUBLE_EQ(set->scenarios[1]->probability, 0.7);

    // A "%" after leading blanks is no comment, and no number either.
    EXPECT_THROW(from(" % 1\n1 2\n"), GeneralException);

    // A line far longer than any buffer is still one scenario.
    std::string line = "0.5";
    for (int i = 0; i < 500; i++) line += " " + std::to_string(i);
    set = from(line + "\n0.5 1\n");
    ASSERT_EQ(set->numScenarios, 2);
    EXPECT_EQ(set->scenarios[0]->numParameters, 500);
    EXPECT_EQ(set->scenarios[0]->data[499], 499.0);

    // Trailing blanks and blank lines add nothing.
    set = from("0.5 1 2\n\n  \t\n0.5 1 2 \n\n");
    ASSERT_EQ(set->numScenarios, 2);
    EXPECT_EQ(set->numParameters, 2);
    EXPECT_EQ(set->settingsLines, (std::vector<long>{1, 4}));
}

TEST_F(SettingsFile, Failures) {
    try {
        load("absent.txt");
        FAIL() << "a missing file was accepted";
    } catch (const FileNotExists& e) {
        EXPECT_EQ(std::string(e.fileName), "absent.txt");
    }

    for (const char* contents : {"", "% only a comment\n%another\n"}) {
        try {
            from(contents);
            FAIL() << "a file without scenarios was accepted: '" << contents << "'";
        } catch (const FileNotExists&) {
            FAIL() << "wrong class";
        } catch (const GeneralException& e) {
            EXPECT_EQ(std::string(e.message), "The file 'settings.txt' does not contain any scenario.");
        }
    }
}

TEST(ScenarioRecord, CopyIsIndependent) {
    SCENARIO source(2, 1);
    source.probability = 0.25;
    source.numParameters = 2;
    source.data = static_cast<double*>(std::malloc(2 * sizeof(double)));
    source.data[0] = 1.0;
    source.data[1] = 2.0;
    source.weights1->data[1] = 3.0;
    source.solution2->data[0] = 4.0;
    source.solution2->isEmpty = false;

    SCENARIO copy(source);
    EXPECT_NE(copy.data, source.data);
    EXPECT_EQ(parameters(&copy), parameters(&source));
    EXPECT_EQ(copy.weights1->data[1], 3.0);
    EXPECT_EQ(copy.solution2->data[0], 4.0);
    EXPECT_TRUE(copy.solution2->isEmpty);
    copy.data[0] = 9.0;
    copy.weights1->data[1] = 9.0;
    EXPECT_EQ(source.data[0], 1.0);
    EXPECT_EQ(source.weights1->data[1], 3.0);

    SCENARIO bare(1, 1);
    SCENARIO bareCopy(bare);
    EXPECT_EQ(bareCopy.data, nullptr);
    EXPECT_EQ(bareCopy.numParameters, 0);
}

TEST_F(SettingsFile, ValuesThatAreNoFiniteNumberAndImpossibleProbabilitiesAreRefused) {
    struct Row {
        const char* text;
        const char* message;
    };
    const Row rows[] = {
        {"% c\n0.5 1\n0.5 nan\n", "The value 'nan' in the file 'settings.txt', line 3, column 5 is not a finite number."},
        {"inf 1\n", "The value 'inf' in the file 'settings.txt', line 1, column 1 is not a finite number."},
        {"0.5 1e999\r\n0.5 1\n",
         "The value '1e999' in the file 'settings.txt', line 1, column 5 is not a finite number (beyond 1.8e308 in size)."},
        // Values that are not wholly a number are never read in part (1O0 as 1, 0,10 as 0).
        {"0.5 0.10 1O0 60\n0.5 1 1 1\n", "The value '1O0' in the file 'settings.txt', line 1, column 10 is not a number."},
        {"0,10 1\n", "The value '0,10' in the file 'settings.txt', line 1, column 1 is not a number."},
        {"0.5 1.5kg\n", "The value '1.5kg' in the file 'settings.txt', line 1, column 5 is not a number."},
        {"0.5 0x10\n", "The value '0x10' in the file 'settings.txt', line 1, column 5 is not a number."},
        {"0.5 1e-320\n", "The value '1e-320' in the file 'settings.txt', line 1, column 5 is too close to 0 to be held "
                         "exactly (nonzero values lie beyond 2.2e-308 in size)."},
        // 2 and -1 add up to 1, so the sum test alone would take them.
        {"2 1\n-1 1\n", "The probability '2' in the file 'settings.txt', line 1 does not lie between 0 and 1."},
        {"0.5 1\n%\n-0.5 1\n", "The probability '-0.5' in the file 'settings.txt', line 3 does not lie between 0 and 1."},
    };
    for (const Row& row : rows) {
        try {
            from(row.text);
            ADD_FAILURE() << "accepted: " << row.text;
        } catch (const GeneralException& e) {
            EXPECT_EQ(std::string(e.message), std::string(" > ERROR! ") + row.message);
        }
    }
    EXPECT_EQ(from("0 1\n1 2\n")->numScenarios, 2);  // the bounds themselves are probabilities

    // A huge token is named, not echoed whole.
    try {
        from("0.5 " + std::string(50 * 1000 * 1000, '7') + "x\n");
        ADD_FAILURE() << "a 50 MB token was accepted";
    } catch (const GeneralException& e) {
        EXPECT_EQ(std::string(e.message), " > ERROR! The value '" + std::string(40, '7') +
                                              "...' (50000001 characters) in the file 'settings.txt', line 1, column 5 "
                                              "is not a number.");
    }
}

// Many lines are read in time linear in their number (no array grown one entry at a time).
TEST_F(SettingsFile, ManyLinesAndManyValues) {
    std::string text;
    const int lines = 100000;
    for (int k = 0; k < lines; k++) text += "0.00001 1 2 3\n";
    std::string wide = "1";
    for (int j = 0; j < 100000; j++) wide += " 1";
    auto set = from(text);
    EXPECT_EQ(set->numScenarios, lines);
    EXPECT_EQ(from(wide + "\n")->scenarios[0]->numParameters, 100000);
}
