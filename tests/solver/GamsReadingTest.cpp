// The front end reads models as GAMS reads them, or refuses them naming the
// item: the faults once found in public models (a range with blanks read as one
// label, an assignment evaluated in place, model attributes accepted and
// dropped), the language items the public model library needs, and the
// controls that are applied, have no effect, or are refused.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cmath>
#include <cstdio>

#include "Instantiate.h"
#include "SmallModels.h"

using namespace gamsub;
using namespace gamsub::testing;

TEST(GamsReading, TheFaultsThatGaveWrongAnswers) {
    // A range written with blanks is a range, not a label with the text "* i5".
    auto r = compiles("$set np 5\nSet i / i1 * i%np% /;\nParameter p(i) / i2 * i3  7 /;\n");
    EXPECT_EQ(r->members("i"), "i1 i2 i3 i4 i5");
    EXPECT_EQ(r->at("p", {"i3"}), 7.0);
    // The right-hand side sees the values from before the statement, also where it reads the target.
    r = compiles("Set i / a, b /; Alias (i, j);\nParameter q(i,j);\nq(i,j) = 10*ord(i) + ord(j);\n"
                 "q(i,j) = 2*q(j,i);\nParameter s(i) / a 1, b 2 /;\ns(i)$(s(i) < 2) = s(i) + sum(j, s(j));\n");
    EXPECT_EQ(r->at("q", {"a", "b"}), 42.0);  // 2*q(b,a) with q(b,a) = 21, not the new q(a,b)
    EXPECT_EQ(r->at("q", {"b", "a"}), 24.0);
    EXPECT_EQ(r->at("s", {"a"}), 4.0);
    // Written model attributes keep their value until a solve writes them.
    r = compiles("Variable z; Equation e; e.. z =e= 1; Model m / all /;\n"
                 "m.solvestat = 1; m.modelstat = 7;\nScalar ms, ss; ms = m.modelstat; ss = m.solvestat;\n");
    EXPECT_EQ(r->at("ms"), 7.0);
    EXPECT_EQ(r->at("ss"), 1.0);
}

TEST(GamsReading, RangesAsGamsWritesThem) {
    auto r = compiles("Set a / a*e /, b / bc5*bc2 /, c / 1u*3u /, d / t08*t11 /, e / \"-3\"*\"-1\" /;\n");
    EXPECT_EQ(r->members("a"), "a b c d e");
    EXPECT_EQ(r->members("b"), "bc5 bc4 bc3 bc2");
    EXPECT_EQ(r->members("c"), "1u 2u 3u");
    EXPECT_EQ(r->members("d"), "t08 t09 t10 t11");
    EXPECT_EQ(r->members("e"), "-3 -2 -1");
    refused("Set f / x1a*x2b /;\n", 1, "Bad range x1a*x2b");
    refused("Set g / 1*2000000 /;\n", 1, "more than 1000000 elements");
}

TEST(GamsReading, DeclarationsAndStatementsOfTheModelLibrary) {
    // A statement may end without ';' where a keyword begins the next one.
    auto r = compiles("Set t / 1*4 /\nParameter d(t) / 1 1, 2 2, 3 3, 4 4 /\nScalar total;\n"
                      "total = sum(t, d(t))\ndisplay total\nVariable x(t), z\nEquation kk(t), obj;\n"
                      "kk(t+1).. x(t+1) =e= x(t) + d(t);\nobj.. z =e= sum(t, x(t));\nModel m / all /\n"
                      "solve m using lp minimizing z\n");
    EXPECT_EQ(r->at("total"), 10.0);
    ASSERT_TRUE(r->errors.empty());
    // kk(t+1).. names its rows 2, 3, 4: none for the last t.
    ModelInstance inst = instantiate(r->st, r->program.back());
    ASSERT_EQ(inst.equBlocks[0].members.size(), 3u);
    EXPECT_EQ(inst.rows[static_cast<size_t>(inst.equBlocks[0].members[0])].labels, std::vector<std::string>{"2"});
    // Declared without a domain: the first reference fixes the dimension, over any labels.
    r = compiles("Set w / a, b /, t / x, y /;\nParameter report 'summary';\nreport(w,t) = 1;\n"
                 "report('total',t) = sum(w, report(w,t));\nSet pairs; pairs(w,t) = yes;\n");
    EXPECT_EQ(r->at("report", {"total", "y"}), 2.0);
    EXPECT_EQ(r->members("pairs"), "a.x a.y b.x b.y");
    refused("Parameter p; p = 1; p('a') = 2;\n", 1, "Dimension different");
    // #set in a data list; an alias with the set last.
    r = compiles("Set p / p1*p3 /;\nParameter stock(p) / #p 500 /;\nAlias (pp, p);\nParameter n; n = sum(pp, stock(pp));\n");
    EXPECT_EQ(r->at("n"), 1500.0);
}

