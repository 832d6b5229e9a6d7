#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "Exceptions.h"

using testing::internal::CaptureStdout;
using testing::internal::GetCapturedStdout;

namespace {

template <typename E>
std::string shown(const E& e) {
    CaptureStdout();
    e.displayMessage();
    return GetCapturedStdout();
}

}  // namespace

// The texts that a run of pha shows are compared by the dialogue and end-to-end cases.
TEST(Exceptions, EachClassPrintsItsOwnLines) {
    // Six decimals only: a sum a little off one still shows as one.
    EXPECT_EQ(shown(SumProbabilitiesException(1.0 + 4e-7)),
              " > ERROR! The sum of probabilities of all scenarios doesn't equal one!\n"
              " > The sum is 1.000000 != 1.\n");
    EXPECT_EQ(shown(GeneralException("plain")), "plain\n");
}

TEST(Exceptions, HandlerOfTheBaseShowsOnlyTheMessageLine) {
    try {
        throw FileNotExists("results.txt");
    } catch (const GeneralException& e) {
        EXPECT_EQ(shown(e), " > ERROR! I cannot open the given file!\n");
    }
}

TEST(Exceptions, TextsAreOwnedCopies) {
    char name[] = "scenario1.gms";
    char variable[] = "y";
    FileNotExists missing(name);
    NoOccurenceOfVariableInLSTFile absent(variable, name);
    std::strcpy(name, "overwritten!!");
    variable[0] = 'z';
    EXPECT_EQ(std::string(missing.fileName), "scenario1.gms");
    EXPECT_EQ(std::string(absent.nameOfVariable), "y");
    EXPECT_EQ(std::string(absent.fileName), "scenario1.gms");

    // A copy owns its strings too, so both objects release their own.
    FileNotExists copy(missing);
    EXPECT_NE(copy.fileName, missing.fileName);
    EXPECT_NE(copy.message, missing.message);
    EXPECT_EQ(shown(copy), shown(missing));
}
