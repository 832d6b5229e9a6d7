#include "RankReports.h"

#include <cstdio>
#include <sstream>

#include "CheckedNumbers.h"
#include "Exceptions.h"

namespace {

// At most this many lines follow a "failed" report (formatSolveOutcome writes a few plus the listing's **** lines).
const long long kMostOutcomeLines = 1000;

[[noreturn]] void refuse(const std::string& line, const std::string& why) {
    throw GeneralException(("'" + line.substr(0, 120) + "' (" + why + ")").c_str());
}

}  // namespace

std::string rankCommandPipe(const std::string& answers, int rank) { return answers + ".to-rank-" + std::to_string(rank); }

std::string rankReportPipe(const std::string& answers, int rank) { return answers + ".from-rank-" + std::to_string(rank); }

std::string formatScenarioReport(int scenario, double seconds, const SolveOutcome& outcome) {
    char head[96];
    std::snprintf(head, sizeof head, "%s %d %.6f", outcome.normal() ? "ok" : "failed", scenario, seconds);
    if (outcome.normal()) return std::string(head) + "\n";
    const std::string text = formatSolveOutcome(outcome);
    size_t lines = 0;
    for (char c : text) lines += c == '\n';
    return std::string(head) + " " + std::to_string(lines) + "\n" + text;
}

bool ScenarioReportReader::next(ScenarioReport& report) {
    const size_t end = pending_.find('\n');
    if (end == std::string::npos) return false;
    const std::string line = pending_.substr(0, end);
    std::istringstream words(line);
    std::string verb, scenario, seconds, count;
    words >> verb >> scenario >> seconds;
    const bool failed = verb == "failed";
    if (!failed && verb != "ok") refuse(line, "not 'ok' or 'failed'");
    if (failed) words >> count;
    std::string extra;
    if (seconds.empty() || (failed && count.empty()) || words >> extra) refuse(line, "not a scenario's report");
    long long k = 0, lines = 0;
    double wall = 0.0;
    if (!readWholeNumber(scenario, 1, 1LL << 30, k).empty()) refuse(line, "no scenario number");
    if (!readDecimal(seconds, wall).empty() || !(wall >= 0)) refuse(line, "no solve time");
    if (failed && !readWholeNumber(count, 0, kMostOutcomeLines, lines).empty()) refuse(line, "no line count");
    // A failed report is taken whole: its lines may still be on the way.
    size_t after = end + 1;
    for (long long i = 0; i < lines; i++) {
        const size_t next = pending_.find('\n', after);
        if (next == std::string::npos) return false;
        after = next + 1;
    }
    report.scenario = static_cast<int>(k);
    report.seconds = wall;
    report.outcome = failed ? parseSolveOutcome(pending_.substr(end + 1, after - end - 1)) : SolveOutcome{};
    if (failed && report.outcome.normal()) refuse(line, "a failure that says the solve ended normally");
    pending_.erase(0, after);
    return true;
}

std::vector<std::string> takeWholeLines(std::string& pending) {
    std::vector<std::string> lines;
    size_t start = 0, end;
    while ((end = pending.find('\n', start)) != std::string::npos) {
        lines.push_back(pending.substr(start, end - start));
        start = end + 1;
    }
    pending.erase(0, start);
    return lines;
}
