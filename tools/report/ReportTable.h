// The console table of a convergence report.
#ifndef PHA_TOOLS_REPORTTABLE_H
#define PHA_TOOLS_REPORTTABLE_H

#include <ostream>
#include <vector>

#include "ResultsFile.h"

// Prints iteration, delta, the change measure D and the first-stage average.
// Long runs are shortened to their first and last rows (maxRows in all) so
// the table stays short; the final row is always shown.
void printReportTable(std::ostream& out, const std::vector<IterationBlock>& blocks,
                      std::size_t maxRows);

#endif
