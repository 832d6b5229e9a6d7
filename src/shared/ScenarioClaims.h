// Which rank solves which scenario of a round, decided as the round goes: a
// free rank takes the next scenario not yet taken. Solve times vary from round
// to round, so a fixed share per rank leaves one rank idle while the other
// still works; taking scenarios one by one keeps both busy to the end.
//
// The count of scenarios taken lives in a small file that pha creates beside
// the ranks' pipes and every rank maps into memory (all of them run on pha's
// host when the pipes are used). It holds one 64-bit word: the round's tag in
// the high half, the scenarios taken in the low half. pha sets a new tag with
// none taken before it tells the ranks about the round; a rank that still
// tries to take from an older round sees another tag and stops.
#ifndef PHA_SCENARIOCLAIMS_H
#define PHA_SCENARIOCLAIMS_H

#include <cstdint>
#include <string>

// The claims file beside the answer pipe `answers`.
std::string scenarioClaimsFile(const std::string& answers);

class ScenarioClaims {
public:
    ScenarioClaims() = default;
    ~ScenarioClaims() { release(); }
    ScenarioClaims(const ScenarioClaims&) = delete;
    ScenarioClaims& operator=(const ScenarioClaims&) = delete;

    // pha: creates the file (only the owner may open it) and maps it; false with errno set when it cannot.
    bool create(const std::string& path);
    // A rank: maps the file pha created; false when it is not there or has the wrong size.
    bool attach(const std::string& path);
    bool mapped() const { return word_ != nullptr; }
    void release();

    // pha: opens the round `tag` (not 0) with no scenario taken. Only while no rank takes from the last one.
    void openRound(std::uint32_t tag);
    // pha: how many scenarios of the open round are taken.
    std::uint32_t taken() const;

    enum class Take { Taken, Wait, Over };
    // A rank: takes the next scenario of round `tag`. Taken: `k` (from 1) is this rank's to solve. Wait:
    // every released scenario is taken and more will be released. Over: all `numScenarios` are taken, or
    // the round `tag` is no longer open.
    Take take(std::uint32_t tag, int numScenarios, int released, int& k);

private:
    std::uint64_t* word_ = nullptr;
};

#endif
