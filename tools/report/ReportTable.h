// The console table of a convergence report.
#ifndef PHA_TOOLS_REPORTTABLE_H
#define PHA_TOOLS_REPORTTABLE_H

#include <ostream>
#include <vector>

#include "ResultsFile.h"
#include "RunJson.h"

// Prints iteration, delta, the change measure D and the first-stage average.
// Long runs are shortened to their first and last rows (maxRows in all) so
// the table stays short; the final row is always shown.
void printReportTable(std::ostream& out, const std::vector<IterationBlock>& blocks,
                      std::size_t maxRows);

// The trust numbers of a JSON record: expected cost, best outer and inner
// bound and their gap per iteration (shortened like the table above), then
// the final verdict, plan and bounds.
void printBoundsTable(std::ostream& out, const RunJson& run, std::size_t maxRows);

#endif
