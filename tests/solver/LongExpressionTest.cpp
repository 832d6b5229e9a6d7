// Written-out expressions of a million terms: compiled, evaluated, generated
// and differentiated without a recursion as deep as the expression is long;
// nesting stays bounded and ends in a compilation error, not a crash.
#include <gtest/gtest.h>

#include <chrono>
#include <sstream>

#include "CompiledModel.h"
#include "Executor.h"
#include "ExpressionAD.h"
#include "Instantiate.h"
#include "Listing.h"
#include "Parser.h"
#include "SourceText.h"

using namespace gamsub;

namespace {

struct Program {
    SourceText source;
    SymbolTable symbols;
    CompileErrors errors;
    std::vector<Statement> statements;
};

std::unique_ptr<Program> compileText(const std::string& text) {
    auto p = std::make_unique<Program>();
    p->source = prepareSource(text, p->errors);
    p->statements = Parser(p->source, p->symbols, p->errors).parse();
    return p;
}

double scalar(const Program& p, const std::string& name) {
    const Symbol& s = p.symbols.symbols[static_cast<size_t>(p.symbols.find(name))];
    auto it = s.values.find(Tuple{});
    return it == s.values.end() ? 0.0 : it->second;
}

// "first sep item sep item ..." with `count` items.
std::string repeated(const std::string& first, const std::string& sep, const std::string& item, int count) {
    std::string s = first;
    s.reserve(first.size() + static_cast<size_t>(count) * (sep.size() + item.size()));
    for (int k = 1; k < count; k++) s += sep + item;
    return s;
}

}  // namespace

TEST(LongExpressions, MillionTermChainsEvaluateAndGenerate) {
    auto start = std::chrono::steady_clock::now();
    const int n = 1000000;
    std::string sum = repeated("1", " + ", "1", n);
    std::string alternating = repeated("2", " - ", "1", n / 5);     // 2 - 1 - 1 ... = 3 - n/5
    std::string conjunction = repeated("1", " and ", "1", n);
    std::string product = repeated("1", " * ", "1.0000001", n / 5);
    std::string conditions = repeated("7", " $ ", "1", 10000) + " $ 0";
    // One equation: z = x('1') + ... + x('1000') + x('1') + ..., a million terms over a thousand columns.
    std::string terms;
    terms.reserve(static_cast<size_t>(n) * 12);
    for (int k = 0; k < n; k++) terms += (k ? " + x('" : "x('") + std::to_string(k % 1000 + 1) + "')";
    auto p = compileText("Scalars s, d, b, f, c;\n"
                         "s = " + sum + ";\n"
                         "d = " + alternating + ";\n"
                         "b = " + conjunction + ";\n"
                         "f = " + product + ";\n"
                         "c = " + conditions + ";\n"
                         "Set i / 1*1000 /;\nPositive Variable x(i);\nVariable z;\nEquation e;\n"
                         "e.. z =e= " + terms + ";\n"
                         "Model m / e /;\nSolve m using lp minimizing z;\n");
    ASSERT_TRUE(p->errors.empty()) << p->errors.all()[0].message;
    std::ostringstream out;
    Listing listing(out, "");
    std::vector<Statement> assignments(p->statements.begin(), p->statements.end() - 1);
    ASSERT_EQ(execute(assignments, p->symbols, listing, nullptr).execErrors, 0) << out.str();
    EXPECT_EQ(scalar(*p, "s"), n);
    EXPECT_EQ(scalar(*p, "d"), 3 - n / 5);
    EXPECT_EQ(scalar(*p, "b"), 1.0);
    EXPECT_NEAR(scalar(*p, "f"), std::pow(1.0000001, n / 5 - 1), 1e-9);
    EXPECT_EQ(scalar(*p, "c"), 0.0);

    ModelInstance instance = instantiate(p->symbols, p->statements.back());
    ASSERT_EQ(instance.rows.size(), 1u);
    PoolFacts facts = analysePool(instance.pool);
    AffineSplitter splitter(instance.pool, facts, instance.columns.size());
    AffineSplit split = splitter.split(instance.rows[0].body);
    ASSERT_EQ(split.linearColumns.size(), 1001u);  // z and the thousand x
    for (size_t k = 0; k < split.linearColumns.size(); k++)
        if (split.linearColumns[k] != instance.objectiveColumn) {
            EXPECT_EQ(split.linearCoefficients[k], -1000.0);
        }
    CompiledModel compiled(instance);
    EXPECT_EQ(compiled.variableCount(), 1000);  // z is eliminated through its defining row
    std::vector<double> x(1000, 1.0), gradient(1000);
    ASSERT_TRUE(compiled.objectiveGradient(x.data(), gradient.data()));
    EXPECT_EQ(gradient[0], 1000.0);
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_LT(seconds, 120.0);  // linear work: 5-10 s in a release build, about 30 s with sanitizers
    std::cout << "million-term chains: " << seconds << " s\n";
}

// Nesting is what the parser recurses on: deep parentheses and nested sums end
// in a compilation error with the place, not in a stack overflow; runs of signs
// and `not`s are read in a loop.
TEST(LongExpressions, DeepNestingIsRefusedWithAnError) {
    for (const std::string& deep : {std::string(100000, '(') + "1" + std::string(100000, ')'),
                                    repeated("abs(", "", "abs(", 5000) + "1" + std::string(5000, ')')}) {
        auto p = compileText("Set i / a /;\nScalar s;\ns = " + deep + ";\n");
        ASSERT_FALSE(p->errors.empty());
        EXPECT_EQ(p->errors.all()[0].line, 3);
        EXPECT_NE(p->errors.all()[0].message.find("nested too deeply"), std::string::npos);
    }
    auto ok = compileText("Scalars s, m, t;\ns = " + std::string(150, '(') + "2" + std::string(150, ')') + ";\n" +
                          "m = " + repeated("-", " ", "-", 100001) + " 3;\nt = " + repeated("not", " ", "not", 100000) +
                          " 3;\n");
    ASSERT_TRUE(ok->errors.empty()) << ok->errors.all()[0].message;
    std::ostringstream out;
    Listing listing(out, "");
    execute(ok->statements, ok->symbols, listing, nullptr);
    EXPECT_EQ(scalar(*ok, "s"), 2.0);
    EXPECT_EQ(scalar(*ok, "m"), -3.0);
    EXPECT_EQ(scalar(*ok, "t"), 1.0);
}

// A loop that never ends stops at the time limit with an execution error.
TEST(LongExpressions, TimeLimitEndsEvaluation) {
    auto p = compileText("Scalar k / 0 /;\nwhile(1, k = k + 1);\nScalar after / 1 /; after = 2;\n");
    ASSERT_TRUE(p->errors.empty()) << p->errors.all()[0].message;
    std::ostringstream out;
    Listing listing(out, "");
    ExecuteSettings settings;
    settings.solve.reslim = 0.2;
    auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(execute(p->statements, p->symbols, listing, nullptr, settings).execErrors, 1);
    EXPECT_LT(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(), 2.0);
    EXPECT_NE(out.str().find("Exec Error at line 2: Resource limit exceeded"), std::string::npos) << out.str();
    EXPECT_GT(scalar(*p, "k"), 0.0);
    EXPECT_EQ(scalar(*p, "after"), 1.0);  // nothing after the error ran
}
