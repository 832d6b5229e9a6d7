#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "Exceptions.h"
#include "GAMSInOut.h"
#include "ScratchDirectory.h"

namespace {

// Each case runs in a fresh working directory, where the path file is looked for.
class HedgingDriver : public ::testing::Test {
protected:
    ScratchDirectory scratch{"hedging-driver"};
    std::unique_ptr<SCENARIOS> set{scenarioSetFrom("1 2 3\n", 1, 1)};
    char templet[16] = "farmer.gms";

    std::string pathRead(const std::string& file) {
        writeFile("pathGAMS.txt", file);
        return PHA(set.get(), templet, 0, 1).pathGams;
    }
};

TEST_F(HedgingDriver, KeepsTheFirstPathLineExactlyAndCopiesTheParameters) {
    writeFile("pathGAMS.txt", "/opt/gams\n/second/line\n");
    set->rho = 99.0;
    PHA pha(set.get(), templet, 1e-4, 2.5);
    std::strcpy(templet, "other.gms");  // the object keeps its own copy
    EXPECT_STREQ(pha.templet, "farmer.gms");
    EXPECT_STREQ(pha.pathGams, "/opt/gams\n");
    EXPECT_TRUE(pha.S == set.get() && pha.eps == 1e-4 && pha.rho == 2.5);
    EXPECT_EQ(set->rho, 2.5);

    EXPECT_EQ(pathRead("C:\\GAMS\\win64\r\nnext\n"), "C:\\GAMS\\win64\r\n");
    const std::string longPath = "/" + std::string(250, 'g') + "\n";
    EXPECT_EQ(pathRead(longPath), longPath);
    EXPECT_EQ(pathRead("/usr/gams"), "/usr/gams");  // no final line feed: nothing is lost
}

TEST_F(HedgingDriver, MissingOrEmptyPathFileIsRefused) {
    try {
        PHA pha(set.get(), templet, 0, 1);
        ADD_FAILURE() << "a missing path file was accepted";
    } catch (const FileNotExists& e) {
        EXPECT_STREQ(e.fileName, "pathGAMS.txt");
    }
    try {
        pathRead("");
        ADD_FAILURE() << "an empty path file was accepted";
    } catch (const GeneralException& e) {
        EXPECT_STREQ(e.message, "The path for the GAMS is not in a proper format. Check the file 'pathGAMS.txt'");
    }
}

}  // namespace
