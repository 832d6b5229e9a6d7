// The `gams` executable on the model corpus: optima against known answers,
// exit statuses, listing text and the command line.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>

namespace {

const std::string kGams = GAMS_EXE;
const std::string kModels = MODELS_DIR;

// A scratch folder for this test process, removed when it ends.
std::string scratch() {
    static struct Folder {
        std::string dir;
        Folder() {
            char tmpl[] = "/tmp/gamsub-test-XXXXXX";
            const char* made = mkdtemp(tmpl);
            dir = made ? made : "";
        }
        ~Folder() {
            if (!dir.empty()) (void)std::system(("rm -rf " + dir).c_str());
        }
    } folder;
    return folder.dir;
}

std::string readFile(const std::string& path) {
    std::ostringstream ss;
    ss << std::ifstream(path, std::ios::binary).rdbuf();
    return ss.str();
}

struct GamsRun {
    int status = -1;
    std::string log;      // standard output
    std::string listing;  // the listing file
};

// Runs `gams <args>` in the scratch folder; the listing is read from `lst`.
GamsRun gams(const std::string& args, const std::string& lst) {
    GamsRun r;
    int st = std::system(("cd " + scratch() + " && " + kGams + " " + args + " > gams-stdout.txt").c_str());
    r.status = WIFEXITED(st) ? WEXITSTATUS(st) : -1;
    r.log = readFile(scratch() + "/gams-stdout.txt");
    r.listing = readFile(lst[0] == '/' ? lst : scratch() + "/" + lst);
    return r;
}

GamsRun model(const std::string& name) {
    std::string lst = scratch() + "/" + name + ".lst";
    std::remove(lst.c_str());
    return gams(kModels + "/" + name + ".gms o=" + lst + " lo=0", lst);
}

double objective(const std::string& listing) {
    size_t at = listing.find("**** OBJECTIVE VALUE");
    if (at == std::string::npos) return NAN;
    return std::strtod(listing.c_str() + at + 20, nullptr);
}

// Values of a display (written with `option decimals = 8`): "label value" entries
// of a one-dimensional item, or "" for the value of a scalar.
std::map<std::string, double> displayed(const std::string& listing, const std::string& item) {
    std::map<std::string, double> values;
    size_t at = listing.find(" " + item + " ");
    if (at == std::string::npos) return values;
    size_t eol = listing.find('\n', at);
    std::string head = listing.substr(at, eol - at);
    size_t eq = head.find(" = ");
    if (eq != std::string::npos) {
        values[""] = std::strtod(head.c_str() + eq + 3, nullptr);
        return values;
    }
    std::istringstream body(listing.substr(eol + 2, listing.find("\n\n", eol + 2) - eol - 2));
    std::string label, number;
    while (body >> label >> number) values[label] = std::strtod(number.c_str(), nullptr);
    return values;
}

void expectNear(double actual, double expected, const std::string& what) {
    EXPECT_NEAR(actual, expected, 1e-6 * std::max(1.0, std::fabs(expected))) << what;
}

}  // namespace

TEST(Executable, FarmerExtensiveForm) {
    GamsRun r = model("farmer");
    ASSERT_EQ(r.status, 0) << r.listing;
    expectNear(objective(r.listing), 108390.0, "expected profit");
    auto x = displayed(r.listing, "VARIABLE x.L");
    expectNear(x["wheat"], 170.0, "wheat");
    expectNear(x["corn"], 80.0, "corn");
    expectNear(x["beets"], 250.0, "beets");
    // The listing reader finds the variable block in declaration and label order.
    size_t block = r.listing.find("---- VAR x  acres planted\n\n");
    ASSERT_NE(block, std::string::npos);
    size_t wheat = r.listing.find("\nwheat ", block), corn = r.listing.find("\ncorn ", block),
           beets = r.listing.find("\nbeets ", block);
    EXPECT_TRUE(wheat < corn && corn < beets);
    EXPECT_NE(r.listing.find("**** MODEL STATUS      1 Optimal"), std::string::npos);
}

