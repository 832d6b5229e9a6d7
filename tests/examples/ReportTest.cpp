// The convergence report: reading results.txt, the table, the chart script,
// and the command on a small report.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include <sys/wait.h>

#include "GnuplotChart.h"
#include "ReportTable.h"
#include "ResultsFile.h"

namespace {

std::vector<IterationBlock> readText(const std::string& text) {
    std::istringstream in(text);
    return readResults(in);
}

std::string contents(const std::string& path) {
    std::ostringstream text;
    text << std::ifstream(path).rdbuf();
    return text.str();
}

std::vector<IterationBlock> readSmall() {
    std::ifstream in(std::string(EXAMPLES_TEST_DATA) + "/results-small.txt");
    return readResults(in);
}

}  // namespace

TEST(ResultsFile, ReadsCompleteBlocksAndDropsACutOffOne) {
    std::vector<IterationBlock> b = readSmall();
    ASSERT_EQ(b.size(), 3u);  // iteration 4 stops before its "Dist" line
    EXPECT_EQ(b[0].iteration, 1);
    ASSERT_EQ(b[0].scenarios.size(), 2u);
    EXPECT_EQ(b[0].scenarios[1].number, 2);
    EXPECT_EQ(b[0].scenarios[1].firstStage, (std::vector<double>{3, 6}));
    EXPECT_EQ(b[0].scenarios[1].secondStage, (std::vector<double>{7}));
    EXPECT_EQ(b[2].average, (std::vector<double>{2.1, 4}));
    EXPECT_DOUBLE_EQ(b[1].delta, 0.5);

    // D: number of scenarios times the squared change of the average.
    std::vector<double> d = averageChanges(b);
    ASSERT_EQ(d.size(), 3u);
    EXPECT_TRUE(std::isnan(d[0]));
    EXPECT_DOUBLE_EQ(d[1], 0.0);
    EXPECT_NEAR(d[2], 2 * 0.01, 1e-12);
}

TEST(ResultsFile, AcceptsWindowsLineEndsAndRefusesOtherText) {
    EXPECT_EQ(readText("Iteration 7:\r\nAverage solution:\r\n  > 1.5\r\nDist = 2\r\n")[0].average,
              (std::vector<double>{1.5}));
    EXPECT_TRUE(readText("").empty());
    try {
        readText("Iteration 1:\n Scenario 1\n : 1st stage decision:\n  > 1.5x\n");
        FAIL() << "a damaged value was accepted";
    } catch (const ResultsFormatError& e) {
        EXPECT_NE(std::string(e.what()).find("line 4"), std::string::npos) << e.what();
    }
    EXPECT_THROW(readText("Dist = 1\n"), ResultsFormatError);
    EXPECT_THROW(readText("Iteration 1:\n  > 1\n"), ResultsFormatError);
    EXPECT_THROW(readText("Iteration one:\n"), ResultsFormatError);
}

TEST(ReportTable, ShowsEveryRowOfAShortRunAndShortensALongOne) {
    std::ostringstream out;
    printReportTable(out, readSmall(), 20);
    EXPECT_NE(out.str().find("    2    5.000e-01    0.000e+00        2.0000        4.0000\n"), std::string::npos)
        << out.str();
    EXPECT_NE(out.str().find("3 iterations; 2 scenarios; last delta 0; last first-stage average (2.1000, 4.0000)"),
              std::string::npos)
        << out.str();

    std::vector<IterationBlock> many;
    for (int i = 1; i <= 50; ++i) {
        IterationBlock b;
        b.iteration = i;
        b.average = {static_cast<double>(i)};
        many.push_back(b);
    }
    std::ostringstream shortOut;
    printReportTable(shortOut, many, 6);
    const std::string s = shortOut.str();
    EXPECT_NE(s.find("(44 iterations not shown)"), std::string::npos) << s;
    EXPECT_NE(s.find("\n    3 "), std::string::npos);
    EXPECT_EQ(s.find("\n    4 "), std::string::npos);
    EXPECT_NE(s.find("\n   50 "), std::string::npos);
}

