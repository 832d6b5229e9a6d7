// pha-report: the convergence report of a pha run, from its results.txt.
// Prints a short table and draws delta, D and the first-stage averages per
// iteration into an image with gnuplot.
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <string>

#include "GnuplotChart.h"
#include "ReportTable.h"
#include "ResultsFile.h"

namespace {

void usage() {
    std::cerr << "usage: pha-report [RESULTS] [-o IMAGE] [--rows N] [--eps TOLERANCE]\n"
                 "  RESULTS    the results report of a pha run (default: results.txt), or the\n"
                 "             JSON record of pha --json, whose bounds are shown and drawn too\n"
                 "  IMAGE      picture to write, .svg, .png or .pdf (default: convergence.svg)\n"
                 "  N          most table rows to print (default: 20)\n"
                 "  TOLERANCE  the run's delta tolerance, drawn as a line in the picture\n";
}

}  // namespace

int main(int argc, char** argv) {
    std::string resultsPath = "results.txt";
    std::string imagePath = "convergence.svg";
    long rows = 20;
    double tolerance = 0.0;
    bool resultsGiven = false;
    for (int a = 1; a < argc; ++a) {
        std::string arg = argv[a];
        if ((arg == "-o" || arg == "--rows" || arg == "--eps") && a + 1 < argc) {
            std::string value = argv[++a];
            if (arg == "-o") {
                imagePath = value;
            } else if (arg == "--eps") {
                char* end = nullptr;
                tolerance = std::strtod(value.c_str(), &end);
                if (value.empty() || *end != '\0' || !(tolerance > 0.0)) {
                    std::cerr << "pha-report: --eps needs a positive number\n";
                    return 2;
                }
            } else {
                char* end = nullptr;
                rows = std::strtol(value.c_str(), &end, 10);
                if (value.empty() || *end != '\0' || rows < 2) {
                    std::cerr << "pha-report: --rows needs a whole number of at least 2\n";
                    return 2;
                }
            }
        } else if (arg == "-h" || arg == "--help") {
            usage();
            return 0;
        } else if (!arg.empty() && arg[0] != '-' && !resultsGiven) {
            resultsPath = arg;
            resultsGiven = true;
        } else {
            usage();
            return 2;
        }
    }

    // A picture in another format than its name says would be unreadable: refused before anything is read.
    if (imageFormat(imagePath).empty()) {
        std::cerr << "pha-report: cannot tell the picture format of '" << imagePath
                  << "': name it .svg, .png or .pdf\n";
        return 2;
    }
    std::ifstream in(resultsPath);
    if (!in) {
        std::cerr << "pha-report: cannot open '" << resultsPath << "'\n";
        return 2;
    }
    std::vector<IterationBlock> blocks;
    RunJson record;
    const bool isJson = looksLikeJson(in);
    try {
        if (isJson) {
            record = readRunJson(in);
            blocks = record.blocks;
        } else {
            blocks = readResults(in);
        }
    } catch (const ResultsFormatError& e) {
        std::cerr << "pha-report: '" << resultsPath << "' is not a pha " << (isJson ? "JSON record" : "results report")
                  << ": " << e.what() << "\n";
        return 2;
    }

    printReportTable(std::cout, blocks, static_cast<std::size_t>(rows));
    if (isJson) printBoundsTable(std::cout, record, static_cast<std::size_t>(rows));
    if (blocks.empty()) return 1;
    std::string problem = runGnuplot(chartScript(blocks, imagePath, tolerance, record.bounds, record.rho));
    if (!problem.empty()) {
        std::cerr << "pha-report: no picture drawn: " << problem << "\n";
        return 1;
    }
    std::cout << "Picture of the convergence: " << imagePath << "\n";
    return 0;
}
