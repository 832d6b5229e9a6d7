#include "SolveOutcome.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

#include "Exceptions.h"
#include "SafeFiles.h"
#include "TextLines.h"

namespace {

const char* const kEnded = "ended: ";
const char* const kMeaning = "meaning: ";
const char* const kListing = "listing: ";
const char* const kLine = "line: ";

bool startsWith(const std::string& text, const char* prefix) {
    return text.compare(0, std::strlen(prefix), prefix) == 0;
}

std::string listingNameOf(int k) { return "scenario" + std::to_string(k) + ".lst"; }

// The text of a whole file; false when it cannot be opened.
bool readText(const std::string& path, std::string& text) {
    FILE* file = std::fopen(path.c_str(), "r");
    if (file == nullptr) return false;
    text.clear();
    std::string line;
    while (readWholeLine(file, line)) text += line;
    std::fclose(file);
    return true;
}

std::string describeFailure(int k, const SolveOutcome& outcome) {
    std::string listing = listingNameOf(k);
    std::string text = " > ERROR! The solve of scenario " + std::to_string(k) + " did not end normally: ";
    if (outcome.ended == "ok") {
        text += "GAMS ended normally but wrote no listing '" + listing + "'.";
    } else {
        if (startsWith(outcome.ended, "exit status")) text += "GAMS ended with " + outcome.ended;
        else if (startsWith(outcome.ended, "killed")) text += "GAMS was " + outcome.ended;
        else text += "GAMS " + outcome.ended;
        if (!outcome.meaning.empty()) text += " (" + outcome.meaning + ")";
        text += outcome.listingWritten ? "." : ", and it wrote no listing '" + listing + "'.";
    }
    if (!outcome.listingLines.empty()) {
        text += "\n >> The listing '" + listing + "' says:";
        for (const std::string& line : outcome.listingLines) text += "\n >> " + line;
    }
    return text;
}

}  // namespace

std::string gamsExitMeaning(int status) {
    switch (status) {
        case 1: return "solver is to be called";
        case 2: return "compilation error";
        case 3: return "execution error";
        case 4: return "system limits reached";
        case 5: return "file error";
        case 6: return "parameter error";
        case 7: return "licensing error";
        case 8: return "GAMS system error";
        case 9: return "GAMS could not be started";
        case 10: return "out of memory";
        case 11: return "out of disk";
        default: return "";
    }
}

void clearListing(const std::string& listingPath) { markStale(listingPath); }

SolveOutcome outcomeOfSolve(const LaunchResult& run, const std::string& listingPath) {
    SolveOutcome outcome;
    outcome.recorded = true;
    outcome.ended = run.succeeded() ? "ok" : run.describe();
    if (run.started && run.exited && run.exitStatus != 0) outcome.meaning = gamsExitMeaning(run.exitStatus);
    if (!isFresh(listingPath)) {
        std::remove(listingPath.c_str());  // marked before the solve, never written: the user finds none
        return outcome;
    }
    outcome.listingWritten = true;
    // The lines tell why a solve failed; a normal one needs none.
    if (outcome.ended == "ok") return outcome;
    FILE* listing = std::fopen(listingPath.c_str(), "r");
    if (listing == nullptr) return outcome;
    std::string line;
    size_t more = 0;
    while (readWholeLine(listing, line)) {
        line = withoutLineEnd(line);
        if (!startsWith(line, "****")) continue;
        if (outcome.listingLines.size() < kMaxListingLines) outcome.listingLines.push_back(line);
        else more++;
    }
    std::fclose(listing);
    if (more > 0) outcome.listingLines.push_back("(and " + std::to_string(more) + " more **** lines)");
    return outcome;
}

std::string formatSolveOutcome(const SolveOutcome& outcome) {
    std::string text = std::string(kEnded) + outcome.ended + "\n";
    if (!outcome.meaning.empty()) text += std::string(kMeaning) + outcome.meaning + "\n";
    text += std::string(kListing) + (outcome.listingWritten ? "written" : "missing") + "\n";
    for (const std::string& line : outcome.listingLines) text += std::string(kLine) + line + "\n";
    return text;
}

SolveOutcome parseSolveOutcome(const std::string& text) {
    SolveOutcome outcome;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = withoutLineEnd(text.substr(start, end - start));
        start = end + 1;
        if (startsWith(line, kEnded)) {
            outcome.recorded = true;
            outcome.ended = line.substr(std::strlen(kEnded));
        } else if (startsWith(line, kMeaning)) {
            outcome.meaning = line.substr(std::strlen(kMeaning));
        } else if (startsWith(line, kListing)) {
            outcome.listingWritten = line.substr(std::strlen(kListing)) == "written";
        } else if (startsWith(line, kLine)) {
            outcome.listingLines.push_back(line.substr(std::strlen(kLine)));
        }
    }
    return outcome;
}

std::string doneFilePath(const std::string& dir, int k) {
    std::string name = "done" + std::to_string(k);
    if (dir.empty()) return name;
    return dir.back() == '/' ? dir + name : dir + "/" + name;
}

bool writeDoneFile(const std::string& dir, int k, const SolveOutcome& outcome, std::string& error) {
    std::string done = doneFilePath(dir, k);
    std::string part = done + ".part" + std::to_string(getpid());
    std::remove(part.c_str());
    if (!writeWholeFile(part, formatSolveOutcome(outcome), error)) {
        std::remove(part.c_str());
        return false;
    }
    if (std::rename(part.c_str(), done.c_str()) != 0) {
        error = "The file '" + done + "' cannot be created: " + std::strerror(errno) + ".";
        std::remove(part.c_str());
        return false;
    }
    return true;
}

void refuseFailedSolves(const std::vector<int>& scenarios, const std::string& dir) {
    std::string message;
    for (int k : scenarios) {
        std::string text;
        if (!readText(doneFilePath(dir, k), text)) {
            if (!message.empty()) message += "\n";
            message += " > ERROR! The done file '" + doneFilePath(dir, k) + "' of scenario " + std::to_string(k) +
                       " cannot be read.";
            continue;
        }
        SolveOutcome outcome = parseSolveOutcome(text);
        if (outcome.normal()) continue;
        if (!message.empty()) message += "\n";
        message += describeFailure(k, outcome);
    }
    if (!message.empty()) throw GeneralException(message.c_str());
}

void refuseFailedOutcomes(const std::vector<std::pair<int, SolveOutcome>>& outcomes) {
    std::string message;
    for (const auto& [k, outcome] : outcomes) {
        if (outcome.normal()) continue;
        if (!message.empty()) message += "\n";
        message += describeFailure(k, outcome);
    }
    if (!message.empty()) throw GeneralException(message.c_str());
}
