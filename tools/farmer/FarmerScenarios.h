// Many-scenario instances of the farmer problem: scenario k (0-based) has the
// base yields of type k mod 3 (0 below, 1 average, 2 above average) and, from
// k = 3 on, uniform [0, 1) noise on each yield from a Mersenne Twister seeded
// with k, so any instance can be made again exactly.
#ifndef PHA_TOOLS_FARMERSCENARIOS_H
#define PHA_TOOLS_FARMERSCENARIOS_H

#include <array>
#include <ostream>
#include <vector>

using Yields = std::array<double, 3>;  // wheat, corn, sugar beets in T/acre

// The yields of scenario k.
Yields farmerYields(unsigned k);

// The yields of scenarios 0..n-1; with decimals >= 0 each is rounded to that
// many decimals (pha writes parameters into the models with three).
std::vector<Yields> farmerInstance(unsigned n, int decimals);

// The settings file for pha: one line per scenario, probability 1/n and the
// three yields, written so that they read back exactly.
void writeSettingsFile(std::ostream& out, const std::vector<Yields>& yields);

// The extensive form of the same instance as a plain model for gams.
void writeExtensiveForm(std::ostream& out, const std::vector<Yields>& yields);

#endif
