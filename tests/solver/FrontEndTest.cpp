// The language front end in process: data, tables, comments, expressions,
// error reporting, and robustness against broken input.
#include <gtest/gtest.h>

#include <map>
#include <sstream>

#include "Evaluator.h"
#include "Executor.h"
#include "Instantiate.h"
#include "ModelStatistics.h"
#include "Listing.h"
#include "ListingSource.h"
#include "Parser.h"
#include "SourceText.h"

using namespace gamsub;

namespace {

struct Compiled {
    SourceText source;
    SymbolTable symbols;
    CompileErrors errors;
    std::vector<Statement> program;
};

std::unique_ptr<Compiled> compile(const std::string& text) {
    auto c = std::make_unique<Compiled>();
    c->source = prepareSource(text, c->errors);
    c->program = Parser(c->source, c->symbols, c->errors).parse();
    return c;
}

// Compiles and runs a model without solves; returns the listing's execution part.
std::string run(Compiled& c) {
    std::ostringstream out;
    Listing listing(out, "");
    execute(c.program, c.symbols, listing, nullptr);
    return out.str();
}

double value(const Compiled& c, const std::string& param, const std::vector<std::string>& labels) {
    int sym = c.symbols.find(param);
    EXPECT_GE(sym, 0) << param;
    if (sym < 0) return NAN;
    Tuple t;
    for (const std::string& l : labels) t.push_back(c.symbols.labels.find(l));
    const auto& values = c.symbols.symbols[static_cast<size_t>(sym)].values;
    auto it = values.find(t);
    return it == values.end() ? 0.0 : it->second;
}

std::string errorsText(const Compiled& c) {
    std::string s;
    for (const CompileError& e : c.errors.all())
        s += std::to_string(e.line) + ":" + std::to_string(e.column) + " $" + std::to_string(e.code) + " " + e.message + "\n";
    return s;
}

}  // namespace

TEST(FrontEnd, DataListsRangesAndTables) {
    auto c = compile(
        "Sets t periods / t01*t03 /\n"
        "     k 'kinds' / a 'first kind', b second kind, c /\n"
        "     r / 1*2 /;\n"
        "Parameters\n"
        "   cap(k)  capacity\n"
        "      / a 10\n"
        "        b = -2.5e1 /\n"
        "   pair(k,r) / a.1 3, c.2 inf /\n"
        "Table big(r,k,t)  dotted column labels, numbers under their labels\n"
        "\ta.t01   b.t02      c.t03\n"
        "   1      1                   7\n"
        "   2             2.5         -3 ;\n"
        "Scalar s / 4 /;\n"
        "Parameter level(t) / t01*t02 1.5, t03 2 /;\n");
    ASSERT_TRUE(c->errors.empty()) << errorsText(*c);
    const Symbol& t = c->symbols.symbols[static_cast<size_t>(c->symbols.find("t"))];
    ASSERT_EQ(t.members.size(), 3u);
    EXPECT_EQ(c->symbols.labels.name(t.members[0][0]), "t01");
    EXPECT_EQ(c->symbols.labels.name(t.members[2][0]), "t03");
    const Symbol& k = c->symbols.symbols[static_cast<size_t>(c->symbols.find("k"))];
    EXPECT_EQ(k.text, "kinds");
    EXPECT_EQ(k.memberText.at({c->symbols.labels.find("b")}), "second kind");
    EXPECT_EQ(value(*c, "cap", {"b"}), -25.0);
    EXPECT_EQ(value(*c, "pair", {"a", "1"}), 3.0);
    EXPECT_TRUE(std::isinf(value(*c, "pair", {"c", "2"})));
    EXPECT_EQ(value(*c, "big", {"1", "a", "t01"}), 1.0);
    EXPECT_EQ(value(*c, "big", {"1", "c", "t03"}), 7.0);  // under "c.t03", not "b.t02"
    EXPECT_EQ(value(*c, "big", {"2", "b", "t02"}), 2.5);
    EXPECT_EQ(value(*c, "big", {"2", "c", "t03"}), -3.0);
    EXPECT_EQ(value(*c, "big", {"1", "b", "t02"}), 0.0);
    EXPECT_EQ(value(*c, "s", {}), 4.0);
    EXPECT_EQ(value(*c, "level", {"t02"}), 1.5);
    EXPECT_EQ(value(*c, "level", {"t03"}), 2.0);
}

