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

// Each case runs in a fresh working directory, where the scenario models are written.
class ModelGeneration : public ::testing::Test {
protected:
    fs::path previous;
    fs::path dir;
    SCENARIOS* set = nullptr;
    char templet[16] = "model.tpl";

    void SetUp() override {
        previous = fs::current_path();
        char name[] = "/tmp/model-generation-XXXXXX";
        ASSERT_NE(mkdtemp(name), nullptr);
        dir = name;
        fs::current_path(dir);
        // Scenario 2 carries the data of the worked example.
        makeSet("0.5 1 2\n0.5 10 2.5\n");
        SCENARIO* s2 = set->scenarios[1];
        s2->weights1->data[0] = 0.5;
        s2->weights2->data[0] = -0.25;
        set->averageSolution1->data[0] = 3;
        set->averageSolution2[1]->data[0] = 7.125;
        set->rho = 1.5;
    }
    void TearDown() override {
        delete set;
        fs::current_path(previous);
        fs::remove_all(dir);
    }
    void makeSet(const std::string& settings) {
        delete set;
        write("settings.txt", settings);
        char file[] = "settings.txt";
        set = new SCENARIOS(file, 1, 1);
    }
    static void write(const char* name, const std::string& text) { std::ofstream(name, std::ios::binary) << text; }
    static std::string read(const char* name) {
        std::ifstream in(name, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }
    std::string generate(const std::string& templateText) {
        write(templet, templateText);
        testing::internal::CaptureStdout();
        try {
            set->makeGAMSSourceFiles(templet);
        } catch (...) {
            testing::internal::GetCapturedStdout();
            throw;
        }
        return testing::internal::GetCapturedStdout();
    }
};

TEST_F(ModelGeneration, SubstitutesEveryCodeWithItsDelimiterRules) {
    const std::string longText(300, 'L');
    std::string console = generate(
        "obj.. z =e= @0 *x('1') + (@100 )*x('1') + (@101 )*y('1') + 0.5*@300 *sqr(x('1') - @200 ) + @1 *y('1');\n"
        "* scenario @400 : second-stage average @201\n"
        "p = @0;\n"
        "p = @0 ;\n"
        "c = @1@0 ;\n"
        "v = @+1 + @01 + @abc ;\n"
        "q = @1\n"
        "w = (@101 )\n"
        "t = @0\tx;\n"
        "\n"
        "crlf kept\r\n"
        "crlf code @0\r\n" +
        longText + " @1 " + longText + "\n"
        "last @400");
    EXPECT_EQ(read("scenario2.gms"),
              "obj.. z =e= 10.000*x('1') + (0.500)*x('1') + (-0.250)*y('1') + 0.5*1.500*sqr(x('1') - 3.000) + "
              "2.500*y('1');\n"
              "* scenario 2: second-stage average 7.125\n"
              "p = 10.000\n"
              "p = 10.000;\n"
              "c = 2.500;\n"
              "v = 2.500+ 2.500+ 10.000;\n"
              "q = 2.500\n"
              "w = (-0.250)\n"
              "t = 10.000\n"
              "\n"
              "crlf kept\r\n"
              "crlf code 10.000\n" +
                  longText + " 2.500" + longText + "\n"
                  "last 2\n");
    // Scenario 1 gets its own values from the same template.
    EXPECT_EQ(read("scenario1.gms").substr(0, 40), "obj.. z =e= 1.000*x('1') + (0.000)*x('1'");
    EXPECT_EQ(console,
              "> GAMS source file 'scenario1.gms' with scenario 1 has been created.\n"
              "> GAMS source file 'scenario2.gms' with scenario 2 has been created.\n\n");
}

TEST_F(ModelGeneration, RoundsValuesAndWritesWideOnesWhole) {
    set->scenarios[0]->data[0] = 2.0005;
    set->scenarios[0]->data[1] = -1e20;
    set->scenarios[1]->data[0] = -0.0004;
    generate("@0 @1\n");
    EXPECT_EQ(read("scenario1.gms"), "2.001-100000000000000000000.000\n");
    EXPECT_EQ(read("scenario2.gms"), "-0.0002.500\n");
}

TEST_F(ModelGeneration, ScenarioNumbersAndEmptyTemplates) {
    std::string settings;
    for (int k = 1; k <= 12; k++) settings += "0.0833 1\n";
    makeSet(settings);
    generate("k = @400 ;\n");
    EXPECT_EQ(read("scenario12.gms"), "k = 12;\n");
    EXPECT_EQ(read("scenario9.gms"), "k = 9;\n");

    std::string console = generate("");
    for (int k = 1; k <= 12; k++) {
        std::string name = "scenario" + std::to_string(k) + ".gms";
        EXPECT_TRUE(fs::exists(name));
        EXPECT_EQ(read(name.c_str()), "");
        EXPECT_NE(console.find("'" + name + "' with scenario " + std::to_string(k) + " has"), std::string::npos);
    }
}

TEST_F(ModelGeneration, RefusesCodesWithoutValueNamingTheirPlace) {
    // Scenarios have 2 parameters, 1 first-stage and 1 second-stage variable.
    const struct {
        const char* line;
        const char* shown;
    } cases[] = {
        {"x = @301 ;", "'@301'"}, {"x = @401 ;", "'@401'"},     {"x = @-1 ;", "'@-1'"},
        {"x = @ 1;", "'@'"},      {"x = 1 @", "'@'"},           {"x = @2 ;", "'@2'"},
        {"x = @102 ;", "'@102'"}, {"x = @202;", "'@202;'"},     {"x = @99999999999999999999 ;", "'@99999999999999999999'"},
        {"x = @500\r", "'@500\\r'"},
    };
    for (const auto& c : cases) {
        try {
            generate(std::string("* fine @0 line\n") + c.line + "\n");
            ADD_FAILURE() << "accepted: " << c.line;
        } catch (const GeneralException& e) {
            std::string message = e.message;
            EXPECT_EQ(message.rfind(" > ERROR! ", 0), 0u) << message;
            EXPECT_NE(message.find(std::string("The code ") + c.shown + " in line 2 of the file 'model.tpl'"),
                      std::string::npos)
                << message;
        }
        // The refusal comes before any model is written.
        EXPECT_FALSE(fs::exists("scenario1.gms")) << c.line;
    }
}

TEST_F(ModelGeneration, MissingTemplateIsReportedByName) {
    char missing[] = "absent.tpl";
    try {
        set->makeGAMSSourceFiles(missing);
        ADD_FAILURE() << "a missing template was accepted";
    } catch (const FileNotExists& e) {
        EXPECT_STREQ(e.fileName, "absent.tpl");
    }
    EXPECT_FALSE(fs::exists("scenario1.gms"));
}

}  // namespace
