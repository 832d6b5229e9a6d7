// What one farmer scenario costs the worker: the scenario file written as pha
// writes it in the option mode (the template with its codes replaced and the
// solution file's put statements after the solve), then solved the way the
// option mode's worker solves it (in this process, its listing and solution
// file written over in place), many times in a row with the weights and
// averages moving as in a hedging run. A last case solves as the classic
// worker does, with a done file per solve. Prints the wall time per solve for
// the QP (rho > 0) and the LP (rho 0) and where the time goes, all measured in
// this one run.
//
// usage: bench-solve TEMPLATE [solves per case] [work directory]
#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "InProcessSolver.h"
#include "PhaseTimes.h"
#include "ScenarioSolve.h"
#include "WarmStarts.h"

namespace {

using Clock = std::chrono::steady_clock;

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string threeDecimals(double v) {
    char text[64];
    std::snprintf(text, sizeof text, "%.3f", v);
    return text;
}

// The template with each code "@N" (and the blank after it) replaced by its value.
std::string substituted(const std::string& text, const std::vector<std::pair<int, double>>& values) {
    std::string out;
    for (size_t i = 0; i < text.size();) {
        if (text[i] != '@' || i + 1 >= text.size() || !std::isdigit(static_cast<unsigned char>(text[i + 1]))) {
            out += text[i++];
            continue;
        }
        size_t end = i + 1;
        while (end < text.size() && std::isdigit(static_cast<unsigned char>(text[end]))) end++;
        // Codes have a few digits; a longer run is no code this bench knows (strtol saturates, never throws).
        long code = std::strtol(text.substr(i + 1, end - i - 1).c_str(), nullptr, 10);
        bool known = false;
        for (const auto& [c, v] : values)
            if (c == code) {
                out += threeDecimals(v);
                known = true;
            }
        if (!known) out += "0.000";
        i = end;
        if (i < text.size() && text[i] == ' ') i++;
    }
    return out;
}

struct Case {
    const char* name;
    double rho;
    bool warm;      // the worker's memory of the last solution on
    bool doneFile;  // solved as the classic worker solves: a done file per solve
};

// The statements pha puts after the solve in the option mode: the levels at full precision into scenario1.sol.
const char* const kSolutionBlock =
    "file phaSolution / 'scenario1.sol' /;\n"
    "phaSolution.nr = 2; phaSolution.nw = 0; phaSolution.nd = 15;\n"
    "put phaSolution;\n"
    "put 'x 1 ' x.l('1') /;\nput 'x 2 ' x.l('2') /;\nput 'x 3 ' x.l('3') /;\n"
    "put 'xm 1 ' x.m('1') /;\nput 'xm 2 ' x.m('2') /;\nput 'xm 3 ' x.m('3') /;\n"
    "put 'y 1 ' y.l('1') /;\nput 'y 2 ' y.l('2') /;\nput 'y 3 ' y.l('3') /;\n"
    "put 'y 4 ' y.l('4') /;\nput 'y 5 ' y.l('5') /;\nput 'y 6 ' y.l('6') /;\n"
    "put 'objective ' z.l /;\n"
    "putclose phaSolution;\n";

struct Measured {
    std::vector<double> wall;  // seconds per solve
    gamsub::PhaseTimes phases;
    int failed = 0;
};

double median(std::vector<double> v) {
    if (v.empty()) return 0.0;
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

Measured run(const std::string& text, const std::string& dir, const std::string& gams, const Case& c, int solves) {
    Measured m;
    gamsub::keepWarmStarts(false);  // clears the memory
    gamsub::keepWarmStarts(c.warm);
    gamsub::phaseTimes() = gamsub::PhaseTimes{};
    const double yields[3] = {2.5, 3.0, 20.0};
    const double plan[3] = {170.0, 80.0, 250.0};
    for (int it = 0; it < solves; it++) {
        // Weights and averages move a little every iteration, as in a run.
        double t = 1.0 / (1.0 + it);
        std::vector<std::pair<int, double>> values;
        for (int i = 0; i < 3; i++) {
            values.push_back({i, yields[i]});
            values.push_back({100 + i, (i == 1 ? -1 : 1) * 20.0 * (1.0 - t)});
            values.push_back({200 + i, plan[i] + 30.0 * t * (i == 2 ? -1 : 1)});
        }
        values.push_back({300, c.rho});
        std::ofstream(dir + "/scenario1.gms", std::ios::binary) << substituted(text, values) << kSolutionBlock;
        auto begin = Clock::now();
        if (c.doneFile) {
            if (!solveScenario(dir, gams, 1, runBundledSolver)) m.failed++;
        } else if (!solveScenarioQuietly(dir, gams, 1, runBundledSolver).normal()) {
            m.failed++;
        }
        m.wall.push_back(std::chrono::duration<double>(Clock::now() - begin).count());
    }
    m.phases = gamsub::phaseTimes();
    return m;
}

void printBreakdown(const Measured& m, int solves) {
    const gamsub::PhaseTimes& p = m.phases;
    double per = 1e3 / solves;  // ms per solve
    double total = 0.0;
    for (double w : m.wall) total += w;
    double solve = p.engineCompile + p.engineSetup + p.engineSolve + p.engineTransfer;
    double known = p.commandLine + p.frontEnd + p.sourceEcho + p.instantiation() + solve + p.solutionReport +
                   p.closeFiles;
    std::printf("    %-44s %8.3f ms\n", "command line, open listing", p.commandLine * per);
    std::printf("    %-44s %8.3f ms\n", "front end (read, dollar control, parse)", p.frontEnd * per);
    std::printf("    %-44s %8.3f ms\n", "listing: source echo", p.sourceEcho * per);
    std::printf("    %-44s %8.3f ms\n", "execution: assignments, instantiation", p.instantiation() * per);
    std::printf("    %-44s %8.3f ms\n", "engine: compile model (derivatives)", p.engineCompile * per);
    std::printf("    %-44s %8.3f ms\n", "engine: set-up (options, problem load)", p.engineSetup * per);
    std::printf("    %-44s %8.3f ms\n", "engine: iterations", p.engineSolve * per);
    std::printf("    %-44s %8.3f ms\n", "engine: solution back to the model", p.engineTransfer * per);
    std::printf("    %-44s %8.3f ms\n", "listing: solution report", p.solutionReport * per);
    std::printf("    %-44s %8.3f ms\n", "close listing and log", p.closeFiles * per);
    std::printf("    %-44s %8.3f ms\n", "worker: old files marked, done file, rest", (total - known) * per);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench-solve TEMPLATE [solves per case] [work directory]\n");
        return 2;
    }
    std::string text = readFile(argv[1]);
    if (text.empty()) {
        std::fprintf(stderr, "bench-solve: cannot read %s\n", argv[1]);
        return 2;
    }
    int solves = argc > 2 ? static_cast<int>(std::clamp(std::strtol(argv[2], nullptr, 10), 1L, 1000000L)) : 200;
    std::string dir = argc > 3 ? argv[3] : "/tmp/bench-solve";
    mkdir(dir.c_str(), 0755);
    // Any path naming the bundled solver: the worker then solves in its own process.
    std::string gams = "gams";
    prepareForManySolves();  // as the worker does

    const Case cases[] = {{"QP (rho 1), warm started as in the worker", 1.0, true, false},
                          {"QP (rho 1), every solve from scratch", 1.0, false, false},
                          {"LP (rho 0)", 0.0, true, false},
                          {"QP (rho 1), warm, with the classic worker's done file", 1.0, true, true}};
    std::printf("%d solves per case of one farmer scenario in this process, files in %s\n", solves, dir.c_str());
    std::vector<Measured> results;
    for (const Case& c : cases) results.push_back(run(text, dir, gams, c, solves));
    for (size_t i = 0; i < results.size(); i++) {
        const Measured& m = results[i];
        double mean = 0.0;
        for (double w : m.wall) mean += w;
        mean /= m.wall.size();
        std::printf("\n%s: median %.3f ms, mean %.3f ms, first %.3f ms per solve%s\n", cases[i].name,
                    median(m.wall) * 1e3, mean * 1e3, m.wall.front() * 1e3,
                    m.failed ? " (SOME SOLVES FAILED)" : "");
        printBreakdown(m, solves);
    }
    std::printf("\nQP warm / LP (median): %.2f\n", median(results[0].wall) / std::max(1e-12, median(results[2].wall)));
    int failed = 0;
    for (const Measured& m : results) failed += m.failed;
    return failed > 0 ? 1 : 0;
}
