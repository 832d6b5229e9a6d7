// The JSON record of an option-mode run as pha-report reads it.
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>

#include "GnuplotChart.h"
#include "ReportTable.h"
#include "RunJson.h"

namespace {

const char* const kRecord = R"({
"settings": {"template": "farmer.gms", "rho": 1, "numScenarios": 3},
"iterations": [
{"iteration": 0, "delta": 12.5, "D": null, "expectedCost": -110, "L": -120, "U": null, "bestL": -120,
 "bestU": null, "gap": null, "average": [1.5, 2], "seconds": 0.1},
{"iteration": 1, "delta": 0.5, "D": 0.25, "expectedCost": -105, "L": null, "U": -100, "bestL": -120,
 "bestU": -100, "gap": 0.2, "average": [1.75, 2], "seconds": 0.1}
],
"final": {"verdict": "gap not reached", "iterations": 1, "plan": [1.75, 2], "U": -100, "L": -120, "gap": 0.2}
})";

TEST(RunJson, ReadsIterationsBoundsAndTheFinalAnswer) {
    std::istringstream in(kRecord);
    ASSERT_TRUE(looksLikeJson(in));
    RunJson run = readRunJson(in);
    ASSERT_EQ(run.blocks.size(), 2u);
    EXPECT_EQ(run.blocks[1].average, (std::vector<double>{1.75, 2}));
    EXPECT_DOUBLE_EQ(run.blocks[0].delta, 12.5);
    EXPECT_DOUBLE_EQ(averageChanges(run.blocks)[1], 3 * 0.25 * 0.25);  // D as pha computes it
    EXPECT_TRUE(std::isnan(run.bounds[0].bestUpper));  // null: no inner bound yet
    EXPECT_DOUBLE_EQ(run.bounds[1].bestUpper, -100);
    EXPECT_EQ(run.verdict, "gap not reached");
    EXPECT_DOUBLE_EQ(run.gap, 0.2);

    std::ostringstream table;
    printBoundsTable(table, run, 20);
    EXPECT_NE(table.str().find("    1    -105.000000    -120.000000    -100.000000   2.00e-01"), std::string::npos)
        << table.str();
    EXPECT_NE(table.str().find("Verdict: gap not reached; plan (1.750000, 2.000000)"), std::string::npos);
    // The chart gets a panel with the bounds after the two averages, and the gap on a log scale.
    std::string script = chartScript(run.blocks, "b.svg", 0.0, run.bounds);
    EXPECT_NE(script.find("layout 4,1"), std::string::npos);
    EXPECT_NE(script.find("$data using 1:8 with steps lw 2 title 'best U (inner)'"), std::string::npos);
    EXPECT_NE(script.find("set logscale y\nset format y '10^{%L}'\nset ylabel 'log scale'\n"
                          "set title 'relative gap (U - L)/max(1,|U|) of the best bounds'\n"
                          "plot $data using 1:9 with steps"),
              std::string::npos)
        << script;
    // The run's one rho (settings) is drawn as rho_j in a fifth panel.
    ASSERT_EQ(run.rho.size(), 2u);
    EXPECT_EQ(run.rho[1], (std::vector<double>{1}));
    EXPECT_NE(chartScript(run.blocks, "b.svg", 0.0, run.bounds, run.rho).find("layout 5,1"), std::string::npos);
    script = chartScript(run.blocks, "b.pdf", 0.0, run.bounds, {{2, 4}, {1, 3}});
    EXPECT_NE(script.find("layout 5,1"), std::string::npos);
    EXPECT_NE(script.find("set terminal pdfcairo"), std::string::npos);
    EXPECT_NE(script.find("\n1 0.5 0.1875 1.75 2 -105 -120 -100 0.2 1 2 3\n"), std::string::npos) << script;

    std::istringstream cut(std::string(kRecord).substr(0, 120));
    EXPECT_THROW(readRunJson(cut), ResultsFormatError);
    std::istringstream noIterations("{\"settings\": {}}");
    EXPECT_THROW(readRunJson(noIterations), ResultsFormatError);
}

}  // namespace
