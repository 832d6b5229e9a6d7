// The option mode reads x('1')..x('n1') and y('1')..y('n2') through its own
// solution file, which cannot see an entry it does not name. The listing's
// variable tables show every entry the model has: they must be exactly these.
#ifndef PHA_STAGEENTRIES_H
#define PHA_STAGEENTRIES_H

#include <string>

// Throws GeneralException naming the scenario, the variable and the entry when
// the listing shows x or y with an entry beyond --n1/--n2, a label that is not
// 1..n, or a table without one of the entries 1..n. A listing without the
// table of x or y (no solution printed, or a stage with no variables) passes.
void checkStageEntries(const std::string& listing, int scenario, int n1, int n2);

#endif
