// The solution listing against the real listings: numbers, then whole
// solution sections rebuilt from a fixture's values and compared byte for byte.
#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "ListingNumbers.h"
#include "SolutionReport.h"

namespace gamsub::testing {
namespace {

TEST(ListingNumbers, FieldsAsTheFixturesShowThem) {
    EXPECT_EQ("      .   ", listingField(0.0));
    EXPECT_EQ("      .   ", listingField(-0.0));
    EXPECT_EQ("     +INF ", listingField(kInf));
    EXPECT_EQ("     -INF ", listingField(-kInf));
    EXPECT_EQ("      EPS ", listingEpsField());
    EXPECT_EQ("  5000.000", listingField(5000));
    EXPECT_EQ("  -184.700", listingField(-184.7));
    EXPECT_EQ("     0.390", listingField(0.39));
    EXPECT_EQ(" 99999.999", listingField(99999.999));
    EXPECT_EQ(" -9999.999", listingField(-9999.999));
    EXPECT_EQ(" 3.4265E+5", listingField(342652.723));
    EXPECT_EQ(" 1.2400E+6", listingField(1.24e6));
    EXPECT_EQ(" 1.0893E-8", listingField(1.0893e-8));
    EXPECT_EQ(" -5.809E-8", listingField(-5.809e-8));
    EXPECT_EQ(" 9.4722E-9", listingField(9.4722e-9));
    EXPECT_EQ(" 1.000E+10", listingField(1e10));
    EXPECT_EQ(" 1.000E+10", listingField(9.99996e9));  // rounding grows the exponent
    EXPECT_EQ(" 4.0000E-4", listingField(0.0004));     // %.3f would show 0.000
    EXPECT_EQ(" -1.00E+15", listingField(-1e15));
    EXPECT_EQ(" 1.00E-100", listingField(1e-100));
}

// The real listings live beside the repository; a bare checkout has none.
bool fixturesPresent() { return std::ifstream(std::string(GAMS_FIXTURES) + "/PROVENANCE.md").good(); }
#define SKIP_WITHOUT_FIXTURES()                                                                             \
    if (!fixturesPresent()) GTEST_SKIP() << "the GAMS listing fixtures are not there (" GAMS_FIXTURES "): " \
                                            "check out the shared folder beside the repository to run this test"

std::vector<std::string> fixtureLines(const std::string& name) {
    std::ifstream in(std::string(GAMS_FIXTURES) + "/" + name, std::ios::binary);
    EXPECT_TRUE(in.good()) << name;
    std::vector<std::string> lines;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

std::string trimmed(const std::string& text) {
    size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return "";
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

double fieldValue(const std::string& field) {
    std::string t = trimmed(field);
    if (t == "." || t == "EPS") return 0.0;
    if (t == "+INF") return kInf;
    if (t == "-INF") return -kInf;
    return std::strtod(t.c_str(), nullptr);
}

// Rebuilds, from the fixture's solution section, the instance and values
// that it lists; `section` receives that section's lines.
ModelInstance instanceFromSection(const std::vector<std::string>& lines, std::vector<std::string>& section) {
    size_t begin = 0;
    while (begin < lines.size() && lines[begin].find("S O L V E") == std::string::npos) begin++;
    while (begin < lines.size() && lines[begin].find("LOWER     LEVEL") == std::string::npos &&
           lines[begin].rfind("---- ", 0) != 0)
        begin++;
    size_t end = begin;
    while (end < lines.size() && lines[end].rfind("**** REPORT SUMMARY", 0) != 0) end++;
    while (end < lines.size() && !lines[end].empty() && lines[end][0] != '\f') end++;
    section.assign(lines.begin() + begin, lines.begin() + end);

    ModelInstance m;
    std::vector<Block>* blocks = nullptr;
    int labelWidth = -1;
    auto addItem = [&](bool isEqu, const std::vector<std::string>& labels, const std::string& fields) {
        double v[4];
        for (int f = 0; f < 4; f++) v[f] = fieldValue(fields.substr(10 * f, 10));
        auto add = [&](auto item, auto& items, std::vector<Block>& owners) {  // a Row or a Column
            item.block = static_cast<int>(owners.size()) - 1;
            item.labels = labels;
            item.lower = v[0], item.level = v[1], item.upper = v[2], item.marginal = v[3];
            items.push_back(item);
            owners.back().members.push_back(static_cast<int>(items.size()) - 1);
        };
        if (isEqu) add(Row{}, m.rows, m.equBlocks);
        else add(Column{}, m.columns, m.varBlocks);
    };
    bool currentIsEqu = false;
    for (const std::string& line : section) {
        if (line.rfind("**** REPORT SUMMARY", 0) == 0) break;
        if (line.rfind("---- ", 0) == 0) {
            currentIsEqu = line.compare(5, 3, "EQU") == 0;
            blocks = currentIsEqu ? &m.equBlocks : &m.varBlocks;
            Block block;
            if (line.size() >= 59 && line.find("  ", 9) < 19) {  // a scalar's one-line form
                block.name = trimmed(line.substr(9, 10));
                blocks->push_back(block);
                addItem(currentIsEqu, {}, line.substr(19));
                labelWidth = -1;
            } else {
                size_t gap = line.find("  ", 9);
                block.name = line.substr(9, gap - 9);
                block.text = trimmed(line.substr(gap));
                blocks->push_back(block);
                labelWidth = 0;
            }
        } else if (line.find("LOWER     LEVEL") != std::string::npos) {
            if (labelWidth == 0) labelWidth = static_cast<int>(line.find("LOWER")) - 4;
        } else if (labelWidth > 0 && !line.empty()) {
            std::vector<std::string> labels;
            std::stringstream parts(line.substr(0, labelWidth));
            std::string part;
            while (std::getline(parts, part, '.')) labels.push_back(trimmed(part));
            blocks->back().dimension = static_cast<int>(labels.size());
            addItem(currentIsEqu, labels, line.substr(labelWidth));
        } else if (line.rfind("  ", 0) == 0 && labelWidth < 0) {  // a scalar's text
            std::string rest = trimmed(line);
            std::string name = rest.substr(0, rest.find("  "));
            for (auto* list : {&m.equBlocks, &m.varBlocks})
                for (Block& block : *list)
                    if (block.name == name && block.dimension == 0) block.text = trimmed(rest.substr(name.size()));
        }
    }
    return m;
}

std::vector<std::string> splitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::stringstream in(text);
    std::string line;
    while (std::getline(in, line)) lines.push_back(line);
    return lines;
}

void expectSameLines(const std::vector<std::string>& expected, const std::vector<std::string>& actual) {
    ASSERT_EQ(expected.size(), actual.size());
    for (size_t i = 0; i < expected.size(); i++) EXPECT_EQ(expected[i], actual[i]) << "line " << i;
}

struct SectionCase {
    const char* file;
    ModelType type;
    int modelStatus;
};

class SolutionSection : public ::testing::TestWithParam<SectionCase> {};

TEST_P(SolutionSection, RebuiltFromTheFixtureIsByteIdentical) {
    SKIP_WITHOUT_FIXTURES();
    std::vector<std::string> lines = fixtureLines(GetParam().file);
    std::vector<std::string> expected;
    ModelInstance m = instanceFromSection(lines, expected);
    ASSERT_FALSE(m.varBlocks.empty());
    m.type = GetParam().type;
    SolveStatus status;
    status.modelStatus = GetParam().modelStatus;
    std::ostringstream out;
    writeSolutionBlocks(out, m, status);
    // The engine never reports EPS (an interior-point method has no basis).
    for (std::string& line : expected)
        for (size_t at; (at = line.find("      EPS ")) != std::string::npos;) line.replace(at, 10, "      .   ");
    expectSameLines(expected, splitLines(out.str()));
}

INSTANTIATE_TEST_SUITE_P(Fixtures, SolutionSection,
                         ::testing::Values(SectionCase{"shipping-lp-optimal.lst", ModelType::LP, 1},
                                           SectionCase{"abel-nlp-locally-optimal.lst", ModelType::NLP, 2},
                                           SectionCase{"shipping-lp-infeasible.lst", ModelType::LP, 4},
                                           SectionCase{"shortestpath-dnlp-locally-infeasible.lst", ModelType::DNLP, 5}),
                         // Named after the fixture, so the names are the same in every process.
                         [](const ::testing::TestParamInfo<SectionCase>& info) {
                             std::string name = info.param.file;
                             name = name.substr(0, name.find('.'));
                             for (char& c : name)
                                 if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                             return name;
                         });

TEST(SolveSummary, MatchesTheFixtureLayout) {
    SKIP_WITHOUT_FIXTURES();
    std::vector<std::string> lines = fixtureLines("abel-nlp-locally-optimal.lst");
    size_t begin = 0;
    while (begin < lines.size() && lines[begin].find("S O L V E") == std::string::npos) begin++;
    ASSERT_LT(begin, lines.size()) << "no SOLVE SUMMARY in the fixture";
    ModelInstance m;
    m.modelName = "abel";
    m.objectiveName = "j";
    m.type = ModelType::NLP;
    m.solveLine = 92;
    SolveStatus status;
    status.objective = 225.19457;
    status.seconds = 0.031;
    status.iterations = 10;
    std::ostringstream out;
    writeSolveSummary(out, m, status);
    std::vector<std::string> actual = splitLines(out.str());
    // Through EVALUATION ERRORS, with GAMS's default limits (reslim 1000, iterlim 2000000000).
    ASSERT_GE(actual.size(), 13u);
    std::vector<std::string> expected(lines.begin() + begin, lines.begin() + begin + 13);
    expected[4].replace(13, 6, "IPOPT ");  // our solver's name where CONOPT's stands
    expectSameLines(expected, std::vector<std::string>(actual.begin(), actual.begin() + 13));
}

}  // namespace
}  // namespace gamsub::testing
