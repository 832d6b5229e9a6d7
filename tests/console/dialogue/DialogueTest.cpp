// The console dialogue of the real pha binary, driven by a scripted standard
// input in a scratch working directory, and the primal first-stage input.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cctype>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "Exceptions.h"
#include "GAMSInOut.h"
#include "ScratchDirectory.h"
#include "TextLines.h"

#include "Dialogue.h"
#include "PrimalStart.h"

namespace {

const std::string dataDir = std::string(PHA_TEST_DATA_DIR) + "/dialogue/";

const std::string banner =
    "======================================================================\n"
    "  PARALLEL IMPLEMENTATION OF TWO-STAGE PROGRESSIVE HEDGING ALGORITHM\n"
    "                  FOR SOLVING ENGINEERING PROBLEMS\n"
    "======================================================================\n"
    "                      Info: see README.md for usage and contact\n\n";

const char* const prompts[] = {
    " > Give the file with the template for GAMS: ",
    " > Give the file with the settings for scenarios: ",
    " > Give the number of variables in the first stage: ",
    " > Give the number of variables in the second stage: ",
    " > Give the delta tolerance for terminating the algorithm: ",
    " > Give the penalty parameter rho: ",
    " > Give the maximum number of iterations of PHA: ",
};

const char* const messages[] = {
    "A problem with loading the template file has occured.",
    "A problem with loading the setting file has occured.",
    "A problem with the number of variables in the first stage has occured. Check the given number.",
    "A problem with the number of variables in the second stage has occured. Check the given number.",
    "A problem with the delta tolerance has occured. Check the given number.",
    "A problem with the penalty parameter has occured. Check the given number.",
    "A problem with the number of iterations has occured. Check the given number.",
};

const std::string question =
    "\n > Do you want to set up the first-stage decision of each primal scenario?\n"
    "   This action may lead to the significant reduction of the number of iterations \n"
    "   needed and is strictly recommended.\n\n"
    "   > Your choice: (Y/N): ";
const std::string retry = "   > Incorrect input! Try it again (Y/N): ";

const std::string checksOK =
    "Test of the inner probability scenarios consistency >> OK\n"
    "Test of the inner parameters scenarios consistency >> OK\n\n";

// The first n prompts, as printed one after another.
std::string promptsUpTo(int n) {
    std::string text;
    for (int i = 0; i < n; i++) text += prompts[i];
    return text;
}

// A scratch working directory for one run of pha; the scripted input and the
// captured output live beside it, not in it.
class ConsoleRun {
    ScratchDirectory scratch{"dialogue"};  // first: the paths below are built from it

public:
    std::string root = scratch.path().string(), work = root + "/work", output;

    ConsoleRun() { std::filesystem::create_directory(work); }

    void file(const std::string& name, const std::string& contents) { writeFile(work + "/" + name, contents); }

    // The usual working directory: a GAMS path file, a template and the worked settings example.
    ConsoleRun& prepared() {
        file("pathGAMS.txt", "/opt/gams\n");
        file("model.gms", readFile(dataDir + "template.gms"));
        file("scenarios.txt", readFile(dataDir + "settings-example.txt"));
        return *this;
    }

