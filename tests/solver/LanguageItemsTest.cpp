// Small models that pin the GAMS semantics of the language items beyond the
// basics: lags and leads, dynamic sets, new labels, equation attributes,
// functions, model lists with exclusions, and statements without a final ';'.
#include <gtest/gtest.h>

#include <cmath>

#include "Instantiate.h"
#include "SmallModels.h"

using namespace gamsub;
using namespace gamsub::testing;

TEST(LanguageItems, LagsAndLeads) {
    auto r = compiles("Set t / t1*t4 /; Alias (t, tt);\n"
                      "Parameter d(t) / t1 1, t2 2, t3 3, t4 4 /, lag(t), lead(t), back(t), around(t), acc(t);\n"
                      "lag(t) = d(t-1);\nlead(t) = d(t+2);\nback(t) = d(t--1);\naround(t) = d(t++2);\n"
                      "acc(t) = d(t); loop(tt$(ord(tt) > 1), acc(tt) = acc(tt-1) + d(tt));\n"
                      "Parameter shifted(t); shifted(t+1) = d(t);\n"
                      "Variable x(t), z; Equation balance(t), o;\n"
                      "balance(t).. x(t) =e= x(t-1) + d(t);\no.. z =e= sum(t, x(t));\n"
                      "Model m / all /; solve m using lp minimizing z;\n");
    EXPECT_EQ(r->at("lag", {"t1"}), 0.0);  // before the first element: nothing
    EXPECT_EQ(r->at("lag", {"t3"}), 2.0);
    EXPECT_EQ(r->at("lead", {"t2"}), 4.0);
    EXPECT_EQ(r->at("lead", {"t3"}), 0.0);
    EXPECT_EQ(r->at("back", {"t1"}), 4.0);  // circular
    EXPECT_EQ(r->at("around", {"t4"}), 2.0);
    EXPECT_EQ(r->at("acc", {"t4"}), 10.0);
    EXPECT_EQ(r->at("shifted", {"t1"}), 0.0);
    EXPECT_EQ(r->at("shifted", {"t4"}), 3.0);
    ModelInstance m = instantiate(r->st, r->program.back());
    ASSERT_EQ(m.equBlocks[0].members.size(), 4u);
    EXPECT_EQ(m.columns.size(), 5u);  // x(t1..t4), z: the missing x(t0) is no column
}

TEST(LanguageItems, DynamicSetsNewLabelsAndEquationAttributes) {
    auto r = compiles("Set i / a, b, c, d /, big(i), pair(i,i);\nParameter v(i) / a 1, b 5, c 7, d 2 /;\n"
                      "big(i) = yes$(v(i) > 3);\nbig('d') = yes;\nbig('b') = no;\n"
                      "pair(i,i) = big(i);\n"
                      "Parameter total, report(*,i), n;\n"
                      "loop(big, total = total + v(big));\n"
                      "report('sum ', i) = v(i);\nreport('max', i)$big(i) = 2 * v(i);\n"
                      "n = card(big) + sum(i$big(i), 1) * 10;\n"
                      "Variable x; Equation e; e.. x =e= 1;\ne.m = 4; e.l = 2;\n"
                      "Parameter em; em = e.m + 10 * e.l\n");  // no ';' at the end of the file
    EXPECT_EQ(r->members("big"), "c d");
    EXPECT_EQ(r->members("pair"), "c.c d.d");
    EXPECT_EQ(r->at("total"), 9.0);
    EXPECT_EQ(r->at("report", {"sum", "b"}), 5.0);  // 'sum ' is 'sum'
    EXPECT_EQ(r->at("report", {"max", "c"}), 14.0);
    EXPECT_EQ(r->at("report", {"max", "a"}), 0.0);
    EXPECT_EQ(r->at("n"), 22.0);
    EXPECT_EQ(r->at("em"), 24.0);
}

