#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "Exceptions.h"
#include "GAMSInOut.h"

namespace {

namespace fs = std::filesystem;

// Runs each case in a fresh working directory, since the path file is named relative to it.
class HedgingDriver : public ::testing::Test {
protected:
    fs::path previous;
    fs::path dir;
    SCENARIOS* set = nullptr;

    void SetUp() override {
        previous = fs::current_path();
        char name[] = "/tmp/hedging-driver-XXXXXX";
        ASSERT_NE(mkdtemp(name), nullptr);
        dir = name;
        fs::current_path(dir);
        write("settings.txt", "1 2 3\n");
        char settings[] = "settings.txt";
        set = new SCENARIOS(settings, 1, 1);
    }
    void TearDown() override {
        delete set;
        fs::current_path(previous);
        fs::remove_all(dir);
    }
    static void write(const char* name, const std::string& text) { std::ofstream(name, std::ios::binary) << text; }
};

TEST_F(HedgingDriver, KeepsTheFirstPathLineExactlyAndCopiesTheParameters) {
    write("pathGAMS.txt", "/opt/gams\n/second/line\n");
    set->rho = 99.0;
    char templet[] = "farmer.gms";
    PHA pha(set, templet, 1e-4, 2.5);
    std::strcpy(templet, "other.gms");  // the object keeps its own copy
    EXPECT_STREQ(pha.templet, "farmer.gms");
    EXPECT_STREQ(pha.pathGams, "/opt/gams\n");
    EXPECT_EQ(pha.S, set);
    EXPECT_EQ(pha.eps, 1e-4);
    EXPECT_EQ(pha.rho, 2.5);
    EXPECT_EQ(set->rho, 2.5);
}

TEST_F(HedgingDriver, ReadsPathLinesOfAnyLengthAndEnding) {
    char templet[] = "t.gms";
    write("pathGAMS.txt", "C:\\GAMS\\win64\r\nnext\n");
    EXPECT_STREQ(PHA(set, templet, 0, 1).pathGams, "C:\\GAMS\\win64\r\n");
    const std::string longPath = "/" + std::string(250, 'g');
    write("pathGAMS.txt", longPath + "\n");
    EXPECT_EQ(std::string(PHA(set, templet, 0, 1).pathGams), longPath + "\n");
    write("pathGAMS.txt", "/usr/gams");  // no final line feed: nothing is lost
    EXPECT_STREQ(PHA(set, templet, 0, 1).pathGams, "/usr/gams");
}

TEST_F(HedgingDriver, MissingOrEmptyPathFileIsRefused) {
    char templet[] = "t.gms";
    try {
        PHA pha(set, templet, 0, 1);
        ADD_FAILURE() << "a missing path file was accepted";
    } catch (const FileNotExists& e) {
        EXPECT_STREQ(e.fileName, "pathGAMS.txt");
    }
    write("pathGAMS.txt", "");
    try {
        PHA pha(set, templet, 0, 1);
        ADD_FAILURE() << "an empty path file was accepted";
    } catch (const GeneralException& e) {
        EXPECT_STREQ(e.message, "The path for the GAMS is not in a proper format. Check the file 'pathGAMS.txt'");
    }
}

}  // namespace