TEST(Executable, LandS) {
    GamsRun r = model("lands");
    ASSERT_EQ(r.status, 0) << r.listing;
    expectNear(objective(r.listing), 381.853333, "expected cost");
    auto x = displayed(r.listing, "VARIABLE x.L");
    expectNear(x["p1"], 8.0 / 3, "p1");
    expectNear(x["p2"], 4.0, "p2");
    expectNear(x["p3"], 10.0 / 3, "p3");
    expectNear(x["p4"], 2.0, "p4");
    expectNear(displayed(r.listing, "VARIABLE cost.L")[""], 381.853333, "cost level");
}

TEST(Executable, QuadraticAndNonlinearModels) {
    GamsRun qp = model("template_qcp");
    ASSERT_EQ(qp.status, 0) << qp.listing;
    expectNear(displayed(qp.listing, "VARIABLE z.L")[""], 13.625, "template z");
    auto x = displayed(qp.listing, "VARIABLE x.L");
    expectNear(x["1"], 2.0, "x1");
    expectNear(x["2"], 2.5, "x2");
    EXPECT_LT(std::fabs(x["3"]), 1e-6);  // at its bound: zero, not displayed
    auto y = displayed(qp.listing, "VARIABLE y.L");
    expectNear(y["1"], 1.0, "y1");
    expectNear(y["2"], 4.0, "y2");

    GamsRun nlp = model("nlp_max");
    ASSERT_EQ(nlp.status, 0) << nlp.listing;
    EXPECT_NE(nlp.listing.find("DIRECTION  MAXIMIZE"), std::string::npos);
    expectNear(displayed(nlp.listing, "VARIABLE x.L")[""], std::log(3.0), "x");
    expectNear(displayed(nlp.listing, "VARIABLE y.L")[""], 2.0, "y");
    expectNear(displayed(nlp.listing, "VARIABLE z.L")[""], std::log(2.0) + 3 * std::log(3.0) - 4, "z");
}

// Derivatives of gamma, sin and centropy carry Ipopt to the optima known in closed form.
TEST(Executable, SpecialFunctionsOfVariables) {
    GamsRun r = model("special_functions");
    ASSERT_EQ(r.status, 0) << r.listing;
    expectNear(displayed(r.listing, "VARIABLE x1.L")[""], 1.46163214496836, "argmin gamma");
    expectNear(displayed(r.listing, "VARIABLE g.L")[""], 0.885603194410889, "min gamma");
    expectNear(displayed(r.listing, "VARIABLE x2.L")[""], 1.5 * M_PI, "argmin sin");
    expectNear(displayed(r.listing, "VARIABLE s.L")[""], -1.0, "min sin");
    expectNear(displayed(r.listing, "VARIABLE x3.L")[""], 0.2178117057198, "argmin centropy");
    expectNear(displayed(r.listing, "VARIABLE c.L")[""], -0.2784645427611, "min centropy");
}

// A degenerate QCP on which Ipopt with exact bounds stalls until the time
// limit: a convex QP, it goes to Clp's quadratic simplex and ends optimal; with
// its quadratic terms at weight 0 it is solved as the LP it is, by the simplex
// method, to the LP's own optimum.
TEST(Executable, DegenerateQcpAndVanishingQuadraticTerms) {
    GamsRun r = gams(kModels + "/degenerate_qcp.gms o=degenerate_qcp.lst lo=3", "degenerate_qcp.lst");
    ASSERT_EQ(r.status, 0) << r.log;
    EXPECT_EQ(r.listing.find("MODEL STATUS      7"), std::string::npos) << r.log;
    EXPECT_NE(r.log.find("--- Executing CLP\n--- Solver status 1, model status 1: Optimal solution. The convex"),
              std::string::npos)
        << r.log;
    EXPECT_NE(r.log.find("--- Executing CLP\n--- Solver status 1, model status 1"), std::string::npos) << r.log;
    double linear = displayed(r.listing, "PARAMETER linear")[""];
    expectNear(linear, 293.0, "LP optimum");
    expectNear(displayed(r.listing, "PARAMETER vanished")[""], linear, "QCP with rho 0");
    double penalised = displayed(r.listing, "PARAMETER penalised")[""];
    EXPECT_GT(penalised, linear);
    EXPECT_LT(penalised, linear + 1.0);
}

