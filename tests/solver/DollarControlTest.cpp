// Dollar control: compile-time variables, conditions, $eval, $include relative
// to the including file, in-line comments, and the line GAMS's CONVERT writes.
#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>
#include <sstream>

#include "DollarControl.h"
#include "Executor.h"
#include "Listing.h"
#include "Parser.h"
#include "SourceText.h"

using namespace gamsub;

namespace {

std::string errorText(const CompileErrors& errors) {
    std::string s;
    for (const CompileError& e : errors.all()) s += std::to_string(e.line) + ": " + e.message + "\n";
    return s;
}

// Compiles and runs `text`; returns the value of each named scalar.
std::map<std::string, double> scalars(const std::string& text, const std::vector<std::string>& names,
                                      const SourceSettings& settings = SourceSettings()) {
    CompileErrors errors;
    SourceText source = prepareSource(text, errors, settings);
    SymbolTable st;
    std::vector<Statement> program = Parser(source, st, errors).parse();
    EXPECT_TRUE(errors.empty()) << errorText(errors);
    std::ostringstream out;
    Listing listing(out, "");
    execute(program, st, listing, nullptr);
    std::map<std::string, double> values;
    for (const std::string& n : names) {
        int sym = st.find(n);
        if (sym < 0) continue;
        const auto& v = st.symbols[static_cast<size_t>(sym)].values;
        values[n] = v.count(Tuple{}) ? v.at(Tuple{}) : 0.0;
    }
    return values;
}

}  // namespace

TEST(DollarControl, VariablesConditionsAndEval) {
    SourceSettings settings;
    settings.variables["given"] = "4";
    auto v = scalars(
        "$set n 3\n"
        "$setglobal Label 'two words'\n"
        "$if not set n $set n 99\n"
        "$if set undefined $set n 98\n"
        "$eval m %n% * 2 + max(1, 5)\n"
        "$ifi '%label%' == 'TWO WORDS' $set same 1\n"
        "$if '%label%' == 'TWO WORDS' $set same 0\n"
        "$if NOT '%gams.u1%' == '' $include '%gams.u1%'\n"
        "Scalars a / %n% /, b / %m% /, c / %same% /, d / %given% /, e, f, g;\n"
        "$ifthen.one %n% == 4\n"
        "e = 1;\n"
        "$elseif %n% == 3\n"
        "e = 2;\n"
        "$  ifthen set nothing\n"
        "e = 5;\n"
        "$  endif\n"
        "$else\n"
        "e = 3;\n"
        "$endif.one\n"
        "$if set n f = 7;\n"
        "$inlinecom {{ }}\n"
        "g = 1 {{ + 100 }} + 2;\n"
        "$drop n\n"
        "$if not set n g = g + 10;\n"
        "$exit\n"
        "g = 1000;\n",
        {"a", "b", "c", "d", "e", "f", "g"}, settings);
    EXPECT_EQ(v["a"], 3);
    EXPECT_EQ(v["b"], 11);
    EXPECT_EQ(v["c"], 1);  // case-insensitive only with $ifi
    EXPECT_EQ(v["d"], 4);
    EXPECT_EQ(v["e"], 2);
    EXPECT_EQ(v["f"], 7);
    EXPECT_EQ(v["g"], 13);

    std::string value;
    double x = 0;
    EXPECT_FALSE(evaluateConstant("1 / 0", x, value));
    EXPECT_TRUE(evaluateConstant("-2 ** 2 + 0.5", x, value));
    EXPECT_EQ(evalText(x), "4.5");  // the sign binds tighter, as written
}

