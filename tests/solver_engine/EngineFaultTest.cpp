// Integer models with quadratic terms: squares of binaries go to CBC as a MIP
// with the same optimum, and a fault inside a solver library (an assertion
// that aborts, an exception) is a failed solve with its cause, never the end
// of the solver's process.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <sstream>
#include <stdexcept>
#include <string>

#include "IsolatedRun.h"

namespace gamsub::testing {
namespace {

std::string readAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string lineAfter(const std::string& text, const std::string& start) {
    size_t at = text.find(start);
    if (at == std::string::npos) return "";
    at += start.size();
    return text.substr(at, text.find('\n', at) - at);
}

TEST(IsolatedRun, ResultAbortAndExceptionOfTheWork) {
    EXPECT_EQ("42 and more", runIsolated([] { return std::string("42 and more"); }, "Lib"));
    try {
        runIsolated(
            []() -> std::string {
                std::cerr << "lib.cpp:7: assertion `lower < upper' failed." << std::endl;
                std::abort();
            },
            "Lib");
        FAIL() << "an abort must become an EngineFault";
    } catch (const EngineFault& fault) {
        const std::string what = fault.what();
        EXPECT_NE(std::string::npos, what.find("Lib stopped on signal 6")) << what;
        EXPECT_NE(std::string::npos, what.find("assertion `lower < upper' failed")) << what;
    }
    try {
        runIsolated([]() -> std::string { throw std::runtime_error("no memory for the tree"); }, "Lib");
        FAIL() << "an exception must become an EngineFault";
    } catch (const EngineFault& fault) {
        EXPECT_EQ("Lib failed: no memory for the tree", std::string(fault.what()));
    }
}

// One scenario of a facility network design with its hedging terms: binary
// x, continuous recourse y, and the proximal term sqr(x - xbar) of the
// binaries. Enumerating the 16 choices of x (each an LP in y) gives the
// optimum 863.625 at x = (1, 1, 1, 0). `extra` adds to the objective.
std::string networkScenario(const std::string& extra) {
    return "Set i / 1*4 /, k / 1*3 /;\n"
           "Parameter f(i) / 1 120, 2 100, 3 140, 4 90 /, cap(i) / 1 60, 2 50, 3 70, 4 40 /,\n"
           "  dem(k) / 1 70, 2 45, 3 65 /, w(i) / 1 35, 2 32, 3 56, 4 -18 /,\n"
           "  xbar(i) / 1 1, 2 0.8, 3 0.85, 4 0 /;\n"
           "Table t(i,k)\n     1  2  3\n 1   2  4  6\n 2   5  2  4\n 3   3  3  2\n 4   6  4  3 ;\n"
           "Binary Variable x(i);\nPositive Variable y(i,k), u(k);\nVariables z, cost;\n"
           "Equations capc(i), demc(k), costdef, obj;\n"
           "capc(i).. sum(k, y(i,k)) =l= cap(i)*x(i);\n"
           "demc(k).. sum(i, y(i,k)) + u(k) =g= dem(k);\n"
           "costdef.. cost =e= sum(i, f(i)*x(i)) + sum((i,k), t(i,k)*y(i,k)) + 40*sum(k, u(k));\n"
           "obj.. z =e= cost + sum(i, w(i)*x(i)) + sum(i, 10*sqr(x(i) - xbar(i)))" + extra + ";\n"
           "Model nd / all /;\noption optcr = 0;\nSolve nd using miqcp minimizing z;\n";
}

// Runs the bundled solver on `model` in a fresh directory; its listing.
std::string solveAndList(const std::string& name, const std::string& model, int& exitStatus) {
    std::string dir = ::testing::TempDir() + "enginefault-" + name;
    EXPECT_EQ(0, std::system(("rm -rf '" + dir + "' && mkdir -p '" + dir + "'").c_str()));
    std::ofstream(dir + "/m.gms") << model;
    int status = std::system(("cd '" + dir + "' && '" + GAMS_EXE + "' m.gms > log.txt 2>&1").c_str());
    exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return readAll(dir + "/m.lst");
}

TEST(IntegerQuadratic, BinarySquaresSolveAsAMipAndEngineFaultsAreReported) {
    int exitStatus = -1;
    std::string listing = solveAndList("squares", networkScenario(""), exitStatus);
    EXPECT_EQ(0, exitStatus);
    EXPECT_NE(std::string::npos, listing.find("COIN-OR CBC")) << listing;
    EXPECT_NE(std::string::npos, lineAfter(listing, "**** MODEL STATUS").find("1 Optimal")) << listing;
    EXPECT_NEAR(863.625, std::atof(lineAfter(listing, "**** OBJECTIVE VALUE").c_str()), 1e-6);

    // A square of a continuous column keeps the model for Bonmin. On this
    // model Bonmin 1.8 stops on an assertion in the MIP branching code; solved
    // or not, the process ends normally and the listing says how the solve ended.
    listing = solveAndList("bonmin", networkScenario(" + 1e-6*sqr(y('1','1'))"), exitStatus);
    EXPECT_EQ(0, exitStatus);
    EXPECT_NE(std::string::npos, listing.find("COIN-OR BONMIN")) << listing;
    const std::string modelStatus = lineAfter(listing, "**** MODEL STATUS");
    if (modelStatus.find("13") != std::string::npos) {
        EXPECT_NE(std::string::npos, listing.find("The MINLP engine (Bonmin) stopped on signal")) << listing;
    } else {
        EXPECT_NE(std::string::npos, modelStatus.find("1 Optimal")) << listing;
        EXPECT_NEAR(863.625, std::atof(lineAfter(listing, "**** OBJECTIVE VALUE").c_str()), 1e-3);
    }
}

}  // namespace
}  // namespace gamsub::testing
