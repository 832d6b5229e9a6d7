// The listing readers on the project's own listings (tests/fixtures/listings),
// written in the layouts GAMS uses: the old 10-column layout of GAMS 24, the
// wide layout of GAMS 45, Windows line ends, CONOPT's and CPLEX's ways of
// saying "infeasible", a solve without solution, a compilation error and a
// listing cut short.
#include <gtest/gtest.h>

#include <unistd.h>

#include <memory>
#include <string>

#include "Exceptions.h"
#include "GAMSInOut.h"
#include "ScratchDirectory.h"

namespace {

const std::string kFixtures = std::string(PHA_OWN_FIXTURES_DIR) + "/";

std::vector<double> values(const VECTOR& v) { return std::vector<double>(v.data, v.data + v.size); }

class ListingFixtures : public ::testing::Test {
protected:
    ScratchDirectory scratch{"listing-fixtures"};
    std::unique_ptr<SCENARIOS> set{scenarioSetFrom("0.5 1\n0.5 2\n", 3, 2)};

    void read(const std::string& fixture, const char* variable, VECTOR& v) {
        std::string file = kFixtures + fixture, name = variable;
        SCENARIOS::readVectorDataFromLSTFile(&file[0], &name[0], v);
    }
    // Both scenarios' listings, then the whole load as the iteration does it.
    void loadWith(const std::string& first, const std::string& second) {
        writeFile("scenario1.lst", first);
        writeFile("scenario2.lst", second);
        set->loadAllScenarioSolutionsFromLSTFiles();
    }
    std::string loadRefusal(const std::string& first, const std::string& second) {
        try {
            loadWith(first, second);
        } catch (const GeneralException& e) {
            return e.message;
        }
        return "";
    }
};
using ListingFixturesDeathTest = ListingFixtures;

TEST_F(ListingFixtures, BothLayoutsAndWindowsLineEnds) {
    VECTOR x(3), y(2);
    read("gams24-qcp-optimal.lst", "x", x);
    read("gams24-qcp-optimal.lst", "y", y);
    EXPECT_EQ(values(x), (std::vector<double>{170, 80, 250}));
    EXPECT_EQ(values(y), (std::vector<double>{0, 1.0893e-8}));
    read("gams45-lp-optimal.lst", "x", x);
    read("gams45-lp-optimal.lst", "y", y);
    EXPECT_EQ(values(x), (std::vector<double>{50, 300, 0}));
    EXPECT_EQ(values(y), (std::vector<double>{275, 12.5}));
    read("gams24-conopt-infeasible-crlf.lst", "x", x);  // the INFES flag after a row is no part of it
    EXPECT_EQ(values(x), (std::vector<double>{100, 0, 3.25}));
}

TEST_F(ListingFixturesDeathTest, InfeasibleSolvesStopWithStatusOne) {
    const std::string optimal = readFile(kFixtures + "gams24-qcp-optimal.lst");
    for (const char* fixture : {"gams24-conopt-infeasible-crlf.lst",    // " ** Infeasible solution.", status 5
                                "gams45-cplex-infeasible-status4.lst",  // no "**" line, status 4
                                "gams45-no-solution-status19.lst"}) {   // status 19 and no tables at all
        const std::string infeasible = readFile(kFixtures + fixture);
        EXPECT_EXIT({ dup2(2, 1); loadWith(optimal, infeasible); }, testing::ExitedWithCode(1),
                    "^ !!! Infeasible solution in scenario 2\\.\n$")
            << fixture;
    }
    loadWith(optimal, readFile(kFixtures + "gams45-lp-optimal.lst"));
    EXPECT_EQ(values(*set->scenarios[1]->solution1), (std::vector<double>{50, 300, 0}));
}

TEST_F(ListingFixtures, IncompleteListingsAndNumbersThatAreNotFiniteAreRefused) {
    const std::string optimal = readFile(kFixtures + "gams24-qcp-optimal.lst");
    loadWith(optimal, optimal);
    EXPECT_EQ(loadRefusal(optimal, readFile(kFixtures + "gams45-compile-error.lst")),
              " > ERROR! The listing 'scenario2.lst' is not complete: it has no SOLVE SUMMARY: the model was not "
              "solved, or the listing was cut short.");
    EXPECT_EQ(loadRefusal(optimal, readFile(kFixtures + "gams24-cut-short.lst")),
              " > ERROR! The listing 'scenario2.lst' is not complete: it has no REPORT SUMMARY after its variables: "
              "the listing was cut short.");
    for (const char* level : {"nan", "-inf", "1e999", "+INF"}) {
        std::string broken = optimal;
        broken.replace(broken.find("   80.000"), 9, std::string(9 - std::string(level).size(), ' ') + level);
        std::string message = loadRefusal(optimal, broken);
        EXPECT_NE(message.find("'x' in the file 'scenario2.lst', line 53:"), std::string::npos) << message;
        EXPECT_NE(message.find("Its LEVEL value '" + std::string(level) + "' is not a finite number."),
                  std::string::npos)
            << message;
    }
    // Nothing of a refused listing was taken.
    EXPECT_EQ(values(*set->scenarios[1]->solution1), (std::vector<double>{170, 80, 250}));
}

}  // namespace