TEST(GamsReading, BreakAndContinue) {
    auto r = compiles("Set i / 1*5 /;\nScalar upTo3 / 0 /, skip3 / 0 /, w / 0 /;\n"
                      "loop(i, upTo3 = upTo3 + 1; if(ord(i) = 3, break; ); );\n"
                      "loop(i, if(ord(i) = 3, continue; ); skip3 = skip3 + ord(i); );\n"
                      "while(1, w = w + 1; if(w >= 4, break); );\n");
    EXPECT_EQ(r->at("upTo3"), 3.0);
    EXPECT_EQ(r->at("skip3"), 12.0);
    EXPECT_EQ(r->at("w"), 4.0);
    refused("Scalar a; a = 1; break;\n", 1, "only allowed inside a loop");
}

TEST(GamsReading, SolverControlsAppliedHarmlessOrRefused) {
    // No effect on a solution: listing layout, solver choices, display formats.
    compiles("Parameter p / 1 /;\noption limrow = 0, limcol = 0, solprint = off, mip = cbc, p:3:0:1, solveopt = merge;\n"
             "Variable z; Equation e; e.. z =e= 1; Model m / all /;\nm.optfile = 0; m.workspace = 10; m.optcr = 0.01;\n");
    // Changes the answer in a way this solver does not implement: refused, naming it.
    refused("Variable z; Equation e; e.. z =e= 1; Model m / all /;\nm.cheat = 3;\n", 2, "cheat");
    refused("Variable z; Equation e; e.. z =e= 1; Model m / all /;\nm.bogus = 3;\n", 2, ".bogus");
    refused("Parameter p / 1 /;\noption clear = p;\n", 2, "option clear");
    refused("option forlim = 5;\n", 1, "forlim");
    refused("option solveopt = replace;\n", 1, "solveopt");
    refused("option nodlim = 100;\n", 1, "nodlim");
    // A value known only when the statement runs: an execution error.
    auto r = compileAndRun("Variable z; Equation e; e.. z =e= 1; Model m / all /;\nScalar k / 1 /;\nm.optfile = k;\n");
    ASSERT_TRUE(r->errors.empty()) << r->errorText();
    EXPECT_EQ(r->result.execErrors, 1);
    EXPECT_NE(r->listing.find("m.optfile = 1 is not supported"), std::string::npos) << r->listing;
    auto h = compileAndRun("Variable z; Equation e; e.. z =e= 1; Model m / all /;\nm.holdfixed = 2;\n");
    EXPECT_NE(h->listing.find("holdfixed must be 0 or 1"), std::string::npos) << h->listing;
}

TEST(GamsReading, DollarControlsOfTheModelLibrary) {
    auto r = compileAndRun("$ife 2+2==4 Scalar four / 4 /;\n$ife 2+2==5 Scalar five / 5 /;\n"
                           "Scalar k; k = %modelStat.optimal% + 10*%solveStat.normalCompletion%;\n"
                           "$set dir '%system.fp%'\n$set name %system.fn%%system.fe%\n"
                           "$maxcol 20\nScalar c / 3 /;     this text lies beyond column 20\n",
                           "/models/demo.gms");
    ASSERT_TRUE(r->errors.empty()) << r->errorText();
    EXPECT_EQ(r->at("four"), 4.0);
    EXPECT_EQ(r->st.find("five"), -1);
    EXPECT_EQ(r->at("k"), 11.0);
    EXPECT_EQ(r->at("c"), 3.0);
    // A system setting this solver does not know is refused, not read as empty.
    refused("Scalar s;\n$set x %system.nonsense%\n", 2, "%system.nonsense%");
    refused("Parameter p / 1 /;\n$clear p\n", 2, "$clear");
    refused("$include one.gms two\n", 1, "takes one file name");

    // $onecho writes a file; $batinclude passes %1, %2 ...; $shift and $goto loop over them.
    char dir[] = "/tmp/gamsreadingXXXXXX";
    ASSERT_NE(mkdtemp(dir), nullptr);
    std::string file = std::string(dir) + "/assign.gms";
    r = compiles("Set p / a, b /;\nTable pdata(p,*)\n     lo   hi\na     1    2\nb     3    4 ;\n"
                 "Parameter lo(p), hi(p);\n$onEchoV > " + file + "\n$label start\n%1(p) = pdata(p,'%1');\n$shift\n"
                 "$if not x%1 == x $goto start\n$offEcho\n$batInclude " + file + " lo hi\n");
    EXPECT_EQ(r->at("lo", {"b"}), 3.0);
    EXPECT_EQ(r->at("hi", {"a"}), 2.0);
    std::remove(file.c_str());
    rmdir(dir);
}

