#include "PrimalStart.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <string>

#include "CheckedNumbers.h"
#include "Exceptions.h"
#include "GAMSInOut.h"

// fscanf reads "nan", "inf" and 1e999 as numbers; none of them can steer a run.
void refuseNonFinite(double value, const std::string& message) {
    if (std::isfinite(value)) return;
    std::string text = message + "\n >> The value " + (std::isnan(value) ? "nan" : value > 0 ? "inf" : "-inf") +
                       " is not a finite number.";
    throw WrongInputParameter(text.c_str());
}

namespace {

// The next blank-separated word of `in`, of any length; false at the end of the input.
bool readToken(FILE* in, std::string& word) {
    word.clear();
    int c;
    while ((c = std::fgetc(in)) != EOF && std::isspace(c)) {
    }
    while (c != EOF && !std::isspace(c)) {
        word.push_back(static_cast<char>(c));
        c = std::fgetc(in);
    }
    return !word.empty();
}

// A value of the --start file, wholly a number or refused naming the file, the place and the cause.
double startFileValue(FILE* in, const std::string& source, const std::string& message) {
    std::string word;
    if (!readToken(in, word))
        throw WrongInputParameter((message + "\n >> The file '" + source +
                                   "' ends before this value (it holds one value per scenario and first-stage "
                                   "variable, scenario by scenario).")
                                      .c_str());
    double value = 0.0;
    const std::string why = readDecimal(word, value);
    if (!why.empty())
        throw WrongInputParameter(
            (message + "\n >> The value " + quotedToken(word) + " in the file '" + source + "' " + why + ".").c_str());
    return value;
}

}  // namespace

// Seeds the first-stage average with the probability-weighted sum of the
// user's first-stage decisions, added in scenario order to its zeros.
void loadPrimalFirstStage(SCENARIOS& S, FILE* in, const std::string& source) {
    VECTOR& average = *S.averageSolution1;
    for (int i = 1; i <= S.numScenarios; i++) {
        std::printf(" > PRIMAL SOLUTION: scenario %d\n", i);
        std::printf("   > First stage variables:\n");
        for (int j = 1; j <= average.size; j++) {
            std::printf("     x[%d] = ", j);
            std::fflush(stdout);
            double p = 0.0;
            std::string message = "A problem with the first-stage variable x[" + std::to_string(j) +
                                  "] of scenario " + std::to_string(i) + " has occured. Check the given number.";
            if (!source.empty()) {
                p = startFileValue(in, source, message);
            } else {
                if (std::fscanf(in, "%lf", &p) != 1) throw WrongInputParameter(message.c_str());
                refuseNonFinite(p, message);
            }
            average.data[j - 1] = average.data[j - 1] + p * S.scenarios[i - 1]->probability;
        }
        std::printf("\n");
    }
}
