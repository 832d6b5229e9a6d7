// The console program's entry: without arguments the classic dialogue asks
// for every run parameter; with arguments the option mode runs without
// asking. Every failure is reported in one place.
#include <cstdio>
#include <string>
#include <vector>

#include "Dialogue.h"
#include "FailureReport.h"
#include "OptionRun.h"
#include "RunOptions.h"

int main(int argc, char** argv) {
    if (argc <= 1) return runReportingFailures([] { runDialogue(stdin); });

    ParsedCommandLine parsed = parseRunOptions(std::vector<std::string>(argv + 1, argv + argc));
    switch (parsed.action) {
    case ParsedCommandLine::PrintAndExit:
        std::fputs(parsed.text.c_str(), stdout);
        return 0;
    case ParsedCommandLine::Refuse:
        std::fputs(parsed.text.c_str(), stderr);
        return kFailureStatus;
    case ParsedCommandLine::Run:
        break;
    }
    return runReportingFailures([&parsed] { runOptionMode(parsed.options); });
}