TEST(Executable, BoundsFixedVariablesAndAttributes) {
    GamsRun r = model("bounds");
    ASSERT_EQ(r.status, 0) << r.listing;
    expectNear(displayed(r.listing, "VARIABLE z.L")[""], 17.0, "z");
    auto x = displayed(r.listing, "VARIABLE x.L");
    expectNear(x["1"], 4.0, "fixed x1");
    expectNear(x["2"], 3.0, "x2 at its upper bound");
    EXPECT_LT(std::fabs(x["3"]), 1e-6);
    auto up = displayed(r.listing, "VARIABLE x.UP");
    EXPECT_EQ(up["1"], 4.0);
    EXPECT_EQ(up["2"], 3.0);
    double status = displayed(r.listing, "PARAMETER status")[""];
    EXPECT_TRUE(status == 1.0 || status == 2.0) << status;
    auto rr = displayed(r.listing, "PARAMETER r");  // computed from levels after the solve
    expectNear(rr["1"], 8.0, "r1");
    expectNear(rr["2"], 6.0, "r2");
}

TEST(Executable, InfeasibleAndUnboundedModelsStillRun) {
    GamsRun inf = model("infeasible");
    EXPECT_EQ(inf.status, 0);
    EXPECT_TRUE(inf.listing.find("**** MODEL STATUS      4") != std::string::npos ||
                inf.listing.find("**** MODEL STATUS      5") != std::string::npos)
        << inf.listing;
    EXPECT_NE(inf.listing.find("\n ** Infeasible solution."), std::string::npos);

    GamsRun unb = model("unbounded");
    EXPECT_EQ(unb.status, 0);
    EXPECT_NE(unb.listing.find("**** MODEL STATUS      3 Unbounded"), std::string::npos) << unb.listing;
}

TEST(Executable, CompilationAndExecutionErrors) {
    GamsRun c = model("compile_errors");
    EXPECT_EQ(c.status, 2);
    EXPECT_NE(c.listing.find("**** 5 ERROR(S)   0 WARNING(S)"), std::string::npos) << c.listing;
    EXPECT_NE(c.listing.find("   2  Acronym b;\n****        $901\n"), std::string::npos) << c.listing;
    EXPECT_NE(c.listing.find("model type emp is not supported"), std::string::npos);
    EXPECT_EQ(c.listing.find("S O L V E"), std::string::npos);
    EXPECT_EQ(c.listing.rfind("\n**** USER ERROR(S) ENCOUNTERED\n"), c.listing.size() - 32);

    GamsRun e = model("execerror");
    EXPECT_EQ(e.status, 3);
    EXPECT_NE(e.listing.find("**** Exec Error at line 4: division by zero"), std::string::npos) << e.listing;
    EXPECT_EQ(e.listing.find("----      5 PARAMETER q"), std::string::npos);  // execution stopped

    // A nonlinear row in an LP is refused before the solve.
    std::ofstream(scratch() + "/nonlin.gms") << "Variable x, z;\nEquation o;\no.. z =e= x*x;\n"
                                                "Model m /all/;\nSolve m using lp minimizing z;\n";
    GamsRun n = gams("nonlin lo=0", "nonlin.lst");
    EXPECT_EQ(n.status, 3);
    EXPECT_NE(n.listing.find("Equation o is nonlinear: model type LP"), std::string::npos) << n.listing;
    EXPECT_NE(n.listing.find("**** SOLVE from line 5 ABORTED"), std::string::npos);
}