    // Runs pha with the given standard input; returns its exit status.
    int run(const std::string& input) {
        writeFile(root + "/stdin.txt", input);
        std::string command = "cd '" + work + "' && '" PHA_BINARY "' < ../stdin.txt > ../stdout.txt 2> ../stderr.txt";
        int status = std::system(command.c_str());
        output = readFile(root + "/stdout.txt");
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
};

const std::string listingOfExample =
    ">> SCENARIO 1: probability = 0.30, number of parameters = 2\n   100.00  2.50  \n\n"
    ">> SCENARIO 2: probability = 0.50, number of parameters = 2\n   120.00  2.00  \n\n"
    ">> SCENARIO 3: probability = 0.20, number of parameters = 2\n   150.00  1.50  \n\n";

}  // namespace

TEST(Dialogue, GamsPathFile) {
    const std::string longPath = "/" + std::string(5000, 'g') + "\n";
    struct Row {
        const char* pathFile;  // nullptr: none
        std::string printed;   // after the banner
    };
    const Row rows[] = {
        {nullptr, " > ERROR! I cannot open the given file!\n >> The file 'pathGAMS.txt' probably doesn't exist.\n"},
        {"", "The file 'pathGAMS.txt' does not contain the path of GAMS in a proper format.\n"},
        // A first line of any length is accepted; the template prompt comes next.
        {longPath.c_str(), std::string(prompts[0]) +
                               " > ERROR! I cannot open the given file!\n >> The file 'absent.gms' probably doesn't exist.\n"},
    };
    for (const Row& row : rows) {
        ConsoleRun run;
        if (row.pathFile != nullptr) run.file("pathGAMS.txt", row.pathFile);
        EXPECT_EQ(run.run("absent.gms\n"), 2);
        EXPECT_EQ(run.output, banner + row.printed);
    }
}

TEST(Dialogue, FileNames) {
    // A long name is read whole; a missing settings file stops the run at its own prompt.
    ConsoleRun run;
    run.prepared();
    // Longer than any single file name may be, so it reaches through folders.
    std::string folders;
    for (int i = 0; i < 10; i++) folders += std::string(60, 'd') + "/";
    std::system(("mkdir -p '" + run.work + "/" + folders + "'").c_str());
    std::string longName = folders + "model.gms";
    run.file(longName, "* template\n");
    EXPECT_EQ(run.run("\n\n  " + longName + "\nmissing.txt 1 1 0.1 1 5\n"), 2);
    EXPECT_EQ(run.output, banner + promptsUpTo(2) +
                              " > ERROR! I cannot open the given file!\n"
                              " >> The file 'missing.txt' probably doesn't exist.\n");

    // An input that ends before a name: the empty name is reported as missing.
    ConsoleRun ended;
    ended.prepared();
    EXPECT_EQ(ended.run("   \n"), 2);
    EXPECT_EQ(ended.output, banner + prompts[0] +
                                " > ERROR! I cannot open the given file!\n"
                                " >> The file '' probably doesn't exist.\n");
}

TEST(Dialogue, EachNumberPromptRefusesWithItsOwnMessage) {
    struct Row {
        const char* input;
        int failingPrompt;
    };
    const Row rows[] = {
        // Answers 3 to 7 in turn replaced by a word that is no number.
        {"model.gms\nscenarios.txt\nabc\n2\n0.001\n1.5\n10\n", 3},
        {"model.gms\nscenarios.txt\n1\nabc\n0.001\n1.5\n10\n", 4},
        {"model.gms\nscenarios.txt\n1\n2\nabc\n1.5\n10\n", 5},
        {"model.gms\nscenarios.txt\n1\n2\n0.001\nabc\n10\n", 6},
        {"model.gms\nscenarios.txt\n1\n2\n0.001\n1.5\nabc\n", 7},
        {"model.gms scenarios.txt 12abc 1 0.1 1 5\n", 4},  // 12 is taken, abc answers prompt 4
        {"model.gms scenarios.txt -1 1 0.1 1 5\n", 3},     // negative counts are refused
        {"model.gms scenarios.txt 1 -3 0.1 1 5\n", 4},
        {"model.gms scenarios.txt 99999999999 1 0.1 1 5\n", 3},  // beyond the range of int
    };
    for (const Row& row : rows) {
        ConsoleRun run;
        run.prepared();
        EXPECT_EQ(run.run(row.input), 2);
        EXPECT_EQ(run.output, banner + promptsUpTo(row.failingPrompt) + messages[row.failingPrompt - 1] + "\n")
            << row.input;
    }
}

TEST(Dialogue, NumbersThatAreNotFiniteAreRefused) {
    // fscanf takes nan, inf and 1e999 for numbers; none of them can steer a run.
    struct Row {
        const char* input;
        int failingPrompt;
        const char* value;
    };
    const Row rows[] = {
        {"model.gms scenarios.txt 1 2 nan 1.5 10\n", 5, "nan"},
        {"model.gms scenarios.txt 1 2 0.01 inf 10\n", 6, "inf"},
        {"model.gms scenarios.txt 1 2 0.01 -1e999 10\n", 6, "-inf"},
    };
    for (const Row& row : rows) {
        ConsoleRun run;
        run.prepared();
        EXPECT_EQ(run.run(row.input), 2);
        EXPECT_EQ(run.output, banner + promptsUpTo(row.failingPrompt) + messages[row.failingPrompt - 1] +
                                  "\n >> The value " + row.value + " is not a finite number.\n")
            << row.input;
    }
}

TEST(Dialogue, AllAnswersOnOneLineThenQuestion) {
    // Zero counts are accepted; the input ends at the question.
    ConsoleRun run;
    run.prepared();
    EXPECT_EQ(run.run("model.gms scenarios.txt 0 0 0.001 1.5 10"), 2);
    EXPECT_EQ(run.output, banner + promptsUpTo(7) + "\n" + listingOfExample + checksOK + question +
                              "A problem with the answer to the question (Y/N) has occured. Give Y or N.\n");
}

TEST(Dialogue, RetryAndPrimalInput) {
    // Only the first character counts: ?, x and 0 bring the retry prompt, "yes" is yes.
    // The input ends in the second scenario's value.
    ConsoleRun run;
    run.prepared();
    EXPECT_EQ(run.run("model.gms scenarios.txt 1 1 0.001 1.5 10\n?\nx\n\n0\nyes\n10\n"), 2);
    EXPECT_EQ(run.output, banner + promptsUpTo(7) + "\n" + listingOfExample + checksOK + question + retry + retry +
                              retry +
                              " > PRIMAL SOLUTION: scenario 1\n   > First stage variables:\n     x[1] = \n"
                              " > PRIMAL SOLUTION: scenario 2\n   > First stage variables:\n     x[1] = "
                              "A problem with the first-stage variable x[1] of scenario 2 has occured. "
                              "Check the given number.\n");

    ConsoleRun word;
    word.prepared();
    EXPECT_EQ(word.run("model.gms scenarios.txt 2 1 0.001 1.5 10 Y 1 ten\n"), 2);
    EXPECT_NE(word.output.find("     x[2] = A problem with the first-stage variable x[2] of scenario 1 has occured."),
              std::string::npos)
        << word.output;
}

TEST(Dialogue, FailedChecksStopBeforeTheQuestion) {
    struct Row {
        const char* settings;
        const char* printed;  // after the prompts
    };
    const Row rows[] = {
        {"0.4 1\n0.5 2\n",
         ">> SCENARIO 1: probability = 0.40, number of parameters = 1\n   1.00  \n\n"
         ">> SCENARIO 2: probability = 0.50, number of parameters = 1\n   2.00  \n\n"
         " > ERROR! The sum of probabilities of all scenarios doesn't equal one!\n"
         " > The sum is 0.900000 != 1.\n"},
        {"0.5 1 2\n0.5 2\n",
         ">> SCENARIO 1: probability = 0.50, number of parameters = 2\n   1.00  \n\n"
         ">> SCENARIO 2: probability = 0.50, number of parameters = 1\n   2.00  \n\n"
         "Test of the inner probability scenarios consistency >> OK\n"
         " > ERROR! The number of parameters is not the same for all scenarios.\n"
         " >> The file 'scenarios.txt', line 1 gives 2 parameters; the last scenario (line 2) gives 1.\n"},
        {"% nothing but a comment\n", "The file 'scenarios.txt' does not contain any scenario.\n"},
    };
    for (const Row& row : rows) {
        ConsoleRun run;
        run.prepared().file("scenarios.txt", row.settings);
        EXPECT_EQ(run.run("model.gms scenarios.txt 1 1 0.001 1.5 10 Y\n"), 2);
        EXPECT_EQ(run.output, banner + promptsUpTo(7) + "\n" + row.printed);
    }
}

TEST(PrimalInput, SeedsTheFirstStageAverage) {
    ConsoleRun place;
    std::string settings = place.work + "/scenarios.txt";
    writeFile(settings, "0.3 1\n0.7 1\n");
    std::unique_ptr<SCENARIOS> set(new SCENARIOS(&settings[0], 1, 1));

    FILE* in = std::tmpfile();
    std::fputs("10\n20\n", in);
    std::rewind(in);
    testing::internal::CaptureStdout();
    loadPrimalFirstStage(*set, in);
    std::string printed = testing::internal::GetCapturedStdout();
    std::fclose(in);
    EXPECT_DOUBLE_EQ(set->averageSolution1->data[0], 17.0);
    EXPECT_EQ(set->scenarios[0]->solution1->data[0], 0.0);  // the scenarios' own decisions stay
    EXPECT_EQ(printed,
              " > PRIMAL SOLUTION: scenario 1\n   > First stage variables:\n     x[1] = \n"
              " > PRIMAL SOLUTION: scenario 2\n   > First stage variables:\n     x[1] = \n");

    // Without first-stage variables only the headings are printed.
    std::unique_ptr<SCENARIOS> bare(new SCENARIOS(&settings[0], 0, 1));
    testing::internal::CaptureStdout();
    loadPrimalFirstStage(*bare, stdin);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              " > PRIMAL SOLUTION: scenario 1\n   > First stage variables:\n\n"
              " > PRIMAL SOLUTION: scenario 2\n   > First stage variables:\n\n");
}
