// A stand-in for GAMS in the tests: it solves the one test model exactly and
// writes the listing in the layout of GAMS 24 (10-character value columns).
//
// The model file must hold a directive comment written by the test template:
//   * testdouble: c=<c> h=<h> xi=<xi> w=<w> rho=<rho> avg=<avg> mode=<m>
// The scenario problem  min c x + h/2 (x - xi)^2 + w x + rho/2 (x - avg)^2
// has x = (h xi + rho avg - c - w) / (h + rho); the recourse is y = xi - x.
// mode 0: optimal; 1: infeasible (marker line in the listing); 2: exits with
// status 3 and writes no listing; 3: the listing lacks the variable y;
// 4: optimal, after three seconds (a slow scenario); 5: hangs until it is
// killed; 6: dies by SIGKILL halfway through the listing (after the x table);
// 7: the level of x is nan; 8: exits 0 with a listing cut short after the
// variables (no REPORT SUMMARY).
//
// Called like GAMS: gams FILE o=LISTING lo=N ps=N pw=N curdir=DIR
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

// A value in a 10-character column: "." for zero, %.3f when it fits and is not
// rounded to zero, otherwise E-notation without exponent padding.
std::string field(double v) {
    std::string text;
    if (v == 0.0) {
        text = ".";
        return std::string(6, ' ') + text + std::string(3, ' ');
    }
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.3f", v);
    text = buf;
    if (text.size() > 9 || text == "0.000" || text == "-0.000") {
        std::snprintf(buf, sizeof buf, v < 0 ? "%.3E" : "%.4E", v);
        text = buf;
        size_t e = text.find('E');
        std::string exponent = text.substr(e + 2);
        while (exponent.size() > 1 && exponent[0] == '0') exponent.erase(0, 1);
        text = text.substr(0, e + 2) + exponent;
    }
    if (text.size() < 10) text = std::string(10 - text.size(), ' ') + text;
    return text;
}

std::string infinityField(bool negative) { return negative ? "     -INF " : "     +INF "; }

void writeVariable(std::ostream& out, const char* name, const char* text, double level, bool infeasible) {
    out << "---- VAR " << name << "  " << text << "\n\n";
    out << std::string(10, ' ') << "    LOWER     LEVEL     UPPER    MARGINAL\n\n";
    out << "1         " << infinityField(true) << field(level) << infinityField(false) << field(0.0)
        << (infeasible ? " INFES" : "") << "\n\n";
}