TEST(LanguageItems, FunctionsAndRandomNumbers) {
    auto r = compiles("Scalars s, c, a, l2, l10, tr, fr, it, u1, u2, u3, n1, lo, hi;\n"
                      "s = sin(pi/6); c = cos(0); a = arctan(1); l2 = log2(8); l10 = log10(1000);\n"
                      "tr = trunc(-2.7); fr = frac(2.25); it = ifthen(1 > 2, 5, 6);\n"
                      "execseed = 7; u1 = uniform(0, 1); option seed = 7; u2 = uniform(0, 1); u3 = uniform(0, 1);\n"
                      "n1 = normal(10, 0);\n"
                      "Set k / 1*200 /; Parameter draw(k); draw(k) = uniformint(3, 5);\n"
                      "lo = smin(k, draw(k)); hi = smax(k, draw(k));\n");
    EXPECT_NEAR(r->at("s"), 0.5, 1e-15);
    EXPECT_EQ(r->at("c"), 1.0);
    EXPECT_NEAR(r->at("a"), M_PI / 4, 1e-15);
    EXPECT_EQ(r->at("l2"), 3.0);
    EXPECT_NEAR(r->at("l10"), 3.0, 1e-15);
    EXPECT_EQ(r->at("tr"), -2.0);
    EXPECT_EQ(r->at("fr"), 0.25);
    EXPECT_EQ(r->at("it"), 6.0);
    EXPECT_EQ(r->at("u1"), r->at("u2"));  // the same seed, the same draw
    EXPECT_NE(r->at("u2"), r->at("u3"));
    EXPECT_EQ(r->at("n1"), 10.0);
    EXPECT_EQ(r->at("lo"), 3.0);
    EXPECT_EQ(r->at("hi"), 5.0);

    // log10 of a variable is built from log; tan of a variable is refused at compile time.
    auto v = compiles("Variable x, z; Equation o; o.. z =e= log10(x) + x;\nModel m / all - o /;\n");
    EXPECT_TRUE(v->errors.empty());
    CompileErrors errors;
    SymbolTable st;
    SourceText bad = prepareSource("Variable x, z; Equation o; o.. z =e= tan(x);\n", errors);
    Parser(bad, st, errors).parse();
    ASSERT_EQ(errors.count(), 1u);
    EXPECT_NE(errors.all()[0].message.find("Function tan of variables is not supported"), std::string::npos);
}

TEST(LanguageItems, ModelListsWithExclusions) {
    auto r = compiles("Variable x, y, z; Equation o, a, b;\n"
                      "o.. z =e= x + y; a.. x =g= 1; b.. y =g= 2;\n"
                      "Model m / all - b /, n / m, b /;\n"
                      "solve m using lp minimizing z;\nsolve n using lp minimizing z;\n");
    const Statement& solveM = r->program[r->program.size() - 2];
    ModelInstance m = instantiate(r->st, solveM);
    ModelInstance n = instantiate(r->st, r->program.back());
    EXPECT_EQ(m.rows.size(), 2u);
    EXPECT_EQ(n.rows.size(), 2u);  // n inherits the exclusion; b is listed but excluded too

    // `all` is every equation declared before the model statement: one declared
    // later (for another model) stays out, also when the model is solved after it.
    auto later = compiles("Variable x, z; Equation o, a;\no.. z =e= x; a.. x =g= 1;\nModel m / all /;\n"
                          "solve m using lp minimizing z;\n"
                          "Equation c; c.. x =g= 5;\nModel k / m, c /;\nsolve k using lp minimizing z;\n"
                          "solve m using lp minimizing z;\n");
    const std::vector<Statement>& p = later->program;
    EXPECT_EQ(instantiate(later->st, p[p.size() - 3]).rows.size(), 2u);
    EXPECT_EQ(instantiate(later->st, p[p.size() - 2]).rows.size(), 3u);
    EXPECT_EQ(instantiate(later->st, p.back()).rows.size(), 2u);
}

