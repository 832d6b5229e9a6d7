// The option mode's defaults: what a run gets without the option, and that
// --help states it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "RunOptions.h"

namespace {

TEST(RunDefaults, StopRuleBoundsAndPrecisionWithoutTheirOptionsAndInTheHelp) {
    const ParsedCommandLine parsed = parseRunOptions(
        {"--template", PHA_BINARY, "--scenarios", PHA_BINARY, "--n1", "3", "--n2", "6", "--rho", "1"});
    ASSERT_EQ(parsed.action, ParsedCommandLine::Run) << parsed.text;
    const RunOptions& o = parsed.options;
    EXPECT_EQ(o.tolerance, 1e-4);
    EXPECT_EQ(o.maxIterations, 300);
    EXPECT_EQ(o.boundEvery, 10);
    EXPECT_LT(o.gap, 0);     // off
    EXPECT_LT(o.absGap, 0);  // off
    EXPECT_EQ(o.digits, kFullPrecision);
    EXPECT_EQ(o.start, "solve");
    EXPECT_EQ(o.rhoUpdate, "none");
    EXPECT_EQ(o.accelerate, 0);
    EXPECT_EQ(o.solveTimeout, 0.0);
    EXPECT_EQ(o.fixAfter, 3);
    EXPECT_EQ(o.slamAfter, 10);

    const std::string help = parseRunOptions({"--help"}).text;
    for (const char* stated : {"--tol FLOAT:NUMBER >= 0=0.0001", "--max-iter INT:in [1, 1000000000]=300",
                               "--bound-every INT:in [0, 1000000000]=10",
                               "--start TEXT:solve|zero|FILE=solve", "--rho-update TEXT:{none,balance}=none",
                               "--solve-timeout FLOAT:NUMBER >= 0=0", "--fix-after INT:NONNEGATIVE=3",
                               "--slam-after INT:NONNEGATIVE=10"})
        EXPECT_NE(help.find(stated), std::string::npos) << stated;
    // The options without a default value say in their text what happens without them.
    for (const char* option : {"--gap", "--abs-gap", "--digits", "--cost", "--workers", "--gams", "--objective"}) {
        const size_t at = help.find(std::string(option) + " ");
        ASSERT_NE(at, std::string::npos) << option;
        const size_t secondLineEnd = help.find('\n', help.find('\n', at) + 1);
        EXPECT_NE(help.substr(at, secondLineEnd - at).find("(default: "), std::string::npos) << option;
    }
    // Defaults replace what was required: only --rho (or --rho-file) is still asked for.
    EXPECT_EQ(parseRunOptions({"--template", PHA_BINARY, "--scenarios", PHA_BINARY, "--n1", "3", "--n2", "6"}).action,
              ParsedCommandLine::Refuse);
}

}  // namespace
