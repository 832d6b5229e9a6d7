// Put files: GAMS's number formats, and values that survive the trip through a
// put file at the precision the format allows.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <unistd.h>

#include "Executor.h"
#include "Listing.h"
#include "Parser.h"
#include "PutFormat.h"
#include "SourceText.h"

using namespace gamsub;

namespace {

NumberFormat format(int width, int decimals, int style = 1, double zeroTolerance = 0.0) {
    NumberFormat f;
    f.width = width;
    f.decimals = decimals;
    f.style = style;
    f.zeroTolerance = zeroTolerance;
    return f;
}

// Compiles and runs `text`; returns the listing's execution part, compilation errors first.
std::string runProgram(const std::string& text) {
    CompileErrors errors;
    SourceText source = prepareSource(text, errors);
    SymbolTable symbols;
    std::vector<Statement> program = Parser(source, symbols, errors).parse();
    std::string out;
    for (const CompileError& e : errors.all()) out += std::to_string(e.line) + ": " + e.message + "\n";
    if (!errors.empty()) return out;
    std::ostringstream lst;
    Listing listing(lst, "");
    execute(program, symbols, listing, nullptr);
    return lst.str();
}

std::string readFile(const std::string& path) {
    std::ostringstream ss;
    ss << std::ifstream(path).rdbuf();
    return ss.str();
}

std::string scratchFile(const std::string& name) {
    return (::testing::TempDir().empty() ? std::string("/tmp/") : ::testing::TempDir()) + "gamsub-put-" +
           std::to_string(getpid()) + "-" + name;
}

}  // namespace

// The layouts GAMS documents for put items: default width 12 with 2 decimals,
// E-format where a number does not fit, asterisks where nothing fits, width 0.
TEST(PutFormat, FieldsAsGamsWritesThem) {
    EXPECT_EQ(formatPutNumber(1.2356, format(12, 2)), "        1.24");
    EXPECT_EQ(formatPutNumber(1e-8, format(12, 2)), "        0.00");
    EXPECT_EQ(formatPutNumber(1e-8, format(12, 2, 2, 1e-5)), "    0.00E+00");  // below .nz
    EXPECT_EQ(formatPutNumber(1e9, format(12, 2)), "1.0000000E+9");
    EXPECT_EQ(formatPutNumber(1e9, format(0, 2)), "1000000000.00");
    EXPECT_EQ(formatPutNumber(1e9, format(4, 2)), "****");
    EXPECT_EQ(formatPutNumber(1.2356, format(0, 0)), "1");
    EXPECT_EQ(formatPutNumber(-2.5, format(0, 3)), "-2.500");
    EXPECT_EQ(formatPutNumber(1.2, format(12, 2, 2)), "    1.20E+00");
    EXPECT_EQ(formatPutNumber(1.2345e-7, format(12, 2, 2)), "    1.23E-07");
    EXPECT_EQ(formatPutNumber(1.2, format(12, 2, 3)), "1.2000000000");
    EXPECT_EQ(formatPutNumber(1.2345e-7, format(12, 2, 4)), "   1.2345E-7");
    EXPECT_EQ(formatPutNumber(INFINITY, format(0, 2)), "+INF");
    EXPECT_EQ(formatPutNumber(-INFINITY, format(6, 2)), "  -INF");
    EXPECT_EQ(formatPutNumber(1.0, format(0, 40, 2)), "1.000000000000000E+00");  // at most 15 decimals
    NumberFormat left = format(6, 1);
    left.justify = Justify::Left;
    EXPECT_EQ(formatPutNumber(2.0, left), "2.0   ");
    EXPECT_EQ(fitText("abcdef", 3, Justify::Left), "abc");
    EXPECT_EQ(fitText("ab", 6, Justify::Centre), "  ab  ");
}

