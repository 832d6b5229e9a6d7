// Where GAMS is: --gams, or the first line of pathGAMS.txt; checked once,
// before any worker starts, so a wrong path is said once and not per scenario.
#ifndef PHA_GAMSPATH_H
#define PHA_GAMSPATH_H

#include <string>

// --gams when given, else the first line of pathGAMS.txt. Throws
// GeneralException when neither names a program that can be run: a missing
// pathGAMS.txt suggests --gams.
std::string checkedGamsPath(const std::string& gamsOption);

#endif
