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
#include "TextLines.h"

// The driver's own functions, with its entry point renamed so that it does not
// clash with the test runner's.
#define main phaConsoleMain
#include "main.cpp"
#undef main

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

std::string readAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void writeFile(const std::string& path, const std::string& contents) {
    std::ofstream(path, std::ios::binary) << contents;
}

// A scratch working directory for one run of pha; the scripted input and the
// captured output live beside it, not in it.
class ConsoleRun {
public:
    ConsoleRun() {
        std::string pattern = testing::TempDir() + "dialogue-XXXXXX";
        std::vector<char> dir(pattern.begin(), pattern.end());
        dir.push_back('\0');
        if (mkdtemp(dir.data()) == nullptr) ADD_FAILURE() << "no temporary folder";
        root = dir.data();
        work = root + "/work";
        std::system(("mkdir -p '" + work + "'").c_str());
    }

    ~ConsoleRun() { std::system(("rm -rf '" + root + "'").c_str()); }
    ConsoleRun(const ConsoleRun&) = delete;
    ConsoleRun& operator=(const ConsoleRun&) = delete;

    void file(const std::string& name, const std::string& contents) { writeFile(work + "/" + name, contents); }

    // The usual working directory: a GAMS path file, a template and the worked settings example.
    ConsoleRun& prepared() {
        file("pathGAMS.txt", "/opt/gams\n");
        file("model.gms", readAll(dataDir + "template.gms"));
        file("scenarios.txt", readAll(dataDir + "settings-example.txt"));
        return *this;
    }

    // Runs pha with the given standard input; returns its exit status.
    int run(const std::string& input) {
        writeFile(root + "/stdin.txt", input);
        std::string command = "cd '" + work + "' && '" PHA_BINARY "' < ../stdin.txt > ../stdout.txt 2> ../stderr.txt";
        int status = std::system(command.c_str());
        output = readAll(root + "/stdout.txt");
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    std::string root, work, output;
};

const std::string listingOfExample =
    ">> SCENARIO 1: probability = 0.30, number of parameters = 2\n   100.00  2.50  \n\n"
    ">> SCENARIO 2: probability = 0.50, number of parameters = 2\n   120.00  2.00  \n\n"
    ">> SCENARIO 3: probability = 0.20, number of parameters = 2\n   150.00  1.50  \n\n";

}  // namespace

TEST(Dialogue, GamsPathFile) {
    ConsoleRun missing;
    EXPECT_EQ(missing.run("model.gms\n"), 2);
    EXPECT_EQ(missing.output, banner +
                                  " > ERROR! I cannot open the given file!\n"
                                  " >> The file 'pathGAMS.txt' probably doesn't exist.\n");

    ConsoleRun empty;
    empty.file("pathGAMS.txt", "");
    EXPECT_EQ(empty.run("model.gms\n"), 2);
    EXPECT_EQ(empty.output,
              banner + "The file 'pathGAMS.txt' does not contain the path of GAMS in a proper format.\n");

    // A first line of any length is accepted; the template prompt comes next.
    ConsoleRun longPath;
    longPath.file("pathGAMS.txt", "/" + std::string(5000, 'g') + "\n");
    EXPECT_EQ(longPath.run("absent.gms\n"), 2);
    EXPECT_EQ(longPath.output, banner + prompts[0] +
                                   " > ERROR! I cannot open the given file!\n"
                                   " >> The file 'absent.gms' probably doesn't exist.\n");
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
    // Answers 3 to 7 in turn replaced by a word that is no number.
    const char* good[] = {"model.gms", "scenarios.txt", "1", "2", "0.001", "1.5", "10"};
    for (int bad = 2; bad < 7; bad++) {
        std::string input;
        for (int i = 0; i < 7; i++) input += std::string(i == bad ? "abc" : good[i]) + "\n";
        ConsoleRun run;
        run.prepared();
        EXPECT_EQ(run.run(input), 2);
        EXPECT_EQ(run.output, banner + promptsUpTo(bad + 1) + messages[bad] + "\n") << "prompt " << bad + 1;
    }
}

TEST(Dialogue, VariableCounts) {
    struct Row {
        const char* answers;
        int failingPrompt;
    };
    const Row rows[] = {
        {"12abc 1", 4},           // 12 is taken, abc answers prompt 4
        {"-1 1", 3},              // negative counts are refused
        {"1 -3", 4},
        {"99999999999 1", 3},     // beyond the range of int
    };
    for (const Row& row : rows) {
        ConsoleRun run;
        run.prepared();
        EXPECT_EQ(run.run(std::string("model.gms scenarios.txt ") + row.answers + " 0.1 1 5\n"), 2);
        EXPECT_EQ(run.output, banner + promptsUpTo(row.failingPrompt) + messages[row.failingPrompt - 1] + "\n")
            << row.answers;
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
    ConsoleRun sum;
    sum.prepared();
    sum.file("scenarios.txt", "0.4 1\n0.5 2\n");
    EXPECT_EQ(sum.run("model.gms scenarios.txt 1 1 0.001 1.5 10 Y\n"), 2);
    EXPECT_EQ(sum.output, banner + promptsUpTo(7) + "\n" +
                              ">> SCENARIO 1: probability = 0.40, number of parameters = 1\n   1.00  \n\n"
                              ">> SCENARIO 2: probability = 0.50, number of parameters = 1\n   2.00  \n\n"
                              " > ERROR! The sum of probabilities of all scenarios doesn't equal one!\n"
                              " > The sum is 0.900000 != 1.\n");

    ConsoleRun counts;
    counts.prepared();
    counts.file("scenarios.txt", "0.5 1 2\n0.5 2\n");
    EXPECT_EQ(counts.run("model.gms scenarios.txt 1 1 0.001 1.5 10 Y\n"), 2);
    EXPECT_EQ(counts.output, banner + promptsUpTo(7) + "\n" +
                                 ">> SCENARIO 1: probability = 0.50, number of parameters = 2\n   1.00  \n\n"
                                 ">> SCENARIO 2: probability = 0.50, number of parameters = 1\n   2.00  \n\n"
                                 "Test of the inner probability scenarios consistency >> OK\n"
                                 " > ERROR! The number of parameters is not the same for all scenarios.\n");

    ConsoleRun none;
    none.prepared();
    none.file("scenarios.txt", "% nothing but a comment\n");
    EXPECT_EQ(none.run("model.gms scenarios.txt 1 1 0.001 1.5 10 Y\n"), 2);
    EXPECT_EQ(none.output, banner + promptsUpTo(7) + "\nThe file 'scenarios.txt' does not contain any scenario.\n");
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
