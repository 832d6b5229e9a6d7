#include <gtest/gtest.h>

#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "Exceptions.h"
#include "GAMSInOut.h"

namespace {

namespace fs = std::filesystem;

// Each case runs in a fresh working directory, where the path file is looked for.
class HedgingDriver : public ::testing::Test {
protected:
    fs::path previous = fs::current_path(), dir;
    SCENARIOS* set = nullptr;
    char templet[16] = "farmer.gms";

    void SetUp() override {
        char name[] = "/tmp/hedging-driver-XXXXXX";
        ASSERT_NE(mkdtemp(name), nullptr);
        fs::current_path(dir = name);
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
    std::string pathRead(const std::string& file) {
        write("pathGAMS.txt", file);
        return PHA(set, templet, 0, 1).pathGams;
    }
};

TEST_F(HedgingDriver, KeepsTheFirstPathLineExactlyAndCopiesTheParameters) {
    write("pathGAMS.txt", "/opt/gams\n/second/line\n");
    set->rho = 99.0;
    PHA pha(set, templet, 1e-4, 2.5);
    std::strcpy(templet, "other.gms");  // the object keeps its own copy
    EXPECT_STREQ(pha.templet, "farmer.gms");
    EXPECT_STREQ(pha.pathGams, "/opt/gams\n");
    EXPECT_TRUE(pha.S == set && pha.eps == 1e-4 && pha.rho == 2.5);
    EXPECT_EQ(set->rho, 2.5);

    EXPECT_EQ(pathRead("C:\\GAMS\\win64\r\nnext\n"), "C:\\GAMS\\win64\r\n");
    const std::string longPath = "/" + std::string(250, 'g') + "\n";
    EXPECT_EQ(pathRead(longPath), longPath);
    EXPECT_EQ(pathRead("/usr/gams"), "/usr/gams");  // no final line feed: nothing is lost
}

TEST_F(HedgingDriver, MissingOrEmptyPathFileIsRefused) {
    try {
        PHA pha(set, templet, 0, 1);
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
