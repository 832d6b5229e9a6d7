// The hedging terms that pha adds to a template minimising its --cost
// variable: the choice of the mode, the refused mixes, and the model text.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "Exceptions.h"
#include "HedgingTerms.h"
#include "ModelEdits.h"
#include "ScratchDirectory.h"

namespace {

bool contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

std::string refusal(const std::string& templateText, const std::string& cost, const std::string& objective) {
    writeFile("t.gms", templateText);
    try {
        chooseHedgingTerms(ModelTemplate("t.gms"), cost, objective);
    } catch (const GeneralException& e) {
        return e.message;
    }
    return "";
}

const char* const kShort =
    "Positive Variable x(i);\nVariable cost;\n"
    "Equations land, costDef;\n"
    "land.. sum(i, x(i)) =l= 5;\ncostDef.. cost =e= sum(i, x(i));\n"
    "x.up('1') = 3; Model m 'the scenario' / land, costDef /;\n"
    "Solve m using lp minimizing cost;\ndisplay x.l;\n";

TEST(HedgingTerms, PhaAddsThemOnlyWhereTheTemplateMinimisesItsCostAndRefusesTermsCountedTwice) {
    ScratchDirectory scratch{"hedging-terms"};
    writeFile("t.gms", kShort);
    ModelTemplate tpl("t.gms");
    HedgingTermsChoice choice = chooseHedgingTerms(tpl, "COST", "cost");
    EXPECT_TRUE(choice.byPha);
    EXPECT_EQ(choice.objective, "phaObjective");
    EXPECT_EQ(choice.line, "Hedging terms: added by pha to the cost COST (w'x + rho/2 ||x - xbar||^2).");
    choice = chooseHedgingTerms(tpl, "cost", "z");  // --objective z
    EXPECT_FALSE(choice.byPha);
    EXPECT_EQ(choice.objective, "z");
    EXPECT_EQ(choice.line, "Hedging terms: the template's own (its solve statement minimises z, not the cost cost); "
                           "it uses no weight, average or rho code.");
    EXPECT_FALSE(chooseHedgingTerms(tpl, "", "cost").byPha);
    // --objective naming the cost does not make a solve of another variable pha's.
    writeFile("z.gms", "Solve m using lp minimizing z;\n");
    EXPECT_FALSE(chooseHedgingTerms(ModelTemplate("z.gms"), "cost", "cost").byPha);

    // A weight, average or rho code with pha's terms would count them twice; a comment line does not count.
    const std::string mix = "* w = @100 ;\nScalar a / 1 /;\nw = @101 ;\nSolve m using lp minimizing cost;\n";
    std::string message = refusal(mix, "cost", "cost");
    EXPECT_TRUE(contains(message, "minimises its cost cost (--cost), so pha adds the hedging terms to it, but it also "
                                  "uses the code @101 in line 3"));
    EXPECT_TRUE(contains(message, "the terms would count twice"));
    for (const char* code : {"@200 ", "@300 ", "@502 "})
        EXPECT_FALSE(refusal(std::string("r = ") + code + ";\nSolve m using lp minimizing cost;\n", "cost", "cost").empty())
            << code;
    EXPECT_EQ(refusal("p = @0 ; n = @400 ;\nSolve m using lp minimizing cost;\n", "cost", "cost"), "");
    EXPECT_EQ(refusal(mix, "cost", "z"), "");  // the template's own terms: as before
    EXPECT_TRUE(contains(refusal("Scalar phaRHO / 1 /;\nSolve m using lp minimizing cost;\n", "cost", "cost"),
                         "uses the name phaRho in line 1"));
}

TEST(HedgingTerms, FirstStageKindFromTheDeclarations) {
    ScratchDirectory scratch{"hedging-terms"};
    const std::pair<const char*, FirstStageKind> cases[] = {
        {"Positive Variables x(i), y(j);\n", FirstStageKind::Continuous},
        {"Binary Variables\n   open(i)\n   x(i);\n", FirstStageKind::Binary},
        {"* Binary Variable x(i);\nInteger Variable y(j), x(i);\n", FirstStageKind::Integer},
        {"Binary Variable xx(i);\n", FirstStageKind::Continuous}};
    for (const auto& [declaration, kind] : cases) {
        writeFile("t.gms", std::string(declaration) + "Solve m using mip minimizing cost;\n");
        EXPECT_EQ(firstStageKind(ModelTemplate("t.gms")), kind) << declaration;
    }
}

TEST(HedgingTerms, TheModelGetsParametersItsObjectiveAndTheRaisedType) {
    AddedTerms terms;
    terms.costVariable = "cost";
    TermValues values;
    values.digits = 2;
    values.weights = {0.5, -1};
    values.average = {2, 0.25};
    values.rho = {1, 4};
    const std::string model = withAddedTerms(kShort, "t.gms", terms, values);
    const std::string expected =
        "Positive Variable x(i);\nVariable cost;\n"
        "Equations land, costDef;\n"
        "land.. sum(i, x(i)) =l= 5;\ncostDef.. cost =e= sum(i, x(i));\n"
        "x.up('1') = 3; \n"
        "* Added by pha: the progressive hedging terms of this round (cost is the scenario's cost).\n"
        "Parameter phaW(*)    'progressive hedging weights of x, written by pha'\n"
        "          phaXbar(*) 'first-stage average, written by pha'\n"
        "          phaRho(*)  'penalty parameter of each x, written by pha';\n"
        "phaW('1') = 0.50;\nphaXbar('1') = 2.00;\nphaRho('1') = 1.00;\n"
        "phaW('2') = -1.00;\nphaXbar('2') = 0.25;\nphaRho('2') = 4.00;\n"
        "Variable phaObjective 'cost plus the progressive hedging terms';\n"
        "Equation phaHedgedCost 'defines phaObjective';\n"
        "phaHedgedCost.. phaObjective =e= cost\n"
        "    + phaW('1')*x('1') + phaRho('1')/2*sqr(x('1') - phaXbar('1'))\n"
        "    + phaW('2')*x('2') + phaRho('2')/2*sqr(x('2') - phaXbar('2'));\n"
        "Model m 'the scenario' / land, costDef , phaHedgedCost /;\n"
        "Solve m using qcp minimizing phaObjective;\ndisplay x.l;\n";
    EXPECT_EQ(model, expected);

    // Without rho (the bound rounds) no proximal term, and the type stays.
    values.rho.clear();
    const std::string bound = withAddedTerms(kShort, "t.gms", terms, values);
    EXPECT_TRUE(contains(bound, "phaRho('2') = 0.00;\n"));
    EXPECT_TRUE(contains(bound, "=e= cost\n    + phaW('1')*x('1')\n    + phaW('2')*x('2');\n"));
    EXPECT_TRUE(contains(bound, "Solve m using lp minimizing phaObjective;"));

    // A binary x: the proximal term is linear, a MIP stays a MIP; a model of "all" keeps its list.
    terms.kind = FirstStageKind::Binary;
    values.rho = {1, 4};
    values.digits = -1;
    const std::string binary = withAddedTerms(
        "Binary Variable x(i);\nVariable c;\nModel m / all /;\nSolve m minimizing c using mip;\n", "t.gms", terms, values);
    EXPECT_TRUE(contains(binary, "phaXbar('2') = 0.25;\n"));
    EXPECT_TRUE(contains(binary, "+ phaRho('1')/2*(x('1')*(1 - 2*phaXbar('1')) + sqr(phaXbar('1')))\n"));
    EXPECT_TRUE(contains(binary, "Model m / all /;\nSolve m minimizing phaObjective using mip;\n"));
    // General integers keep the quadratic term: a MIP becomes an MIQCP.
    terms.kind = FirstStageKind::Integer;
    EXPECT_TRUE(contains(withAddedTerms("Model m / all /;\nSolve m using MIP min c;\n", "t", terms, values),
                         "Solve m using miqcp min phaObjective;"));
}

TEST(HedgingTerms, ScenarioValuesAsPhaDataAtTheTopOfTheModel) {
    ScratchDirectory scratch{"hedging-terms"};
    std::unique_ptr<SCENARIOS> set(scenarioSetFrom("0.5 1.5 2 3\n0.5 4 5 6\n", 1, 0));
    ModelRound round;
    round.solutionFiles = false;
    writeFile("t.gms", "Parameter d(*);\nd(j) = PhaData(j) + @0 ;\nSolve m using lp minimizing cost;\n");
    ModelTemplate tpl("t.gms");
    EXPECT_TRUE(tpl.usesDataParameter());
    EXPECT_EQ(scenarioModelText(tpl, *set, 1, round),
              "* Added by pha: the values of this scenario from the settings file.\n"
              "Parameter phaData(*) 'values of this scenario from the settings file, written by pha';\n"
              "phaData('1') = 4.000;\nphaData('2') = 5.000;\nphaData('3') = 6.000;\n"
              "Parameter d(*);\nd(j) = PhaData(j) + 4.000;\nSolve m using lp minimizing cost;\n");
    // Named in a comment line or as part of another name: not used.
    writeFile("t.gms", "* phaData\nScalar myphaData, phaData_x;\nSolve m using lp minimizing cost;\n");
    EXPECT_FALSE(ModelTemplate("t.gms").usesDataParameter());
}

TEST(HedgingTerms, ModelStatementsWithTextsSeveralModelsOrNone) {
    const std::string text = "Models a 'first / model' / e1 /,\n* comment / with slashes\n  b / all - e1 /;\n"
                             "Model c /\n* the list / of c\n e2 /;\n";
    ModelStatement b = findModelStatement(text, "B", "t");
    EXPECT_EQ(b.begin, 0u);
    EXPECT_EQ(b.line, 1);
    EXPECT_TRUE(b.all);
    EXPECT_EQ(text.substr(b.listEnd - 3, 4), "e1 /");
    ModelStatement c = findModelStatement(text, "c", "t");
    EXPECT_FALSE(c.all);
    EXPECT_EQ(c.line, 4);
    EXPECT_EQ(text.substr(c.listEnd - 3, 4), "e2 /");
    try {
        findModelStatement(text, "d", "t.gms");
        ADD_FAILURE() << "a model without a statement";
    } catch (const GeneralException& e) {
        EXPECT_TRUE(contains(e.message, "The model statement of the solved model was not found.\n >> The model 't.gms'"));
    }
}

}  // namespace