// Written with nr = 2, nd = 15, nz = 0, a value comes back within half a unit
// of the 16th significant digit, whatever its magnitude.
TEST(PutFormat, ValuesRoundTripAtFullPrecision) {
    const double values[] = {1.0 / 3, -170.000000000001, 1e-300, 0.0, 170.123456789012, -2.5e17, 6.02214076e23,
                             4.9e-324, 1.5e308};
    for (double v : values) {
        std::string s = formatPutNumber(v, format(0, 15, 2, 0));
        double back = std::strtod(s.c_str(), nullptr);
        EXPECT_LE(std::fabs(back - v), 5e-16 * std::fabs(v)) << s;
    }
}

TEST(PutStatements, WriteFilesWithAttributesItemsAndLoops) {
    std::string path = scratchFile("items.txt");
    // An older, longer file there is written over in place: nothing of it may remain.
    std::ofstream(path) << std::string(1, '\0') << std::string(5000, 'o') << "\nold tail\n";
    std::string out = runProgram(
        "Set i 'items' / a 'first', bb /;\n"
        "Parameter p(i) / a 1.5, bb -2 /;\n"
        "File f 'report' / '" + path + "' /, g;\n"
        "f.nd = 1; f.nw = 6;\n"
        "put f 'start' /;\n"
        "loop(i, put i.tl p(i) ' ' i.te(i) /);\n"
        "put p('a'):0:3 '|' p('bb'):<8:0 '|' 'xy':4 '|' 'long text':3 '|' (p('a') * 2) /;\n"
        "put @4 'col4' /;\n"
        "f.nr = 2; f.nw = 0; f.nd = 3;\n"
        "put (1/3) /;\n"
        "putclose f;\n"
        "put f 'appended after putclose' /;\n");
    EXPECT_EQ(out.find("Error"), std::string::npos) << out;
    EXPECT_EQ(readFile(path),
              "start\n"
              "a              1.5 first\n"
              "bb            -2.0 \n"
              "1.500|-2      |xy  |lon|   3.0\n"
              "   col4\n"
              "3.333E-01\n"
              "appended after putclose\n");
    std::remove(path.c_str());

    std::string noFile = runProgram("Scalar s / 1 /;\nput s;\n");
    EXPECT_NE(noFile.find("Exec Error at line 2: No put file selected"), std::string::npos) << noFile;
    std::string unwritable = runProgram("File f / '/nonexistent-dir/x.put' /;\nput f 'x';\n");
    EXPECT_NE(unwritable.find("Could not open the put file /nonexistent-dir/x.put"), std::string::npos) << unwritable;
}

// What a model may ask of the system: the solver that runs a model type here
// (system.lp in put, %system.mip% at compile time, %gams.rmip% empty unless the
// command line chose one); a type whose solver depends on the model is refused.
// An execute statement compiles but stops the run when reached.
TEST(PutStatements, SystemSolverNamesAndExecute) {
    std::string path = scratchFile("system.txt");
    std::string out = runProgram(
        "File f / '" + path + "' /;\n"
        "put f 'RMIP = ' system.rmip ', MIP = %system.mip%, chosen = [%gams.rmip%]' /;\n"
        "putclose f;\n"
        "if(0, execute 'rm -rf /nothing');\n");
    EXPECT_EQ(out.find("Error"), std::string::npos) << out;
    EXPECT_EQ(readFile(path), "RMIP = CLP, MIP = CBC, chosen = []\n");
    std::remove(path.c_str());

    EXPECT_NE(runProgram("$set s %system.nlp%\n").find("%system.nlp% is not known"), std::string::npos);
    EXPECT_NE(runProgram("File f / '" + path + "' /;\nput f system.nlp;\n").find("only system.lp, system.rmip and system.mip"),
              std::string::npos);
    std::string reached = runProgram("Scalar s / 1 /;\nexecute 'echo hi'\ndisplay s;\n");
    EXPECT_NE(reached.find("Exec Error at line 2: the execute statement (running 'echo hi') is not supported"),
              std::string::npos)
        << reached;
    std::remove(path.c_str());
}
