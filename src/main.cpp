// The console program's entry: without arguments the classic dialogue asks
// for every run parameter; every failure is reported in one place.
#include <cstdio>

#include "Dialogue.h"
#include "FailureReport.h"

int main(int, char**) {
    return runReportingFailures([] { runDialogue(stdin); });
}
