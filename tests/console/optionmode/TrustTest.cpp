// The option mode's model edits, solution files and bound arithmetic.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <nlohmann/json.hpp>
#include <string>

#include "Bounds.h"
#include "Exceptions.h"
#include "HedgingRounds.h"
#include "ModelEdits.h"
#include "RunRecord.h"
#include "ScenarioModels.h"
#include "ScenarioResults.h"
#include "ScratchDirectory.h"
#include "TemplateCodes.h"

namespace {

template <class Action>
std::string refusal(Action action) {
    try {
        action();
    } catch (const GeneralException& e) {
        return e.message;
    }
    return "";
}

bool contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

TEST(SolveStatementSearch, PassesOverCommentsTextsAndCaseAndSpansLines) {
    const std::string model =
        "$title We solve it\n"
        "* solve farmer using lp minimizing wrong;\n"
        "$ontext\nsolve farmer using lp minimizing wrong;\n$offtext\n"
        "Scalar rho 'not solved: solve' / 1 /;\n"
        "Parameter resolve / 3 /;\n"
        "Model farmer / all /; SOLVE farmer\n"
        "   using QCP\n"
        "   MINIMIZING z ; display x.l;\n";
    SolveStatement solve = findSolveStatement(model, "t.gms");
    EXPECT_EQ(solve.line, 8);
    EXPECT_EQ(model.substr(solve.begin, 5), "SOLVE");
    EXPECT_EQ(model.substr(solve.end - 3, 3), "z ;");
    EXPECT_EQ(solve.model, "farmer");
    EXPECT_EQ(solve.objective, "z");
    EXPECT_FALSE(solve.maximizing);

    solve = findSolveStatement("loop(s, solve m max profit using lp);\n", "t.gms");
    EXPECT_EQ(solve.objective, "profit");
    EXPECT_TRUE(solve.maximizing);

    EXPECT_TRUE(contains(refusal([] { findSolveStatement("* solve m;\nx = 1;\n", "t.gms"); }),
                         "The model has no solve statement.\n >> The model 't.gms'"));
    EXPECT_TRUE(contains(refusal([] { findSolveStatement("solve a using lp min z;\nsolve b using lp min z;\n", "t"); }),
                         "lines 1 and 2"));
    EXPECT_TRUE(contains(refusal([] { findSolveStatement("solve a using lp min z\n", "t"); }), "no ';'"));
}

TEST(SolveStatementEdits, FixedPlanBeforeAndSolutionBlockAfter) {
    const std::string model = "a = 1; Solve m\n using nlp minimizing z; display z;\nb = 2;\n";
    SolveStatement solve = findSolveStatement(model, "t");
    EXPECT_EQ(fixFirstStageLines({170, 0.1}), "x.fx('1') = 170;\nx.fx('2') = 0.10000000000000001;\n");
    EXPECT_EQ(aroundSolve(model, solve, "B;\n", "A;\n"),
              "a = 1; \nB;\nSolve m\n using nlp minimizing z;\nA;\n display z;\nb = 2;\n");
    // A statement alone on its line keeps the lines after it unchanged.
    const std::string alone = "solve m using lp min z;\nb = 2;\n";
    EXPECT_EQ(aroundSolve(alone, findSolveStatement(alone, "t"), "", "A;\n"), "solve m using lp min z;\nA;\nb = 2;\n");

    EXPECT_EQ(solutionBlock("scenario2.sol", 2, 1, "z", "cost"),
              "file phaSolution / 'scenario2.sol' /;\n"
              "phaSolution.nr = 2; phaSolution.nw = 0; phaSolution.nd = 15;\n"
              "put phaSolution;\n"
              "put 'x 1 ' x.l('1') /;\nput 'x 2 ' x.l('2') /;\n"
              "put 'xm 1 ' x.m('1') /;\nput 'xm 2 ' x.m('2') /;\nput 'y 1 ' y.l('1') /;\n"
              "put 'objective ' z.l /;\nput 'cost ' cost.l /;\n"
              "putclose phaSolution;\n");
}

class OptionModels : public ::testing::Test {
protected:
    ScratchDirectory scratch{"option-models"};
    std::unique_ptr<SCENARIOS> set;
    void SetUp() override {
        set.reset(scenarioSetFrom("0.5 1.23456\n0.5 2\n", 1, 1));
        set->scenarios[0]->weights1->data[0] = -0.5;
        set->averageSolution1->data[0] = 3.25;
        set->rho = 0.75;
    }
    std::string model(const std::string& templateText, const ModelRound& round) {
        writeFile("t.gms", templateText);
        ModelTemplate tpl("t.gms");
        return scenarioModelText(tpl, *set, 0, round);
    }
};

TEST_F(OptionModels, DigitsHedgingOffAndGluedCodes) {
    const std::string text = "p = @0 ; w = @100 ; a = @200 ; r = @300 ;\nsolve m using nlp minimizing z;\n";
    ModelRound round;
    round.solutionFiles = false;
    round.style.digits = 5;
    EXPECT_EQ(model(text, round), "p = 1.23456; w = -0.50000; a = 3.25000; r = 0.75000;\n"
                                  "solve m using nlp minimizing z;\n");
    round.style.rhoOff = true;
    EXPECT_EQ(model(text, round).substr(0, 41), "p = 1.23456; w = -0.50000; a = 3.25000; r");
    EXPECT_TRUE(contains(model(text, round), "r = 0.00000;"));
    round.style.weightsOff = true;
    round.fixedPlan = {4.5};
    round.solutionFiles = true;
    round.objectiveVariable = "z";
    const std::string fixed = model(text, round);
    EXPECT_TRUE(contains(fixed, "w = 0.00000;"));
    EXPECT_TRUE(contains(fixed, "\nx.fx('1') = 4.5;\nsolve m using nlp minimizing z;\nfile phaSolution / 'scenario1.sol' /;"));

    // The classic rule swallows a glued ";"; the option mode refuses it.
    round = ModelRound();
    round.style.strict = true;
    std::string message = refusal([&] { model("* data\np = @0; q = 1;\nsolve m using lp min z;\n", round); });
    EXPECT_TRUE(contains(message, "characters glued to it"));
    EXPECT_TRUE(contains(message, "The code '@0;' in line 2 of the file 't.gms'"));
    EXPECT_EQ(refusal([&] { model("p = @0\r\n;\nsolve m using lp min z;\n", round); }), "");

    EXPECT_EQ(refusal([] { refuseValueLostInWriting("--rho", 0.0006, 3); }), "");
    EXPECT_TRUE(contains(refusal([] { refuseValueLostInWriting("--rho", 0.0004, 3); }),
                         "The value 0.0004 of --rho is written into the models as 0 with 3 decimals."));
}

TEST_F(OptionModels, OptionsCheckedAgainstTheTemplate) {
    RunOptions o;
    o.digits = 3;  // the tolerance's check below is that of 3 decimals
    o.rho = 1;
    o.tolerance = 0.01;
    writeFile("t.gms", "Solve m using nlp\n minimizing cost;\n");
    EXPECT_EQ(checkedObjectiveVariable(ModelTemplate("t.gms"), o), "cost");
    o.objectiveVariable = "z";
    EXPECT_EQ(checkedObjectiveVariable(ModelTemplate("t.gms"), o), "z");
    o.rho = 0;
    EXPECT_TRUE(contains(refusal([&] { checkedObjectiveVariable(ModelTemplate("t.gms"), o); }), "must be positive"));
    o.rho = 1;
    o.tolerance = 1e-6;  // agreement within 0.001: just written
    EXPECT_EQ(refusal([&] { checkedObjectiveVariable(ModelTemplate("t.gms"), o); }), "");
    o.tolerance = 1e-7;
    EXPECT_TRUE(contains(refusal([&] { checkedObjectiveVariable(ModelTemplate("t.gms"), o); }),
                         "The tolerance 1e-07 of --tol asks the scenarios to agree within 0.000316228, which is "
                         "written into the models as 0 with 3 decimals."));
    o.tolerance = 0.01;
    writeFile("t.gms", "* profit\nsolve m using lp maximizing profit;\n");
    EXPECT_TRUE(contains(refusal([&] { checkedObjectiveVariable(ModelTemplate("t.gms"), o); }),
                         "The solve statement in line 2 of 't.gms' maximises."));
}

// The writer places the round's lines by the template's solve statement; the
// statement as found in each expanded model must be the same one.
TEST_F(OptionModels, SolveStatementOfTheTemplateIsThatOfEveryExpandedModel) {
    ModelRound round;
    round.fixedPlan = {4.5};
    round.objectiveVariable = "z";
    // The model as the statement search over the whole expanded text places the lines.
    const auto searched = [&](const std::string& text) {
        std::string expanded;
        long line = 0;
        for (size_t start = 0; start < text.size(); start = text.find('\n', start) + 1)
            expanded += expandTemplateLine(text.substr(start, text.find('\n', start) - start), *set, 0,
                                           TemplatePlace{"t.gms", ++line}, round.style) + "\n";
        if (text.find("phaData") != std::string::npos)
            expanded = "* Added by pha: the values of this scenario from the settings file.\n"
                       "Parameter phaData(*) 'values of this scenario from the settings file, written by pha';\n"
                       "phaData('1') = " + writtenValue(round.style.digits, set->scenarios[0]->data[0]) + ";\n" +
                       expanded;
        return aroundSolve(expanded, findSolveStatement(expanded, "t.gms"), fixFirstStageLines(round.fixedPlan),
                           solutionBlock("scenario1.sol", 1, 1, "z", ""));
    };
    const std::vector<std::pair<std::string, bool>> templates = {
        {"p = @0 ; w = @100 ;\nsolve m using nlp minimizing z;\n", true},
        {"solve m using lp min z; display @0 ;\n", true},
        {"x = 1; @0 ;\nSolve m\n using lp min @300 ;@200\ny = @400 ;\n", true},
        {"p = @0 ;\r\nsolve m using lp min z;\r\nq = @100\r\n", true},
        {"* yield@0 in a comment\nx = '@0 ' + (@0 ) ;solve m using lp min z;\n", true},
        {"q = phaData('1') * @0 ;\nloop(s, solve m using lp min z);\n", true},
        // Codes glued to words: the statement is looked for in each model.
        {"a@0 = 1;\nsolve m using lp min z;\n", false},
        {"solve @0 m using lp min z;\n", false},
        {"p = @0; q = 1;\nsolve m using lp min z;\n", false},
    };
    for (const double value : {1.23456, -0.0, std::numeric_limits<double>::quiet_NaN(), 1e300}) {
        set->scenarios[0]->data[0] = value;
        for (const int digits : {3, -1}) {
            round.style.digits = digits;
            for (const auto& [text, mapped] : templates) {
                writeFile("t.gms", text);
                const ModelTemplate tpl("t.gms");
                EXPECT_EQ(tpl.solveMapped(), mapped) << text;
                EXPECT_EQ(scenarioModelText(tpl, *set, 0, round), searched(text)) << text << value;
            }
        }
    }
    // A code glued to $ontext does not open a text block once expanded: two solve statements, refused as before.
    writeFile("t.gms", "$ontext@0 \nsolve m using lp min z;\n$offtext\nsolve m using lp min z;\n");
    const ModelTemplate hidden("t.gms");
    EXPECT_TRUE(contains(refusal([&] { scenarioModelText(hidden, *set, 0, round); }), "lines 2 and 4"));
    // A code without a value is refused by its line, whichever way the statement is placed.
    writeFile("t.gms", "x = 1;\nsolve m using lp min z;\ny = @7 ;\n");
    EXPECT_TRUE(contains(refusal([&] { scenarioModelText(ModelTemplate("t.gms"), *set, 0, round); }),
                         "The code '@7' in line 3 of the file 't.gms'"));
}

TEST(SolutionFiles, ReadAtFullPrecisionAndRefuseWhatIsNoNumber) {
    ScratchDirectory scratch("solution-files");
    writeFile("scenario1.sol", "x 2 7.999999999999999E+01\nx 1 1.700000000000001E+02\n"
                               "y 1 -2.5E-03\nobjective -1.0839E+05\ncost 12\n");
    ScenarioResult r = readScenarioResult(1, 2, 1, "z", "cost");
    EXPECT_TRUE(r.fromSolutionFile);
    EXPECT_EQ(r.x, (std::vector<double>{170.0000000000001, 79.99999999999999}));
    EXPECT_EQ(r.y[0], -0.0025);
    EXPECT_EQ(r.objective, -108390);
    EXPECT_EQ(r.cost, 12);
    EXPECT_TRUE(r.xMarginal.empty());  // no xm lines

    // Marginals (the slopes rho auto measures) are kept only when all are numbers.
    writeFile("scenario1.sol", "x 1 1\nx 2 2\nxm 2 -1.5E+01\nxm 1 EPS\ny 1 0\n");
    EXPECT_EQ(readScenarioResult(1, 2, 1, "", "").xMarginal, (std::vector<double>{0.0, -15.0}));
    writeFile("scenario1.sol", "x 1 1\nx 2 2\nxm 1 UNDF\nxm 2 3\ny 1 0\n");
    EXPECT_TRUE(readScenarioResult(1, 2, 1, "", "").xMarginal.empty());

    const std::vector<std::pair<std::string, std::string>> bad = {
        {"x 1 nan\n", "line 1: 'x 1 nan'\n >> The value 'nan' is not a finite number."},
        {"x 1 1\nx 2 +INF\n", "line 2: 'x 2 +INF'"},
        {"x 1 1\nx 2 NA\n", "The value 'NA' is not"},
        {"x 1 1\nx 2 1e999\n", "'1e999' is not a finite number"},
        {"x 1 1\nx 1 2\n", "stands twice"},
        {"x 1 1\nx 3 2\n", "a number from 1 to 2"},
        {"x 1 1\n", "no value for x('2')"},
        {"x 1 1\nx 2 2\ny 1 0\n", "has no value for the cost."},
    };
    for (const auto& b : bad) {
        writeFile("scenario1.sol", b.first);
        std::string message = refusal([] { readScenarioResult(1, 2, 1, "", "cost"); });
        EXPECT_TRUE(contains(message, b.second)) << b.first << message;
        EXPECT_TRUE(contains(message, "'scenario1.sol'")) << b.first;
    }

    // Without a solution file the listing is read, with its printed precision.
    const std::string head = "\n      LOWER     LEVEL     UPPER    MARGINAL\n\n";
    writeFile("scenario2.lst", "---- VAR x\n" + head + "1      .     170.000     +INF   .\n2    .   80.000  +INF  .\n\n"
                               "---- VAR y\n" + head + "1      .      2.500     +INF   .\n\n"
                               "---- VAR z      -INF  -108390.000  +INF  .\n"
                               "**** MODEL STATUS      3 Unbounded\n");
    r = readScenarioResult(2, 2, 1, "z", "");
    EXPECT_FALSE(r.fromSolutionFile);
    EXPECT_EQ(r.x, (std::vector<double>{170, 80}));
    EXPECT_EQ(r.objective, -108390);
    EXPECT_FALSE(r.hasCost);
    EXPECT_EQ(listingSolveEnd("scenario2.lst"), SolveEnd::Unbounded);
    // Levels as the dialogue reads them, the cost at full precision.
    writeFile("scenario2.sol", "x 1 169.9996\nx 2 80.0004\ny 1 2.5004\ncost -108390.123456789\n");
    r = readScenarioResult(2, 2, 1, "", "cost", true);
    EXPECT_EQ(r.x, (std::vector<double>{170, 80}));
    EXPECT_EQ(r.y[0], 2.5);
    EXPECT_EQ(r.cost, -108390.123456789);
    writeFile("scenario3.lst", "**** MODEL STATUS      1 Optimal\n");
    EXPECT_EQ(listingSolveEnd("scenario3.lst"), SolveEnd::Solved);
    writeFile("scenario3.lst", "**** MODEL STATUS      19 Infeasible - No Solution\n");
    EXPECT_EQ(listingSolveEnd("scenario3.lst"), SolveEnd::Infeasible);
    writeFile("scenario3.lst", "**** MODEL STATUS      7 Feasible Solution\n");
    EXPECT_EQ(listingSolveEnd("scenario3.lst"), SolveEnd::Feasible);
    writeFile("scenario3.lst", "**** SOLVER STATUS     13 System Failure\n**** MODEL STATUS      13 Error No Solution\n"
                               " ** Error. out of memory\n");
    std::string detail;
    EXPECT_EQ(listingSolveEnd("scenario3.lst", &detail), SolveEnd::Failed);
    EXPECT_EQ(detail, "\n >> **** SOLVER STATUS     13 System Failure\n >> **** MODEL STATUS      13 Error No Solution"
                      "\n >>  ** Error. out of memory");
    writeFile("scenario3.lst", "no solve summary\n");
    EXPECT_EQ(listingSolveEnd("scenario3.lst"), SolveEnd::Failed);

    // A MIP stopped before its optimum was proven bounds by its best possible value only.
    writeFile("scenario3.lst", "**** MODEL STATUS      8 Integer Solution\n**** OBJECTIVE VALUE  1234.5000\n"
                               "MIP solution:            1234.5\nBest possible:           1200.25\n");
    ListingBound b = listingBound("scenario3.lst");
    EXPECT_EQ(b.modelStatus, 8);
    ASSERT_TRUE(b.hasBestPossible);
    EXPECT_EQ(b.bestPossible, 1200.25);
    writeFile("scenario3.lst", "**** MODEL STATUS      8 Integer Solution\nBest possible:   NA\n");
    EXPECT_FALSE(listingBound("scenario3.lst").hasBestPossible);
}

TEST(BoundArithmetic, ExpectationBalanceGapAndBestBounds) {
    const std::vector<double> p = {0.2, 0.5, 0.3};
    EXPECT_DOUBLE_EQ(expectation(p, {10, 20, -5}), 2 + 10 - 1.5);

    // Weights rho (x_k - average) balance; shifted ones do not, and the entry is named.
    const std::vector<double> x = {3, 5, 10};
    const double average = expectation(p, x);
    std::vector<std::vector<double>> w;
    for (double xk : x) w.push_back({0.0, 4 * (xk - average)});
    WeightBalance balance = weightBalance(p, w);
    EXPECT_TRUE(balance.holds);
    EXPECT_LT(balance.worst, 1e-12);
    w[2][1] += 0.01;
    balance = weightBalance(p, w);
    EXPECT_FALSE(balance.holds);
    EXPECT_EQ(balance.entry, 1);
    EXPECT_NEAR(balance.worst, 0.003, 1e-12);

    EXPECT_DOUBLE_EQ(relativeGap(-100, -110), 0.1);
    EXPECT_DOUBLE_EQ(relativeGap(0.5, 0.25), 0.5);  // relative also below 1 in size
    EXPECT_DOUBLE_EQ(relativeGap(0.0, -1e-12), 1e-2);  // near 0 the guard 1e-10 keeps it finite

    BoundKeeper keeper;
    EXPECT_TRUE(std::isinf(keeper.gap()));
    keeper.offerLower(-120, 0);
    keeper.offerLower(-125, 1);  // worse: kept out
    keeper.offerUpper(-100, {1, 2}, 1);
    keeper.offerUpper(-90, {3, 4}, 2);  // worse: kept out
    keeper.offerLower(-110, 3);
    EXPECT_EQ(keeper.lower(), -110);
    EXPECT_EQ(keeper.lowerIteration(), 3);
    EXPECT_EQ(keeper.upper(), -100);
    EXPECT_EQ(keeper.plan(), (std::vector<double>{1, 2}));
    EXPECT_DOUBLE_EQ(keeper.gap(), 0.1);
    EXPECT_DOUBLE_EQ(keeper.absoluteGap(), 10);
    // A gap limit < 0 is off; either limit met is enough.
    EXPECT_TRUE(keeper.within(0.1, -1));
    EXPECT_FALSE(keeper.within(0.09, -1));
    EXPECT_TRUE(keeper.within(-1, 10));
    EXPECT_TRUE(keeper.within(0.01, 10));
    EXPECT_FALSE(keeper.within(-1, 9.9));
    EXPECT_FALSE(BoundKeeper().within(1e9, 1e9));  // no bounds, no gap
}

}  // namespace