TEST(Executable, CommandLineForms) {
    std::ofstream(scratch() + "/tiny.gms") << "Variable z; Equation e; e.. z =g= 2;\n"
                                              "Model m /all/; Solve m using lp minimizing z;\n";
    for (const std::string form : {"o=a1.lst", "-o a2.lst", "o a3.lst", "-o=a4.lst", "output=a5.lst"}) {
        std::string lst = "a" + form.substr(form.find('a') + 1, 1) + ".lst";
        GamsRun r = gams("tiny.gms " + form + " lo=0 ps=9999 pw=255 solver=ipopt", lst);
        EXPECT_EQ(r.status, 0) << form;
        expectNear(objective(r.listing), 2.0, form);
        EXPECT_TRUE(r.log.empty()) << form << ": lo=0 logs nothing";
    }
    // Default listing name: base name + .lst in the working directory that curdir= sets.
    std::string sub = scratch() + "/sub";
    ASSERT_EQ(std::system(("mkdir -p " + sub + " && cp " + scratch() + "/tiny.gms " + sub).c_str()), 0);
    GamsRun d = gams("tiny curdir=" + sub, sub + "/tiny.lst");
    EXPECT_EQ(d.status, 0);
    expectNear(objective(d.listing), 2.0, "default listing");
    EXPECT_NE(d.log.find("--- Timing: total "), std::string::npos) << d.log;  // lo=3 is the default
    EXPECT_NE(d.log.find(" s, Ipopt "), std::string::npos);

    GamsRun l = gams("tiny.gms lo=2 lf=tiny.log o=tiny.lst", "tiny.lst");
    EXPECT_TRUE(l.log.empty());
    EXPECT_NE(readFile(scratch() + "/tiny.log").find("--- Timing: total "), std::string::npos);

    GamsRun missing = gams("no_such_model lo=0", "no_such_model.lst");
    EXPECT_EQ(missing.status, 2);
    EXPECT_NE(missing.listing.find("Could not open the input file"), std::string::npos);

    // A solver control on the command line follows the option statement's rules:
    // at its default it is harmless, another value would be ignored, so it is refused.
    GamsRun atDefault = gams("tiny.gms o=c1.lst lo=0 optfile=0 holdfixed=0", "c1.lst");
    EXPECT_EQ(atDefault.status, 0);
    GamsRun optfile = gams("tiny.gms o=c2.lst lo=0 optfile=1 2> c2.err", "c2.lst");
    EXPECT_EQ(optfile.status, 6);
    EXPECT_NE(readFile(scratch() + "/c2.err").find("optfile=1 is not supported"), std::string::npos);

    // rmip=cplex chooses no solver here, but the model reads the choice as
    // %gams.rmip%; %gams.scrdir% is a scratch folder that exists during the run only.
    std::ofstream(scratch() + "/choice.gms") << "File f / '%gams.scrdir%x.txt' /;\n"
                                                "put f 'x' /; putclose f;\n"
                                                "File g / choice.txt /;\n"
                                                "put g '%gams.rmip%|%gams.mip%|%gams.scrdir%' /;\n";
    GamsRun choice = gams("choice.gms o=choice.lst lo=0 rmip=cplex", "choice.lst");
    EXPECT_EQ(choice.status, 0) << choice.listing;
    std::string written = readFile(scratch() + "/choice.txt");
    EXPECT_EQ(written.substr(0, 8), "cplex||/") << written;
    std::string folder = written.substr(7, written.find('\n') - 7);
    EXPECT_FALSE(folder.empty());
    EXPECT_NE(access(folder.c_str(), F_OK), 0) << folder << " should be gone after the run";
}

// The block the console program appends after a scenario's solve: values fixed
// just before an upper-case solve statement that spans lines come back from the
// put file at full precision.
TEST(Executable, SolutionBlockAfterTheSolve) {
    std::ofstream(scratch() + "/sol.gms") << "Set j / 1*3 /;\n"
                                             "Variable x(j), y(j), cost;\n"
                                             "Equation link(j), obj;\n"
                                             "link(j).. y(j) =e= x(j) / 3;\n"
                                             "obj.. cost =e= sum(j, sqr(x(j) - 1e-9));\n"
                                             "loop(j, x.fx(j) = -ord(j) / 7;);\n"
                                             "x.fx('1') = 170.123456789012;\n"
                                             "Model m / all /;\n"
                                             "SOLVE m\n   USING nlp\n   MINIMIZING cost;\n"
                                             "file phaSolution / 'sol.txt' /;\n"
                                             "phaSolution.nr = 2; phaSolution.nw = 0; phaSolution.nd = 15; "
                                             "phaSolution.nz = 0;\n"
                                             "put phaSolution;\n"
                                             "put 'x 1 ' x.l('1') /;\n"
                                             "put 'x 3 ' x.l('3') /;\n"
                                             "put 'y 1 ' y.l('1') /;\n"
                                             "put 'cost ' cost.l /;\n"
                                             "putclose phaSolution;\n";
    GamsRun r = gams("sol.gms lo=0", "sol.lst");
    ASSERT_EQ(r.status, 0) << r.listing;
    std::istringstream sol(readFile(scratch() + "/sol.txt"));
    std::map<std::string, double> values;
    std::string name, label, line;
    while (std::getline(sol, line)) {
        size_t last = line.rfind(' ');
        values[line.substr(0, last)] = std::strtod(line.c_str() + last + 1, nullptr);
    }
    double x1 = 170.123456789012, x3 = -3.0 / 7;
    EXPECT_NEAR(values["x 1"], x1, 1e-15 * x1);
    EXPECT_NEAR(values["x 3"], x3, 1e-15);
    EXPECT_NEAR(values["y 1"], x1 / 3, 1e-12);  // as exact as the solver's equation
    double cost = (x1 - 1e-9) * (x1 - 1e-9) + (2.0 / 7 + 1e-9) * (2.0 / 7 + 1e-9) + (3.0 / 7 + 1e-9) * (3.0 / 7 + 1e-9);
    EXPECT_NEAR(values["cost"], cost, 1e-12 * cost);
}