TEST(FrontEnd, CommentsAndDollarControl) {
    auto c = compile(
        "$title My model\n"
        "* a comment line; Set nothing;\n"
        "$ontext\n"
        "Set ignored / x /;\n"
        "$offtext\n"
        "$eolcom #\n"
        "Set i / a, b /;  # Set j / z /;\n"
        "Scalar n;  n = card(i); # comment\n");
    ASSERT_TRUE(c->errors.empty()) << errorsText(*c);
    EXPECT_EQ(c->source.title, "My model");
    EXPECT_LT(c->symbols.find("ignored"), 0);
    EXPECT_LT(c->symbols.find("j"), 0);
    run(*c);
    EXPECT_EQ(value(*c, "n", {}), 2.0);
    std::ostringstream echo;
    writeSourceEcho(echo, c->source, c->errors);
    EXPECT_NE(echo.str().find("\n      Set ignored / x /;\n"), std::string::npos);  // no line number
    EXPECT_NE(echo.str().find("   7  Set i / a, b /;"), std::string::npos);

    auto bad = compile("$include other.gms\nSet i / a /;\n");
    ASSERT_EQ(bad->errors.count(), 1u);
    EXPECT_EQ(bad->errors.all()[0].line, 1);
}

TEST(FrontEnd, AssignmentsAndExpressions) {
    auto c = compile(
        "Set i / 1*4 /; Alias (i, j);\n"
        "Set odd(i) / 1, 3 /;\n"
        "Parameter p(i), q(i), m(i,j), r;\n"
        "p(i) = ord(i)**2;\n"
        "q(i)$(ord(i) > 2 and not odd(i)) = sum(j$(ord(j) le ord(i)), p(j));\n"
        "m(i,j)$(sameas(i,j) or ord(j) = ord(i) + 1) = min(ord(i), ord(j)) + max(1, 2, 3);\n"
        "Scalars s1, s2, s3, s4, s5;\n"
        "s1 = prod(i$odd(i), p(i)) + smin(i, p(i)) + smax(odd, p(odd));\n"
        "s2 = sqrt(16) + sqr(3) - power(2, 3) + abs(-1) + exp(0) + log(1) - 7/2;\n"
        "s3 = 2 - 3 - 4 + -2**2 + 2*3**2;\n"
        "s4 = (1 < 2) + (2 <> 2) + (3 >= 3) + (1 xor 1) + 5$(card(i) eq 4) + 7$(card(i) eq 3);\n"
        "s5 = sum((i,j)$(ord(i) < ord(j)), 1);\n"
        "r = p('3') + q('4');\n");
    ASSERT_TRUE(c->errors.empty()) << errorsText(*c);
    std::string out = run(*c);
    EXPECT_EQ(out.find("Exec Error"), std::string::npos) << out;
    EXPECT_EQ(value(*c, "p", {"3"}), 9.0);
    EXPECT_EQ(value(*c, "q", {"4"}), 1 + 4 + 9 + 16);
    EXPECT_EQ(value(*c, "q", {"3"}), 0.0);
    EXPECT_EQ(value(*c, "q", {"2"}), 0.0);
    EXPECT_EQ(value(*c, "m", {"2", "2"}), 2 + 3);
    EXPECT_EQ(value(*c, "m", {"2", "3"}), 2 + 3);
    EXPECT_EQ(value(*c, "m", {"3", "2"}), 0.0);
    EXPECT_EQ(value(*c, "s1", {}), 1 * 9 + 1 + 9);
    EXPECT_DOUBLE_EQ(value(*c, "s2", {}), 4 + 9 - 8 + 1 + 1 + 0 - 3.5);
    EXPECT_EQ(value(*c, "s3", {}), 2 - 3 - 4 - 4 + 18);
    EXPECT_EQ(value(*c, "s4", {}), 1 + 0 + 1 + 0 + 5);
    EXPECT_EQ(value(*c, "s5", {}), 6.0);
    EXPECT_EQ(value(*c, "r", {}), 9 + 30);
}