namespace {

TEST(RunRecordFile, KeepsEveryIterationAndTheFinalAnswerReadable) {
    ScratchDirectory scratch("run-record");
    RunOptions options;
    options.templateFile = "farmer.gms";
    options.rho = 1;
    RunRecord record("run.json", options, 3, 2);
    IterationNumbers first;
    first.hasChange = false;
    first.delta = 12.5;
    first.hasBestLower = true;
    first.bestLower = -110;
    first.average = {1.5, 2};
    record.addIteration(first);
    nlohmann::json written = nlohmann::json::parse(readFile("run.json"));
    EXPECT_TRUE(written["final"].is_null());  // a run stopped here still leaves a complete record
    EXPECT_TRUE(written["iterations"][0]["D"].is_null());
    EXPECT_TRUE(written["iterations"][0]["gap"].is_null());

    IterationNumbers second = first;
    second.iteration = 1;
    second.hasChange = true;
    second.change = std::numeric_limits<double>::infinity();  // JSON has no infinity: null
    second.hasBestUpper = true;
    second.bestUpper = -100;
    record.addIteration(second);
    FinalAnswer answer;
    answer.verdict = "optimal";
    answer.hasPlan = answer.hasLower = answer.hasUpper = true;
    answer.plan = {170, 80};
    answer.lower = -110;
    answer.upper = -100;
    record.finish(answer);
    written = nlohmann::json::parse(readFile("run.json"));
    EXPECT_EQ(written["settings"]["template"], "farmer.gms");
    EXPECT_EQ(written["settings"]["numScenarios"], 3);
    EXPECT_TRUE(written["settings"]["gap"].is_null());
    ASSERT_EQ(written["iterations"].size(), 2u);
    EXPECT_TRUE(written["iterations"][1]["D"].is_null());
    EXPECT_DOUBLE_EQ(written["iterations"][1]["gap"].get<double>(), 0.1);
    EXPECT_EQ(written["iterations"][1]["average"], nlohmann::json({1.5, 2}));
    EXPECT_EQ(written["final"]["plan"], nlohmann::json({170, 80}));
    EXPECT_DOUBLE_EQ(written["final"]["gap"].get<double>(), 0.1);
}

}  // namespace
