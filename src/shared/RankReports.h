// What a serving rank and pha say to each other on the rank's own pair of
// named pipes, when every rank runs on pha's host: pha writes the commands
// into the rank's command pipe:
//   "solve ITERATION N RELEASED TAG"  a round of N scenarios, tagged TAG in the
//                                    claims file (ScenarioClaims.h); the ranks
//                                    may take scenarios 1..RELEASED at once
//   "upto K"                         scenarios up to K may be taken too
//   "quit"
// and the rank answers each scenario it solved on its report pipe as soon as
// it is done:
//   "ok K SECONDS"                   scenario K solved, its listing written
//   "failed K SECONDS L" + L lines   it did not end normally; the L lines
//                                    say how (formatSolveOutcome)
// No file is written for the report, and nobody waits on a collective.
#ifndef PHA_RANKREPORTS_H
#define PHA_RANKREPORTS_H

#include <string>
#include <vector>

#include "SolveOutcome.h"

// The pipes of rank `rank` beside the answer pipe `answers`.
std::string rankCommandPipe(const std::string& answers, int rank);
std::string rankReportPipe(const std::string& answers, int rank);

struct ScenarioReport {
    int scenario = 0;
    double seconds = 0.0;   // the solve's wall time
    SolveOutcome outcome;   // how it ended; normal() for an "ok" report
};

// The lines of one report (each ends in a line feed).
std::string formatScenarioReport(int scenario, double seconds, const SolveOutcome& outcome);

// Collects the text of one report pipe and hands out whole reports.
class ScenarioReportReader {
public:
    void add(const char* data, size_t size) { pending_.append(data, size); }
    // The next whole report: true with `report` set; false when none is complete yet.
    // Throws GeneralException whose message quotes the line that is no report and says why.
    bool next(ScenarioReport& report);
    bool empty() const { return pending_.empty(); }

private:
    std::string pending_;
};

// Splits whole lines off `pending` (each without its line feed); the rest stays.
std::vector<std::string> takeWholeLines(std::string& pending);

#endif
