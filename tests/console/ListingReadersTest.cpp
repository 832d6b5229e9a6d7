#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "Exceptions.h"
#include "GAMSInOut.h"

namespace {

namespace fs = std::filesystem;

const std::string kFixtures = PHA_FIXTURES_DIR;
const std::string kOwnData = std::string(PHA_TEST_DATA_DIR) + "/listings";

// The table of the worked example with a fourth row in exponent form; the
// marker line of y after it would be taken for a row if the table ran on.
const std::string kWorkedExample =
    "---- VAR x  first-stage decision\n"
    "\n"
    "              LOWER     LEVEL     UPPER    MARGINAL\n"
    "\n"
    "1               .       12.500     +INF       .\n"
    "2               .         .        +INF      3.000\n"
    "3             2.000      4.000    10.000      .\n"
    "4               .      2.5E+2     +INF       .\n"
    "\n"
    "---- VAR y  second-stage decision\n";

std::string withCrLf(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\n') out += '\r';
        out += c;
    }
    return out;
}

std::string readFile(const std::string& name) {
    std::ifstream in(name, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Each case runs in a fresh working directory, where listings are written and read.
class ListingReaders : public ::testing::Test {
protected:
    fs::path previous;
    fs::path dir;

    void SetUp() override {
        previous = fs::current_path();
        char name[] = "/tmp/listing-readers-XXXXXX";
        ASSERT_NE(mkdtemp(name), nullptr);
        dir = name;
        fs::current_path(dir);
    }
    void TearDown() override {
        fs::current_path(previous);
        fs::remove_all(dir);
    }
    static void write(const std::string& name, const std::string& text) {
        std::ofstream(name, std::ios::binary) << text;
    }
    static void readVector(std::string file, std::string name, VECTOR& v) {
        SCENARIOS::readVectorDataFromLSTFile(&file[0], &name[0], v);
    }
    static void readMatrix(std::string file, std::string name, MATRIX& m) {
        SCENARIOS::readMatrixDataFromLSTFile(&file[0], &name[0], m);
    }
    static double readScalar(std::string file, std::string name) {
        SCALAR s(-1.0);
        SCENARIOS::readObjValueFromLSTFile(&file[0], &name[0], s);
        EXPECT_FALSE(s.isEmpty);
        return s.data;
    }
    // The message of the error a read raises, or "" when it raises none.
    template <class Read>
    static std::string refusal(Read read) {
        try {
            read();
        } catch (const GeneralException& e) {
            return e.message;
        }
        return "";
    }
};

TEST_F(ListingReaders, VectorReaderTakesTheLevelColumnInLfAndCrLfListings) {
    for (const std::string& text : {kWorkedExample, withCrLf(kWorkedExample)}) {
        write("s.lst", text);
        VECTOR v(5);
        for (int i = 0; i < 5; i++) v.data[i] = 9;
        readVector("s.lst", "x", v);
        EXPECT_FALSE(v.isEmpty);
        EXPECT_EQ(v.data[0], 12.5);
        EXPECT_EQ(v.data[1], 0.0);  // the lone point
        EXPECT_EQ(v.data[2], 4.0);  // the lower bound 2.000 is skipped
        EXPECT_EQ(v.data[3], 250.0);
        EXPECT_EQ(v.data[4], 9.0);  // no row names element 5
    }
}


TEST_F(ListingReaders, NamesMatchExactlyAndAbsenceIsReportedForEveryListing) {
    write("full.lst", kWorkedExample);
    write("other.lst", "---- VAR xx  longer name\n\n  LOWER LEVEL\n\n1   .   7.000   +INF\n\n"
                       "---- VAR X  upper case\n\n  LOWER LEVEL\n\n1   .   8.000   +INF\n\n");
    VECTOR v(4);
    readVector("full.lst", "x", v);
    // A listing without x is reported although v was filled by an earlier listing.
    try {
        readVector("other.lst", "x", v);
        ADD_FAILURE() << "xx or X was taken for x";
    } catch (const NoOccurenceOfVariableInLSTFile& e) {
        EXPECT_STREQ(e.nameOfVariable, "x");
        EXPECT_STREQ(e.fileName, "other.lst");
    }
    EXPECT_EQ(v.data[0], 12.5);
    EXPECT_FALSE(v.isEmpty);

    VECTOR fresh(4);
    EXPECT_THROW(readVector("other.lst", "x", fresh), NoOccurenceOfVariableInLSTFile);
    EXPECT_TRUE(fresh.isEmpty);
    try {
        readVector("absent.lst", "x", fresh);
        ADD_FAILURE() << "a missing listing was read";
    } catch (const FileNotExists& e) {
        EXPECT_STREQ(e.fileName, "absent.lst");
    }
}

TEST_F(ListingReaders, RepeatedEmptyAndUnfinishedTables) {
    const std::string head = "\n      LOWER     LEVEL     UPPER    MARGINAL\n\n";
    write("two.lst", "---- VAR x\n" + head + "1  .  1.000  +INF  .\n2  .  2.000  +INF  .\n\n"
                     "---- VAR x  again\n" + head + "2  .  5.000  +INF  .\n\n");
    VECTOR v(2);
    readVector("two.lst", "x", v);
    EXPECT_EQ(v.data[0], 1.0);
    EXPECT_EQ(v.data[1], 5.0);  // the later table wins

    write("empty.lst", "---- VAR x  no rows\n" + head + "\n1  .  3.000  +INF  .\n");
    readVector("empty.lst", "x", v);
    EXPECT_EQ(v.data[0], 1.0);  // the line after the empty table is no row

    VECTOR w(2);
    write("cut.lst", "---- VAR x\n" + head + "1  .  6.000  +INF  .");
    readVector("cut.lst", "x", w);
    EXPECT_FALSE(w.isEmpty);
    EXPECT_EQ(w.data[0], 6.0);
    VECTOR u(2);
    write("cut2.lst", "---- VAR x\n\n");
    readVector("cut2.lst", "x", u);
    EXPECT_FALSE(u.isEmpty);
}

TEST_F(ListingReaders, RowsThatDoNotFitTheContainerAreRefused) {
    const std::string head = "---- VAR x  decision\n\n      LOWER     LEVEL     UPPER    MARGINAL\n\n"
                             "1     .     1.000     +INF     .\n";
    const char* vectorRows[] = {"4     .     2.000     +INF     .", "0     .     2.000     +INF     .",
                                "seattle     .     2.000     +INF     .", "   3   .   2.000   +INF   .",
                                "2     .", "99999999999999999999999    .     2.000     +INF     ."};
    for (const char* row : vectorRows) {
        write("bad.lst", head + row + "\n\n");
        VECTOR v(3);
        std::string message = refusal([&] { readVector("bad.lst", "x", v); });
        EXPECT_EQ(message.rfind(" > ERROR! ", 0), 0u) << row;
        EXPECT_NE(message.find("'x' in the file 'bad.lst', line 6: '" + std::string(row) + "'"), std::string::npos)
            << message;
        EXPECT_TRUE(v.isEmpty) << row;  // nothing of the listing is taken
        EXPECT_EQ(v.data[0], 0.0) << row;
    }
    const char* matrixRows[] = {"1     .     2.000     +INF", "3 .1    .     2.000     +INF     .",
                                "1 .3    .     2.000     +INF     .", "a .1    .     2.000     +INF     ."};
    for (const char* row : matrixRows) {
        write("bad.lst", "---- VAR x\n\n  LOWER\n\n" + std::string(row) + "\n\n");
        MATRIX m(2, 2);
        EXPECT_NE(refusal([&] { readMatrix("bad.lst", "x", m); }).find(row), std::string::npos) << row;
        EXPECT_TRUE(m.isEmpty) << row;
    }
    write("bad.lst", "---- VAR obj\n");
    EXPECT_NE(refusal([&] { readScalar("bad.lst", "obj"); }).find("'obj'"), std::string::npos);
}

TEST_F(ListingReaders, MatrixAndObjectiveValueReaders) {
    write("m.lst", "---- VAR p\n\n  LOWER  LEVEL\n\n1.2     .     3.500     +INF     .\n2 .1    .    -1.0E-2   +INF     .\n\n"
                   "---- VAR obj              -INF      96.25     +INF       .\n");
    MATRIX m(2, 2);
    readMatrix("m.lst", "p", m);
    EXPECT_FALSE(m.isEmpty);
    EXPECT_EQ(m.data[0][1], 3.5);
    EXPECT_EQ(m.data[1][0], -0.01);
    EXPECT_EQ(m.data[0][0], 0.0);
    EXPECT_EQ(readScalar("m.lst", "obj"), 96.25);
}

TEST_F(ListingReaders, ReadsRealGamsListings) {
    EXPECT_EQ(readScalar(kFixtures + "/shipping-lp-optimal.lst", "z"), 342650.0);
    EXPECT_EQ(readScalar(kFixtures + "/transport-lp-gams45.lst", "z"), 153.675);
    EXPECT_EQ(readScalar(kFixtures + "/shortestpath-dnlp-locally-infeasible.lst", "totalCost"), 0.0);
    // The CRLF listing reads like its LF copy.
    write("abel-lf.lst", [] {
        std::string text = readFile(kFixtures + "/abel-nlp-locally-optimal.lst");
        std::string lf;
        for (size_t i = 0; i < text.size(); i++)
            if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) lf += text[i];
        return lf;
    }());
    EXPECT_EQ(readScalar(kFixtures + "/abel-nlp-locally-optimal.lst", "j"), 225.195);
    EXPECT_EQ(readScalar("abel-lf.lst", "j"), 225.195);

    // The numeric two-dimensional table "1 .2" ... "10.11": every named element
    // takes its level (all zero), the others keep theirs.
    MATRIX m(10, 11);
    for (int r = 0; r < 10; r++)
        for (int c = 0; c < 11; c++) m.data[r][c] = 7.0;
    readMatrix(kFixtures + "/shortestpath-dnlp-locally-infeasible.lst", "x", m);
    EXPECT_EQ(m.data[0][1], 0.0);
    EXPECT_EQ(m.data[4][10], 0.0);
    EXPECT_EQ(m.data[9][10], 0.0);
    EXPECT_EQ(m.data[1][0], 7.0);
    EXPECT_EQ(m.data[9][9], 7.0);

    // A model indexing x by names does not fit a numbered vector.
    VECTOR v(6);
    EXPECT_NE(refusal([&] { readVector(kFixtures + "/shipping-lp-optimal.lst", "x", v); }).find("Atlanta"),
              std::string::npos);
    EXPECT_THROW(readVector(kFixtures + "/groceries-compile-error-gams45.lst", "x", v),
                 NoOccurenceOfVariableInLSTFile);
}

// Infeasibility ends the process: these run in a child process.
class ListingInfeasibilityDeathTest : public ListingReaders {
protected:
    SCENARIOS* set = nullptr;
    void SetUp() override {
        ListingReaders::SetUp();
        write("settings.txt", "1 0\n");
        char name[] = "settings.txt";
        set = new SCENARIOS(name, 1, 1);
    }
    void TearDown() override {
        delete set;
        ListingReaders::TearDown();
    }
    void check(std::string file, int s) {
        dup2(2, 1);  // the message goes to standard output; let the death test see it
        set->checkInfeasibility(&file[0], s);
    }
};

TEST_F(ListingInfeasibilityDeathTest, InfeasibleListingsStopWithStatusOne) {
    EXPECT_EXIT(check(kFixtures + "/shortestpath-dnlp-locally-infeasible.lst", 3), testing::ExitedWithCode(1),
                "^ !!! Infeasible solution in scenario 3\\.\n$");
    // CPLEX writes no " ** Infeasible solution." line, only the model status.
    EXPECT_EXIT(check(kFixtures + "/shipping-lp-infeasible.lst", 12), testing::ExitedWithCode(1),
                "^ !!! Infeasible solution in scenario 12\\.\n$");
    write("s.lst", "**** MODEL STATUS     10 Integer Infeasible\n");
    EXPECT_EXIT(check("s.lst", 1), testing::ExitedWithCode(1), "scenario 1\\.");
}

TEST_F(ListingInfeasibilityDeathTest, FeasibleListingsPass) {
    for (const char* name : {"shipping-lp-optimal.lst", "abel-nlp-locally-optimal.lst", "transport-lp-gams45.lst",
                             "groceries-compile-error-gams45.lst"}) {
        std::string file = kFixtures + "/" + name;
        set->checkInfeasibility(&file[0], 1);
    }
    write("s.lst", " ** Infeasible solution\n**** MODEL STATUS      7 Intermediate Nonoptimal\n"
                   "  ** Infeasible solution.\n");
    char listing[] = "s.lst";
    set->checkInfeasibility(listing, 1);
    char absent[] = "absent.lst";
    EXPECT_THROW(set->checkInfeasibility(absent, 1), FileNotExists);
}

// The whole iteration step: every scenario's listing into its solution vectors.
class LoadingAllListings : public ListingReaders {
protected:
    SCENARIOS* set = nullptr;
    void SetUp() override {
        ListingReaders::SetUp();
        write("settings.txt", "0.25 1\n0.25 2\n0.5 3\n");
        char name[] = "settings.txt";
        set = new SCENARIOS(name, 3, 2);
        const std::string feasible = readFile(kOwnData + "/bundled-feasible.lst");
        write("scenario1.lst", feasible);
        std::string second = feasible;
        second.replace(second.find("170.000"), 7, "171.000");
        write("scenario2.lst", second);
    }
    void TearDown() override {
        delete set;
        ListingReaders::TearDown();
    }
};

TEST_F(LoadingAllListings, FillsEveryScenarioAndReportsTheFirstMissingListing) {
    write("scenario3.lst", readFile(kOwnData + "/bundled-feasible.lst"));
    set->loadAllScenarioSolutionsFromLSTFiles();
    EXPECT_EQ(set->scenarios[0]->solution1->data[0], 170.0);
    EXPECT_EQ(set->scenarios[1]->solution1->data[0], 171.0);
    EXPECT_EQ(set->scenarios[2]->solution1->data[1], 80.0);
    EXPECT_EQ(set->scenarios[2]->solution1->data[2], 0.0);
    EXPECT_EQ(set->scenarios[2]->solution2->data[0], 250.0);
    EXPECT_EQ(set->scenarios[2]->solution2->data[1], -1.25);

    fs::remove("scenario3.lst");
    set->scenarios[0]->solution1->data[0] = -1;
    try {
        set->loadAllScenarioSolutionsFromLSTFiles();
        ADD_FAILURE() << "a missing listing was not reported";
    } catch (const FileNotExists& e) {
        EXPECT_STREQ(e.fileName, "scenario3.lst");
    }
    EXPECT_EQ(set->scenarios[0]->solution1->data[0], 170.0);  // the scenarios before it were read
}

TEST_F(LoadingAllListings, AnInfeasibleScenarioStopsTheRunEvenWithoutSolution) {
    write("scenario2.lst", readFile(kOwnData + "/bundled-infeasible-no-solution.lst"));
    EXPECT_EXIT(
        {
            dup2(2, 1);
            set->loadAllScenarioSolutionsFromLSTFiles();
        },
        testing::ExitedWithCode(1), "^ !!! Infeasible solution in scenario 2\\.\n$");
}

}  // namespace