bool readDirective(const std::vector<std::string>& source, std::map<std::string, double>& values) {
    const std::string tag = "* testdouble:";
    for (const std::string& line : source) {
        if (line.compare(0, tag.size(), tag) != 0) continue;
        std::istringstream words(line.substr(tag.size()));
        std::string word;
        while (words >> word) {
            size_t eq = word.find('=');
            if (eq == std::string::npos) continue;
            values[word.substr(0, eq)] = std::atof(word.c_str() + eq + 1);
        }
        return true;
    }
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "gams test double: no input file\n");
        return 1;
    }
    std::string input = argv[1];
    std::string listing;
    for (int i = 2; i < argc; i++) {
        std::string option = argv[i];
        if (option.compare(0, 2, "o=") == 0) listing = option.substr(2);
        if (option.compare(0, 7, "curdir=") == 0 && chdir(option.c_str() + 7) != 0) {
            std::fprintf(stderr, "gams test double: cannot enter %s\n", option.c_str() + 7);
            return 1;
        }
    }
    if (listing.empty()) listing = input.substr(0, input.rfind('.')) + ".lst";

    std::ifstream in(input);
    if (!in) {
        std::fprintf(stderr, "gams test double: cannot open %s\n", input.c_str());
        return 2;
    }
    std::vector<std::string> source;
    for (std::string line; std::getline(in, line);) source.push_back(line);
    std::map<std::string, double> v;
    bool known = readDirective(source, v);
    int mode = static_cast<int>(v["mode"]);
    if (mode == 2) return 3;
    if (mode == 4) sleep(3);
    if (mode == 5)
        for (;;) pause();

    std::ofstream out(listing);
    out << "GAMS 24.8.5  r61358 Released May 10, 2017 LEX-LEG x86 64bit/Linux 12/06/26 12:00:00 Page 1\n"
        << "G e n e r a l   A l g e b r a i c   M o d e l i n g   S y s t e m\nC o m p i l a t i o n\n\n\n";
    for (size_t i = 0; i < source.size(); i++) {
        std::string number = std::to_string(i + 1);
        if (number.size() < 4) number.insert(0, 4 - number.size(), ' ');
        out << number << "  " << source[i] << "\n";
    }
    if (!known) {
        out << "****  $140\n**** 1 ERROR(S)   0 WARNING(S)\n\n**** USER ERROR(S) ENCOUNTERED\n";
        return 2;
    }
    double h = v["h"], rho = v["rho"];
    double x = (h * v["xi"] + rho * v["avg"] - v["c"] - v["w"]) / (h + rho);
    double y = v["xi"] - x;
    double z = v["c"] * x + h / 2 * std::pow(x - v["xi"], 2) + v["w"] * x + rho / 2 * std::pow(x - v["avg"], 2);
    if (mode == 7) x = std::nan("");
    bool infeasible = mode == 1;

    out << "\n\nCOMPILATION TIME     =        0.001 SECONDS      3 MB  24.8.5 r61358 LEX-LEG\n"
        << "GAMS 24.8.5  r61358 Released May 10, 2017 LEX-LEG x86 64bit/Linux 12/06/26 12:00:00 Page 2\n"
        << "G e n e r a l   A l g e b r a i c   M o d e l i n g   S y s t e m\n"
        << "Solution Report     SOLVE m Using NLP From line 9\n\n\n"
        << "               S O L V E      S U M M A R Y\n\n"
        << "     MODEL   m                   OBJECTIVE  z\n"
        << "     TYPE    NLP                 DIRECTION  MINIMIZE\n"
        << "     SOLVER  CONOPT              FROM LINE  9\n\n"
        << "**** SOLVER STATUS     1 Normal Completion\n"
        << (infeasible ? "**** MODEL STATUS      5 Locally Infeasible\n" : "**** MODEL STATUS      2 Locally Optimal\n");
    char objective[64];
    std::snprintf(objective, sizeof objective, "**** OBJECTIVE VALUE %21.4f\n\n", z);
    out << objective;
    out << (infeasible ? " ** Infeasible solution. Reduced gradient less than tolerance.\n\n"
                       : " ** Optimal solution. Reduced gradient less than tolerance.\n\n");
    out << std::string(19, ' ') << "    LOWER     LEVEL     UPPER    MARGINAL\n\n";
    out << "---- VAR z          " << infinityField(true) << field(z) << infinityField(false) << field(0.0) << "\n\n";
    writeVariable(out, "x", "first-stage decision", x, infeasible);
    if (mode == 6) {
        out << "---- VAR y  second-stage decision\n\n" << std::flush;
        raise(SIGKILL);
    }
    if (mode != 3) writeVariable(out, "y", "second-stage decision", y, infeasible);
    if (mode == 8) return out.good() ? 0 : 1;
    out << "\n**** REPORT SUMMARY :        0     NONOPT\n"
        << "                             " << (infeasible ? 1 : 0) << " INFEASIBLE" << (infeasible ? " (INFES)" : "")
        << "\n                             0  UNBOUNDED\n\n\n"
        << "EXECUTION TIME       =        0.001 SECONDS      3 MB  24.8.5 r61358 LEX-LEG\n\n\n"
        << "**** FILE SUMMARY\n\nInput      " << input << "\nOutput     " << listing << "\n";
    return out.good() ? 0 : 1;
}
