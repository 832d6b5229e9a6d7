// The picture of a convergence report, drawn by gnuplot.
#ifndef PHA_TOOLS_GNUPLOTCHART_H
#define PHA_TOOLS_GNUPLOTCHART_H

#include <string>
#include <vector>

#include "ResultsFile.h"
#include "RunJson.h"

// The gnuplot script with the data inline: delta and D per iteration on a log
// scale above, the first-stage averages per iteration below. The terminal
// follows the image name's ending: .png gives PNG, anything else SVG. A
// positive tolerance is drawn as a dashed line on the log scale. With bounds
// (one per block, from a JSON record) a third plot shows the expected cost and
// the best outer and inner bound per iteration.
std::string chartScript(const std::vector<IterationBlock>& blocks, const std::string& imagePath,
                        double tolerance = 0.0, const std::vector<BoundPoint>& bounds = {});

// Runs gnuplot (found on the PATH, no shell) on the script. Returns an empty
// string on success, otherwise what went wrong.
std::string runGnuplot(const std::string& script);

#endif