TEST(DollarControl, IncludesRelativeToTheIncludingFile) {
    std::string dir = ::testing::TempDir() + "gamsub-include-" + std::to_string(getpid());
    ASSERT_EQ(std::system(("mkdir -p " + dir + "/data").c_str()), 0);
    std::ofstream(dir + "/data/sets.gms") << "Set i / a, b, c /;\n$include more\n";
    std::ofstream(dir + "/data/more.gms") << "Scalar k / 5 /;\n";
    std::ofstream(dir + "/self.gms") << "$include self.gms\n";
    SourceSettings settings;
    settings.directory = dir;
    auto v = scalars("$include data/sets.gms\nScalar n; n = card(i) + k;\n", {"n"}, settings);
    EXPECT_EQ(v["n"], 8);

    CompileErrors errors;
    SourceText looped = prepareSource("$include self\n", errors, settings);
    ASSERT_FALSE(errors.empty());
    EXPECT_NE(errors.all()[0].message.find("nested more than 40 deep"), std::string::npos);
    CompileErrors missing;
    prepareSource("Scalar s;\n$include nowhere.gms\n", missing, settings);
    ASSERT_EQ(missing.count(), 1u);
    EXPECT_EQ(missing.all()[0].line, 2);
    CompileErrors unknown;
    prepareSource("$onecho\n$ifthen set x\n", unknown);
    ASSERT_EQ(unknown.count(), 2u) << errorText(unknown);
    EXPECT_NE(unknown.all()[0].message.find("$onecho needs '> FILE'"), std::string::npos);
    EXPECT_NE(unknown.all()[1].message.find("without a matching $endif"), std::string::npos);
    (void)std::system(("rm -rf " + dir).c_str());
}

// card() in $ifE and $eval counts the data statements seen so far, never the
// assignments (they have not run at compile time); comparisons and logic give 1 or 0.
TEST(DollarControl, CompileTimeCardAndComparisons) {
    auto v = scalars(
        "Set i / a, b, c /;\n"
        "Alias (i, k);\n"
        "i('d') = yes;\n"
        "$eval n card(k) * 2\n"
        "$ifE (card(i) > 2 and not card(i) >= 4) $set small 1\n"
        "$ifE card(i)+1 == 4 $set four 1\n"
        "$ifE card(i)>8 $set big 1\n"
        "Scalars n / %n% /, small, four, big;\n"
        "$if set small small = 1;\n"
        "$if set four four = 1;\n"
        "$if set big big = 1;\n",
        {"n", "small", "four", "big"});
    EXPECT_EQ(v["n"], 6);
    EXPECT_EQ(v["small"], 1);
    EXPECT_EQ(v["four"], 1);
    EXPECT_EQ(v["big"], 0);

    // A branch not taken is not substituted: an unknown setting there is no error.
    CompileErrors skipped;
    prepareSource("$ifthen set nothing\n$include %gams.unknownthing%\n$else\n$set ext %gams.scrext%\n$endif\n", skipped);
    EXPECT_TRUE(skipped.empty()) << errorText(skipped);

    CompileErrors errors;
    prepareSource("Set i / a /;\n$ifE card(j)>1 $exit\n", errors);
    ASSERT_EQ(errors.count(), 1u);
    EXPECT_EQ(errors.all()[0].line, 2);
    EXPECT_NE(errors.all()[0].message.find("'j' is not a set declared before this line"), std::string::npos)
        << errorText(errors);
}

// $macro: a call is replaced by the body with the arguments put in, as text (no
// parentheses added), calls inside the expansion expand too; what is not
// implemented is refused at the definition or the call.
TEST(DollarControl, Macros) {
    auto v = scalars(
        "$set f sqr(t) + 1\n"
        "$macro f(t) %f%\n"
        "$macro twice(a,b) 2*a + f(b)\n"
        "Scalars x / 3 /, y, z, w;\n"
        "y = f(x);\n"
        "z = twice(x, (x-1)) - 1;\n"
        "w = 10 - f(x);\n",  // no parentheses around the body: 10 - 9 + 1
        {"y", "z", "w"});
    EXPECT_EQ(v["y"], 10);
    EXPECT_EQ(v["z"], 6 + 5 - 1);
    EXPECT_EQ(v["w"], 2);

    for (const char* bad : {"$macro m(a) a&x\n", "$macro m(a) sum(j.local, a)\n", "$macro m(a) a + \\\n"}) {
        CompileErrors errors;
        prepareSource(bad, errors);
        EXPECT_EQ(errors.count(), 1u) << bad;
    }
    CompileErrors call;
    prepareSource("$macro m(a,b) a+b\nScalar s; s = m(1);\ns = m\n(1,2);\n", call);
    ASSERT_EQ(call.count(), 2u) << errorText(call);
    EXPECT_NE(call.all()[0].message.find("takes 2 argument(s), given 1"), std::string::npos);
    EXPECT_NE(call.all()[1].message.find("needs its arguments in parentheses on the same line"), std::string::npos);
}