// A worker writes each scenario's listing and solution file over those of the
// last round, in place: what the new run writes is all the files hold.
TEST(Executable, OutputsWrittenOverOldOnesHoldOnlyTheNewText) {
    std::ofstream(scratch() + "/over.gms") << "Variable x, z;\nEquation e;\ne.. z =e= sqr(x - 2);\n"
                                              "Model m / all /;\nsolve m using nlp minimizing z;\n"
                                              "file s / 'over.sol' /;\nput s 'x ' x.l:0:6 /;\nputclose s;\n";
    GamsRun first = gams("over.gms lo=0", "over.lst");
    ASSERT_EQ(first.status, 0) << first.listing;
    const std::string solution = readFile(scratch() + "/over.sol");
    EXPECT_EQ(solution, "x 2.000000\n");
    // The old files: longer, and marked stale in their first byte as pha marks them.
    const std::string old = std::string(1, '\0') + std::string(200000, 'o') + "\nOLD TAIL\n";
    for (const char* name : {"/over.lst", "/over.sol"}) std::ofstream(scratch() + name, std::ios::binary) << old;
    GamsRun again = gams("over.gms lo=0", "over.lst");
    ASSERT_EQ(again.status, 0) << again.listing;
    EXPECT_EQ(readFile(scratch() + "/over.sol"), solution);
    EXPECT_EQ(again.listing.find("OLD TAIL"), std::string::npos);
    EXPECT_EQ(again.listing.find('\0'), std::string::npos);
    EXPECT_EQ(again.listing.size(), first.listing.size());
    EXPECT_EQ(again.listing.substr(again.listing.size() - 40), first.listing.substr(first.listing.size() - 40));
}

// SOS2 variables: each x(i,*) may be nonzero in two neighbouring points at most,
// so the piecewise linear concave function is followed; the relaxation (RMIP)
// drops that and mixes the end points. In a nonlinear model they are refused.
TEST(Executable, SpecialOrderedSets) {
    std::ofstream(scratch() + "/sos.gms")
        << "Set i / a, b /, s / s0*s4 /;\n"
           "Parameter p(s), f(s), at(i) / a 1.5, b 2.5 /;\n"
           "p(s) = s.off; f(s) = -sqr(p(s) - 2);\n"
           "SOS2 Variable l(i,s);\nVariable x(i), z;\n"
           "Equation defx(i), one(i), obj;\n"
           "defx(i).. x(i) =e= sum(s, p(s)*l(i,s));\none(i).. sum(s, l(i,s)) =e= 1;\n"
           "obj.. z =e= sum((i,s), f(s)*l(i,s));\n"
           "x.fx(i) = at(i);\nModel m / all /;\n"
           "Solve m using mip minimizing z;\nScalar withsets; withsets=z.l;\n"
           "Solve m using rmip minimizing z;\nScalar relaxed; relaxed=z.l;\n"
           "option decimals = 8; display withsets, relaxed;\n";
    GamsRun r = gams("sos lo=0", "sos.lst");
    EXPECT_EQ(r.status, 0) << r.listing;
    expectNear(displayed(r.listing, "withsets")[""], -1.0, "SOS2 follows the function: -0.5 at 1.5 and at 2.5");
    expectNear(displayed(r.listing, "relaxed")[""], -8.0, "the relaxation mixes the end points");

    std::ofstream(scratch() + "/sosnl.gms") << "Set s / s0*s2 /;\nSOS1 Variable l(s);\nVariable z;\nEquation o;\n"
                                               "o.. z =e= sum(s, sqr(l(s) - 1));\nModel m / all /;\n"
                                               "Solve m using minlp minimizing z;\n";
    GamsRun n = gams("sosnl lo=0", "sosnl.lst");
    EXPECT_NE(n.listing.find("SOS variables are not supported in nonlinear models"), std::string::npos) << n.listing;
    EXPECT_NE(n.listing.find("**** MODEL STATUS      14 No Solution Returned"), std::string::npos);
}

