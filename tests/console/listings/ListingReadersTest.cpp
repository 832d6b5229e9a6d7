#include <gtest/gtest.h>

#include <unistd.h>

#include <memory>
#include <fstream>
#include <sstream>
#include <string>

#include "Exceptions.h"
#include "GAMSInOut.h"
#include "ListingScan.h"
#include "ScratchDirectory.h"

namespace {

namespace fs = std::filesystem;

const std::string kReal = std::string(PHA_FIXTURES_DIR) + "/";
const std::string kOwn = std::string(PHA_TEST_DATA_DIR) + "/listings/";
const std::string kHead = "\n      LOWER     LEVEL     UPPER    MARGINAL\n\n";

void readVector(std::string file, std::string name, VECTOR& v) {
    SCENARIOS::readVectorDataFromLSTFile(&file[0], &name[0], v);
}
void readMatrix(std::string file, std::string name, MATRIX& m) {
    SCENARIOS::readMatrixDataFromLSTFile(&file[0], &name[0], m);
}
double readScalar(std::string file, std::string name) {
    SCALAR s(-1.0);
    SCENARIOS::readObjValueFromLSTFile(&file[0], &name[0], s);
    EXPECT_FALSE(s.isEmpty);
    return s.data;
}
// The message of the error that `read` raises, "" when it raises none.
template <class Read>
std::string refusal(Read read) {
    try {
        read();
    } catch (const GeneralException& e) {
        return e.message;
    }
    return "";
}

// Listings of real GAMS runs kept beside the repository: an extra check where
// they exist. The repository's own fixtures cover the same layouts.
#define skipWithoutRealListings()                                                                \
    if (!fs::is_directory(kReal))                                                                \
    GTEST_SKIP() << "no real GAMS listings in " << kReal << " (they live outside the repository)"

// Each case runs in a fresh working directory holding a one-scenario set.
class ListingReaders : public ::testing::Test {
protected:
    ScratchDirectory scratch{"listing-readers"};
    std::unique_ptr<SCENARIOS> set{scenarioSetFrom("0.25 1\n0.25 2\n0.5 3\n", 3, 2)};

