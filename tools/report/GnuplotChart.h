// The picture of a convergence report, drawn by gnuplot.
#ifndef PHA_TOOLS_GNUPLOTCHART_H
#define PHA_TOOLS_GNUPLOTCHART_H

#include <string>
#include <vector>

#include "ResultsFile.h"
#include "RunJson.h"

// The picture's format from its name's ending: "svg", "png" or "pdf" (any
// letter case); "" for any other name, which pha-report refuses.
std::string imageFormat(const std::string& imagePath);

// The gnuplot script with the data inline: delta and D per iteration on a log
// scale, then the first-stage averages per iteration, in panels of at most
// eight variables (one colour each). The terminal follows imageFormat (SVG
// for an unknown name). A positive tolerance is drawn as a dashed line on the
// log scale. With bounds (one per block, from a JSON record) a panel shows the
// expected cost and the best outer and inner bound, and one the relative gap
// on a log scale. With rho (rho_j per block, from a JSON record) a last panel
// draws the smallest, mean and largest rho_j on a log scale.
std::string chartScript(const std::vector<IterationBlock>& blocks, const std::string& imagePath,
                        double tolerance = 0.0, const std::vector<BoundPoint>& bounds = {},
                        const std::vector<std::vector<double>>& rho = {});

// Runs gnuplot (found on the PATH, no shell) on the script. Returns an empty
// string on success, otherwise what went wrong.
std::string runGnuplot(const std::string& script);

#endif
