#include "FarmerScenarios.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

namespace {

const Yields baseYields[3] = {
    {2.0, 2.4, 16.0},  // below average
    {2.5, 3.0, 20.0},  // average
    {3.0, 3.6, 24.0},  // above average
};

// A double in [0, 1) from two 32-bit outputs, 53 random bits, as the reference
// Mersenne Twister's genrand_res53 makes it.
double uniform53(std::mt19937& gen) {
    std::uint32_t a = static_cast<std::uint32_t>(gen()) >> 5;
    std::uint32_t b = static_cast<std::uint32_t>(gen()) >> 6;
    return (a * 67108864.0 + b) / 9007199254740992.0;
}

double roundTo(double v, int decimals) {
    double scale = std::pow(10.0, decimals);
    return std::round(v * scale) / scale;
}

// The shortest text that reads back as exactly v (15 to 17 digits).
std::string exactText(double v) {
    char buf[40];  // %.17g of a double needs at most 24 characters
    for (int digits = 15; digits <= 17; ++digits) {
        std::snprintf(buf, sizeof buf, "%.*g", digits, v);
        if (std::strtod(buf, nullptr) == v) break;
    }
    return buf;
}

// Right-aligned in a column of the given width, as a table entry must stand
// under its column heading.
std::string column(const std::string& text, size_t width) {
    return text.size() >= width ? " " + text : std::string(width - text.size(), ' ') + text;
}

}  // namespace

Yields farmerYields(unsigned k) {
    Yields y = baseYields[k % 3];
    if (k >= 3) {
        // std::mt19937 seeded with k uses the reference init_genrand seeding.
        std::mt19937 gen(k);
        for (double& v : y) v += uniform53(gen);
    }
    return y;
}

std::vector<Yields> farmerInstance(unsigned n, int decimals) {
    std::vector<Yields> all;
    all.reserve(n);
    for (unsigned k = 0; k < n; ++k) {
        Yields y = farmerYields(k);
        if (decimals >= 0)
            for (double& v : y) v = roundTo(v, decimals);
        all.push_back(y);
    }
    return all;
}

void writeSettingsFile(std::ostream& out, const std::vector<Yields>& yields) {
    out << "% farmer problem with " << yields.size()
        << " scenarios: probability, then the yields of wheat, corn and sugar beets in T/acre\n";
    const std::string p = exactText(1.0 / static_cast<double>(yields.size()));
    for (const Yields& y : yields)
        out << p << ' ' << exactText(y[0]) << ' ' << exactText(y[1]) << ' ' << exactText(y[2]) << '\n';
}

void writeExtensiveForm(std::ostream& out, const std::vector<Yields>& yields) {
    const size_t n = yields.size();
    const size_t width = 26;
    out << "$title Farmer problem (Birge and Louveaux) with " << n
        << " generated yield scenarios: extensive form\n"
           "* Written by farmer-scenarios; plain model, no substitution codes.\n\n"
           "Set i 'crops: 1 wheat, 2 corn, 3 sugar beets' / 1*3 /\n"
           "    s 'yield scenarios' / k0*k"
        << (n - 1)
        << " /;\n\n"
           "Table yield(s,i) 'T per acre'\n"
        << std::string(10, ' ') << column("1", width) << column("2", width) << column("3", width) << "\n";
    for (size_t k = 0; k < n; ++k) {
        std::string label = "    k" + std::to_string(k);
        out << label << std::string(label.size() < 10 ? 10 - label.size() : 1, ' ');
        for (double v : yields[k]) out << column(exactText(v), width);
        out << (k + 1 == n ? " ;\n" : "\n");
    }
    out << "\nParameter cost(i) 'planting cost per acre' / 1 150, 2 230, 3 260 /\n"
           "          p(s)    'probability';\n"
           "p(s) = 1/card(s);\n\n"
           "Positive Variables x(i) 'acres planted'\n"
           "                   buyW(s), buyC(s), sellW(s), sellC(s), sellB(s), sellX(s);\n"
           "Variable z 'expected cost';\n"
           "sellB.up(s) = 6000;\n\n"
           "Equations land, needWheat(s), needCorn(s), beets(s), obj;\n"
           "land..         sum(i, x(i)) =l= 500;\n"
           "needWheat(s).. yield(s,'1')*x('1') + buyW(s) - sellW(s) =g= 200;\n"
           "needCorn(s)..  yield(s,'2')*x('2') + buyC(s) - sellC(s) =g= 240;\n"
           "beets(s)..     sellB(s) + sellX(s) =l= yield(s,'3')*x('3');\n"
           "obj..          z =e= sum(i, cost(i)*x(i))\n"
           "                     + sum(s, p(s)*(238*buyW(s) + 210*buyC(s) - 170*sellW(s)\n"
           "                                    - 150*sellC(s) - 36*sellB(s) - 10*sellX(s)));\n\n"
           "Model farmerEF / all /;\n"
           "Solve farmerEF using lp minimizing z;\n"
           "display x.l, z.l;\n";
}
