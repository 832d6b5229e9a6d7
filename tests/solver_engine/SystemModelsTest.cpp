// MCP and CNS models end to end through the bundled solver in process (the
// solution report's levels and marginals in GAMS's MCP conventions, the
// statuses, the errors for what GAMS refuses or this solver does not read),
// and the semismooth Newton method on small box systems with known answers.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

#include "RunGams.h"
#include "SemismoothNewton.h"

namespace gamsub::testing {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

struct ModelRun {
    int status = -1;
    std::string listing;
};

// Writes `text` as a model in a fresh folder and runs it there.
ModelRun runModel(const std::string& name, const std::string& text) {
    std::string dir = ::testing::TempDir() + "systems-" + name;
    EXPECT_EQ(0, std::system(("rm -rf '" + dir + "' && mkdir -p '" + dir + "'").c_str()));
    std::ofstream(dir + "/m.gms", std::ios::binary) << text;
    std::ostringstream console, errors;
    ModelRun r;
    r.status = runGams({"m.gms", "o=m.lst", "lo=0", "curdir=" + dir}, console, errors);
    std::ifstream in(dir + "/m.lst", std::ios::binary);
    std::ostringstream listing;
    listing << in.rdbuf();
    r.listing = listing.str();
    return r;
}

// A listing value field: '.' is zero, NA is NaN.
double fieldValue(const std::string& text) {
    if (text == ".") return 0.0;
    if (text == "NA") return std::nan("");
    return std::stod(text);
}

// LOWER, LEVEL, UPPER, MARGINAL and the flag ("" when none) of scalar `name`'s
// line (`kind` VAR or EQU) in the last solution report.
struct ReportRow {
    double lower = NAN, level = NAN, upper = NAN, marginal = NAN;
    std::string flag;
};
ReportRow reportRow(const std::string& listing, const std::string& kind, const std::string& name) {
    ReportRow row;
    std::string start = "---- " + kind + " " + name + " ";
    size_t at = listing.rfind("\n" + start);
    if (at == std::string::npos) return row;
    std::istringstream fields(listing.substr(at + 1 + start.size(), listing.find('\n', at + 1) - at - 1 - start.size()));
    std::string lower, level, upper, marginal;
    fields >> lower >> level >> upper >> marginal >> row.flag;
    row.lower = fieldValue(lower);
    row.level = fieldValue(level);
    row.upper = fieldValue(upper);
    row.marginal = fieldValue(marginal);
    return row;
}

bool has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// Two goods: a's excess supply 3pa - 0.5pb - 12, b's 1 + 2pb - 0.1pa (LCP with a
// P-matrix: one solution, pa = 4 and pb = 0 with b's market oversupplied by 0.6);
// the quantity q from an unmatched =e= row with a free variable (12 - pa + 0.5pb = 8);
// x^2 = 4 with x >= 0 (x = 2); y <= 1 with y - 3 <= 0 (y at its upper bound, F = -2);
// a fixed t whose row drops out (t.m is its function, 5 - 7); z >= 0 with 2 + z =e= 0,
// which holds only in the complementarity sense (z = 0, F = 2: the row is redefined).
const char* kMarket =
    "option mcp = path;\nPositive Variables pa, pb, x, z;\nVariables q, y, t;\ny.lo = -inf; y.up = 1; t.fx = 5; x.l = 1;\n"
    "Equations mkta, mktb, demand, root, cap, tax, rz;\n"
    "mkta.. 3*pa - 0.5*pb - 12 =g= 0;\nmktb.. 1 + 2*pb - 0.1*pa =g= 0;\ndemand.. q =e= 12 - pa + 0.5*pb;\n"
    "root.. sqr(x) - 4 =g= 0;\ncap.. y - 3 =l= 0;\ntax.. t =g= 7 + 0*pa;\nrz.. 2 + z =e= 0;\n"
    "Model market / mkta.pa, mktb.pb, demand, root.x, cap.y, tax.t, rz.z /;\n"
    "solve market using mcp;\nScalar status; status = market.modelstat;\n"
    "abort$(status <> 1) 'the MCP is not solved';\n";

TEST(SystemModels, McpSolutionFollowsGamsConventions) {
    ModelRun r = runModel("market", kMarket);
    ASSERT_EQ(0, r.status) << r.listing;
    ASSERT_TRUE(has(r.listing, "**** MODEL STATUS      1 Optimal")) << r.listing;
    EXPECT_TRUE(has(r.listing, "     TYPE    MCP\n"));
    EXPECT_FALSE(has(r.listing, "OBJECTIVE"));  // no objective line or field
    EXPECT_NEAR(4.0, reportRow(r.listing, "VAR", "pa").level, 1e-6);
    EXPECT_NEAR(0.0, reportRow(r.listing, "VAR", "pb").level, 1e-9);
    EXPECT_NEAR(8.0, reportRow(r.listing, "VAR", "q").level, 1e-6);
    EXPECT_NEAR(2.0, reportRow(r.listing, "VAR", "x").level, 1e-6);
    EXPECT_NEAR(1.0, reportRow(r.listing, "VAR", "y").level, 1e-9);
    // A variable's marginal is its row's function value, a row's marginal its variable's level.
    EXPECT_NEAR(0.6, reportRow(r.listing, "VAR", "pb").marginal, 1e-6);
    EXPECT_NEAR(0.0, reportRow(r.listing, "EQU", "mktb").marginal, 1e-9);
    EXPECT_NEAR(4.0, reportRow(r.listing, "EQU", "mkta").marginal, 1e-6);
    EXPECT_NEAR(-2.0, reportRow(r.listing, "VAR", "y").marginal, 1e-6);
    EXPECT_NEAR(-2.0, reportRow(r.listing, "VAR", "t").marginal, 1e-6);
    EXPECT_NEAR(5.0, reportRow(r.listing, "EQU", "tax").marginal, 1e-9);
    // The unmatched row pairs with no particular variable: its marginal is not available.
    EXPECT_TRUE(std::isnan(reportRow(r.listing, "EQU", "demand").marginal));
    EXPECT_EQ(0.0, reportRow(r.listing, "VAR", "q").marginal);
    ReportRow rz = reportRow(r.listing, "EQU", "rz");
    EXPECT_NEAR(-2.0, rz.lower, 1e-12);
    EXPECT_NEAR(0.0, rz.level, 1e-9);
    EXPECT_EQ("REDEF", rz.flag);
    EXPECT_EQ("", reportRow(r.listing, "EQU", "mktb").flag);  // an =g= row above its bound holds as written
    EXPECT_EQ("REDEF", reportRow(r.listing, "EQU", "tax").flag);  // dropped with its fixed variable: 5 < 7
    EXPECT_TRUE(has(r.listing, "                            2  REDEFINED\n")) << r.listing;
    EXPECT_TRUE(has(r.listing, "                            0 INFEASIBLE\n"));
}

TEST(SystemModels, CnsSolvesSquareSystemsWithinBoundsAndSaysWhenItCannot) {
    // x^2 + y^2 = 5, x - y = 1 has the roots (2, 1) and (-1, -2); x >= 0 leaves one.
    // A fixed w does not count as an unknown.
    ModelRun r = runModel("cns", "Variables x, y, w; x.lo = 0; x.l = 3; y.l = 3; w.fx = 1;\n"
                            "Equations circle, line;\ncircle.. sqr(x) + sqr(y) =e= 5*w;\nline.. x - y =e= w;\n"
                            "Model sys / all /;\nsolve sys using cns;\n");
    ASSERT_EQ(0, r.status) << r.listing;
    EXPECT_TRUE(has(r.listing, "**** MODEL STATUS      16 Solved")) << r.listing;
    EXPECT_TRUE(has(r.listing, "     TYPE    CNS\n"));
    EXPECT_NEAR(2.0, reportRow(r.listing, "VAR", "x").level, 1e-6);
    EXPECT_NEAR(1.0, reportRow(r.listing, "VAR", "y").level, 1e-6);
    // x^2 = -1 has no root: the solver must not claim one.
    ModelRun none = runModel("cns-none", "Variable x; x.l = 1;\nEquation e; e.. sqr(x) =e= -1;\nModel m / e /;\nsolve m using cns;\n");
    ASSERT_EQ(0, none.status) << none.listing;
    EXPECT_TRUE(has(none.listing, "**** MODEL STATUS      5 Locally Infeasible")) << none.listing;
    EXPECT_TRUE(has(none.listing, " INFES"));
}

TEST(SystemModels, RefusesWhatGamsRefusesOrThisSolverDoesNotRead) {
    struct Case {
        const char* name;
        std::string text;
        int status;
        const char* words;
    };
    const std::string xy = "Variables x, y; Positive Variable p;\nEquations e1, e2, g;\n"
                           "e1.. x + y =e= 1;\ne2.. x - y =e= 0;\ng.. p - 1 =g= 0;\n";
    const std::vector<Case> cases = {
        {"cns-not-square", "Variables x, y, u;\nEquations e1, e2;\ne1.. x + y + u =e= 1;\ne2.. x - y =e= 0;\n"
                           "Model m / all /; solve m using cns;\n", 3, "not square: 2 equation(s), 3 non-fixed"},
        {"cns-inequality", xy + "Model m / e1, g /; y.fx = 0; solve m using cns;\n", 3, "CNS: equation g is =G="},
        {"pair-not-variable", xy + "Parameter c;\nModel m / g.c /; solve m using mcp;\n", 2, "'c' is not a variable"},
        {"pair-dimensions", "Set i / a, b /;\nPositive Variable p(i);\nEquation g;\ng.. sum(i, p(i)) =g= 1;\n"
                            "Model m / g.p /; solve m using mcp;\n", 2, "the equation has 0 index position(s), the variable 1"},
        {"mcp-objective", xy + "Model m / g.p /; solve m using mcp minimizing x;\n", 2, "MCP model has no objective"},
        {"pairs-as-nlp", xy + "Variable z; Equation o; o.. z =e= x;\nModel m / g.p, o /; solve m using nlp minimizing z;\n", 2,
         "only an MCP solve matches them"},
        {"unmatched-inequality", xy + "Model m / e1, g /; solve m using mcp;\n", 3, "equation g is =G= and not paired"},
        {"unmatched-bounded", xy + "Model m / e1, e2 /; x.lo = 0; solve m using mcp;\n", 3, "variable x is not paired"},
        {"counts-differ", xy + "Model m / e1, g.p /; solve m using mcp;\n", 3, "1 unmatched =E= equation(s) but 2 unmatched free"},
        {"empty-equation", "Set i / a, b /;\nAlias (i, ii);\nVariable x(i);\nEquation e(i);\n"
                           "e(i).. sum(ii$(ord(ii) = -1), x(ii)) =e= 0;\nModel m / e.x /; solve m using mcp;\n", 3,
         "MCP pair e(a).x(a) has empty equation but associated variable is NOT fixed"},
        {"g-with-upper-bound", xy + "p.up = 4;\nModel m / g.p /; solve m using mcp;\n", 3,
         "an =G= equation with a variable that has a finite upper bound is not supported"},
    };
    for (const Case& c : cases) {
        ModelRun r = runModel(c.name, c.text);
        EXPECT_EQ(c.status, r.status) << c.name << "\n" << r.listing;
        EXPECT_TRUE(has(r.listing, c.words)) << c.name << ": no '" << c.words << "' in\n" << r.listing;
        EXPECT_FALSE(has(r.listing, "S O L V E      S U M M A R Y")) << c.name;
    }
}

// F(x) = M x + q on unknowns with the given bounds.
BoxSystem linearSystem(std::vector<std::vector<double>> m, std::vector<double> q, std::vector<double> lower,
                       std::vector<double> upper) {
    BoxSystem s;
    s.lower = std::move(lower);
    s.upper = std::move(upper);
    s.values = [m, q](const std::vector<double>& x, std::vector<double>& f) {
        for (size_t i = 0; i < q.size(); i++) {
            f[i] = q[i];
            for (size_t j = 0; j < x.size(); j++) f[i] += m[i][j] * x[j];
        }
        return true;
    };
    s.jacobian = [m](const std::vector<double>&, std::vector<JacobianEntry>& entries) {
        entries.clear();
        for (size_t i = 0; i < m.size(); i++)
            for (size_t j = 0; j < m[i].size(); j++)
                if (m[i][j] != 0.0) entries.push_back({static_cast<int>(i), static_cast<int>(j), m[i][j]});
        return true;
    };
    return s;
}

TEST(SemismoothNewton, BoxesOfEveryKindAndHonestFailures) {
    // Independent unknowns: x0 in [0, 1] with F = x0 - 2 (ends at its upper bound),
    // x1 in [-1, 1] with F = x1 + 0.5 (interior), x2 in [-1, 1] with F = x2 + 3 (lower
    // bound), x3 <= 2 with F = x3 - 1 (interior), x4 free with F = 2 x4 - 3.
    BoxSystem s = linearSystem({{1, 0, 0, 0, 0}, {0, 1, 0, 0, 0}, {0, 0, 1, 0, 0}, {0, 0, 0, 1, 0}, {0, 0, 0, 0, 2}},
                               {-2, 0.5, 3, -1, -3}, {0, -1, -1, -kInf, -kInf}, {1, 1, 1, 2, kInf});
    NewtonLimits limits;
    NewtonResult r = solveBoxSystem(s, {0.5, 0, 0, 0, 0}, limits);
    ASSERT_EQ(NewtonResult::Solved, r.outcome);
    std::vector<double> expected = {1, -0.5, -1, 1, 1.5};
    for (size_t j = 0; j < expected.size(); j++) EXPECT_NEAR(expected[j], r.x[j], 1e-8) << j;

    // F = -1 with x >= 0 asks for x = +inf: no solution, and none claimed.
    NewtonResult none = solveBoxSystem(linearSystem({{0}}, {-1}, {0}, {kInf}), {1}, limits);
    EXPECT_NE(NewtonResult::Solved, none.outcome);
    EXPECT_GT(none.residual, limits.tolerance);

    // One iteration allowed on a problem that needs more: the limit is reported, not a solution.
    BoxSystem curved;
    curved.lower = {0};
    curved.upper = {kInf};
    curved.values = [](const std::vector<double>& x, std::vector<double>& f) { f[0] = std::exp(x[0]) - 50; return true; };
    curved.jacobian = [](const std::vector<double>& x, std::vector<JacobianEntry>& e) {
        e = {{0, 0, std::exp(x[0])}};
        return true;
    };
    limits.iterations = 1;
    EXPECT_EQ(NewtonResult::IterationLimit, solveBoxSystem(curved, {0}, limits).outcome);
    limits.iterations = 100;
    NewtonResult solved = solveBoxSystem(curved, {0}, limits);
    ASSERT_EQ(NewtonResult::Solved, solved.outcome);
    EXPECT_NEAR(std::log(50.0), solved.x[0], 1e-9);

    // A CNS's bounds are constraints: x^2 = 4 with x <= -0.1 has the root -2 only,
    // and a start beyond the bound is projected onto it.
    BoxSystem square = curved;
    square.complementary = false;
    square.lower = {-kInf};
    square.upper = {-0.1};
    square.values = [](const std::vector<double>& x, std::vector<double>& f) { f[0] = x[0] * x[0] - 4; return true; };
    square.jacobian = [](const std::vector<double>& x, std::vector<JacobianEntry>& e) {
        e = {{0, 0, 2 * x[0]}};
        return true;
    };
    NewtonResult root = solveBoxSystem(square, {3}, limits);
    ASSERT_EQ(NewtonResult::Solved, root.outcome);
    EXPECT_NEAR(-2.0, root.x[0], 1e-8);
}

}  // namespace
}  // namespace gamsub::testing