TEST(LanguageItems, DataLayoutsGamsAccepts) {
    auto r = compiles("Set i, j;\n"
                      "Set i / a, b, c /;\nSet j / x, y /;\n"
                      "Set ij(i,j) / (a,b).x, c.(x,y) /;\n"
                      "Parameter p(i,j) / (a,c).y 3, b.(x,y) 4 /, q(*) / new 1 /;\n"
                      "Parameter later(i);\nParameter later / a 7 /;\n"
                      "Table t\n"
                      "        x      y\n"
                      "  a   1        2\n"   // 1 left of its label x
                      "  b          5\n"     // 5 wholly between x and y: y's
                      "+       z\n"
                      "  c     9\n"
                      ";\n"
                      "Equation e; Variable v(i); e(i).. v(i) =e= 1;\n");
    EXPECT_EQ(r->members("ij"), "a.x b.x c.x c.y");
    EXPECT_EQ(r->at("p", {"c", "y"}), 3.0);
    EXPECT_EQ(r->at("p", {"b", "y"}), 4.0);
    EXPECT_EQ(r->at("q", {"new"}), 1.0);
    EXPECT_EQ(r->at("later", {"a"}), 7.0);
    EXPECT_EQ(r->at("t", {"a", "x"}), 1.0);
    EXPECT_EQ(r->at("t", {"a", "y"}), 2.0);
    EXPECT_EQ(r->at("t", {"b", "y"}), 5.0);
    EXPECT_EQ(r->at("t", {"c", "z"}), 9.0);
    EXPECT_EQ(r->st.symbols[static_cast<size_t>(r->st.find("e"))].dim, 1);
}

TEST(LanguageItems, SetsAsDomainsOfSumsAndLoops) {
    auto r = compiles("Set i / a, b, c /; Alias (i, j);\nSet ij(i,j) / a.b, b.c, c.c /;\n"
                      "Parameter w(i,j), s1, s2, s3, cnt;\nw(i,j) = 10 * ord(i) + ord(j);\n"
                      "s1 = sum(ij(i,j), w(i,j));\n"
                      "s2 = sum(ij(i,j)$(ord(i) > 1), w(i,j));\n"
                      "s3 = sum(i, sum(sameas(i,j), w(i,j)));\n"
                      "loop(ij(i,j)$(not sameas(i,j)), cnt = cnt + 1);\n");
    EXPECT_EQ(r->at("s1"), 12 + 23 + 33);
    EXPECT_EQ(r->at("s2"), 23 + 33);
    EXPECT_EQ(r->at("s3"), 11 + 22 + 33);
    EXPECT_EQ(r->at("cnt"), 2.0);
}

TEST(LanguageItems, ForAndRepeat) {
    auto r = compiles("Scalars k, total, down, n / 0 /, steps;\n"
                      "for (k = 1 to 10 by 3, total = total + k);\n"
                      "for (k = 3 downto 1, down = 10 * down + k);\n"
                      "repeat (n = n + 1; steps = steps + 2 until n >= 4);\n");
    EXPECT_EQ(r->at("total"), 1 + 4 + 7 + 10);
    EXPECT_EQ(r->at("down"), 321.0);
    EXPECT_EQ(r->at("n"), 4.0);
    EXPECT_EQ(r->at("steps"), 8.0);
}

// An infinite coefficient (found by fuzzing: it aborted a solver library) ends generation with an execution error.
TEST(LanguageItems, InfiniteCoefficientsAreRefusedAtGeneration) {
    auto r = compiles("Positive Variable x; Variable z; Equation o; o.. z =e= inf*x;\nModel m / all /;\n"
                      "solve m using lp minimizing z;\n");
    try {
        instantiate(r->st, r->program.back());
        ADD_FAILURE() << "generated";
    } catch (const ExecError& e) {
        EXPECT_EQ(e.line, 1);
        EXPECT_NE(e.message.find("+INF"), std::string::npos) << e.message;
    }
}