TEST(FrontEnd, ErrorsNameLineColumnAndMarkTheToken) {
    auto c = compile(
        "Set i / a, b /;\n"
        "Parameter p(i);\n"
        "p(j) = 1;\n"
        "p(i) = q(i) + 1;\n"
        "Acronym n;\n"
        "Variable x(i);\n"
        "Equation e(i);\n"
        "e(i).. x(i+n) =e= 1;\n"
        "p('c') = 2;\n"
        "execute_load 'x.gdx';\n"
        "Scalar s;\n"
        "s = p(i);\n"                    // uncontrolled set
        "s = p('a', 'a');\n"             // wrong dimension
        "s = sum(i, sum(i, p(i)));\n");  // i controlled twice
    std::string all = errorsText(*c);
    EXPECT_NE(all.find("3:3 $140"), std::string::npos) << all;                 // j is unknown
    EXPECT_NE(all.find("4:8 $140 Unknown symbol 'q'"), std::string::npos) << all;
    EXPECT_NE(all.find("5:7 $901 Line 5, column 1: the 'Acronym' statement"), std::string::npos) << all;
    EXPECT_NE(all.find("8:12 $901 Line 8, column 12: a lag or lead needs a whole number"), std::string::npos) << all;
    EXPECT_NE(all.find("9:5 $116"), std::string::npos) << all;                 // 'c' is no label at all
    EXPECT_NE(all.find("10:12 $901 Line 10, column 1: 'execute_load' reads or writes a GDX file"), std::string::npos) << all;
    EXPECT_NE(all.find("12:7 $149"), std::string::npos) << all;
    EXPECT_NE(all.find("13:5 $148"), std::string::npos) << all;
    EXPECT_NE(all.find("14:16 $125"), std::string::npos) << all;

    std::ostringstream echo;
    writeSourceEcho(echo, c->source, c->errors);
    // The `$` stands under the last character of the offending token.
    EXPECT_NE(echo.str().find("   4  p(i) = q(i) + 1;\n****         $140\n"), std::string::npos) << echo.str();
}

// Every prefix of a valid model, and the model with a stray character at every
// place, must compile (with or without errors), and run if it compiles, without
// throwing anything but execution errors, and without hanging.
TEST(FrontEnd, SurvivesTruncatedAndCorruptedInput) {
    const std::string model =
        "$title t\nSets i / 1*3 /, j 'x' / a, b /; Alias (i, k);\n"
        "Parameter p(i) / 1 2, 2 3 /; Table t(i,j)\n      a    b\n 1    1    2\n 3    4    5 ;\n"
        "Positive Variables x(i), y; Free Variable z;\nEquations e(i), o;\n"
        "e(i)$(ord(i) > 1).. x(i) + sum(k, t(k,'a')*x(k)) =g= p(i);\n"
        "o.. z =e= sum(i, sqr(x(i) - 3.5)) + y;\nx.up(i) = 10; Model m / all /;\n"
        "solve m using qcp minimizing z; display x.l, z.m;\n";
    // What compiles must also run and generate without anything but execution errors.
    auto compileAndRun = [](const std::string& text) {
        auto c = compile(text);
        if (!c->errors.empty()) return;
        std::ostringstream out;
        Listing listing(out, "");
        for (const Statement& s : c->program) {
            try {
                if (s.kind == Statement::Solve) {
                    instantiate(c->symbols, s);
                } else {
                    execute({s}, c->symbols, listing, nullptr);
                }
            } catch (const ExecError&) {
            }
        }
    };
    for (size_t n = 0; n <= model.size(); n++) {
        EXPECT_NO_THROW(compileAndRun(model.substr(0, n))) << n;
        for (char c : std::string("'(/;$.")) {
            std::string broken = model;
            broken.insert(n, 1, c);
            EXPECT_NO_THROW(compileAndRun(broken)) << n << c;
        }
    }
    EXPECT_TRUE(compile(model)->errors.empty()) << errorsText(*compile(model));
}

