// How one scenario's solve ended, as the worker records it in the done file
// done<k> and as pha checks it before it reads any number of the listing.
//
// The done file is text, one "key: value" per line:
//   ended: ok                      (or "exit status 3", "killed by signal 9",
//                                   "could not be started: <reason>")
//   meaning: execution error       (GAMS's name for a non-zero exit status)
//   listing: written               (or "missing")
//   line: **** <a **** line of the listing>   (after a failed solve only)
// An empty done file (a worker that only marks the scenario done) tells
// nothing: the listing is then checked on its own.
#ifndef PHA_SOLVEOUTCOME_H
#define PHA_SOLVEOUTCOME_H

#include <string>
#include <utility>
#include <vector>

#include "Launch.h"

struct SolveOutcome {
    bool recorded = false;        // the done file said anything at all
    std::string ended;            // "ok" or LaunchResult::describe()
    std::string meaning;          // what GAMS means by that exit status, if known
    bool listingWritten = false;
    std::vector<std::string> listingLines;  // the listing's "****" lines

    bool normal() const { return !recorded || (ended == "ok" && listingWritten); }
};

// GAMS's own name for its exit status ("compilation error" for 2), or "".
std::string gamsExitMeaning(int status);

// Readies a listing for the next solve: an old one must not pass for the
// new solve's result, and nobody may write through a link there. A regular
// file is marked stale in place (markStale: no folder entry removed and
// created again in every round); anything else is removed.
void clearListing(const std::string& listingPath);

// How the solve described by `run` ended; when it did not end normally, with
// the "****" lines of its listing (the first kMaxListingLines of them, and a
// count of the rest). A listing still marked stale (or empty) is no listing of
// this solve: it is removed.
SolveOutcome outcomeOfSolve(const LaunchResult& run, const std::string& listingPath);
constexpr size_t kMaxListingLines = 20;

std::string formatSolveOutcome(const SolveOutcome& outcome);
SolveOutcome parseSolveOutcome(const std::string& text);

// The name of scenario k's done file in `dir` ("done<k>" when dir is empty).
std::string doneFilePath(const std::string& dir, int k);

// Writes done<k> in `dir` under a private name and renames it, so a reader
// never sees half of it and a link there is replaced, not followed.
bool writeDoneFile(const std::string& dir, int k, const SolveOutcome& outcome, std::string& error);

// Reads the done files of the given scenarios in `dir` (the working directory
// when empty) and throws GeneralException (" > ERROR! ...") naming every
// scenario whose solve did not end normally, the cause and the listing's
// "****" lines. Call it once all of them exist, before any listing is read.
void refuseFailedSolves(const std::vector<int>& scenarios, const std::string& dir = "");

// The same for outcomes already known (scenario, how its solve ended), as the
// serving ranks report them: throws naming every one that did not end normally.
void refuseFailedOutcomes(const std::vector<std::pair<int, SolveOutcome>>& outcomes);

#endif