TEST(GamsReading, MultiDimensionalSetsAsIndices) {
    auto r = compiles("Set i / a, b, c /; Alias (i, j);\nSet ij(i,j) 'pairs'; ij(i,j) = ord(i) < ord(j);\n"
                      "Parameter w(i,j), tot, diag(i,j), firstOnly(i,j);\nw(i,j) = 10*ord(i) + ord(j);\n"
                      "tot = sum(ij(i,j), w(ij));\n"               // the set stands for its indices
                      "diag(ij) = 1;\n"                            // over the set's own elements
                      "firstOnly(ij(i,j))$(ord(i) = 1) = w(i,j);\n"
                      "Parameter lead(i); lead(i) = sum(ij(i,j)$sameas(j,'c'), 1);\n"
                      "Set one(i) / b /; Parameter seen; loop(one('b'), seen = seen + ord(one));\n"
                      "Parameter nxt; nxt = sum(i$ij(i,i+1), 1);\n"
                      "Set pp(i) / b /; Parameter sub(i,j); sub(i,pp(j)) = 1;\n");
    EXPECT_EQ(r->at("tot"), 12.0 + 13.0 + 23.0);
    EXPECT_EQ(r->at("diag", {"a", "c"}), 1.0);
    EXPECT_EQ(r->at("diag", {"c", "a"}), 0.0);
    EXPECT_EQ(r->at("firstOnly", {"a", "b"}), 12.0);
    EXPECT_EQ(r->at("firstOnly", {"b", "c"}), 0.0);
    EXPECT_EQ(r->at("lead", {"a"}), 1.0);
    EXPECT_EQ(r->at("seen"), 1.0);
    EXPECT_EQ(r->at("nxt"), 2.0);
    EXPECT_EQ(r->at("sub", {"a", "b"}), 1.0);
    EXPECT_EQ(r->at("sub", {"a", "c"}), 0.0);
    // An equation over a multi-dimensional set: one row per element.
    r = compiles("Set i / a, b, c /; Alias (i, j);\nSet low(i,j); low(i,j) = ord(i) > ord(j);\n"
                 "Variable d(i,j), z; Equation e(i,j), o;\ne(low).. d(low) =g= 1;\no.. z =e= sum(low(i,j), d(i,j));\n"
                 "Model m / all /; solve m using lp minimizing z;\n");
    ModelInstance inst = instantiate(r->st, r->program.back());
    EXPECT_EQ(inst.equBlocks[0].members.size(), 3u);
    refused("Set i / a /; Set s(*,*); Parameter p(i); p(i) = sum(s, 1);\n", 1, "'*' in its domain");
    refused("Set i / a /; Alias (i, j); Set ij(i,j); Parameter p(i,j); p(i,j) = 1; Scalar t; t = p(ij);\n", 1,
            "stands for indices only");
}

TEST(GamsReading, SetsValuesAndDataOfTheModelLibrary) {
    auto r = compiles("Set t / t1*t4 /;\nParameter a(t), b(t), c(t), d(t);\n"
                      "a(t) = t.off; b(t) = t.rev; c(t) = t.first + 10*t.last;\n"
                      "Set n / 5, 7 /; Parameter v(n); v(n) = n.val + n.len;\n"
                      "Parameter f / beef 2, milk 3 /;\n"                      // labelled data without a domain
                      "Scalar x / 3 /, y / [2*sqrt(sqr(x) + 16)] /;\n"         // evaluated where it is read
                      "Parameter tab(t,*);\nTable tab(t,*)\n        lo   hi\n(t1,t2) 1    2\nt3      3    4 ;\n"
                      "Singleton Set cur(t) / t2 /;\nParameter here; here = a(cur);\ncur(t)$(ord(t) = 4) = yes;\n"
                      "Parameter there; there = a(cur);\n"
                      "Scalar k / 0 /; repeat k = k + 1; until k >= 3;\n");
    EXPECT_EQ(r->at("a", {"t1"}), 0.0);
    EXPECT_EQ(r->at("b", {"t1"}), 3.0);
    EXPECT_EQ(r->at("c", {"t1"}), 1.0);
    EXPECT_EQ(r->at("c", {"t4"}), 10.0);
    EXPECT_EQ(r->at("v", {"7"}), 8.0);
    EXPECT_EQ(r->at("f", {"milk"}), 3.0);
    EXPECT_EQ(r->at("y"), 10.0);
    EXPECT_EQ(r->at("tab", {"t2", "hi"}), 2.0);
    EXPECT_EQ(r->at("here"), 1.0);   // the singleton names its element without a loop
    EXPECT_EQ(r->at("there"), 3.0);  // an assigned element replaces the one held
    EXPECT_EQ(r->at("k"), 3.0);
    refused("Singleton Set s / a, b /;\n", 1, "more than one element");
    auto twice = compileAndRun("Set i / a, b /; Singleton Set s(i);\ns(i) = yes;\n");
    EXPECT_EQ(twice->result.execErrors, 1);
    // NA is data; computing with it is an execution error, never a silent comparison.
    auto na = compileAndRun("Scalar rho / na /, r2;\nr2 = 1$(rho > 0);\n");
    ASSERT_TRUE(na->errors.empty()) << na->errorText();
    EXPECT_EQ(na->result.execErrors, 1);
    EXPECT_NE(na->listing.find("NA used"), std::string::npos) << na->listing;
}