// Model generation: which rows and columns a solve gets, in which order, with
// which bounds (the refusal of nonlinear rows in an LP: the executable's test).
TEST(FrontEnd, GeneratesTheModelInstance) {
    auto c = compile(
        "Set i / b, a /; Set ii(i) / a /; Alias (i, k);\n"
        "Parameter p(i) / a 2, b 3 /;\n"
        "Positive Variable x(i); Variable z, y(i,k), unused;\n"
        "x.up('a') = 5; x.fx('b') = 1; x.l('a') = 2;\n"
        "Equation e(i), f(i), o;\n"
        "o.. z =e= sum(i, sqr(x(i)));\n"
        "e(ii).. x(ii) + sum(k$(not sameas(k, ii)), y(ii,k)) =g= p(ii);\n"
        "f(i)$(p(i) > 2).. x(i) + unused =l= 10;\n"
        "Model m / o, e /;\n"
        "Solve m using qcp minimizing z;\n");
    ASSERT_TRUE(c->errors.empty()) << errorsText(*c);
    std::ostringstream out;
    Listing listing(out, "");
    // Run the assignments only; generate the solve by hand.
    std::vector<Statement> assignments, solves;
    for (const Statement& s : c->program) (s.kind == Statement::Solve ? solves : assignments).push_back(s);
    execute(assignments, c->symbols, listing, nullptr);
    ASSERT_EQ(solves.size(), 1u);

    ModelInstance m = instantiate(c->symbols, solves[0]);
    ASSERT_EQ(m.equBlocks.size(), 2u);  // declaration order, f not in the model
    EXPECT_EQ(m.equBlocks[0].name, "e");
    EXPECT_EQ(m.equBlocks[1].name, "o");
    ASSERT_EQ(m.equBlocks[0].members.size(), 1u);  // only ii = {a}
    EXPECT_EQ(m.rows[static_cast<size_t>(m.equBlocks[0].members[0])].labels, std::vector<std::string>{"a"});
    EXPECT_EQ(m.rows[static_cast<size_t>(m.equBlocks[0].members[0])].type, RowType::G);

    ASSERT_EQ(m.varBlocks.size(), 3u);  // x, z, y: declaration order; `unused` is only in f
    EXPECT_EQ(m.varBlocks[0].name, "x");
    EXPECT_EQ(m.varBlocks[1].name, "z");
    EXPECT_EQ(m.varBlocks[2].name, "y");
    ASSERT_EQ(m.varBlocks[0].members.size(), 2u);
    const Column& xb = m.columns[static_cast<size_t>(m.varBlocks[0].members[0])];
    const Column& xa = m.columns[static_cast<size_t>(m.varBlocks[0].members[1])];
    EXPECT_EQ(xb.labels, std::vector<std::string>{"b"});  // labels in order of first appearance
    EXPECT_EQ(xb.lower, 1.0);
    EXPECT_EQ(xb.upper, 1.0);
    EXPECT_EQ(xa.lower, 0.0);
    EXPECT_EQ(xa.upper, 5.0);
    EXPECT_EQ(xa.level, 2.0);
    ASSERT_EQ(m.varBlocks[2].members.size(), 1u);  // y(a,b) only: sameas drops y(a,a)
    EXPECT_EQ(m.columns[static_cast<size_t>(m.varBlocks[2].members[0])].labels, (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(m.columns[static_cast<size_t>(m.objectiveColumn)].labels.size(), 0u);
    EXPECT_EQ(m.varBlocks[static_cast<size_t>(m.columns[static_cast<size_t>(m.objectiveColumn)].block)].name, "z");
    EXPECT_EQ(countNonZeros(m), 2 + 3);
}

// Discrete kinds and their default bounds, the mixed-integer model types, and
// the limits that option statements and model attributes give a solve.
TEST(FrontEnd, DiscreteVariablesAndSolveLimits) {
    auto c = compile(
        "Set i / a, b /;\n"
        "Binary Variable b(i);\nInteger Variable n;\nSemiCont Variable sc;\n"
        "Variables x, z\nPositive Variable p;\nBinary Variable p;\n"
        "Equation o; o.. z =e= sum(i, b(i)) + n + x + sc + p;\n"
        "Model m / all /;\n"
        "option optcr = 0.05, reslim = 30, mip = cbc, limrow = 0, iterlim = 1000;\n"
        "m.optca = 2;\nn.up = 10; x.lo = -1;\n"
        "solve m using mip minimizing z;\n"
        "option reslim = 5;\nm.optcr = 0;\n"
        "Solve m using RMIP minimizing z;\n");
    ASSERT_TRUE(c->errors.empty()) << errorsText(*c);
    std::ostringstream out;
    Listing listing(out, "");
    ExecutionResult r = execute(c->program, c->symbols, listing, nullptr);
    ASSERT_EQ(r.solveOptions.size(), 2u) << out.str();
    EXPECT_EQ(r.solveOptions[0].optcr, 0.05);
    EXPECT_EQ(r.solveOptions[0].reslim, 30.0);
    EXPECT_EQ(r.solveOptions[0].iterlim, 1000);
    EXPECT_EQ(r.solveOptions[0].optca, 2.0);  // the model's own attribute
    EXPECT_EQ(r.solveOptions[1].reslim, 5.0);
    EXPECT_EQ(r.solveOptions[1].optcr, 0.0);  // the attribute wins over the option

    const Statement& rmip = c->program.back();
    EXPECT_EQ(rmip.type, ModelType::RMIP);
    ModelInstance m = instantiate(c->symbols, rmip);
    std::map<std::string, std::pair<VarKind, std::pair<double, double>>> kinds;
    for (const Column& col : m.columns) {
        const Block& block = m.varBlocks[static_cast<size_t>(col.block)];
        kinds[block.name + (col.labels.empty() ? "" : "(" + col.labels[0] + ")")] = {block.kind, {col.lower, col.upper}};
    }
    EXPECT_EQ(kinds["b(a)"], std::make_pair(VarKind::Binary, std::make_pair(0.0, 1.0)));
    EXPECT_EQ(kinds["n"], std::make_pair(VarKind::Integer, std::make_pair(0.0, 10.0)));
    EXPECT_EQ(kinds["sc"], std::make_pair(VarKind::SemiCont, std::make_pair(0.0, kInf)));
    EXPECT_EQ(kinds["p"], std::make_pair(VarKind::Binary, std::make_pair(0.0, 1.0)));
    EXPECT_EQ(kinds["x"], std::make_pair(VarKind::Free, std::make_pair(-1.0, kInf)));

    auto bad = compile("Variable z; Equation e; e.. z =e= 1; Model m / all /;\noption reslim = -1;\n"
                       "Solve m using emp minimizing z;\n");
    std::string all = errorsText(*bad);
    EXPECT_NE(all.find("2:18 $409 option reslim must not be negative"), std::string::npos) << all;
    EXPECT_NE(all.find("3:17 $901 Line 3, column 15: model type emp"), std::string::npos) << all;
}
