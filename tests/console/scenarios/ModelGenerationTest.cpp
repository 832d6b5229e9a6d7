#include <gtest/gtest.h>

#include <memory>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "Exceptions.h"
#include "GAMSInOut.h"
#include "ScratchDirectory.h"
#include "TemplateCodes.h"

namespace {

namespace fs = std::filesystem;

// Each case runs in a fresh working directory, where the scenario models are written.
class ModelGeneration : public ::testing::Test {
protected:
    ScratchDirectory scratch{"model-generation"};
    std::unique_ptr<SCENARIOS> set;
    char templet[16] = "model.tpl";

    void SetUp() override {
        makeSet("0.5 1 2\n0.5 10 2.5\n");  // scenario 2 carries the worked example's data
        set->scenarios[1]->weights1->data[0] = 0.5;
        set->scenarios[1]->weights2->data[0] = -0.25;
        set->averageSolution1->data[0] = 3;
        set->averageSolution2[1]->data[0] = 7.125;
        set->rho = 1.5;
    }
    void makeSet(const std::string& settings) { set.reset(scenarioSetFrom(settings, 1, 1)); }
    static std::string read(const std::string& name) { return readFile(name); }
    // Generates the models from `templateText` and returns the console output.
    std::string generate(const std::string& templateText) {
        std::ofstream(templet, std::ios::binary) << templateText;
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
    const std::string wide(300, 'L');
    std::string console = generate(
        "obj.. z =e= @0 *x('1') + (@100 )*x('1') + (@101 )*y('1') + 0.5*@300 *sqr(x('1') - @200 ) + @1 *y('1');\n"
        "* scenario @400 : second-stage average @201\n"
        "p = @0;\np = @0 ;\nc = @1@0 ;\nv = @+1 + @01 + @abc ;\nq = @1\nw = (@101 )\nt = @0\tx;\n\n"
        "crlf kept\r\ncrlf code @0\r\n" + wide + " @1 " + wide + "\nlast @400");
    EXPECT_EQ(read("scenario2.gms"),
              "obj.. z =e= 10.000*x('1') + (0.500)*x('1') + (-0.250)*y('1') + 0.5*1.500*sqr(x('1') - 3.000) + "
              "2.500*y('1');\n* scenario 2: second-stage average 7.125\n"
              "p = 10.000\np = 10.000;\nc = 2.500;\nv = 2.500+ 2.500+ 10.000;\nq = 2.500\nw = (-0.250)\nt = 10.000\n\n"
              "crlf kept\r\ncrlf code 10.000\n" + wide + " 2.500" + wide + "\nlast 2\n");
    EXPECT_EQ(read("scenario1.gms").substr(0, 40), "obj.. z =e= 1.000*x('1') + (0.000)*x('1'");
    EXPECT_EQ(console,
              "> GAMS source file 'scenario1.gms' with scenario 1 has been created.\n"
              "> GAMS source file 'scenario2.gms' with scenario 2 has been created.\n\n");

    set->scenarios[0]->data[0] = 2.0005;
    set->scenarios[0]->data[1] = -1e20;  // wider than any fixed field: written whole
    generate("@0 @1\n");
    EXPECT_EQ(read("scenario1.gms"), "2.001-100000000000000000000.000\n");
}

TEST_F(ModelGeneration, ScenarioNumbersAndEmptyTemplates) {
    std::string settings;
    for (int k = 1; k <= 12; k++) settings += "0.0833 1\n";
    makeSet(settings);
    generate("k = @400 ;\n");
    EXPECT_EQ(read("scenario12.gms"), "k = 12;\n");
    std::string console = generate("");
    for (int k = 1; k <= 12; k++) {
        std::string name = "scenario" + std::to_string(k) + ".gms";
        EXPECT_TRUE(fs::exists(name) && read(name).empty()) << name;
        EXPECT_NE(console.find("'" + name + "' with scenario " + std::to_string(k) + " has"), std::string::npos);
    }
}

TEST_F(ModelGeneration, RefusesCodesWithoutValueBeforeWritingAnyModel) {
    // Scenarios have 2 parameters, 1 first-stage and 1 second-stage variable.
    const char* cases[][2] = {{"@301 ;", "@301"}, {"@401", "@401"}, {"@-1 ;", "@-1"},   {"@ 1;", "@"},
                              {"1 @", "@"},       {"@2 ;", "@2"},   {"@102 ;", "@102"}, {"@202;", "@202;"},
                              {"@99999999999999999999 ;", "@99999999999999999999"}};
    for (const auto& c : cases) {
        try {
            generate(std::string("* fine @0 line\nx = ") + c[0] + "\n");
            ADD_FAILURE() << "accepted: " << c[0];
        } catch (const GeneralException& e) {
            std::string message = e.message;
            EXPECT_EQ(message.rfind(" > ERROR! ", 0), 0u) << message;
            EXPECT_NE(message.find(std::string("The code '") + c[1] + "' in line 2 of the file 'model.tpl'"),
                      std::string::npos) << message;
        }
        EXPECT_FALSE(fs::exists("scenario1.gms")) << c[0];
    }
    char missing[] = "absent.tpl";
    try {
        set->makeGAMSSourceFiles(missing);
        ADD_FAILURE() << "a missing template was accepted";
    } catch (const FileNotExists& e) {
        EXPECT_STREQ(e.fileName, "absent.tpl");
    }
}

}  // namespace

// The option mode's default: values read back as the same doubles, however small or long.
TEST(FullPrecisionCodes, ValuesReadBackUnchanged) {
    ScratchDirectory scratch{"full-precision-codes"};
    std::unique_ptr<SCENARIOS> set(scenarioSetFrom("1 0.00049 0.1 -1e-300 123456789.123456789\n", 1, 1));
    CodeStyle full;
    full.digits = -1;
    full.strict = true;
    TemplatePlace place{"model.tpl", 1};
    const std::string line = expandTemplateLine("p = @0 ; q = @1 ; r = @2 ; s = @3 ;", *set, 0, place, full);
    double values[4] = {0, 0, 0, 0};
    ASSERT_EQ(std::sscanf(line.c_str(), "p = %lf; q = %lf; r = %lf; s = %lf;", &values[0], &values[1], &values[2],
                          &values[3]), 4) << line;
    for (int j = 0; j < 4; j++) EXPECT_EQ(values[j], set->scenarios[0]->data[j]) << line;
    // Three decimals, the dialogue's way, lose the first and the third.
    EXPECT_EQ(expandTemplateLine("@0 @2", *set, 0, place), "0.000-0.000");
}
