// Heuristics for an integer first stage: hedging makes binary decisions agree
// slowly, because the proximal term pulls each scenario toward a fractional
// average that none can take. Two ways to finish sooner, as the Python PH
// frameworks offer them:
// - fixing: an entry on which every scenario has agreed, at a whole number,
//   for `fixAfter` hedging steps in a row is fixed at that value in every
//   scenario from then on;
// - slamming: when the disagreement has not shrunk for `slamAfter` steps,
//   the free entry on which the most probability mass agrees is fixed at the
//   value that mass chose.
// A fixed entry is a restriction of the problem: the outer bound never uses it
// (its rounds solve without the fixings), and the inner bounds stay valid.
#ifndef PHA_INTEGERHEURISTICS_H
#define PHA_INTEGERHEURISTICS_H

#include <string>
#include <utility>
#include <vector>

struct IntegerHeuristicSettings {
    int fixAfter = 0;   // hedging steps of agreement before an entry is fixed; 0: never
    int slamAfter = 0;  // hedging steps without progress before one entry is slammed; 0: never
};

struct EntryFixed {
    int entry = 0;       // 0-based index of x
    double value = 0.0;  // the whole number it is fixed at
    std::string reason;  // "every scenario agreed for 3 steps", "slammed: 80% of the probability chose it"
};

class IntegerHeuristics {
public:
    IntegerHeuristics(int entries, IntegerHeuristicSettings settings);

    // After a hedging step: each scenario's first stage, the scenarios'
    // probabilities and the step's disagreement (the convergence measure).
    // Returns the entries fixed by this step.
    std::vector<EntryFixed> afterStep(const std::vector<std::vector<double>>& firstStages,
                                      const std::vector<double>& probabilities, double disagreement);

    // One value per entry: the value it is fixed at, NaN where it is free.
    const std::vector<double>& fixings() const { return fixings_; }
    bool anyFixed() const;
    // The fixed entries as (entry, value), for the run record; restore() takes them back
    // (--resume): agreement and stall counts start afresh.
    std::vector<std::pair<int, double>> fixedEntries() const;
    void restore(const std::vector<std::pair<int, double>>& fixed);
    bool allFixed() const;

private:
    IntegerHeuristicSettings settings_;
    std::vector<double> fixings_;
    std::vector<int> agreedSteps_;    // consecutive steps each entry was agreed at the same whole value
    std::vector<double> agreedValue_;
    double bestDisagreement_ = -1.0;  // the smallest so far; -1 before the first step
    int stalledSteps_ = 0;
};

#endif