    // Death-test body: the stop message goes to standard output, made visible on standard error.
    void checkQuietly(std::string file, int s) {
        dup2(2, 1);
        set->checkInfeasibility(&file[0], s);
    }
};
using ListingReadersDeathTest = ListingReaders;

// The line rules every reader relies on, for both ways of taking a line.
TEST_F(ListingReaders, ListingFileLinesEndsAndNumbers) {
    const std::string longLine(300000, 'v');  // longer than any buffer a reader might use
    const std::string text = std::string("a\r\n\nb\r\r\n") + longLine + std::string("\r\nnul\0kept\n\r\nlast\r", 18);
    writeFile("lines.lst", text);
    const std::vector<std::string> expected = {"a", "", "b\r", longLine, std::string("nul\0kept", 8), "", "last"};
    ListingFile byString("lines.lst"), byView("lines.lst");
    std::string line = "old";
    std::string_view view;
    for (size_t n = 0; n < expected.size(); n++) {
        ASSERT_TRUE(byString.next(line));
        ASSERT_TRUE(byView.next(view));
        EXPECT_EQ(line, expected[n]) << n;
        EXPECT_EQ(view, expected[n]) << n;
        EXPECT_EQ(byString.lineNumber(), static_cast<long>(n) + 1);
    }
    EXPECT_FALSE(byString.next(line));
    EXPECT_TRUE(line.empty());
    EXPECT_FALSE(byView.next(view));
    EXPECT_EQ(byString.lineNumber(), 7);

    writeFile("lines.lst", "only\n");
    ListingFile one("lines.lst");
    EXPECT_TRUE(one.next(line) && line == "only");
    EXPECT_FALSE(one.next(line));  // the line feed ends the last line, it opens none
    writeFile("lines.lst", "");
    EXPECT_FALSE(ListingFile("lines.lst").next(view));
    try {
        ListingFile missing("missing.lst");
        ADD_FAILURE() << "a missing file was opened";
    } catch (const FileNotExists& e) {
        EXPECT_STREQ(e.fileName, "missing.lst");
    }
}

TEST_F(ListingReaders, VectorReaderTakesTheLevelColumnFromLfAndCrLfListings) {
    // The marker line of y after the table would be taken for a row if the table ran on.
    const std::string lf = "---- VAR x  first-stage decision\n" + kHead +
                           "1               .       12.500     +INF       .\n"
                           "2               .         .        +INF      3.000\n"
                           "3             2.000      4.000    10.000      .\n"
                           "4               .      2.5E+2     +INF       .\n\n---- VAR y  second-stage decision\n";
    std::string crlf;
    for (char c : lf) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    for (const std::string& text : {lf, crlf}) {
        writeFile("s.lst", text);
        VECTOR v(5);
        for (int i = 0; i < 5; i++) v.data[i] = 9;
        readVector("s.lst", "x", v);
        EXPECT_FALSE(v.isEmpty);
        const double expected[] = {12.5, 0, 4, 250, 9};  // lone point 0; lower bound skipped; element 5 kept
        for (int i = 0; i < 5; i++) EXPECT_EQ(v.data[i], expected[i]) << i;
    }
    // A later listing without x is reported although v already holds values.
    writeFile("other.lst", "---- VAR xx" + kHead + "1  .  7.000  +INF\n\n---- VAR X" + kHead + "1  .  8.000  +INF\n\n");
    VECTOR v(4);
    readVector("s.lst", "x", v);
    try {
        readVector("other.lst", "x", v);
        ADD_FAILURE() << "xx or X was taken for x";
    } catch (const NoOccurenceOfVariableInLSTFile& e) {
        EXPECT_STREQ(e.nameOfVariable, "x");
        EXPECT_STREQ(e.fileName, "other.lst");
    }
    EXPECT_EQ(v.data[0], 12.5);
}

TEST_F(ListingReaders, RepeatedEmptyAndUnfinishedTables) {
    writeFile("two.lst", "---- VAR x\n" + kHead + "1  .  1.000  +INF  .\n2  .  2.000  +INF  .\n\n"
                         "---- VAR x  again\n" + kHead + "2  .  5.000  +INF  .\n\n");
    VECTOR v(2);
    readVector("two.lst", "x", v);
    EXPECT_TRUE(v.data[0] == 1.0 && v.data[1] == 5.0);  // the later table wins
    writeFile("empty.lst", "---- VAR x  no rows\n" + kHead + "\n1  .  3.000  +INF  .\n");
    readVector("empty.lst", "x", v);
    EXPECT_EQ(v.data[0], 1.0);  // the line after the empty table is no row
    VECTOR w(2);
    writeFile("cut.lst", "---- VAR x\n" + kHead + "1  .  6.000  +INF  .");
    readVector("cut.lst", "x", w);
    EXPECT_TRUE(!w.isEmpty && w.data[0] == 6.0);
}

TEST_F(ListingReaders, RowsThatDoNotFitTheContainerAreRefused) {
    const std::string table = "---- VAR x  decision\n" + kHead + "1     .     1.000     +INF     .\n";
    for (const char* row : {"4     .     2.000     +INF     .", "0     .     2.000     +INF     .",
                            "seattle     .     2.000     +INF     .", "   3   .   2.000   +INF   .",
                            "2     .", "99999999999999999999999    .     2.000     +INF     ."}) {
        writeFile("bad.lst", table + row + "\n\n");
        VECTOR v(3);
        std::string message = refusal([&] { readVector("bad.lst", "x", v); });
        EXPECT_EQ(message.rfind(" > ERROR! ", 0), 0u) << row;
        EXPECT_NE(message.find("'x' in the file 'bad.lst', line 6: '" + std::string(row) + "'"), std::string::npos)
            << message;
        EXPECT_TRUE(v.isEmpty && v.data[0] == 0.0) << row;  // nothing of the listing is taken
    }
    for (const char* row : {"1     .     2.000     +INF", "3 .1    .     2.000     +INF     .",
                            "1 .3    .     2.000     +INF     .", "a .1    .     2.000     +INF     ."}) {
        writeFile("bad.lst", "---- VAR x\n" + kHead + row + "\n\n");
        MATRIX m(2, 2);
        EXPECT_NE(refusal([&] { readMatrix("bad.lst", "x", m); }).find(row), std::string::npos) << row;
        EXPECT_TRUE(m.isEmpty) << row;
    }
    writeFile("bad.lst", "---- VAR obj\n");
    EXPECT_NE(refusal([&] { readScalar("bad.lst", "obj"); }).find("'obj'"), std::string::npos);
}

TEST_F(ListingReaders, MatrixAndObjectiveValueReaders) {
    writeFile("m.lst", "---- VAR p\n" + kHead + "1.2     .     3.500     +INF     .\n2 .1    .    -1.0E-2   +INF     .\n\n"
                       "---- VAR obj              -INF      96.25     +INF       .\n");
    MATRIX m(2, 2);
    readMatrix("m.lst", "p", m);
    EXPECT_TRUE(!m.isEmpty && m.data[0][1] == 3.5 && m.data[1][0] == -0.01 && m.data[0][0] == 0.0);
    EXPECT_EQ(readScalar("m.lst", "obj"), 96.25);
}

TEST_F(ListingReaders, ReadsRealGamsListings) {
    skipWithoutRealListings();
    EXPECT_EQ(readScalar(kReal + "shipping-lp-optimal.lst", "z"), 342650.0);
    EXPECT_EQ(readScalar(kReal + "transport-lp-gams45.lst", "z"), 153.675);
    EXPECT_EQ(readScalar(kReal + "shortestpath-dnlp-locally-infeasible.lst", "totalCost"), 0.0);
    EXPECT_EQ(readScalar(kReal + "abel-nlp-locally-optimal.lst", "j"), 225.195);  // CRLF line ends
    // The numeric table "1 .2" ... "10.11": named elements take their level (zero), others keep theirs.
    MATRIX m(10, 11);
    for (int r = 0; r < 10; r++)
        for (int c = 0; c < 11; c++) m.data[r][c] = 7.0;
    readMatrix(kReal + "shortestpath-dnlp-locally-infeasible.lst", "x", m);
    EXPECT_TRUE(m.data[0][1] == 0 && m.data[4][10] == 0 && m.data[9][10] == 0);
    EXPECT_TRUE(m.data[1][0] == 7 && m.data[9][9] == 7);
    // A model indexing x by names does not fit a numbered vector.
    VECTOR v(6);
    EXPECT_NE(refusal([&] { readVector(kReal + "shipping-lp-optimal.lst", "x", v); }).find("Atlanta"),
              std::string::npos);
    EXPECT_THROW(readVector(kReal + "groceries-compile-error-gams45.lst", "x", v), NoOccurenceOfVariableInLSTFile);
}

TEST_F(ListingReadersDeathTest, InfeasibleListingsStopWithStatusOne) {
    skipWithoutRealListings();
    EXPECT_EXIT(checkQuietly(kReal + "shortestpath-dnlp-locally-infeasible.lst", 3), testing::ExitedWithCode(1),
                "^ !!! Infeasible solution in scenario 3\\.\n$");
    // CPLEX writes no " ** Infeasible solution." line, only the model status.
    EXPECT_EXIT(checkQuietly(kReal + "shipping-lp-infeasible.lst", 12), testing::ExitedWithCode(1),
                "^ !!! Infeasible solution in scenario 12\\.\n$");
    writeFile("s.lst", " ** Infeasible solution\n**** MODEL STATUS      7 Intermediate Nonoptimal\n  ** Infeasible solution.\n");
    for (std::string name : {kReal + "shipping-lp-optimal.lst", kReal + "abel-nlp-locally-optimal.lst",
                             kReal + "transport-lp-gams45.lst", kReal + "groceries-compile-error-gams45.lst",
                             std::string("s.lst")})
        set->checkInfeasibility(&name[0], 1);  // returns
}

TEST_F(ListingReadersDeathTest, LoadingAllListingsFillsEveryScenarioOrStops) {
    const std::string feasible = readFile(kOwn + "bundled-feasible.lst");
    std::string second = feasible;
    second.replace(second.find("170.000"), 7, "171.000");
    writeFile("scenario1.lst", feasible);
    writeFile("scenario2.lst", second);
    writeFile("scenario3.lst", feasible);
    set->loadAllScenarioSolutionsFromLSTFiles();
    EXPECT_EQ(set->scenarios[0]->solution1->data[0], 170.0);
    EXPECT_EQ(set->scenarios[1]->solution1->data[0], 171.0);
    const double* x = set->scenarios[2]->solution1->data;
    const double* y = set->scenarios[2]->solution2->data;
    EXPECT_TRUE(x[1] == 80 && x[2] == 0 && y[0] == 250 && y[1] == -1.25);

    fs::remove("scenario3.lst");
    set->scenarios[0]->solution1->data[0] = -1;
    try {
        set->loadAllScenarioSolutionsFromLSTFiles();
        ADD_FAILURE() << "a missing listing was not reported";
    } catch (const FileNotExists& e) {
        EXPECT_STREQ(e.fileName, "scenario3.lst");
    }
    EXPECT_EQ(set->scenarios[0]->solution1->data[0], 170.0);  // the scenarios before it were read
    // An infeasible solve without any solution table stops the run as infeasible.
    writeFile("scenario2.lst", readFile(kOwn + "bundled-infeasible-no-solution.lst"));
    EXPECT_EXIT({ dup2(2, 1); set->loadAllScenarioSolutionsFromLSTFiles(); }, testing::ExitedWithCode(1),
                "^ !!! Infeasible solution in scenario 2\\.\n$");
}

}  // namespace
