// The classic way to run: the banner, the GAMS path check, the parameter
// dialogue, the scenario preparation with the optional primal first-stage
// input, and the hand-over to the hedging run.
#include "Dialogue.h"

#include <cctype>
#include <climits>
#include <cstdio>
#include <memory>
#include <string>

#include "Exceptions.h"
#include "GAMSInOut.h"
#include "PrimalStart.h"
#include "RunLock.h"
#include "TextLines.h"

namespace {

// The tolerance of the probability check of the settings file.
const double probabilityTolerance = 1e-7;

void prompt(const char* text) {
    std::printf("%s", text);
    std::fflush(stdout);  // the answer follows on the same console line
}

// One word of any length, read as "%s" reads it: leading white space is
// skipped and the white space after the word stays in the input for the next
// read. False when the input ended before a word began.
bool readWord(FILE* in, std::string& word) {
    word.clear();
    int c;
    do {
        c = std::fgetc(in);
    } while (c != EOF && std::isspace(c));
    while (c != EOF && !std::isspace(c)) {
        word.push_back(static_cast<char>(c));
        c = std::fgetc(in);
    }
    if (c != EOF) std::ungetc(c, in);
    return !word.empty();
}

void printBanner() {
    const char* rule = "======================================================================";
    std::printf("%s\n", rule);
    std::printf("  PARALLEL IMPLEMENTATION OF TWO-STAGE PROGRESSIVE HEDGING ALGORITHM\n");
    std::printf("                  FOR SOLVING ENGINEERING PROBLEMS\n");
    std::printf("%s\n", rule);
    std::printf("                      Info: see README.md for usage and contact\n\n");
}

// The GAMS path file must exist and have a first line; the hedging driver
// reads the path itself later.
void checkGamsPathFile() {
    FILE* fpathgams = std::fopen("pathGAMS.txt", "r");
    if (fpathgams == nullptr) throw FileNotExists("pathGAMS.txt");
    std::string pathGAMS;
    bool hasFirstLine = readWholeLine(fpathgams, pathGAMS);
    std::fclose(fpathgams);
    if (!hasFirstLine)
        throw GeneralException("The file 'pathGAMS.txt' does not contain the path of GAMS in a proper format.");
}

// A file prompt: the existence of the named file is checked before the read
// count, so an ended input reports the empty name as a missing file.
std::string askFileName(FILE* in, const char* text, const char* message) {
    prompt(text);
    std::string name;
    bool readOK = readWord(in, name);
    if (!fexist(name.c_str())) throw FileNotExists(name.c_str());
    if (!readOK) throw WrongInputParameter(message);
    return name;
}

// An integer prompt with scanf semantics ("12abc" gives 12 and leaves "abc").
// A value outside the range of int is refused rather than wrapped.
int askInteger(FILE* in, const char* text, const char* message, bool allowNegative) {
    prompt(text);
    long value = 0;
    if (std::fscanf(in, "%ld", &value) != 1) throw WrongInputParameter(message);
    if (value > INT_MAX || value < (allowNegative ? INT_MIN : 0)) throw WrongInputParameter(message);
    return static_cast<int>(value);
}

double askReal(FILE* in, const char* text, const char* message) {
    prompt(text);
    double value = 0.0;
    if (std::fscanf(in, "%lf", &value) != 1) throw WrongInputParameter(message);
    refuseNonFinite(value, message);
    return value;
}

// The Y/N question: only the first character of the answer counts, and any
// other character brings the retry prompt. An ended input stops the run.
char askPrimalChoice(FILE* in) {
    std::printf("\n > Do you want to set up the first-stage decision of each primal scenario?\n");
    std::printf("   This action may lead to the significant reduction of the number of iterations \n");
    std::printf("   needed and is strictly recommended.\n");
    std::printf("\n");
    prompt("   > Your choice: (Y/N): ");
    const char* message = "A problem with the answer to the question (Y/N) has occured. Give Y or N.";
    std::string word;
    if (!readWord(in, word)) throw WrongInputParameter(message);
    char loadPrimalSolutions = word[0];
    while (loadPrimalSolutions != 'N' && loadPrimalSolutions != 'n' && loadPrimalSolutions != 'Y' &&
           loadPrimalSolutions != 'y') {
        prompt("   > Incorrect input! Try it again (Y/N): ");
        if (!readWord(in, word)) throw WrongInputParameter(message);
        loadPrimalSolutions = word[0];
    }
    return loadPrimalSolutions;
}

}  // namespace

void runDialogue(FILE* in) {
    printBanner();
    // Held until the run ends; a second run in this directory stops here.
    RunLock lock;
    checkGamsPathFile();

    std::string templateForGams = askFileName(in, " > Give the file with the template for GAMS: ",
                                              "A problem with loading the template file has occured.");
    std::string scenarioSetting = askFileName(in, " > Give the file with the settings for scenarios: ",
                                              "A problem with loading the setting file has occured.");
    int nVariables1 = askInteger(
        in, " > Give the number of variables in the first stage: ",
        "A problem with the number of variables in the first stage has occured. Check the given number.", false);
    int nVariables2 = askInteger(
        in, " > Give the number of variables in the second stage: ",
        "A problem with the number of variables in the second stage has occured. Check the given number.", false);
    double deltaParam = askReal(in, " > Give the delta tolerance for terminating the algorithm: ",
                                "A problem with the delta tolerance has occured. Check the given number.");
    double rhoParam = askReal(in, " > Give the penalty parameter rho: ",
                              "A problem with the penalty parameter has occured. Check the given number.");
    int maxNumIter = askInteger(in, " > Give the maximum number of iterations of PHA: ",
                                "A problem with the number of iterations has occured. Check the given number.", true);
    std::printf("\n");

    std::unique_ptr<SCENARIOS> S(new SCENARIOS(&scenarioSetting[0], nVariables1, nVariables2));
    S->printAllScenarios();
    S->checkIntegrity(probabilityTolerance);

    char loadPrimalSolutions = askPrimalChoice(in);
    if (loadPrimalSolutions == 'Y' || loadPrimalSolutions == 'y') loadPrimalFirstStage(*S, in);

    PHA P(S.get(), &templateForGams[0], deltaParam, rhoParam);
    P.runPHA(maxNumIter);
}