// A model cannot run away with the machine: its own reslim (option or model
// attribute) bounds the front end's loops, and compilation stops at a file that
// includes itself twice per level, at %a%%a% doubling a variable, and a set at
// the entry limit, each with a message naming the limit.
TEST(Executable, CompilationAndExecutionAreBounded) {
    std::ofstream(scratch() + "/loop1.gms") << "Scalar k / 0 /;\noption reslim = 0.5;\nwhile(1, k = k + 1);\n";
    std::ofstream(scratch() + "/loop2.gms") << "Scalar k / 0 /;\nVariable z; Equation e; e.. z =e= 1; Model m /all/;\n"
                                               "m.reslim = 0.5;\nwhile(1, k = k + 1);\n";
    for (const char* name : {"loop1", "loop2"}) {
        GamsRun r = gams(std::string(name) + " lo=0", std::string(name) + ".lst");
        EXPECT_EQ(r.status, 3) << name;
        EXPECT_NE(r.listing.find("evaluation ran past the time limit (reslim = 0.5 s)"), std::string::npos) << r.listing;
    }
    std::ofstream(scratch() + "/twice.gms") << "$include twice.gms\n$include twice.gms\nScalar x;\n";
    GamsRun twice = gams("twice lo=0", "twice.lst");
    EXPECT_EQ(twice.status, 2);
    EXPECT_NE(twice.listing.find("$include nested more than 40 deep"), std::string::npos);
    EXPECT_NE(twice.listing.find("**** 1 ERROR(S)"), std::string::npos);

    std::ofstream grow(scratch() + "/grow.gms");
    grow << "$set a x\n";
    for (int k = 0; k < 30; k++) grow << "$set a %a%%a%\n";
    grow << "Scalar y;\n";
    grow.close();
    GamsRun g = gams("grow lo=0", "grow.lst");
    EXPECT_EQ(g.status, 2);
    EXPECT_NE(g.listing.find("the 10000000 this solver allows"), std::string::npos) << g.listing.substr(0, 3000);

    std::ofstream(scratch() + "/many.gms") << "Set a /1*1000000/, b /1*6/, c(a,b);\nc(a,b) = yes;\n";
    GamsRun many = gams("many lo=0", "many.lst");
    EXPECT_EQ(many.status, 3);
    EXPECT_NE(many.listing.find("'c' would hold more than 5000000 entries"), std::string::npos);
}

// holdfixed = 1: fixed variables are constants of the solve. The answer is the
// same; their marginals do not exist, so the listing shows NA and reading one fails.
TEST(Executable, HoldFixedMarginalsAreNotAvailable) {
    std::ofstream(scratch() + "/hold.gms") << "Variable x, y, z;\nEquation e, o;\n"
                                              "e.. x + y =g= 3;\no.. z =e= sqr(x) + 2*y;\n"
                                              "y.fx = 1;\nModel m / all /;\nm.holdfixed = 1;\n"
                                              "Solve m using nlp minimizing z;\nScalar ym; ym = y.m;\n";
    GamsRun r = gams("hold lo=0", "hold.lst");
    EXPECT_EQ(r.status, 3);
    expectNear(objective(r.listing), 6.0, "x = 2, y = 1 either way");
    EXPECT_NE(r.listing.find("---- VAR y              1.000     1.000     1.000      NA"), std::string::npos)
        << r.listing;
    EXPECT_NE(r.listing.find("y.m is NA: not available"), std::string::npos);
}

