#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "Exceptions.h"
#include "GAMSInOut.h"
#include "ScratchDirectory.h"
#include "TemplateCodes.h"

using testing::internal::CaptureStdout;
using testing::internal::GetCapturedStdout;

namespace {

// A scenario set built from the given settings-file text, in the case's own working directory.
std::unique_ptr<SCENARIOS> setFrom(const std::string& contents) {
    return std::unique_ptr<SCENARIOS>(scenarioSetFrom(contents, 1, 1));
}

const char* probabilityOK = "Test of the inner probability scenarios consistency >> OK\n";
const char* parametersOK = "Test of the inner parameters scenarios consistency >> OK\n\n";

enum class Verdict { Pass, SumFails, CountFails };

// Runs the check and tells which way it went, with what it printed.
Verdict check(const std::unique_ptr<SCENARIOS>& set, double epsilon, std::string& printed) {
    Verdict verdict = Verdict::Pass;
    CaptureStdout();
    try {
        set->checkIntegrity(epsilon);
    } catch (const SumProbabilitiesException&) {
        verdict = Verdict::SumFails;
    } catch (const NumParametersException&) {
        verdict = Verdict::CountFails;
    }
    printed = GetCapturedStdout();
    return verdict;
}

// Cases that write settings files run in a fresh working directory.
class ScenarioCheck : public ::testing::Test {
protected:
    ScratchDirectory scratch{"checks"};
};
using ScenarioListing = ScenarioCheck;

}  // namespace

// The worked example's listing is compared byte for byte by the dialogue cases.
TEST_F(ScenarioListing, ValueLineBoundedByLastScenarioAndOwnCount) {
    auto set = setFrom("0.4999999 1 2 3\n0.25 7\n0.25 4 5\n");
    CaptureStdout();
    set->printAllScenarios();
    EXPECT_EQ(GetCapturedStdout(),
              ">> SCENARIO 1: probability = 0.50, number of parameters = 3\n   1.00  2.00  \n\n"
              ">> SCENARIO 2: probability = 0.25, number of parameters = 1\n   7.00  \n\n"
              ">> SCENARIO 3: probability = 0.25, number of parameters = 2\n   4.00  5.00  \n\n");
}

TEST_F(ScenarioCheck, ToleranceBorder) {
    struct Row {
        const char* file;
        double epsilon;
        Verdict verdict;
    };
    const Row rows[] = {
        {"0.3 1\n0.5 1\n0.2 1\n", 1e-7, Verdict::Pass},
        {"0.5 1\n0.4999999 1\n", 1e-7, Verdict::SumFails},
        {"0.5 1\n0.49999991 1\n", 1e-7, Verdict::Pass},
        {"0.5 1\n0.25 1\n", 0.25, Verdict::SumFails},  // equality fails
        {"0.5 1\n0.3 1\n", 0.25, Verdict::Pass},
        {"1 1\n", 1e-7, Verdict::Pass},
        {"0.9 1\n", 1e-7, Verdict::SumFails},
        {"0.1 1\n0.1 1\n0.1 1\n0.1 1\n0.1 1\n0.1 1\n0.1 1\n0.1 1\n0.1 1\n0.1 1\n", 1e-7, Verdict::Pass},  // ten tenths
    };
    for (const Row& row : rows) {
        auto set = setFrom(row.file);
        std::string printed;
        Verdict verdict = check(set, row.epsilon, printed);
        EXPECT_EQ(verdict, row.verdict) << row.file;
        EXPECT_EQ(printed, verdict == Verdict::Pass ? std::string(probabilityOK) + parametersOK : "") << row.file;
    }
}

TEST_F(ScenarioCheck, ParameterCounts) {
    // Right probabilities, unequal counts: the probability line, then the failure.
    auto set = setFrom("0.5 1 2\n0.5 1\n");
    std::string printed;
    EXPECT_EQ(check(set, 1e-7, printed), Verdict::CountFails);
    EXPECT_EQ(printed, probabilityOK);

    // Both wrong: only the probabilities are reported, with their sum.
    set = setFrom("0.5 1 2\n0.3 1\n");
    CaptureStdout();
    try {
        set->checkIntegrity(1e-7);
        ADD_FAILURE() << "accepted";
    } catch (const SumProbabilitiesException& e) {
        EXPECT_DOUBLE_EQ(e.sum, 0.8);
    }
    EXPECT_EQ(GetCapturedStdout(), "");
}

TEST_F(ScenarioCheck, CodeRangesNeverOverlap) {
    // 100 values fill a range exactly; one more would run into the next range's codes.
    auto refused = [](const std::string& settings, int n1, int n2, bool weightCodes = true, bool data = false) {
        std::unique_ptr<SCENARIOS> set(scenarioSetFrom(settings, n1, n2));
        CaptureStdout();
        try {
            set->checkIntegrity(1e-7, weightCodes, data);
        } catch (const WrongInputParameter& e) {
            GetCapturedStdout();
            return std::string(e.message);
        }
        GetCapturedStdout();
        return std::string();
    };
    std::string hundred = "1", hundredAndOne = "1";
    for (int j = 0; j < 100; j++) hundred += " " + std::to_string(j);
    hundredAndOne = hundred + " 100";
    EXPECT_EQ(refused(hundred + "\n", 3, 6), "");
    EXPECT_NE(refused(hundredAndOne + "\n", 3, 6).find("101 parameters per scenario"), std::string::npos);
    EXPECT_EQ(refused("1 2\n", 100, 3000), "");
    EXPECT_NE(refused("1 2\n", 101, 0).find("101 first-stage variables"), std::string::npos);
    // A template without weight and average codes (pha writes its own terms) takes any first stage.
    EXPECT_EQ(refused("1 2\n", 101, 0, false), "");
    EXPECT_NE(refused(hundredAndOne + "\n", 101, 0, false).find("101 parameters per scenario"), std::string::npos);
    // ... and a template that reads the values as phaData any number of them.
    EXPECT_EQ(refused(hundredAndOne + "\n", 3, 6, true, true), "");

    // 24 + 77 entries: the first-stage codes stand, the second-stage ones would run into the next range.
    std::unique_ptr<SCENARIOS> set(scenarioSetFrom("1 2\n", 24, 77));
    TemplatePlace place{"t.gms", 3};
    CodeStyle style;
    EXPECT_EQ(expandTemplateLine("w = @123 ; a = @223 ;", *set, 0, place, style), "w = 0.000; a = 0.000;");
    for (const char* code : {"@124 ", "@199 ", "@224 ", "@299 "}) {
        std::string message;
        try {
            expandTemplateLine(code, *set, 0, place, style);
        } catch (const GeneralException& e) {
            message = e.message;
        }
        EXPECT_NE(message.find("24 first-stage and 77 second-stage variables, 101 in all"), std::string::npos)
            << code << message;
    }
    // 24 + 76 fill the ranges exactly.
    set.reset(scenarioSetFrom("1 2\n", 24, 76));
    EXPECT_EQ(expandTemplateLine("@199 @299", *set, 0, place, style), "0.0000.000");
}
