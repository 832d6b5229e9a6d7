// A serving rank's own pair of named pipes to pha (see RankReports.h): it
// reads its commands from one and writes its scenarios' reports into the
// other, with no MPI collective and no file between a command and its answer.
// Beside them, the claims file from which it takes its scenarios. Only a rank
// on pha's host finds them.
#ifndef SCW_RANKPIPES_H
#define SCW_RANKPIPES_H

#include <string>

#include "ScenarioClaims.h"

class RankPipes {
public:
    // Opens rank `rank`'s pipes beside `answers`; open() says whether both are there.
    RankPipes(const std::string& answers, int rank);
    ~RankPipes() { close(); }
    RankPipes(const RankPipes&) = delete;
    RankPipes& operator=(const RankPipes&) = delete;

    bool open() const { return commands_ >= 0 && reports_ >= 0 && claims_.mapped(); }
    void close();
    // Waits for the next command line; false when pha has closed the pipe (it has ended).
    bool readCommand(std::string& line);
    // Writes `text` whole; false when pha no longer reads.
    bool report(const std::string& text);
    // The count of the round's scenarios taken, shared with the other ranks.
    ScenarioClaims& claims() { return claims_; }

private:
    int commands_ = -1;
    int reports_ = -1;
    ScenarioClaims claims_;
    std::string pending_;  // command text read but not yet taken as a line
};

#endif