// As GAMS: a discrete variable in a model solved as LP (or NLP, QCP, DNLP) is an
// error, never relaxed silently; a binary or integer with a fractional bound is
// a matrix error; a discrete variable outside the model's equations is no concern.
TEST(Executable, DiscreteVariablesNeedADiscreteTypeAndWholeBounds) {
    std::ofstream(scratch() + "/disc.gms") << "Binary Variable b, unused; Integer Variable n; Variable z;\n"
                                              "Equation e; e.. z =e= b + n;\nModel m /all/;\n"
                                              "n.lo = 1;\nSolve m using mip minimizing z;\nScalar first; first=z.l;\n"
                                              "n.lo = 1.5;\nSolve m using mip minimizing z;\n";
    GamsRun r = gams("disc lo=0", "disc.lst");
    EXPECT_EQ(r.status, 3);
    expectNear(objective(r.listing), 1.0, "the first solve is a MIP with whole bounds");
    EXPECT_NE(r.listing.find("Bounds on discrete variables have to be whole numbers: n has the bound 1.5"),
              std::string::npos) << r.listing;
    std::ofstream(scratch() + "/lpdisc.gms") << "Binary Variable b; Variable z;\nEquation e; e.. z =e= b;\n"
                                                "b.lo = 0.5;\nModel m /all/;\nSolve m using lp minimizing z;\n";
    GamsRun lp = gams("lpdisc lo=0", "lpdisc.lst");
    EXPECT_EQ(lp.status, 3);
    EXPECT_NE(lp.listing.find("is solved as LP but holds the discrete variable 'b'"), std::string::npos) << lp.listing;
    EXPECT_EQ(lp.listing.find("S O L V E"), std::string::npos);
}

// No GDX library exists here: execute_unload writes its symbols as text to
// <file>.txt, at full precision, and says so; a rename or a load is refused.
TEST(Executable, ExecuteUnloadWritesTextInsteadOfGdx) {
    std::ofstream(scratch() + "/unload.gms")
        << "Set i / a 'first', b /;\nParameter p(i) / a 0.1, b 2 /;\nPositive Variable x(i);\nVariable z;\n"
           "Equation cap(i), o;\ncap(i).. x(i) =l= p(i);\no.. z =e= sum(i, x(i));\nModel m / all /;\n"
           "Solve m using lp maximizing z;\nexecute_unload 'out.gdx', p, x, cap;\nexecute_unload \"all.gdx\";\n";
    GamsRun r = gams("unload lo=0", "unload.lst");
    EXPECT_EQ(r.status, 0) << r.listing;
    EXPECT_NE(r.listing.find("the symbols are written as text to out.gdx.txt"), std::string::npos) << r.listing;
    const std::string some = readFile(scratch() + "/out.gdx.txt");
    EXPECT_NE(some.find("parameter p(i)\n'a' 0.10000000000000001\n'b' 2\n"), std::string::npos) << some;
    EXPECT_NE(some.find("variable x(i) positive (level marginal lower upper scale)\n'a' 0.10000000000000001 "),
              std::string::npos) << some;
    EXPECT_NE(some.find("equation cap(i) (level marginal)\n'a' 0.10000000000000001 1\n"), std::string::npos) << some;
    EXPECT_EQ(some.find("set i"), std::string::npos) << "only the symbols listed";
    const std::string all = readFile(scratch() + "/all.gdx.txt");
    EXPECT_NE(all.find("set i(*)\n'a' 'first'\n'b'\n"), std::string::npos) << all;
    EXPECT_NE(all.find("variable z free"), std::string::npos) << all;

    std::ofstream(scratch() + "/rename.gms") << "Parameter p / 1 /;\nexecute_unload 'r.gdx', q=p;\n";
    EXPECT_EQ(gams("rename lo=0", "rename.lst").status, 2);
    std::ofstream(scratch() + "/load.gms") << "Parameter p;\nexecute_load 'r.gdx', p;\n";
    GamsRun load = gams("load lo=0", "load.lst");
    EXPECT_EQ(load.status, 2);
    EXPECT_NE(load.listing.find("reads or writes a GDX file"), std::string::npos) << load.listing;
}
