// The bundled solver called in process: several runs one after another in
// one process, paths against curdir, file errors, and how a GAMS path is
// recognised as the bundled solver.
#include <gtest/gtest.h>
#include <unistd.h>

#include <climits>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "BundledIdentity.h"
#include "RunGams.h"
#include "WarmStarts.h"

namespace gamsub::testing {
namespace {

std::string readAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The rest of the line that starts with `start`.
std::string lineAfter(const std::string& text, const std::string& start) {
    size_t at = text.find("\n" + start);
    if (at == std::string::npos) return "";
    at += 1 + start.size();
    return text.substr(at, text.find('\n', at) - at);
}

void writeFile(const std::string& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

std::string currentDirectory() {
    std::vector<char> buffer(PATH_MAX + 1, '\0');
    return getcwd(buffer.data(), buffer.size() - 1) ? buffer.data() : "";
}

// A fresh directory per test under the system's temporary directory.
std::string scratch(const std::string& name) {
    std::string dir = ::testing::TempDir() + "rungams-" + name;
    std::string command = "rm -rf '" + dir + "' && mkdir -p '" + dir + "'";
    EXPECT_EQ(0, std::system(command.c_str()));
    return dir;
}

// min z = c*x with x >= lower: optimum c*lower, or c*ceil(lower) for an integer x (a MIP).
std::string tinyModel(double cost, double lower, bool integer = false) {
    std::ostringstream m;
    m << (integer ? "Integer" : "Positive") << " Variable x;\nVariable z;\nx.lo = " << lower << ";\nx.up = 100;\n"
      << "Equation obj;\nobj.. z =e= " << cost << "*x;\nModel tiny / all /;\nSolve tiny using "
      << (integer ? "mip" : "lp") << " minimizing z;\n";
    return m.str();
}

struct RunResult {
    int status;
    std::string console, errors;
};

RunResult run(const std::vector<std::string>& args) {
    std::ostringstream console, errors;
    int status = runGams(args, console, errors);
    return {status, console.str(), errors.str()};
}

TEST(RunGams, RunsOneAfterAnotherInTheirOwnDirectoriesWithoutChangingTheProcesss) {
    std::string a = scratch("a"), b = scratch("b");
    writeFile(a + "/m.gms", tinyModel(2, 3));
    writeFile(b + "/m.gms", tinyModel(5, 7, true));
    std::string before = currentDirectory();
    for (int round = 0; round < 2; round++) {
        RunResult first = run({"m", "o=m.lst", "lo=0", "reslim=7", "iterlim=99", "curdir=" + a});
        RunResult second = run({"m.gms", "lo=2", "lf=solve.log", "curdir=" + b});
        ASSERT_EQ(0, first.status) << first.errors;
        ASSERT_EQ(0, second.status) << second.errors;
        EXPECT_TRUE(first.console.empty());
        std::string listing = readAll(a + "/m.lst");
        EXPECT_NE(std::string::npos, listing.find("**** OBJECTIVE VALUE                6.0000"));
        // Limits from the command line reach the solve (and its summary), for this run only.
        EXPECT_EQ("         7.000", lineAfter(listing, " RESOURCE USAGE, LIMIT").substr(15));
        EXPECT_EQ("            99", lineAfter(listing, " ITERATION COUNT, LIMIT").substr(10));
        EXPECT_EQ("    2000000000", lineAfter(readAll(b + "/m.lst"), " ITERATION COUNT, LIMIT").substr(10));
        // Without o= the listing is the input's base name, in curdir; the MIP: 5 * 7.
        EXPECT_NE(std::string::npos, readAll(b + "/m.lst").find("**** OBJECTIVE VALUE               35.0000"));
        EXPECT_NE(std::string::npos, readAll(b + "/solve.log").find("*** Status: Normal completion"));
    }
    EXPECT_EQ(before, currentDirectory());
}

// One farmer scenario with its hedging terms (a convex QP), the weights and
// averages given: the model the worker solves again every iteration.
std::string hedgedFarmer(double w, double xbar, double rho, const std::string& quota = "6000") {
    std::ostringstream m;
    m << "Set i / 1*3 /, j / 1*6 /;\nParameter yield(i) / 1 2.5, 2 3, 3 20 /, cost(i) / 1 150, 2 230, 3 260 /;\n"
      << "Parameter w(i), xbar(i);\nw('1') = " << w << "; w('2') = " << -w << "; w('3') = " << 0.5 * w << ";\n"
      << "xbar('1') = " << 170 + xbar << "; xbar('2') = " << 80 - xbar << "; xbar('3') = " << 250 + xbar << ";\n"
      << "Scalar rho / " << rho << " /;\nPositive Variables x(i), y(j);\nVariable z;\ny.up('5') = " << quota << ";\n"
      << "Equations land, needWheat, needCorn, beets, obj;\nland.. sum(i, x(i)) =l= 500;\n"
      << "needWheat.. yield('1')*x('1') + y('1') - y('3') =g= 200;\n"
      << "needCorn.. yield('2')*x('2') + y('2') - y('4') =g= 240;\nbeets.. y('5') + y('6') =l= yield('3')*x('3');\n"
      << "obj.. z =e= sum(i, cost(i)*x(i)) + 238*y('1') + 210*y('2') - 170*y('3') - 150*y('4') - 36*y('5')"
      << " - 10*y('6') + sum(i, w(i)*x(i)) + rho/2*sum(i, sqr(x(i) - xbar(i)));\n"
      << "Model farmer / all /;\nSolve farmer using qcp minimizing z;\n";
    return m.str();
}

// The listing from the solve summary on, without the lines that tell times or iterations.
std::string solutionPart(const std::string& listing) {
    std::istringstream lines(listing.substr(listing.find("S O L V E")));
    std::string line, kept;
    while (std::getline(lines, line))
        if (line.find("USAGE") == std::string::npos && line.find("ITERATION") == std::string::npos &&
            line.find("TIME") == std::string::npos && line.find("time") == std::string::npos)
            kept += line + "\n";
    return kept;
}

int iterations(const std::string& listing) {
    return std::stoi(lineAfter(listing, " ITERATION COUNT, LIMIT").substr(0, 10));
}

// The worker keeps each scenario's last solution: the next iteration's QP
// (other weights and averages, same structure) starts from it and must end at
// the same solution, levels and marginals, as a solve from scratch; also when
// a bound the kept basis sits on is gone (the beet quota lifted).
TEST(RunGams, WarmStartedSolveEndsWhereAColdOneDoes) {
    std::string dir = scratch("warm");
    const std::vector<std::string> args = {"scenario.gms", "o=scenario.lst", "lo=0", "curdir=" + dir};
    const double moves[][2] = {{0, 30}, {12.5, 10}, {20, -4}, {3, 0.5}, {3, 0.5}};
    auto quota = [&moves](size_t k) { return k + 1 == std::size(moves) ? "inf" : "6000"; };
    keepWarmStarts(true);
    std::vector<std::string> warm;
    for (size_t k = 0; k < std::size(moves); k++) {
        writeFile(dir + "/scenario.gms", hedgedFarmer(moves[k][0], moves[k][1], 1.0, quota(k)));
        ASSERT_EQ(0, run(args).status) << readAll(dir + "/scenario.lst");
        warm.push_back(readAll(dir + "/scenario.lst"));
    }
    keepWarmStarts(false);
    int coldTotal = 0, warmTotal = 0;
    for (size_t k = 0; k < warm.size(); k++) {
        writeFile(dir + "/scenario.gms", hedgedFarmer(moves[k][0], moves[k][1], 1.0, quota(k)));
        ASSERT_EQ(0, run(args).status);
        std::string cold = readAll(dir + "/scenario.lst");
        EXPECT_NE(std::string::npos, cold.find("SOLVER  CLP"));
        EXPECT_NE(std::string::npos, cold.find("MODEL STATUS      1 Optimal"));
        EXPECT_EQ(solutionPart(cold), solutionPart(warm[k])) << "iteration " << k;
        if (k > 0) {
            coldTotal += iterations(cold);
            warmTotal += iterations(warm[k]);
        }
    }
    // The memory was used: the later solves started nearer their optimum.
    EXPECT_LT(warmTotal, coldTotal);
}

// $include is read from the model's own folder, --name=value sets %name%,
// whatever the process's working directory is.
TEST(RunGams, IncludesAndCompileTimeVariablesOfTheCommandLine) {
    std::string dir = scratch("include");
    ASSERT_EQ(0, std::system(("mkdir -p '" + dir + "/model'").c_str()));
    writeFile(dir + "/model/data.gms", "Scalar lower / %low% /;\n");
    writeFile(dir + "/model/m.gms",
              "$include data.gms\nPositive Variable x;\nVariable z;\nx.lo = lower;\nEquation obj;\n"
              "obj.. z =e= 3*x;\nModel tiny / all /;\nSolve tiny using lp minimizing z;\n");
    RunResult r = run({"model/m.gms", "--LOW=4", "lo=0", "curdir=" + dir});
    ASSERT_EQ(0, r.status) << r.errors << readAll(dir + "/m.lst");
    EXPECT_NE(std::string::npos, readAll(dir + "/m.lst").find("**** OBJECTIVE VALUE               12.0000"));
}

TEST(RunGams, CommandLineAndDirectoryErrorsAreParameterErrors) {
    RunResult noDirectory = run({"m", "curdir=/nonexistent-directory-of-rungams"});
    EXPECT_EQ(6, noDirectory.status);
    EXPECT_NE(std::string::npos, noDirectory.errors.find("/nonexistent-directory-of-rungams"));
    EXPECT_EQ(6, run({"m", "lo=9"}).status);
    EXPECT_EQ(6, run({"m", "optcr=-0.1"}).status);
    EXPECT_EQ(6, run({"m", "reslim=nan"}).status);
    EXPECT_EQ(6, run({}).status);
}

// A listing or log that cannot be written completely is GAMS's file error,
// with the reason on stderr and never "Normal completion" in the log.
TEST(RunGams, UnwritableListingOrLogIsAFileError) {
    std::string dir = scratch("full");
    writeFile(dir + "/m.gms", tinyModel(1, 1));
    ASSERT_EQ(0, symlink("/dev/full", (dir + "/full.lst").c_str()));
    RunResult listing = run({"m", "o=full.lst", "lo=2", "lf=m.log", "curdir=" + dir});
    EXPECT_EQ(5, listing.status);
    EXPECT_NE(std::string::npos, listing.errors.find("full.lst")) << listing.errors;
    EXPECT_NE(std::string::npos, listing.errors.find("No space left on device")) << listing.errors;
    std::string log = readAll(dir + "/m.log");
    EXPECT_EQ(std::string::npos, log.find("Normal completion")) << log;
    EXPECT_NE(std::string::npos, log.find("*** Status: File error(s)")) << log;

    ASSERT_EQ(0, symlink("/dev/full", (dir + "/full.log").c_str()));
    RunResult logRun = run({"m", "lo=2", "lf=full.log", "curdir=" + dir});
    EXPECT_EQ(5, logRun.status);
    EXPECT_NE(std::string::npos, logRun.errors.find("full.log")) << logRun.errors;

    RunResult noListing = run({"m", "o=missing-dir/m.lst", "lo=0", "curdir=" + dir});
    EXPECT_EQ(5, noListing.status);
    EXPECT_NE(std::string::npos, noListing.errors.find("Cannot open the listing file")) << noListing.errors;
}

TEST(BundledIdentity, TheExecutableCarriesTheMarkerAndPrintsIt) {
    EXPECT_TRUE(namesBundledSolver(GAMS_EXE));
    std::string dir = scratch("identity");
    writeFile(dir + "/gams", "#!/bin/sh\necho a real gams\n");
    EXPECT_FALSE(namesBundledSolver(dir + "/gams"));
    EXPECT_FALSE(namesBundledSolver(dir + "/no-such-file"));
    // The marker across the boundary of two reads is still found.
    writeFile(dir + "/padded", std::string((1 << 16) - 5, 'x') + kBundledSolverMarker);
    EXPECT_TRUE(namesBundledSolver(dir + "/padded"));

    RunResult id = run({"--bundled-id"});
    EXPECT_EQ(0, id.status);
    EXPECT_EQ(std::string(kBundledSolverMarker) + "\n", id.console);
}

}  // namespace
}  // namespace gamsub::testing