TEST(GnuplotChart, PutsEveryIterationInTheDataAndPicksTheTerminalByName) {
    const std::string svg = chartScript(readSmall(), "out dir/it's.svg");
    EXPECT_NE(svg.find("set terminal svg"), std::string::npos);
    EXPECT_NE(svg.find("set output 'out dir/it''s.svg'"), std::string::npos);
    // Zero values cannot stand on the log axis; the first D is unknown.
    EXPECT_NE(svg.find("\n1 10 NaN 2 4\n2 0.5 NaN 2 4\n3 NaN 0.02 2.1 4\n"), std::string::npos) << svg;
    EXPECT_NE(svg.find("using 1:5"), std::string::npos);  // the second average
    EXPECT_NE(chartScript(readSmall(), "c.png").find("set terminal pngcairo"), std::string::npos);
    EXPECT_EQ(svg.find("tolerance"), std::string::npos);
    EXPECT_NE(chartScript(readSmall(), "c.svg", 0.01).find(", 0.01 with lines dt 2"), std::string::npos);
}

TEST(GnuplotChart, ManyVariablesGetPanelsOfEightColoursAndTheFormatFollowsTheName) {
    std::vector<IterationBlock> blocks(2);
    for (size_t b = 0; b < blocks.size(); ++b) {
        blocks[b].iteration = static_cast<int>(b);
        blocks[b].delta = 1.0;
        blocks[b].average.assign(24, 1.0);
    }
    const std::string script = chartScript(blocks, "many.svg");
    EXPECT_NE(script.find("layout 4,1"), std::string::npos);  // delta and D, then x(1)..x(8), x(9)..x(16), x(17)..x(24)
    EXPECT_NE(script.find("set title 'first-stage average x(17)..x(24)'\nplot $data using 1:20 with lines lw 2 lc 1 "
                          "title 'x(17)'"),
              std::string::npos)
        << script;
    EXPECT_EQ(script.find("lc 9"), std::string::npos);
    EXPECT_EQ(imageFormat("a/b.PDF"), "pdf");
    EXPECT_EQ(imageFormat("b.png"), "png");
    EXPECT_EQ(imageFormat("b.jpg"), "");
    EXPECT_EQ(imageFormat("dir.svg/b"), "");
}

TEST(ReportCommand, PrintsTheTableAndDrawsThePicture) {
    const std::string image = testing::TempDir() + "pha-report-test.svg";
    std::remove(image.c_str());
    const std::string console = image + ".out";
    int status = std::system((std::string(PHA_REPORT_BINARY) + " " + EXAMPLES_TEST_DATA + "/results-small.txt --eps 0.01 -o " +
                              image + " > " + console + " 2>&1").c_str());
    const std::string out = contents(console);
    EXPECT_EQ(status, 0) << out;
    EXPECT_NE(out.find("3 iterations; 2 scenarios"), std::string::npos) << out;
    EXPECT_NE(contents(image).find("<svg"), std::string::npos);
    EXPECT_NE(contents(image).find("first-stage average"), std::string::npos);

    status = std::system((std::string(PHA_REPORT_BINARY) + " /nonexistent/results.txt > " + console + " 2>&1").c_str());
    EXPECT_EQ(WEXITSTATUS(status), 2);

    // A PDF is a PDF; a name without a known ending is refused, not written as SVG.
    const std::string pdf = testing::TempDir() + "pha-report-test.pdf";
    status = std::system((std::string(PHA_REPORT_BINARY) + " " + EXAMPLES_TEST_DATA + "/results-small.txt -o " + pdf +
                          " > " + console + " 2>&1").c_str());
    EXPECT_EQ(status, 0) << contents(console);
    EXPECT_EQ(contents(pdf).substr(0, 5), "%PDF-");
    const std::string jpg = testing::TempDir() + "pha-report-test.jpg";
    status = std::system((std::string(PHA_REPORT_BINARY) + " " + EXAMPLES_TEST_DATA + "/results-small.txt -o " + jpg +
                          " > " + console + " 2>&1").c_str());
    EXPECT_EQ(WEXITSTATUS(status), 2);
    EXPECT_NE(contents(console).find("cannot tell the picture format of '" + jpg + "': name it .svg, .png or .pdf"),
              std::string::npos);
    EXPECT_FALSE(std::ifstream(jpg).good());
}
