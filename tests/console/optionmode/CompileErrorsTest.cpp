// A model that does not compile, traced back to the template: the listing's
// $nnn markers (bundled-solver and GAMS layouts) and the line and column in
// the template behind a line of the generated model.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "CompileErrors.h"
#include "PreviousRecords.h"
#include "ScratchDirectory.h"

namespace {

void writeFile(const std::string& name, const std::string& text) { std::ofstream(name) << text; }

TEST(CompileErrors, MarkersOfBothListingLayoutsGiveLineColumnAndText) {
    ScratchDirectory scratch("compile-errors");
    // The bundled solver explains each error under its marker, continued on a second line.
    writeFile("inline.lst",
              "   1  Set i /1*2/;\n"
              "  14  short2.. yy('2') =g= d2 - x('2');\n"
              "****            $140\n"
              "**** 140  Unknown symbol 'yy' (neither declared nor a function this solver\n"
              "****         supports)\n"
              "\n"
              "**** 1 ERROR(S)   0 WARNING(S)\n");
    std::vector<CompileError> errors = listingCompileErrors("inline.lst");
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0].modelLine, 14);
    EXPECT_EQ(errors[0].column, 11);
    EXPECT_EQ(errors[0].code, 140);
    EXPECT_EQ(errors[0].sourceLine, "short2.. yy('2') =g= d2 - x('2');");
    EXPECT_EQ(errors[0].text, "Unknown symbol 'yy' (neither declared nor a function this solver supports)");

    // GAMS: two codes on one marker line, their texts in the closing "Error Messages".
    writeFile("gams.lst",
              "  10  obj.. z =e= sum(k, c(k)*x(k));\n"
              "****                    $120     $149\n"
              "\n"
              "Error Messages\n"
              "\n"
              "120  Unknown identifier entered as set\n"
              "149  Uncontrolled set entered as constant\n");
    errors = listingCompileErrors("gams.lst");
    ASSERT_EQ(errors.size(), 2u);
    EXPECT_EQ(errors[0].column, 24 - 6 + 1);  // the $ at index 24, the text from index 6
    EXPECT_EQ(errors[1].code, 149);
    EXPECT_EQ(errors[0].text, "Unknown identifier entered as set");
    EXPECT_EQ(errors[1].text, "Uncontrolled set entered as constant");
    EXPECT_TRUE(listingCompileErrors("absent.lst").empty());
}

TEST(CompileErrors, ModelLinesMapToTheTemplateAroundAddedLinesAndCodes) {
    const std::vector<std::string> tpl = {"Scalar d / @0 /;", "x.lo = @200 ;", "", "Solve m using lp minimizing z;",
                                          "display z.l;"};
    const std::vector<std::string> model = {"Scalar d / 150.25/;", "x.lo = 0;", "", "x.fx('1') = 3;",
                                            "Solve m using lp minimizing z;", "put 'x 1 ' x.l('1') /;", "",
                                            "display z.l;"};
    const std::vector<long> origin = templateLineOfModelLines(tpl, model);
    EXPECT_EQ(origin, (std::vector<long>{0, 1, 2, -1, 3, -1, -1, 4}));
    // Columns after a code shift back by the length of its value; inside the value, the code's column.
    EXPECT_EQ(templateColumn(tpl[0], model[0], 18), 15);  // the '/' after the value
    EXPECT_EQ(templateColumn(tpl[0], model[0], 13), 12);  // inside "150.25": where @0 stands
    EXPECT_EQ(templateColumn(tpl[0], model[0], 3), 3);
}

TEST(PreviousRecords, EarlierRecordsGetTheFirstFreeNumber) {
    ScratchDirectory scratch("previous-records");
    EXPECT_EQ(numberedName("results.txt", 2), "results.2.txt");
    EXPECT_EQ(numberedName("out/run", 1), "out/run.1");
    EXPECT_EQ(numberedName("./run.json", 3), "./run.3.json");
    EXPECT_EQ(keepPreviousRecord("run.json"), "");
    writeFile("run.json", "first");
    writeFile("run.1.json", "older");
    EXPECT_EQ(keepPreviousRecord("run.json"), "run.2.json");
    std::ifstream kept("run.2.json");
    std::string text;
    std::getline(kept, text);
    EXPECT_EQ(text, "first");
}

}  // namespace
